#pragma once
// Plug-in item records for the tests, one call a kind.

#include "plugin/PlugInRecords.h"

namespace plugin {

inline ItemRecord Registry(std::uint32_t root, std::uint8_t kind, std::string key,
                           std::string value = {}) {
  return ItemRecord{"reg", RegistryBody{root, std::move(key), std::move(value), kind}};
}

inline ItemRecord File(std::string path) { return ItemRecord{"file", FileBody{std::move(path)}}; }

inline ItemRecord Folder(std::string path, std::vector<std::string> masks,
                         std::uint8_t removeEmpty = 0) {
  return ItemRecord{"folder",
                    FolderBody{FolderPathPart{std::move(path), removeEmpty}, std::move(masks)}};
}

} // namespace plugin
