// How long the size preview takes against what it cannot avoid: the directory and
// registry enumeration, and the messages by which the items report each find to the
// preview window. Run under Wine by scripts/benchmark.sh; see docs/benchmarks.md.

#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/benchmark/BareWalk.h"
#include "tests/benchmark/BenchmarkData.h"
#include "tests/benchmark/ResponsivenessProbe.h"
#include "tests/support/TempFolder.h"
#include "tests/benchmark/Measure.h"
#include "tests/support/TestKey.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kFolders = 420;
constexpr int kFiles = 21000;
constexpr int kKeys = 120;
constexpr int kValues = 6000;
constexpr int kRounds = 5; // of (a) and (b), which take about a second each; medians count

constexpr double kScanRatioTarget = 1.25;
constexpr double kPreviewRatioTarget = 1.15;
constexpr double kAnswerTargetMs = 100;

constexpr std::uint32_t kCurrentUser = 0x80000001u;

// Runs this thread's messages until `done` says so, as the preview's modal loop would.
void RunMessagesUntil(const std::function<bool()>& done) {
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

// The messages of one preview of the benchmark data, made before they are timed.
struct MessageScript {
  std::vector<std::string> Texts;
  std::vector<std::pair<std::string, std::vector<TSearchRec>>> Folders;
  std::vector<TRegItem> Values;
  std::int64_t Count() const {
    std::int64_t count = 2 + static_cast<std::int64_t>(Texts.size() + Values.size());
    for (const auto& folder : Folders) count += 1 + static_cast<std::int64_t>(folder.second.size());
    return count;
  }
};

MessageScript ScriptFor(const BenchmarkTree& tree, const BenchmarkBranch& branch) {
  MessageScript script;
  script.Texts = {"Scan Benchmark folder information from your computer ...",
                  "Scan Benchmark branch information from your computer ..."};
  for (const BenchmarkFolder& folder : tree.Folders) {
    std::vector<TSearchRec> files;
    for (std::size_t index = 0; index < folder.FileSizes.size(); ++index) {
      TSearchRec found;
      found.Size = folder.FileSizes[index];
      found.Name = "file" + std::to_string(index) + ".tmp";
      files.push_back(std::move(found));
    }
    script.Folders.emplace_back("Searching path: " + folder.Path, std::move(files));
  }
  for (const BenchmarkKey& key : branch.Keys)
    for (std::size_t index = 0; index < key.ValueSizes.size(); ++index)
      script.Values.push_back({kCurrentUser, key.Path, "Value " + std::to_string(index), false,
                               key.ValueSizes[index]});
  return script;
}

struct SendJob {
  HWND Window;
  const MessageScript* Script;
};

// The messages of a preview, sent from another thread as the items send them.
DWORD WINAPI SendScript(void* parameter) {
  const auto& job = *static_cast<const SendJob*>(parameter);
  const MessageScript& script = *job.Script;
  SendMessageA(job.Window, WM_COLLECT_START, 0, 0);
  SendMessageA(job.Window, WM_ITEM_TEXT, static_cast<WPARAM>(TextLevel::Progress),
               reinterpret_cast<LPARAM>(script.Texts[0].c_str()));
  for (const auto& [searchPath, files] : script.Folders) {
    SendMessageA(job.Window, WM_ITEM_SEARCH_PATH, 0, reinterpret_cast<LPARAM>(searchPath.c_str()));
    for (const TSearchRec& found : files)
      SendMessageA(job.Window, WM_ITEM_FILE_FOUND, 0, reinterpret_cast<LPARAM>(&found));
  }
  SendMessageA(job.Window, WM_ITEM_TEXT, static_cast<WPARAM>(TextLevel::Progress),
               reinterpret_cast<LPARAM>(script.Texts[1].c_str()));
  for (const TRegItem& found : script.Values)
    SendMessageA(job.Window, WM_ITEM_REG_FOUND, 0, reinterpret_cast<LPARAM>(&found));
  SendMessageA(job.Window, WM_COLLECT_FINISH, 0, 0);
  return 0;
}

// Wine's version, or null on Windows itself.
const char* WineVersion() {
  using VersionFunction = const char*(__cdecl*)();
  const auto version = reinterpret_cast<VersionFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
  return version ? version() : nullptr;
}

// Wine's server writes the whole registry to disk once within 30 s of a change, and
// stops every thread of every process while it does: for the benchmark's branch that
// is 0.2 to 0.35 s. That pause is the benchmark's own doing, since the program writes
// nothing to the registry, so the measuring starts only once it is over.
void WaitForWineRegistrySave(ULONGLONG branchMadeAt) {
  constexpr ULONGLONG kSavePeriodMs = 30000 + 2000;
  ResponsivenessProbe probe;
  RunMessagesUntil([&] { return GetTickCount64() >= branchMadeAt + kSavePeriodMs; });
  std::printf("Waited for Wine's registry save after making the branch; it held this thread"
              " up to %.1f ms\n",
              probe.Results().LongestMs);
}

int Run() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const char* wine = WineVersion();
  std::printf("Varnex size preview benchmark on %s%s, %lu processors\n", wine ? "Wine " : "Windows",
              wine ? wine : "", system.dwNumberOfProcessors);

  TempFolder folder;
  TestKey key;
  BenchmarkTree tree;
  BenchmarkBranch branch;
  ULONGLONG branchMadeAt = 0;
  const double making = Seconds([&] {
    branch = MakeBenchmarkBranch(key.Path(), kKeys, kValues);
    branchMadeAt = GetTickCount64();
    tree = MakeBenchmarkTree(folder.Path(), kFolders, kFiles);
  });
  std::printf("Data: %lld files (%lld bytes) in %d folders, %lld values (%lld bytes) in %d keys,"
              " made in %.1f s\n",
              static_cast<long long>(tree.FileCount), static_cast<long long>(tree.FileBytes),
              kFolders, static_cast<long long>(branch.ValueCount),
              static_cast<long long>(branch.ValueBytes), kKeys, making);

  if (wine) WaitForWineRegistrySave(branchMadeAt);

  TCleanFolder folderItem("Benchmark folder", folder.Path(), false);
  folderItem.Masks() = {"*.*"};
  TCleanRegistry branchItem("Benchmark branch", kCurrentUser, kRegistryWholeKey, key.Path(), "");

  // (a) and (b) alternate, so that neither finds the caches warmer than the other.
  WalkTotals walk;
  WalkFolderTree(folder.Path(), walk); // warms the caches for both
  std::vector<double> bareFolderTimes, bareBranchTimes, folderItemTimes, branchItemTimes;
  for (int round = 0; round < kRounds; ++round) {
    walk = WalkTotals{};
    bareFolderTimes.push_back(Seconds([&] { WalkFolderTree(folder.Path(), walk); }));
    bareBranchTimes.push_back(
        Seconds([&] { WalkRegistryBranch(HKEY_CURRENT_USER, key.Path(), walk); }));
    folderItemTimes.push_back(Seconds([&] { folderItem.CollectInfo(); }));
    branchItemTimes.push_back(Seconds([&] { branchItem.CollectInfo(); }));
  }
  Require(walk.Files == tree.FileCount && walk.FileBytes == tree.FileBytes &&
              walk.Values == branch.ValueCount && walk.ValueBytes == branch.ValueBytes,
          "the bare walk did not find the benchmark data");
  Require(folderItem.FileCount() == tree.FileCount && folderItem.GetSize() == tree.FileBytes &&
              branchItem.GetSize() == branch.ValueBytes,
          "the items did not find the benchmark data");
  const double bare = Median(bareFolderTimes) + Median(bareBranchTimes);
  const double items = Median(folderItemTimes) + Median(branchItemTimes);

  TPlugInPreviewForm form(nullptr);
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  UpdateWindow(form.Handle());

  // (c) the whole preview, as Preview Size runs it.
  double preview = 0;
  ResponsivenessProbe::Result previewAnswer;
  {
    auto list = std::make_unique<TCleanObjList>();
    list->Add(&folderItem);
    list->Add(&branchItem);
    form.SetCleanObjList(std::move(list));
    ResponsivenessProbe probe;
    preview = Seconds([&] {
      form.StartCollect();
      RunMessagesUntil([&] { return !form.Collecting(); });
    });
    previewAnswer = probe.Results();
  }
  Require(form.FileCount() == tree.FileCount && form.FileSizeTotal() == tree.FileBytes &&
              form.RegCount() == branch.ValueCount && form.RegSizeTotal() == branch.ValueBytes,
          "the preview window's totals are not those of the benchmark data");

  // (d) the same messages to the same window, with no scan behind them.
  const MessageScript script = ScriptFor(tree, branch);
  form.SetCleanObjList(nullptr);
  form.StartCollect(); // an empty run, only to set the totals back to 0
  RunMessagesUntil([&] { return !form.Collecting(); });
  double messages = 0;
  ResponsivenessProbe::Result messagesAnswer;
  {
    ResponsivenessProbe probe;
    SendJob job{form.Handle(), &script};
    messages = Seconds([&] {
      unique_handle sender(CreateThread(nullptr, 0, &SendScript, &job, 0, nullptr));
      Require(static_cast<bool>(sender), "cannot start the sending thread");
      const HANDLE handle = sender.get();
      RunMessagesUntil([&] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; });
    });
    messagesAnswer = probe.Results();
  }
  Require(form.FileCount() == tree.FileCount && form.RegSizeTotal() == branch.ValueBytes,
          "the sent messages did not reach the preview window's totals");

  const double scanRatio = items / bare;
  const double previewRatio = preview / (bare + messages);
  std::printf("(a) bare walk                    %8.3f s  (tree %.3f s, branch %.3f s)\n", bare,
              Median(bareFolderTimes), Median(bareBranchTimes));
  std::printf("(b) CollectInfo, no window       %8.3f s  (tree %.3f s, branch %.3f s)\n", items,
              Median(folderItemTimes), Median(branchItemTimes));
  std::printf("(c) whole preview                %8.3f s\n", preview);
  std::printf("(d) messages alone               %8.3f s  (%lld messages, %.3f ms each)\n",
              messages, static_cast<long long>(script.Count()),
              1000 * messages / static_cast<double>(script.Count()));
  std::printf("b/a      %.3f  (at most %.2f: %s)\n", scanRatio, kScanRatioTarget,
              Verdict(scanRatio <= kScanRatioTarget));
  std::printf("c/(a+d)  %.3f  (at most %.2f: %s)\n", previewRatio, kPreviewRatioTarget,
              Verdict(previewRatio <= kPreviewRatioTarget));
  std::printf("Longest answer to a posted message: %.1f ms during (c), at %.1f s of %d answers;"
              " %.1f ms during (d)  (within %.0f ms: %s)\n",
              previewAnswer.LongestMs, previewAnswer.LongestAtSeconds, previewAnswer.Answers,
              messagesAnswer.LongestMs, kAnswerTargetMs,
              Verdict(previewAnswer.LongestMs <= kAnswerTargetMs));
  return 0;
}

} // namespace

int main() { return RunBenchmark(Run); }
