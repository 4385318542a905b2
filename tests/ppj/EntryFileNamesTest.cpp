#include "ppj/EntryFileNames.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(EntryFileNames, AreSafeOnWindowsAndOneForEachEntry) {
  EntryFileNames names;
  const struct {
    const char* Entry;
    const char* File;
  } files[] = {{"Foo", "Foo"},
               {"foo", "foo (2)"},
               {"FOO", "FOO (3)"},
               {"a/b\\c:d*e?", "a_b_c_d_e_"},
               {"Caf\xC3\xA9 \xE6\x97\xA5", "Caf_ _"},
               {" trailing. . ", "trailing"},
               {"CON", "_CON"},
               {"com1.txt", "_com1.txt"},
               {"...", "_"},
               {"_", "_ (2)"}};
  for (const auto& f : files) EXPECT_EQ(names.NameFor(f.Entry), f.File) << f.Entry;
  EXPECT_EQ(SafeFileName(std::string(300, 'x')).size(), 100u);
}
