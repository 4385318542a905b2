// Replacing a real file under Wine: the new file is made beside the file it replaces,
// however the target is named, and takes that file's place without changing what it
// is: its attributes, its read-only protection, the link through which it is named.

#include "framework/FileReplacement.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixLink.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// How a case names the file it replaces.
enum class Naming {
  Full,          // "<folder>\a.ppj"
  Link,          // "<folder>\link.ppj", a symbolic link to a.ppj
  DriveRelative, // "C:a.ppj", with the folder current
  RootRelative,  // "\name.ppj", a file in the root of the folder's drive, which is current
};

struct ReplacementCase {
  const char* Name;
  Naming How;
  bool Exists;             // whether there is a file to replace, holding "old"
  DWORD Attributes;        // its attributes, when it exists
  DWORD Result;            // what the replacement returns
  DWORD AttributesAfter;   // of the file afterwards, among those kept
};

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kObserved = kHidden | kSystem | kReadOnly;

const ReplacementCase kCases[] = {
    {"a new file", Naming::Full, false, 0, ERROR_SUCCESS, 0},
    {"a plain file", Naming::Full, true, FILE_ATTRIBUTE_NORMAL, ERROR_SUCCESS, 0},
    {"a hidden system file", Naming::Full, true, kHidden | kSystem, ERROR_SUCCESS, kHidden | kSystem},
    {"a read-only file", Naming::Full, true, kReadOnly | kHidden, ERROR_ACCESS_DENIED, kReadOnly | kHidden},
    {"a hidden file through a link", Naming::Link, true, kHidden, ERROR_SUCCESS, kHidden},
    {"a file named from its drive's current folder", Naming::DriveRelative, true, FILE_ATTRIBUTE_NORMAL,
     ERROR_SUCCESS, 0},
    {"a file in the current drive's root", Naming::RootRelative, true, FILE_ATTRIBUTE_NORMAL,
     ERROR_SUCCESS, 0},
};

// Makes a folder current for as long as it lives.
class CurrentFolder {
public:
  explicit CurrentFolder(const std::string& folder) {
    GetCurrentDirectoryA(MAX_PATH, FSaved);
    SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolder() { SetCurrentDirectoryA(FSaved); }

private:
  char FSaved[MAX_PATH] = {};
};

// Removes a file that a case makes outside its own folder.
struct RemovedAfterwards {
  std::string Path;
  ~RemovedAfterwards() {
    SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(Path.c_str());
  }
};

int CountFiles(const std::string& pattern) {
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(find, &entry));
  FindClose(find);
  return count;
}

TEST(FileReplacement, TheNewFileIsMadeBesideTheFileItReplacesAndKeepsWhatThatFileIs) {
  for (const ReplacementCase& test : kCases) {
    SCOPED_TRACE(test.Name);
    TempFolder folder;
    const std::string drive = folder.Path().substr(0, 2); // "C:"
    const std::string rootName = "varnex-replace-" + std::to_string(GetCurrentProcessId()) + ".ppj";
    const bool inRoot = test.How == Naming::RootRelative;
    // The file itself, which the target names in the case's way.
    const std::string file = inRoot ? drive + "\\" + rootName : folder.File("a.ppj");
    RemovedAfterwards cleanup{inRoot ? file : std::string()};
    const std::string beside = inRoot ? drive : folder.Path();
    if (test.Exists) {
      WriteWholeFile(file, "old");
      ASSERT_TRUE(SetFileAttributesA(file.c_str(), test.Attributes));
    }
    std::string target;
    switch (test.How) {
    case Naming::Full: target = file; break;
    case Naming::Link:
      target = folder.File("link.ppj");
      ASSERT_TRUE(MakeUnixLink(target, file)) << "no symbolic link could be made";
      break;
    case Naming::DriveRelative: target = drive + "a.ppj"; break;
    case Naming::RootRelative: target = "\\" + rootName; break;
    }
    CurrentFolder current(folder.Path());

    const int filesBefore = CountFiles(beside + "\\*.tmp");
    int writes = 0;
    int newFilesBeside = 0;
    const DWORD result = ReplaceFileWhole(target, "tst", 3, [&](TStream& stream) {
      ++writes;
      newFilesBeside = CountFiles(beside + "\\tst*.tmp");
      stream.Write("new", 3);
    });

    EXPECT_EQ(result, test.Result);
    const bool replaced = test.Result == ERROR_SUCCESS;
    EXPECT_EQ(writes, replaced ? 1 : 0) << "a refused file is not even written";
    if (replaced) EXPECT_EQ(newFilesBeside, 1) << "the new file is made beside the file it replaces";
    EXPECT_EQ(ReadWholeFile(file), replaced ? "new" : "old");
    const DWORD after = GetFileAttributesA(file.c_str());
    ASSERT_NE(after, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(after & kObserved, test.AttributesAfter);
    if (test.How == Naming::Link) EXPECT_EQ(ReadWholeFile(target), "new") << "the link leads to the new bytes";
    EXPECT_EQ(CountFiles(beside + "\\*.tmp"), filesBefore) << "no new file is left behind";
  }
}

} // namespace
