#include "cleanobjs/RebootDeleteList.h"

#include "cleanobjs/IndexedTextList.h"
#include "cleanobjs/WinInitText.h"
#include "framework/FileStream.h"
#include "framework/FinalPath.h"
#include "framework/SysError.h"
#include "sysfolders/SysFolderRules.h"
#include "sysfolders/SysFolders.h"

#include <windows.h>

#include <memory>

namespace {

std::unique_ptr<TIndexedTextList> RebootDeleteList;

// The path as a final path shows it: no doubled separators, and long names in place
// of 8.3 ones.
std::string LongFormOf(const std::string& path) {
  constexpr DWORD kLongestPath = 32768; // the longest path the system takes
  std::vector<char> full(kLongestPath), longForm(kLongestPath);
  const DWORD fullLength = GetFullPathNameA(path.c_str(), kLongestPath, full.data(), nullptr);
  if (fullLength == 0 || fullLength >= kLongestPath) return path;
  const DWORD longLength = GetLongPathNameA(full.data(), longForm.data(), kLongestPath);
  if (longLength == 0 || longLength >= kLongestPath) return std::string(full.data(), fullLength);
  return std::string(longForm.data(), longLength);
}

// An entry that a link now leads elsewhere: the system resolves it to another place
// than its own path says, or it is a link itself. Between the failed deletion and the
// end of the program, a folder on the way may have been replaced by a link, and the
// deletion at restart would then reach whatever the link leads to. An entry that no
// longer exists cannot be told apart and is handed over as it is.
bool ReachedThroughLink(const std::string& path) {
  // Reading attributes is not refused by a file held open without sharing.
  const unique_hfile entry = OpenEntry(path, FILE_READ_ATTRIBUTES);
  if (!entry) return false;
  const DWORD attributes = AttributesOf(entry.get());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
  return !SamePath(FinalPathOf(entry.get()), LongFormOf(path));
}

std::string ShortPathOrLong(const std::string& path) {
  char shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
  // An entry gone by now or too long for the buffer is written as it is.
  return length > 0 && length < MAX_PATH ? std::string(shortPath, length) : path;
}

std::string ReadTextFile(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  TFileStream file = TFileStream::OpenRead(path);
  std::string text(static_cast<std::size_t>(file.Size()), '\0');
  file.Read(text.data(), static_cast<std::int64_t>(text.size()));
  return text;
}

void WriteWinInit(const std::string& windowsFolder, const std::vector<std::string>& entries) {
  std::vector<std::string> shortPaths;
  for (const std::string& entry : entries) shortPaths.push_back(ShortPathOrLong(entry));
  const std::string path = windowsFolder + "\\WININIT.INI";
  const std::string text = AddRenameEntries(ReadTextFile(path), shortPaths);
  TFileStream file = TFileStream::Create(path);
  const bool written = file.Write(text.data(), static_cast<std::int64_t>(text.size())) ==
                       static_cast<std::int64_t>(text.size());
  const DWORD error = written ? ERROR_SUCCESS : GetLastError();
  if (!file.Close() || !written)
    throw ECommandError("Cannot write file \"" + ExpandFileName(path) + "\". " +
                       SysErrorMessage(error != ERROR_SUCCESS ? error : GetLastError()));
}

} // namespace

const std::vector<std::string>& GetRebootDeleteList() {
  if (!RebootDeleteList) RebootDeleteList = std::make_unique<TIndexedTextList>();
  return RebootDeleteList->Texts();
}

bool RebootDeleteListExists() { return RebootDeleteList != nullptr; }

void AddRebootDeleteFile(const std::string& path) {
  GetRebootDeleteList();
  RebootDeleteList->AddUnlessHeld(path);
}

void AddRebootDeleteFolder(const std::string& path) {
  GetRebootDeleteList();
  RebootDeleteList->Add(path);
}

RebootHandOver HandOverRebootDeleteList(const TSysFolderList& folders) {
  RebootHandOver handOver;
  if (!RebootDeleteList) return handOver;
  // Taken first, so the list is gone even when writing WININIT.INI fails.
  const std::unique_ptr<TIndexedTextList> list = std::move(RebootDeleteList);
  std::vector<std::string> entries;
  for (const std::string& entry : list->Texts())
    (ReachedThroughLink(entry) ? handOver.ThroughLinks : entries).push_back(entry);
  if (!IsNTPlatform(folders.Source())) {
    WriteWinInit(folders.FindPathByDescription("Windows Folder"), entries);
    for (const std::string& entry : entries) handOver.Registered.push_back({entry, ERROR_SUCCESS});
    return handOver;
  }
  // A refusal (no right to register deletions at restart) drops that entry only.
  for (const std::string& entry : entries) {
    const bool registered = MoveFileExA(entry.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    handOver.Registered.push_back({entry, registered ? ERROR_SUCCESS : GetLastError()});
  }
  return handOver;
}

void FlushRebootDeleteList(const TSysFolderList& folders) { HandOverRebootDeleteList(folders); }

void FlushRebootDeleteList() {
  if (SysFolderList) FlushRebootDeleteList(*SysFolderList);
}
