#pragma once
// How each system folder is found, with the fallbacks that keep the table full on
// any machine. Each rule asks its source afresh; nothing is cached.

#include "sysfolders/SysFolderSource.h"

#include <string>

// True unless the platform id is that of the Windows 95/98/Me family; a platform
// whose id cannot be read counts as NT.
bool IsNTPlatform(const TSysFolderSource& source);
// GetWindowsDirectory, else the shell's Windows folder, else "C:\Windows".
std::string GetWindowsFolder(const TSysFolderSource& source);
// The shell's profile folder, else the documents folder of the shell folders key
// ("Personal"), else "C:\My Documents".
std::string GetProfileFolder(const TSysFolderSource& source);
// The shell's Program Files folder, else the Windows folder's drive letter followed
// by ":\Program Files".
std::string GetProgramFilesFolder(const TSysFolderSource& source);
// TEMP, else TMP, each exactly as the variable holds it, else the shell's Windows
// folder followed by "\Temp" (only "\Temp" when the shell knows no Windows folder).
std::string GetTempFolder(const TSysFolderSource& source);
// A value of the current user's shell folders key, or empty.
std::string GetShellFolderValue(const TSysFolderSource& source, const std::string& valueName);
