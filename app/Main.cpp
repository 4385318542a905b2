// The program entry: the start-up sequence of the editor.

#include "app/Application.h"
#include "app/VarnexFormUnit.h"
#include "framework/CommandLine.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The system folder table is built here, before any window exists.

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  CreateApplicationWindows();
  std::vector<std::string> arguments = SplitCommandLine(GetCommandLineA());
  if (!arguments.empty()) arguments.erase(arguments.begin()); // the program itself
  VarnexForm->Show(arguments);
  const int exitCode = RunMessageLoop();
  DestroyApplicationWindows();

  // At the very end the pending deletions at restart are handed to the system, and
  // then the system folder table is freed.
  return exitCode;
}
