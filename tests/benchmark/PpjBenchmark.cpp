// What ppj's collection costs against the searches it cannot avoid: a folder item on
// a tree of 20,000 files, half of which match its mask, collected as `ppj preview`
// collects it, against a bare walk that makes the same directory searches as the item
// (one per mask and one listing for the subfolders, in every folder). Run under Wine
// by scripts/benchmark.sh; see docs/benchmarks.md.

#include "cleanobjs/CleanFolder.h"
#include "framework/UniqueHandle.h"
#include "ppj/PreviewRun.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/benchmark/Measure.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100; // half "*.log", half "*.txt"
constexpr int kRounds = 5;
constexpr double kTargetRatio = 1.25;

// 200 folders, ten below the root and the others below those, each of 100 files.
std::vector<std::string> MakeTree(const std::string& root) {
  std::vector<std::string> folders;
  for (int i = 0; i < kFolders; ++i) {
    const std::string folder =
        i < 10 ? root + "\\d" + std::to_string(i) : folders[i % 10] + "\\e" + std::to_string(i);
    Require(CreateDirectoryA(folder.c_str(), nullptr) != FALSE, "cannot make the tree");
    for (int f = 0; f < kFilesPerFolder; ++f) {
      const std::string file = folder + "\\f" + std::to_string(f) + (f % 2 ? ".log" : ".txt");
      unique_hfile made(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
      Require(static_cast<bool>(made), "cannot make a file of the tree");
    }
    folders.push_back(folder);
  }
  return folders;
}

// The item's searches alone: in each folder, the mask's, then a listing for the
// subfolders; nothing kept but a count.
void BareSearches(const std::string& folder, const char* mask, std::int64_t& found) {
  WIN32_FIND_DATAA entry{};
  {
    unique_hfind search(FindFirstFileExA((folder + "\\" + mask).c_str(), FindExInfoStandard, &entry,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search)
      do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++found;
      } while (FindNextFileA(search.get(), &entry));
  }
  std::vector<std::string> subfolders;
  {
    unique_hfind search(FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoStandard, &entry,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search)
      do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
          subfolders.push_back(folder + "\\" + name);
      } while (FindNextFileA(search.get(), &entry));
  }
  for (const std::string& subfolder : subfolders) BareSearches(subfolder, mask, found);
}

int Run() {
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  const TempFolder tree;
  const std::vector<std::string> folders = MakeTree(tree.Path());
  const int matching = kFolders * kFilesPerFolder / 2;
  std::printf("ppj benchmark: a folder item on %d files in %d folders, %d of them matching\n",
              kFolders * kFilesPerFolder, kFolders, matching);

  std::vector<double> bare, collected;
  for (int round = 0; round <= kRounds; ++round) {
    std::int64_t found = 0;
    const double bareTime = Seconds([&] { BareSearches(tree.Path(), "*.log", found); });
    Require(found == matching, "the bare walk found another number of files");
    TCleanFolder item("Logs", tree.Path(), false);
    item.Masks() = {"*.log"};
    plugin::PreviewResult result;
    const double collectTime = Seconds([&] { result = plugin::CollectItemByItem({&item}, false, nullptr); });
    Require(result.Items.size() == 1 && result.Items[0].Files == matching,
            "the collection found another number of files");
    if (round == 0) continue; // the first round warms the caches
    bare.push_back(bareTime);
    collected.push_back(collectTime);
  }
  const double ratio = Median(collected) / Median(bare);
  std::printf("  bare walk with the item's searches   %.3f s\n", Median(bare));
  std::printf("  ppj preview's collection             %.3f s\n", Median(collected));
  std::printf("  ppj preview / bare walk %.3f (at most %.2f: %s)\n", ratio, kTargetRatio,
              Verdict(ratio <= kTargetRatio));
  SysFolderList.reset();
  return 0;
}

} // namespace

int main() { return RunBenchmark(&Run); }
