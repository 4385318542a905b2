#include "framework/FileStream.h"

#include "framework/SysError.h"

#include <algorithm>
#include <cstdio>
#include <vector>

std::string ExpandFileName(const std::string& path) {
  const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::vector<char> buffer(needed);
  const DWORD length = GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  return std::string(buffer.data(), length);
}

namespace {
std::string FileErrorText(const char* verb, const std::string& path, DWORD code) {
  return std::string("Cannot ") + verb + " file \"" + ExpandFileName(path) + "\". " +
         SysErrorMessage(code);
}
} // namespace

TFileStream TFileStream::OpenRead(const std::string& path) {
  unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw ECommandError(FileErrorText("open", path, GetLastError()));
  return TFileStream(std::move(file));
}

TFileStream TFileStream::Create(const std::string& path) {
  unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw ECommandError(FileErrorText("create", path, GetLastError()));
  return TFileStream(std::move(file));
}

namespace {

// The folder of a path made full: the folder of "\\x.ppj" is the current drive's root
// and that of "C:x.ppj" the current folder of drive C:, which the path's text alone
// does not say.
std::string FolderOf(const std::string& path) {
  const std::string full = ExpandFileName(path);
  const std::size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

} // namespace

std::optional<TFileStream> TFileStream::CreateBeside(const std::string& target,
                                                     const std::string& prefix, std::string& path,
                                                     DWORD& error) {
  const std::string folder = FolderOf(target);
  // Named here rather than by GetTempFileNameA, which under Wine may give, for a
  // folder whose path is near MAX_PATH, a shortened name other than the file it made.
  const unsigned start = GetTickCount() ^ GetCurrentProcessId();
  for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", (start + attempt) & 0xFFFF);
    path = folder + "\\" + prefix + digits + ".tmp";
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return TFileStream(std::move(file));
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  path.clear();
  return std::nullopt;
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  std::int64_t total = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (total < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count - total, 1 << 30));
    DWORD done = 0;
    if (!ReadFile(FFile.get(), bytes + total, chunk, &done, nullptr) || done == 0) break;
    total += done;
  }
  return total;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  std::int64_t total = 0;
  const auto* bytes = static_cast<const char*>(buffer);
  while (total < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count - total, 1 << 30));
    DWORD done = 0;
    if (!WriteFile(FFile.get(), bytes + total, chunk, &done, nullptr) || done == 0) break;
    total += done;
  }
  return total;
}

std::int64_t TFileStream::Size() const {
  LARGE_INTEGER size{};
  return GetFileSizeEx(FFile.get(), &size) ? size.QuadPart : 0;
}

std::int64_t TFileStream::Position() const {
  LARGE_INTEGER zero{}, position{};
  return SetFilePointerEx(FFile.get(), zero, &position, FILE_CURRENT) ? position.QuadPart : 0;
}

bool TFileStream::Close() {
  const bool flushed = FlushFileBuffers(FFile.get()) != FALSE;
  const bool closed = CloseHandle(FFile.release()) != FALSE;
  return flushed && closed;
}
