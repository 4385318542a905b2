// Feeds arbitrary bytes to the plug-in reader. Every record it hands over is decoded
// with the field codecs, written back and decoded again; any difference aborts. The
// same bytes then go through the JSON form: read, dumped, built with shortening and
// read again, they must give the items the editor's save would have written.

#include "plugin/PlugInReader.h"
#include "plugin/JsonForm.h"
#include "plugin/PlugInRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace plugin;

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "plug-in round trip failed: %s\n", what);
  std::abort();
}

template <std::size_t N>
std::array<std::uint8_t, N> ReadArray(TStream& stream) {
  std::array<std::uint8_t, N> bytes{};
  Check(stream.Read(bytes.data(), N) == static_cast<std::int64_t>(N), "reader gave a short record");
  return bytes;
}

// What a writer can store of a text that was read: a field holds width - 1 characters.
std::string Stored(const std::string& text, std::size_t width) { return text.substr(0, width - 1); }

std::string RoundTripText(const std::string& text, std::size_t width) {
  std::vector<std::uint8_t> field(width + 1, 0xA5); // one sentinel byte after the field
  PutTextField(field.data(), width, text);
  Check(field[width] == 0xA5, "text written past its field");
  return GetTextField(field.data(), width);
}

void CheckText(const std::string& text, std::size_t width, const char* what) {
  Check(text.size() <= width, what);
  Check(RoundTripText(text, width) == Stored(text, width), what);
}

void CheckRegistry(const std::array<std::uint8_t, kRegistryBodySize>& bytes) {
  const RegistryBody body = DecodeRegistryBody(bytes);
  const RegistryBody again = DecodeRegistryBody(EncodeRegistryBody(body));
  Check(again.RootKey == body.RootKey, "root key");
  Check(again.Kind == body.Kind, "registry kind");
  Check(again.KeyPath == Stored(body.KeyPath, kKeyFieldSize), "key path");
  Check(again.ValueName == Stored(body.ValueName, kKeyFieldSize), "value name");
}

void CheckFolder(const std::array<std::uint8_t, kFolderPathPartSize>& pathBytes,
                 const std::array<std::uint8_t, kPathFieldSize>& maskBytes) {
  const FolderPathPart part = DecodeFolderPathPart(pathBytes);
  const FolderPathPart again = DecodeFolderPathPart(EncodeFolderPathPart(part));
  Check(again.RemoveEmptyFolder == part.RemoveEmptyFolder, "folder flag");
  Check(again.Folder == Stored(part.Folder, kPathFieldSize), "folder path");

  const std::vector<std::string> masks = SplitMasks(GetTextField(maskBytes.data(), kPathFieldSize));
  const std::string joined = JoinMasks(masks);
  Check(SplitMasks(joined) == masks, "masks joined and split again");
  // Joining may lengthen the text (a lone CR becomes CR LF); only a text that fits
  // its field can come back whole from the file.
  if (FitsTextField(joined, kPathFieldSize))
    Check(SplitMasks(RoundTripText(joined, kPathFieldSize)) == masks, "mask field");
}

class CheckingReader : public ItemRecordReader {
public:
  void ReadItemRecord(ItemKind kind, TStream& stream) override {
    const std::int64_t start = stream.Position();
    const auto name = ReadArray<kNameFieldSize>(stream);
    CheckText(GetTextField(name.data(), kNameFieldSize), kNameFieldSize, "item name");
    switch (kind) {
    case ItemKind::Registry: CheckRegistry(ReadArray<kRegistryBodySize>(stream)); break;
    case ItemKind::File: {
      const auto path = ReadArray<kFileBodySize>(stream);
      CheckText(GetTextField(path.data(), kFileBodySize), kFileBodySize, "file path");
      break;
    }
    case ItemKind::Folder: {
      const auto pathPart = ReadArray<kFolderPathPartSize>(stream);
      CheckFolder(pathPart, ReadArray<kPathFieldSize>(stream));
      break;
    }
    }
    Check(stream.Position() - start == static_cast<std::int64_t>(RecordSizeAfterKindByte(kind)),
          "record size");
    ++Records;
  }
  std::int32_t Records = 0;
};

void CheckHeader(const PlugInHeader& header) {
  const PlugInHeader again = DecodeHeader(EncodeHeader(header));
  Check(again.Name == Stored(header.Name, kNameFieldSize), "plug-in name");
  Check(again.Author == Stored(header.Author, kNameFieldSize), "author");
  Check(again.ItemCount == header.ItemCount, "item count");
  // Compared as bits: the time may be any double, a NaN included.
  Check(std::memcmp(&again.Time, &header.Time, sizeof(double)) == 0, "time");
}

// What the editor's save stores of a record it read: every text cut to its field,
// the masks joined with CR LF, cut, and split again when read back.
ItemRecord AsSaved(const ItemRecord& item) {
  ItemRecord saved{Stored(item.Name, kNameFieldSize), item.Body};
  if (auto* registry = std::get_if<RegistryBody>(&saved.Body)) {
    registry->KeyPath = Stored(registry->KeyPath, kKeyFieldSize);
    registry->ValueName = Stored(registry->ValueName, kKeyFieldSize);
  } else if (auto* file = std::get_if<FileBody>(&saved.Body)) {
    file->Path = Stored(file->Path, kPathFieldSize);
  } else if (auto* folder = std::get_if<FolderBody>(&saved.Body)) {
    folder->PathPart.Folder = Stored(folder->PathPart.Folder, kPathFieldSize);
    folder->Masks = SplitMasks(Stored(JoinMasks(folder->Masks), kPathFieldSize));
  }
  return saved;
}

bool SameRecord(const ItemRecord& a, const ItemRecord& b) {
  if (a.Name != b.Name || a.Kind() != b.Kind()) return false;
  if (const auto* registry = std::get_if<RegistryBody>(&a.Body)) {
    const auto& other = std::get<RegistryBody>(b.Body);
    return registry->RootKey == other.RootKey && registry->Kind == other.Kind &&
           registry->KeyPath == other.KeyPath && registry->ValueName == other.ValueName;
  }
  if (const auto* file = std::get_if<FileBody>(&a.Body)) return file->Path == std::get<FileBody>(b.Body).Path;
  const auto& folder = std::get<FolderBody>(a.Body);
  const auto& other = std::get<FolderBody>(b.Body);
  return folder.PathPart.Folder == other.PathPart.Folder &&
         folder.PathPart.RemoveEmptyFolder == other.PathPart.RemoveEmptyFolder &&
         folder.Masks == other.Masks;
}

void CheckTextForm(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  PlugInRecords records;
  const ReadOutcome outcome = ReadPlugInRecords(stream, records).Outcome;
  if (outcome == ReadOutcome::NotAPlugIn || outcome == ReadOutcome::HeaderTruncated) return;

  TMemoryStream built(EncodePlugIn(PlugInFromJson(PlugInToJson(records))));
  PlugInRecords again;
  Check(ReadPlugInRecords(built, again).Outcome == ReadOutcome::Complete, "built file incomplete");
  Check(built.Position() == built.Size(), "bytes after the last built item");
  Check(again.Header.Name == Stored(records.Header.Name, kNameFieldSize), "built plug-in name");
  Check(again.Header.Author == Stored(records.Header.Author, kNameFieldSize), "built author");
  Check(std::memcmp(&again.Header.Time, &records.Header.Time, sizeof(double)) == 0, "built time");
  Check(again.Items.size() == records.Items.size(), "built item count");
  for (std::size_t i = 0; i < again.Items.size(); ++i)
    Check(SameRecord(again.Items[i], AsSaved(records.Items[i])), "built item differs from the saved one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  CheckingReader items;
  const PlugInReadResult result = ReadPlugIn(stream, items);
  Check(result.ItemsRead == items.Records, "items counted");
  const bool hasHeader =
      result.Outcome != ReadOutcome::NotAPlugIn && result.Outcome != ReadOutcome::HeaderTruncated;
  if (!hasHeader) Check(result.ItemsRead == 0, "items without a header");
  if (hasHeader) {
    CheckHeader(result.Header);
    // A count of 0 or less reads nothing.
    Check(result.ItemsRead <= std::max(result.Header.ItemCount, 0), "more items than counted");
    if (result.Outcome == ReadOutcome::Complete)
      Check(result.ItemsRead == std::max(result.Header.ItemCount, 0), "complete but items missing");
  }
  if (IsDamaged(result.Outcome)) Check(!DamagedPlugInMessage("f.ppj", result).empty(), "message");
  CheckTextForm(data, size);
  return 0;
}
