#include "cleanobjs/FileDeletion.h"

#include "framework/FinalPath.h"
#include "cleanobjs/RebootDeleteList.h"

namespace {

constexpr DWORD kDeleteAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;

bool LiesAt(HANDLE entry, DWORD attributes, const std::string& finalPath) {
  // A link opened itself has its own final path; it counts as a link on the way.
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !finalPath.empty() &&
         SamePath(FinalPathOf(entry), finalPath);
}

// The deletion happens when the handle closes. It is the entry the handle holds that
// goes, whatever becomes of the paths meanwhile: the one checked is the one deleted.
bool MarkForDeletion(HANDLE entry) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition);
}

// The path the restart is to delete: the entry's final path, where the system really
// keeps it. The path found can name another file at the restart: a 32-bit program
// finds System32's files in SysWOW64, while the restart, run by the 64-bit system,
// takes System32 as it is.
std::string RestartPath(const std::string& path, const std::string& finalPath) {
  return finalPath.empty() ? path : finalPath;
}

} // namespace

std::string FinalPathOfFolder(const std::string& folder) {
  if (folder.empty()) return {}; // nothing was found, and nothing is compared with it
  const unique_hfile opened = OpenEntry(folder, FILE_READ_ATTRIBUTES, LastLink::Followed);
  return opened ? FinalPathOf(opened.get()) : std::string();
}

std::string FinalPathBelow(const std::string& folderFinal, const std::string& relative) {
  if (relative.empty() || folderFinal.empty()) return folderFinal;
  // A drive root's final path ends in "\" ("C:\"); other folders' do not.
  const bool endsInSeparator = folderFinal.back() == '\\';
  return folderFinal + (endsInSeparator ? "" : "\\") + relative;
}

DeletionResult DeleteFileOrDefer(const std::string& path, const std::string& finalPath) {
  const unique_hfile file = OpenEntry(path, kDeleteAccess);
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return DeletionResult::NoSuchFile;
    // A sharing violation (the file is in use) and any other refusal.
    AddRebootDeleteFile(RestartPath(path, finalPath));
    return DeletionResult::Deferred;
  }
  const DWORD attributes = AttributesOf(file.get());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return DeletionResult::NoSuchFile;
  if (!LiesAt(file.get(), attributes, finalPath)) return DeletionResult::ReachedThroughLink;
  // A read-only file refuses to be marked for deletion. Archive only, the times kept
  // (zero leaves them unchanged); a failure shows as a refused deletion below.
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
  SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic);
  if (MarkForDeletion(file.get())) return DeletionResult::Deleted;
  AddRebootDeleteFile(RestartPath(path, finalPath));
  return DeletionResult::Deferred;
}

DeletionResult RemoveFolderOrDefer(const std::string& path, const std::string& finalPath) {
  const unique_hfile folder = OpenEntry(path, kDeleteAccess);
  if (folder) {
    if (!LiesAt(folder.get(), AttributesOf(folder.get()), finalPath))
      return DeletionResult::ReachedThroughLink;
    // Refused for a folder that still holds anything: unmatched files, deferred ones.
    if (MarkForDeletion(folder.get())) return DeletionResult::Deleted;
  }
  AddRebootDeleteFolder(RestartPath(path, finalPath));
  return DeletionResult::Deferred;
}
