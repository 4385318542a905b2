#include "sysfolders/Win32SysFolderSource.h"

#include "framework/UniqueHandle.h"
#include "framework/UniquePidl.h"

#include <shlobj.h>

namespace {

class TWin32SysFolderSource : public TSysFolderSource {
public:
  std::string WindowsDirectory() const override {
    std::string folder(MAX_PATH, '\0');
    UINT length = GetWindowsDirectoryA(folder.data(), MAX_PATH);
    if (length >= MAX_PATH) { // too long for the buffer: the length asked for includes the NUL
      folder.resize(length);
      length = GetWindowsDirectoryA(folder.data(), length);
      if (length >= folder.size()) length = 0;
    }
    folder.resize(length);
    return folder;
  }
  std::string SpecialFolder(int csidl) const override { return GetSpecialFolder(csidl); }
  std::string EnvironmentVariable(const std::string& name) const override { return GetEnvVar(name); }
  std::string RegistryString(std::uint32_t rootKey, const std::string& keyPath,
                             const std::string& valueName) const override {
    return ReadRegString(RootKeyHandle(rootKey), keyPath, valueName);
  }
  std::uint32_t PlatformId() const override {
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return 0;
    return version.dwPlatformId;
  }
  void UpperCase(char* text, std::size_t length) const override {
    // CharUpperBuffA counts in DWORDs; paths never come near that, but stay correct.
    while (length > 0) {
      const DWORD part = length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(length);
      CharUpperBuffA(text, part);
      text += part;
      length -= part;
    }
  }
};

} // namespace

const TSysFolderSource& Win32SysFolderSource() {
  static const TWin32SysFolderSource source;
  return source;
}

HKEY RootKeyHandle(std::uint32_t rootKey) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(rootKey)));
}

std::string ReadRegString(HKEY rootKey, const std::string& keyPath, const std::string& valueName) {
  unique_hkey key;
  if (RegOpenKeyExA(rootKey, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS)
    return {};
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  // The value may grow between the two calls; ask again with the size it then needs.
  std::string data;
  LONG result = ERROR_MORE_DATA;
  while (result == ERROR_MORE_DATA) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    data.assign(size + 1, '\0'); // room for a NUL that the stored value may lack
    size = static_cast<DWORD>(data.size());
    result = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  data.resize(size);
  return data.substr(0, data.find('\0'));
}

std::string GetEnvVar(const std::string& name) {
  // The first call asks for the length the value needs, its NUL included.
  DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  std::string value;
  while (needed > 0) {
    value.assign(needed, '\0');
    const DWORD copied = GetEnvironmentVariableA(name.c_str(), value.data(), needed);
    if (copied < needed) { // it fitted: `copied` leaves the NUL out
      value.resize(copied);
      return value;
    }
    needed = copied; // it grew in between
  }
  return {};
}

std::string GetSpecialFolder(int csidl) {
  unique_pidl folder;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, folder.put())) || !folder) return {};
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(folder.get(), path)) return {};
  return path;
}
