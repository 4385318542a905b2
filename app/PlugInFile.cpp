#include "app/PlugInFile.h"

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/FileReplacement.h"
#include "framework/FileStream.h"
#include "framework/SysError.h"

#include <vector>

plugin::ItemKind KindOfItem(const TCleanObj& item) {
  if (dynamic_cast<const TCleanRegistry*>(&item) != nullptr) return plugin::ItemKind::Registry;
  if (dynamic_cast<const TCleanFile*>(&item) != nullptr) return plugin::ItemKind::File;
  return plugin::ItemKind::Folder;
}

plugin::ItemRecord RecordOfItem(const TCleanObj& item) {
  plugin::ItemRecord record{item.Name(), plugin::FileBody{}};
  if (const auto* registry = dynamic_cast<const TCleanRegistry*>(&item)) {
    record.Body = plugin::RegistryBody{registry->RootKey(), registry->KeyPath(),
                                       registry->ValueName(), registry->Kind()};
  } else if (const auto* file = dynamic_cast<const TCleanFile*>(&item)) {
    record.Body = plugin::FileBody{file->FileName()};
  } else {
    const auto& folder = dynamic_cast<const TCleanFolder&>(item);
    record.Body = plugin::FolderBody{{folder.Folder(), folder.RemoveEmptyFolderByte()}, folder.Masks()};
  }
  return record;
}

std::unique_ptr<TCleanObj> ItemOfRecord(const plugin::ItemRecord& record) {
  if (const auto* registry = std::get_if<plugin::RegistryBody>(&record.Body))
    return std::make_unique<TCleanRegistry>(record.Name, registry->RootKey, registry->Kind,
                                            registry->KeyPath, registry->ValueName);
  if (const auto* file = std::get_if<plugin::FileBody>(&record.Body))
    return std::make_unique<TCleanFile>(record.Name, file->Path);
  const auto& body = std::get<plugin::FolderBody>(record.Body);
  auto folder = std::make_unique<TCleanFolder>(record.Name, body.PathPart.Folder, false);
  folder->SetRemoveEmptyFolderByte(body.PathPart.RemoveEmptyFolder);
  folder->Masks() = body.Masks;
  return folder;
}

plugin::PlugInRecords RecordsOfPlugIn(const plugin::PlugInHeader& header,
                                      const std::vector<TCleanObj*>& items) {
  plugin::PlugInRecords records{header, {}};
  records.Items.reserve(items.size());
  for (const TCleanObj* item : items) records.Items.push_back(RecordOfItem(*item));
  return records;
}

std::string DescribeItem(const TCleanObj& item) { return plugin::DescribeItem(RecordOfItem(item)); }

namespace {

// A fresh item of the kind, as the reader makes it before its record is read.
std::unique_ptr<TCleanObj> MakeEmptyItem(plugin::ItemKind kind) {
  switch (kind) {
  case plugin::ItemKind::Registry:
    return std::make_unique<TCleanRegistry>("", 0, kRegistryWholeKey, "", "");
  case plugin::ItemKind::File:
    return std::make_unique<TCleanFile>("", "");
  case plugin::ItemKind::Folder:
    break;
  }
  return std::make_unique<TCleanFolder>("", "", false);
}

class ItemMaker : public plugin::ItemRecordReader {
public:
  explicit ItemMaker(const std::function<void(std::unique_ptr<TCleanObj>)>& append)
      : FAppend(append) {}
  void ReadItemRecord(plugin::ItemKind kind, TStream& stream) override {
    std::unique_ptr<TCleanObj> item = MakeEmptyItem(kind);
    item->LoadFromStream(stream);
    FAppend(std::move(item));
  }

private:
  const std::function<void(std::unique_ptr<TCleanObj>)>& FAppend;
};

std::string CreateErrorText(const std::string& path, DWORD code) {
  return "Cannot create file \"" + ExpandFileName(path) + "\". " + SysErrorMessage(code);
}

} // namespace

plugin::PlugInReadResult ReadPlugInItems(
    TStream& stream, const std::function<void(std::unique_ptr<TCleanObj>)>& append) {
  ItemMaker maker(append);
  return plugin::ReadPlugIn(stream, maker);
}

void WritePlugInItems(TStream& stream, const plugin::PlugInHeader& header,
                      const std::vector<TCleanObj*>& items) {
  const auto headerBytes = plugin::EncodeHeader(header);
  stream.Write(headerBytes.data(), static_cast<std::int64_t>(headerBytes.size()));
  for (TCleanObj* item : items) {
    const auto kind = static_cast<std::uint8_t>(KindOfItem(*item));
    stream.Write(&kind, 1);
    item->SaveToStream(stream);
  }
}

void SavePlugInFile(const std::string& path, const plugin::PlugInHeader& header,
                    const std::vector<TCleanObj*>& items) {
  // A failed save leaves the old file as it was, and every failure names the target.
  std::int64_t expected = static_cast<std::int64_t>(plugin::kHeaderSize);
  for (TCleanObj* item : items)
    expected += 1 + static_cast<std::int64_t>(plugin::RecordSizeAfterKindByte(KindOfItem(*item)));
  const DWORD failure = ReplaceFileWhole(
      path, "vnx", expected, [&](TStream& stream) { WritePlugInItems(stream, header, items); });
  if (failure != ERROR_SUCCESS) throw ECommandError(CreateErrorText(path, failure));
}
