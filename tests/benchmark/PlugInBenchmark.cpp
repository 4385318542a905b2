// How long the main window takes over a plug-in of 10,000 items: Open, New (which
// clears the list), Save, and the window's own part of New Item (the row appended) and
// of Remove Item; and how soon after Remove Item the status bar counts the findings
// anew, beside the checks alone; and the Edit menu over all of it: Select All then
// Copy, Paste of the 10,000 items, Undo of that Paste, and Move Down of 5,000 selected
// rows. Run under Wine by scripts/benchmark.sh; see docs/benchmarks.md.

#include "app/Application.h"
#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "plugin/Lint.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/Controls.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/benchmark/Measure.h"
#include "tests/support/TempFolder.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kItems = 10000;
constexpr int kRounds = 5;
constexpr double kWholePlugInTarget = 1.0;  // seconds
constexpr double kOneItemTarget = 0.050;    // seconds

// Handles whatever is waiting, the repainting included, as the program's loop would.
void RunPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  UpdateWindow(VarnexForm->Handle());
}

std::string CheckPanelText() {
  char text[128] = {};
  SendMessageA(VarnexForm->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  return text;
}

// A plug-in of the three kinds in turn, as an author with many rules writes one. Its
// folder items name %TEMP%, which is no macro: the checks find 3,333 errors.
void WritePlugIn(const std::string& path) {
  std::vector<std::unique_ptr<TCleanObj>> owned;
  std::vector<TCleanObj*> items;
  for (int i = 0; i < kItems; ++i) {
    const std::string n = std::to_string(i);
    if (i % 3 == 0)
      owned.push_back(std::make_unique<TCleanRegistry>("Many", 0x80000001, kRegistryValue,
                                                       "\\Software\\Example\\" + n, "Value" + n));
    else if (i % 3 == 1)
      owned.push_back(std::make_unique<TCleanFile>("Many", "%WINDOWS%\\Example\\file" + n + ".log"));
    else {
      auto folder = std::make_unique<TCleanFolder>("Many", "%TEMP%\\Example" + n, true);
      folder->Masks() = {"*.tmp", "*.bak"};
      owned.push_back(std::move(folder));
    }
    items.push_back(owned.back().get());
  }
  SavePlugInFile(path, {"Many", "Benchmark", 46364.5, kItems}, items);
}

int Run() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  CreateApplicationWindows();
  VarnexForm->Show({});
  RunPendingMessages();

  const TempFolder folder;
  const std::string source = folder.File("many.ppj");
  const std::string copy = folder.File("saved.ppj");
  WritePlugIn(source);

  std::vector<double> open, save, clear, append, remove, recount, check, rules, texts;
  std::vector<double> copyAll, pasteAll, undoPaste, moveHalf;
  for (int round = 0; round < kRounds; ++round) {
    open.push_back(Seconds([&] {
      VarnexForm->LoadPlugIn(source);
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == kItems, "the plug-in did not open whole");

    VarnexForm->SetProjectFileName(copy);
    save.push_back(Seconds([&] { VarnexForm->SavePlugIn(); }));

    // New Item after its dialogs: the row appended at the end and the list repainted.
    append.push_back(Seconds([&] {
      VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Many", "%WINDOWS%\\one-more.log"));
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == kItems + 1, "the row was not appended");

    // Remove Item on a row in the middle of the list, a folder item with a finding, so
    // that the panel's counts change.
    TListView(VarnexForm->ListView()).SelectRow(kItems / 2);
    const std::string counted = CheckPanelText();
    remove.push_back(Seconds([&] {
      recount.push_back(Seconds([&] { VarnexForm->DeleteButtonClick(); }));
      Require(CheckPanelText() != counted, "Remove Item left the panel's counts as they were");
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == kItems, "the row was not removed");

    // The window's whole check; the rules alone over the same records, counting as the
    // window counts; and the findings with their texts, as Check Plug-In lists them.
    check.push_back(Seconds([&] { VarnexForm->CheckPlugIn(); }));
    const plugin::PlugInRecords records = VarnexForm->Records();
    std::size_t marked = 0;
    std::size_t found = 0;
    rules.push_back(Seconds([&] { marked = plugin::MarkPlugIn(records).size(); }));
    texts.push_back(Seconds([&] { found = plugin::LintPlugIn(records).size(); }));
    Require(marked == found && found > kItems / 4, "the checks did not find what the plug-in holds");

    copyAll.push_back(Seconds([&] {
      VarnexForm->SelectAllActionExecute();
      VarnexForm->CopyActionExecute();
    }));
    TListView(VarnexForm->ListView()).SelectRows({});
    pasteAll.push_back(Seconds([&] {
      VarnexForm->PasteActionExecute();
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == 2 * kItems, "the paste did not insert every item");
    undoPaste.push_back(Seconds([&] {
      VarnexForm->UndoActionExecute();
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == kItems, "the undo did not take the pasted items out");
    std::vector<int> everyOther;
    for (int row = 0; row < kItems; row += 2) everyOther.push_back(row);
    TListView(VarnexForm->ListView()).SelectRows(everyOther);
    moveHalf.push_back(Seconds([&] {
      VarnexForm->MoveDownActionExecute();
      RunPendingMessages();
    }));
    Require(TListView(VarnexForm->ListView()).SelectedRows().front() == 1, "the rows did not move down");

    VarnexForm->SavePlugIn(); // so that New does not ask
    clear.push_back(Seconds([&] {
      VarnexForm->NewActionExecute();
      RunPendingMessages();
    }));
    Require(VarnexForm->ItemCount() == 0, "New did not clear the list");
  }

  std::printf("A plug-in of %d items, medians of %d rounds:\n", kItems, kRounds);
  const auto line = [](const char* what, double seconds, double target) {
    std::printf("  %-28s %8.3f s  (at most %.3f s: %s)\n", what, seconds, target,
                Verdict(seconds <= target));
  };
  line("Open", Median(open), kWholePlugInTarget);
  line("Save", Median(save), kWholePlugInTarget);
  line("New (clears the list)", Median(clear), kWholePlugInTarget);
  line("New Item: the row appended", Median(append), kOneItemTarget);
  line("Remove Item", Median(remove), kOneItemTarget);
  line("Remove Item: panel recounted", Median(recount), kOneItemTarget);
  std::printf("  %-28s %8.3f s\n", "The window's check", Median(check));
  std::printf("  %-28s %8.3f s\n", "The rules alone", Median(rules));
  std::printf("  %-28s %8.3f s\n", "The findings with texts", Median(texts));
  const double kEditTarget = 0.5;
  line("Select All, then Copy", Median(copyAll), kEditTarget);
  line("Paste of 10,000 items", Median(pasteAll), kEditTarget);
  line("Undo of that Paste", Median(undoPaste), kEditTarget);
  line("Move Down of 5,000 rows", Median(moveHalf), kEditTarget);

  DestroyApplicationWindows();
  SysFolderList.reset();
  return 0;
}

} // namespace

int main() { return RunBenchmark(Run); }
