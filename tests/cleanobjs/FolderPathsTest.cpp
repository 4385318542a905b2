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

TEST(FolderPaths, AFullPathIsADriveRootOrAShareAndNothingRelativeDottedOrADevice) {
  for (const char* full : {"C:\\", "c:\\Temp", "Z:\\a\\b", "\\\\server\\share",
                           "\\\\server\\share\\", "\\\\server\\share\\dir\\f.txt",
                           "C:\\a..\\b", "C:\\.tmp\\x", "C:\\a\\file..txt", "C:\\a\\ b"})
    EXPECT_TRUE(IsFullPath(full)) << full;
  for (const char* partial :
       {"", "\\", "\\*.*", "C:", "C:Temp", "Temp", "Temp\\x", "1:\\x", "\\\\", "\\\\server",
        "\\\\server\\", "\\\\\\share", ".\\x", "..\\x",
        // Dot segments lead out of the folder that the path shows.
        "C:\\a\\..", "C:\\a\\..\\b", "C:\\a\\.\\b", "C:\\a\\...\\b", "C:\\a\\.. \\b", "C:\\a/../b",
        "C:\\..", "\\\\server\\share\\..\\other", "\\\\server\\..\\x",
        // Devices, pipes and raw volumes.
        "\\\\?\\C:\\x", "\\\\.\\C:", "\\\\.\\pipe\\x", "\\\\?\\UNC\\server\\share",
        "\\\\?/C:/x", "\\\\server/share"})
    EXPECT_FALSE(IsFullPath(partial)) << partial;
}

TEST(FolderPaths, MasksAndFoundNamesThatLeadElsewhereAreToldApart) {
  for (const char* other : {"..\\*.log", "a\\*.tmp", "a/*.tmp", "..", ".", "\\*"})
    EXPECT_TRUE(MaskNamesAnotherFolder(other)) << other;
  for (const char* own : {"*.tmp", "*", "file..txt", "...", ".tmp", ""})
    EXPECT_FALSE(MaskNamesAnotherFolder(own)) << own;

  for (const char* elsewhere : {".", "..", "x\\..\\..", "a/b", "C:x", "a:stream"})
    EXPECT_FALSE(IsPlainEntryName(elsewhere)) << elsewhere;
  for (const char* plain : {"a.tmp", "...", "file..txt", ".hidden"})
    EXPECT_TRUE(IsPlainEntryName(plain)) << plain;
}

TEST(FolderPaths, InADoubleByteCodePageASecondByteIsNoSeparator) {
  // Code page 932 begins double-byte characters with 0x81 to 0x9F and 0xE0 to 0xFC;
  // "\x95\x5C" is one character whose second byte is that of "\\".
  TLeadBytes cp932;
  cp932.AddRange(0x81, 0x9F);
  cp932.AddRange(0xE0, 0xFC);
  const std::string character = "\x95\x5C";

  EXPECT_TRUE(IsFullPath("C:\\a" + character + "..\\b", cp932)) << "one segment, not a \"..\" one";
  EXPECT_FALSE(IsFullPath("C:\\a" + character + "..\\b")) << "a single-byte reading is stricter";
  EXPECT_FALSE(IsFullPath("C:\\" + character + "\\..\\b", cp932)) << "a real separator after it";
  EXPECT_FALSE(MaskNamesAnotherFolder("*" + character + ".txt", cp932) );
  EXPECT_TRUE(MaskNamesAnotherFolder("*" + character + ".txt"));
  EXPECT_TRUE(IsPlainEntryName(character + ".txt", cp932));
  EXPECT_TRUE(IsFullPath("C:\\\x95", cp932))
      << "a lead byte at the very end stays a byte of its own";
}
