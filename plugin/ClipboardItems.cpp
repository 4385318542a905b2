#include "plugin/ClipboardItems.h"

#include "framework/Stream.h"

namespace plugin {

std::vector<std::uint8_t> EncodeClipboardItems(const std::vector<ItemRecord>& items) {
  const PlugInRecords records{PlugInHeader{}, items};
  if (!RefusedTexts(OverlongTexts(records)).empty()) return {};
  return EncodePlugIn(records);
}

std::optional<std::vector<ItemRecord>> DecodeClipboardItems(const std::uint8_t* bytes, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(bytes, bytes + size));
  PlugInRecords records;
  if (ReadPlugInRecords(stream, records).Outcome != ReadOutcome::Complete) return std::nullopt;
  return std::move(records.Items);
}

} // namespace plugin
