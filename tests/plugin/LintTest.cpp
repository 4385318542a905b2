#include "plugin/Lint.h"
#include "tests/plugin/RecordBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace plugin;

namespace {

using Rules = std::vector<std::string>;

constexpr std::uint32_t kCurrentUser = 0x80000001u;

// A registry item, by default on HKEY_CURRENT_USER.
ItemRecord Key(std::uint8_t kind, std::string key, std::string value = {},
               std::uint32_t root = kCurrentUser) {
  return Registry(root, kind, std::move(key), std::move(value));
}

std::vector<LintFinding> Lint(std::vector<ItemRecord> items) {
  return LintPlugIn(PlugInRecords{PlugInHeader{"P", "A", 1.0, 0}, std::move(items)});
}

// The rule ids found for a plug-in of this one item.
Rules RulesOf(ItemRecord item) {
  Rules rules;
  for (const LintFinding& finding : Lint({std::move(item)})) rules.push_back(finding.Rule);
  return rules;
}

bool Has(const Rules& rules, const std::string& rule) {
  return std::find(rules.begin(), rules.end(), rule) != rules.end();
}

} // namespace

TEST(Lint, RegistryItems) {
  EXPECT_EQ(RulesOf(Key(1, "")), Rules{"whole-key-on-root"})
      << "removes all of HKEY_CURRENT_USER";
  EXPECT_EQ(RulesOf(Key(1, "\\")), Rules{"whole-key-on-root"})
      << "\"\\\" is the root key as well";
  EXPECT_EQ(RulesOf(Key(1, "\\Software\\X")), Rules{});
  EXPECT_EQ(RulesOf(Key(0, "", "Value")), Rules{})
      << "one value of the root key is not the root key";

  EXPECT_EQ(RulesOf(Key(0, "\\K", "V", 0x80000004u)), Rules{"unknown-root-key"});
  EXPECT_EQ(RulesOf(Key(0, "\\K", "V", 0x80000005u)), Rules{})
      << "HKEY_CURRENT_CONFIG is known";
  EXPECT_NE(Lint({Key(0, "\\K", "V", 0x12345678u)}).at(0).Message.find("0x12345678"),
            std::string::npos) << "the message shows the stored root key";

  EXPECT_EQ(RulesOf(Key(3, "\\K")), Rules{"unknown-registry-kind"});
  EXPECT_EQ(RulesOf(Key(2, "\\K")), Rules{});
}

TEST(Lint, FilePaths) {
  for (const char* full : {"C:\\x", "c:\\", "\\\\server\\share\\x", "\\\\server\\share",
                           "%WINDOWS%\\x.log", "%windows%\\x.log", "%WinTemp%", "C:\\100%\\x"})
    EXPECT_EQ(RulesOf(File(full)), Rules{}) << full << " names its place by itself";
  for (const char* relative :
       {"x\\y", "C:x", "C:", "\\x", "\\\\server", "\\\\server\\", "", "x%WINDOWS%"})
    EXPECT_EQ(RulesOf(File(relative)), Rules{"path-not-full"})
        << relative << " depends on the current drive or folder";
  for (const char* elsewhere : {"%WINDOWS%\\..\\x", "%WinTemp%\\.\\x", "%WINTEMP%\\..", "C:\\a\\..\\b",
                                "\\\\?\\C:\\x", "\\\\.\\pipe\\x", "\\\\.\\C:"})
    EXPECT_EQ(RulesOf(File(elsewhere)), Rules{"path-not-full"})
        << elsewhere << " leads out of the folder it shows, or to a device, as the items refuse it";

  EXPECT_EQ(RulesOf(File("%NOPE%\\x")), Rules{"unknown-macro"})
      << "a path that starts with a macro is not relative";
  EXPECT_EQ(RulesOf(File("C:\\%WINDOWS%\\%Nope_2%\\x")), Rules{"unknown-macro"})
      << "one finding per unknown macro";
  EXPECT_EQ(RulesOf(File("C:\\%a b%\\%%")), Rules{}) << "\"%a b%\" and \"%%\" are no macros";
  EXPECT_NE(Lint({File("C:\\%Nope%")}).at(0).Message.find("%Nope%"), std::string::npos)
      << "the message names the macro as written";
}

TEST(Lint, FolderItems) {
  EXPECT_EQ(RulesOf(Folder("%WINTEMP%", {"*.*"})), Rules{})
      << "the temporary folder may be emptied";
  EXPECT_EQ(RulesOf(Folder("%WINDOWS%", {"*.log"})), Rules{});
  EXPECT_EQ(RulesOf(Folder("%PROGRAMFILES%\\Varnex", {"*"})), Rules{})
      << "a folder below is not the system folder";
  for (const auto& [folder, mask] : std::vector<std::pair<const char*, const char*>>{
           {"%windows%\\", "*.*"}, {"C:\\", "*"}, {"%Profile%", "**"},
           {"%PROGRAMFILES%\\\\", "*.**"}, {"%PROFILE%\\ .", "*.*"}, {"C:\\.", "*"}})
    EXPECT_TRUE(Has(RulesOf(Folder(folder, {"*.log", mask})), "system-folder-all-files"))
        << "mask " << mask << " deletes every file of " << folder;
  for (const char* root : {"d:", "\\"})
    EXPECT_EQ(RulesOf(Folder(root, {"*.*"})), Rules{"path-not-full"})
        << root << " is no full path, which the item refuses to walk";

  const std::vector<LintFinding> empty = Lint({Folder("C:\\x", {}), Folder("C:\\y", {"", ""})});
  ASSERT_EQ(empty.size(), 2u);
  for (const LintFinding& finding : empty) {
    EXPECT_EQ(finding.Rule, "folder-without-masks");
    EXPECT_EQ(finding.Level, FindingLevel::Warning) << "an item that deletes nothing harms nothing";
  }

  for (const char* mask : {"..\\*.log", "sub/x.tmp", "..", ".", "\\*"})
    EXPECT_EQ(RulesOf(Folder("C:\\x", {mask})), Rules{"mask-leaves-folder"}) << mask;
  EXPECT_EQ(RulesOf(Folder("C:\\x", {"*.log", "~$*", "file..txt", "*..bak"})), Rules{})
      << "dots within a name are no path";
}

TEST(Lint, TextsTooLongForTheirFields) {
  ItemRecord fits = File("C:\\x");
  fits.Name = std::string(127, 'n');
  EXPECT_EQ(RulesOf(fits), Rules{});
  ItemRecord named = File("C:\\x");
  named.Name = std::string(128, 'n');
  const std::vector<LintFinding> item = Lint({File("C:\\a"), named});
  ASSERT_EQ(item.size(), 1u);
  EXPECT_EQ(item[0].Rule, "text-too-long");
  EXPECT_EQ(item[0].Level, FindingLevel::Error);
  EXPECT_EQ(item[0].ItemNumber, 2);
  EXPECT_EQ(item[0].Message, "Item name: 128 characters, at most 127; saving stores it cut to fit");

  // The message says what saving would do: leave masks out whole, or refuse.
  const std::vector<LintFinding> targets =
      Lint({Folder("C:\\x", std::vector<std::string>(150, "*.tmp")), Key(1, std::string(300, 'k'))});
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0].Message,
            "Masks: 1050 characters, at most 1023; saving leaves out the last 4 of 150 masks");
  EXPECT_EQ(targets[1].Message, "Key path: 300 characters, at most 255; saving refuses it, since "
                                "shortened it would name another place");

  const std::vector<LintFinding> header =
      LintPlugIn(PlugInRecords{PlugInHeader{std::string(200, 'p'), "A", 1.0, 0}, {File("C:\\a")}});
  ASSERT_EQ(header.size(), 1u);
  EXPECT_EQ(header[0].ItemNumber, 0) << "the plug-in's own name is item 0";
  EXPECT_EQ(header[0].Description, "Plug-in");
  EXPECT_NE(header[0].Message.find("Name: 200"), std::string::npos) << header[0].Message;
}

TEST(Lint, DuplicatesCompareWhatTheItemsRemove) {
  const auto duplicates = [](const ItemRecord& first, const ItemRecord& second) {
    const std::vector<LintFinding> findings = Lint({first, File("C:\\other"), second});
    for (const LintFinding& finding : findings)
      if (finding.Rule == "duplicate-item") {
        EXPECT_EQ(finding.Level, FindingLevel::Warning);
        EXPECT_EQ(finding.ItemNumber, 3);
        EXPECT_NE(finding.Message.find("item 1"), std::string::npos) << finding.Message;
        return true;
      }
    return false;
  };
  EXPECT_TRUE(duplicates(Folder("C:\\Temp", {"*.tmp", "*.log"}),
                         Folder("c:\\TEMP\\", {"*.LOG", "*.Tmp"})))
      << "case, a final \"\\\" and the order of the masks change nothing";
  EXPECT_TRUE(duplicates(Folder("C:\\Temp", {"*.tmp"}), Folder("C:\\Temp", {"*.tmp", "*.TMP"})));
  EXPECT_FALSE(duplicates(Folder("C:\\Temp", {"*.tmp"}), Folder("C:\\Temp", {"*.tmp", "*.log"})));
  EXPECT_TRUE(duplicates(File("%WINDOWS%\\A.log"), File("%windows%\\a.LOG")));
  EXPECT_FALSE(duplicates(File("C:\\a.log"), Folder("C:\\a.log", {"*"})));
  EXPECT_TRUE(duplicates(Key(0, "\\Software\\X", "Value"),
                         Key(0, "\\software\\x\\", "VALUE")));
  EXPECT_FALSE(duplicates(Key(0, "\\Software\\X", "A"), Key(0, "\\Software\\X", "B")));
  EXPECT_TRUE(duplicates(Key(1, "\\Software\\X", "A"), Key(1, "\\Software\\X", "B")))
      << "a whole key does not use its value name";
  EXPECT_FALSE(duplicates(Key(1, "\\Software\\X"), Key(2, "\\Software\\X")));
  EXPECT_FALSE(duplicates(Key(1, "\\Software\\X"),
                          Key(1, "\\Software\\X", {}, 0x80000002u)))
      << "the same key under another root key";
}

TEST(Lint, FindingsCarryLevelItemAndTheListDescription) {
  ItemRecord root = Key(1, "\\", {}, 7);
  root.Name = std::string(130, 'r');
  const PlugInRecords records{PlugInHeader{std::string(200, 'n'), "A", 1.0, 0},
                              {Folder("%WINTEMP%", {"*.tmp"}, 1), root, Folder("C:\\x", {}, 1),
                               File("x\\%Bad%"), File("%WINDOWS%\\a"), File("%windows%\\A")}};
  const std::vector<LintFinding> findings = LintPlugIn(records);
  // The marks, which the editor counts after every change, are those of the findings.
  std::vector<std::pair<int, FindingLevel>> fromFindings, fromMarks;
  for (const LintFinding& finding : findings) fromFindings.emplace_back(finding.ItemNumber, finding.Level);
  for (const FindingMark& mark : MarkPlugIn(records)) fromMarks.emplace_back(mark.ItemNumber, mark.Level);
  EXPECT_EQ(fromMarks, fromFindings);
  const std::vector<std::tuple<std::string, FindingLevel, int, std::string>> expected{
      {"text-too-long", FindingLevel::Error, 0, "Plug-in"},
      {"unknown-root-key", FindingLevel::Error, 2, "Remove registry key \\"},
      {"whole-key-on-root", FindingLevel::Error, 2, "Remove registry key \\"},
      {"text-too-long", FindingLevel::Error, 2, "Remove registry key \\"},
      {"folder-without-masks", FindingLevel::Warning, 3,
       "Delete files in folder C:\\x, remove empty folders automatically"},
      {"path-not-full", FindingLevel::Error, 4, "Delete file x\\%Bad%"},
      {"unknown-macro", FindingLevel::Error, 4, "Delete file x\\%Bad%"},
      {"duplicate-item", FindingLevel::Warning, 6, "Delete file %windows%\\A"},
  };
  ASSERT_EQ(findings.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("finding " + std::to_string(i + 1));
    EXPECT_EQ(findings[i].Rule, std::get<0>(expected[i]))
        << "findings go in item order, then in rule order";
    EXPECT_EQ(findings[i].Level, std::get<1>(expected[i]));
    EXPECT_EQ(findings[i].ItemNumber, std::get<2>(expected[i]));
    EXPECT_EQ(findings[i].Description, std::get<3>(expected[i]));
  }
  EXPECT_EQ(Lint({Key(0, "\\K", "V", 1), Key(9, "\\K")}).at(1).Description,
            "Registry item in key \\K of unknown kind 9");
}
