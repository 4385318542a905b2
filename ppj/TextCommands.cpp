#include "ppj/TextCommands.h"

#include "ppj/FileOutput.h"
#include "plugin/JsonForm.h"
#include "plugin/Lint.h"

#include <algorithm>
#include <ostream>

namespace plugin {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A .ppj as records: what could be read, and in `result` whether that is all.
std::optional<PlugInRecords> ReadPlugInFile(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes,
                                            std::ostream& err, PlugInReadResult& result) {
  TMemoryStream stream(bytes);
  PlugInRecords records;
  result = ReadPlugInRecords(stream, records);
  if (result.Outcome == ReadOutcome::NotAPlugIn) {
    err << "ppj: " << Quoted(path) << " is not a plug-in file\n";
    return std::nullopt;
  }
  if (IsDamaged(result.Outcome)) err << "ppj: " << DamageReport(path, result) << "\n";
  return records;
}

// The JSON form's name of a stored text that the editor calls `field`.
std::string JsonFieldName(const std::string& field) {
  if (field == "Author") return "author";
  if (field == "Key path") return "keyPath";
  if (field == "Value name") return "valueName";
  if (field == "File path" || field == "Folder path") return "path";
  if (field == "Masks") return "masks";
  return "name"; // the plug-in's and the item's
}

std::string TooLongError(const StoredText& text) {
  const std::string owner = text.ItemNumber == 0 ? "header" : "item " + std::to_string(text.ItemNumber);
  const std::string note = text.Field == "Masks" ? ", each mask followed by CR LF" : "";
  return owner + ", field \"" + JsonFieldName(text.Field) + "\": " + LengthText(text) + note;
}

// Where reading stopped and how much could be read.
std::string DamageDetails(const PlugInReadResult& result) {
  // Without its header the file says nothing of its items.
  if (result.Outcome == ReadOutcome::HeaderTruncated)
    return DamageText(result) + " Nothing could be read.";
  return DamageText(result) + " " + std::to_string(result.ItemsRead) + " of " +
         std::to_string(std::max(result.Header.ItemCount, 0)) + " items could be read.";
}

// The finding for a damaged file, before the findings of the items that were read.
LintFinding DamageFinding(const PlugInReadResult& result) {
  return LintFinding{"damaged-file", FindingLevel::Error, result.ItemsRead + 1, "Plug-in",
                     "the file is damaged: " + DamageDetails(result)};
}

void PrintFinding(const std::string& path, const LintFinding& finding, std::ostream& out) {
  out << path << ": item " << finding.ItemNumber << ": " << LevelName(finding.Level) << " ["
      << finding.Rule << "] " << finding.Message << " (" << finding.Description << ")\n";
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::ostream& err) {
  std::string error;
  auto bytes = ReadWholeFile(path, error);
  if (!bytes) err << "ppj: " << error << "\n";
  return bytes;
}

bool WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes,
                 std::ostream& err) {
  std::string error;
  if (ReplaceFileWith(path, bytes, error)) return true;
  err << "ppj: " << error << "\n";
  return false;
}

std::optional<PlugInRecords> ReadPlugInOrJson(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                              std::ostream& err, std::optional<PlugInReadResult>& damage) {
  if (HasPlugInMagic(bytes.data(), bytes.size())) {
    PlugInReadResult read;
    std::optional<PlugInRecords> records = ReadPlugInFile(path, bytes, err, read);
    if (IsDamaged(read.Outcome)) damage = read;
    return records;
  }
  try {
    return PlugInFromJson(std::string(bytes.begin(), bytes.end()));
  } catch (const TextFormError& error) {
    err << "ppj: " << path << " is neither a plug-in file nor its JSON form: " << error.what() << "\n";
  }
  return std::nullopt;
}

std::string DamageReport(const std::string& path, const PlugInReadResult& result) {
  return Quoted(path) + " is damaged: " + DamageDetails(result);
}

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  PlugInReadResult read;
  const auto records = ReadPlugInFile(options.Input, *bytes, err, read);
  if (!records) return kExitUnusable;
  const std::string json = PlugInToJson(*records);
  if (options.Output.empty())
    out << json;
  else if (!WriteOutput(options.Output, std::vector<std::uint8_t>(json.begin(), json.end()), err))
    return kExitUnusable;
  return IsDamaged(read.Outcome) ? kExitFindings : kExitSuccess;
}

int RunBuild(const BuildOptions& options, std::ostream&, std::ostream& err) {
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  PlugInRecords records;
  try {
    records = PlugInFromJson(std::string(bytes->begin(), bytes->end()));
  } catch (const TextFormError& error) {
    err << "ppj: " << options.Input << ": " << error.what() << "\n";
    return kExitUnusable;
  }
  const std::vector<StoredText> overlong = OverlongTexts(records);
  const std::vector<StoredText> refused = RefusedTexts(overlong);
  if (!refused.empty()) {
    for (const StoredText& text : refused)
      err << "ppj: " << options.Input << ": " << TooLongError(text) << "\n";
    err << "ppj: nothing written; a path or key shortened would name another place\n";
    return kExitUnusable;
  }
  if (!overlong.empty() && !options.Shorten) {
    for (const StoredText& text : overlong)
      err << "ppj: " << options.Input << ": " << TooLongError(text) << "\n";
    err << "ppj: nothing written; give --shorten to store these names cut and these masks "
           "left out to fit\n";
    return kExitUnusable;
  }
  return WriteOutput(options.Output, EncodePlugIn(records), err) ? kExitSuccess : kExitUnusable;
}

int RunLint(const LintOptions& options, std::ostream& out, std::ostream& err) {
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  std::optional<PlugInReadResult> damage;
  const std::optional<PlugInRecords> records = ReadPlugInOrJson(options.Input, *bytes, err, damage);
  if (!records) return kExitUnusable;
  std::vector<LintFinding> findings;
  if (damage) findings.push_back(DamageFinding(*damage));

  const std::vector<LintFinding> itemFindings = LintPlugIn(*records);
  findings.insert(findings.end(), itemFindings.begin(), itemFindings.end());
  if (options.Json) {
    out << FindingsToJson(findings);
  } else {
    for (const LintFinding& finding : findings) PrintFinding(options.Input, finding, out);
  }
  const bool errorFound = std::any_of(findings.begin(), findings.end(), [](const LintFinding& f) {
    return f.Level == FindingLevel::Error;
  });
  return errorFound ? kExitFindings : kExitSuccess;
}

} // namespace plugin
