// How found names are joined to their folders and how typed folders are trimmed.

#include "cleanobjs/FolderPaths.h"

#include <gtest/gtest.h>

TEST(FolderPaths, JoinPathPutsExactlyOneSeparatorAndKeepsRelativePathsRelative) {
  EXPECT_EQ(JoinPath("C:\\Temp", "a.tmp"), "C:\\Temp\\a.tmp");
  EXPECT_EQ(JoinPath("C:\\Temp\\", "a.tmp"), "C:\\Temp\\a.tmp");
  EXPECT_EQ(JoinPath("C:\\", "a.tmp"), "C:\\a.tmp");
  EXPECT_EQ(JoinPath("C:", "a.tmp"), "C:a.tmp") << "a drive's current folder stays one";
  EXPECT_EQ(JoinPath("", "a.tmp"), "a.tmp") << "never the root of the current drive";
}

TEST(FolderPaths, FolderPartOfEndsAtTheLastSeparatorOrColon) {
  EXPECT_EQ(FolderPartOf("C:\\Windows\\demo.log"), "C:\\Windows\\");
  EXPECT_EQ(FolderPartOf("C:demo.log"), "C:");
  EXPECT_EQ(FolderPartOf("\\\\server\\share\\x"), "\\\\server\\share\\");
  EXPECT_EQ(FolderPartOf("demo.log"), "");
}

TEST(FolderPaths, WithoutFinalSeparatorKeepsTheSeparatorOfARoot) {
  EXPECT_EQ(WithoutFinalSeparator("C:\\Temp\\"), "C:\\Temp");
  EXPECT_EQ(WithoutFinalSeparator("C:\\Temp\\\\"), "C:\\Temp");
  EXPECT_EQ(WithoutFinalSeparator("C:\\Temp"), "C:\\Temp");
  EXPECT_EQ(WithoutFinalSeparator("C:\\"), "C:\\");
  EXPECT_EQ(WithoutFinalSeparator("\\"), "\\");
  EXPECT_EQ(WithoutFinalSeparator("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(WithoutFinalSeparator(""), "");
}

TEST(FolderPaths, AFullPathIsADriveRootOrAShareAndNothingRelative) {
  for (const char* full : {"C:\\", "c:\\Temp", "Z:\\a\\b", "\\\\server\\share",
                           "\\\\server\\share\\", "\\\\server\\share\\dir\\f.txt"})
    EXPECT_TRUE(IsFullPath(full)) << full;
  for (const char* partial : {"", "\\", "\\*.*", "C:", "C:Temp", "Temp", "Temp\\x", "1:\\x",
                              "\\\\", "\\\\server", "\\\\server\\", "\\\\\\share", ".\\x", "..\\x"})
    EXPECT_FALSE(IsFullPath(partial)) << partial;
}

