#include "plugin/Lint.h"

#include "cleanobjs/FolderPaths.h"
#include "framework/RegistryPaths.h"
#include "plugin/AsciiFold.h"
#include "plugin/RecordNames.h"
#include "sysfolders/SysFolders.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>

namespace plugin {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

bool IsMacroNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Every "%NAME%" in the path, NAME being letters, digits and "_", as written.
std::vector<std::string> MacrosIn(const std::string& path) {
  std::vector<std::string> macros;
  std::size_t start = path.find('%');
  while (start != std::string::npos) {
    std::size_t end = start + 1;
    while (end < path.size() && IsMacroNameChar(path[end])) ++end;
    if (end < path.size() && path[end] == '%' && end > start + 1) {
      macros.push_back(path.substr(start, end - start + 1));
      start = path.find('%', end + 1);
    } else {
      start = path.find('%', start + 1);
    }
  }
  return macros;
}

bool IsKnownMacro(const std::string& macro) {
  static const std::vector<std::string> known = [] {
    std::vector<std::string> names = FolderMacroNames();
    for (std::string& name : names) name = AsciiFolded(name);
    return names;
  }();
  const std::string name = AsciiFolded(macro.substr(1, macro.size() - 2));
  return std::find(known.begin(), known.end(), name) != known.end();
}

// The path as the items would see it expanded: a leading macro stands for a system
// folder, which is a full path, so that what follows it is judged as the items judge
// it. Nothing is known here of the code page the author wrote in, so every "\\" byte
// counts as a separator, which finds every dot segment that any code page has.
std::string WithLeadingMacroAsFolder(const std::string& path, const std::vector<std::string>& macros) {
  if (macros.empty() || path.compare(0, macros.front().size(), macros.front()) != 0) return path;
  return "C:\\System folder" + path.substr(macros.front().size());
}

// "*", "**", "*.*" and the like: a mask that matches every name.
bool MatchesEveryName(const std::string& mask) {
  if (mask.empty()) return false;
  const std::size_t dot = mask.find('.');
  const auto allStars = [](const std::string& part) {
    return !part.empty() && part.find_first_not_of('*') == std::string::npos;
  };
  if (dot == std::string::npos) return allStars(mask);
  return allStars(mask.substr(0, dot)) && allStars(mask.substr(dot + 1));
}

// The system folders themselves, whose every file a cleaner must never remove; the
// file system drops the final dots and blanks of a name, so "%PROFILE%\\ " is the
// profile. A root without its "\\" ("C:", "\\") is no full path, which the items
// refuse to walk.
bool IsSystemFolder(const std::string& folder) {
  std::string path = AsciiFolded(folder);
  while (!path.empty() && std::string("\\/. ").find(path.back()) != std::string::npos) path.pop_back();
  if (path == "%windows%" || path == "%programfiles%" || path == "%profile%") return true;
  const bool driveLetter = path.size() == 2 && path[1] == ':' && path[0] >= 'a' && path[0] <= 'z';
  return driveLetter && folder.size() > 2 && folder[2] == '\\';
}

// Runs the rules; each finding goes to the findings with its texts, or to the marks
// without them.
class Linter {
public:
  explicit Linter(std::vector<LintFinding>& findings) : FFindings(&findings) {}
  explicit Linter(std::vector<FindingMark>& marks) : FMarks(&marks) {}

  void Check(int number, const ItemRecord& item) {
    FNumber = number;
    FItem = &item;
    FDescription.reset();
    if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) CheckRegistry(*registry);
    if (const auto* file = std::get_if<FileBody>(&item.Body)) CheckPath(file->Path);
    if (const auto* folder = std::get_if<FolderBody>(&item.Body)) CheckFolder(*folder);
  }

  // `message` makes the finding's message, only when the texts are wanted.
  template <class Message>
  void Add(const char* rule, FindingLevel level, const Message& message) {
    if (FMarks != nullptr) {
      FMarks->push_back(FindingMark{FNumber, level});
      return;
    }
    // Described only when found: most items have no finding.
    if (!FDescription) FDescription = DescribeItem(*FItem);
    FFindings->push_back(LintFinding{rule, level, FNumber, *FDescription, message()});
  }

  void SetOwner(int number, const std::string& description) {
    FNumber = number;
    FItem = nullptr;
    FDescription = description;
  }

private:
  void CheckRegistry(const RegistryBody& body) {
    if (!IsKnownRootKey(body.RootKey))
      Add("unknown-root-key", FindingLevel::Error, [&] {
        char text[96];
        std::snprintf(text, sizeof text, "the root key 0x%08X is none of the five registry root keys",
                      static_cast<unsigned>(body.RootKey));
        return std::string(text);
      });
    if (body.Kind > 2)
      Add("unknown-registry-kind", FindingLevel::Error, [&] {
        return "the registry kind " + std::to_string(body.Kind) +
               " is none of value (0), key (1) and all values (2)";
      });
    if (body.Kind == 1 && NamesRootKey(body.KeyPath))
      Add("whole-key-on-root", FindingLevel::Error, [&] {
        return "the item removes a whole key, and its key path \"" + body.KeyPath +
               "\" names the root key itself";
      });
  }

  void CheckPath(const std::string& path) {
    const std::vector<std::string> macros = MacrosIn(path);
    if (!IsFullPath(WithLeadingMacroAsFolder(path, macros)))
      Add("path-not-full", FindingLevel::Error, [&] {
        return "the path \"" + path + "\" is neither a full path nor starts with a macro, or it "
               "has a \".\" or \"..\" segment or names a device: the item searches and deletes "
               "nothing";
      });
    for (const std::string& macro : macros)
      if (!IsKnownMacro(macro))
        Add("unknown-macro", FindingLevel::Error, [&] {
          return "the macro " + macro + " is not a system folder macro and stays as written";
        });
  }

  void CheckFolder(const FolderBody& folder) {
    CheckPath(folder.PathPart.Folder);
    const bool hasMask = std::any_of(folder.Masks.begin(), folder.Masks.end(),
                                     [](const std::string& mask) { return !mask.empty(); });
    if (!hasMask)
      Add("folder-without-masks", FindingLevel::Warning,
          [] { return std::string("the folder item has no masks, so it deletes no file"); });
    for (const std::string& mask : folder.Masks)
      if (MaskNamesAnotherFolder(mask))
        Add("mask-leaves-folder", FindingLevel::Error, [&] {
          return "the mask \"" + mask + "\" names another folder; the item does not search it";
        });
    const auto everyName = std::find_if(folder.Masks.begin(), folder.Masks.end(), MatchesEveryName);
    if (everyName != folder.Masks.end() && IsSystemFolder(folder.PathPart.Folder))
      Add("system-folder-all-files", FindingLevel::Error, [&] {
        return "the mask \"" + *everyName + "\" deletes every file in and below the system folder \"" +
               folder.PathPart.Folder + "\"";
      });
  }

  std::vector<LintFinding>* FFindings = nullptr;
  std::vector<FindingMark>* FMarks = nullptr;
  int FNumber = 0;
  const ItemRecord* FItem = nullptr;
  std::optional<std::string> FDescription;
};

// What an item removes, so that two items that remove the same are found: its fields
// that say so, folded, each ended by a NUL, which no stored text holds.
std::string Target(const ItemRecord& item) {
  std::string target(1, static_cast<char>(item.Kind()));
  target.reserve(128);
  const auto add = [&target](const std::string& field) {
    target += field;
    target += '\0';
  };
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) {
    add(std::to_string(registry->RootKey));
    add(std::to_string(registry->Kind));
    add(WithoutTrailingSeparators(registry->KeyPath));
    // The value name is stored for every kind but used only by the one-value kind.
    if (registry->Kind == 0) add(registry->ValueName);
  } else if (const auto* file = std::get_if<FileBody>(&item.Body)) {
    add(file->Path);
  } else if (const auto* folder = std::get_if<FolderBody>(&item.Body)) {
    add(WithoutTrailingSeparators(folder->PathPart.Folder));
    std::vector<std::string> masks;
    for (const std::string& mask : folder->Masks) masks.push_back(AsciiFolded(mask));
    std::sort(masks.begin(), masks.end());
    masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
    for (const std::string& mask : masks) add(mask);
  }
  return AsciiFolded(std::move(target));
}

std::string TooLongMessage(const StoredText& text) {
  const std::string length = text.Field + ": " + LengthText(text) + "; ";
  switch (text.Fix) {
  case Shortening::Cut: return length + "saving stores it cut to fit";
  case Shortening::MasksLeftOut:
    return length + "saving leaves out the last " + std::to_string(text.MasksLeftOut) + " of " +
           std::to_string(text.MaskCount) + " masks";
  case Shortening::Refused: break;
  }
  return length + "saving refuses it, since shortened it would name another place";
}

} // namespace

std::string LevelName(FindingLevel level) {
  return level == FindingLevel::Error ? "error" : "warning";
}

namespace {
void RunRules(const PlugInRecords& records, Linter& linter) {
  const std::vector<StoredText> overlong = OverlongTexts(records);
  auto tooLong = overlong.begin();
  const auto addTooLong = [&](int number) {
    for (; tooLong != overlong.end() && tooLong->ItemNumber == number; ++tooLong)
      linter.Add("text-too-long", FindingLevel::Error, [&] { return TooLongMessage(*tooLong); });
  };

  linter.SetOwner(0, "Plug-in");
  addTooLong(0);
  std::unordered_map<std::string, int> firstWithTarget;
  firstWithTarget.reserve(records.Items.size());
  for (std::size_t i = 0; i < records.Items.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const ItemRecord& item = records.Items[i];
    linter.Check(number, item);
    addTooLong(number);
    const auto [first, isNew] = firstWithTarget.emplace(Target(item), number);
    if (!isNew)
      linter.Add("duplicate-item", FindingLevel::Warning, [&, earlier = first->second] {
        return "the item removes what item " + std::to_string(earlier) + " removes";
      });
  }
}
} // namespace

std::vector<LintFinding> LintPlugIn(const PlugInRecords& records) {
  std::vector<LintFinding> findings;
  Linter linter(findings);
  RunRules(records, linter);
  return findings;
}

std::vector<FindingMark> MarkPlugIn(const PlugInRecords& records) {
  std::vector<FindingMark> marks;
  Linter linter(marks);
  RunRules(records, linter);
  return marks;
}

} // namespace plugin
