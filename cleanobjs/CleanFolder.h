#pragma once
// The folder clean item: the files of a folder tree that match a list of masks.

#include "cleanobjs/CleanObjs.h"
#include "cleanobjs/FileInfo.h"

#include <memory>

class TCleanFolder : public TCleanObj {
public:
  TCleanFolder(std::string name, std::string folder, bool removeEmptyFolder);

  // The sum of the sizes of the files that the last collection found.
  std::int64_t GetSize() override;
  // Walks the expanded folder's tree depth-first, reporting each folder before its
  // files and remembering the matching files and the subfolders.
  void CollectInfo() override;
  // Deletes the remembered files (or leaves them for the restart), then, when asked,
  // removes the subfolders deepest first. The item's own folder always stays, and
  // nothing reached through a link is touched: each entry is checked as it goes.
  void Clean() override;

  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;
  void FitStoredTexts() override;

  const std::string& Folder() const { return FFolder; }
  void SetFolder(std::string folder) { FFolder = std::move(folder); }
  bool RemoveEmptyFolder() const { return FRemoveEmptyFolder != 0; }
  // The flag as stored: a file may hold any non-zero value for yes, which is kept.
  std::uint8_t RemoveEmptyFolderByte() const { return FRemoveEmptyFolder; }
  void SetRemoveEmptyFolder(bool remove) { FRemoveEmptyFolder = remove ? 1 : 0; }
  void SetRemoveEmptyFolderByte(std::uint8_t stored) { FRemoveEmptyFolder = stored; }
  std::vector<std::string>& Masks() { return FMasks; }
  const std::vector<std::string>& Masks() const { return FMasks; }

  // The files found by the last collection, in the order found.
  const TFileInfo& Files(int index) const { return *FFileList.at(static_cast<std::size_t>(index)); }
  int FileCount() const { return static_cast<int>(FFileList.size()); }
  void ClearFileList() { FFileList.clear(); }
  // The subfolders found, each after all of its own subfolders.
  const std::vector<std::string>& FolderList() const { return FFolderList; }

  // The two steps of the walk: a folder's files mask by mask, then its subfolders.
  void SearchFolder(const std::string& folder);
  // Records and reports the files of `folder` that match `mask`; with `subfolders`,
  // also appends the subfolders that the search finds.
  void SearchFiles(const std::string& folder, const std::string& mask,
                   std::vector<std::string>* subfolders = nullptr);

private:
  // Appends the subfolders of `folder`, folder links left out, in listing order.
  void ListSubfolders(const std::string& folder, std::vector<std::string>& subfolders) const;
  // A path the walk recorded, relative to the folder it walked; empty for that folder.
  std::string BelowRoot(const std::string& path) const;
  // Removes the folder at `path` only when its final path is `finalPath`, and says
  // what became of it.
  void RemoveFolder(const std::string& path, const std::string& finalPath) const;

  std::vector<std::unique_ptr<TFileInfo>> FFileList;
  std::string FFolder;
  std::vector<std::string> FFolderList;
  std::vector<std::string> FMasks;
  std::uint8_t FRemoveEmptyFolder;
  // The last collection refused the path: the clean refuses it too.
  bool FPathNotFull = false;
  // The folder the last collection walked, macros expanded.
  std::string FRoot;
};
