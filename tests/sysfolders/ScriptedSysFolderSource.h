#pragma once
// A machine for the system folder table to look at, with every answer set by the test.
// By default it is a Windows XP machine on the NT platform whose every source answers;
// a test removes the answers whose fallbacks it wants to reach.

#include "sysfolders/SysFolderSource.h"

#include <map>
#include <string>
#include <vector>

class ScriptedSysFolderSource : public TSysFolderSource {
public:
  // Empty when GetWindowsDirectory fails. When WindowsDirectories is not empty, each
  // call takes the next of them instead, so a test sees how often the table asks.
  std::string Windows = "C:\\WINDOWS";
  std::vector<std::string> WindowsDirectories;
  mutable int WindowsDirectoryCalls = 0;
  std::map<int, std::string> Shell = {
      {kCsidlWindows, "C:\\WINDOWS"},
      {kCsidlProgramFiles, "C:\\Program Files"},
      {kCsidlProfile, "C:\\Documents and Settings\\Jo"},
  };
  std::map<std::string, std::string> Environment = {{"TEMP", "C:\\DOCUME~1\\Jo\\LOCALS~1\\Temp"},
                                                    {"TMP", "C:\\Tmp"}};
  // The values of HKEY_CURRENT_USER's shell folders key; no other key has any.
  std::map<std::string, std::string> ShellFolders = {
      {"Personal", "C:\\Documents and Settings\\Jo\\My Documents"},
      {"Recent", "C:\\Documents and Settings\\Jo\\Recent"},
      {"Cache", "C:\\Documents and Settings\\Jo\\Local Settings\\Temporary Internet Files"},
      {"History", "C:\\Documents and Settings\\Jo\\Local Settings\\History"},
      {"Cookies", "C:\\Documents and Settings\\Jo\\Cookies"},
  };
  std::uint32_t Platform = 2; // VER_PLATFORM_WIN32_NT

  std::string WindowsDirectory() const override {
    const int call = WindowsDirectoryCalls++;
    if (!WindowsDirectories.empty())
      return WindowsDirectories[static_cast<std::size_t>(call) % WindowsDirectories.size()];
    return Windows;
  }
  std::string SpecialFolder(int csidl) const override { return Find(Shell, csidl); }
  std::string EnvironmentVariable(const std::string& name) const override {
    return Find(Environment, name);
  }
  std::string RegistryString(std::uint32_t rootKey, const std::string& keyPath,
                             const std::string& valueName) const override {
    if (rootKey != kHkeyCurrentUser || keyPath != kShellFoldersKey) return {};
    return Find(ShellFolders, valueName);
  }
  std::uint32_t PlatformId() const override { return Platform; }

  // Code page 1252, as CharUpperBuffA applies it: a to z, the accented small letters
  // from 0xE0 to 0xFE but for the division sign 0xF7, and the four letters whose
  // capitals lie between 0x80 and 0x9F.
  void UpperCase(char* text, std::size_t length) const override {
    for (std::size_t i = 0; i < length; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      unsigned char upper = c;
      if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) upper = c - 0x20;
      else if (c == 0x9A || c == 0x9C || c == 0x9E) upper = c - 0x10;
      else if (c == 0xFF) upper = 0x9F;
      text[i] = static_cast<char>(upper);
    }
  }

private:
  template <typename Key>
  static std::string Find(const std::map<Key, std::string>& map, const Key& key) {
    const auto found = map.find(key);
    return found == map.end() ? std::string() : found->second;
  }
};
