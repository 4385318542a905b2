// The start-up sequence: the windows it makes, in their order, and what they take
// from the program.

#include "app/Application.h"
#include "app/VarnexFormUnit.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "framework/Controls.h"
#include "framework/MessageBoxes.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(StartUp, TheDialogsAreCreatedOnceOwnedByTheMainWindowAndGoAtTheEnd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  SetApplicationTitle("");
  CreateApplicationWindows();
  EXPECT_EQ(ApplicationTitle(), "Varnex") << "the error box takes its caption from the program";
  for (const TDialog* editor : std::initializer_list<const TDialog*>{
           RegItemEditor, RegKeySelector, RegValueSelector, FilenameEditor, FolderEditor, MaskEditor}) {
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindow(editor->Handle(), GW_OWNER), VarnexForm->Handle());
    EXPECT_FALSE(IsWindowVisible(editor->Handle())) << "hidden until used";
  }
  ASSERT_NE(FolderViewForm, nullptr);
  EXPECT_EQ(GetWindow(FolderViewForm->Handle(), GW_OWNER), VarnexForm->Handle());
  const TListView list(FolderViewForm->FoldersListView());
  ASSERT_EQ(list.RowCount(), SysFolderList->Count());
  EXPECT_EQ(list.Cell(0, 0), SysFolderList->Items(0).Path());
  const HWND dialog = FolderViewForm->Handle();
  DestroyApplicationWindows();
  EXPECT_EQ(FolderViewForm, nullptr);
  EXPECT_EQ(RegItemEditor, nullptr);
  EXPECT_EQ(RegKeySelector, nullptr);
  EXPECT_EQ(RegValueSelector, nullptr);
  EXPECT_EQ(FilenameEditor, nullptr);
  EXPECT_EQ(FolderEditor, nullptr);
  EXPECT_EQ(MaskEditor, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  SysFolderList.reset();
}

} // namespace
