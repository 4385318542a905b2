#include "plugin/ItemDescription.h"

namespace plugin {

// The texts are joined, not formatted: a path may hold "%" (a macro such as %WINDOWS%,
// or a literal one), which must reach the list unchanged.

std::string RegistryItemDescription(std::uint8_t kind, const std::string& keyPath,
                                    const std::string& valueName) {
  switch (kind) {
  case 0: return "Remove registry item " + valueName + " in key " + keyPath;
  case 1: return "Remove registry key " + keyPath;
  case 2: return "Remove all items in key " + keyPath;
  default:
    return "Registry item in key " + keyPath + " of unknown kind " + std::to_string(kind);
  }
}

std::string FileItemDescription(const std::string& fileName) {
  return "Delete file " + fileName;
}

std::string FolderItemDescription(const std::string& folder, bool removeEmptyFolder) {
  std::string text = "Delete files in folder " + folder;
  if (removeEmptyFolder) text += ", remove empty folders automatically";
  return text;
}

} // namespace plugin
