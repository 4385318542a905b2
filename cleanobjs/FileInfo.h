#pragma once
// One found file: the folder that holds it and its directory entry as found.

#include "cleanobjs/CleanMessages.h"
#include "framework/Persistent.h"

#include <string>

class TFileInfo : public TPersistent {
public:
  TFileInfo() = default;
  TFileInfo(std::string path, const TSearchRec& searchRec) : FPath(std::move(path)), FSearchRec(searchRec) {}

  // Copies another TFileInfo whole; any other object is ignored.
  void Assign(const TPersistent& source) override;
  const char* ClassName() const override { return "TFileInfo"; }

  void SetPath(std::string path) { FPath = std::move(path); }
  void SetSearchRec(const TSearchRec& searchRec) { FSearchRec = searchRec; }
  const std::string& Path() const { return FPath; }
  const TSearchRec& SearchRec() const { return FSearchRec; }
  // Back to nothing found.
  void Clear();

private:
  std::string FPath;
  TSearchRec FSearchRec;
};
