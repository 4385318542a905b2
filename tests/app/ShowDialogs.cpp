// Shows one of the main window's dialogs for its screenshot: scripts/take-screenshots.sh
// runs it inside a Wine desktop as
//   show_dialogs.exe preview|properties|about|type|regitem|regkeys|regvalues|file|folder|mask|
//                    check|findings|editmenu|selection <rect file>
//                    [plug-in file or folder]
// It starts the program's windows, runs the command, and once the dialog has painted
// (for the preview: while its totals still grow) writes the dialog's window rectangle
// ("left top width height") to the rect file so the script can crop the screen to it.
// The dialog closes itself after 30 seconds. "findings" shows the main window itself,
// its rows marked with what the checks find, and "check" the findings' dialog;
// "editmenu" the main window with its Edit menu open, and "selection" with several of
// its rows selected.

#include "app/Application.h"
#include "app/PlugInTypeSelectFormUnit.h"
#include "app/VarnexFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "framework/Controls.h"
#include "framework/CommandLine.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "res/resource.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {
std::string RectFile;
std::string Caption;

void CALLBACK Painted(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND dialog = FindWindowA(nullptr, Caption.c_str());
  if (dialog == nullptr) return;
  UpdateWindow(dialog);
  RECT window{};
  GetWindowRect(dialog, &window);
  if (FILE* file = std::fopen(RectFile.c_str(), "w")) {
    std::fprintf(file, "%ld %ld %ld %ld\n", window.left, window.top, window.right - window.left,
                 window.bottom - window.top);
    std::fclose(file);
  }
}

void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) {
  if (const HWND window = FindWindowA(nullptr, Caption.c_str())) PostMessageA(window, WM_CLOSE, 0, 0);
}

// The Edit menu dropped under its entry in the menu bar, until the window closes.
void CALLBACK OpenEditMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND window = VarnexForm->Handle();
  RECT entry{};
  GetMenuItemRect(window, GetMenu(window), 1, &entry);
  TrackPopupMenu(GetSubMenu(GetMenu(window), 1), TPM_LEFTALIGN | TPM_TOPALIGN, entry.left, entry.bottom, 0,
                 window, nullptr);
}

// A plug-in of a program's cache and settings, with the slips that the checks find.
void AddItemsWithFindings() {
  const auto folder = [](const char* path, std::vector<std::string> masks) {
    auto item = std::make_unique<TCleanFolder>("Demo Viewer", path, false);
    item->Masks() = std::move(masks);
    VarnexForm->AppendItemRow(std::move(item));
  };
  const auto value = [](const char* key, const char* name) {
    VarnexForm->AppendItemRow(std::make_unique<TCleanRegistry>(
        "Demo Viewer", 0x80000001, name[0] != 0 ? kRegistryValue : kRegistryWholeKey, key, name));
  };
  folder("%PROFILE%\\AppData\\Local\\Demo Viewer\\Cache", {"*.*"});
  value("\\Software\\Demo Viewer\\Recent", "LastFile");
  folder("%WINDOWS%", {"*.*"});
  VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Demo Viewer", "Demo Viewer\\settings.bak"));
  folder("%TEMP%\\Demo Viewer", {"*.tmp"});
  folder("%WINTEMP%\\Demo Viewer", {});
  value("\\", "");
  value("\\Software\\Demo Viewer\\Recent", "LastFile");
  folder("%PROFILE%\\AppData\\Local\\Demo Viewer\\Logs", {"..\\*.log"});
  VarnexForm->CheckPlugIn();
}

// Expands the node as a user does, with the keyboard, and gives its first child.
HTREEITEM ExpandAndDescend(const TTreeView& tree, HTREEITEM node) {
  tree.Select(node);
  SendMessageA(tree.Handle(), WM_KEYDOWN, VK_ADD, 0);
  return tree.FirstChild(node);
}

// The key tree opened three levels below HKEY_CURRENT_USER, the last one selected.
void ShowKeySelector() {
  const TTreeView tree(RegKeySelector->RegKeyTreeView());
  HTREEITEM node = tree.Children(nullptr).at(1); // HKEY_CURRENT_USER
  for (int level = 0; level < 3 && node != nullptr; ++level) node = ExpandAndDescend(tree, node);
  if (node != nullptr) tree.Select(node);
  RegKeySelector->ShowModal();
}

// A key of a string, a number and a binary value, listed by the value "?", and gone
// again afterwards.
void ShowValueSelector() {
  const char* path = "Software\\Varnex Screenshot";
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  const DWORD number = 42;
  const BYTE binary[] = {1, 2, 3, 4};
  RegSetValueExA(key, "LastFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\Temp"), 8);
  RegSetValueExA(key, "RunCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegSetValueExA(key, "WindowState", 0, REG_BINARY, binary, sizeof binary);
  RegCloseKey(key);
  RegItemEditor->LoadFromItem(TCleanRegistry("Screenshot", 0x80000001, kRegistryValue, path, ""));
  RegItemEditor->SelectValueNameButtonClick();
  RegDeleteTreeA(HKEY_CURRENT_USER, path);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments = SplitCommandLine(GetCommandLineA());
  if (arguments.size() < 3) return 2;
  const std::string which = arguments[1];
  RectFile = arguments[2];
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  CreateApplicationWindows();
  VarnexForm->Show({});

  UINT command = AboutAction;
  Caption = "About Varnex ...";
  // A plug-in file to open, or a folder whose whole tree a folder item covers.
  const std::string source = arguments.size() > 3 ? arguments[3] : "%WINDOWS%";
  if (source.size() > 4 && source.substr(source.size() - 4) == ".ppj") {
    VarnexForm->LoadPlugIn(source);
  } else if (which == "preview") {
    auto folder = std::make_unique<TCleanFolder>("Preview", source, false);
    folder->Masks() = {"*.*"};
    VarnexForm->AppendItemRow(std::move(folder));
  }
  if (which == "check" || which == "findings" || which == "editmenu" || which == "selection")
    AddItemsWithFindings();
  if (which == "preview") {
    command = PreviewSizeAction;
    Caption = "Plug-In Preview";
  } else if (which == "properties") {
    command = PropertiesAction;
    Caption = "Properties";
  } else if (which == "check") {
    command = CheckPlugInAction;
    Caption = "Check Plug-In";
  }
  SetTimer(nullptr, 0, 1500, Painted);
  SetTimer(nullptr, 0, 30000, Expired);
  if (which == "type") {
    Caption = "Plug-In Item Type";
    PlugInTypeSelectForm->ShowModal();
  } else if (which == "mask") {
    Caption = "Mask Editor";
    MaskEditor->SetMask("*.tmp");
    MaskEditor->ShowModal();
  } else if (which == "regitem") {
    Caption = "Registry Item Clean Editor";
    RegItemEditor->LoadFromItem(TCleanRegistry("Sample cleaner", 0x80000001, kRegistryValue,
                                               "\\Software\\VarnexSample", "LastRun"));
    RegItemEditor->ShowModal();
  } else if (which == "regkeys") {
    Caption = "Registry Key Selector";
    ShowKeySelector();
  } else if (which == "file") {
    Caption = "Filename Editor";
    FilenameEditor->SetFileName("%WINDOWS%\\VarnexSample.log");
    FilenameEditor->ShowModal();
  } else if (which == "folder") {
    Caption = "Folder with file masks";
    FolderEditor->ResetFields();
    FolderEditor->SetFolder("%WINTEMP%\\VarnexSample");
    FolderEditor->SetMasks({"*.tmp", "*.bak", "~*.*"});
    FolderEditor->SetRemoveEmptyFolder(true);
    FolderEditor->ShowModal();
  } else if (which == "regvalues") {
    Caption = "RegValueSelector";
    ShowValueSelector();
  } else if (which == "findings" || which == "editmenu" || which == "selection") {
    Caption = "Varnex - [Noname.ppj]";
    TListView(VarnexForm->ListView()).SelectRows({1, 2, 4});
    SetFocus(VarnexForm->ListView());
    if (which == "editmenu") SetTimer(nullptr, 0, 300, OpenEditMenu);
    if (which == "findings") TListView(VarnexForm->ListView()).SelectRows({});
    RunMessageLoop();
  } else {
    SendMessageA(VarnexForm->Handle(), WM_COMMAND, command, 0);
  }
  DestroyApplicationWindows();
  SysFolderList.reset();
  return 0;
}
