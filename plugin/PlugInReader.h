#pragma once
// Reads a whole plug-in file: the header, then each record's kind byte, handing the
// rest of every complete record of a known kind to an item reader. A damaged file
// keeps the complete items before the damage and says where reading stopped.

#include "plugin/PlugInFormat.h"
#include "framework/Stream.h"

#include <string>

namespace plugin {

class ItemRecordReader {
public:
  virtual ~ItemRecordReader() = default;
  // Reads the record that follows the kind byte; the stream holds at least
  // RecordSizeAfterKindByte(kind) more bytes.
  virtual void ReadItemRecord(ItemKind kind, TStream& stream) = 0;
};

enum class ReadOutcome {
  NotAPlugIn,      // fewer than four bytes, or not "PIPJ": nothing is used
  Complete,        // every counted item read (none for a count of 0 or less)
  HeaderTruncated, // "PIPJ" but the file ends inside the header: nothing is used
  RecordTruncated, // the file ends inside item number ItemsRead + 1
  UnknownKind,     // item number ItemsRead + 1 has a kind byte other than 0, 1, 2
};

struct PlugInReadResult {
  ReadOutcome Outcome = ReadOutcome::NotAPlugIn;
  PlugInHeader Header;          // valid unless NotAPlugIn or HeaderTruncated
  std::int32_t ItemsRead = 0;
  std::uint8_t UnknownKindByte = 0; // for UnknownKind
};

PlugInReadResult ReadPlugIn(TStream& stream, ItemRecordReader& items);

// True for the outcomes that the user must be told about.
bool IsDamaged(ReadOutcome outcome);

// Where reading a damaged file stopped, ending in ".": "it ends inside item 3.".
std::string DamageText(const PlugInReadResult& result);

// The warning shown for a damaged file: which file, where reading stopped, how many
// of how many items were read, and that the plug-in is now untitled so that saving
// cannot write the shorter plug-in over the damaged file.
std::string DamagedPlugInMessage(const std::string& path, const PlugInReadResult& result);

} // namespace plugin
