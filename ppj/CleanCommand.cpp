#include "ppj/CleanCommand.h"

#include "cleanobjs/RebootDeleteList.h"
#include "framework/SysError.h"
#include "ppj/CleanRun.h"
#include "ppj/FileOutput.h"
#include "ppj/PreviewSteps.h"
#include "ppj/TextCommands.h"
#include "preview/KiloBytes.h"
#include "sysfolders/SysFolders.h"

#include <cstdio>
#include <istream>
#include <map>
#include <ostream>

namespace plugin {

namespace {

std::string Row(const std::string& item, const std::string& deleted, const std::string& deferred,
                const std::string& removed, const std::string& foldersDeferred,
                const std::string& registry, const std::string& failures) {
  char row[112];
  std::snprintf(row, sizeof row, "%6s %9s %9s %9s %9s %9s %9s\n", item.c_str(), deleted.c_str(),
                deferred.c_str(), removed.c_str(), foldersDeferred.c_str(), registry.c_str(),
                failures.c_str());
  return row;
}

void PrintCleanFigures(const CleanRunResult& result, std::ostream& out) {
  out << "\n" << Row("Item", "Files", "Deferred", "Folders", "Deferred", "Registry", "Failures");
  ItemCleanFigures total;
  for (std::size_t i = 0; i < result.Items.size(); ++i) {
    const ItemCleanFigures& item = result.Items[i];
    out << Row(std::to_string(i + 1), std::to_string(item.FilesDeleted),
               std::to_string(item.FilesDeferred), std::to_string(item.FoldersRemoved),
               std::to_string(item.FoldersDeferred), std::to_string(item.RegistryDeleted),
               std::to_string(item.Failures));
    total.FilesDeleted += item.FilesDeleted;
    total.FilesDeferred += item.FilesDeferred;
    total.FoldersRemoved += item.FoldersRemoved;
    total.FoldersDeferred += item.FoldersDeferred;
    total.RegistryDeleted += item.RegistryDeleted;
    total.Failures += item.Failures;
  }
  out << Row("Total", std::to_string(total.FilesDeleted), std::to_string(total.FilesDeferred),
             std::to_string(total.FoldersRemoved), std::to_string(total.FoldersDeferred),
             std::to_string(total.RegistryDeleted), std::to_string(total.Failures));
}

// Asks on the terminal; anything but "y" or "yes", the end of input included, is no.
bool Confirmed(const CleanOptions& options, const ItemFigures& total, std::ostream& out) {
  if (options.Yes) return true;
  if (options.Terminal == nullptr) return false;
  out << "Delete " << total.Files << " files (" << FormatKiloBytes(total.FileBytes) << " KB) and "
      << total.Values << " registry values (" << FormatKiloBytes(total.ValueBytes) << " KB)? [y/N] "
      << std::flush;
  std::string answer;
  if (!std::getline(*options.Terminal, answer)) return false;
  return answer == "y" || answer == "yes";
}

std::string CleanList(const CleanRunResult& result) {
  std::string csv = "item,kind,path,size,result\r\n";
  for (const CleanEntry& entry : result.Entries)
    csv += std::to_string(entry.ItemNumber) + "," + entry.Kind + "," + CsvField(entry.Path) + "," +
           std::to_string(entry.Size) + "," + CleanResultName(entry.Result) + "\r\n";
  return csv;
}

// Hands the restart list to the system and says what became of it; false when any
// entry could not be registered.
bool HandOverAndReport(std::ostream& out, std::ostream& err) {
  RebootHandOver handOver;
  try {
    handOver = HandOverRebootDeleteList(*SysFolderList);
  } catch (const ECommandError& error) {
    err << "ppj: " << error.what() << "\n";
    return false;
  }
  std::map<unsigned long, int> failures;
  int registered = 0;
  for (const RebootRegistration& entry : handOver.Registered)
    entry.Error == 0 ? ++registered : ++failures[entry.Error];
  out << "\nRegistered " << registered << " paths for deletion at the next restart.\n";
  for (const std::string& path : handOver.ThroughLinks)
    err << "ppj: " << path << " is reached through a link now: not registered\n";
  for (const auto& [error, count] : failures)
    err << "ppj: " << count << " paths could not be registered for deletion at the next restart: "
        << SysErrorMessage(error) << "\n";
  return failures.empty() && handOver.ThroughLinks.empty();
}

} // namespace

int RunClean(const CleanOptions& options, std::ostream& out, std::ostream& err) {
  // The checks first: a plug-in that would harm the machine or is damaged deletes nothing.
  const int lint = RunLint(LintOptions{options.Input, false}, out, err);
  if (lint != kExitSuccess) {
    if (lint == kExitFindings) err << "ppj: nothing was deleted: the plug-in has errors\n";
    return kExitUnusable;
  }
  const FolderTable table;
  std::optional<CollectedPlugIn> plugIn = CollectAndPrint(options.Input, true, out, err);
  if (!plugIn) return kExitUnusable;
  if (plugIn->Result.EndedByError) {
    err << "ppj: nothing was deleted: a collection ended with an error\n";
    return kExitFindings;
  }
  if (!Confirmed(options, TotalFigures(plugIn->Result), out)) {
    out << "Nothing was deleted; give --yes to delete what is listed above.\n";
    return kExitSuccess;
  }

  std::vector<TCleanObj*> items;
  for (const auto& item : plugIn->Items) items.push_back(item.get());
  const CleanRunResult result = CleanItemByItem(items, plugIn->Result);
  for (const ItemText& text : result.Texts)
    err << "ppj: item " << text.ItemNumber << " (level " << text.Level << "): " << text.Text << "\n";
  PrintCleanFigures(result, out);
  const bool handedOver = HandOverAndReport(out, err);

  if (!options.List.empty()) {
    const std::string csv = CleanList(result);
    std::string error;
    if (!ReplaceFileWith(options.List, std::vector<std::uint8_t>(csv.begin(), csv.end()), error)) {
      err << "ppj: " << error << "\n";
      return kExitFindings;
    }
  }
  bool allDone = handedOver;
  for (const CleanEntry& entry : result.Entries)
    allDone = allDone && entry.Result != CleanResult::Failed && entry.Result != CleanResult::Left;
  return allDone ? kExitSuccess : kExitFindings;
}

} // namespace plugin
