#include "ppj/PreviewCommand.h"

#include "app/PlugInFile.h"
#include "cleanobjs/FolderPaths.h"
#include "ppj/FileOutput.h"
#include "ppj/PreviewSteps.h"
#include "ppj/TextCommands.h"
#include "preview/KiloBytes.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <io.h>

#include <cstdio>
#include <memory>
#include <ostream>

namespace plugin {

namespace {

// How often the progress line is written at most.
constexpr ULONGLONG kProgressMilliseconds = 200;

// The progress line on standard error, only when that is a terminal: redirected, it
// would fill a log with lines nobody reads.
class ProgressLine {
public:
  explicit ProgressLine(int itemCount)
      : FItemCount(itemCount), FShown(_isatty(_fileno(stderr)) != 0) {}
  ~ProgressLine() {
    if (FWritten) std::fprintf(stderr, "\r%*s\r", 79, "");
  }

  void Update(int itemNumber, const ItemFigures& soFar) {
    if (!FShown) return;
    const ULONGLONG now = GetTickCount64();
    if (FWritten && now - FLast < kProgressMilliseconds) return;
    FLast = now;
    FWritten = true;
    std::fprintf(stderr, "\rItem %d of %d: %lld files, %s KB; %lld values, %s KB ", itemNumber,
                 FItemCount, static_cast<long long>(soFar.Files),
                 FormatKiloBytes(soFar.FileBytes).c_str(), static_cast<long long>(soFar.Values),
                 FormatKiloBytes(soFar.ValueBytes).c_str());
    std::fflush(stderr);
  }

private:
  int FItemCount;
  bool FShown;
  bool FWritten = false;
  ULONGLONG FLast = 0;
};


std::string Row(const std::string& item, const std::string& files, const std::string& fileKb,
                const std::string& values, const std::string& valueKb, const std::string& text) {
  char row[96];
  std::snprintf(row, sizeof row, "%6s %9s %12s %9s %12s  ", item.c_str(), files.c_str(),
                fileKb.c_str(), values.c_str(), valueKb.c_str());
  return row + text + "\n";
}

void PrintFigures(const std::vector<std::unique_ptr<TCleanObj>>& items,
                  const PreviewResult& result, std::ostream& out) {
  out << Row("Item", "Files", "File KB", "Values", "Value KB", "Description");
  for (std::size_t i = 0; i < result.Items.size(); ++i) {
    const ItemFigures& item = result.Items[i];
    out << Row(std::to_string(i + 1), std::to_string(item.Files), FormatKiloBytes(item.FileBytes),
               std::to_string(item.Values), FormatKiloBytes(item.ValueBytes),
               ::DescribeItem(*items[i]));
  }
  const ItemFigures total = TotalFigures(result);
  // The labels and the figures of the editor's preview window.
  out << "\n"
      << "Total file size: " << FormatKiloBytes(total.FileBytes) << "\n"
      << "Total file count: " << total.Files << "\n"
      << "Total registry item size: " << FormatKiloBytes(total.ValueBytes) << "\n"
      << "Total registry item count: " << total.Values << "\n";
}

std::string FoundList(const PreviewResult& result) {
  std::string csv = "item,kind,path,size\r\n";
  for (const FoundEntry& entry : result.Found)
    csv += std::to_string(entry.ItemNumber) + "," + (entry.IsFile ? "file" : "registry value") +
           "," + CsvField(entry.Path) + "," + std::to_string(entry.Size) + "\r\n";
  return csv;
}

} // namespace

std::string CsvField(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

ItemFigures TotalFigures(const PreviewResult& result) {
  ItemFigures total;
  for (const ItemFigures& item : result.Items) {
    total.Files += item.Files;
    total.FileBytes += item.FileBytes;
    total.Values += item.Values;
    total.ValueBytes += item.ValueBytes;
  }
  return total;
}

FolderTable::FolderTable() : Made(!SysFolderList) {
  if (Made) SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
}

FolderTable::~FolderTable() {
  if (Made) SysFolderList.reset();
}

std::optional<CollectedPlugIn> CollectAndPrint(const std::string& input, bool listFound,
                                               std::ostream& out, std::ostream& err) {
  std::string error;
  const auto bytes = ReadWholeFile(input, error);
  if (!bytes) {
    err << "ppj: " << error << "\n";
    return std::nullopt;
  }
  // The editor's own reading, into its item classes, which then collect.
  TMemoryStream stream(*bytes);
  CollectedPlugIn plugIn;
  const PlugInReadResult read = ReadPlugInItems(stream, [&plugIn](std::unique_ptr<TCleanObj> item) {
    plugIn.Items.push_back(std::move(item));
  });
  if (read.Outcome == ReadOutcome::NotAPlugIn) {
    err << "ppj: \"" << input << "\" is not a plug-in file\n";
    return std::nullopt;
  }
  plugIn.Damaged = IsDamaged(read.Outcome);
  if (plugIn.Damaged) err << "ppj: " << DamageReport(input, read) << "\n";

  std::vector<TCleanObj*> borrowed;
  for (const auto& item : plugIn.Items) borrowed.push_back(item.get());
  {
    ProgressLine progress(static_cast<int>(plugIn.Items.size()));
    plugIn.Result = CollectItemByItem(borrowed, listFound,
                                      [&progress](int number, const ItemFigures& soFar) {
                                        progress.Update(number, soFar);
                                      });
  }
  for (const ItemNote& note : plugIn.Result.Notes)
    err << "ppj: item " << note.ItemNumber << ": " << note.Text << "\n";
  PrintFigures(plugIn.Items, plugIn.Result, out);
  return plugIn;
}

int RunPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err) {
  const FolderTable table;
  const std::optional<CollectedPlugIn> plugIn = CollectAndPrint(options.Input, !options.List.empty(), out, err);
  if (!plugIn) return kExitUnusable;
  const PreviewResult& result = plugIn->Result;
  std::string error;
  if (!options.List.empty()) {
    const std::string csv = FoundList(result);
    if (!ReplaceFileWith(options.List, std::vector<std::uint8_t>(csv.begin(), csv.end()), error)) {
      err << "ppj: " << error << "\n";
      return kExitUnusable;
    }
  }
  return plugIn->Damaged || result.EndedByError ? kExitFindings : kExitSuccess;
}

} // namespace plugin
