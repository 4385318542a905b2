// ExpandFolderMacros and InsertFolderMacros on a table of a scripted machine.

#include "sysfolders/SysFolders.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <gtest/gtest.h>

namespace {

class FolderMacros : public ::testing::Test {
protected:
  std::string Expand(const std::string& path) const { return ExpandFolderMacros(*list, path); }
  std::string Insert(const std::string& path) const { return InsertFolderMacros(*list, path); }
  std::string Upper(std::string text) const {
    machine.UpperCase(text.data(), text.size());
    return text;
  }
  void Rebuild() { list = std::make_unique<TSysFolderList>(machine); }

  ScriptedSysFolderSource machine;
  std::unique_ptr<TSysFolderList> list = std::make_unique<TSysFolderList>(machine);
};

TEST_F(FolderMacros, MacroNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(Expand("%WINDOWS%\\x"), "C:\\WINDOWS\\x");
  EXPECT_EQ(Expand("%windows%\\x"), "C:\\WINDOWS\\x");
  EXPECT_EQ(Expand("%Windows%\\x"), "C:\\WINDOWS\\x");
  EXPECT_EQ(Expand("%wInTeMp%"), "C:\\DOCUME~1\\Jo\\LOCALS~1\\Temp");
}

TEST_F(FolderMacros, EveryOccurrenceAnywhereIsExpandedAndTheRestKeepsItsCase) {
  EXPECT_EQ(Expand("%WINDOWS%%WINDOWS%"), "C:\\WINDOWSC:\\WINDOWS");
  EXPECT_EQ(Expand("a%INST%b%DOWNLOAD%c"),
            "aC:\\WINDOWS\\Installerb" "C:\\WINDOWS\\Downloaded Program Filesc");
  EXPECT_EQ(Expand("%WINDOWS%\\B\xE4" "der\\Mixed"), "C:\\WINDOWS\\B\xE4" "der\\Mixed");
}

TEST_F(FolderMacros, UnknownMacrosAndLonePercentSignsStayAsTheyAre) {
  for (const std::string path : {"%NOFOLDER%\\x", "100%", "%", "%%", "%WINDOWS", "WINDOWS%\\x",
                                  "% WINDOWS%", "%W\xCDNDOWS%", ""})
    EXPECT_EQ(Expand(path), path);
  EXPECT_EQ(Expand("%%WINDOWS%%"), "%C:\\WINDOWS%") << "only the delimited name is replaced";
}

TEST_F(FolderMacros, ALongerMacroIsNeverMatchedByAShorterOne) {
  EXPECT_EQ(Expand("%FIREFOX_PROFILE_LOCAL%\\x"),
            "C:\\Documents and Settings\\Jo\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\x");
  EXPECT_EQ(Expand("%FIREFOX_PROFILE%\\x"),
            "C:\\Documents and Settings\\Jo\\Application Data\\Mozilla\\Firefox\\Profiles\\x");
}

TEST_F(FolderMacros, AFolderPathIsInsertedExactlyAsFound) {
  machine.Environment["TEMP"] = "C:\\Temp\\";
  machine.ShellFolders.erase("Recent");
  Rebuild();
  EXPECT_EQ(Expand("%WINTEMP%\\x"), "C:\\Temp\\\\x") << "two backslashes in a row";
  EXPECT_EQ(Expand("%RECENT%\\a"), "\\a") << "an empty folder path replaces its macro by nothing";
}

TEST_F(FolderMacros, ReplacementResumesBehindTheInsertedPath) {
  // A folder whose own path holds its macro: expanding must neither loop nor expand twice.
  list->Clear();
  list->AddFolder("Odd", "C:\\%ODD%", "ODD");
  EXPECT_EQ(Expand("%ODD%\\%ODD%"), "C:\\%ODD%\\C:\\%ODD%");
  // Later entries do work on what earlier ones inserted.
  list->AddFolder("Inner", "D:\\inner", "INNER");
  list->Items(0).SetPath("C:\\%INNER%");
  EXPECT_EQ(Expand("%ODD%"), "C:\\D:\\inner");
}

TEST_F(FolderMacros, InsertTurnsTheFirstFolderInTableOrderIntoItsMacro) {
  EXPECT_EQ(Insert("C:\\WINDOWS\\Installer\\{1234}\\a.msi"), "%WINDOWS%\\Installer\\{1234}\\a.msi");
  EXPECT_EQ(Insert("C:\\WINDOWS\\Downloaded Program Files\\x.ocx"),
            "%WINDOWS%\\Downloaded Program Files\\x.ocx");
  EXPECT_EQ(Insert("C:\\Documents and Settings\\Jo\\Cookies\\jo@site.txt"), "%PROFILE%\\Cookies\\jo@site.txt");
  EXPECT_EQ(Insert("C:\\Program Files\\Opera\\profile"), "%PROGRAMFILES%\\Opera\\profile");
}

TEST_F(FolderMacros, InsertMatchesTextAnywhereAndWhateverItsCase) {
  EXPECT_EQ(Insert("C:\\WINDOWS2\\x"), "%WINDOWS%2\\x") << "not by whole path components";
  EXPECT_EQ(Insert("D:\\Backup of C:\\WINDOWS\\x"), "D:\\Backup of %WINDOWS%\\x");
  EXPECT_EQ(Insert("c:\\windows\\x"), "%WINDOWS%\\x");
  EXPECT_EQ(Insert("c:\\windows;C:\\Windows"), "%WINDOWS%;%WINDOWS%");
}

TEST_F(FolderMacros, CaseIsFoldedByTheAnsiRulesAboveTheAsciiLetters) {
  machine.Shell[kCsidlProfile] = "C:\\Users\\J\xFCrgen \xE6\x9A";      // "Jürgen æš"
  Rebuild();
  EXPECT_EQ(Insert("C:\\USERS\\J\xDCRGEN \xC6\x8A\\x"), "%PROFILE%\\x"); // "JÜRGEN ÆŠ"
  EXPECT_EQ(Insert("C:\\Users\\Jurgen \xE6\x9A\\x"), "C:\\Users\\Jurgen \xE6\x9A\\x")
      << "u and \xFC are different letters";
  EXPECT_EQ(Expand("%profile%\\\xE9t\xE9"), "C:\\Users\\J\xFCrgen \xE6\x9A\\\xE9t\xE9")
      << "the copied text keeps its own case";
}

TEST_F(FolderMacros, PathsWithoutAFolderAndEmptyFolderPathsAreLeftAlone) {
  machine.ShellFolders.erase("Recent");
  machine.ShellFolders.erase("History");
  Rebuild();
  for (const std::string path : {"D:\\Data\\x.txt", "", "\\a", "relative\\x", "%WINDOWS%\\x"})
    EXPECT_EQ(Insert(path), path);
}

TEST_F(FolderMacros, InsertingThenExpandingGivesThePickedPathBackUpToCase) {
  for (const std::string picked :
       {"C:\\WINDOWS\\Installer\\a.msi", "c:\\windows\\temp", "C:\\WINDOWS2\\x",
        "C:\\Documents and Settings\\Jo\\Local Settings\\History\\h.dat", "C:\\DOCUME~1\\Jo\\LOCALS~1\\Temp\\t",
        "c:\\program files\\opera\\profile\\opera6.ini", "D:\\elsewhere", "100%"}) {
    const std::string inserted = Insert(picked);
    EXPECT_EQ(Upper(Expand(inserted)), Upper(picked)) << picked << " -> " << inserted;
  }
}

TEST_F(FolderMacros, TheProgramsTableIsUsedWhenThereIsOne) {
  EXPECT_EQ(ExpandFolderMacros("%WINDOWS%\\x"), "%WINDOWS%\\x") << "no table: nothing to expand";
  SysFolderList = std::make_unique<TSysFolderList>(machine);
  EXPECT_EQ(ExpandFolderMacros("%WINDOWS%\\x"), "C:\\WINDOWS\\x");
  EXPECT_EQ(InsertFolderMacros("C:\\WINDOWS\\x"), "%WINDOWS%\\x");
  SysFolderList.reset();
}

} // namespace
