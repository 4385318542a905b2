// Handing the files and folders left for the restart to the system: WININIT.INI on
// the Windows 95/98/Me family, MoveFileEx elsewhere, checked in what the system
// recorded.

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/RebootDeleteList.h"
#include "framework/SysError.h"
#include "framework/UniqueHandle.h"
#include "sysfolders/SysFolders.h"
#include "tests/cleanobjs/FolderLink.h"
#include "tests/support/TempFolder.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

TEST_F(RebootDeleteListTest, AFileIsListedOnceInAnyLetterCaseHoweverLongTheList) {
  // Enough files for the list's index to grow several times over.
  std::vector<std::string> expected;
  for (int i = 0; i < 1000; ++i) {
    expected.push_back(Files.File("file" + std::to_string(i) + ".tmp"));
    AddRebootDeleteFile(expected.back());
  }
  // The list ignores letter case as lstrcmpiA does, letters beyond ASCII included.
  const std::pair<const char*, const char*> pairs[] = {
      {"Report.TMP", "report.tmp"}, {"\xC4rger.tmp", "\xE4rger.tmp"}, {"a.tmp", "a.tmq"},
      {"a.tmp", "a.tmp.tmp"}, {"file-a.tmp", "filea.tmp"}};
  for (const auto& [first, again] : pairs) {
    AddRebootDeleteFile(Files.File(first));
    const bool listedAlready = std::any_of(expected.begin(), expected.end(), [&](const std::string& entry) {
      return lstrcmpiA(entry.c_str(), Files.File(first).c_str()) == 0;
    });
    if (!listedAlready) expected.push_back(Files.File(first));
    AddRebootDeleteFile(Files.File(again));
    if (lstrcmpiA(first, again) != 0) expected.push_back(Files.File(again));
  }
  ASSERT_EQ(lstrcmpiA("\xC4", "\xE4"), 0) << "the code page has no case pair here";
  for (int i = 0; i < 1000; ++i) {
    std::string upper = Files.File("FILE" + std::to_string(i) + ".TMP");
    AddRebootDeleteFile(upper);
  }
  AddRebootDeleteFolder(Files.Path());
  AddRebootDeleteFolder(Files.Path());
  expected.push_back(Files.Path());
  expected.push_back(Files.Path());
  EXPECT_EQ(GetRebootDeleteList(), expected) << "a folder is listed each time";
  FlushRebootDeleteList(TSysFolderList(Machine));
}

TEST_F(RebootDeleteListTest, AnEntryNowReachedThroughALinkIsDroppedOnEveryPlatform) {
  for (const DWORD platform : {DWORD{kPlatformWin32Windows}, DWORD{VER_PLATFORM_WIN32_NT}}) {
    const TempFolder files;
    for (const char* name : {"sub\\", "outside\\"}) CreateDirectoryA(files.File(name).c_str(), nullptr);
    for (const char* name : {"sub\\a.tmp", "outside\\a.tmp", "in use.tmp", "a long file name.tmp"})
      WriteWholeFile(files.File(name), "x");
    const unique_hfile inUse(CreateFileA(files.File("in use.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(inUse);
    const std::string shortName = ShortPath(files.File("a long file name.tmp"));
    ASSERT_NE(shortName, files.File("a long file name.tmp")) << "the test needs an 8.3 form that differs";
    // Kept: a file in use, one named by its 8.3 form, one gone by now.
    const std::vector<std::string> kept{files.File("in use.tmp"), shortName, files.File("gone.tmp")};
    AddRebootDeleteFile(files.File("sub\\a.tmp"));
    for (const std::string& entry : kept) AddRebootDeleteFile(entry);
    AddRebootDeleteFolder(files.File("sub"));
    // After the failed deletions the folder is swapped for a link to another one.
    ASSERT_TRUE(MoveFileA(files.File("sub").c_str(), files.File("sub-old").c_str()));
    ASSERT_TRUE(MakeFolderLink(files.File("sub"), files.File("outside"))) << "no folder link could be made";

    const std::vector<std::string> before = PendingRenames();
    Machine.Platform = platform;
    FlushRebootDeleteList(TSysFolderList(Machine));
    const std::vector<std::string> after = PendingRenames();
    SetPendingRenames(before);

    if (platform == kPlatformWin32Windows) {
      std::string lines = "[rename]\r\n";
      for (const std::string& entry : kept) {
        const std::string shortForm = ShortPath(entry);
        lines += "nul=" + (shortForm.empty() ? entry : shortForm) + "\r\n"; // a gone one as it is
      }
      EXPECT_EQ(ReadWholeFile(Windows.File("WININIT.INI")), lines);
    } else {
      std::vector<std::string> registered(after.begin() + std::min(before.size(), after.size()), after.end());
      std::vector<std::string> expected;
      for (const std::string& entry : kept) expected.insert(expected.end(), {"\\??\\" + entry, ""});
      EXPECT_EQ(registered, expected) << "the entries through the link are not registered";
    }
  }
}

} // namespace

// A 32-bit program finds the files of System32 in SysWOW64, while the restart, run by
// the 64-bit system, takes System32 as it is: the file found must be what is registered.
TEST(RebootDeleteList, AFileFoundInSystem32IsRegisteredWhereTheSystemKeepsIt) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string name = "varnex-" + std::to_string(GetCurrentProcessId()) + ".tst";
  const std::string found = std::string(windows) + "\\SysWOW64\\" + name; // no redirection there
  const std::string typed = std::string(windows) + "\\System32\\" + name;
  {
    unique_hfile file(CreateFileA(found.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(file) << "cannot make " << found;
  }
  ASSERT_TRUE(Exists(typed)) << "a 32-bit program sees SysWOW64 as System32";
  TCleanFile item("Sys", typed);
  item.CollectInfo();
  {
    // In use by a program that does not allow its deletion: left for the restart.
    unique_hfile held(CreateFileA(found.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    item.Clean();
  }
  const std::vector<std::string> before = PendingRenames();
  FlushRebootDeleteList(TSysFolderList(ScriptedSysFolderSource{}));
  const std::vector<std::string> after = PendingRenames();
  SetPendingRenames(before);
  DeleteFileA(found.c_str());

  ASSERT_EQ(after.size(), before.size() + 2);
  EXPECT_EQ(lstrcmpiA(after[before.size()].c_str(), ("\\??\\" + found).c_str()), 0)
      << after[before.size()] << ": the restart would delete System32's own file of that name";
}
