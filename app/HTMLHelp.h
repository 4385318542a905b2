#pragma once
// The program's one way into the HTML Help control, which is loaded from the system
// folder at the first help request and stays loaded until the program ends.

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <string>

inline constexpr UINT HH_DISPLAY_TOPIC_COMMAND = 0x0000;
inline constexpr UINT HH_INITIALIZE_COMMAND = 0x001C;

// One help control: its entry point and its initialisation cookie. Once loaded, the
// library stays loaded to the end of the process, even after this object has gone:
// the control is initialised and never uninitialised, and its windows may still be
// open when the program's static objects are destroyed.
class THelpControl {
public:
  // `libraryPath` names the control; nothing is loaded before the first Call.
  explicit THelpControl(std::string libraryPath) : FLibraryPath(std::move(libraryPath)) {}

  // Loads and initialises the control if that has not been done yet, then calls its
  // HtmlHelpA with these arguments and returns what it returns. Throws
  // "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!" when the library cannot
  // be loaded and "Function HTMLHELP cannot loaded!" when it has no HtmlHelpA; in both
  // cases nothing stays loaded, so the next call tries the whole load again.
  HWND Call(HWND window, const char* file, UINT command, DWORD_PTR data);
  bool Loaded() const { return FEntry != nullptr; }

private:
  using EntryPoint = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  void Load();

  std::string FLibraryPath;
  EntryPoint FEntry = nullptr;
  DWORD FCookie = 0;
};

// The system's control: "<system folder>\HHCTRL.OCX".
std::string SystemHelpControlPath();
// Calls the system's HTML Help control (see THelpControl::Call).
HWND HtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data);
