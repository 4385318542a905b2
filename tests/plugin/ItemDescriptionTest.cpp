#include "plugin/ItemDescription.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(ItemDescription, RegistryKindsNameTheirFields) {
  EXPECT_EQ(RegistryItemDescription(0, "\\Software\\X", "Last"),
            "Remove registry item Last in key \\Software\\X");
  EXPECT_EQ(RegistryItemDescription(1, "\\Software\\X", "Last"),
            "Remove registry key \\Software\\X") << "a kept value name is not shown";
  EXPECT_EQ(RegistryItemDescription(2, "\\Software\\X", ""),
            "Remove all items in key \\Software\\X");
  EXPECT_EQ(RegistryItemDescription(7, "K", "V"), "Registry item in key K of unknown kind 7");
  EXPECT_EQ(RegistryItemDescription(255, "K", "V"),
            "Registry item in key K of unknown kind 255") << "the byte is shown unsigned";
}

TEST(ItemDescription, FileAndFolder) {
  EXPECT_EQ(FileItemDescription("%WINDOWS%\\a.log"), "Delete file %WINDOWS%\\a.log");
  EXPECT_EQ(FolderItemDescription("C:\\Temp", false), "Delete files in folder C:\\Temp");
  EXPECT_EQ(FolderItemDescription("C:\\Temp", true),
            "Delete files in folder C:\\Temp, remove empty folders automatically");
}

TEST(ItemDescription, PercentSignsInTextsAreNotFormats) {
  EXPECT_EQ(FileItemDescription("C:\\%s%d%n%%"), "Delete file C:\\%s%d%n%%");
  EXPECT_EQ(RegistryItemDescription(0, "k%s", "v%s%s"), "Remove registry item v%s%s in key k%s");
  EXPECT_EQ(RegistryItemDescription(9, "%d", ""), "Registry item in key %d of unknown kind 9");
}
