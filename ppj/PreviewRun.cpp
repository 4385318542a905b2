#include "ppj/PreviewRun.h"

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/FolderPaths.h"
#include "framework/Window.h"
#include "plugin/RecordNames.h"

#include <cstdio>

namespace plugin {

namespace {

constexpr char kSearchPathPrefix[] = "Searching path: ";

// The hidden window the running item reports to. It adds what is found to the
// figures of the item that runs, which only it can be: one item runs at a time.
class TReceiver : public TWindow {
public:
  TReceiver(PreviewResult& result, bool listFound, const PreviewProgress& progress)
      : FResult(result), FListFound(listFound), FProgress(progress) {
    RegisterClassOnce("VarnexPreviewReceiver", nullptr);
    CreateHandle("VarnexPreviewReceiver", "", WS_POPUP, 0, 0, nullptr);
  }

  void BeginItem(int number) {
    FNumber = number;
    FFinished = false;
    FFolder.clear();
    FResult.Items.emplace_back();
    Report();
  }

  // A collection thread that ends without its finish message was ended by an error.
  bool Finished() const { return FFinished; }

  // A file item reports the name it found; its folder is the item's own.
  void EndFileItem(const TCleanFile& item) {
    for (FoundEntry& entry : FFolderless) {
      entry.Path = JoinPath(item.FileInfo().Path(), entry.Path);
      FResult.Found.push_back(std::move(entry));
    }
    FFolderless.clear();
  }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
    case WM_ITEM_FILE_FOUND: FileFound(*reinterpret_cast<const TSearchRec*>(lParam)); return 0;
    case WM_ITEM_REG_FOUND: ValueFound(*reinterpret_cast<const TRegItem*>(lParam)); return 0;
    case WM_ITEM_SEARCH_PATH: SearchPath(reinterpret_cast<const char*>(lParam)); return 0;
    case WM_COLLECT_FINISH: FFinished = true; return 0;
    case WM_ITEM_TEXT:
      if (static_cast<TextLevel>(wParam) == TextLevel::Failure)
        FResult.Notes.push_back(ItemNote{FNumber, reinterpret_cast<const char*>(lParam)});
      return 0;
    default: return TWindow::HandleMessage(message, wParam, lParam);
    }
  }

private:
  ItemFigures& Figures() { return FResult.Items.back(); }

  void FileFound(const TSearchRec& found) {
    for (ItemFigures* figures : {&Figures(), &FTotal}) {
      ++figures->Files;
      figures->FileBytes += found.Size;
    }
    if (FListFound) {
      // A folder item names the folder before its files; a file item never does.
      FoundEntry entry{FNumber, true, FFolder.empty() ? found.Name : JoinPath(FFolder, found.Name),
                       found.Size};
      (FFolder.empty() ? FFolderless : FResult.Found).push_back(std::move(entry));
    }
    Report();
  }

  void ValueFound(const TRegItem& found) {
    for (ItemFigures* figures : {&Figures(), &FTotal}) {
      ++figures->Values;
      figures->ValueBytes += found.DataSize;
    }
    if (FListFound)
      FResult.Found.push_back(FoundEntry{
          FNumber, false, RegistryValuePath(found.RootKey, found.KeyPath, found.ValueName),
          found.DataSize});
    Report();
  }

  void SearchPath(const std::string& text) {
    if (text.rfind(kSearchPathPrefix, 0) == 0) FFolder = text.substr(sizeof kSearchPathPrefix - 1);
  }

  void Report() {
    if (FProgress) FProgress(FNumber, FTotal);
  }

  PreviewResult& FResult;
  const bool FListFound;
  const PreviewProgress& FProgress;
  int FNumber = 0;
  bool FFinished = false;
  std::string FFolder;
  std::vector<FoundEntry> FFolderless;
  ItemFigures FTotal; // of every item so far, for the progress
};

// Collects the item on this thread, which owns the receiver, with the messages of the
// editor's collection thread around it: each find is then a direct call of the
// receiver's window procedure, not a round trip between threads, which under Wine
// costs several times the directory search that found it. An error ends the
// collection without its finish message, as it ends the thread's.
void CollectHere(TCleanObj& item, HWND receiver) {
  TCleanObjList list;
  list.SetNotifyWindow(receiver);
  list.Add(&item);
  SendMessageA(receiver, WM_COLLECT_START, 0, 0);
  try {
    item.CollectInfo();
  } catch (...) {
    item.SetState(ItemState::Done);
    return;
  }
  item.SetState(ItemState::Done);
  SendMessageA(receiver, WM_COLLECT_FINISH, 0, 0);
}

} // namespace

PreviewResult CollectItemByItem(const std::vector<TCleanObj*>& items, bool listFound,
                                const PreviewProgress& progress) {
  PreviewResult result;
  TReceiver receiver(result, listFound, progress);
  for (std::size_t i = 0; i < items.size(); ++i) {
    receiver.BeginItem(static_cast<int>(i) + 1);
    CollectHere(*items[i], receiver.Handle());
    if (const auto* file = dynamic_cast<const TCleanFile*>(items[i])) receiver.EndFileItem(*file);
    if (!receiver.Finished()) {
      result.Notes.push_back(ItemNote{static_cast<int>(i) + 1,
                                      "its collection ended with an error; the items after it "
                                      "are not collected, as in the editor's preview"});
      result.EndedByError = true;
      break;
    }
  }
  return result;
}

std::string RegistryValuePath(std::uint32_t rootKey, const std::string& keyPath,
                              const std::string& valueName) {
  std::string root = RootKeyName(rootKey);
  if (root.empty()) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%08X", static_cast<unsigned>(rootKey));
    root = number;
  }
  return JoinPath(JoinPath(root, keyPath), valueName);
}

} // namespace plugin
