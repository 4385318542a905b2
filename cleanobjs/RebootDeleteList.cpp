#include "cleanobjs/RebootDeleteList.h"

#include "cleanobjs/WinInitText.h"
#include "framework/FileStream.h"
#include "framework/SysError.h"
#include "sysfolders/SysFolderRules.h"
#include "sysfolders/SysFolders.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<std::vector<std::string>> RebootDeleteList;

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

std::vector<std::string>& GetRebootDeleteList() {
  if (!RebootDeleteList) RebootDeleteList = std::make_unique<std::vector<std::string>>();
  return *RebootDeleteList;
}

bool RebootDeleteListExists() { return RebootDeleteList != nullptr; }

void AddRebootDeleteFile(const std::string& path) {
  std::vector<std::string>& list = GetRebootDeleteList();
  const bool listed = std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
    return lstrcmpiA(entry.c_str(), path.c_str()) == 0;
  });
  if (!listed) list.push_back(path);
}

void AddRebootDeleteFolder(const std::string& path) { GetRebootDeleteList().push_back(path); }

void FlushRebootDeleteList(const TSysFolderList& folders) {
  if (!RebootDeleteList) return;
  // Taken first, so the list is gone even when writing WININIT.INI fails.
  const std::unique_ptr<std::vector<std::string>> entries = std::move(RebootDeleteList);
  if (!IsNTPlatform(folders.Source())) {
    WriteWinInit(folders.FindPathByDescription("Windows Folder"), *entries);
    return;
  }
  // A refusal (no right to register deletions at restart) drops that entry only.
  for (const std::string& entry : *entries)
    MoveFileExA(entry.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void FlushRebootDeleteList() {
  if (SysFolderList) FlushRebootDeleteList(*SysFolderList);
}
