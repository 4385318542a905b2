#include "tests/support/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
// By the Unicode names: an ANSI name may be made by best fit ("x\\..\\.." for a name
// with U+FF3C), and removing by it would reach the folders above.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      // A folder link goes with its link only, never with the files it leads to.
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        RemoveDirectoryW(path.c_str()) || DeleteFileW(path.c_str());
      else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}
} // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH + 1] = {};
  GetTempPathA(sizeof base, base);
  static int counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = std::string(base) + "varnex-test-" +
                                  std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      FPath = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() { RemoveTree(Wide(FPath)); }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
