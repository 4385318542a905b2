#include "app/PlugInFile.h"

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/FileStream.h"
#include "framework/SysError.h"

#include <vector>

plugin::ItemKind KindOfItem(const TCleanObj& item) {
  if (dynamic_cast<const TCleanRegistry*>(&item) != nullptr) return plugin::ItemKind::Registry;
  if (dynamic_cast<const TCleanFile*>(&item) != nullptr) return plugin::ItemKind::File;
  return plugin::ItemKind::Folder;
}

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

// Deletes the file when it goes, unless it has been moved away by then.
struct TemporaryFile {
  std::string Path;
  ~TemporaryFile() {
    if (!Path.empty()) DeleteFileA(Path.c_str()); // fails harmlessly once moved
  }
};

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
  // The plug-in is written to a new file beside the target and moved over it only when
  // complete, so a failed save leaves the old file as it was. Every failure names the
  // target, and the new file goes on every path but success.
  TemporaryFile temporary; // goes after the stream, which it outlives
  DWORD failure = ERROR_WRITE_FAULT;
  std::optional<TFileStream> stream =
      TFileStream::CreateBeside(path, "vnx", temporary.Path, failure);
  if (!stream) throw ECommandError(CreateErrorText(path, failure));

  std::int64_t expected = static_cast<std::int64_t>(plugin::kHeaderSize);
  for (TCleanObj* item : items)
    expected += 1 + static_cast<std::int64_t>(plugin::RecordSizeAfterKindByte(KindOfItem(*item)));
  WritePlugInItems(*stream, header, items);
  bool written = stream->Size() == expected;
  if (!written) failure = GetLastError() != 0 ? GetLastError() : ERROR_DISK_FULL;
  if (!stream->Close() && written) {
    written = false;
    failure = GetLastError();
  }
  stream.reset();
  if (written &&
      MoveFileExA(temporary.Path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return;
  if (written) failure = GetLastError();
  throw ECommandError(CreateErrorText(path, failure));
}
