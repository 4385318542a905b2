// The preview command on a real folder tree and a real registry key: its figures item
// by item, the list of what was found, and its totals against the editor's preview
// window over the same plug-in; and the built ppj.exe as a user runs it.

#include "app/PlugInFile.h"
#include "plugin/PlugInRecords.h"
#include "ppj/PreviewCommand.h"
#include "ppj/PreviewRun.h"
#include "preview/KiloBytes.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestKey.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <stdexcept>

using namespace plugin;

namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001;

void MakeFile(const std::string& path, std::size_t size) { WriteWholeFile(path, std::string(size, 'x')); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct ItemRow {
  std::int64_t Files = 0, Values = 0;
  std::string FileKb, ValueKb;
};

// The rows under the heading, up to the blank line before the totals.
std::vector<ItemRow> ItemRows(const std::vector<std::string>& lines) {
  std::vector<ItemRow> rows;
  for (std::size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
    std::istringstream fields(lines[i]);
    int number = 0;
    ItemRow row;
    fields >> number >> row.Files >> row.FileKb >> row.Values >> row.ValueKb;
    EXPECT_EQ(number, static_cast<int>(rows.size()) + 1) << lines[i];
    rows.push_back(row);
  }
  return rows;
}

struct Listed {
  int Item = 0;
  std::string Kind, Path;
  std::int64_t Size = 0;
};

// The CSV rows; paths here hold no quotes or commas.
std::vector<Listed> ListedRows(const std::string& csv) {
  std::vector<Listed> rows;
  const std::vector<std::string> lines = Lines(csv);
  EXPECT_EQ(lines.at(0), "item,kind,path,size");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t kindEnd = line.find(',');
    const std::size_t pathStart = line.find(",\"", kindEnd + 1);
    const std::size_t pathEnd = line.rfind("\",");
    Listed row;
    row.Item = std::stoi(line.substr(0, kindEnd));
    row.Kind = line.substr(kindEnd + 1, pathStart - kindEnd - 1);
    row.Path = line.substr(pathStart + 2, pathEnd - pathStart - 2);
    row.Size = std::stoll(line.substr(pathEnd + 2));
    rows.push_back(row);
  }
  return rows;
}

std::string EditText(HWND edit) {
  char text[64] = {};
  GetWindowTextA(edit, text, sizeof text);
  return text;
}

class PreviewCommand : public ::testing::Test {
protected:
  void SetUp() override {
    MakeFile(Folder.File("a.tmp"), 1500);
    MakeFile(Folder.File("b.log"), 700);
    CreateDirectoryA(Folder.File("sub").c_str(), nullptr);
    MakeFile(Folder.File("sub\\c.tmp"), 3000);
    CreateDirectoryA(Folder.File("sub\\deeper").c_str(), nullptr);
    MakeFile(Folder.File("sub\\deeper\\d.tmp"), 2049);
    Key.SetValue("", "One", 100);
    Key.SetValue("", "Two", 2000);
    Key.SetValue("Sub", "Three", 5000);

    PlugInRecords records;
    records.Header = PlugInHeader{"Preview", "Tester", 46000.0, 0};
    records.Items = {
        ItemRecord{"tree", FolderBody{FolderPathPart{Folder.Path(), 0}, {"*.tmp"}}},
        ItemRecord{"log", FileBody{Folder.File("b.log")}},
        ItemRecord{"values", RegistryBody{kCurrentUser, Key.Path(), "", 2}},
        ItemRecord{"branch", RegistryBody{kCurrentUser, Key.Sub("Sub"), "", 1}},
        ItemRecord{"one", RegistryBody{kCurrentUser, Key.Path(), "One", 0}},
        ItemRecord{"missing", FileBody{Folder.File("none.txt")}},
    };
    const std::vector<std::uint8_t> bytes = EncodePlugIn(records);
    WriteWholeFile(PlugIn, std::string(bytes.begin(), bytes.end()));
  }

  // The totals of the editor's preview window over the same file.
  std::vector<std::string> EditorTotals() {
    TMemoryStream stream([this] {
      const std::string bytes = ReadWholeFile(PlugIn);
      return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }());
    std::vector<std::unique_ptr<TCleanObj>> items;
    ReadPlugInItems(stream, [&items](std::unique_ptr<TCleanObj> item) { items.push_back(std::move(item)); });
    auto list = std::make_unique<TCleanObjList>();
    for (const auto& item : items) list->Add(item.get());
    TPlugInPreviewForm form(nullptr);
    form.SetCleanObjList(std::move(list));
    form.StartCollect();
    EXPECT_TRUE(form.WaitForCollect(20000));
    return {"Total file size: " + EditText(form.FileSizeEdit()),
            "Total file count: " + EditText(form.FileCountEdit()),
            "Total registry item size: " + EditText(form.RegSizeEdit()),
            "Total registry item count: " + EditText(form.RegCountEdit())};
  }

  TempFolder Folder;
  TestKey Key;
  std::string PlugIn = Folder.File("p.ppj");
  std::string List = Folder.File("found.csv");
};

TEST_F(PreviewCommand, FiguresItemByItemAddUpToTheTotalsOfTheEditorsPreviewWindow) {
  std::ostringstream out, err;
  ASSERT_EQ(RunPreview(PreviewOptions{PlugIn, List}, out, err), 0) << err.str();
  const std::vector<std::string> lines = Lines(out.str());
  const std::vector<ItemRow> rows = ItemRows(lines);
  ASSERT_EQ(rows.size(), 6u) << out.str();

  const std::vector<std::int64_t> files{3, 1, 0, 0, 0, 0}, values{0, 0, 2, 1, 1, 0};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].Files, files[i]) << "files of item " << i + 1;
    EXPECT_EQ(rows[i].Values, values[i]) << "values of item " << i + 1;
  }

  // Every file and value found, with its item: the sizes add up to each item's row.
  const std::vector<Listed> listed = ListedRows(ReadWholeFile(List));
  std::map<int, std::int64_t> bytes;
  std::map<int, std::int64_t> count;
  std::int64_t fileBytes = 0, valueBytes = 0;
  for (const Listed& row : listed) {
    bytes[row.Item] += row.Size;
    ++count[row.Item];
    (row.Kind == "file" ? fileBytes : valueBytes) += row.Size;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int item = static_cast<int>(i) + 1;
    EXPECT_EQ(count[item], rows[i].Files + rows[i].Values) << "listed entries of item " << item;
    EXPECT_EQ(FormatKiloBytes(bytes[item]), rows[i].Files ? rows[i].FileKb : rows[i].ValueKb)
        << "kilobytes of item " << item;
  }
  EXPECT_EQ(fileBytes, 1500 + 3000 + 2049 + 700);
  EXPECT_EQ(valueBytes, 100 + 2000 + 5000 + 100);

  // Full paths, each file in its own folder.
  std::vector<std::string> paths;
  for (const Listed& row : listed) paths.push_back(row.Path);
  for (const std::string& expected :
       {Folder.File("a.tmp"), Folder.File("sub\\c.tmp"), Folder.File("sub\\deeper\\d.tmp"),
        Folder.File("b.log"), "HKEY_CURRENT_USER\\" + Key.Path() + "\\One",
        "HKEY_CURRENT_USER\\" + Key.Sub("Sub") + "\\Three"})
    EXPECT_NE(std::find(paths.begin(), paths.end(), expected), paths.end()) << expected;

  const std::vector<std::string> totals(lines.end() - 4, lines.end());
  EXPECT_EQ(totals, EditorTotals());
  EXPECT_EQ(totals[0], "Total file size: " + FormatKiloBytes(fileBytes));
  EXPECT_EQ(totals[1], "Total file count: 4");
}

TEST_F(PreviewCommand, AnItemsFailuresAreNamedWithTheItemAndADamagedFileIsPreviewedAsFarAsRead) {
  Key.DeleteValue("", "One");
  std::string bytes = ReadWholeFile(PlugIn);
  bytes.resize(bytes.size() - 100); // ends inside the last item
  WriteWholeFile(PlugIn, bytes);

  std::ostringstream out, err;
  EXPECT_EQ(RunPreview(PreviewOptions{PlugIn, ""}, out, err), 1);
  EXPECT_EQ(ItemRows(Lines(out.str())).size(), 5u) << out.str();
  EXPECT_NE(err.str().find("damaged"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("ppj: item 5: Value name [One] can not be found"), std::string::npos)
      << err.str();
  EXPECT_FALSE(GetFileAttributesA(List.c_str()) != INVALID_FILE_ATTRIBUTES) << "no list asked for";

  WriteWholeFile(PlugIn, "not a plug-in");
  EXPECT_EQ(RunPreview(PreviewOptions{PlugIn, ""}, out, err), 2);
}

// An item that finds one file and then, when told to, raises as a failing scan would.
class TScriptedItem : public TCleanObj {
public:
  explicit TScriptedItem(bool raise) : TCleanObj("scripted"), FRaise(raise) {}
  void CollectInfo() override {
    TSearchRec found;
    found.Name = "found.tmp";
    found.Size = 2048;
    SendFileFound(found);
    if (FRaise) throw std::runtime_error("scan failed");
  }

private:
  bool FRaise;
};

TEST(PreviewRun, AnItemThatRaisesEndsTheRunAsItEndsTheEditorsPreview) {
  TScriptedItem first(false), failing(true), after(false);
  const PreviewResult result = CollectItemByItem({&first, &failing, &after}, false, nullptr);
  ASSERT_EQ(result.Items.size(), 2u) << "the item after the failing one is not collected";
  EXPECT_EQ(result.Items[1].Files, 1) << "what the failing item found before it raised counts";
  EXPECT_TRUE(result.EndedByError);
  ASSERT_EQ(result.Notes.size(), 1u);
  EXPECT_EQ(result.Notes[0].ItemNumber, 2);

  auto list = std::make_unique<TCleanObjList>();
  for (TCleanObj* item : {&first, &failing, &after}) list->Add(item);
  TPlugInPreviewForm form(nullptr);
  form.SetCleanObjList(std::move(list));
  form.StartCollect();
  ASSERT_TRUE(form.WaitForCollect(20000));
  EXPECT_EQ(form.FileCount(), 2) << "the editor's preview counts the same files";
}

// ppj.exe beside this test, run with its output in a file.
struct ProgramRun {
  DWORD ExitCode = 0;
  std::string Output;
};

ProgramRun RunPpj(const std::string& arguments, const TempFolder& folder) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program = path;
  program = program.substr(0, program.find_last_of('\\') + 1) + "ppj.exe";
  // A file of its own for each run: under Wine the last run's file can still be held
  // open for a moment after its ppj.exe has ended, so that making it anew fails with a
  // sharing violation and the next run's output would go nowhere.
  static int runs = 0;
  const std::string outputPath = folder.File("output" + std::to_string(++runs) + ".txt");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "no file for ppj.exe's output: " << GetLastError();
    return {};
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\" " + arguments;
  ProgramRun run;
  if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                     nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.ExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "ppj.exe did not start: " << GetLastError();
  }
  CloseHandle(output);
  run.Output = ReadWholeFile(outputPath);
  return run;
}

TEST_F(PreviewCommand, TheProgramRunsEachCommandWithItsExitStatus) {
  const ProgramRun help = RunPpj("--help", Folder);
  EXPECT_EQ(help.ExitCode, 0u);
  for (const char* command : {"dump", "build", "lint", "preview", "clean", "import", "export"})
    EXPECT_NE(help.Output.find(command), std::string::npos) << command << " in:\n" << help.Output;

  const std::string json = Folder.File("p.json"), rebuilt = Folder.File("q.ppj");
  EXPECT_EQ(RunPpj("dump \"" + PlugIn + "\" -o \"" + json + "\"", Folder).ExitCode, 0u);
  EXPECT_EQ(RunPpj("build \"" + json + "\" -o \"" + rebuilt + "\"", Folder).ExitCode, 0u);
  EXPECT_EQ(ReadWholeFile(rebuilt), ReadWholeFile(PlugIn)) << "dump and build give the bytes back";
  EXPECT_EQ(RunPpj("lint \"" + PlugIn + "\"", Folder).ExitCode, 0u);

  // The INI rules, through Windows' own code page conversion: "\xC3\xA9" is U+00E9.
  WriteWholeFile(Folder.File("rules.ini"), "[Caf\xC3\xA9 *]\r\nFileKey1=%Temp%\\Caf\xC3\xA9|*.tmp|RECURSE\r\n");
  const ProgramRun imported = RunPpj("import \"" + Folder.File("rules.ini") + "\" -o \"" + Folder.File("out") + "\"", Folder);
  EXPECT_EQ(imported.ExitCode, 0u) << imported.Output;
  EXPECT_NE(ReadWholeFile(Folder.File("out\\Caf_.ppj")).find("%WINTEMP%\\Caf\xE9"), std::string::npos)
      << "the folder in code page 1252: " << imported.Output;
  const ProgramRun exported = RunPpj("export \"" + Folder.File("out\\Caf_.ppj") + "\"", Folder);
  EXPECT_EQ(exported.ExitCode, 0u) << exported.Output;
  EXPECT_NE(exported.Output.find("FileKey1=%Temp%\\Caf\xC3\xA9|*.tmp|RECURSE\r\n"), std::string::npos)
      << exported.Output;

  const ProgramRun preview = RunPpj("preview \"" + PlugIn + "\"", Folder);
  EXPECT_EQ(preview.ExitCode, 0u) << preview.Output;
  EXPECT_NE(preview.Output.find("Total file count: 4"), std::string::npos) << preview.Output;
  EXPECT_EQ(preview.Output.find("\rItem"), std::string::npos) << "no progress line into a file";

  EXPECT_EQ(RunPpj("lint \"" + Folder.File("none.ppj") + "\"", Folder).ExitCode, 2u);
  EXPECT_EQ(RunPpj("frobnicate", Folder).ExitCode, 2u);
}

TEST_F(PreviewCommand, TheProgramGivesTheProjectsVersion) {
  const ProgramRun version = RunPpj("--version", Folder);
  EXPECT_EQ(version.ExitCode, 0u);
  EXPECT_EQ(version.Output, "ppj " EXPECTED_VERSION "\n") << "EXPECTED_VERSION is CMake's";
}

} // namespace
