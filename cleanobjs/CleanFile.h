#pragma once
// The file clean item: one path, which may hold system folder macros.

#include "cleanobjs/CleanObjs.h"

class TCleanFile : public TCleanObj {
public:
  TCleanFile(std::string name, std::string fileName);

  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(std::string fileName) { FFileName = std::move(fileName); }

private:
  std::string FFileName;
};
