#pragma once
// What the system folder table asks of the platform. The table's rules, order,
// fallbacks and fixed texts live apart from windows.h; the Win32 implementation
// (Win32SysFolderSource.h) answers with the real calls, and a test source can play
// any machine, including a Windows 95/98/Me one or a shell that knows no folder.

#include <cstddef>
#include <cstdint>
#include <string>

// The platform's values that the rules name.
inline constexpr int kCsidlWindows = 0x0024;
inline constexpr int kCsidlProgramFiles = 0x0026;
inline constexpr int kCsidlProfile = 0x0028;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kPlatformWin32Windows = 1; // the Windows 95/98/Me family
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class TSysFolderSource {
public:
  virtual ~TSysFolderSource() = default;

  // The Windows folder as GetWindowsDirectory reports it; empty when that fails.
  virtual std::string WindowsDirectory() const = 0;
  // The file system path of a shell special folder (a CSIDL number); empty when the
  // shell cannot resolve the folder or the folder has no file system path.
  virtual std::string SpecialFolder(int csidl) const = 0;
  // The whole value of an environment variable; empty when it is not set.
  virtual std::string EnvironmentVariable(const std::string& name) const = 0;
  // A text value (REG_SZ, or REG_EXPAND_SZ taken as stored) up to its first NUL; empty
  // when the key or the value is missing or the value holds another type.
  virtual std::string RegistryString(std::uint32_t rootKey, const std::string& keyPath,
                                     const std::string& valueName) const = 0;
  // The platform id of the version information; 0 when it cannot be read.
  virtual std::uint32_t PlatformId() const = 0;
  // Upper-cases the characters in place by the rules of the current ANSI code page.
  // Working in place keeps every character where it was, which the macro routines
  // rely on to copy the original text around a match.
  virtual void UpperCase(char* text, std::size_t length) const = 0;
};
