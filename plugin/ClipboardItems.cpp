#include "plugin/ClipboardItems.h"

#include "framework/Stream.h"

namespace plugin {

std::vector<std::uint8_t> EncodeClipboardItems(const std::vector<ItemRecord>& items) {
  std::vector<std::uint8_t> image = EncodePlugIn(PlugInRecords{PlugInHeader{}, items});
  // Read back and compared: the bytes go only when they give back the very items, so
  // that no cut path, key, name or mask list, and no text cut at a NUL, is pasted.
  const std::optional<std::vector<ItemRecord>> back = DecodeClipboardItems(image.data(), image.size());
  if (!back || *back != items) return {};
  return image;
}

std::optional<std::vector<ItemRecord>> DecodeClipboardItems(const std::uint8_t* bytes, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(bytes, bytes + size));
  PlugInRecords records;
  if (ReadPlugInRecords(stream, records).Outcome != ReadOutcome::Complete) return std::nullopt;
  return std::move(records.Items);
}

} // namespace plugin
