#pragma once
// A directory search over every entry that matches a pattern, as the file and folder
// items run it: hidden, system, read-only and volume-label entries and folders are
// all found, and the platform matches the pattern (long and 8.3 names alike).

#include "cleanobjs/CleanMessages.h"
#include "framework/UniqueHandle.h"

#include <string>

class TFileSearch {
public:
  // Starts the search; Found() tells whether it found a first entry.
  explicit TFileSearch(const std::string& pattern);

  bool Found() const { return FFound; }
  // The current entry as a search record.
  const TSearchRec& Entry() const { return FEntry; }
  // Moves to the next entry; false when there is none.
  bool Next();

private:
  void TakeEntry();

  unique_hfind FHandle;
  WIN32_FIND_DATAA FData{};
  TSearchRec FEntry;
  bool FFound = false;
};

constexpr std::int32_t kDirectoryAttribute = FILE_ATTRIBUTE_DIRECTORY;

// True for a folder entry other than "." and "..".
bool IsSubfolder(const TSearchRec& entry);
// True for a folder entry that is a link (junction, symbolic link or any other
// reparse point): following one can loop forever or lead out of the tree.
bool IsFolderLink(const TSearchRec& entry);
