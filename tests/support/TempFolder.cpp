#include "tests/support/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      // A folder link goes with its link only, never with the files it leads to.
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str());
      else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
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

TempFolder::~TempFolder() { RemoveTree(FPath); }

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
