#pragma once
// The platform sources of the system folder table on Win32, and the routines behind
// them, for every part of the program that needs the same answers (the table, and
// the deletion at restart, which asks for the platform id).

#include "sysfolders/SysFolderSource.h"

#include <windows.h>

#include <string>

// The machine the program runs on. The object holds no state and lives for the
// whole process, so the program's table can keep it.
const TSysFolderSource& Win32SysFolderSource();

// The text of a REG_SZ or REG_EXPAND_SZ value (not expanded) up to its first NUL.
// The key is opened with full access, without creating it; a missing key or value,
// or a value of another type, gives empty text.
std::string ReadRegString(HKEY rootKey, const std::string& keyPath, const std::string& valueName);
// The whole value of an environment variable, however long; empty when it is not set.
std::string GetEnvVar(const std::string& name);
// The file system path of a shell special folder; empty when the shell cannot resolve
// it or it has no file system path.
std::string GetSpecialFolder(int csidl);
// The root key handle for a root key stored as a 32-bit number (0x80000001 for
// HKEY_CURRENT_USER). Predefined handles are sign-extended on 64-bit Windows.
HKEY RootKeyHandle(std::uint32_t rootKey);
