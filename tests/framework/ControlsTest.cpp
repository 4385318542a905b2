// The control wrappers on real controls of a real window, and the folder browser
// answered by a scripted user.

#include "framework/CommonDialogs.h"
#include "framework/Controls.h"
#include "tests/support/ScriptedUser.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class Controls : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }

  HWND Make(const char* className, DWORD style, int id = 0, const char* text = "") {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 20, 200, 150,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  }

  HWND parent = nullptr;
};

TEST_F(Controls, TextOfAnyLengthAndThePlacementInTheParent) {
  const TEditBox edit(Make("EDIT", ES_AUTOHSCROLL));
  edit.SetLimitText(0);
  const std::string longText(5000, 'x'); // longer than any fixed buffer a caller might pick
  edit.SetText(longText);
  EXPECT_EQ(edit.Text(), longText);
  edit.SetText("");
  EXPECT_EQ(edit.Text(), "");

  const RECT place = edit.Placement();
  EXPECT_EQ(place.left, 10);
  EXPECT_EQ(place.top, 20);
  EXPECT_EQ(place.right, 200) << "the width";
  EXPECT_EQ(place.bottom, 150) << "the height";

  edit.SetEnabled(false);
  EXPECT_FALSE(edit.Enabled());
  edit.SetEnabled(true);
  EXPECT_TRUE(edit.Enabled());
}

TEST_F(Controls, AnEditBoxSelectsItsWholeText) {
  const TEditBox edit(Make("EDIT", ES_AUTOHSCROLL, 0, "C:\\Temp"));
  EXPECT_EQ(edit.Selection(), (std::pair<int, int>{0, 0}));
  edit.SelectAll();
  EXPECT_EQ(edit.Selection(), (std::pair<int, int>{0, 7}));
  EXPECT_FALSE(edit.ReadOnly());
}

TEST_F(Controls, ARadioGroupIsOneValueWithExactlyOneButtonSelected) {
  for (int id = 101; id <= 103; ++id) Make("BUTTON", BS_AUTORADIOBUTTON, id);
  const TRadioGroup group(parent, 101, 103);
  EXPECT_EQ(group.Count(), 3);
  EXPECT_EQ(group.Selected(), -1) << "none at first";
  group.Select(2);
  EXPECT_EQ(group.Selected(), 2);
  group.Select(0);
  EXPECT_EQ(group.Selected(), 0);
  EXPECT_FALSE(group.Button(2).Checked()) << "selecting one clears the others";
  group.Select(3);
  EXPECT_EQ(group.Selected(), 0) << "an index outside the group changes nothing";
  group.Select(-1);
  EXPECT_EQ(group.Selected(), 0);
}

TEST_F(Controls, ACheckBoxClickedAsTheUserWouldToggles) {
  const TButton box(Make("BUTTON", BS_AUTOCHECKBOX));
  EXPECT_FALSE(box.Checked());
  box.Click();
  EXPECT_TRUE(box.Checked());
  box.SetChecked(false);
  EXPECT_FALSE(box.Checked());
}

TEST_F(Controls, AListBoxKeepsItsLinesInOrder) {
  const TListBox list(Make("LISTBOX", 0)); // unsorted: lines stay in the order added
  list.AddLine("*.tmp");
  list.AddLine("");
  list.AddLine("*.bak");
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"*.tmp", "", "*.bak"}));
  list.Select(2);
  EXPECT_EQ(list.Selected(), 2);
  list.DeleteLine(0);
  EXPECT_EQ(list.Line(1), "*.bak");
  EXPECT_EQ(list.Line(5), "") << "a line that does not exist reads empty";
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(Controls, AListViewHoldsRowsOfCellsWithAValueEach) {
  const TListView list(Make(WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER));
  list.AddColumn("Name", 80);
  list.AddColumn("Value", 160);
  EXPECT_EQ(list.ColumnCount(), 2) << "also without a header to ask";
  EXPECT_EQ(list.ColumnWidth(1), 160);

  EXPECT_EQ(list.AddRow("first"), 0);
  EXPECT_EQ(list.AddRow("second"), 1) << "rows go after the last";
  const std::string longCell(3000, 'v');
  list.SetCell(1, 1, longCell);
  EXPECT_EQ(list.Cell(0, 0), "first");
  EXPECT_EQ(list.Cell(1, 1), longCell) << "a cell is read whole, however long";
  EXPECT_EQ(list.Cell(0, 1), "");

  EXPECT_EQ(list.SelectedRow(), -1);
  list.SelectRow(1);
  EXPECT_EQ(list.SelectedRow(), 1);
  const RECT row = list.RowRect(1);
  EXPECT_GT(row.bottom, row.top);

  list.DeleteRow(0);
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Cell(0, 0), "second");
  list.DeleteAllRows();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(Controls, ATreeViewBuildsNodesWithImagesAndExpandButtons) {
  const TTreeView tree(Make(WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT));
  const HTREEITEM first = tree.AddNode(TVI_ROOT, "HKEY_CLASSES_ROOT", 0, 1, true, 0x80000000);
  const HTREEITEM second = tree.AddNode(TVI_ROOT, "HKEY_CURRENT_USER", 0, 1, true);
  const HTREEITEM child = tree.AddNode(first, "Loading...", 0, 1);

  EXPECT_EQ(tree.Children(nullptr), (std::vector<HTREEITEM>{first, second})) << "top level in order";
  EXPECT_EQ(tree.Children(first), (std::vector<HTREEITEM>{child}));
  EXPECT_EQ(tree.Parent(child), first);
  EXPECT_EQ(tree.Parent(first), nullptr);
  EXPECT_EQ(tree.NodeText(second), "HKEY_CURRENT_USER");
  EXPECT_EQ(tree.NodeValue(first), static_cast<LPARAM>(0x80000000));
  EXPECT_EQ(tree.NodeImage(first), 0);
  EXPECT_EQ(tree.NodeSelectedImage(first), 1);
  EXPECT_TRUE(tree.NodeHasChildren(second)) << "an expand button before any child exists";
  tree.SetNodeHasChildren(second, false);
  EXPECT_FALSE(tree.NodeHasChildren(second));

  EXPECT_FALSE(tree.Expanded(first));
  tree.Expand(first);
  EXPECT_TRUE(tree.Expanded(first));
  tree.Select(child);
  EXPECT_EQ(tree.Selected(), child);
  tree.DeleteNode(child);
  EXPECT_TRUE(tree.Children(first).empty());
}

TEST_F(Controls, RedrawOffKeepsTheRowsFromRepaintingUntilOneRepaintAtTheEnd) {
  const TListView list(Make(WC_LISTVIEWA, LVS_REPORT));
  list.AddColumn("Row", 100);
  UpdateWindow(list.Handle());
  const auto waitingToPaint = [&list] { return GetUpdateRect(list.Handle(), nullptr, FALSE) != FALSE; };
  list.AddRow("drawn");
  EXPECT_TRUE(waitingToPaint()) << "a row added while drawing asks for a repaint";
  UpdateWindow(list.Handle());
  {
    const TRedrawOff quiet(list.Handle());
    for (int row = 0; row < 2000; ++row) list.AddRow(std::to_string(row));
    EXPECT_FALSE(waitingToPaint()) << "no row asked for a repaint";
  }
  EXPECT_TRUE(waitingToPaint()) << "one repaint at the end";
  EXPECT_EQ(list.RowCount(), 2001);
  EXPECT_EQ(list.Cell(2000, 0), "1999");
}

TEST(FolderBrowser, CancelGivesNothingAndOKTheChosenFolderAsAPath) {
  ScriptedUser user;
  user.PressButton(IDCANCEL);
  EXPECT_FALSE(BrowseForFolder(nullptr).has_value());

  user.PressButton(IDOK); // the folder the browser starts on
  const std::optional<std::string> chosen = BrowseForFolder(nullptr);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u) << "the browser did not open twice";
  ASSERT_TRUE(chosen.has_value()) << "the start folder has a path in the file system";
  const DWORD attributes = GetFileAttributesA(chosen->c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << *chosen;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << *chosen;
}

} // namespace
