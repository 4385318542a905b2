#include "framework/FinalPath.h"

unique_hfile OpenEntry(const std::string& path, DWORD access, LastLink lastLink) {
  // A folder opens only with backup semantics; a file does not mind them.
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS |
                      (lastLink == LastLink::Opened ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  return unique_hfile(CreateFileA(path.c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, flags, nullptr));
}

std::string FinalPathOf(HANDLE entry) {
  std::string path(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(entry, path.data(), static_cast<DWORD>(path.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= path.size()) { // too small: the length asked for counts the final NUL
    path.resize(length);
    length = GetFinalPathNameByHandleA(entry, path.data(), static_cast<DWORD>(path.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  // The system writes "\\?\C:\..." and "\\?\UNC\server\share\...".
  if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
  if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

DWORD AttributesOf(HANDLE entry) {
  FILE_BASIC_INFO basic{};
  return GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)
             ? basic.FileAttributes
             : INVALID_FILE_ATTRIBUTES;
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}
