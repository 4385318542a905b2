#include "ppj/ExchangeCommands.h"

#include "plugin/JsonForm.h"
#include "ppj/FileOutput.h"
#include "ppj/TextCommands.h"
#include "tests/plugin/RecordBuilders.h"
#include "tests/ppj/CommandFolder.h"

using namespace plugin;

namespace {

class ExchangeCommands : public CommandFolder {
protected:
  int Import(ImportOptions options) {
    Out.str("");
    Err.str("");
    if (options.Input.empty()) options.Input = PathOf("rules.ini");
    options.OutputFolder = PathOf("out");
    return RunImport(options, Out, Err);
  }
  int Export(const std::string& input, const std::string& output = {}, bool strict = false) {
    Out.str("");
    Err.str("");
    return RunExport(ExportOptions{PathOf(input), output.empty() ? "" : PathOf(output),
                                   kDefaultCodePage, strict},
                     Out, Err);
  }
};

const char* const kRules =
    "[Foo/Bar *]\nRegKey1=HKCU\\Software\\Foo\nFileKey1=%ProgramFiles%\\Foo|a.log\n"
    "[Foo_Bar *]\nFileKey1=%Temp%\\Foo|*.tmp|RECURSE\n";

TEST_F(ExchangeCommands, ImportWritesOnePlugInAnEntryAndReplacesNothingUnasked) {
  Write("rules.ini", std::string(kRules));
  ASSERT_EQ(Import({}), kExitSuccess) << Err.str();
  const std::string written = PathInFolder(PathOf("out"), "Foo_Bar.ppj");
  EXPECT_EQ(Out.str(), written + "\n" + PathInFolder(PathOf("out"), "Foo_Bar (2).ppj") + "\n");
  EXPECT_EQ(Err.str(), "ppj: " + PathOf("rules.ini") +
                           ":3: [Foo/Bar *] FileKey1: left out: a 32-bit cleaner finds "
                           "%ProgramFiles% in \"Program Files (x86)\", a 64-bit one does not\n"
                           "ppj: 2 of 2 entries carried over, 0 left out; 2 keys carried over "
                           "whole, 0 in part, 1 left out; "
                           "2 plug-ins written\n");
  for (const char* name : {"out/Foo_Bar.ppj", "out/Foo_Bar (2).ppj"}) {
    std::ostringstream lintOut, lintErr;
    EXPECT_EQ(RunLint({PathOf(name), false}, lintOut, lintErr), kExitSuccess)
        << name << ": " << lintOut.str();
  }

  Write("out/Foo_Bar.ppj", std::string("mine"));
  EXPECT_EQ(Import({.Strict = true}), kExitFindings) << "left out, and not replaced";
  EXPECT_EQ(Read("out/Foo_Bar.ppj"), "mine");
  EXPECT_NE(Err.str().find(written + " exists and is not replaced; give --overwrite to replace it"),
            std::string::npos)
      << Err.str();
  EXPECT_EQ(Import({.Overwrite = true}), kExitSuccess);
  EXPECT_NE(Read("out/Foo_Bar.ppj"), "mine");

  ASSERT_EQ(Import({.Patterns = {"FOO?BAR"}, .Json = true}), kExitSuccess)
      << "a pattern matches without case";
  EXPECT_EQ(Names("out"), (std::set<std::string>{"Foo_Bar.ppj", "Foo_Bar (2).ppj", "Foo_Bar.json",
                                                 "Foo_Bar (2).json"}));
  const PlugInRecords fromJson = PlugInFromJson(Read("out/Foo_Bar (2).json"));
  EXPECT_EQ(fromJson.Header.Name, "Foo_Bar");
  EXPECT_EQ(std::get<FolderBody>(fromJson.Items.at(0).Body).PathPart.Folder, "%WINTEMP%\\Foo");
}

TEST_F(ExchangeCommands, ImportOfWhatHoldsNoEntryWritesNothing) {
  Write("comments.ini", std::string("; nothing\n\n"));
  Write("utf16.ini", std::string("\xFF\xFE[\0", 4));
  Write("rules.ini", std::string(kRules));
  const struct {
    ImportOptions Options;
    const char* Error;
  } cases[] = {
      {{.Input = PathOf("missing.ini")}, "missing.ini"},
      {{.Input = PathOf("comments.ini")}, "comments.ini holds no entry"},
      {{.Input = PathOf("utf16.ini")}, "the file is UTF-16 text; save it as UTF-8"},
      {{.Patterns = {"Bar*"}}, "no entry's name matches --entry"},
      {{.CodePage = 65001}, "--codepage 65001: code page 65001 is UTF-8, not an ANSI code page"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Import(c.Options), kExitUnusable) << c.Error;
    EXPECT_NE(Err.str().find(c.Error), std::string::npos) << Err.str();
    EXPECT_EQ(Out.str(), "");
    EXPECT_EQ(Names(), (std::set<std::string>{"comments.ini", "utf16.ini", "rules.ini"}))
        << c.Error;
  }
}

// Export, then import of what it wrote, gives back every item it did not report.
TEST_F(ExchangeCommands, ExportThenImportGivesBackTheItems) {
  const PlugInRecords plugIn{
      PlugInHeader{"Round [trip]", "Me", 1.0, 0},
      {Registry(kCurrentUser, 0, "\\Software\\Foo", "Last"),
       Registry(kCurrentUser, 1, "Software\\Foo\\MRU", ""),
       Registry(kCurrentUser, 2, "Software\\Foo\\All", ""), File("%WINDOWS%\\Logs\\setup.log"),
       File("%PROFILE%\\AppData\\Roaming\\Foo\\recent.xml"),
       Folder("%WINTEMP%\\Foo", {"*.tmp", "~*"}), Folder("%INST%\\$PatchCache$", {"*.msp"}, 1),
       Folder("%DOWNLOAD%", {"*.inf"}), File("%PROGRAMFILES%\\Foo\\a.log"),
       File("%WINDOWS%\\Temp\\*.log")}};
  Write("p.ppj", EncodePlugIn(plugIn));
  ASSERT_EQ(Export("p.ppj", "p.ini"), kExitSuccess) << Err.str();
  EXPECT_EQ(Out.str(), "");
  EXPECT_NE(Err.str().find("ppj: 7 of 10 items exported"), std::string::npos) << Err.str();
  EXPECT_EQ(Export("p.ppj", "", true), kExitFindings) << "--strict, with items left out";
  EXPECT_EQ(Out.str(), Read("p.ini")) << "standard output holds what -o writes";

  ASSERT_EQ(Import({.Input = PathOf("p.ini")}), kExitSuccess) << Err.str();
  EXPECT_EQ(Err.str().find("left out:"), std::string::npos)
      << "the exported rules import whole: " << Err.str();
  const std::string bytes = Read("out/Round [trip.ppj");
  TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  PlugInRecords imported;
  ASSERT_EQ(ReadPlugInRecords(stream, imported).Outcome, ReadOutcome::Complete)
      << Names("out").size();
  std::vector<ItemRecord> expected;
  for (const std::size_t index : {0, 1, 3, 4, 5, 6, 7}) {
    ItemRecord item = plugIn.Items[index];
    if (auto* registry = std::get_if<RegistryBody>(&item.Body)) {
      if (registry->KeyPath.front() == '\\') registry->KeyPath.erase(0, 1);
      if (registry->Kind == 1) registry->ValueName.clear();
    }
    if (auto* folder = std::get_if<FolderBody>(&item.Body)) folder->PathPart.RemoveEmptyFolder = 0;
    expected.push_back(item);
  }
  ASSERT_EQ(imported.Items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    expected[i].Name = imported.Items[i].Name; // a rule has no names for its keys
    EXPECT_EQ(imported.Items[i], expected[i])
        << "item " << i + 1 << ": " << DescribeItem(imported.Items[i]);
  }
}

} // namespace
