// The editor as a user starts it: the built program in a process of its own, and the
// main window's shortcuts going through the program's own message loop.

#include "app/Application.h"
#include "app/VarnexFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "framework/Controls.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <winver.h>

#include <chrono>
#include <map>
#include <set>
#include <tuple>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct FoundWindow {
  DWORD ProcessId;
  HWND Window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
  auto* search = reinterpret_cast<FoundWindow*>(found);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (processId != search->ProcessId || std::string(className) != "TVarnexForm") return TRUE;
  search->Window = window;
  return FALSE;
}

// The program's main window, once it is visible; nullptr when it takes too long.
HWND WaitForMainWindow(DWORD processId) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    FoundWindow search{processId, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Window != nullptr && IsWindowVisible(search.Window)) return search.Window;
    Sleep(100);
  }
  return nullptr;
}

TEST(Program, OpensARelativeArgumentFromItsWorkingFolderAndExitsCleanlyOnClose) {
  TempFolder folder;
  CreateDirectoryA(folder.File("rel").c_str(), nullptr);
  WriteWholeFile(folder.File("rel\\demo.ppj"), ReadWholeFile(VARNEX_SAMPLE));

  const std::string program = FolderOfThisProgram() + "varnex.exe";
  std::string commandLine = "\"" + program + "\" rel\\demo.ppj";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.Path().c_str(), &startup, &started))
      << "cannot start " << program;
  unique_handle process(started.hProcess);
  unique_handle thread(started.hThread);

  // Idle means the start-up, opening the argument included, is over.
  ASSERT_EQ(WaitForInputIdle(process.get(), 30000), 0u) << "the program did not get ready";
  const HWND window = WaitForMainWindow(started.dwProcessId);
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  char title[MAX_PATH + 32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Varnex - [rel\\demo.ppj]") << "the argument is shown as it was typed";
  const HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5) << "every item of the sample is a row";

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0)
      << "the program is still running after its window was closed";
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

// Holds Ctrl down in the thread's keyboard state, as the message loop sees it while
// the user presses a shortcut.
class ControlHeld {
public:
  ControlHeld() {
    GetKeyboardState(FSaved);
    BYTE held[256];
    memcpy(held, FSaved, sizeof held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
  }
  ~ControlHeld() { SetKeyboardState(FSaved); }

private:
  BYTE FSaved[256];
};

// Runs the program's message loop until it ends by itself or, when a shortcut went
// astray, until a watchdog ends it with the code kTimedOut.
constexpr int kTimedOut = 99;
int RunLoopWithWatchdog() {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  const DWORD loopThread = GetCurrentThreadId();
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!ended.wait_for(lock, std::chrono::seconds(20), [&] { return done; }))
      PostThreadMessageA(loopThread, WM_QUIT, kTimedOut, 0);
  });
  const int exitCode = RunMessageLoop();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  ended.notify_one();
  watchdog.join();
  return exitCode;
}

TEST(Program, TheShortcutsWorkThroughTheMessageLoopAndCtrlXEndsIt) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  ScriptedUser user;
  auto form = std::make_unique<TVarnexForm>();
  VarnexForm = form.get();
  form->Show({});
  ASSERT_EQ(GetWindowTextLengthA(form->NameLabel()), 6) << "(none) before New";

  {
    ControlHeld control;
    PostMessageA(form->ListView(), WM_KEYDOWN, 'N', 1);
    PostQuitMessage(0); // taken only once the queue is empty
    EXPECT_EQ(RunLoopWithWatchdog(), 0);
  }
  EXPECT_EQ(GetWindowTextLengthA(form->NameLabel()), 0) << "Ctrl+N runs New";

  form->MarkModified();
  user.PressButton(IDYES);
  {
    ControlHeld control;
    PostMessageA(form->ListView(), WM_KEYDOWN, 'X', 1);
    EXPECT_EQ(RunLoopWithWatchdog(), 0) << "Ctrl+X ends the loop through the close query";
  }
  EXPECT_FALSE(IsWindow(form->Handle()));
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, "The Plug-In is modified, are you sure quit without saving?");
  form.reset();
  EXPECT_EQ(VarnexForm, nullptr);
}

// A key pressed in the main window's list, handled by the program's own loop, which
// ends once the main window is ready for input again: the dialog that the key opened,
// if any, has closed.
void CALLBACK EndLoopOnceReady(HWND, UINT, UINT_PTR, DWORD) {
  if (IsWindowEnabled(VarnexForm->Handle())) PostQuitMessage(0);
}

void PressInList(WPARAM key, bool control = false) {
  std::unique_ptr<ControlHeld> held;
  if (control) held = std::make_unique<ControlHeld>();
  PostMessageA(VarnexForm->ListView(), WM_KEYDOWN, key, 1);
  // A timer message comes only when the queue is empty, so after the key.
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &EndLoopOnceReady);
  EXPECT_EQ(RunLoopWithWatchdog(), 0) << "key " << key;
  KillTimer(nullptr, timer);
}

TEST(Program, CtrlOCtrlSInsertAndDeleteRunTheirCommandsThroughTheMessageLoop) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  CreateApplicationWindows();
  VarnexForm->Show({});
  ScriptedUser user;
  user.PressButton(IDCANCEL); // the open dialog
  user.PressButton(IDCANCEL); // the save dialog of an untitled plug-in
  user.PressButton(IDCANCEL); // the item type dialog
  PressInList('O', true);
  PressInList('S', true);
  PressInList(VK_INSERT);
  VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Keys", "C:\\x.log"));
  TListView(VarnexForm->ListView()).SelectRow(0);
  PressInList(VK_DELETE);
  EXPECT_EQ(VarnexForm->ItemCount(), 0) << "Delete removes the selected row";
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2].Caption, "Plug-In Item Type");
  EXPECT_EQ(user.PendingAnswers(), 0);
  DestroyApplicationWindows();
  SysFolderList.reset();
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

TEST(Program, TheShortcutsAreTheAcceleratorsOfTheirCommands) {
  TVarnexForm form;
  ACCEL table[32];
  const int count = CopyAcceleratorTableA(form.Accelerators(), table, 32);
  std::map<UINT, std::pair<BYTE, WORD>> keys; // command: modifiers, key
  for (int i = 0; i < count; ++i) keys[table[i].cmd] = {static_cast<BYTE>(table[i].fVirt & ~FNOINVERT), table[i].key};
  EXPECT_EQ(count, 19);
  EXPECT_EQ(keys[NewAction], (std::pair<BYTE, WORD>{FVIRTKEY | FCONTROL, 'N'}));
  EXPECT_EQ(keys[OpenAction], (std::pair<BYTE, WORD>{FVIRTKEY | FCONTROL, 'O'}));
  EXPECT_EQ(keys[SaveAction], (std::pair<BYTE, WORD>{FVIRTKEY | FCONTROL, 'S'}));
  EXPECT_EQ(keys[ExitAction], (std::pair<BYTE, WORD>{FVIRTKEY | FCONTROL, 'X'}));
  EXPECT_EQ(keys[NewItemAction], (std::pair<BYTE, WORD>{FVIRTKEY, VK_INSERT}));
  EXPECT_EQ(keys[RemoveItemAction], (std::pair<BYTE, WORD>{FVIRTKEY, VK_DELETE}));
  EXPECT_EQ(keys[HelpAction], (std::pair<BYTE, WORD>{FVIRTKEY, VK_F1}));
  EXPECT_EQ(keys[CheckPlugInAction], (std::pair<BYTE, WORD>{FVIRTKEY, VK_F7}));
  // Each command of the Edit menu; Copy and Paste have two shortcuts each.
  std::set<std::tuple<UINT, BYTE, WORD>> edit;
  for (int i = 0; i < count; ++i)
    if (table[i].cmd >= UndoAction && table[i].cmd <= SelectAllAction)
      edit.insert({table[i].cmd, static_cast<BYTE>(table[i].fVirt & ~FNOINVERT), table[i].key});
  const BYTE control = FVIRTKEY | FCONTROL;
  const BYTE shift = FVIRTKEY | FSHIFT;
  EXPECT_EQ(edit, (std::set<std::tuple<UINT, BYTE, WORD>>{
                      {UndoAction, control, 'Z'},         {RedoAction, control, 'Y'},
                      {CutAction, shift, VK_DELETE},      {CopyAction, control, 'C'},
                      {CopyAction, control, VK_INSERT},   {PasteAction, control, 'V'},
                      {PasteAction, shift, VK_INSERT},    {DuplicateAction, control, 'D'},
                      {MoveUpAction, control, VK_UP},     {MoveDownAction, control, VK_DOWN},
                      {SelectAllAction, control, 'A'}}));
}

// The entries of a menu as "caption" or "-" for a separator, with "ID:" for the command.
std::vector<std::string> Entries(HMENU menu) {
  std::vector<std::string> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char caption[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
    const UINT id = GetMenuItemID(menu, i);
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
      entries.push_back("-");
    else
      entries.push_back(std::to_string(id) + ":" + caption);
  }
  return entries;
}

std::string Entry(UINT id, const char* caption) { return std::to_string(id) + ":" + caption; }

TEST(Program, TheMenusHoldTheirEntriesInOrder) {
  TVarnexForm form;
  const HMENU bar = GetMenu(form.Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  char caption[32] = {};
  GetMenuStringA(bar, 0, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "&File");
  GetMenuStringA(bar, 1, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "&Edit");
  GetMenuStringA(bar, 2, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "&Help");
  EXPECT_EQ(Entries(GetSubMenu(bar, 0)),
            (std::vector<std::string>{Entry(NewAction, "&New\tCtrl+N"), "-", Entry(OpenAction, "&Open\tCtrl+O"),
                                      Entry(SaveAction, "&Save\tCtrl+S"), Entry(SaveAsAction, "&Save As"), "-",
                                      Entry(NewItemAction, "&New Item\tIns"), Entry(EditItemAction, "&Edit Item"),
                                      Entry(RemoveItemAction, "&Remove Item\tDel"), "-",
                                      Entry(PropertiesAction, "&Properties"),
                                      Entry(PreviewSizeAction, "&Preview Size"),
                                      Entry(CheckPlugInAction, "&Check Plug-In\tF7"), "-",
                                      Entry(ExitAction, "&Exit\tCtrl+X")}));
  const std::vector<std::string> clipboardAndMoves{
      Entry(CutAction, "Cu&t\tShift+Del"),          Entry(CopyAction, "&Copy\tCtrl+C"),
      Entry(PasteAction, "&Paste\tCtrl+V"),          Entry(DuplicateAction, "&Duplicate\tCtrl+D"), "-",
      Entry(MoveUpAction, "Mo&ve Up\tCtrl+Up"),      Entry(MoveDownAction, "Move Do&wn\tCtrl+Down")};
  std::vector<std::string> edit{Entry(UndoAction, "&Undo\tCtrl+Z"), Entry(RedoAction, "&Redo\tCtrl+Y"), "-"};
  edit.insert(edit.end(), clipboardAndMoves.begin(), clipboardAndMoves.end());
  edit.insert(edit.end(), {"-", Entry(SelectAllAction, "Select &All\tCtrl+A")});
  EXPECT_EQ(Entries(GetSubMenu(bar, 1)), edit);
  EXPECT_EQ(Entries(GetSubMenu(bar, 2)),
            (std::vector<std::string>{Entry(HelpAction, "&Help Topic\tF1"), "-", Entry(AboutAction, "&About")}));

  // The list's context menu.
  unique_hmenu popup(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ITEMPOPUP)));
  std::vector<std::string> items{Entry(NewItemAction, "&New Item\tIns"), "-",
                                 Entry(EditItemAction, "&Edit Item"),
                                 Entry(RemoveItemAction, "&Remove Item\tDel"), "-"};
  items.insert(items.end(), clipboardAndMoves.begin(), clipboardAndMoves.end());
  EXPECT_EQ(Entries(GetSubMenu(popup.get(), 0)), items);
}

TEST(Program, EveryCommandShowsItsHintInTheStatusBar) {
  TVarnexForm form;
  const std::pair<UINT, const char*> hints[] = {
      {NewAction, "Create a new plug-in"},
      {OpenAction, "Open a plug-in from your disk"},
      {SaveAction, "Save plug-in to disk"},
      {SaveAsAction, "Save current plug-in to another file"},
      {NewItemAction, "Create new clean item"},
      {EditItemAction, "Edit current selected clean item"},
      {RemoveItemAction, "Remove selected item"},
      {PropertiesAction, "Show plug-in properties"},
      {PreviewSizeAction, "Show how many size can be free on current plug-in"},
      {CheckPlugInAction, "Check the plug-in for items that may harm a computer or do nothing"},
      {UndoAction, "Undo the last change"},
      {RedoAction, "Redo the last undone change"},
      {CutAction, "Move the selected items to the clipboard"},
      {CopyAction, "Copy the selected items to the clipboard"},
      {PasteAction, "Insert the items on the clipboard after the selected item"},
      {DuplicateAction, "Insert a copy of the selected items after them"},
      {MoveUpAction, "Move the selected items up"},
      {MoveDownAction, "Move the selected items down"},
      {SelectAllAction, "Select every item"},
      {ExitAction, "Exit varnex"},
      {HelpAction, "Show help topic"},
      {AboutAction, "About Varnex ..."},
  };
  for (const auto& [id, hint] : hints) {
    SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE),
                 reinterpret_cast<LPARAM>(GetMenu(form.Handle())));
    char text[256] = {};
    SendMessageA(form.StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, hint) << id;
  }
}

// EXPECTED_FILE_VERSION and EXPECTED_SHORT_VERSION come from the project's version in
// CMake, so a number left behind anywhere in the resources shows here.
TEST(Program, ItsVersionResourceAndManifestCarryTheProjectsVersion) {
  const std::string program = FolderOfThisProgram() + "varnex.exe";
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  ASSERT_FALSE(info.empty()) << "varnex.exe has no version resource";
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
  const auto parts = [](DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
  };
  EXPECT_EQ(parts(fixed->dwFileVersionMS, fixed->dwFileVersionLS), EXPECTED_FILE_VERSION);
  EXPECT_EQ(parts(fixed->dwProductVersionMS, fixed->dwProductVersionLS), EXPECTED_FILE_VERSION);

  const auto text = [&](const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)
               ? std::string(value)
               : std::string();
  };
  EXPECT_EQ(text("FileVersion"), EXPECTED_FILE_VERSION);
  EXPECT_EQ(text("ProductVersion"), EXPECTED_SHORT_VERSION);

  const HMODULE image = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  const HRSRC found = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(found, nullptr) << "varnex.exe has no manifest";
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                             SizeofResource(image, found));
  FreeLibrary(image);
  EXPECT_NE(manifest.find("name=\"Varnex.PlugInEditor\" version=\"" EXPECTED_FILE_VERSION
                          "\" processorArchitecture=\"x86\""),
            std::string::npos)
      << manifest;
}

} // namespace
