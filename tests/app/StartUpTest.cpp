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
#include <objbase.h>

#include <optional>
#include <thread>

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

// The apartment of the calling thread, or the error that says it has none.
struct Apartment {
  HRESULT Result = E_FAIL;
  APTTYPE Type = APTTYPE_CURRENT;
};

Apartment ThisThreadsApartment() {
  Apartment apartment;
  APTTYPEQUALIFIER qualifier{};
  apartment.Result = CoGetApartmentType(&apartment.Type, &qualifier);
  return apartment;
}

// The apartment as the main window, the program's first, was being created. Checked
// then, since Wine's input method support makes a thread an apartment of its own
// once a window of it is shown.
std::optional<Apartment> AtMainWindow;

LRESULT CALLBACK WatchCreation(int code, WPARAM window, LPARAM details) {
  char className[64] = {};
  if (code == HCBT_CREATEWND && !AtMainWindow &&
      GetClassNameA(reinterpret_cast<HWND>(window), className, sizeof className) &&
      std::string(className) == "TVarnexForm")
    AtMainWindow = ThisThreadsApartment();
  return CallNextHookEx(nullptr, code, window, details);
}

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR, DWORD) {
  PostMessageA(VarnexForm->Handle(), WM_CLOSE, 0, 0);
}

TEST(StartUp, OleIsInitialisedOnTheWindowThreadBeforeTheWindowsAndUndoneAfterThem) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  Apartment before, after;
  // A thread of its own, so that nothing done with COM elsewhere in this process counts.
  std::thread program([&] {
    before = ThisThreadsApartment();
    const HHOOK hook = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    // A thread timer fires only once the loop runs, with the windows all there.
    SetTimer(nullptr, 0, 20, &CloseMainWindow);
    RunApplication({});
    UnhookWindowsHookEx(hook);
    after = ThisThreadsApartment();
  });
  program.join();
  SysFolderList.reset();

  EXPECT_EQ(before.Result, CO_E_NOTINITIALIZED);
  ASSERT_TRUE(AtMainWindow.has_value()) << "no main window was made";
  ASSERT_EQ(AtMainWindow->Result, S_OK) << "no OLE on the window thread when its windows are made";
  EXPECT_TRUE(AtMainWindow->Type == APTTYPE_STA || AtMainWindow->Type == APTTYPE_MAINSTA)
      << "apartment type " << AtMainWindow->Type;
  EXPECT_EQ(after.Result, CO_E_NOTINITIALIZED) << "OLE is undone once the windows have gone";
  EXPECT_EQ(VarnexForm, nullptr);
}

} // namespace
