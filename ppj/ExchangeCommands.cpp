#include "ppj/ExchangeCommands.h"

#include "plugin/JsonForm.h"
#include "plugin/RecordNames.h"
#include "ppj/EntryFileNames.h"
#include "ppj/FileOutput.h"
#include "ppj/RuleExport.h"
#include "ppj/RuleImport.h"
#include "ppj/TextCommands.h"

#include <algorithm>
#include <ctime>
#include <ostream>

namespace plugin {

namespace {

// Now, as the editor stamps a plug-in it saves.
double NowAsTimeStamp() {
  const std::time_t now = std::time(nullptr);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  return TimeStampFromText(text).value_or(0.0);
}

std::optional<CodePage> OpenCodePage(int number, std::ostream& err) {
  std::string error;
  std::optional<CodePage> codePage = CodePage::Open(number, error);
  if (!codePage) err << "ppj: --codepage " << number << ": " << error << "\n";
  return codePage;
}

const char* KindText(NoteKind kind) {
  switch (kind) {
  case NoteKind::Invalid: return "invalid, skipped";
  case NoteKind::LeftOut: return "left out";
  case NoteKind::Changed: break;
  }
  return "changed";
}

void PrintNote(const std::string& path, const ImportNote& note, std::ostream& err) {
  err << "ppj: " << path << ":" << note.Line << ": ";
  if (!note.Entry.empty()) err << "[" << note.Entry << "]" << (note.Key.empty() ? "" : " ");
  if (!note.Key.empty()) err << note.Key;
  if (!note.Entry.empty() || !note.Key.empty()) err << ": ";
  err << KindText(note.Kind) << ": " << note.Reason << "\n";
}

std::string Counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::vector<std::uint8_t> FileBytes(const PlugInRecords& records, bool json) {
  if (!json) return EncodePlugIn(records);
  const std::string text = PlugInToJson(records);
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<CodePage> codePage = OpenCodePage(options.CodePage, err);
  if (!codePage) return kExitUnusable;
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  std::string error;
  const std::optional<IniText> ini = ReadIniText(std::string(bytes->begin(), bytes->end()), error);
  if (!ini) {
    err << "ppj: " << options.Input << ": " << error << "\n";
    return kExitUnusable;
  }

  ImportResult result =
      ImportEntries(*ini, ImportChoice{options.Patterns, NowAsTimeStamp()}, *codePage);
  std::stable_sort(result.Notes.begin(), result.Notes.end(),
                   [](const ImportNote& a, const ImportNote& b) { return a.Line < b.Line; });
  for (const ImportNote& note : result.Notes) PrintNote(options.Input, note, err);
  if (result.EntriesChosen == 0) {
    err << "ppj: " << options.Input
        << (ini->Sections.empty() ? " holds no entry" : ": no entry's name matches --entry")
        << "\n";
    return kExitUnusable;
  }

  int notReplaced = 0, written = 0;
  bool failed = !result.PlugIns.empty() && !MakeFolder(options.OutputFolder, error);
  if (failed) err << "ppj: " << error << "\n";
  EntryFileNames names;
  for (const ImportedPlugIn& plugIn : result.PlugIns) {
    if (failed) break;
    const std::string path = PathInFolder(
        options.OutputFolder, names.NameFor(plugIn.EntryName) + (options.Json ? ".json" : ".ppj"));
    if (!options.Overwrite && PathExists(path)) {
      err << "ppj: " << path << " exists and is not replaced; give --overwrite to replace it\n";
      ++notReplaced;
      continue;
    }
    failed = !WriteOutput(path, FileBytes(plugIn.Records, options.Json), err);
    if (failed) break;
    out << path << "\n";
    ++written;
  }

  const int entriesLeftOut = result.EntriesChosen - result.EntriesCarried;
  err << "ppj: " << result.EntriesCarried << " of "
      << Counted(result.EntriesChosen, "entry", "entries") << " carried over, " << entriesLeftOut
      << " left out; " << Counted(result.KeysCarried, "key", "keys") << " carried over whole, "
      << result.KeysInPart << " in part, " << result.KeysLeftOut << " left out; "
      << Counted(written, "plug-in", "plug-ins") << " written\n";
  if (failed) return kExitUnusable;
  const bool leftOut = notReplaced > 0 || std::any_of(result.Notes.begin(), result.Notes.end(),
                                                      [](const ImportNote& note) {
                                                        return note.Kind != NoteKind::Changed;
                                                      });
  return options.Strict && leftOut ? kExitFindings : kExitSuccess;
}

int RunExport(const ExportOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<CodePage> codePage = OpenCodePage(options.CodePage, err);
  if (!codePage) return kExitUnusable;
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  std::optional<PlugInReadResult> damage;
  const std::optional<PlugInRecords> records = ReadPlugInOrJson(options.Input, *bytes, err, damage);
  if (!records) return kExitUnusable;

  const ExportedEntry entry = ExportEntry(*records, *codePage);
  for (const ExportNote& note : entry.Notes) {
    err << "ppj: " << options.Input << ": "
        << (note.ItemNumber == 0 ? std::string("plug-in")
                                 : "item " + std::to_string(note.ItemNumber))
        << ": " << (note.LeftOut ? "left out" : "changed") << ": " << note.Reason << "\n";
  }
  err << "ppj: " << entry.ItemsExported << " of "
      << Counted(entry.ItemsExported + entry.ItemsLeftOut, "item", "items") << " exported\n";
  if (entry.Ini.empty()) {
    err << "ppj: no item could be exported; nothing written\n";
    return kExitUnusable;
  }
  if (options.Output.empty())
    out << entry.Ini;
  else if (!WriteOutput(options.Output,
                        std::vector<std::uint8_t>(entry.Ini.begin(), entry.Ini.end()), err))
    return kExitUnusable;
  if (damage) return kExitFindings;
  return options.Strict && entry.ItemsLeftOut > 0 ? kExitFindings : kExitSuccess;
}

} // namespace plugin
