#include "sysfolders/SysFolderRules.h"

bool IsNTPlatform(const TSysFolderSource& source) {
  return source.PlatformId() != kPlatformWin32Windows;
}

std::string GetWindowsFolder(const TSysFolderSource& source) {
  std::string folder = source.WindowsDirectory();
  if (!folder.empty()) return folder;
  folder = source.SpecialFolder(kCsidlWindows);
  if (!folder.empty()) return folder;
  return "C:\\Windows";
}

std::string GetShellFolderValue(const TSysFolderSource& source, const std::string& valueName) {
  return source.RegistryString(kHkeyCurrentUser, kShellFoldersKey, valueName);
}

std::string GetProfileFolder(const TSysFolderSource& source) {
  std::string folder = source.SpecialFolder(kCsidlProfile);
  if (!folder.empty()) return folder;
  folder = GetShellFolderValue(source, "Personal");
  if (!folder.empty()) return folder;
  return "C:\\My Documents";
}

std::string GetProgramFilesFolder(const TSysFolderSource& source) {
  std::string folder = source.SpecialFolder(kCsidlProgramFiles);
  if (!folder.empty()) return folder;
  // GetWindowsFolder is never empty, so its first character exists.
  return GetWindowsFolder(source).substr(0, 1) + ":\\Program Files";
}

std::string GetTempFolder(const TSysFolderSource& source) {
  std::string folder = source.EnvironmentVariable("TEMP");
  if (!folder.empty()) return folder;
  folder = source.EnvironmentVariable("TMP");
  if (!folder.empty()) return folder;
  // The shell is asked directly: this rule does not fall back to GetWindowsDirectory.
  return source.SpecialFolder(kCsidlWindows) + "\\Temp";
}
