#pragma once
// The system's common dialogs for choosing a file or a folder, each as one call that
// gives the chosen path, or nothing when the user cancels.

#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

struct FileDialogSettings {
  // Pairs of a description and its patterns, each part followed by "|":
  // "Text Files|*.txt|All Files|*.*|". A final "|" may be left out.
  std::string Filter;
  // Added to a typed name that has no extension; empty adds none.
  std::string DefaultExt;
  // OFN_ flags beyond those every dialog here has (explorer style, no change of the
  // working folder).
  DWORD Flags = 0;
};

// The open-file dialog, proposing `fileName` (a path, or empty for none).
std::optional<std::string> PromptForOpenFile(HWND owner, const FileDialogSettings& settings,
                                             const std::string& fileName = {});
// The save-file dialog, proposing `fileName`.
std::optional<std::string> PromptForSaveFile(HWND owner, const FileDialogSettings& settings,
                                             const std::string& fileName = {});

// The shell's folder browser with no title, no start folder and no options. Nothing
// is given when the user cancels or picks a folder that has no path in the file system
// (a virtual folder such as the Control Panel).
std::optional<std::string> BrowseForFolder(HWND owner);
