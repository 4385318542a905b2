// The System Folders dialog, created from its template and shown modally under Wine,
// driven with mouse and key messages while its own message loop runs.

#include "framework/Controls.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedUser.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace {

std::string RowText(HWND list, int row, int column) { return TListView(list).Cell(row, column); }

void PostDoubleClick(HWND list, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

void PostDoubleClickOnRow(HWND list, int row, int x) {
  const RECT bounds = TListView(list).RowRect(row);
  PostDoubleClick(list, x, (bounds.top + bounds.bottom) / 2);
}

void PostKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

class FolderView : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    form.reset();
    DestroyWindow(owner);
  }

  TFolderViewForm& Form() {
    if (!form) form = std::make_unique<TFolderViewForm>(owner, folders);
    return *form;
  }
  HWND List() { return Form().FoldersListView(); }
  // Shows the dialog modally while the steps run; returns its modal result.
  int ShowWith(std::deque<std::function<void()>> steps) {
    ModalScript script(std::move(steps));
    script.Fallbacks = {Form().Handle()};
    const int result = Form().ShowModal();
    EXPECT_TRUE(script.Finished()) << "the dialog closed before every step had run";
    return result;
  }
  void Select(int row) { TListView(List()).SelectRow(row); }
  std::function<void()> ExpectStillOpen() {
    return [this] {
      EXPECT_TRUE(IsWindowVisible(Form().Handle()));
      EXPECT_EQ(Form().ModalResult(), kModalResultNone);
    };
  }

  TSysFolderList folders{Win32SysFolderSource()};
  HWND owner = nullptr;
  std::unique_ptr<TFolderViewForm> form;
};

TEST_F(FolderView, ListsEveryFolderInTableOrderWithItsMacro) {
  const HWND list = List();
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 13);
  for (int row = 0; row < 13; ++row) {
    EXPECT_EQ(RowText(list, row, 0), folders.Items(row).Path()) << row;
    EXPECT_EQ(RowText(list, row, 1), "%" + folders.Items(row).MacroName() + "%") << row;
  }
  EXPECT_EQ(RowText(list, 0, 1), "%WINDOWS%");
  EXPECT_EQ(RowText(list, 12, 1), "%FIREFOX_PROFILE_LOCAL%");
  EXPECT_EQ(Form().SelectedRow(), -1) << "nothing is chosen before the first show";
  EXPECT_FALSE(IsWindowVisible(Form().Handle())) << "created hidden";
}

TEST_F(FolderView, HasItsCaptionBorderFontAndListStyle) {
  char caption[64] = {};
  GetWindowTextA(Form().Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "System Folders");
  const LONG_PTR style = GetWindowLongPtrA(Form().Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "a dialog border";
  EXPECT_EQ(GetWindow(Form().Handle(), GW_OWNER), owner);

  const LONG_PTR listStyle = GetWindowLongPtrA(List(), GWL_STYLE);
  EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(listStyle & LVS_NOCOLUMNHEADER);
  EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(listStyle & LVS_SINGLESEL);
  EXPECT_FALSE(listStyle & LVS_EDITLABELS);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(List()) & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 2, 0), 0) << "two columns only";

  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(List(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(font.lfHeight, -11);
}

TEST_F(FolderView, WithShortMacrosTheClientIs524By355AndTheColumns400And100) {
  folders.Clear();
  folders.AddFolder("Windows Folder", "C:\\windows", "WIN");
  folders.AddFolder("Temp", "C:\\temp", "TMP");
  RECT client{};
  GetClientRect(Form().Handle(), &client);
  EXPECT_EQ(client.right, 524);
  EXPECT_EQ(client.bottom, 355);
  RECT listRect{};
  GetWindowRect(List(), &listRect);
  MapWindowPoints(nullptr, Form().Handle(), reinterpret_cast<POINT*>(&listRect), 2);
  EXPECT_EQ(listRect.left, 5);
  EXPECT_EQ(listRect.top, 5);
  EXPECT_EQ(listRect.right, 519);
  EXPECT_EQ(listRect.bottom, 350);
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), 400);
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 1, 0), 100);

  RECT window{}, workArea{};
  GetWindowRect(Form().Handle(), &window);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (workArea.left + workArea.right)), 1) << "centred";
  EXPECT_LE(std::abs((window.top + window.bottom) - (workArea.top + workArea.bottom)), 1);
}

TEST_F(FolderView, TheMacroColumnShowsTheLongestMacroWholeAndTheDialogWidensWithIt) {
  const int macroWidth = static_cast<int>(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 1, 0));
  const int longest = static_cast<int>(SendMessageA(
      List(), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>("%FIREFOX_PROFILE_LOCAL%")));
  EXPECT_GT(macroWidth, longest) << "room for the text and its margins";
  EXPECT_GT(macroWidth, 100) << "the longest macro does not fit 100 pixels";
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), 400);
  RECT client{}, listClient{};
  GetClientRect(Form().Handle(), &client);
  GetClientRect(List(), &listClient);
  EXPECT_EQ(client.right, 524 + macroWidth - 100);
  EXPECT_EQ(client.bottom, 355);
  EXPECT_GE(listClient.right, 400 + macroWidth) << "both columns fit without scrolling";
}

TEST_F(FolderView, AHiddenDialogTakesNeitherActivationNorFocusUntilShown) {
  ShowWindow(owner, SW_SHOW);
  SetActiveWindow(owner);
  ASSERT_EQ(GetActiveWindow(), owner);
  (void)Form();
  EXPECT_EQ(GetActiveWindow(), owner) << "creating the dialog at start leaves the main window active";
  ShowWith({[this] {
    EXPECT_EQ(GetActiveWindow(), Form().Handle());
    EXPECT_EQ(GetFocus(), List()) << "the keys go to the list";
    PostKey(List(), VK_ESCAPE);
  }});
}

TEST_F(FolderView, ADoubleClickOnARowClosesWithOKAndThatRowChosen) {
  // Another window of the program, such as the editor that opens the dialog.
  const HWND editor = CreateWindowExA(0, "STATIC", "editor", WS_POPUP | WS_VISIBLE, 20, 20, 10, 10,
                                      owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  const int result = ShowWith({[this, editor] {
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
    EXPECT_FALSE(IsWindowEnabled(owner)) << "modal: the owner is disabled";
    EXPECT_FALSE(IsWindowEnabled(editor)) << "and so is the window that showed the dialog";
    PostDoubleClickOnRow(List(), 3, 450); // on the macro column: the whole row is the target
  }});
  EXPECT_EQ(result, kModalResultOK);
  EXPECT_EQ(Form().SelectedRow(), 3);
  EXPECT_EQ(Form().SelectedMacro(), "%WINTEMP%");
  EXPECT_FALSE(IsWindowVisible(Form().Handle())) << "hidden, not destroyed";
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(editor));
  DestroyWindow(editor);
}

TEST_F(FolderView, AnEmptyPathStillHasItsRowAndCanBeChosen) {
  folders.Items(5).SetPath(""); // as when the shell folders key has no "Recent"
  ASSERT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 13);
  EXPECT_EQ(RowText(List(), 5, 0), "");
  EXPECT_EQ(RowText(List(), 5, 1), "%RECENT%");
  EXPECT_EQ(ShowWith({[this] { PostDoubleClickOnRow(List(), 5, 100); }}), kModalResultOK);
  EXPECT_EQ(Form().SelectedMacro(), "%RECENT%");
}

TEST_F(FolderView, ADoubleClickBesideTheRowsLeavesTheDialogOpen) {
  Select(2); // the press beside the rows clears it, so nothing is chosen
  const int result = ShowWith({
      [this] { PostDoubleClick(List(), 250, 330); },
      ExpectStillOpen(),
      [this] {
        EXPECT_EQ(Form().SelectedRow(), -1);
        PostMessageA(Form().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      },
  });
  EXPECT_EQ(result, kModalResultCancel);
}

TEST_F(FolderView, TheCloseBoxGivesCancelAndKeepsTheSelection) {
  Select(4);
  const int result =
      ShowWith({[this] { PostMessageA(Form().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_EQ(result, kModalResultCancel);
  EXPECT_EQ(Form().SelectedRow(), 4);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(FolderView, TheLastChosenRowIsStillSelectedAtTheNextShow) {
  ASSERT_EQ(ShowWith({[this] { PostDoubleClickOnRow(List(), 7, 100); }}), kModalResultOK);
  const int result = ShowWith({[this] {
    EXPECT_EQ(Form().SelectedRow(), 7);
    PostKey(List(), VK_RETURN); // Enter takes the selected row, as a double click would
  }});
  EXPECT_EQ(result, kModalResultOK);
  EXPECT_EQ(Form().SelectedMacro(), "%HISTORY%");
}

TEST_F(FolderView, EnterNeedsASelectionAndEscCancels) {
  const int result = ShowWith({
      [this] { PostKey(List(), VK_RETURN); },
      ExpectStillOpen(),
      [this] { PostKey(List(), VK_ESCAPE); },
  });
  EXPECT_EQ(result, kModalResultCancel);
}

TEST_F(FolderView, AWMQuitEndsTheShowWithCancelAndReachesTheOuterLoop) {
  EXPECT_EQ(ShowWith({[] { PostQuitMessage(7); }}), kModalResultCancel);
  MSG quit{};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(FolderView, TheFoldersButtonAppendsTheChosenMacroAtTheEndAndCancelChangesNothing) {
  const HWND pathBox = CreateWindowExA(0, "EDIT", "\\Temp", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20,
                                       owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  const TEditBox path(pathBox);
  SendMessageA(pathBox, EM_SETSEL, 1, 1); // the caret inside the text: the macro still goes last
  ScriptedUser user;
  user.DoubleClickListRow(0);
  AppendFolderMacro(Form(), pathBox);
  EXPECT_EQ(path.Text(), "\\Temp%WINDOWS%") << "appended at the end, with no separator";
  EXPECT_TRUE(path.Focused()) << "the path box has the focus again";

  user.PressCloseBox();
  AppendFolderMacro(Form(), pathBox);
  EXPECT_EQ(path.Text(), "\\Temp%WINDOWS%");
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u) << "the reused dialog is answered at each show";
  EXPECT_EQ(seen[0].Caption, "System Folders");
  EXPECT_TRUE(seen[1].Answered);
}

} // namespace
