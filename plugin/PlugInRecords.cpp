#include "plugin/PlugInRecords.h"

#include "plugin/ItemDescription.h"

#include <array>

namespace plugin {

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> ReadBytes(TStream& stream) {
  std::array<std::uint8_t, N> bytes{};
  stream.Read(bytes.data(), static_cast<std::int64_t>(N)); // the reader checked the size
  return bytes;
}

template <std::size_t N>
void WriteBytes(std::vector<std::uint8_t>& out, const std::array<std::uint8_t, N>& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

template <std::size_t N>
std::array<std::uint8_t, N> TextField(const std::string& text) {
  std::array<std::uint8_t, N> field{};
  PutTextField(field.data(), N, text);
  return field;
}

class RecordCollector : public ItemRecordReader {
public:
  explicit RecordCollector(std::vector<ItemRecord>& items) : FItems(items) {}

  void ReadItemRecord(ItemKind kind, TStream& stream) override {
    ItemRecord record;
    const auto name = ReadBytes<kNameFieldSize>(stream);
    record.Name = GetTextField(name.data(), kNameFieldSize);
    switch (kind) {
    case ItemKind::Registry:
      record.Body = DecodeRegistryBody(ReadBytes<kRegistryBodySize>(stream));
      break;
    case ItemKind::File: {
      const auto path = ReadBytes<kFileBodySize>(stream);
      record.Body = FileBody{GetTextField(path.data(), kFileBodySize)};
      break;
    }
    case ItemKind::Folder: {
      FolderBody folder;
      folder.PathPart = DecodeFolderPathPart(ReadBytes<kFolderPathPartSize>(stream));
      const auto masks = ReadBytes<kPathFieldSize>(stream);
      folder.Masks = SplitMasks(GetTextField(masks.data(), kPathFieldSize));
      record.Body = std::move(folder);
      break;
    }
    }
    FItems.push_back(std::move(record));
  }

private:
  std::vector<ItemRecord>& FItems;
};

void CheckItemTexts(std::vector<StoredText>& overlong, int number, const ItemRecord& item) {
  CheckStoredText(overlong, number, "Item name", item.Name, kNameFieldSize);
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) {
    CheckTargetText(overlong, number, "Key path", registry->KeyPath, kKeyFieldSize);
    CheckTargetText(overlong, number, "Value name", registry->ValueName, kKeyFieldSize);
  } else if (const auto* file = std::get_if<FileBody>(&item.Body)) {
    CheckTargetText(overlong, number, "File path", file->Path, kPathFieldSize);
  } else if (const auto* folder = std::get_if<FolderBody>(&item.Body)) {
    CheckTargetText(overlong, number, "Folder path", folder->PathPart.Folder, kPathFieldSize);
    CheckMaskList(overlong, number, folder->Masks);
  }
}

void EncodeItem(std::vector<std::uint8_t>& out, const ItemRecord& item) {
  out.push_back(static_cast<std::uint8_t>(item.Kind()));
  WriteBytes(out, TextField<kNameFieldSize>(item.Name));
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) {
    WriteBytes(out, EncodeRegistryBody(*registry));
  } else if (const auto* file = std::get_if<FileBody>(&item.Body)) {
    WriteBytes(out, TextField<kFileBodySize>(file->Path));
  } else if (const auto* folder = std::get_if<FolderBody>(&item.Body)) {
    WriteBytes(out, EncodeFolderPathPart(folder->PathPart));
    WriteBytes(out, TextField<kPathFieldSize>(JoinMasks(MasksThatFit(folder->Masks))));
  }
}

} // namespace

std::string DescribeItem(const ItemRecord& item) {
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body))
    return RegistryItemDescription(registry->Kind, registry->KeyPath, registry->ValueName);
  if (const auto* file = std::get_if<FileBody>(&item.Body)) return FileItemDescription(file->Path);
  const auto& folder = std::get<FolderBody>(item.Body);
  return FolderItemDescription(folder.PathPart.Folder, folder.PathPart.RemoveEmptyFolder != 0);
}

PlugInReadResult ReadPlugInRecords(TStream& stream, PlugInRecords& records) {
  records.Items.clear();
  RecordCollector collector(records.Items);
  PlugInReadResult result = ReadPlugIn(stream, collector);
  records.Header = result.Header;
  return result;
}

std::vector<StoredText> OverlongTexts(const PlugInRecords& records) {
  std::vector<StoredText> overlong;
  CheckStoredText(overlong, 0, "Name", records.Header.Name, kNameFieldSize);
  CheckStoredText(overlong, 0, "Author", records.Header.Author, kNameFieldSize);
  int number = 1;
  for (const ItemRecord& item : records.Items) CheckItemTexts(overlong, number++, item);
  return overlong;
}

std::vector<std::uint8_t> EncodePlugIn(const PlugInRecords& records) {
  PlugInHeader header = records.Header;
  header.ItemCount = static_cast<std::int32_t>(records.Items.size());
  const auto headerBytes = EncodeHeader(header);
  std::vector<std::uint8_t> out(headerBytes.begin(), headerBytes.end());
  for (const ItemRecord& item : records.Items) EncodeItem(out, item);
  return out;
}

} // namespace plugin
