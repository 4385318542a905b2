// What adding a file to the restart list costs once the list is long: 100,000 distinct
// paths added with their duplicate check, against the same paths appended to a plain
// vector. Run under Wine by scripts/benchmark.sh; see docs/benchmarks.md.

#include "cleanobjs/RebootDeleteList.h"
#include "sysfolders/SysFolders.h"
#include "tests/benchmark/Measure.h"
#include "tests/support/TempFolder.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPaths = 100000;
constexpr int kRounds = 9;
constexpr double kTargetRatio = 2.0;

// Paths as a cleaner defers them: files of a few hundred folders under a temp folder.
// The drive does not exist, so the flush that ends each round finds every path gone
// at once (it looks at each for links) instead of asking the file system 100,000 times.
std::vector<std::string> DeferredPaths() {
  std::vector<std::string> paths;
  paths.reserve(kPaths);
  for (int i = 0; i < kPaths; ++i)
    paths.push_back("Q:\\Users\\Benchmark\\AppData\\Local\\Temp\\Cache" + std::to_string(i / 250) +
                    "\\Entry" + std::to_string(i) + ".tmp");
  return paths;
}

int Run() {
  const std::vector<std::string> paths = DeferredPaths();
  // The flush that ends each round writes to a scratch Windows folder, never to the
  // system's list of deletions at restart.
  const TempFolder windows;
  ScriptedSysFolderSource machine;
  machine.Platform = kPlatformWin32Windows;
  machine.Windows = windows.Path();

  std::vector<double> plain, listed, again;
  for (int round = 0; round < kRounds; ++round) {
    {
      // Gone before the list is filled, so that both fill the same heap.
      std::vector<std::string> vector;
      plain.push_back(Seconds([&] {
        for (const std::string& path : paths) vector.push_back(path);
      }));
      Require(vector.size() == paths.size(), "the plain appends lost paths");
    }

    listed.push_back(Seconds([&] {
      for (const std::string& path : paths) AddRebootDeleteFile(path);
    }));
    Require(GetRebootDeleteList().size() == paths.size(), "distinct paths were not all listed");

    // Each path once more in capitals: every check now finds its path, and compares it.
    std::vector<std::string> upper = paths;
    for (std::string& path : upper) CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    again.push_back(Seconds([&] {
      for (const std::string& path : upper) AddRebootDeleteFile(path);
    }));
    Require(GetRebootDeleteList().size() == paths.size(), "a path in capitals was listed twice");
    FlushRebootDeleteList(TSysFolderList(machine));
  }

  const double ratio = Median(listed) / Median(plain);
  std::printf("%d distinct paths, medians of %d rounds:\n", kPaths, kRounds);
  std::printf("  %-40s %8.3f ms\n", "appended to a plain vector", Median(plain) * 1e3);
  std::printf("  %-40s %8.3f ms\n", "added to the restart list", Median(listed) * 1e3);
  std::printf("  %-40s %8.3f ms\n", "the same again in capitals (all listed)", Median(again) * 1e3);
  std::printf("  ratio %.3f (at most %.1f: %s)\n", ratio, kTargetRatio, Verdict(ratio <= kTargetRatio));
  return 0;
}

} // namespace

int main() { return RunBenchmark(Run); }
