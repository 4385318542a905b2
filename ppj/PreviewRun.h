#pragma once
// The size preview's collection, run one item at a time so that every figure and
// every file or value found belongs to the item that reported it. The items report
// to a hidden window of this thread through the same messages as to the editor's
// preview window, sent from this same thread.

#include "cleanobjs/CleanObjs.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plugin {

struct ItemFigures {
  std::int64_t Files = 0;
  std::int64_t FileBytes = 0;
  std::int64_t Values = 0;
  std::int64_t ValueBytes = 0;
};

struct FoundEntry {
  int ItemNumber = 0;  // 1-based
  bool IsFile = true;  // a file, or else a registry value
  std::string Path;    // a file's full path; a value's root key, key path and name
  std::int64_t Size = 0;
};

struct ItemNote {
  int ItemNumber = 0;
  std::string Text;    // what the item reported as a failure or a refusal
};

struct PreviewResult {
  std::vector<ItemFigures> Items; // one per item collected, in order
  // An item's collection raised an error; as in the editor's preview, the items after
  // it were not collected.
  std::vector<FoundEntry> Found;  // only when asked for
  std::vector<ItemNote> Notes;
  bool EndedByError = false;
};

// Called on this thread while the collection runs: the 1-based number of the item
// being collected and the figures of the items so far.
using PreviewProgress = std::function<void(int itemNumber, const ItemFigures& soFar)>;

// Collects every item in order on this thread, reporting to the receiver as the
// editor's collection thread reports to its preview window; an item whose collection
// raises an error ends the run, as it ends the editor's. Needs the system folder table.
PreviewResult CollectItemByItem(const std::vector<TCleanObj*>& items, bool listFound,
                                const PreviewProgress& progress);

// The registry value as one path: "HKEY_CURRENT_USER\Software\Key\Value".
std::string RegistryValuePath(std::uint32_t rootKey, const std::string& keyPath,
                              const std::string& valueName);

} // namespace plugin
