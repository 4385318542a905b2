#include "ppj/TextCommands.h"

#include "ppj/FileOutput.h"
#include "ppj/JsonForm.h"
#include "ppj/Lint.h"

#include <algorithm>
#include <ostream>

namespace plugin {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A .ppj as records: what could be read, with `damaged` set when that is not all.
std::optional<PlugInRecords> ReadPlugInFile(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes,
                                            std::ostream& err, bool& damaged) {
  TMemoryStream stream(bytes);
  PlugInRecords records;
  const PlugInReadResult result = ReadPlugInRecords(stream, records);
  if (result.Outcome == ReadOutcome::NotAPlugIn) {
    err << "ppj: " << Quoted(path) << " is not a plug-in file\n";
    return std::nullopt;
  }
  damaged = IsDamaged(result.Outcome);
  if (damaged) err << "ppj: " << DamageReport(path, result) << "\n";
  if (result.Outcome == ReadOutcome::HeaderTruncated) records.Header = PlugInHeader{};
  return records;
}

std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::ostream& err) {
  std::string error;
  auto bytes = ReadWholeFile(path, error);
  if (!bytes) err << "ppj: " << error << "\n";
  return bytes;
}

bool WriteOutput(const std::string& path, const std::string& text, std::ostream& err) {
  std::string error;
  if (ReplaceFileWith(path, std::vector<std::uint8_t>(text.begin(), text.end()), error)) return true;
  err << "ppj: " << error << "\n";
  return false;
}

std::string TooLongError(const StoredText& text) {
  const std::string owner = text.ItemNumber == 0 ? "header" : "item " + std::to_string(text.ItemNumber);
  return owner + ", " + text.Field + ": " + std::to_string(text.Length) + " characters, at most " +
         std::to_string(text.Width - 1);
}

void PrintFinding(const std::string& path, const LintFinding& finding, std::ostream& out) {
  out << path << ": item " << finding.ItemNumber << ": " << LevelName(finding.Level) << " ["
      << finding.Rule << "] " << finding.Message << " (" << finding.Description << ")\n";
}

} // namespace

std::string DamageReport(const std::string& path, const PlugInReadResult& result) {
  return Quoted(path) + " is damaged: " + DamageText(result) + " " +
         std::to_string(result.ItemsRead) + " of " +
         std::to_string(std::max(result.Header.ItemCount, 0)) + " items could be read.";
}

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  bool damaged = false;
  const auto records = ReadPlugInFile(options.Input, *bytes, err, damaged);
  if (!records) return kExitUnusable;
  const std::string json = PlugInToJson(*records);
  if (options.Output.empty())
    out << json;
  else if (!WriteOutput(options.Output, json, err))
    return kExitUnusable;
  return damaged ? kExitFindings : kExitSuccess;
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
  if (!overlong.empty() && !options.Shorten) {
    for (const StoredText& text : overlong)
      err << "ppj: " << options.Input << ": " << TooLongError(text) << "\n";
    err << "ppj: nothing written; give --shorten to store these texts shortened to fit\n";
    return kExitUnusable;
  }
  const std::vector<std::uint8_t> plugIn = EncodePlugIn(records);
  std::string error;
  if (!ReplaceFileWith(options.Output, plugIn, error)) {
    err << "ppj: " << error << "\n";
    return kExitUnusable;
  }
  return kExitSuccess;
}

int RunLint(const LintOptions& options, std::ostream& out, std::ostream& err) {
  const auto bytes = ReadInput(options.Input, err);
  if (!bytes) return kExitUnusable;
  std::optional<PlugInRecords> records;
  bool damaged = false;
  if (HasPlugInMagic(bytes->data(), bytes->size())) {
    records = ReadPlugInFile(options.Input, *bytes, err, damaged);
  } else {
    try {
      records = PlugInFromJson(std::string(bytes->begin(), bytes->end()));
    } catch (const TextFormError& error) {
      err << "ppj: " << options.Input << " is neither a plug-in file nor its JSON form: "
          << error.what() << "\n";
    }
  }
  if (!records) return kExitUnusable;

  const std::vector<LintFinding> findings = LintPlugIn(*records);
  if (options.Json) {
    out << FindingsToJson(findings);
  } else {
    for (const LintFinding& finding : findings) PrintFinding(options.Input, finding, out);
  }
  const bool errorFound = std::any_of(findings.begin(), findings.end(), [](const LintFinding& f) {
    return f.Level == FindingLevel::Error;
  });
  return errorFound || damaged ? kExitFindings : kExitSuccess;
}

} // namespace plugin
