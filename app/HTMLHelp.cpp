#include "app/HTMLHelp.h"

#include "framework/SysError.h"

HWND THelpControl::Call(HWND window, const char* file, UINT command, DWORD_PTR data) {
  if (FEntry == nullptr) Load();
  return FEntry(window, file, command, data);
}

void THelpControl::Load() {
  unique_hmodule library(LoadLibraryA(FLibraryPath.c_str()));
  if (!library) throw ECommandError("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
  const auto entry =
      reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library.get(), "HtmlHelpA")));
  // Without its entry point the control is released again here, so that no later
  // request calls through a null address.
  if (entry == nullptr) throw ECommandError("Function HTMLHELP cannot loaded!");
  library.release(); // kept for the whole run, see THelpControl
  FEntry = entry;
  // Once for the whole run: the cookie stays with the control, which is never
  // uninitialised.
  FEntry(nullptr, nullptr, HH_INITIALIZE_COMMAND, reinterpret_cast<DWORD_PTR>(&FCookie));
}

std::string SystemHelpControlPath() {
  char folder[256] = {};
  const UINT length = GetSystemDirectoryA(folder, 255);
  return std::string(folder, length < 256 ? length : 0) + "\\HHCTRL.OCX";
}

HWND HtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
  static THelpControl control(SystemHelpControlPath());
  return control.Call(window, file, command, data);
}
