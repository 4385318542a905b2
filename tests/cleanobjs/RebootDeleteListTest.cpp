// Handing the files and folders left for the restart to the system: WININIT.INI on
// the Windows 95/98/Me family, MoveFileEx elsewhere, checked in what the system
// recorded.

#include "cleanobjs/RebootDeleteList.h"
#include "framework/SysError.h"
#include "framework/UniqueHandle.h"
#include "sysfolders/SysFolders.h"
#include "tests/support/TempFolder.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingRenames = "PendingFileRenameOperations";

// The system's list of renames and deletions for the next restart: pairs of names,
// an empty second name meaning deletion.
std::vector<std::string> PendingRenames() {
  unique_hkey key;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return {};
  key.reset(opened);
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return {};
  std::string data(size, '\0');
  RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr,
                   reinterpret_cast<BYTE*>(data.data()), &size);
  std::vector<std::string> names;
  for (std::size_t start = 0; start < size;) {
    const std::size_t end = data.find('\0', start);
    if (end == std::string::npos || (end == start && start + 1 >= size)) break;
    names.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

void SetPendingRenames(const std::vector<std::string>& names) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &opened), ERROR_SUCCESS);
  unique_hkey key(opened);
  if (names.empty()) {
    RegDeleteValueA(key.get(), kPendingRenames);
    return;
  }
  std::string data;
  for (const std::string& name : names) data += name + '\0';
  data += '\0';
  RegSetValueExA(key.get(), kPendingRenames, 0, REG_MULTI_SZ,
                 reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ShortPath(const std::string& path) {
  char shortPath[MAX_PATH] = {};
  GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
  return shortPath;
}

class RebootDeleteListTest : public testing::Test {
protected:
  void SetUp() override {
    Machine.Windows = Windows.Path();
    Machine.Platform = kPlatformWin32Windows;
  }
  TempFolder Windows;
  TempFolder Files;
  ScriptedSysFolderSource Machine;
};

TEST_F(RebootDeleteListTest, WithoutFailedDeletionsNothingIsWrittenOrRegistered) {
  ASSERT_FALSE(RebootDeleteListExists());
  const std::vector<std::string> before = PendingRenames();
  FlushRebootDeleteList(TSysFolderList(Machine));
  Machine.Platform = 2;
  FlushRebootDeleteList(TSysFolderList(Machine));
  EXPECT_FALSE(Exists(Windows.File("WININIT.INI")));
  EXPECT_EQ(PendingRenames(), before);
}

TEST_F(RebootDeleteListTest, Windows95GetsNulLinesWithShortPathsAddedToItsRenameSection) {
  const std::string file = Files.File("a long file name.tmp");
  WriteWholeFile(file, "x");
  const std::string gone = Files.File("gone for good.tmp");
  WriteWholeFile(Windows.File("WININIT.INI"), "[rename]\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\n");
  AddRebootDeleteFile(file);
  AddRebootDeleteFile(gone);
  AddRebootDeleteFolder(Files.Path());
  AddRebootDeleteFolder(Files.Path());

  FlushRebootDeleteList(TSysFolderList(Machine));
  EXPECT_FALSE(RebootDeleteListExists()) << "the flush destroys the list";
  EXPECT_EQ(ReadWholeFile(Windows.File("WININIT.INI")),
            "[rename]\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\nnul=" + ShortPath(file) + "\r\nnul=" + gone +
                "\r\nnul=" + ShortPath(Files.Path()) + "\r\nnul=" + ShortPath(Files.Path()) + "\r\n")
      << "a path with no short form is written as it is";
  EXPECT_NE(ShortPath(file), file) << "the short form differs, or the test proves nothing";
}

TEST_F(RebootDeleteListTest, AWinInitThatCannotBeWrittenIsReportedAndTheListIsGone) {
  Machine.Windows = Windows.File("missing folder");
  AddRebootDeleteFile(Files.File("a.tmp"));
  EXPECT_THROW(FlushRebootDeleteList(TSysFolderList(Machine)), ECommandError);
  EXPECT_FALSE(RebootDeleteListExists());
}

TEST_F(RebootDeleteListTest, OtherPlatformsRegisterEachEntryForDeletionAtRestart) {
  const std::vector<std::string> before = PendingRenames();
  const std::string file = Files.File("locked.tmp");
  WriteWholeFile(file, "x");
  AddRebootDeleteFile(file);
  AddRebootDeleteFolder(Files.Path());
  Machine.Platform = 2;
  FlushRebootDeleteList(TSysFolderList(Machine));
  const std::vector<std::string> after = PendingRenames();
  SetPendingRenames(before);

  EXPECT_FALSE(RebootDeleteListExists());
  const std::vector<std::string> expected = {"\\??\\" + file, "", "\\??\\" + Files.Path(), ""};
  ASSERT_GE(after.size(), before.size() + expected.size()) << "nothing was registered";
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), after.end() - expected.size()))
      << "each entry is registered for deletion (an empty new name), in order";
  EXPECT_FALSE(Exists(Windows.File("WININIT.INI")));
}

} // namespace
