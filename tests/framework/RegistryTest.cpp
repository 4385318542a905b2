// The registry accessor against a real key of its own under HKEY_CURRENT_USER.

#include "framework/Registry.h"
#include "tests/support/TestKey.h"

#include <gtest/gtest.h>
#include <sddl.h>

namespace {

using Names = std::vector<std::string>;

TRegistry UserRegistry() {
  TRegistry registry;
  registry.SetRootKey(PredefinedKey(0x80000001u));
  return registry;
}

} // namespace

TEST(Registry, PredefinedKeysAreSignExtendedHandles) {
  EXPECT_EQ(PredefinedKey(0x80000000u), HKEY_CLASSES_ROOT);
  EXPECT_EQ(PredefinedKey(0x80000001u), HKEY_CURRENT_USER);
  EXPECT_EQ(PredefinedKey(0x80000002u), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(PredefinedKey(0x80000003u), HKEY_USERS);
  EXPECT_EQ(PredefinedKey(0x80000005u), HKEY_CURRENT_CONFIG);
}

TEST(Registry, AFailedOpenLeavesNoKeyOpen) {
  TestKey key;
  key.SetValue("A", "v", 2);
  TRegistry registry = UserRegistry();
  ASSERT_TRUE(registry.OpenKey(key.Sub("A")));

  EXPECT_FALSE(registry.OpenKey(key.Sub("Missing")));
  EXPECT_FALSE(registry.HasCurrentKey());
  // Nothing reaches the key that was open before the failure.
  EXPECT_FALSE(registry.ValueExists("v"));
  EXPECT_EQ(registry.GetDataSize("v"), -1);
  EXPECT_TRUE(registry.GetValueNames().empty());
  EXPECT_TRUE(registry.GetValueSizes().empty());
  EXPECT_FALSE(registry.DeleteValue("v"));
  EXPECT_TRUE(key.ValueExists("A", "v"));
}

TEST(Registry, ListsSubkeysAndValuesIncludingTheDefaultValueAndLongNames) {
  TestKey key;
  key.Create("Zeta");
  key.Create("Alpha");
  key.Create("Mid");
  const std::string longName(300, 'n'); // longer than any key name may be
  // Windows enumerates values in the order they were set, Wine by name; these are
  // set in name order, so both give the same list.
  key.SetValue("", "", 2);
  key.SetValue("", longName, 3);
  key.SetValue("", "second", 1);
  TRegistry registry = UserRegistry();
  ASSERT_TRUE(registry.OpenKey(key.Path()));

  // Subkeys are enumerated by name, not in the order they were made.
  EXPECT_EQ(registry.GetKeyNames(), (Names{"Alpha", "Mid", "Zeta"}));
  EXPECT_EQ(registry.GetValueNames(), (Names{"", longName, "second"}));
  EXPECT_EQ(registry.GetDataSize(longName), 3);
  EXPECT_EQ(registry.GetDataSize(""), 2);
}

TEST(Registry, DataSizeOfAnEmptyValueIsZeroAndOfAMissingOneMinusOne) {
  TestKey key;
  key.SetValue("", "empty", 0);
  key.SetValue("", "big", 70000);
  TRegistry registry = UserRegistry();
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  EXPECT_TRUE(registry.ValueExists("empty"));
  EXPECT_EQ(registry.GetDataSize("empty"), 0);
  EXPECT_EQ(registry.GetDataSize("big"), 70000);
  EXPECT_FALSE(registry.ValueExists("missing"));
  EXPECT_EQ(registry.GetDataSize("missing"), -1);
  // The default value of a key that has none set does not exist either.
  EXPECT_FALSE(registry.ValueExists(""));
}

TEST(Registry, ListedValueSizesAreTheQueriedSizesForEveryType) {
  TestKey key;
  key.SetValue("", "", 5);
  key.SetValue("", "big", 70000);
  key.SetValue("", "empty", 0);
  {
    unique_hkey open;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_SET_VALUE, open.put()),
              ERROR_SUCCESS);
    const auto set = [&](const char* name, DWORD type, const char* data, DWORD size) {
      ASSERT_EQ(RegSetValueExA(open.get(), name, 0, type, reinterpret_cast<const BYTE*>(data), size),
                ERROR_SUCCESS);
    };
    // Strings are stored in UTF-16 and read back in the ANSI code page, where a letter
    // above 0x7F takes one byte: the listing must count the same bytes as the query.
    set("expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    set("multi", REG_MULTI_SZ, "a\0bc\0\0", 6);
    set("number", REG_DWORD, "\1\0\0\0", 4);
    set("text", REG_SZ, "caf\xe9", 5);
  }
  TRegistry registry = UserRegistry();
  ASSERT_TRUE(registry.OpenKey(key.Path()));

  const std::vector<TRegistry::ValueSize> listed = registry.GetValueSizes();
  Names names;
  for (const TRegistry::ValueSize& value : listed) {
    names.push_back(value.Name);
    EXPECT_EQ(value.Size, registry.GetDataSize(value.Name)) << "value \"" << value.Name << "\"";
  }
  EXPECT_EQ(names, registry.GetValueNames());
  EXPECT_EQ(names.size(), 7u);
}

TEST(Registry, DeleteKeyRemovesTheWholeTreeAndNothingBeside) {
  TestKey key;
  key.SetValue("K\\A\\X\\Deep", "d", 1);
  key.SetValue("K\\A", "a", 1);
  key.Create("K\\B");
  key.SetValue("Kept", "k", 1);
  const TRegistry registry = UserRegistry();

  EXPECT_TRUE(registry.DeleteKey("\\" + key.Sub("K")));
  EXPECT_FALSE(key.Exists("K"));
  EXPECT_TRUE(key.ValueExists("Kept", "k"));
  EXPECT_FALSE(registry.DeleteKey(key.Sub("K"))) << "a missing key is no success";
}

TEST(Registry, DeleteKeyRefusesThePathOfTheRootKeyItself) {
  TestKey key;
  const TRegistry registry = UserRegistry();
  EXPECT_FALSE(registry.DeleteKey(""));
  EXPECT_FALSE(registry.DeleteKey("\\"));
  EXPECT_FALSE(registry.DeleteKey("\\\\"));
  EXPECT_TRUE(key.Exists(""));
}

TEST(Registry, SubKeyPathsJoinWithOneBackslash) {
  EXPECT_EQ(SubKeyPath("\\Software\\Vendor", "Product"), "\\Software\\Vendor\\Product");
  EXPECT_EQ(SubKeyPath("Software\\Vendor\\", "Product"), "Software\\Vendor\\Product");
  EXPECT_EQ(SubKeyPath("", "Software"), "Software");
  EXPECT_EQ(SubKeyPath("\\", "Software"), "Software");
  EXPECT_EQ(KeyPathFromRoot("\\Software"), "Software");
  EXPECT_EQ(KeyPathFromRoot("Software"), "Software");
}

TEST(Registry, ReadsAnyValuesTypeAndDataWhateverItsSize) {
  TestKey key;
  key.SetTypedValue("", "text", REG_SZ, std::string("abc\0def\0", 8));
  key.SetTypedValue("", "number", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4));
  key.SetTypedValue("", "empty", REG_BINARY, "");
  key.SetValue("", "large", 70000); // more than one read's first buffer
  TRegistry registry(KEY_READ);
  registry.SetRootKey(PredefinedKey(0x80000001u));
  ASSERT_TRUE(registry.OpenKey(key.Path()));

  const TRegistry::Data text = registry.ReadData("text");
  EXPECT_EQ(text.Type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(text.Bytes, std::string("abc\0def\0", 8)) << "the data as stored";
  EXPECT_EQ(registry.ReadData("number").Bytes, std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_EQ(registry.ReadData("empty").Bytes, "");
  const TRegistry::Data large = registry.ReadData("large");
  EXPECT_EQ(large.Type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(large.Bytes.size(), 70000u);
  EXPECT_EQ(static_cast<BYTE>(large.Bytes[69999]), static_cast<BYTE>(69999 * 7 + 1));

  try {
    registry.ReadData("gone");
    FAIL() << "a missing value was read";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'gone'");
  }
}

TEST(Registry, AKeyWhoseLinkTestCannotBeMadeCountsAsALink) {
  TestKey key;
  key.SetValue("Plain", "v", 2);
  key.SetValue("Locked", "v", 2);
  TRegistry registry = UserRegistry();
  EXPECT_FALSE(registry.IsLink(key.Sub("Plain")));
  EXPECT_TRUE(registry.IsLink(key.Sub("Missing"))) << "a key that cannot be opened is not entered";
  for (const auto& [root, path] : std::vector<std::pair<std::uint32_t, std::string>>{
           {0x80000000u, "CLSID"}, {0x80000002u, "Software"}, {0x80000003u, ".DEFAULT"}}) {
    TRegistry other;
    other.SetRootKey(PredefinedKey(root));
    EXPECT_FALSE(other.IsLink(path)) << path << ": the test works under every root key";
  }

  // Nobody may read the key: its owner can still give the rights back.
  PSECURITY_DESCRIPTOR security = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;WD;;;WD)", SDDL_REVISION_1,
                                                                   &security, nullptr));
  unique_hkey locked;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Sub("Locked").c_str(), 0, WRITE_DAC, locked.put()),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeySecurity(locked.get(), DACL_SECURITY_INFORMATION, security), ERROR_SUCCESS);
  LocalFree(security);
  EXPECT_TRUE(registry.IsLink(key.Sub("Locked"))) << "a key that cannot be looked at is not entered";

  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                   &security, nullptr));
  RegSetKeySecurity(locked.get(), DACL_SECURITY_INFORMATION, security);
  LocalFree(security);
}
