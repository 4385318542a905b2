#pragma once
// The removal of what a collection found, one item at a time, with what became of each
// file, folder, registry value and key the items handled. The items report to a hidden
// window of this thread, as they would to any window.

#include "ppj/PreviewRun.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plugin {

enum class CleanResult {
  Deleted,  // gone now, and there before the clean
  Deferred, // left for the restart: in use, or refused now
  Gone,     // no longer there when the clean came
  Failed,   // still there
  Left,     // left alone: reached through a link
};
const char* CleanResultName(CleanResult result); // "deleted", "deferred", ...

struct CleanEntry {
  int ItemNumber = 0;
  std::string Kind; // "file", "folder", "registry value", "registry key"
  std::string Path; // a file's or folder's path; a value's or key's root key and path
  std::int64_t Size = 0;
  CleanResult Result = CleanResult::Deleted;
};

struct ItemCleanFigures {
  int FilesDeleted = 0;
  int FilesDeferred = 0;
  int FoldersRemoved = 0;
  int FoldersDeferred = 0;
  int RegistryDeleted = 0; // values and keys, as the item reports each
  int Failures = 0;        // entries failed or left alone
};

struct ItemText {
  int ItemNumber = 0;
  int Level = 0;
  std::string Text;
};

struct CleanRunResult {
  std::vector<ItemCleanFigures> Items; // one per item, in order
  std::vector<CleanEntry> Entries;
  std::vector<ItemText> Texts; // every text the items sent, in order
};

// Runs each item's Clean in order, from what `collected` found (the collection with
// its list of found files and values). Adds to the restart list what the items defer.
CleanRunResult CleanItemByItem(const std::vector<TCleanObj*>& items, const PreviewResult& collected);

} // namespace plugin
