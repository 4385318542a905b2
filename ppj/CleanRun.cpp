#include "ppj/CleanRun.h"

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "cleanobjs/FolderPaths.h"
#include "framework/Registry.h"
#include "framework/Window.h"
#include "plugin/RecordNames.h"

#include <optional>
#include <set>

namespace plugin {

namespace {

// The hidden window the cleaning item reports to.
class TCleanReceiver : public TWindow {
public:
  explicit TCleanReceiver(CleanRunResult& result) : FResult(result) {
    RegisterClassOnce("VarnexCleanReceiver", nullptr);
    CreateHandle("VarnexCleanReceiver", "", WS_POPUP, 0, 0, nullptr);
  }
  void BeginItem(int number) {
    FNumber = number;
    FRegistryCleaned = 0;
    FTexts.clear();
  }
  int RegistryCleaned() const { return FRegistryCleaned; }
  // The paths that the item's texts of this kind name: "File [path] will be deleted on
  // reboot!" and the like.
  std::set<std::string> Named(const std::string& prefix, const std::string& suffix) const {
    std::set<std::string> paths;
    for (const std::string& text : FTexts)
      if (text.size() > prefix.size() + suffix.size() && text.rfind(prefix, 0) == 0 &&
          text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        paths.insert(text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()));
    return paths;
  }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
    case WM_ITEM_TEXT: {
      const std::string text = reinterpret_cast<const char*>(lParam);
      FTexts.push_back(text);
      FResult.Texts.push_back(ItemText{FNumber, static_cast<int>(wParam), text});
      return 0;
    }
    case WM_ITEM_REG_CLEANED: ++FRegistryCleaned; return 0;
    default: return TWindow::HandleMessage(message, wParam, lParam);
    }
  }

private:
  CleanRunResult& FResult;
  int FNumber = 0;
  int FRegistryCleaned = 0;
  std::vector<std::string> FTexts;
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// An entry as it was before the clean; its result is read afterwards.
struct Before {
  CleanEntry Entry;
  bool Existed = false;
  std::string ValueName; // of a registry value: a name may hold "\\" itself
};

// The value or key as the registry item sees it: the same root key and access.
struct RegistryLook {
  explicit RegistryLook(std::uint32_t rootKey) : Registry(KEY_READ) {
    Registry.SetRootKey(PredefinedKey(rootKey));
  }
  bool KeyExists(const std::string& path) { return Registry.OpenKey(path); }
  bool ValueExists(const std::string& path, const std::string& name) {
    return Registry.OpenKey(path) && Registry.ValueExists(name);
  }
  TRegistry Registry;
};

std::vector<Before> RegistryBefore(int number, TCleanRegistry& item,
                                   const PreviewResult& collected) {
  std::vector<Before> before;
  if (!IsKnownRootKey(item.RootKey())) return before;
  RegistryLook look(item.RootKey());
  const auto value = [&](const std::string& name, std::int64_t size, bool existed) {
    return Before{CleanEntry{number, "registry value",
                             RegistryValuePath(item.RootKey(), item.KeyPath(), name), size},
                  existed, name};
  };
  switch (item.Kind()) {
  case kRegistryValue:
    before.push_back(value(item.ValueName(), item.GetSize(),
                           look.ValueExists(item.KeyPath(), item.ValueName())));
    break;
  case kRegistryAllValues: {
    // The values there now, which the clean deletes, and those found before and gone.
    std::set<std::string> present;
    if (look.KeyExists(item.KeyPath()))
      for (const TRegistry::ValueSize& listed : look.Registry.GetValueSizes()) {
        before.push_back(value(listed.Name, listed.Size, true));
        present.insert(before.back().Entry.Path);
      }
    // Found by the collection and gone since: nothing of it is there to delete.
    for (const FoundEntry& found : collected.Found)
      if (found.ItemNumber == number && !found.IsFile && present.count(found.Path) == 0)
        before.push_back({CleanEntry{number, "registry value", found.Path, found.Size}, false, {}});
    break;
  }
  case kRegistryWholeKey:
    if (!NamesRootKey(item.KeyPath()))
      before.push_back({CleanEntry{number, "registry key",
                                   RootKeyName(item.RootKey()) + "\\" + KeyPathFromRoot(item.KeyPath()),
                                   item.GetSize()},
                        look.KeyExists(item.KeyPath()), {}});
    break;
  }
  return before;
}

std::vector<Before> FilesBefore(int number, TCleanObj& item, const PreviewResult& collected) {
  std::vector<Before> before;
  for (const FoundEntry& found : collected.Found)
    if (found.ItemNumber == number && found.IsFile)
      before.push_back({CleanEntry{number, "file", found.Path, found.Size}, Exists(found.Path), {}});
  if (const auto* folder = dynamic_cast<const TCleanFolder*>(&item); folder && folder->RemoveEmptyFolder())
    for (const std::string& path : folder->FolderList())
      before.push_back({CleanEntry{number, "folder", path, 0}, Exists(path), {}});
  return before;
}

CleanResult ResultOf(const Before& before, bool existsNow, const std::set<std::string>& deferred,
                     const std::set<std::string>& left) {
  if (deferred.count(before.Entry.Path) != 0) return CleanResult::Deferred;
  if (left.count(before.Entry.Path) != 0) return CleanResult::Left;
  if (!before.Existed) return CleanResult::Gone;
  return existsNow ? CleanResult::Failed : CleanResult::Deleted;
}

} // namespace

const char* CleanResultName(CleanResult result) {
  switch (result) {
  case CleanResult::Deleted: return "deleted";
  case CleanResult::Deferred: return "deferred";
  case CleanResult::Gone: return "gone";
  case CleanResult::Failed: return "failed";
  case CleanResult::Left: break;
  }
  return "left";
}

CleanRunResult CleanItemByItem(const std::vector<TCleanObj*>& items, const PreviewResult& collected) {
  CleanRunResult result;
  TCleanReceiver receiver(result);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    TCleanObj& item = *items[i];
    auto* registry = dynamic_cast<TCleanRegistry*>(&item);
    const std::vector<Before> before =
        registry ? RegistryBefore(number, *registry, collected) : FilesBefore(number, item, collected);

    receiver.BeginItem(number);
    TCleanObjList list; // on this thread, where each message is a direct call
    list.SetNotifyWindow(receiver.Handle());
    list.Add(&item);
    try {
      item.Clean();
    } catch (...) {
      result.Texts.push_back(ItemText{number, 0, "its clean ended with an error"});
    }

    ItemCleanFigures figures;
    figures.RegistryDeleted = receiver.RegistryCleaned();
    const auto deferredFiles = receiver.Named("File [", "] will be deleted on reboot!");
    const auto leftFiles = receiver.Named("File [", "] is reached through a link: it is not deleted");
    const auto deferredFolders = receiver.Named("Folder [", "] will be deleted on reboot!");
    const auto leftFolders = receiver.Named("Folder [", "] is reached through a link: it is not removed");
    std::optional<RegistryLook> look;
    if (registry) look.emplace(registry->RootKey());
    for (const Before& was : before) {
      CleanEntry entry = was.Entry;
      const bool isFolder = entry.Kind == "folder";
      bool existsNow = false;
      if (!registry)
        existsNow = Exists(entry.Path);
      else if (entry.Kind == "registry key")
        existsNow = look->KeyExists(registry->KeyPath());
      else
        existsNow = look->ValueExists(registry->KeyPath(), was.ValueName);
      entry.Result = ResultOf(was, existsNow, isFolder ? deferredFolders : deferredFiles,
                              isFolder ? leftFolders : leftFiles);
      if (entry.Kind == "file") {
        figures.FilesDeleted += entry.Result == CleanResult::Deleted;
        figures.FilesDeferred += entry.Result == CleanResult::Deferred;
      } else if (isFolder) {
        figures.FoldersRemoved += entry.Result == CleanResult::Deleted;
        figures.FoldersDeferred += entry.Result == CleanResult::Deferred;
      }
      figures.Failures += entry.Result == CleanResult::Failed || entry.Result == CleanResult::Left;
      result.Entries.push_back(std::move(entry));
    }
    result.Items.push_back(figures);
  }
  return result;
}

} // namespace plugin
