#include "framework/CommandLine.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(SplitCommandLine("varnex.exe  a.ppj\tb"), (Args{"varnex.exe", "a.ppj", "b"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\varnex.exe\" \"my plug-in.ppj\""),
            (Args{"C:\\Program Files\\varnex.exe", "my plug-in.ppj"}));
  EXPECT_EQ(SplitCommandLine("x pre\"fix mid\"dle"), (Args{"x", "prefix middle"}));
}

TEST(CommandLine, RelativePathsAndTrailingBackslashStayAsTyped) {
  EXPECT_EQ(SplitCommandLine("x ..\\plugins\\a.ppj"), (Args{"x", "..\\plugins\\a.ppj"}));
  EXPECT_EQ(SplitCommandLine("x \"C:\\dir\\\" next"), (Args{"x", "C:\\dir\\", "next"}));
}

TEST(CommandLine, EmptyAndBlankLinesHaveNoArguments) {
  EXPECT_TRUE(SplitCommandLine("").empty());
  EXPECT_TRUE(SplitCommandLine("   ").empty());
  EXPECT_EQ(SplitCommandLine("x \"\""), (Args{"x", ""})) << "an empty quoted argument counts";
}
