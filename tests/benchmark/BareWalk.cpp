#include "tests/benchmark/BareWalk.h"

#include "framework/UniqueHandle.h"

#include <vector>

void WalkFolderTree(const std::string& folder, WalkTotals& totals) {
  ++totals.Folders;
  std::vector<std::string> subfolders;
  {
    WIN32_FIND_DATAA entry{};
    unique_hfind search(FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoStandard, &entry,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return;
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        const bool dots = entry.cFileName[0] == '.' &&
                          (entry.cFileName[1] == 0 ||
                           (entry.cFileName[1] == '.' && entry.cFileName[2] == 0));
        if (!dots && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
          subfolders.push_back(folder + "\\" + entry.cFileName);
        continue;
      }
      ++totals.Files;
      totals.FileBytes += (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    } while (FindNextFileA(search.get(), &entry));
  }
  for (const std::string& subfolder : subfolders) WalkFolderTree(subfolder, totals);
}

void WalkRegistryBranch(HKEY root, const std::string& path, WalkTotals& totals) {
  unique_hkey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    key.release();
    return;
  }
  ++totals.Keys;
  char name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    WalkRegistryBranch(key.get(), name, totals);
  }
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    DWORD size = 0;
    if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    ++totals.Values;
    totals.ValueBytes += size;
  }
}
