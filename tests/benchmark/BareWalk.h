#pragma once
// The least a walk over a folder tree and a registry branch costs: the platform's
// enumeration calls alone, one listing per folder and one open per key, with nothing
// kept and nothing reported. The preview's scan is measured against it.

#include <windows.h>

#include <cstdint>
#include <string>

struct WalkTotals {
  std::int64_t Folders = 0;
  std::int64_t Files = 0;
  std::int64_t FileBytes = 0;
  std::int64_t Keys = 0;
  std::int64_t Values = 0;
  std::int64_t ValueBytes = 0;
};

// Every file below `folder`, subfolders included; folder links are not followed.
void WalkFolderTree(const std::string& folder, WalkTotals& totals);
// Every value of the key `path` below `root` and of all its subkeys.
void WalkRegistryBranch(HKEY root, const std::string& path, WalkTotals& totals);
