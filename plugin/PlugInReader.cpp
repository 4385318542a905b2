#include "plugin/PlugInReader.h"

namespace plugin {

namespace {

// Reads the counted records. Every pass either consumes a whole record or stops, so
// a count far beyond the data ends at the end of the file without allocating for it.
void ReadItems(TStream& stream, ItemRecordReader& items, PlugInReadResult& result) {
  for (std::int32_t i = 0; i < result.Header.ItemCount; ++i) {
    std::uint8_t kindByte = 0;
    if (stream.Read(&kindByte, 1) != 1) {
      result.Outcome = ReadOutcome::RecordTruncated;
      return;
    }
    // Records carry no length, so nothing after an unknown kind can be found again.
    if (!IsKnownItemKind(kindByte)) {
      result.Outcome = ReadOutcome::UnknownKind;
      result.UnknownKindByte = kindByte;
      return;
    }
    const auto kind = static_cast<ItemKind>(kindByte);
    if (stream.Remaining() < static_cast<std::int64_t>(RecordSizeAfterKindByte(kind))) {
      result.Outcome = ReadOutcome::RecordTruncated;
      return;
    }
    items.ReadItemRecord(kind, stream);
    ++result.ItemsRead;
  }
  result.Outcome = ReadOutcome::Complete;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ItemsReadText(const PlugInReadResult& result) {
  // Without a header the count is unknown; with none read "0 of N" says nothing more.
  if (result.Outcome == ReadOutcome::HeaderTruncated || result.ItemsRead == 0)
    return "No items could be read.";
  return "Only " + std::to_string(result.ItemsRead) + " of " +
         std::to_string(result.Header.ItemCount) + " items could be read.";
}

} // namespace

PlugInReadResult ReadPlugIn(TStream& stream, ItemRecordReader& items) {
  PlugInReadResult result;
  std::array<std::uint8_t, kHeaderSize> bytes{};
  const std::int64_t got = stream.Read(bytes.data(), kHeaderSize);
  if (got <= 0 || !HasPlugInMagic(bytes.data(), static_cast<std::size_t>(got))) {
    result.Outcome = ReadOutcome::NotAPlugIn;
    return result;
  }
  if (got < static_cast<std::int64_t>(kHeaderSize)) {
    result.Outcome = ReadOutcome::HeaderTruncated;
    return result;
  }
  result.Header = DecodeHeader(bytes);
  ReadItems(stream, items, result);
  return result;
}

std::string DamageText(const PlugInReadResult& result) {
  const std::string item = "item " + std::to_string(result.ItemsRead + 1);
  switch (result.Outcome) {
  case ReadOutcome::HeaderTruncated: return "it ends inside its header.";
  case ReadOutcome::RecordTruncated: return "it ends inside " + item + ".";
  case ReadOutcome::UnknownKind:
    return item + " has the unknown kind " + std::to_string(result.UnknownKindByte) + ".";
  default: return {};
  }
}

bool IsDamaged(ReadOutcome outcome) {
  return outcome == ReadOutcome::HeaderTruncated || outcome == ReadOutcome::RecordTruncated ||
         outcome == ReadOutcome::UnknownKind;
}

std::string DamagedPlugInMessage(const std::string& path, const PlugInReadResult& result) {
  if (!IsDamaged(result.Outcome)) return {};
  return "The plug-in file " + Quoted(path) + " is damaged: " + DamageText(result) + "\n\n" +
         ItemsReadText(result) + "\n\n" +
         "The plug-in is shown as a new, unsaved plug-in, so that saving it cannot replace "
         "the damaged file. Use Save As to store what could be read.";
}

} // namespace plugin
