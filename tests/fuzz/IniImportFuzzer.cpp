// Feeds arbitrary text to the import of winapp2.ini's rules, in code page 1252 or 932
// as the first byte chooses. Whatever the text, every plug-in made must pass the
// checks without an error, hold texts of its code page whose every "\" byte is a "\",
// and come back whole from its stored bytes; exported as a rule and imported again, it
// must give no item that removes more than one of its own.

#include "plugin/Lint.h"
#include "ppj/RuleExport.h"
#include "ppj/RuleImport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace plugin;

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "rule import failed: %s\n", what);
  std::abort();
}

const CodePage& CodePageNumbered(int number) {
  static const auto open = [](int n) {
    std::string error;
    std::optional<CodePage> page = CodePage::Open(n, error);
    Check(page.has_value(), "code page not available");
    return *page;
  };
  static const CodePage western = open(1252);
  static const CodePage japanese = open(932);
  return number == 932 ? japanese : western;
}

std::vector<ImportedPlugIn> Imported(const std::string& text, const CodePage& codePage) {
  std::string error;
  const std::optional<IniText> ini = ReadIniText(text, error);
  if (!ini) return {};
  ImportResult result = ImportEntries(*ini, ImportChoice{}, codePage);
  Check(result.EntriesCarried == static_cast<int>(result.PlugIns.size()), "entries counted");
  return std::move(result.PlugIns);
}

std::string WithoutOuterSeparators(std::string key) {
  while (!key.empty() && key.front() == '\\') key.erase(0, 1);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

// A path as Windows reads it: "/" is "\\", a run of them is one, a final one names the
// same folder. Compared as characters, since a byte "\\" may be half of one.
std::string SeparatorsFolded(const std::string& bytes, const CodePage& codePage) {
  const std::string text = codePage.ToUtf8(bytes).value_or("\x01undecodable");
  std::string folded;
  for (const char c : text) {
    const bool separator = c == '\\' || c == '/';
    if (!separator || folded.empty() || folded.back() != '\\') folded += separator ? '\\' : c;
  }
  if (folded.size() > 1 && folded.back() == '\\') folded.pop_back();
  return folded;
}

// Whether `item`, read back from a rule, removes no more than `held`: rules name no
// items, a key read back has no "\\" before or after it, a path may be written with
// other separators, and a folder may have lost masks and the removal of the folders
// it empties.
bool Covers(const ItemRecord& held, const ItemRecord& item, const CodePage& codePage) {
  if (held.Kind() != item.Kind()) return false;
  if (const auto* key = std::get_if<RegistryBody>(&item.Body)) {
    const auto& heldKey = std::get<RegistryBody>(held.Body);
    return key->RootKey == heldKey.RootKey && key->Kind == heldKey.Kind &&
           WithoutOuterSeparators(key->KeyPath) == WithoutOuterSeparators(heldKey.KeyPath) &&
           (key->Kind != 0 || key->ValueName == heldKey.ValueName);
  }
  const auto samePlace = [&](const std::string& a, const std::string& b) {
    return SeparatorsFolded(a, codePage) == SeparatorsFolded(b, codePage);
  };
  if (const auto* file = std::get_if<FileBody>(&item.Body))
    return samePlace(file->Path, std::get<FileBody>(held.Body).Path);
  const auto& folder = std::get<FolderBody>(item.Body);
  const auto& heldFolder = std::get<FolderBody>(held.Body);
  const bool masksHeld =
      std::all_of(folder.Masks.begin(), folder.Masks.end(), [&](const std::string& mask) {
        return std::find(heldFolder.Masks.begin(), heldFolder.Masks.end(), mask) !=
               heldFolder.Masks.end();
      });
  return masksHeld && samePlace(folder.PathPart.Folder, heldFolder.PathPart.Folder) &&
         (folder.PathPart.RemoveEmptyFolder == 0 || heldFolder.PathPart.RemoveEmptyFolder != 0);
}

// The texts of an item that name what it removes.
std::vector<const std::string*> TextsOf(const ItemRecord& item) {
  if (const auto* key = std::get_if<RegistryBody>(&item.Body))
    return {&key->KeyPath, &key->ValueName};
  if (const auto* file = std::get_if<FileBody>(&item.Body)) return {&file->Path};
  const auto& folder = std::get<FolderBody>(item.Body);
  std::vector<const std::string*> texts{&folder.PathPart.Folder};
  for (const std::string& mask : folder.Masks) texts.push_back(&mask);
  return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const CodePage& codePage = CodePageNumbered(data[0] % 2 == 0 ? 1252 : 932);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (const ImportedPlugIn& plugIn : Imported(text, codePage)) {
    const PlugInRecords& records = plugIn.Records;
    Check(!records.Items.empty(), "a plug-in without items");
    for (const LintFinding& finding : LintPlugIn(records))
      Check(finding.Level != FindingLevel::Error, finding.Rule.c_str());
    for (const ItemRecord& item : records.Items)
      for (const std::string* text : TextsOf(item)) {
        const std::optional<std::string> utf8 = codePage.ToUtf8(*text);
        Check(utf8.has_value(), "an item's text is no text of its code page");
        Check(BackslashesAgree(*text, *utf8),
              "a byte of \"\\\" in an item's text is half of a character");
      }

    TMemoryStream stream(EncodePlugIn(records));
    PlugInRecords stored;
    Check(ReadPlugInRecords(stream, stored).Outcome == ReadOutcome::Complete,
          "stored plug-in incomplete");
    Check(stored.Header.Name == records.Header.Name, "stored name");
    Check(stored.Items == records.Items, "stored items differ");

    const ExportedEntry entry = ExportEntry(records, codePage);
    for (const ImportedPlugIn& again : Imported(entry.Ini, codePage))
      for (const ItemRecord& item : again.Records.Items)
        Check(std::any_of(records.Items.begin(), records.Items.end(),
                          [&](const ItemRecord& held) { return Covers(held, item, codePage); }),
              "export and import gave an item that removes more than the plug-in's");
  }
  return 0;
}
