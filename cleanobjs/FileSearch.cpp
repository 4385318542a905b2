#include "cleanobjs/FileSearch.h"

TFileSearch::TFileSearch(const std::string& pattern) {
  // Large fetches cut the round trips to the file system on deep trees.
  FHandle.reset(FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &FData,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  FFound = FHandle.get() != INVALID_HANDLE_VALUE;
  if (FFound) TakeEntry();
}

bool TFileSearch::Next() {
  FFound = FFound && FindNextFileA(FHandle.get(), &FData);
  if (FFound) TakeEntry();
  return FFound;
}

void TFileSearch::TakeEntry() {
  FEntry.Size = (static_cast<std::int64_t>(FData.nFileSizeHigh) << 32) | FData.nFileSizeLow;
  FEntry.Attr = static_cast<std::int32_t>(FData.dwFileAttributes);
  FEntry.Name = FData.cFileName;
  FEntry.FindHandle = FHandle.get();
  FEntry.FindData = FData;
  // The time as a packed local DOS date and time, as directory listings show it.
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  FEntry.Time = FileTimeToLocalFileTime(&FData.ftLastWriteTime, &local) &&
                        FileTimeToDosDateTime(&local, &date, &time)
                    ? static_cast<std::int32_t>((static_cast<DWORD>(date) << 16) | time)
                    : -1;
}

bool IsSubfolder(const TSearchRec& entry) {
  return (entry.Attr & kDirectoryAttribute) != 0 && entry.Name != "." && entry.Name != "..";
}

bool IsFolderLink(const TSearchRec& entry) {
  return (entry.Attr & kDirectoryAttribute) != 0 && (entry.Attr & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
