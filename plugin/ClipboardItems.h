#pragma once
// Items in the editor's own clipboard format: the bytes of a plug-in file that holds
// them, so that reading them back is the file reader, bounds checks and all.

#include "plugin/PlugInRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace plugin {

// The stored bytes of the items; empty when they would not give back the very items
// (a path too long for its field, cut, would name another place): such items go as
// text alone.
std::vector<std::uint8_t> EncodeClipboardItems(const std::vector<ItemRecord>& items);
// The items, or nothing when the bytes are not a complete plug-in.
std::optional<std::vector<ItemRecord>> DecodeClipboardItems(const std::uint8_t* bytes, std::size_t size);

} // namespace plugin
