#include "ppj/RuleImport.h"

#include "plugin/Lint.h"
#include "tests/ppj/OpenedCodePage.h"

#include <gtest/gtest.h>

using namespace plugin;

namespace {

ImportResult Import(const std::string& ini, int codePage = 1252, std::vector<std::string> patterns = {}) {
  std::string error;
  const std::optional<IniText> text = ReadIniText(ini, error);
  if (!text) throw std::runtime_error(error);
  return ImportEntries(*text, ImportChoice{std::move(patterns), 0.0}, OpenedCodePage(codePage));
}

// An item in one line: "folder %WINTEMP% *.tmp;*.bak remove-empty", "file ...",
// "value HKCU\Software\X|V", "key HKCU\Software\X".
std::string Described(const ItemRecord& item) {
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) {
    const std::string root = registry->RootKey == kCurrentUser ? "HKCU" : std::to_string(registry->RootKey);
    return (registry->Kind == 0 ? "value " : "key ") + root + "\\" + registry->KeyPath +
           (registry->Kind == 0 ? "|" + registry->ValueName : "");
  }
  if (const auto* file = std::get_if<FileBody>(&item.Body)) return "file " + file->Path;
  const auto& folder = std::get<FolderBody>(item.Body);
  std::string masks;
  for (const std::string& mask : folder.Masks) masks += (masks.empty() ? "" : ";") + mask;
  return "folder " + folder.PathPart.Folder + " " + masks +
         (folder.PathPart.RemoveEmptyFolder != 0 ? " remove-empty" : "");
}

std::vector<std::string> Items(const ImportResult& result) {
  std::vector<std::string> items;
  for (const ImportedPlugIn& plugIn : result.PlugIns)
    for (const ItemRecord& item : plugIn.Records.Items) items.push_back(Described(item));
  return items;
}

// "3 left out: reason", one per note.
std::vector<std::string> Notes(const ImportResult& result) {
  std::vector<std::string> notes;
  for (const ImportNote& note : result.Notes) {
    const char* kind = note.Kind == NoteKind::Invalid ? " invalid: " : note.Kind == NoteKind::LeftOut ? " left out: " : " changed: ";
    notes.push_back(std::to_string(note.Line) + kind + note.Reason);
  }
  return notes;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

struct KeyCase {
  const char* Keys;     // the lines after "[Entry *]", which is line 1
  const char* Items;    // the items made, one a line
  const char* Note;     // a text the notes hold, with the line's number; "" for none
};

// Each key form, each variable, and each reason for leaving a line out.
TEST(RuleImport, CarriesEachKeyExactlyOrLeavesItOutWithItsReason) {
  const KeyCase cases[] = {
      {"FileKey1=%WinDir%\\Temp|*.log|RECURSE", "folder %WINDOWS%\\Temp *.log\n", ""},
      {"FileKey1=%SystemRoot%\\Logs|a.txt;b.txt", "file %WINDOWS%\\Logs\\a.txt\nfile %WINDOWS%\\Logs\\b.txt\n", ""},
      {"FileKey1=%UserProfile%\\X\\|a.txt", "file %PROFILE%\\X\\a.txt\n", ""},
      {"FileKey1=%Temp%|*.tmp;;*.bak|REMOVESELF", "folder %WINTEMP% *.tmp;*.bak remove-empty\n", ""},
      {"FileKey1=%WinDir%\\Installer\\$PatchCache$|*.msp|RECURSE", "folder %INST%\\$PatchCache$ *.msp\n", ""},
      {"FileKey1=%windir%\\downloaded program files|*.inf|RECURSE", "folder %DOWNLOAD% *.inf\n", ""},
      {"FileKey1=%AppData%\\Foo|a.cfg", "file %PROFILE%\\AppData\\Roaming\\Foo\\a.cfg\n", ""},
      {"FileKey1=%LocalAppData%\\Foo|*.log|RECURSE", "folder %PROFILE%\\AppData\\Local\\Foo *.log\n", ""},
      {"RegKey1=HKCU\\Software\\Foo\nRegKey2=HKEY_CURRENT_USER\\Software\\Foo|Last Used",
       "key HKCU\\Software\\Foo\nvalue HKCU\\Software\\Foo|Last Used\n", ""},
      {"Detect=HKCU\\Software\\Foo\nDetectFile=%ProgramFiles%\\Foo\nLangSecRef=3021\nSection=Foo\n"
       "DetectOS=6.1|\nSpecialDetect=DET_CHROME\nDefault=False\nRegKey1=HKCU\\Software\\Foo",
       "key HKCU\\Software\\Foo\n", ""},
      {"FileKey1=%ProgramFiles%\\Foo|*.log|RECURSE", "", "2 left out: a 32-bit cleaner finds %ProgramFiles%"},
      {"FileKey1=%WinDir%\\System32\\LogFiles|*.log|RECURSE", "", "2 left out: a 32-bit cleaner finds the files of System32"},
      {"FileKey1=%WinDir%\\sysnative.|x.log", "", "2 left out: a 32-bit cleaner finds the files of System32"},
      {"FileKey1=%WinDir%|*.log|RECURSE", "", "2 left out: its subfolders include System32"},
      {"FileKey1=%SystemDrive%\\Foo|*.log|RECURSE", "", "2 left out: no system folder macro names the folder of %SystemDrive%"},
      {"FileKey1=C:\\Foo|a.txt", "", "2 left out: the path does not begin with a variable"},
      {"FileKey1=%WinDir%Temp|a.txt", "", "2 left out: %WinDir% is not followed by"},
      {"FileKey1=%UserProfile%\\%Foo%|a.txt", "", "2 left out: the path holds a \"%\""},
      {"FileKey1=%LocalAppData%\\*\\Cache|*.tmp|RECURSE", "", "2 left out: the path holds a wildcard in a folder"},
      {"FileKey1=%Temp%|a.txt;*.tmp", "file %WINTEMP%\\a.txt\n", "2 left out: the pattern \"*.tmp\" has a wildcard"},
      {"FileKey1=%Temp%|sub\\a.txt;b:c|RECURSE", "", "2 left out: the pattern \"sub\\a.txt\" holds a character"},
      {"FileKey1=%Temp%|a%PROFILE%.txt", "", "2 left out: the pattern \"a%PROFILE%.txt\" holds a \"%\""},
      {"FileKey1=%Temp%|a.txt; b.txt", "file %WINTEMP%\\a.txt\n", "2 left out: the pattern \" b.txt\" begins or ends in a blank"},
      {"RegKey1=HKCU\\Software\\Foo| v", "", "2 left out: the value name begins or ends in a blank"},
      {"FileKey1=%Temp%|*.tmp|RECURSIVE", "", "2 left out: the option \"RECURSIVE\" is neither"},
      {"FileKey1=%Temp%|*.tmp|recurse", "", "2 left out: the option \"recurse\" is neither"},
      {"FileKey1=%WinDir%|regedit.exe;notepad.exe", "file %WINDOWS%\\notepad.exe\n", "2 left out: the file \"regedit.exe\": a 32-bit cleaner"},
      {"FileKey1=%WinDir%\\LastGood\\System32|*.log|RECURSE", "", "2 left out: a 32-bit cleaner finds the files of System32"},
      {"FileKey1=%Temp%|a.txt\u00A0", "", "2 left out: the pattern \"a.txt\xC2\xA0\" begins or ends in a blank"},
      {"FileKey=%Temp%|a.txt\nFileKey0=%Temp%|a.txt\nfilekey1=%Temp%|a.txt", "", "4 left out: readers know the key as FileKey1"},
      {"FileKey1=%Temp%|a.txt\nFileKey1=%Temp%|b.txt", "", "3 left out: the entry has FileKey1 on lines 2, 3, and a reader takes only one"},
      {"RegKey1=HKCU\\A\n[entry *]\nRegKey1=HKCU\\B", "", "2 left out: entries of this name begin on lines 1, 3"},
      {"RegKey1=hkcu\\Software\\Foo", "", "2 invalid: the root key \"hkcu\" is none of"},
      {"FileKey1=%Temp%|;", "", "2 left out: the FileKey has no pattern"},
      {"FileKey1=%Temp%", "", "2 invalid: a FileKey without \"|\""},
      {"RegKey1=HKXX\\Software\\Foo", "", "2 invalid: the root key \"HKXX\" is none of"},
      {"RegKey1=HKCU\\Software\\Foo|a|b", "", "2 left out: more than one \"|\""},
      {"RegKey1=HKCU\\Software\\Foo|", "", "2 left out: an empty value name"},
      {"RegKey1=HKLM\\SOFTWARE\\Foo|Bar", "", "2 left out: a 32-bit cleaner finds this key under WOW6432Node"},
      {"RegKey1=HKCR\\CLSID\\{0}", "", "2 left out: a 32-bit cleaner finds this key under WOW6432Node"},
      {"RegKey1=HKU\\S-1-5-21_Classes\\Interface", "", "2 left out: a 32-bit cleaner finds this key"},
      {"RegKey1=HKCU\\Software", "", "2 left out: the key holds keys that a 32-bit cleaner finds"},
      {"RegKey1=HKCU\\Software\\Foo\\*", "key HKCU\\Software\\Foo\\*\n", ""},
      {"RegKey1=HKCU", "", "2 left out: the key holds keys that a 32-bit cleaner finds"},
      {"RegKey1=HKCC\\", "", "2 left out: the checks call the item an error [whole-key-on-root]"},
      {"FileKey1=%WinDir%\\..|x.txt", "", "2 left out: the checks call the item an error [path-not-full]"},
      {"FileKey1=%UserProfile%|*|RECURSE", "", "[system-folder-all-files]"},
      {"FileKey1=%Temp%|*.tmp|RECURSE\nExcludeKey1=FILE|%Temp%\\Keep\\|a.tmp", "", "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%LocalAppData%\\Foo|*.log|RECURSE\nExcludeKey1=PATH|%UserProfile%\\AppData\\Local\\|*.log",
       "", "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\Foo|*.log|RECURSE\nExcludeKey1=PATH|%Temp%\\Bar|*.log", "",
       "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\Foo|*.log|RECURSE\nExcludeKey1=PATH|%ProgramFiles%\\Foo|*.log", "",
       "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\Foo|*.log|RECURSE\nExcludeKey1=PATH|%UserProfile%\\Bar|*.log\n"
       "ExcludeKey2=REG|HKCU\\Software\\Foo",
       "folder %PROFILE%\\Foo *.log\n", ""},
      {"RegKey1=HKCU\\Software\\Foo\nExcludeKey1=REG|HKU\\S-1-5-21\\Software\\Foo\\Keep|v", "",
       "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\\xC3\x84rger|*.tmp|RECURSE\nExcludeKey1=PATH|%UserProfile%\\\xC3\xA4rger\\Keep|*.tmp",
       "", "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\My Documents|*.tmp|RECURSE\nExcludeKey1=PATH|%UserProfile%\\MYDOCU~1\\Keep|*.tmp",
       "", "2 left out: the ExcludeKey on line 3"},
      {"FileKey1=%UserProfile%\\Docs|*.tmp|RECURSE\nExcludeKey1=PATH|%UserProfile%\\X\\..\\Docs\\Keep|*.tmp",
       "", "2 left out: the ExcludeKey on line 3"},
      {"RegKey1=HKCC\\Software\\Foo\nExcludeKey1=REG|HKLM\\SYSTEM\\ControlSet001\\Hardware Profiles\\0001\\Software\\Foo\\Keep",
       "", "2 left out: the ExcludeKey on line 3"},
      {"RegKey1=HKCU\\Software\\Foo\nExcludeKey1=DIR|%Temp%", "",
       "2 left out: an ExcludeKey of the entry cannot be read"},
      {"FileKey1=%Temp%|a.txt\nWarning=This deletes your settings.", "", "2 left out: the entry has a Warning="},
      {"FileKey1=%Temp%|a.txt\nRegKeys=HKCU\\Software\\Foo", "file %WINTEMP%\\a.txt\n",
       "3 left out: the key is not one of those known here"},
      {"FileKey1=%UserProfile%\\\xE6\x97\xA5|a.txt", "", "2 left out: \"%PROFILE%\\\xE6\x97\xA5\\a.txt\" holds a character that code page 1252 lacks"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Keys);
    const ImportResult result = Import(std::string("[Entry *]\n") + c.Keys + "\n");
    EXPECT_EQ(Joined(Items(result)), c.Items);
    const std::string notes = Joined(Notes(result));
    if (*c.Note == '\0')
      EXPECT_EQ(notes, "");
    else
      EXPECT_NE(notes.find(c.Note), std::string::npos) << notes;
  }
}

TEST(RuleImport, MakesOnePlugInAnEntryAndCountsWhatItCarried) {
  const std::string longName(130, 'n');
  const ImportResult result = Import(
      "\xEF\xBB\xBF[Caf\xC3\xA9 *]\r\nFileKey1=%Temp%|a.txt;*.log\r\nRegKey1=HKCU\\Software\\Caf\xC3\xA9\r\n"
      "[" + longName + " *]\nRegKey1=HKLM\\Software\\X\nRegKey2=HKCU\\Software\\X|v\n"
      "[Empty *]\n  ; a comment\nDetect=HKCU\\Software\\Empty\n"
      "[Other *]\nFileKey1=%Temp%|b.txt\n");
  ASSERT_EQ(result.PlugIns.size(), 3u);
  EXPECT_EQ(result.PlugIns[0].EntryName, "Caf\xC3\xA9");
  EXPECT_EQ(result.PlugIns[0].Records.Header.Name, "Caf\xE9") << "the name in code page 1252";
  EXPECT_EQ(result.PlugIns[0].Records.Items[0].Name, "FileKey1") << "an item is named after its key";
  EXPECT_EQ(std::get<RegistryBody>(result.PlugIns[0].Records.Items[1].Body).KeyPath, "Software\\Caf\xE9");
  EXPECT_EQ(result.PlugIns[1].Records.Header.Name, std::string(127, 'n'));
  EXPECT_EQ(result.PlugIns[1].Records.Header.ItemCount, 1);
  EXPECT_EQ(result.EntriesChosen, 4);
  EXPECT_EQ(result.EntriesCarried, 3);
  EXPECT_EQ(result.KeysCarried, 3);
  EXPECT_EQ(result.KeysInPart, 1);
  EXPECT_EQ(result.KeysLeftOut, 1);
  EXPECT_EQ(Joined(Notes(result)),
            "2 left out: the pattern \"*.log\" has a wildcard: without RECURSE it matches only the "
            "folder's own files, and a folder item searches the subfolders too\n"
            "4 changed: the plug-in's name is cut to the 127 characters its field holds\n"
            "5 left out: a 32-bit cleaner finds this key under WOW6432Node, a 64-bit one does not\n"
            "7 left out: no key of the entry could be carried over; no plug-in is made\n");

  const ImportResult chosen = Import("[Foo Bar *]\nRegKey1=HKCU\\A\n[Foo *]\nRegKey1=HKCU\\B\n", 1252, {"foo ?a*"});
  ASSERT_EQ(chosen.PlugIns.size(), 1u);
  EXPECT_EQ(chosen.PlugIns[0].EntryName, "Foo Bar");
}

TEST(RuleImport, ReportsWhatIsNoIniByLineAndNeverGivesItsKeysToAnotherEntry) {
  std::string error;
  EXPECT_FALSE(ReadIniText("\xFF\xFE[\0A\0]\0", error));
  EXPECT_EQ(error, "the file is UTF-16 text; save it as UTF-8");

  const ImportResult result = Import("RegKey1=HKCU\\Software\\Outside\n"
                                     "[Kept *]\nRegKey1=HKCU\\Software\\Kept\n"
                                     "[Broken *\nRegKey1=HKCU\\Software\\Broken\n"
                                     "[Bad \xC3 *]\nRegKey1=HKCU\\Software\\Bad\n"
                                     "[Next *]\nno equals sign\n=value\nRegKey1=HKCU\\Software\\N\xC0\xAF\n");
  EXPECT_EQ(Joined(Items(result)), "key HKCU\\Software\\Kept\n");
  EXPECT_EQ(Joined(Notes(result)),
            "1 invalid: a key outside any section\n"
            "4 invalid: a section header without its closing \"]\"\n"
            "5 invalid: a key of the section on line 4, which cannot be read\n"
            "6 invalid: a section header that is not UTF-8 text\n"
            "7 invalid: a key of the section on line 6, which cannot be read\n"
            "9 invalid: neither a section header, a key nor a comment\n"
            "10 invalid: a value without a key name\n"
            "11 invalid: the line is not UTF-8 text, or holds a control character\n"
            "8 left out: no key of the entry could be carried over; no plug-in is made\n");
}

// What import writes is what the checks accept, with code page 932 too; a character
// whose second byte there is that of "\\" is left out, since the items would take it for
// a separator.
TEST(RuleImport, WhatItMakesLintsWithoutErrors) {
  const ImportResult result = Import("[\xE6\x97\xA5 *]\nFileKey1=%UserProfile%\\\xE6\x97\xA5|*.log|RECURSE\n"
                                     "FileKey2=%Temp%|\xE6\x97\xA5.txt\nRegKey1=HKCU\\Software\\\xE6\x97\xA5|v\n"
                                     "FileKey3=%UserProfile%\\\xE8\xA1\xA8|a.txt\nFileKey4=%Temp%|\xC2\xA5.txt\n",
                                     932);
  ASSERT_EQ(result.PlugIns.size(), 1u);
  EXPECT_EQ(result.PlugIns[0].Records.Header.Name, "\x93\xFA") << "U+65E5 in code page 932";
  EXPECT_EQ(result.PlugIns[0].Records.Items.size(), 3u);
  for (const LintFinding& finding : LintPlugIn(result.PlugIns[0].Records))
    EXPECT_NE(finding.Level, FindingLevel::Error) << finding.Rule << ": " << finding.Message;
  const std::string notes = Joined(Notes(result));
  EXPECT_NE(notes.find("5 left out: \"%PROFILE%\\\xE8\xA1\xA8\\a.txt\" holds a character whose second byte in "
                       "code page 932 is that of \"\\\""),
            std::string::npos)
      << notes;
  EXPECT_NE(notes.find("6 left out: \"%WINTEMP%\\\xC2\xA5.txt\" holds a character that code page 932 lacks"),
            std::string::npos)
      << "the yen sign is no \"\\\": " << notes;
}

TEST(RuleImport, EntryNamesMatchPatternsWithoutRegardToCase) {
  const struct {
    const char* Name;
    const char* Pattern;
    bool Matches;
  } patterns[] = {{"Firefox", "fire*", true},   {"Firefox", "F?refox", true}, {"Firefox", "*fox*", true},
                  {"Firefox", "Fire", false},   {"Caf\xC3\xA9", "Caf?", true}, {"a*b", "a*b", true},
                  {"aXbXc", "a*b*c*", true},    {"abc", "a*d", false},         {"", "*", true}};
  for (const auto& p : patterns)
    EXPECT_EQ(MatchesEntryPattern(p.Name, p.Pattern), p.Matches) << p.Name << " with " << p.Pattern;
}

} // namespace
