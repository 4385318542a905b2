#pragma once
// The folder clean item: the files of a folder tree that match a list of masks.

#include "cleanobjs/CleanObjs.h"

class TCleanFolder : public TCleanObj {
public:
  TCleanFolder(std::string name, std::string folder, bool removeEmptyFolder);

  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;

  const std::string& Folder() const { return FFolder; }
  void SetFolder(std::string folder) { FFolder = std::move(folder); }
  bool RemoveEmptyFolder() const { return FRemoveEmptyFolder != 0; }
  // The flag as stored: a file may hold any non-zero value for yes, which is kept.
  std::uint8_t RemoveEmptyFolderByte() const { return FRemoveEmptyFolder; }
  void SetRemoveEmptyFolder(bool remove) { FRemoveEmptyFolder = remove ? 1 : 0; }
  std::vector<std::string>& Masks() { return FMasks; }
  const std::vector<std::string>& Masks() const { return FMasks; }

private:
  std::string FFolder;
  std::vector<std::string> FMasks;
  std::uint8_t FRemoveEmptyFolder;
};
