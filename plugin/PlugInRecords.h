#pragma once
// A whole plug-in as plain records: the header and every item's stored fields, read
// and written with the same codecs as the editor's items, and nothing else. The
// records need no operating system, so that the text form, the checks and the fuzzer
// run anywhere.

#include "plugin/PlugInReader.h"
#include "cleanobjs/TextLimits.h"

#include <string>
#include <variant>
#include <vector>

namespace plugin {

// Equal records store the same bytes.
struct FileBody {
  std::string Path;

  friend bool operator==(const FileBody&, const FileBody&) = default;
};

struct FolderBody {
  FolderPathPart PathPart;
  std::vector<std::string> Masks; // as the editor splits the stored mask text

  friend bool operator==(const FolderBody&, const FolderBody&) = default;
};

struct ItemRecord {
  std::string Name;
  std::variant<RegistryBody, FileBody, FolderBody> Body;

  ItemKind Kind() const { return static_cast<ItemKind>(Body.index()); }

  friend bool operator==(const ItemRecord&, const ItemRecord&) = default;
};

struct PlugInRecords {
  PlugInHeader Header; // its ItemCount is what the file said; writing counts Items
  std::vector<ItemRecord> Items;
};

// Reads what the editor's Open reads: the header and the complete items before any
// damage. The outcome says whether, and where, the file is damaged.
PlugInReadResult ReadPlugInRecords(TStream& stream, PlugInRecords& records);

// The item's description, as the editor's list shows it.
std::string DescribeItem(const ItemRecord& item);

// The texts that do not fit their fields, named as the editor's save names them.
std::vector<StoredText> OverlongTexts(const PlugInRecords& records);

// The bytes the editor's Save writes for these records: the header with the number
// of items, then each record. Names that do not fit are cut and masks that do not
// fit are left out whole; a caller refuses overlong paths and keys first.
std::vector<std::uint8_t> EncodePlugIn(const PlugInRecords& records);

} // namespace plugin
