#include "ppj/RuleExport.h"

#include "plugin/Lint.h"
#include "ppj/ItemRule.h"

#include <map>

namespace plugin {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string UndecodableReason(const std::string& what, const CodePage& codePage) {
  return what + " holds a byte that code page " + std::to_string(codePage.Number()) +
         " has no character for";
}

// The item with the texts its rule is made of in UTF-8, or nothing with `reason`
// saying which text has no characters in the code page.
std::optional<ItemRecord> Decoded(const ItemRecord& item, const CodePage& codePage,
                                  std::string& reason) {
  ItemRecord decoded = item;
  const auto decode = [&](const std::string& what, std::string& text) {
    if (!reason.empty()) return;
    std::optional<std::string> utf8 = codePage.ToUtf8(text);
    if (!utf8)
      reason = UndecodableReason(what, codePage);
    else if (!BackslashesAgree(text, *utf8))
      reason = what + " holds a character whose second byte in code page " +
               std::to_string(codePage.Number()) +
               " is that of \"\\\": the item takes it for a separator, a rule would not";
    else
      text = std::move(*utf8);
  };
  if (auto* registry = std::get_if<RegistryBody>(&decoded.Body)) {
    decode("the key path", registry->KeyPath);
    // Stored for every kind, the value name is used by the one-value kind alone.
    if (registry->Kind == 0) decode("the value name", registry->ValueName);
  } else if (auto* file = std::get_if<FileBody>(&decoded.Body)) {
    decode("the path", file->Path);
  } else if (auto* folder = std::get_if<FolderBody>(&decoded.Body)) {
    decode("the path", folder->PathPart.Folder);
    for (std::string& mask : folder->Masks) decode("a mask", mask);
  }
  if (!reason.empty()) return std::nullopt;
  return decoded;
}

// The text with a blank for each "]", which would end the section's name, and each
// control character, which would end its line.
std::string Blanked(const std::string& utf8) {
  std::string blanked;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (const std::size_t control = ControlCharacterLength(utf8, i); control != 0) {
      blanked += ' ';
      i += control - 1;
    } else {
      blanked += utf8[i] == ']' ? ' ' : utf8[i];
    }
  }
  return blanked;
}

// The entry's first lines, "[NAME *]" and "Section=AUTHOR", or nothing when the name
// gives the section no name.
std::optional<std::string> HeaderLines(const PlugInHeader& header, const CodePage& codePage,
                                       std::vector<ExportNote>& notes) {
  const std::optional<std::string> name = codePage.ToUtf8(header.Name);
  const std::string section = name ? Blanked(*name) : std::string();
  if (section.find_first_not_of(' ') == std::string::npos) {
    const std::string what =
        name ? "the plug-in has no name" : UndecodableReason("the plug-in's name", codePage);
    notes.push_back({0, true, what + ", and the entry is named after it: nothing is exported"});
    return std::nullopt;
  }
  if (section != *name)
    notes.push_back(
        {0, false, "the name's \"]\" and control characters are blanks in the entry's name"});
  std::string lines = "[" + section + " *]" + kLineEnd;
  const std::optional<std::string> author = codePage.ToUtf8(header.Author);
  if (!author) {
    notes.push_back(
        {0, false, UndecodableReason("the author", codePage) + "; the entry has no Section="});
  } else if (!author->empty()) {
    const std::string blanked = Blanked(*author);
    if (blanked != *author)
      notes.push_back(
          {0, false, "the author's \"]\" and control characters are blanks in Section="});
    lines += "Section=" + blanked + kLineEnd;
  }
  return lines;
}

// The first error the checks find in each item: an item they refuse is not exported.
std::map<int, std::string> ItemErrors(const PlugInRecords& records, const CodePage& codePage) {
  std::map<int, std::string> errors;
  for (const LintFinding& finding : LintPlugIn(records)) {
    if (finding.Level != FindingLevel::Error || finding.ItemNumber == 0) continue;
    // The message quotes the item's texts, which decode, as it is only asked of items
    // whose texts do.
    errors.emplace(finding.ItemNumber, codePage.ToUtf8(finding.Message).value_or(finding.Rule));
  }
  return errors;
}

// The item's rule, or why it has none: a text that does not decode, an error that
// the checks find (`error`, when not null), or what no rule states.
ItemRule RuleOfRecord(const ItemRecord& record, const std::string* error,
                      const CodePage& codePage) {
  std::string reason;
  const std::optional<ItemRecord> item = Decoded(record, codePage, reason);
  if (!item) return LeftOutRule(reason);
  if (error != nullptr) return LeftOutRule(*error);
  return RuleOfItem(*item);
}

} // namespace

ExportedEntry ExportEntry(const PlugInRecords& records, const CodePage& codePage) {
  ExportedEntry entry;
  const std::optional<std::string> header = HeaderLines(records.Header, codePage, entry.Notes);
  if (!header) {
    entry.ItemsLeftOut = static_cast<int>(records.Items.size());
    return entry;
  }

  const std::map<int, std::string> errors = ItemErrors(records, codePage);
  std::string keys, detectFile, detect;
  int fileKeys = 0, regKeys = 0;
  for (std::size_t i = 0; i < records.Items.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const auto error = errors.find(number);
    const ItemRule rule =
        RuleOfRecord(records.Items[i], error == errors.end() ? nullptr : &error->second, codePage);
    if (!rule.LeftOutReason.empty()) {
      entry.Notes.push_back({number, true, rule.LeftOutReason});
      ++entry.ItemsLeftOut;
      continue;
    }
    for (const std::string& change : rule.Changes) entry.Notes.push_back({number, false, change});
    ++entry.ItemsExported;
    std::string& detection = rule.FileKey ? detectFile : detect;
    if (detection.empty()) detection = rule.Detection;
    keys += rule.FileKey ? "FileKey" + std::to_string(++fileKeys)
                         : "RegKey" + std::to_string(++regKeys);
    keys += "=" + rule.Value + kLineEnd;
  }
  if (entry.ItemsExported == 0) return entry;
  const std::string detection =
      detectFile.empty() ? "Detect=" + detect : "DetectFile=" + detectFile;
  entry.Ini = *header + detection + kLineEnd + keys;
  return entry;
}

} // namespace plugin
