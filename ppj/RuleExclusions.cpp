#include "ppj/RuleExclusions.h"

#include "cleanobjs/ItemRecordFormat.h"
#include "plugin/AsciiFold.h"

#include <algorithm>

namespace plugin {

namespace {

// A folder as compared: %INST% and %DOWNLOAD% are folders of %WINDOWS%.
std::string ComparableFolder(const std::string& itemFolder) {
  const std::string folded = AsciiFolded(itemFolder);
  if (folded.rfind("%inst%", 0) == 0) return "%WINDOWS%\\Installer" + itemFolder.substr(6);
  if (folded.rfind("%download%", 0) == 0)
    return "%WINDOWS%\\Downloaded Program Files" + itemFolder.substr(10);
  return itemFolder;
}

std::string LeadingMacro(const std::string& folder) {
  const std::size_t end = folder.find('%', 1);
  return end == std::string::npos ? std::string() : AsciiFolded(folder.substr(0, end + 1));
}

std::string Joined(std::vector<std::string>::const_iterator from,
                   std::vector<std::string>::const_iterator to) {
  std::string path;
  for (auto name = from; name != to; ++name) path += (path.empty() ? "" : "\\") + *name;
  return path;
}

bool StartsWith(const std::vector<std::string>& names, std::initializer_list<const char*> start) {
  if (names.size() < start.size()) return false;
  std::size_t i = 0;
  for (const char* name : start)
    if (names[i++] != name) return false;
  return true;
}

bool IsControlSet(const std::string& name) {
  return name == "currentcontrolset" ||
         (name.size() == 13 && name.rfind("controlset", 0) == 0 &&
          std::all_of(name.begin() + 10, name.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// The paths by which a key may be named below its root: HKEY_USERS\<user>\X is also
// HKEY_CURRENT_USER\X, HKEY_CLASSES_ROOT\X also Software\Classes\X of the user and of
// the machine, and HKEY_CURRENT_CONFIG\X System\CurrentControlSet\Hardware
// Profiles\<profile>\X of the machine, whose ControlSet001 may be the current one.
// Keys compare by these, whatever their roots.
std::vector<std::string> KeyPlaces(const RuleKey& key) {
  std::vector<std::string> names;
  for (const std::string& name : SplitAt(key.Path, '\\'))
    if (!name.empty()) names.push_back(AsciiFolded(name));
  std::vector<std::string> places{Joined(names.begin(), names.end())};
  if (key.RootKey == kUsers && !names.empty()) {
    names.erase(names.begin());
    places.push_back(Joined(names.begin(), names.end()));
  }
  if (StartsWith(names, {"software", "classes"}))
    places.push_back(Joined(names.begin() + 2, names.end()));
  if (names.size() >= 2 && names[0] == "system" && IsControlSet(names[1])) {
    names[1] = "currentcontrolset";
    places.push_back(Joined(names.begin(), names.end()));
    if (names.size() >= 4 && names[2] == "hardware profiles")
      places.push_back(Joined(names.begin() + 4, names.end()));
  }
  return places;
}

} // namespace

std::optional<Exclusion> ReadExclusion(const IniKey& key, std::string& reason) {
  const std::vector<std::string> fields = SplitAt(key.Value, '|');
  const std::string kind = AsciiFolded(fields[0]);
  if (fields.size() < 2 || fields.size() > 3 ||
      (kind != "file" && kind != "path" && kind != "reg")) {
    reason = "an ExcludeKey is FILE|PATH|NAMES, PATH|PATH|PATTERNS or REG|KEY[|VALUE]";
    return std::nullopt;
  }
  Exclusion exclusion{key.Line, kind == "reg", std::nullopt, {}};
  if (!exclusion.Registry) {
    exclusion.Folder = ItemFolderOfRuleFolder(fields[1], false).Text;
    return exclusion;
  }
  const std::optional<RuleKey> excluded = ParseRuleKey(fields[1], reason);
  if (!excluded) return std::nullopt;
  exclusion.Keys = KeyPlaces(*excluded);
  return exclusion;
}

bool MayKeepFromFolder(const Exclusion& exclusion, const std::string& itemFolder) {
  if (exclusion.Registry) return false;
  if (!exclusion.Folder) return true;
  const std::string deleted = ComparableFolder(itemFolder);
  const std::string kept = ComparableFolder(*exclusion.Folder);
  // The temporary folder lies in the profile or in the Windows folder, as the machine
  // has it, so it may meet every other folder.
  const std::string deletedMacro = LeadingMacro(deleted), keptMacro = LeadingMacro(kept);
  if (deletedMacro != keptMacro && (deletedMacro == "%wintemp%" || keptMacro == "%wintemp%"))
    return true;
  return MayBeOnOneLine(deleted, kept);
}

bool MayKeepFromKey(const Exclusion& exclusion, const RuleKey& key) {
  if (!exclusion.Registry) return false;
  for (const std::string& deleted : KeyPlaces(key))
    for (const std::string& kept : exclusion.Keys)
      if (MayBeOnOneLine(deleted, kept)) return true;
  return false;
}

} // namespace plugin
