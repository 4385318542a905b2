#pragma once
// The steps of the preview command that the clean command takes too: the folder table
// for the run, and the plug-in read, collected and shown as its table.

#include "ppj/PreviewRun.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plugin {

// The system folder table the items expand their macros with, for the run's length,
// unless the process has one already.
struct FolderTable {
  FolderTable();
  ~FolderTable();
  FolderTable(const FolderTable&) = delete;
  FolderTable& operator=(const FolderTable&) = delete;
  const bool Made;
};

// A plug-in read with the editor's reader into its items, and collected item by item.
struct CollectedPlugIn {
  std::vector<std::unique_ptr<TCleanObj>> Items;
  PreviewResult Result;
  bool Damaged = false; // only the items before the damage were read
};
// The figures of all the items together.
ItemFigures TotalFigures(const PreviewResult& result);
// A text as one field of a CSV line: in quotes, each quote doubled.
std::string CsvField(const std::string& text);

// What `preview` shows: reads the plug-in, collects it, writes each item's failures
// to `err` and the table with its totals to `out`. Nothing when the file cannot be
// read or is no plug-in, which `err` then says. Needs a FolderTable.
std::optional<CollectedPlugIn> CollectAndPrint(const std::string& input, bool listFound,
                                               std::ostream& out, std::ostream& err);

} // namespace plugin
