#include "cleanobjs/CleanFolder.h"

#include "cleanobjs/AnsiCodePage.h"
#include "cleanobjs/ItemRecordFormat.h"
#include "cleanobjs/FileDeletion.h"
#include "cleanobjs/FileSearch.h"
#include "cleanobjs/FolderPaths.h"
#include "sysfolders/SysFolders.h"

#include <array>
#include <mutex>

TCleanFolder::TCleanFolder(std::string name, std::string folder, bool removeEmptyFolder)
    : TCleanObj(std::move(name)), FFolder(std::move(folder)),
      FRemoveEmptyFolder(removeEmptyFolder ? 1 : 0) {}

std::int64_t TCleanFolder::GetSize() {
  std::int64_t size = 0;
  for (const auto& file : FFileList) size += file->SearchRec().Size;
  return size;
}

void TCleanFolder::CollectInfo() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  if (Cancelled()) return;
  TCleanObj::CollectInfo();
  ClearFileList();
  // Emptied as well, so that a second collection neither lists a folder twice nor
  // makes the clean queue it twice.
  FFolderList.clear();
  const std::string expanded = ExpandFolderMacros(FFolder);
  // A path such as "\\", "C:", "Temp" or "C:\Temp\.." would be taken from the current
  // drive or folder, or lead out of the folder it shows, and walk files that the item
  // does not name.
  FPathNotFull = !IsFullPath(expanded, AnsiLeadBytes());
  if (FPathNotFull) {
    SendPathNotFull(FFolder);
    return;
  }
  for (const std::string& mask : FMasks)
    if (MaskNamesAnotherFolder(mask, AnsiLeadBytes()))
      SendText(TextLevel::Failure, "Mask [" + mask + "] names another folder: it is not searched");
  FRoot = WithoutFinalSeparator(expanded);
  SearchFolder(FRoot);
}

namespace {

// The platform's pattern for every name, which the walk uses to find the subfolders.
bool MatchesEveryName(const std::string& mask) { return mask == "*.*" || mask == "*"; }

void AddSubfolder(const std::string& folder, const TSearchRec& entry,
                  std::vector<std::string>& subfolders) {
  // A folder link is left alone: following it can loop forever or reach files far
  // outside the folder the user named.
  if (IsSubfolder(entry) && !IsFolderLink(entry) && IsPlainEntryName(entry.Name, AnsiLeadBytes()))
    subfolders.push_back(JoinPath(folder, entry.Name));
}

} // namespace

void TCleanFolder::SearchFolder(const std::string& folder) {
  if (Cancelled()) return;
  SendSearchPath("Searching path: " + folder);
  // A mask that matches every name finds the folder's subfolders as well. Taking them
  // from its search spares a second listing of every folder, which would otherwise be
  // the larger part of the walk's cost; the messages and lists are the same.
  std::vector<std::string> subfolders;
  bool subfoldersListed = false;
  for (const std::string& mask : FMasks) {
    // Such a mask would find, and have deleted, the files of another folder.
    if (MaskNamesAnotherFolder(mask, AnsiLeadBytes())) continue;
    const bool listSubfolders = !subfoldersListed && MatchesEveryName(mask);
    SearchFiles(folder, mask, listSubfolders ? &subfolders : nullptr);
    subfoldersListed = subfoldersListed || listSubfolders;
    if (Cancelled()) break;
  }
  if (!subfoldersListed) ListSubfolders(folder, subfolders);
  for (const std::string& subfolder : subfolders) {
    if (Cancelled()) return;
    SearchFolder(subfolder);
    FFolderList.push_back(subfolder);
  }
}

void TCleanFolder::ListSubfolders(const std::string& folder,
                                  std::vector<std::string>& subfolders) const {
  if (Cancelled()) return;
  TFileSearch search(JoinPath(folder, "*.*"));
  for (bool found = search.Found(); found; found = !Cancelled() && search.Next())
    AddSubfolder(folder, search.Entry(), subfolders);
}

void TCleanFolder::SearchFiles(const std::string& folder, const std::string& mask,
                               std::vector<std::string>* subfolders) {
  TFileSearch search(JoinPath(folder, mask));
  for (bool found = search.Found(); found; found = !Cancelled() && search.Next()) {
    const TSearchRec& entry = search.Entry();
    // Joined to the folder, a name holding a separator names a file elsewhere.
    if (!IsPlainEntryName(entry.Name, AnsiLeadBytes())) continue;
    if (entry.Attr & kDirectoryAttribute) {
      if (subfolders) AddSubfolder(folder, entry, *subfolders);
      continue;
    }
    auto file = std::make_unique<TFileInfo>(folder, entry);
    SendFileFound(file->SearchRec());
    FFileList.push_back(std::move(file));
  }
}

void TCleanFolder::Clean() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  if (Cancelled()) return;
  // Taken once, from the folder itself (the typed path may hold 8.3 names), and before
  // the first message, so that nothing done while one is handled can move it. Each
  // entry is compared with it as it is deleted.
  const std::string rootFinal = FPathNotFull ? std::string() : FinalPathOfFolder(FRoot);
  TCleanObj::Clean();
  if (FPathNotFull) {
    SendPathNotFull(FFolder);
    return;
  }
  for (const auto& file : FFileList) {
    if (Cancelled()) return;
    const std::string path = JoinPath(file->Path(), file->SearchRec().Name);
    if (DeleteFoundFile(path, FinalPathBelow(rootFinal, BelowRoot(path))))
      SendFileCleaned(file->SearchRec().Size);
  }
  if (!RemoveEmptyFolder()) return;
  for (const std::string& folder : FFolderList) {
    if (Cancelled()) return;
    RemoveFolder(folder, FinalPathBelow(rootFinal, BelowRoot(folder)));
  }
}

std::string TCleanFolder::BelowRoot(const std::string& path) const {
  // The walk built every path from the root's own text, so it begins with it.
  std::size_t start = FRoot.size();
  while (start < path.size() && path[start] == '\\') ++start;
  return path.substr(start);
}

void TCleanFolder::RemoveFolder(const std::string& path, const std::string& finalPath) const {
  const DeletionResult result = RemoveFolderOrDefer(path, finalPath);
  if (result == DeletionResult::ReachedThroughLink)
    SendText(TextLevel::Failure, "Folder [" + path + "] is reached through a link: it is not removed");
  else if (result == DeletionResult::Deferred)
    SendText(TextLevel::Deferred, "Folder [" + path + "] will be deleted on reboot!");
}

std::int64_t TCleanFolder::LoadFromStream(TStream& stream) {
  std::int64_t count = TCleanObj::LoadFromStream(stream);

  std::array<std::uint8_t, plugin::kFolderPathPartSize> pathPart{};
  count += stream.Read(pathPart.data(), static_cast<std::int64_t>(pathPart.size()));
  plugin::FolderPathPart part = plugin::DecodeFolderPathPart(pathPart);
  FFolder = std::move(part.Folder);
  // Kept as read (a file may say yes with 2), so saving an unedited item writes it back.
  FRemoveEmptyFolder = part.RemoveEmptyFolder;

  std::array<std::uint8_t, plugin::kPathFieldSize> maskField{};
  count += stream.Read(maskField.data(), static_cast<std::int64_t>(maskField.size()));
  FMasks = plugin::SplitMasks(plugin::GetTextField(maskField.data(), maskField.size()));
  return count;
}

std::int64_t TCleanFolder::SaveToStream(TStream& stream) {
  std::int64_t count = TCleanObj::SaveToStream(stream);

  const auto pathPart = plugin::EncodeFolderPathPart({FFolder, FRemoveEmptyFolder});
  count += stream.Write(pathPart.data(), static_cast<std::int64_t>(pathPart.size()));

  std::array<std::uint8_t, plugin::kPathFieldSize> maskField{};
  // Whole masks only: a mask cut short could match every name.
  plugin::PutTextField(maskField.data(), maskField.size(),
                       plugin::JoinMasks(plugin::MasksThatFit(FMasks)));
  count += stream.Write(maskField.data(), static_cast<std::int64_t>(maskField.size()));
  return count;
}

void TCleanFolder::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                    int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckTargetText(overlong, itemNumber, "Folder path", FFolder, plugin::kPathFieldSize);
  plugin::CheckMaskList(overlong, itemNumber, FMasks);
}

void TCleanFolder::FitStoredTexts() {
  TCleanObj::FitStoredTexts();
  FMasks = plugin::MasksThatFit(FMasks);
}
