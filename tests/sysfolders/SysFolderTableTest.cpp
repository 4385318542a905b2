// The system folder table built on scripted machines: its order and texts, every
// fallback of every rule, and the list operations.

#include "framework/FrameworkErrors.h"
#include "sysfolders/SysFolderRules.h"
#include "sysfolders/SysFolders.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <gtest/gtest.h>

namespace {

struct Row {
  std::string Description, Path, MacroName;
};

std::vector<Row> Rows(const TSysFolderList& list) {
  std::vector<Row> rows;
  for (int i = 0; i < list.Count(); ++i)
    rows.push_back({list.Items(i).Description(), list.Items(i).Path(), list.Items(i).MacroName()});
  return rows;
}

std::string PathOf(const TSysFolderList& list, const std::string& macroName) {
  for (const Row& row : Rows(list))
    if (row.MacroName == macroName) return row.Path;
  ADD_FAILURE() << "no entry " << macroName;
  return {};
}

void ExpectRows(const TSysFolderList& list, const std::vector<Row>& expected) {
  const std::vector<Row> rows = Rows(list);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].Description, expected[i].Description) << "entry " << i + 1;
    EXPECT_EQ(rows[i].Path, expected[i].Path) << "entry " << i + 1;
    EXPECT_EQ(rows[i].MacroName, expected[i].MacroName) << "entry " << i + 1;
  }
}

TEST(SysFolderTable, HasTheThirteenEntriesInOrderOnAnNTMachine) {
  ScriptedSysFolderSource machine;
  const TSysFolderList list(machine);
  const std::string profile = "C:\\Documents and Settings\\Jo";
  ExpectRows(list, {
      {"Windows Folder", "C:\\WINDOWS", "WINDOWS"},
      {"Profile Folder", profile, "PROFILE"},
      {"Program Files Folder", "C:\\Program Files", "PROGRAMFILES"},
      {"Windows Temporary Folder", "C:\\DOCUME~1\\Jo\\LOCALS~1\\Temp", "WINTEMP"},
      {"Installer Directory", "C:\\WINDOWS\\Installer", "INST"},
      {"Recent Folder", profile + "\\Recent", "RECENT"},
      {"Temp Internet Files Folder", profile + "\\Local Settings\\Temporary Internet Files", "TEMPINTERNET"},
      {"Browser History Folder", profile + "\\Local Settings\\History", "HISTORY"},
      {"Cookies Folder", profile + "\\Cookies", "COOKIES"},
      {"Download File Folder", "C:\\WINDOWS\\Downloaded Program Files", "DOWNLOAD"},
      {"Opera Profile Folder", profile + "\\Application Data\\Opera\\Opera\\profile", "OPERA_PROFILE"},
      {"FireFox Profiles Folder", profile + "\\Application Data\\Mozilla\\Firefox\\Profiles", "FIREFOX_PROFILE"},
      {"FireFox Profiles Folder Local",
       profile + "\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles", "FIREFOX_PROFILE_LOCAL"},
  });
}

TEST(SysFolderTable, OnThe95FamilyTheBrowserEntriesAreBuiltOnProgramFilesAndWindows) {
  ScriptedSysFolderSource machine;
  machine.Platform = kPlatformWin32Windows;
  machine.Shell.erase(kCsidlProfile); // as Windows 98 without profiles
  machine.Shell[kCsidlProgramFiles] = "D:\\Programme";
  const TSysFolderList list(machine);
  EXPECT_EQ(PathOf(list, "OPERA_PROFILE"), "D:\\Programme\\Opera\\profile");
  EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE"), "C:\\WINDOWS\\Application Data\\Mozilla\\Firefox\\Profiles");
  EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE_LOCAL"), PathOf(list, "FIREFOX_PROFILE"));
  EXPECT_EQ(PathOf(list, "PROFILE"), "C:\\Documents and Settings\\Jo\\My Documents")
      << "the profile entry itself still follows its rule";
}

TEST(SysFolderTable, OnlyPlatformIdOneIsThe95Family) {
  ScriptedSysFolderSource machine;
  for (const std::uint32_t id : {0u, 2u, 3u}) {
    machine.Platform = id;
    EXPECT_TRUE(IsNTPlatform(machine)) << id;
  }
  machine.Platform = 1;
  EXPECT_FALSE(IsNTPlatform(machine));
}

TEST(SysFolderTable, TheWindowsFolderFallsBackToTheShellAndThenToAFixedText) {
  ScriptedSysFolderSource machine;
  machine.Windows = "D:\\WIN";
  machine.Shell[kCsidlWindows] = "E:\\WINNT";
  machine.Shell.erase(kCsidlProgramFiles);
  EXPECT_EQ(PathOf(TSysFolderList(machine), "WINDOWS"), "D:\\WIN") << "GetWindowsDirectory first";
  EXPECT_EQ(PathOf(TSysFolderList(machine), "PROGRAMFILES"), "D:\\Program Files");
  machine.Windows = "";
  {
    const TSysFolderList list(machine);
    EXPECT_EQ(PathOf(list, "WINDOWS"), "E:\\WINNT");
    EXPECT_EQ(PathOf(list, "INST"), "E:\\WINNT\\Installer");
    EXPECT_EQ(PathOf(list, "DOWNLOAD"), "E:\\WINNT\\Downloaded Program Files");
    EXPECT_EQ(PathOf(list, "PROGRAMFILES"), "E:\\Program Files") << "the Windows folder's drive";
  }
  machine.Shell.erase(kCsidlWindows);
  const TSysFolderList list(machine);
  EXPECT_EQ(PathOf(list, "WINDOWS"), "C:\\Windows");
  EXPECT_EQ(PathOf(list, "INST"), "C:\\Windows\\Installer");
  EXPECT_EQ(PathOf(list, "PROGRAMFILES"), "C:\\Program Files");
}

TEST(SysFolderTable, TheProfileFallsBackToTheDocumentsFolderAndThenToAFixedText) {
  ScriptedSysFolderSource machine;
  machine.Shell.erase(kCsidlProfile);
  machine.ShellFolders["Personal"] = "D:\\Docs";
  {
    const TSysFolderList list(machine);
    EXPECT_EQ(PathOf(list, "PROFILE"), "D:\\Docs");
    EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE"), "D:\\Docs\\Application Data\\Mozilla\\Firefox\\Profiles");
  }
  // A missing value and one of another type both reach the source as empty text.
  machine.ShellFolders.erase("Personal");
  const TSysFolderList list(machine);
  EXPECT_EQ(PathOf(list, "PROFILE"), "C:\\My Documents");
  EXPECT_EQ(PathOf(list, "OPERA_PROFILE"), "C:\\My Documents\\Application Data\\Opera\\Opera\\profile");
  EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE_LOCAL"),
            "C:\\My Documents\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles");
}

TEST(SysFolderTable, TheTempFolderIsTempThenTmpThenTheShellsWindowsFolder) {
  ScriptedSysFolderSource machine;
  machine.Environment["TEMP"] = "C:\\Temp\\"; // used exactly as it stands
  EXPECT_EQ(PathOf(TSysFolderList(machine), "WINTEMP"), "C:\\Temp\\");
  machine.Environment.erase("TEMP");
  EXPECT_EQ(PathOf(TSysFolderList(machine), "WINTEMP"), "C:\\Tmp");
  machine.Environment.erase("TMP");
  // The shell is asked directly, even when GetWindowsDirectory knows another folder.
  machine.Windows = "D:\\WIN";
  machine.Shell[kCsidlWindows] = "E:\\SHELL";
  EXPECT_EQ(PathOf(TSysFolderList(machine), "WINTEMP"), "E:\\SHELL\\Temp");
  machine.Shell.erase(kCsidlWindows);
  EXPECT_EQ(PathOf(TSysFolderList(machine), "WINTEMP"), "\\Temp");
}

TEST(SysFolderTable, ShellFolderEntriesAreEmptyWithoutTheirValue) {
  ScriptedSysFolderSource machine;
  machine.ShellFolders = {{"Personal", "D:\\Docs"}, {"Cookies", "D:\\Cookies"}};
  const TSysFolderList list(machine);
  ASSERT_EQ(list.Count(), 13);
  EXPECT_EQ(PathOf(list, "RECENT"), "");
  EXPECT_EQ(PathOf(list, "TEMPINTERNET"), "");
  EXPECT_EQ(PathOf(list, "HISTORY"), "");
  EXPECT_EQ(PathOf(list, "COOKIES"), "D:\\Cookies");
}

TEST(SysFolderTable, EveryEntryAsksThePlatformAfresh) {
  // A machine whose Windows folder moves between calls shows which entries ask for it.
  ScriptedSysFolderSource machine;
  machine.Platform = kPlatformWin32Windows;
  machine.WindowsDirectories = {"C:\\W1", "C:\\W2", "C:\\W3", "C:\\W4", "C:\\W5"};
  const TSysFolderList list(machine);
  EXPECT_EQ(PathOf(list, "WINDOWS"), "C:\\W1");
  EXPECT_EQ(PathOf(list, "INST"), "C:\\W2\\Installer");
  EXPECT_EQ(PathOf(list, "DOWNLOAD"), "C:\\W3\\Downloaded Program Files");
  EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE"), "C:\\W4\\Application Data\\Mozilla\\Firefox\\Profiles");
  EXPECT_EQ(PathOf(list, "FIREFOX_PROFILE_LOCAL"), "C:\\W5\\Application Data\\Mozilla\\Firefox\\Profiles");
  EXPECT_EQ(machine.WindowsDirectoryCalls, 5);
}

TEST(SysFolderList, FindPathByDescriptionFoldsOnlyTheLettersAToZ) {
  ScriptedSysFolderSource machine;
  TSysFolderList list(machine);
  EXPECT_EQ(list.FindPathByDescription("Windows Folder"), "C:\\WINDOWS");
  EXPECT_EQ(list.FindPathByDescription("windows folder"), "C:\\WINDOWS");
  EXPECT_EQ(list.FindPathByDescription("WINDOWS FOLDER"), "C:\\WINDOWS");
  EXPECT_EQ(list.FindPathByDescription("Windows"), "(failed)") << "whole texts only";
  EXPECT_EQ(list.FindPathByDescription("Windows Folder "), "(failed)");
  EXPECT_EQ(list.FindPathByDescription(""), "(failed)");

  list.AddFolder("M\xFCll", "D:\\small", "A");  // "Müll"
  list.AddFolder("M\xDCll", "D:\\capital", "B"); // "MÜll"
  EXPECT_EQ(list.FindPathByDescription("m\xFCLL"), "D:\\small");
  EXPECT_EQ(list.FindPathByDescription("M\xDCLL"), "D:\\capital")
      << "letters above 0x7F are compared as they are";
  list.AddFolder("Windows Folder", "D:\\second", "C");
  EXPECT_EQ(list.FindPathByDescription("Windows Folder"), "C:\\WINDOWS") << "the first match wins";
}

TEST(SysFolderList, AnIndexOutsideTheTableIsAListError) {
  ScriptedSysFolderSource machine;
  const TSysFolderList list(machine);
  EXPECT_EQ(list.Items(12).MacroName(), "FIREFOX_PROFILE_LOCAL");
  for (const int index : {13, -1}) {
    try {
      (void)list.Items(index);
      ADD_FAILURE() << "no error for " << index;
    } catch (const EListError& error) {
      EXPECT_EQ(std::string(error.what()), "List index out of bounds (" + std::to_string(index) + ")");
    }
  }
}

TEST(SysFolderList, AssignCopiesTheEntriesIntoEntriesOfItsOwn) {
  ScriptedSysFolderSource machine;
  const TSysFolderList source(machine);
  ScriptedSysFolderSource other;
  other.Windows = "Z:\\OTHER";
  TSysFolderList target(other);
  target.AddFolder("Extra", "Z:\\Extra", "EXTRA");

  target.Assign(source);
  ExpectRows(target, Rows(source));
  EXPECT_NE(&target.Items(0), &source.Items(0));
  target.Items(0).SetPath("changed");
  EXPECT_EQ(source.Items(0).Path(), "C:\\WINDOWS");

  target.Assign(source); // a second Assign replaces, it does not append
  ExpectRows(target, Rows(source));

  target.Assign(target); // from itself: nothing may be lost
  ExpectRows(target, Rows(source));

  target.Clear();
  EXPECT_EQ(target.FindPathByDescription("Windows Folder"), "(failed)");
  target.LoadFolders(); // appends the thirteen again, found on the target's own machine
  EXPECT_EQ(target.Count(), 13);
  EXPECT_EQ(target.Items(0).Path(), "Z:\\OTHER");
}

TEST(SysFolderList, AssignFromAnotherKindIsAConversionErrorAndTheTableStays) {
  ScriptedSysFolderSource machine;
  TSysFolderList list(machine);
  TSysFolder folder;
  folder.SetPath("X");
  try {
    list.Assign(folder);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Cannot assign a TSysFolder to a TSysFolderList");
  }
  EXPECT_EQ(list.Count(), 13);

  // A folder ignores what it cannot copy from.
  folder.Assign(list);
  EXPECT_EQ(folder.Path(), "X");
  folder.Assign(list.Items(0));
  EXPECT_EQ(folder.Path(), "C:\\WINDOWS");
  EXPECT_EQ(folder.MacroName(), "WINDOWS");
  EXPECT_EQ(folder.Description(), "Windows Folder");
}

} // namespace
