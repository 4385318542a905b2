#include "cleanobjs/FileInfo.h"

void TFileInfo::Assign(const TPersistent& source) {
  if (const auto* info = dynamic_cast<const TFileInfo*>(&source)) {
    FPath = info->FPath;
    FSearchRec = info->FSearchRec;
  }
}

void TFileInfo::Clear() {
  FPath.clear();
  FSearchRec = TSearchRec{};
}
