#pragma once
// A plug-in as one winapp2.ini entry, never reaching more than its items: an item that
// no rule states exactly or more narrowly is left out and said so.

#include "plugin/PlugInRecords.h"
#include "ppj/CodePage.h"

#include <string>
#include <vector>

namespace plugin {

// What export changed or left out: of item ItemNumber (1-based), or of the plug-in's
// own name and author (0).
struct ExportNote {
  int ItemNumber = 0;
  bool LeftOut = true; // false: the item went into the entry, changed as Reason says
  std::string Reason;  // UTF-8
};

struct ExportedEntry {
  std::string Ini; // UTF-8, lines ending in CR LF; empty when no item could be exported
  std::vector<ExportNote> Notes; // in item order
  int ItemsExported = 0;
  int ItemsLeftOut = 0;
};

// The plug-in's texts are bytes of `codePage`.
ExportedEntry ExportEntry(const PlugInRecords& records, const CodePage& codePage);

} // namespace plugin
