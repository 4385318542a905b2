// Check Plug-In on the real main window: the dialog's rows against what the checks
// of `ppj lint` find in the same file, opened with F7 and with the menu in the
// program's own loop; Edit Item from a row; and the status bar's panel and the rows'
// overlays after every kind of change.

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/FileStream.h"
#include "plugin/Lint.h"
#include "res/resource.h"
#include "tests/plugin/RecordBuilders.h"
#include "tests/support/ProgramLoop.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>

namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001;
constexpr int kError = 1; // the signs over the rows' icons
constexpr int kWarning = 2;

// Items that between them break every rule that a file can break; the rules as the
// checks name them, in the order that the findings come.
std::vector<plugin::ItemRecord> ItemsBreakingEveryRule() {
  using namespace plugin;
  return {Registry(kCurrentUser, 1, "\\"),  Registry(0x12345678, 0, "Software\\Demo", "V"),
          Registry(kCurrentUser, 7, "Software\\Demo"), File("Demo\\settings.bak"),
          File("%NOSUCH%\\a.log"),          Folder("%WINDOWS%", {"*.*"}),
          Folder("C:\\Demo", {"..\\*.log"}), Folder("C:\\Demo", {}),
          File("C:\\Demo\\a.log"),          File("C:\\DEMO\\A.LOG")};
}
const std::vector<std::string> kEveryRule = {
    "whole-key-on-root", "unknown-root-key",        "unknown-registry-kind",
    "path-not-full",     "unknown-macro",           "system-folder-all-files",
    "mask-leaves-folder", "folder-without-masks",   "duplicate-item"};

std::string WritePlugIn(const TempFolder& folder, std::vector<plugin::ItemRecord> items) {
  const std::string path = folder.File("checked.ppj");
  const auto bytes = plugin::EncodePlugIn({{"Checked", "Jo", 46000.5, 0}, std::move(items)});
  WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

// A finding as a row shows it: item, level, rule, finding, and the image's index.
std::string RowText(const std::string& item, const std::string& level, const std::string& rule,
                    const std::string& finding, int image) {
  return item + " | " + level + " | " + rule + " | " + finding + " | " + std::to_string(image);
}

// What `ppj lint` finds in the file, as the dialog's rows must show it.
std::vector<std::string> LintRowsOfFile(const std::string& path) {
  TFileStream stream = TFileStream::OpenRead(path);
  plugin::PlugInRecords records;
  plugin::ReadPlugInRecords(stream, records);
  std::vector<std::string> rows;
  for (const plugin::LintFinding& finding : plugin::LintPlugIn(records)) {
    const bool error = finding.Level == plugin::FindingLevel::Error;
    rows.push_back(RowText(std::to_string(finding.ItemNumber), error ? "Error" : "Warning",
                           finding.Rule, finding.Message + " (" + finding.Description + ")",
                           error ? 0 : 1));
  }
  return rows;
}

class CheckPlugIn : public ProgramLoop {
protected:
  static TListView List() { return TListView(VarnexForm->ListView()); }
  static TListView FindingsList() { return TListView(CheckPlugInForm->FindingsListView()); }
  static bool DialogShown() { return IsWindowVisible(CheckPlugInForm->Handle()) != FALSE; }
  static std::vector<std::string> DialogRows() {
    std::vector<std::string> rows;
    const TListView list = FindingsList();
    for (int row = 0; row < list.RowCount(); ++row)
      rows.push_back(RowText(list.Cell(row, 0), list.Cell(row, 1), list.Cell(row, 2),
                             list.Cell(row, 3), list.RowImage(row)));
    return rows;
  }
  static std::string Panel() {
    char text[128] = {};
    SendMessageA(VarnexForm->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The sign over each row's icon as the screen shows it once the list has drawn what
  // it had to: a red disc with a white centre for an error, a yellow triangle with a
  // dark stroke for a warning.
  static std::vector<int> Overlays() {
    const HWND list = VarnexForm->ListView();
    UpdateWindow(list);
    const HDC screen = GetDC(list);
    std::vector<int> overlays;
    for (int row = 0; row < List().RowCount(); ++row) {
      const RECT icon = List().RowRect(row, LVIR_ICON);
      const auto at = [&](int x, int y) { return GetPixel(screen, icon.left + x, icon.top + y); };
      if (at(5, 7) == RGB(0xdc, 0x34, 0x34) && at(5, 10) == RGB(0xff, 0xff, 0xff))
        overlays.push_back(kError);
      else if (at(5, 12) == RGB(0xf7, 0xc9, 0x48) && at(5, 11) == RGB(0x3c, 0x46, 0x54))
        overlays.push_back(kWarning);
      else
        overlays.push_back(0);
    }
    ReleaseDC(list, screen);
    return overlays;
  }
  static Step DoubleClickFinding(int row) {
    return [row] {
      const HWND list = CheckPlugInForm->FindingsListView();
      const RECT rect = TListView(list).RowRect(row);
      const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
      PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(list, WM_LBUTTONUP, 0, at);
      PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageA(list, WM_LBUTTONUP, 0, at);
    };
  }
  TempFolder folder;
};

TEST_F(CheckPlugIn, F7AndTheMenuListWhatLintFindsInTheSameFile) {
  const std::string path = WritePlugIn(folder, ItemsBreakingEveryRule());
  user.ChooseFile(path);
  std::vector<std::string> byKey;
  std::vector<std::string> byMenu;
  Run({
      Command(OpenAction),
      [] { SetFocus(VarnexForm->ListView()); },
      Key(VK_F7),
      [&] {
        ASSERT_TRUE(DialogShown()) << "F7 did not open the dialog";
        byKey = DialogRows();
        EXPECT_TRUE(FindingsList().Focused()) << "the list has the focus";
        EXPECT_EQ(FindingsList().SelectedRow(), 0);
      },
      Key(VK_ESCAPE),
      [] { EXPECT_FALSE(DialogShown()) << "Esc closes it"; },
      Command(CheckPlugInAction),
      [&] { byMenu = DialogRows(); },
      Click(CheckPlugInForm, IDCANCEL),
  });
  EXPECT_EQ(byKey, LintRowsOfFile(path));
  EXPECT_EQ(byMenu, byKey);
  std::vector<std::string> rules;
  for (const std::string& row : byKey) {
    const std::size_t start = row.find(" | ", row.find(" | ") + 3) + 3;
    rules.push_back(row.substr(start, row.find(" | ", start) - start));
  }
  EXPECT_EQ(rules, kEveryRule);
  EXPECT_EQ(Panel(), "7 errors, 2 warnings");
}

TEST_F(CheckPlugIn, ASoundPlugInShowsNoProblemsFoundAndEditItemIsDisabled) {
  VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Sound", "%WINDOWS%\\demo.log"));
  VarnexForm->CheckPlugIn();
  const HWND dialog = CheckPlugInForm->Handle();
  Run({
      Key(VK_F7),
      [&] {
        EXPECT_EQ(Text(dialog), "Check Plug-In");
        EXPECT_EQ(ClientSize(dialog).cx, 560);
        EXPECT_EQ(ClientSize(dialog).cy, 300);
        RECT main{};
        RECT shown{};
        GetWindowRect(VarnexForm->Handle(), &main);
        GetWindowRect(dialog, &shown);
        EXPECT_LE(std::abs((main.left + main.right) - (shown.left + shown.right)), 1);
        EXPECT_LE(std::abs((main.top + main.bottom) - (shown.top + shown.bottom)), 1);
        EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_STYLE) & WS_THICKFRAME) << "resizable";
        const TListView list = FindingsList();
        ASSERT_EQ(list.ColumnCount(), 4);
        ASSERT_EQ(list.RowCount(), 1);
        EXPECT_EQ(list.Cell(0, 3), "No problems found.");
        EXPECT_FALSE(TControl(GetDlgItem(dialog, IDOK)).Enabled());
        EXPECT_EQ(Text(GetDlgItem(dialog, IDOK)), "&Edit Item");
        EXPECT_EQ(Text(GetDlgItem(dialog, IDCANCEL)), "&Close");
        EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        // Both buttons at the bottom right, below the list, inside the client area.
        const RECT edit = Placement(GetDlgItem(dialog, IDOK));
        const RECT close = Placement(GetDlgItem(dialog, IDCANCEL));
        const RECT listPlace = Placement(list.Handle());
        EXPECT_EQ(close.left + close.right, 560 - 8);
        EXPECT_EQ(close.top + close.bottom, 300 - 8);
        EXPECT_LT(edit.left + edit.right, close.left);
        EXPECT_LT(listPlace.top + listPlace.bottom, close.top);
      },
      Key(VK_RETURN),
      [] { EXPECT_TRUE(DialogShown()) << "Enter with no finding does nothing"; },
      Key(VK_ESCAPE),
  });
  EXPECT_FALSE(DialogShown());
  EXPECT_EQ(Panel(), "No problems");
}

TEST_F(CheckPlugIn, EditItemAndADoubleClickGoToTheFindingsItemOrToProperties) {
  VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("P", "C:\\Demo\\a.log"));
  VarnexForm->AppendItemRow(std::make_unique<TCleanFolder>("P", "C:\\Demo", false));
  VarnexForm->AppendItemRow(std::make_unique<TCleanRegistry>("P", kCurrentUser, 1, "\\", ""));
  VarnexForm->CheckPlugIn();
  ASSERT_EQ(Panel(), "1 error, 1 warning");
  std::string keyInEditor;
  std::string folderInEditor;
  Run({
      [] { SetFocus(VarnexForm->ListView()); },
      Key(VK_F7),
      [] { FindingsList().SelectRow(1); }, // item 3's whole key on the root
      Key(VK_RETURN),
      [&] {
        ASSERT_TRUE(IsWindowVisible(RegItemEditor->Handle())) << "Edit Item opened no editor";
        EXPECT_FALSE(DialogShown());
        EXPECT_EQ(List().SelectedRow(), 2);
        keyInEditor = RegItemEditor->KeyName();
      },
      Type(RegItemEditor, IDC_KEYNAMEEDIT, "Software\\Fixed"),
      Key(VK_RETURN),
      [] {
        EXPECT_EQ(Panel(), "0 errors, 1 warning") << "after the edit";
        EXPECT_EQ(Overlays(), (std::vector<int>{0, kWarning, 0}));
      },
      Key(VK_F7),
      DoubleClickFinding(0), // item 2's folder without masks
      [&] {
        ASSERT_TRUE(IsWindowVisible(FolderEditor->Handle())) << "a double click opened no editor";
        folderInEditor = FolderEditor->Folder();
      },
      Key(VK_ESCAPE),
      Command(PropertiesAction),
      Type(PlugInPropsForm, IDC_NAMEEDIT, std::string(130, 'N')),
      Key(VK_RETURN),
      Key(VK_F7),
      [] { EXPECT_EQ(FindingsList().Cell(0, 0), "0"); }, // the name, too long for the file
      Key(VK_RETURN),
      [] { EXPECT_TRUE(IsWindowVisible(PlugInPropsForm->Handle())) << "item 0 shows Properties"; },
      Key(VK_ESCAPE),
  });
  EXPECT_EQ(keyInEditor, "\\");
  EXPECT_EQ(folderInEditor, "C:\\Demo");
  EXPECT_EQ(dynamic_cast<const TCleanRegistry&>(*VarnexForm->Item(2)).KeyPath(), "\\Software\\Fixed");
  EXPECT_EQ(Panel(), "1 error, 1 warning");
}

TEST_F(CheckPlugIn, ThePanelAndTheOverlaysFollowEveryChange) {
  RECT client{};
  GetClientRect(VarnexForm->Handle(), &client);
  int edges[2] = {};
  ASSERT_EQ(SendMessageA(VarnexForm->StatusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], client.right - 160) << "the hint keeps what the panel leaves";
  EXPECT_EQ(Panel(), "No problems");

  const std::string path = WritePlugIn(folder, ItemsBreakingEveryRule());
  user.FillThenPress({IDC_FOLDERRADIOBUTTON}, {}, IDOK);
  user.FillThenPress({}, {{IDC_FOLDEREDIT, "C:\\Demo"}}, IDOK);
  user.FillThenPress({IDC_FILERADIOBUTTON}, {}, IDOK);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "relative.log"}}, IDOK);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "C:\\fixed.log"}}, IDOK);
  user.FillThenPress({IDC_FILERADIOBUTTON}, {}, IDOK);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "C:\\fixed.log"}}, IDOK);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "C:\\other.log"}}, IDOK);
  user.FillThenPress({}, {{IDC_FOLDEREDIT, "relative"}}, IDOK);
  user.PressButton(IDYES); // Open: "Current plug-in not saved, continue anyway?"
  user.ChooseFile(path);
  user.PressButton(IDYES); // New: the same question
  const std::function<void()> changes[] = {
      [] { AppWindows::Command(NewItemAction); },
      [] { AppWindows::Command(NewItemAction); },
      [] { List().SelectRow(1); AppWindows::Command(EditItemAction); },
      [] { AppWindows::Command(NewItemAction); },
      [] { List().SelectRow(1); AppWindows::Command(EditItemAction); },
      [] { List().SelectRow(0); AppWindows::Command(EditItemAction); },
      [] { List().SelectRow(0); AppWindows::Command(RemoveItemAction); },
      [] { AppWindows::Command(OpenAction); },
      [] { List().SelectRow(8); AppWindows::Command(RemoveItemAction); },
      [] { AppWindows::Command(NewAction); },
  };
  const std::pair<const char*, std::vector<int>> expected[] = {
      {"0 errors, 1 warning", {kWarning}},      // New Item: a folder without masks
      {"1 error, 1 warning", {kWarning, kError}}, // New Item: a file not on a full path
      {"0 errors, 1 warning", {kWarning, 0}},   // Edit Item: the file's path made full
      {"0 errors, 2 warnings", {kWarning, 0, kWarning}}, // New Item: a duplicate of item 2
      // Edit Item of item 2: item 3, whose row the edit does not touch, is a duplicate
      // no more.
      {"0 errors, 1 warning", {kWarning, 0, 0}},
      {"1 error, 1 warning", {kError, 0, 0}},   // Edit Item: an error's sign wins
      {"No problems", {0, 0}},                  // Remove Item
      {"7 errors, 2 warnings", {kError, kError, kError, kError, kError, kError, kError, kWarning, 0, kWarning}},
      // Remove Item of the first of two duplicates: the second, moved up into its row,
      // is a duplicate no more.
      {"7 errors, 1 warning", {kError, kError, kError, kError, kError, kError, kError, kWarning, 0}},
      {"No problems", {}},                      // New
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    changes[i]();
    EXPECT_EQ(Panel(), expected[i].first) << "after change " << i;
    EXPECT_EQ(Overlays(), expected[i].second) << "after change " << i;
  }
  EXPECT_EQ(user.PendingAnswers(), 0);
}

} // namespace
