#include "cleanobjs/FileDeletion.h"

#include "cleanobjs/FileSearch.h"
#include "cleanobjs/RebootDeleteList.h"

DeletionResult DeleteFileOrDefer(const std::string& path) {
  if (!FileExists(path)) return DeletionResult::NoSuchFile;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  if (DeleteFileA(path.c_str())) return DeletionResult::Deleted;
  AddRebootDeleteFile(path);
  return DeletionResult::Deferred;
}
