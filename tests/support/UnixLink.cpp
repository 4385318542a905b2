#include "tests/support/UnixLink.h"

#include <windows.h>

std::string UnixPathOf(const std::string& path) {
  using Converter = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<Converter>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return {};
  const std::wstring wide(path.begin(), path.end());
  char* unix = convert(wide.c_str());
  if (unix == nullptr) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

bool MakeUnixLink(const std::string& link, const std::string& target) {
  const std::string unixTarget = UnixPathOf(target);
  const std::string unixLink = UnixPathOf(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  std::string command = "Z:\\bin\\ln -s \"" + unixTarget + "\" \"" + unixLink + "\"";
  STARTUPINFOA startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Wine cannot wait on a Unix process, so the link's appearance is awaited instead.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50); // polls for the link, for at most five seconds
  }
  return false;
}
