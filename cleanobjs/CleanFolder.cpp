#include "cleanobjs/CleanFolder.h"

#include "app/PlugInFormat.h"
#include "cleanobjs/FileDeletion.h"
#include "cleanobjs/FileSearch.h"
#include "cleanobjs/FolderPaths.h"
#include "cleanobjs/RebootDeleteList.h"
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
  SearchFolder(WithoutFinalSeparator(ExpandFolderMacros(FFolder)));
}

void TCleanFolder::SearchFolder(const std::string& folder) {
  if (Cancelled()) return;
  SendSearchPath("Searching path: " + folder);
  for (const std::string& mask : FMasks) {
    SearchFiles(folder, mask);
    if (Cancelled()) break;
  }
  TFileSearch search(JoinPath(folder, "*.*"));
  for (bool found = search.Found(); found; found = !Cancelled() && search.Next()) {
    const TSearchRec& entry = search.Entry();
    // A folder link is left alone: following it can loop forever or reach files far
    // outside the folder the user named.
    if (!IsSubfolder(entry) || IsFolderLink(entry)) continue;
    const std::string subfolder = JoinPath(folder, entry.Name);
    SearchFolder(subfolder);
    FFolderList.push_back(subfolder);
  }
}

void TCleanFolder::SearchFiles(const std::string& folder, const std::string& mask) {
  TFileSearch search(JoinPath(folder, mask));
  for (bool found = search.Found(); found; found = !Cancelled() && search.Next()) {
    const TSearchRec& entry = search.Entry();
    if (entry.Attr & kDirectoryAttribute) continue;
    auto file = std::make_unique<TFileInfo>(folder, entry);
    SendFileFound(file->SearchRec());
    FFileList.push_back(std::move(file));
  }
}

void TCleanFolder::Clean() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  if (Cancelled()) return;
  TCleanObj::Clean();
  for (const auto& file : FFileList) {
    if (Cancelled()) return;
    DeleteFoundFile(JoinPath(file->Path(), file->SearchRec().Name));
    SendFileCleaned(file->SearchRec().Size);
  }
  if (!RemoveEmptyFolder()) return;
  for (const std::string& folder : FFolderList) {
    if (Cancelled()) return;
    RemoveFolder(folder);
  }
}

void TCleanFolder::DeleteFoundFile(const std::string& path) const {
  if (DeleteFileOrDefer(path) == DeletionResult::Deferred)
    SendText(TextLevel::Deferred, "File [" + path + "] will be deleted on reboot!");
}

void TCleanFolder::RemoveFolder(const std::string& path) const {
  // Fails for a folder that still holds anything: unmatched files, deferred ones.
  if (RemoveDirectoryA(path.c_str())) return;
  AddRebootDeleteFolder(path);
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
  plugin::PutTextField(maskField.data(), maskField.size(), plugin::JoinMasks(FMasks));
  count += stream.Write(maskField.data(), static_cast<std::int64_t>(maskField.size()));
  return count;
}

void TCleanFolder::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                    int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckStoredText(overlong, itemNumber, "Folder path", FFolder, plugin::kPathFieldSize);
  plugin::CheckStoredText(overlong, itemNumber, "Masks", plugin::JoinMasks(FMasks),
                          plugin::kPathFieldSize);
}
