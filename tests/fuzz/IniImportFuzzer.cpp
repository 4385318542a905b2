// Feeds arbitrary text to the import of winapp2.ini's rules, in code page 1252 or 932
// as the first byte chooses. Whatever the text, every plug-in made must pass the
// checks without an error and come back whole from its stored bytes; exported as a
// rule and imported again, it must give no item that it did not hold.

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

// A key path read back from a rule has no leading "\".
ItemRecord Compared(ItemRecord item) {
  item.Name.clear();
  if (auto* registry = std::get_if<RegistryBody>(&item.Body))
    while (!registry->KeyPath.empty() && registry->KeyPath.front() == '\\') registry->KeyPath.erase(0, 1);
  return item;
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

    TMemoryStream stream(EncodePlugIn(records));
    PlugInRecords stored;
    Check(ReadPlugInRecords(stream, stored).Outcome == ReadOutcome::Complete, "stored plug-in incomplete");
    Check(stored.Header.Name == records.Header.Name, "stored name");
    Check(stored.Items == records.Items, "stored items differ");

    const ExportedEntry entry = ExportEntry(records, codePage);
    std::vector<ItemRecord> held;
    for (const ItemRecord& item : records.Items) held.push_back(Compared(item));
    for (const ImportedPlugIn& again : Imported(entry.Ini, codePage))
      for (const ItemRecord& item : again.Records.Items)
        Check(std::find(held.begin(), held.end(), Compared(item)) != held.end(),
              "export and import gave an item the plug-in did not hold");
  }
  return 0;
}
