#pragma once
// Real folder links for the tests of code that must not follow them: a junction where
// the file system holds one, under Wine a Unix symbolic link made by the system's ln.

#include "framework/UniqueHandle.h"
#include "tests/support/UnixLink.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

// A junction (mount point) at `link` leading to `target`; false when the file system
// cannot hold one.
inline bool MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
  unique_hfile folder(CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (folder.get() == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
  const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  // The mount point layout: tag, data length, reserved, then four name offsets and
  // lengths and the names, each followed by a NUL.
  std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 + 2);
  auto put16 = [&](std::size_t at, USHORT value) { memcpy(&buffer[at], &value, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  memcpy(&buffer[0], &tag, 4);
  put16(4, static_cast<USHORT>(buffer.size() - 8));
  put16(8, 0);
  put16(10, substituteBytes);
  put16(12, static_cast<USHORT>(substituteBytes + 2));
  put16(14, 0);
  memcpy(&buffer[16], substitute.data(), substituteBytes);
  DWORD returned = 0;
  if (!DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                       static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr))
    return false;
  const DWORD attributes = GetFileAttributesA(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A folder link at `link` leading to `target`: a junction where the file system has
// them, under Wine a symbolic link made by the system's own ln.
inline bool MakeFolderLink(const std::string& link, const std::string& target) {
  if (MakeJunction(link, target)) return true;
  RemoveDirectoryA(link.c_str());
  return MakeUnixLink(link, target) &&
         (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
