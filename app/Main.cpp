// The program entry: the start-up sequence of the editor.

#include "app/Application.h"
#include "cleanobjs/RebootDeleteList.h"
#include "framework/CommandLine.h"
#include "framework/MessageBoxes.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The system folder table comes first: the windows read it when they are created.
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  std::vector<std::string> arguments = SplitCommandLine(GetCommandLineA());
  if (!arguments.empty()) arguments.erase(arguments.begin()); // the program itself
  const int exitCode = RunApplication(arguments);

  // At the very end the pending deletions at restart are handed to the system, which
  // reads the folder table, and then the table is freed.
  try {
    FlushRebootDeleteList();
  } catch (const std::exception& error) {
    ShowErrorBox(nullptr, error.what());
  }
  SysFolderList.reset();
  return exitCode;
}
