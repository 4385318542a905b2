#pragma once
// The data the preview benchmark scans: a folder tree of mixed depth with files of
// mixed sizes, and a registry branch of keys with values of mixed types and sizes.
// Both are made the same way on every run, so figures from two runs compare.

#include <cstdint>
#include <string>
#include <vector>

struct BenchmarkFolder {
  std::string Path;
  std::vector<std::int64_t> FileSizes; // of the files directly in it
};

struct BenchmarkTree {
  std::vector<BenchmarkFolder> Folders; // the root first, then in creation order
  std::int64_t FileCount = 0;
  std::int64_t FileBytes = 0;
};

struct BenchmarkKey {
  std::string Path; // below HKEY_CURRENT_USER
  std::vector<std::int64_t> ValueSizes;
};

struct BenchmarkBranch {
  std::vector<BenchmarkKey> Keys; // the branch's own key first
  std::int64_t ValueCount = 0;
  std::int64_t ValueBytes = 0;
};

// Makes `folders` folders (the root included) below `root`, each placed under a folder
// made before it, and spreads `files` files over them. Throws when the disk refuses.
BenchmarkTree MakeBenchmarkTree(const std::string& root, int folders, int files);

// Makes `keys` keys (the branch's own key included) below HKEY_CURRENT_USER\`branch`,
// which must exist, and spreads `values` values over them.
BenchmarkBranch MakeBenchmarkBranch(const std::string& branch, int keys, int values);
