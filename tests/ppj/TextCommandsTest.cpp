#include "ppj/TextCommands.h"

#include "plugin/JsonForm.h"
#include "tests/plugin/RecordBuilders.h"
#include "tests/ppj/CommandFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using namespace plugin;

namespace {

using Bytes = std::vector<std::uint8_t>;

PlugInRecords Sample() {
  double nan = 0;
  const std::uint64_t bits = 0x7FF8000000C0FFEEu;
  std::memcpy(&nan, &bits, sizeof nan);
  return PlugInRecords{PlugInHeader{"Sample \xE9", "Author", nan, 0},
                       {Registry(0x12345678u, 7, "\\Software\\Caf\xE9", "\"quoted\""),
                        File("%WINDOWS%\\a\xFF.log"),
                        Folder("%WINTEMP%", {"*.tmp", "", "~*"}, 2)}};
}

class TextCommands : public CommandFolder {
protected:
  int Lint(const std::string& name, bool json = false) {
    return RunLint({PathOf(name), json}, Out, Err);
  }
};

} // namespace

TEST_F(TextCommands, DumpThenBuildGivesTheOriginalBytes) {
  const Bytes original = EncodePlugIn(Sample());
  Write("in.ppj", original);
  ASSERT_EQ(RunDump({PathOf("in.ppj"), ""}, Out, Err), kExitSuccess) << Err.str();
  EXPECT_EQ(Err.str(), "");
  ASSERT_EQ(RunDump({PathOf("in.ppj"), PathOf("in.json")}, Out, Err), kExitSuccess) << Err.str();
  EXPECT_EQ(Read("in.json"), Out.str()) << "a dump to a file holds what a dump to the output shows";
  ASSERT_EQ(RunBuild({PathOf("in.json"), PathOf("out.ppj")}, Out, Err), kExitSuccess) << Err.str();
  EXPECT_EQ(Read("out.ppj"), std::string(original.begin(), original.end()));
  EXPECT_EQ(Names(), (std::set<std::string>{"in.ppj", "in.json", "out.ppj"}))
      << "no file is left beside them";
}

TEST_F(TextCommands, DumpOfADamagedFileWritesTheItemsBeforeTheDamage) {
  PlugInRecords records = Sample();
  records.Items = {File("C:\\first.log"), File("C:\\second.log"), File("C:\\third.log")};
  Bytes bytes = EncodePlugIn(records);
  bytes.resize(kHeaderSize + kFileRecordSize + 100); // ends inside item 2
  Write("cut.ppj", bytes);
  EXPECT_EQ(RunDump({PathOf("cut.ppj"), ""}, Out, Err), kExitFindings);
  EXPECT_NE(Out.str().find("C:\\\\first.log"), std::string::npos) << Out.str();
  EXPECT_EQ(Out.str().find("second"), std::string::npos)
      << "item 2 is incomplete and must not be shown";
  EXPECT_NE(Err.str().find("ends inside item 2"), std::string::npos) << Err.str();
  EXPECT_NE(Err.str().find("1 of 3 items"), std::string::npos) << Err.str();

  bytes = EncodePlugIn(records);
  bytes[kHeaderSize + kFileRecordSize] = 9; // the kind byte of item 2
  Write("odd.ppj", bytes);
  Err.str("");
  EXPECT_EQ(RunDump({PathOf("odd.ppj"), ""}, Out, Err), kExitFindings);
  EXPECT_NE(Err.str().find("item 2 has the unknown kind 9"), std::string::npos) << Err.str();
}

TEST_F(TextCommands, DumpOfWhatIsNoPlugInWritesNothing) {
  Write("text.ppj", std::string("PIP\0 not a plug-in", 18));
  EXPECT_EQ(RunDump({PathOf("text.ppj"), PathOf("out.json")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("is not a plug-in file"), std::string::npos) << Err.str();
  EXPECT_EQ(RunDump({PathOf("missing.ppj"), PathOf("out.json")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("missing.ppj"), std::string::npos)
      << "the error names the file: " << Err.str();
  EXPECT_EQ(Out.str(), "");
  EXPECT_EQ(Names(), std::set<std::string>{"text.ppj"});
}

TEST_F(TextCommands, BuildRefusesAnOverlongTextAndLeavesTheOutputAlone) {
  PlugInRecords records = Sample();
  records.Items.at(1) = Registry(0x80000001u, 1, std::string(300, 'k'));
  Write("in.json", PlugInToJson(records));
  const std::string old("old plug-in \0 bytes", 19);
  Write("out.ppj", old);
  EXPECT_EQ(RunBuild({PathOf("in.json"), PathOf("out.ppj")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("item 2, field \"keyPath\": 300 characters, at most 255"),
            std::string::npos)
      << Err.str();
  EXPECT_EQ(Read("out.ppj"), old) << "a refused build must not touch the existing file";
  EXPECT_EQ(Names(), (std::set<std::string>{"in.json", "out.ppj"}));

  Err.str("");
  EXPECT_EQ(RunBuild({PathOf("in.json"), PathOf("out.ppj"), true}, Out, Err), kExitUnusable)
      << "cut, the key path would name its parent key, which the item would delete whole";
  EXPECT_NE(Err.str().find("a path or key shortened would name another place"), std::string::npos)
      << Err.str();
  EXPECT_EQ(Read("out.ppj"), old);
}

TEST_F(TextCommands, BuildWithShortenCutsNamesAndLeavesOutWholeMasksThatLintThenAccepts) {
  PlugInRecords records = Sample();
  records.Header.Name = std::string(130, 'n');
  records.Items.push_back(Folder("C:\\perf", std::vector<std::string>(150, "*.tmp")));
  Write("in.json", PlugInToJson(records));
  EXPECT_EQ(RunBuild({PathOf("in.json"), PathOf("out.ppj")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("give --shorten"), std::string::npos) << Err.str();

  EXPECT_EQ(RunBuild({PathOf("in.json"), PathOf("out.ppj"), true}, Out, Err), kExitSuccess)
      << Err.str();
  const std::string built = Read("out.ppj");
  TMemoryStream stream(Bytes(built.begin(), built.end()));
  PlugInRecords back;
  ASSERT_EQ(ReadPlugInRecords(stream, back).Outcome, ReadOutcome::Complete);
  EXPECT_EQ(back.Header.Name, std::string(127, 'n'));
  EXPECT_EQ(std::get<FolderBody>(back.Items.back().Body).Masks, std::vector<std::string>(146, "*.tmp"))
      << "the last four masks are left out whole; none is cut to \"*\"";
  EXPECT_EQ(std::get<RegistryBody>(back.Items.at(0).Body).KeyPath, "\\Software\\Caf\xE9")
      << "the texts that fit stay as they are";

  Out.str("");
  Lint("out.ppj");
  EXPECT_EQ(Out.str().find("text-too-long"), std::string::npos)
      << "what the shortened build wrote fits: " << Out.str();
}

TEST_F(TextCommands, BuildOfTextThatIsNoPlugInWritesNothing) {
  Write("bad.json", std::string("{\"header\": "));
  EXPECT_EQ(RunBuild({PathOf("bad.json"), PathOf("out.ppj")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("invalid JSON"), std::string::npos) << Err.str();
  Write("field.json", std::string(R"({"header": {"time": "2000-01-01"},
                                       "items": [{"kind": "file", "path": "C:\\a", "size": 3}]})"));
  EXPECT_EQ(RunBuild({PathOf("field.json"), PathOf("out.ppj")}, Out, Err), kExitUnusable);
  EXPECT_NE(Err.str().find("item 1: unknown field \"size\""), std::string::npos) << Err.str();
  EXPECT_EQ(RunBuild({PathOf("missing.json"), PathOf("out.ppj")}, Out, Err), kExitUnusable);
  EXPECT_EQ(Names(), (std::set<std::string>{"bad.json", "field.json"}));
}

TEST_F(TextCommands, LintExitStatuses) {
  const auto plugIn = [](std::vector<ItemRecord> items) {
    return EncodePlugIn(PlugInRecords{PlugInHeader{"P", "A", 1.0, 0}, std::move(items)});
  };
  Write("clean.ppj", plugIn({File("C:\\a.log"), Folder("%WINTEMP%", {"*.*"})}));
  Write("error.ppj", plugIn({File("C:\\a.log"), File("a.log")}));
  Write("warning.ppj", plugIn({Folder("C:\\x", {})}));
  Bytes cut = plugIn({File("C:\\a.log")});
  cut.pop_back(); // ends inside item 1
  Write("cut.ppj", cut);
  Write("text.txt", std::string("hello"));

  EXPECT_EQ(Lint("clean.ppj"), kExitSuccess);
  EXPECT_EQ(Out.str(), "") << "a clean plug-in prints nothing";
  EXPECT_EQ(Lint("error.ppj"), kExitFindings);
  EXPECT_NE(Out.str().find(": item 2: error [path-not-full] "), std::string::npos) << Out.str();
  EXPECT_NE(Out.str().find("(Delete file a.log)"), std::string::npos) << Out.str();
  EXPECT_EQ(Lint("warning.ppj"), kExitSuccess) << "warnings alone do not fail";
  EXPECT_NE(Out.str().find("item 1: warning [folder-without-masks]"), std::string::npos) << Out.str();
  EXPECT_EQ(Lint("cut.ppj"), kExitFindings) << "a damaged plug-in fails even without findings";
  EXPECT_NE(Out.str().find(": item 1: error [damaged-file] the file is damaged: it ends inside item 1."),
            std::string::npos)
      << "the damage is a finding of its own, where reading stopped: " << Out.str();
  EXPECT_EQ(Lint("text.txt"), kExitUnusable);
  EXPECT_NE(Err.str().find("neither a plug-in file nor its JSON form"), std::string::npos)
      << Err.str();
  EXPECT_EQ(Lint("missing.ppj"), kExitUnusable);
}

TEST_F(TextCommands, LintReadsTheTextFormAndWritesJson) {
  Write("in.json", PlugInToJson(PlugInRecords{PlugInHeader{"P", "A", 1.0, 0},
                                              {File("C:\\a.log"), Folder("%windows%\\", {"*.*"})}}));
  EXPECT_EQ(Lint("in.json"), kExitFindings) << Err.str();
  EXPECT_NE(Out.str().find("item 2: error [system-folder-all-files]"), std::string::npos)
      << Out.str();

  Out.str("");
  EXPECT_EQ(Lint("in.json", true), kExitFindings) << Err.str();
  const std::string json = Out.str();
  ASSERT_FALSE(json.empty());
  EXPECT_EQ(json.front(), '[') << json;
  EXPECT_EQ(json.substr(json.size() - 2), "]\n") << json;
  for (const char* text : {"\"rule\": \"system-folder-all-files\"", "\"level\": \"error\"",
                           "\"item\": 2", "\"description\": \"Delete files in folder %windows%\\\\\""})
    EXPECT_NE(json.find(text), std::string::npos) << "expected " << text << " in\n" << json;

  Write("clean.json", PlugInToJson(PlugInRecords{PlugInHeader{"P", "A", 1.0, 0}, {File("C:\\a")}}));
  Out.str("");
  EXPECT_EQ(Lint("clean.json", true), kExitSuccess);
  EXPECT_EQ(Out.str(), "[]\n") << "no findings are an empty array, not nothing";
}
