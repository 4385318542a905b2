// Shows the System Folders dialog with this machine's table, for its screenshot:
// scripts/take-screenshots.sh runs it inside a Wine desktop. Once the dialog has
// painted, its window rectangle ("left top width height") is written to the file
// named by the first argument, so the script can crop the screen to it. The dialog
// closes itself after 30 seconds.

#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {
std::string RectFile;
TFolderViewForm* Shown = nullptr;

void CALLBACK Painted(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  UpdateWindow(Shown->Handle());
  RECT window{};
  GetWindowRect(Shown->Handle(), &window);
  if (FILE* file = std::fopen(RectFile.c_str(), "w")) {
    std::fprintf(file, "%ld %ld %ld %ld\n", window.left, window.top, window.right - window.left,
                 window.bottom - window.top);
    std::fclose(file);
  }
}

void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) { Shown->SetModalResult(kModalResultCancel); }
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  RectFile = commandLine;
  if (RectFile.size() >= 2 && RectFile.front() == '"' && RectFile.back() == '"')
    RectFile = RectFile.substr(1, RectFile.size() - 2);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  {
    TFolderViewForm form(nullptr, *SysFolderList);
    Shown = &form;
    SetTimer(nullptr, 0, 500, Painted);
    SetTimer(nullptr, 0, 30000, Expired);
    form.ShowModal();
  }
  SysFolderList.reset();
  return 0;
}
