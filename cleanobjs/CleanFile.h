#pragma once
// The file clean item: one path, which may hold system folder macros.

#include "cleanobjs/CleanObjs.h"
#include "cleanobjs/FileInfo.h"

class TCleanFile : public TCleanObj {
public:
  TCleanFile(std::string name, std::string fileName);

  // The size of what the last collection found; 0 when it found nothing.
  std::int64_t GetSize() override;
  // Finds the first entry that matches the expanded path, folders and hidden,
  // system and read-only entries included, and reports it.
  void CollectInfo() override;
  // Deletes the file found by the last collection, or leaves it for the restart
  // when it cannot be deleted now; a found folder is left alone, and so is a file
  // that is no longer right inside the folder it was found in (a link on the way).
  void Clean() override;

  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;

  const TFileInfo& FileInfo() const { return FFileInfo; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(std::string fileName) { FFileName = std::move(fileName); }

private:
  TFileInfo FFileInfo;
  std::string FFileName;
  // The last collection refused the path: the clean refuses it too.
  bool FPathNotFull = false;
};
