#include "framework/FileReplacement.h"

#include "framework/FileStream.h"
#include "framework/FinalPath.h"
#include "framework/UniqueHandle.h"

#include <optional>

namespace {

// What a replacement must match: the file there now, found through any links.
struct ReplacedFile {
  std::string Path; // full, and naming the file itself rather than a link to it
  std::optional<DWORD> Attributes; // none while nothing exists there
};

ReplacedFile FindReplacedFile(const std::string& target) {
  // Opening follows links to the file itself. No access is asked for, only the
  // attributes, so a file that another program holds open without sharing is found too.
  const unique_hfile file(OpenEntry(target, 0, LastLink::Followed));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || !GetFileInformationByHandle(file.get(), &information))
    return {ExpandFileName(target), std::nullopt};
  const std::string path = FinalPathOf(file.get());
  return {path.empty() ? ExpandFileName(target) : path, information.dwFileAttributes};
}

// The attributes a file can be given that say something of the file rather than of
// its storage (compression, sparseness, links), read-only aside: the new file must be
// writable until it is in place, and a read-only target is never replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                  FILE_ATTRIBUTE_TEMPORARY;

// Deletes the file when it goes, unless it has been moved away by then.
struct TemporaryFile {
  std::string Path;
  ~TemporaryFile() {
    if (!Path.empty()) DeleteFileA(Path.c_str()); // fails harmlessly once moved
  }
};

// Why the file found cannot be replaced, or ERROR_SUCCESS. Moving a file over a
// read-only one would succeed and so overrule the attribute. Replacing renames the
// file away, which needs delete access: a file that another program holds open
// without sharing that is refused here, before anything is written, since Wine's
// ReplaceFileA, failing on it, would leave a file of its own beside it.
DWORD ReasonNotToReplace(const ReplacedFile& replaced) {
  if (*replaced.Attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  const unique_hfile file(OpenEntry(replaced.Path, DELETE, LastLink::Followed));
  return file ? ERROR_SUCCESS : GetLastError();
}

// A failed call whose error is not set must not read as success.
DWORD LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

// Moves the complete new file to where the replaced one is, or was to be.
DWORD PutInPlace(const std::string& newFile, const ReplacedFile& replaced) {
  if (!replaced.Attributes) {
    if (MoveFileExA(newFile.c_str(), replaced.Path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return ERROR_SUCCESS;
    return LastErrorOr(ERROR_WRITE_FAULT);
  }
  // Set before the replacement, so that the file is never visible under the target's
  // name without them: Wine's ReplaceFileA keeps the replacement's attributes rather
  // than the replaced file's.
  const DWORD attributes = *replaced.Attributes & kKeptAttributes;
  if (!SetFileAttributesA(newFile.c_str(), attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL))
    return LastErrorOr(ERROR_WRITE_FAULT);
  // ReplaceFileA, unlike a move, gives the new file the security descriptor of the old.
  // Like any replacement by renaming it cannot reach the file's other hard links,
  // which keep the old bytes.
  if (ReplaceFileA(replaced.Path.c_str(), newFile.c_str(), nullptr, 0, nullptr, nullptr))
    return ERROR_SUCCESS;
  return LastErrorOr(ERROR_UNABLE_TO_REMOVE_REPLACED);
}

} // namespace

DWORD ReplaceFileWhole(const std::string& target, const std::string& prefix,
                       std::int64_t expectedSize, const std::function<void(TStream&)>& write) {
  const ReplacedFile replaced = FindReplacedFile(target);
  if (replaced.Attributes) {
    const DWORD refusal = ReasonNotToReplace(replaced);
    if (refusal != ERROR_SUCCESS) return refusal;
  }

  TemporaryFile temporary; // goes after the stream, which it outlives
  DWORD failure = ERROR_WRITE_FAULT;
  std::optional<TFileStream> stream =
      TFileStream::CreateBeside(replaced.Path, prefix, temporary.Path, failure);
  if (!stream) return failure;

  write(*stream);
  if (stream->Size() != expectedSize) return LastErrorOr(ERROR_DISK_FULL);
  if (!stream->Close()) return LastErrorOr(ERROR_WRITE_FAULT);
  stream.reset();

  return PutInPlace(temporary.Path, replaced);
}
