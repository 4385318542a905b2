#include "ppj/RuleExport.h"

#include "tests/plugin/RecordBuilders.h"
#include "tests/ppj/OpenedCodePage.h"

#include <gtest/gtest.h>

using namespace plugin;

namespace {

constexpr std::uint32_t kPerformanceData = 0x80000004; // a root key of no rule

PlugInRecords PlugIn(std::string name, std::string author, std::vector<ItemRecord> items) {
  return PlugInRecords{PlugInHeader{std::move(name), std::move(author), 0, 0}, std::move(items)};
}

std::string NotesOf(const ExportedEntry& entry) {
  std::string text;
  for (const ExportNote& note : entry.Notes)
    text += "\n  item " + std::to_string(note.ItemNumber) + (note.LeftOut ? " left out: " : ": ") +
            note.Reason;
  return text.empty() ? " none" : text;
}

} // namespace

// Each case is one item alone: its key line when it is exported, else a piece of the
// reason it is left out for.
TEST(RuleExport, EachItemBecomesItsKeyOrIsLeftOutWithItsReason) {
  struct Case {
    const char* What;
    ItemRecord Item;
    std::string Key;    // the item's key line
    std::string Reason; // or why it is left out
    int Page = 1252;
  };
  const Case cases[] = {
      {"%WINDOWS%", File("%WINDOWS%\\setup.log"), "FileKey1=%WinDir%|setup.log", ""},
      {"%PROFILE%", File("%PROFILE%\\AppData\\x.tmp"), "FileKey1=%UserProfile%\\AppData|x.tmp", ""},
      {"%WINTEMP%", Folder("%WINTEMP%\\Foo", {"*.tmp"}), "FileKey1=%Temp%\\Foo|*.tmp|RECURSE", ""},
      {"%INST%", Folder("%INST%\\$PatchCache$", {"*.msp", "*.log"}),
       "FileKey1=%WinDir%\\Installer\\$PatchCache$|*.msp;*.log|RECURSE", ""},
      {"%DOWNLOAD%", File("%DOWNLOAD%\\a.inf"), "FileKey1=%WinDir%\\Downloaded Program Files|a.inf",
       ""},
      {"final separator of a folder", Folder("%WINTEMP%\\", {"*.tmp"}),
       "FileKey1=%Temp%|*.tmp|RECURSE", ""},
      {"masks without a rule form dropped", Folder("%WINTEMP%", {"", "a;b", "*.log", "b|c", " x"}),
       "FileKey1=%Temp%|*.log|RECURSE", ""},
      {"1252 text as UTF-8", File("%PROFILE%\\caf\xE9.txt"),
       "FileKey1=%UserProfile%|caf\xC3\xA9.txt", ""},
      {"932 character", File("%WINDOWS%\\\x93\xFA.log"), "FileKey1=%WinDir%|\xE6\x97\xA5.log", "",
       932},
      {"932 character whose second byte is \"\\\"", File("%WINDOWS%\\\x95\x5C.log"), "",
       "is that of \"\\\"", 932},
      {"one value, leading \"\\\" dropped", Registry(kCurrentUser, 0, "\\Software\\Foo", "Last"),
       "RegKey1=HKCU\\Software\\Foo|Last", ""},
      {"whole key", Registry(kCurrentUser, 1, "Software\\Foo\\"), "RegKey1=HKCU\\Software\\Foo",
       ""},
      {"HKU", Registry(kUsers, 1, ".DEFAULT\\Software\\Foo"),
       "RegKey1=HKU\\.DEFAULT\\Software\\Foo", ""},

      {"%PROGRAMFILES%", File("%PROGRAMFILES%\\Foo\\a.log"), "", "Program Files (x86)"},
      {"%RECENT%", File("%RECENT%\\a.lnk"), "", "differs between Windows versions"},
      {"%COOKIES%", Folder("%COOKIES%", {"*.txt"}), "", "differs between Windows versions"},
      {"browser macro", Folder("%FIREFOX_PROFILE%", {"*.tmp"}), "",
       "differs between Windows versions"},
      {"System32", File("%WINDOWS%\\System32\\a.log"), "", "SysWOW64"},
      {"System32 by its stream", File("%WINDOWS%\\System32::$INDEX_ALLOCATION\\a.log"), "",
       "names a stream"},
      {"Windows folder and its subfolders", Folder("%WINDOWS%", {"*.log"}), "", "include System32"},
      {"no leading macro", File("C:\\Windows\\a.log"), "",
       "does not begin with a system folder macro"},
      {"HKLM\\Software", Registry(kLocalMachine, 1, "Software\\Foo"), "", "WOW6432Node"},
      {"HKCR\\CLSID", Registry(kClassesRoot, 0, "CLSID\\{1}", "x"), "", "WOW6432Node"},
      {"all values of a key", Registry(kCurrentUser, 2, "Software\\Foo"), "", "every value"},
      {"default value", Registry(kCurrentUser, 0, "Software\\Foo", ""), "", "default value"},
      {"wildcard in a key", Registry(kCurrentUser, 1, "Software\\Foo*"), "", "wildcard"},
      {"\"|\" in a value name", Registry(kCurrentUser, 0, "Software\\Foo", "a|b"), "",
       "split the rule's fields"},
      {"\"%\" in a key", Registry(kCurrentUser, 1, "Software\\%Foo%"), "", "expand"},
      {"blank ending a key", Registry(kCurrentUser, 1, "Software\\Foo "), "",
       "ends in white space"},
      {"line break in a key", Registry(kCurrentUser, 1, "Software\\Foo\r\nRegKey2=HKCU\\Software"),
       "", "control character"},
      {"root key of no rule", Registry(kPerformanceData, 0, "Foo", "x"), "", "none of the five"},
      {"wildcard file name", File("%WINDOWS%\\*.log"), "", "the first file it matches"},
      {"DOS wildcard in a file name", File("%WINDOWS%\\a<.log"), "", "the first file it matches"},
      {"stream of a file", File("%WINDOWS%\\a.log:x"), "", "names a stream"},
      {"regedit.exe", File("%WINDOWS%\\REGEDIT.EXE"), "", "SysWOW64"},
      {"\";\" in a file name", File("%WINDOWS%\\a;b.log"), "", "another pattern"},
      {"\"|\" in a path", File("%WINDOWS%\\a|b.log"), "", "split the rule's fields"},
      {"no file name", File("%WINDOWS%\\Logs\\"), "", "names no file"},
      {"no mask left", Folder("%WINTEMP%", {"", "a;b"}), "", "no mask is left"},
      {"lint: relative path", File("Logs\\a.log"), "", "is neither a full path"},
      {"lint: dot segment", Folder("%WINTEMP%\\..\\..", {"*.log"}), "", "is neither a full path"},
      {"lint: unknown macro", File("%FOO%\\a.log"), "", "stays as written"},
      {"lint: mask naming another folder", Folder("%WINTEMP%", {"..\\*.txt"}), "",
       "names another folder"},
      {"lint: all files of a system folder", Folder("%PROFILE%", {"*.*"}), "",
       "every file in and below the system folder"},
      {"byte of no character", File("%WINDOWS%\\a\x93"), "",
       "holds a byte that code page 932 has no character for", 932},
  };
  for (const Case& c : cases) {
    const ExportedEntry entry = ExportEntry(PlugIn("P", "", {c.Item}), OpenedCodePage(c.Page));
    if (!c.Key.empty()) {
      EXPECT_NE(entry.Ini.find("\r\n" + c.Key + "\r\n"), std::string::npos)
          << c.What << ": no line " << c.Key << " in:\n"
          << entry.Ini << "notes:" << NotesOf(entry);
      EXPECT_EQ(entry.ItemsExported, 1) << c.What;
      continue;
    }
    EXPECT_EQ(entry.Ini, "") << c.What << ": exported, though it should be left out";
    EXPECT_EQ(entry.ItemsLeftOut, 1) << c.What;
    const bool found = entry.Notes.size() == 1 && entry.Notes[0].LeftOut &&
                       entry.Notes[0].Reason.find(c.Reason) != std::string::npos;
    EXPECT_TRUE(found) << c.What << ": expected left out for \"" << c.Reason
                       << "\", notes:" << NotesOf(entry);
  }
}

TEST(RuleExport, EntryHasTheHeaderOneDetectionAndItsKeysInItemOrder) {
  struct Note {
    int ItemNumber;
    bool LeftOut;
    const char* Reason; // a piece of it
  };
  struct Case {
    const char* What;
    PlugInRecords Records;
    std::string Ini;
    std::vector<Note> Notes;
    int Exported;
    int LeftOut;
    int Page = 1252;
  };
  const Case cases[] = {
      {"a folder of a file item is found, though a registry item comes first",
       PlugIn("Foo]Bar\r\n", "Me",
              {Registry(kCurrentUser, 1, "Software\\Foo"), File("%WINDOWS%\\a.log"),
               Registry(kCurrentUser, 2, "Software\\Foo"), Folder("%WINTEMP%", {"*.tmp"}, 1),
               Registry(kCurrentUser, 0, "Software\\Bar", "Last")}),
       "[Foo Bar   *]\r\n"
       "Section=Me\r\n"
       "DetectFile=%WinDir%\r\n"
       "RegKey1=HKCU\\Software\\Foo\r\n"
       "FileKey1=%WinDir%|a.log\r\n"
       "FileKey2=%Temp%|*.tmp|RECURSE\r\n"
       "RegKey2=HKCU\\Software\\Bar|Last\r\n",
       {{0, false, "blanks in the entry's name"},
        {3, true, "every value"},
        {4, false, "REMOVESELF"}},
       4,
       1},
      {"registry items alone are found by their first key; no author, no Section",
       PlugIn("Keys", "",
              {Registry(kLocalMachine, 1, "Software\\X"),
               Registry(kCurrentUser, 0, "Software\\A", "v")}),
       "[Keys *]\r\n"
       "Detect=HKCU\\Software\\A\r\n"
       "RegKey1=HKCU\\Software\\A|v\r\n",
       {{1, true, "WOW6432Node"}},
       1,
       1},
      {"no item exported",
       PlugIn("None", "Me", {File("%RECENT%\\a.lnk")}),
       "",
       {{1, true, "differs"}},
       0,
       1},
      {"a name of no character",
       PlugIn("a\x93", "Me", {File("%WINDOWS%\\a.log")}),
       "",
       {{0, true, "nothing is exported"}},
       0,
       1,
       932},
      {"an author of no character",
       PlugIn("P", "\x93", {File("%WINDOWS%\\a.log")}),
       "[P *]\r\nDetectFile=%WinDir%\r\nFileKey1=%WinDir%|a.log\r\n",
       {{0, false, "no Section="}},
       1,
       0,
       932},
  };
  for (const Case& c : cases) {
    const ExportedEntry entry = ExportEntry(c.Records, OpenedCodePage(c.Page));
    EXPECT_EQ(entry.Ini, c.Ini) << c.What;
    EXPECT_EQ(entry.ItemsExported, c.Exported) << c.What;
    EXPECT_EQ(entry.ItemsLeftOut, c.LeftOut) << c.What;
    bool same = entry.Notes.size() == c.Notes.size();
    for (std::size_t i = 0; same && i < c.Notes.size(); ++i)
      same = entry.Notes[i].ItemNumber == c.Notes[i].ItemNumber &&
             entry.Notes[i].LeftOut == c.Notes[i].LeftOut &&
             entry.Notes[i].Reason.find(c.Notes[i].Reason) != std::string::npos;
    EXPECT_TRUE(same) << c.What << ": other notes:" << NotesOf(entry);
  }
}
