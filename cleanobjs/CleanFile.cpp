#include "cleanobjs/CleanFile.h"

#include "cleanobjs/AnsiCodePage.h"
#include "cleanobjs/ItemRecordFormat.h"
#include "cleanobjs/FileDeletion.h"
#include "cleanobjs/FileSearch.h"
#include "cleanobjs/FolderPaths.h"
#include "sysfolders/SysFolders.h"

#include <array>
#include <mutex>

TCleanFile::TCleanFile(std::string name, std::string fileName)
    : TCleanObj(std::move(name)), FFileName(std::move(fileName)) {}

std::int64_t TCleanFile::GetSize() { return FFileInfo.SearchRec().Size; }

void TCleanFile::CollectInfo() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  TCleanObj::CollectInfo();
  FFileInfo.Clear();
  const std::string path = ExpandFolderMacros(FFileName);
  // A path such as "\\*.*", "C:x", "x" or "C:\x\.." would be taken from the current
  // drive or folder, or lead out of the folder it shows, and reach a file that the
  // item does not name.
  FPathNotFull = !IsFullPath(path, AnsiLeadBytes());
  if (FPathNotFull) {
    SendPathNotFull(FFileName);
    return;
  }
  TFileSearch search(path);
  // Joined to the folder, a name holding a separator names a file elsewhere.
  bool found = search.Found();
  while (found && !IsPlainEntryName(search.Entry().Name, AnsiLeadBytes())) found = search.Next();
  if (!found) return;
  SendFileFound(search.Entry());
  FFileInfo.SetSearchRec(search.Entry());
  FFileInfo.SetPath(FolderPartOf(path));
}

void TCleanFile::Clean() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  // The file must lie right inside this folder. Taken from the folder itself (the typed
  // path may hold 8.3 names), and before the first message, so that nothing done while
  // one is handled can move it.
  const std::string folderFinal = FinalPathOfFolder(FFileInfo.Path());
  TCleanObj::Clean();
  if (FPathNotFull) SendPathNotFull(FFileName);
  if (FPathNotFull || FFileInfo.SearchRec().Name.empty()) {
    SendFileCleaned(0);
    return;
  }
  const std::string& name = FFileInfo.SearchRec().Name;
  if (DeleteFoundFile(JoinPath(FFileInfo.Path(), name), FinalPathBelow(folderFinal, name)))
    SendFileCleaned(GetSize());
}

std::int64_t TCleanFile::LoadFromStream(TStream& stream) {
  std::int64_t count = TCleanObj::LoadFromStream(stream);
  std::array<std::uint8_t, plugin::kFileBodySize> field{};
  count += stream.Read(field.data(), static_cast<std::int64_t>(field.size()));
  FFileName = plugin::GetTextField(field.data(), field.size());
  return count;
}

std::int64_t TCleanFile::SaveToStream(TStream& stream) {
  std::int64_t count = TCleanObj::SaveToStream(stream);
  std::array<std::uint8_t, plugin::kFileBodySize> field{};
  plugin::PutTextField(field.data(), field.size(), FFileName);
  count += stream.Write(field.data(), static_cast<std::int64_t>(field.size()));
  return count;
}

void TCleanFile::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                  int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckTargetText(overlong, itemNumber, "File path", FFileName, plugin::kPathFieldSize);
}
