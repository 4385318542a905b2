#pragma once
// The description column of the main window's item list, from an item's stored
// fields. Texts are put in unchanged: macros stay unexpanded, no root key is shown.

#include <cstdint>
#include <string>

namespace plugin {

// Registry kind 0 (one value), 1 (whole key), 2 (all values); any other kind byte,
// as a damaged or foreign file may hold, gives a text naming the key and the kind.
std::string RegistryItemDescription(std::uint8_t kind, const std::string& keyPath,
                                    const std::string& valueName);
std::string FileItemDescription(const std::string& fileName);
std::string FolderItemDescription(const std::string& folder, bool removeEmptyFolder);

} // namespace plugin
