// What ppj's collection and clean cost against the work they cannot avoid: a folder
// item on a tree of 20,000 files, half of which match its mask, collected as `ppj
// preview` collects it, against a bare walk that makes the same directory searches as
// the item (one per mask and one listing for the subfolders, in every folder); and
// 3,000 files deleted as `ppj clean` deletes them, against a bare loop of the calls
// each checked deletion makes. Run under Wine by scripts/benchmark.sh; see
// docs/benchmarks.md.

#include "cleanobjs/CleanFolder.h"
#include "framework/FinalPath.h"
#include "framework/UniqueHandle.h"
#include "ppj/CleanRun.h"
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
constexpr int kDeletedFolders = 30;
constexpr int kDeletedPerFolder = 100;

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

// 3,000 files in 30 folders below `root`, made anew; their paths.
std::vector<std::string> MakeFilesToDelete(const std::string& root) {
  std::vector<std::string> files;
  for (int i = 0; i < kDeletedFolders; ++i) {
    const std::string folder = root + "\\g" + std::to_string(i);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int f = 0; f < kDeletedPerFolder; ++f) {
      files.push_back(folder + "\\h" + std::to_string(f) + ".tmp");
      unique_hfile made(CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
      Require(static_cast<bool>(made), "cannot make a file to delete");
    }
  }
  return files;
}

// The calls a checked deletion makes, and nothing else: the file opened through a
// handle, its final path read, its attributes reset and its deletion set through it.
void BareDeletes(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    const unique_hfile entry(OpenEntry(file, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES));
    Require(static_cast<bool>(entry) && !FinalPathOf(entry.get()).empty(), "cannot open a file to delete");
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    SetFileInformationByHandle(entry.get(), FileBasicInfo, &basic, sizeof basic);
    FILE_DISPOSITION_INFO disposition{TRUE};
    Require(SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE,
            "cannot delete a file");
  }
}

double CleanRatio() {
  const TempFolder root;
  const int total = kDeletedFolders * kDeletedPerFolder;
  std::vector<double> bare, cleaned;
  for (int round = 0; round <= kRounds; ++round) {
    const std::vector<std::string> files = MakeFilesToDelete(root.Path());
    const double bareTime = Seconds([&] { BareDeletes(files); });
    MakeFilesToDelete(root.Path());
    TCleanFolder item("Temp", root.Path(), false);
    item.Masks() = {"*.tmp"};
    const plugin::PreviewResult found = plugin::CollectItemByItem({&item}, true, nullptr);
    Require(found.Items[0].Files == total, "the collection found another number of files");
    plugin::CleanRunResult result;
    const double cleanTime = Seconds([&] { result = plugin::CleanItemByItem({&item}, found); });
    Require(result.Items[0].FilesDeleted == total, "the clean deleted another number of files");
    if (round == 0) continue;
    bare.push_back(bareTime);
    cleaned.push_back(cleanTime);
  }
  std::printf("  %d files: bare checked deletions     %.3f s\n", total, Median(bare));
  std::printf("  ppj clean's deletions                %.3f s\n", Median(cleaned));
  return Median(cleaned) / Median(bare);
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
  const double cleanRatio = CleanRatio();
  std::printf("  ppj clean / bare delete %.3f (at most %.2f: %s)\n", cleanRatio, kTargetRatio,
              Verdict(cleanRatio <= kTargetRatio));
  SysFolderList.reset();
  return 0;
}

} // namespace

int main() { return RunBenchmark(&Run); }
