#include "ppj/RuleExclusions.h"

#include "plugin/AsciiFold.h"

namespace plugin {

namespace {

constexpr std::uint32_t kUsers = 0x80000003;

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

// The paths by which a key may be named below its root: HKEY_USERS\<user>\X is also
// HKEY_CURRENT_USER\X, and HKEY_CLASSES_ROOT\X is also Software\Classes\X of the user
// and of the machine. Keys compare by these, whatever their roots.
std::vector<std::string> KeyPlaces(const RuleKey& key) {
  std::vector<std::string> places{key.Path};
  std::string path = key.Path;
  while (!path.empty() && path.front() == '\\') path.erase(0, 1);
  if (key.RootKey == kUsers) {
    const std::size_t end = path.find('\\');
    path = end == std::string::npos ? std::string() : path.substr(end + 1);
    places.push_back(path);
  }
  if (AsciiFolded(path).rfind("software\\classes", 0) == 0) places.push_back(path.substr(16));
  return places;
}

} // namespace

std::optional<Exclusion> ReadExclusion(const IniKey& key, std::string& reason) {
  const std::vector<std::string> fields = SplitAt(key.Value, '|');
  const std::string kind = AsciiFolded(fields[0]);
  if (fields.size() < 2 || fields.size() > 3 || (kind != "file" && kind != "path" && kind != "reg")) {
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
  return OnOneLine(deleted, kept);
}

bool MayKeepFromKey(const Exclusion& exclusion, const RuleKey& key) {
  if (!exclusion.Registry) return false;
  for (const std::string& deleted : KeyPlaces(key))
    for (const std::string& kept : exclusion.Keys)
      if (OnOneLine(deleted, kept)) return true;
  return false;
}

} // namespace plugin
