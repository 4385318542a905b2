#include "ppj/RuleTerms.h"

#include "cleanobjs/ItemRecordFormat.h"
#include "plugin/AsciiFold.h"

#include <algorithm>
#include <vector>

namespace plugin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A name as Windows compares it: folded, without its final dots and blanks, which the
// file system drops ("System32." is System32).
std::string ComparedName(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return AsciiFolded(std::move(name));
}

// The path's names as compared; empty names (a doubled or final "\") are no names.
std::vector<std::string> ComparedNames(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && !IsSeparator(path[i])) {
      name += path[i];
      continue;
    }
    if (!name.empty()) names.push_back(ComparedName(name));
    name.clear();
  }
  return names;
}

// The first name of `rest` and what follows it, its separator included.
std::pair<std::string, std::string> FirstName(const std::string& rest) {
  std::size_t start = 0;
  while (start < rest.size() && IsSeparator(rest[start])) ++start;
  std::size_t end = start;
  while (end < rest.size() && !IsSeparator(rest[end])) ++end;
  return {ComparedName(rest.substr(start, end - start)), rest.substr(end)};
}

// A path that begins with "%NAME%": the name and what follows it.
struct Leading {
  std::string Name; // folded
  std::string Rest;
};
std::optional<Leading> LeadingName(const std::string& path) {
  if (path.size() < 3 || path[0] != '%') return std::nullopt;
  const std::size_t end = path.find('%', 1);
  if (end == std::string::npos || end == 1) return std::nullopt;
  return Leading{AsciiFolded(path.substr(1, end - 1)), path.substr(end + 1)};
}

// What may follow the leading variable or macro, or why it may not.
std::string RestReason(const std::string& leading, const std::string& rest) {
  if (!rest.empty() && !IsSeparator(rest.front()))
    return leading + " is not followed by \"\\\", so it does not name a folder of its own";
  if (rest.find('%') != std::string::npos)
    return "the path holds a \"%\" after its first folder, which would be read as another "
           "variable or macro";
  // No folder of a cleaning rule needs a ":", and the checks of the folders' names
  // would not know System32 by the name of its stream.
  if (rest.find(':') != std::string::npos)
    return "the path holds a \":\" after its first folder, which names a stream: "
           "\"System32::$INDEX_ALLOCATION\" is System32 under another name";
  if (rest.find_first_of("*?") != std::string::npos)
    return "the path holds a wildcard in a folder: a rule searches every folder it matches, an "
           "item takes the name as written";
  return {};
}

// Why the Windows folder followed by `rest` is a place that a 32-bit cleaner sees
// apart from a 64-bit one: the system gives a 32-bit program SysWOW64's files for
// those of System32 (and of the Sysnative that names it for 32-bit programs), of
// lastgood\System32 and for regedit.exe.
std::string WindowsFolderReason(const std::string& rest, bool recursive) {
  static const std::vector<std::vector<std::string>> redirected = {
      {"system32"}, {"sysnative"}, {"lastgood", "system32"}, {"regedit.exe"}};
  const std::vector<std::string> names = ComparedNames(rest);
  for (const std::vector<std::string>& place : redirected) {
    const std::size_t common = std::min(names.size(), place.size());
    if (!std::equal(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(common),
                    place.begin()))
      continue;
    if (names.size() >= place.size())
      return "a 32-bit cleaner finds the files of System32 and regedit.exe in SysWOW64, a 64-bit "
             "one does not";
    if (recursive)
      return "its subfolders include System32, which a 32-bit cleaner finds in SysWOW64 and a "
             "64-bit one does not";
  }
  return {};
}

// The keys that a 32-bit program finds under WOW6432Node, below each root key: the
// machine's software, and the class registrations kept apart for 32-bit programs.
std::vector<std::vector<std::string>> RedirectedKeys(std::uint32_t rootKey) {
  static const std::vector<std::string> classKeys = {
      "clsid", "directshow", "interface", "media type", "mediafoundation", "wow6432node"};
  std::vector<std::vector<std::string>> keys;
  if (rootKey == kLocalMachine) keys.push_back({"software"});
  for (const std::string& key : classKeys) {
    if (rootKey == kClassesRoot) keys.push_back({key});
    if (rootKey == kCurrentUser) keys.push_back({"software", "classes", key});
  }
  return keys;
}

std::string RedirectedKeyText(bool holdsThem) {
  return holdsThem ? "the key holds keys that a 32-bit cleaner finds under WOW6432Node and a "
                     "64-bit one does not"
                   : "a 32-bit cleaner finds this key under WOW6432Node, a 64-bit one does not";
}

Carried Refused(std::string reason) { return Carried{std::nullopt, std::move(reason)}; }

} // namespace

Carried ItemFolderOfRuleFolder(const std::string& ruleFolder, bool recursive) {
  const std::optional<Leading> leading = LeadingName(ruleFolder);
  if (!leading)
    return Refused("the path does not begin with a variable such as %WinDir%: written out, it "
                   "may name a folder that a 32-bit cleaner finds elsewhere");
  const std::string variable = ruleFolder.substr(0, leading->Name.size() + 2);
  if (std::string reason = RestReason(variable, leading->Rest); !reason.empty())
    return Refused(reason);

  const std::string& name = leading->Name;
  const std::string& rest = leading->Rest;
  if (name == "windir" || name == "systemroot") {
    if (std::string reason = WindowsFolderReason(rest, recursive); !reason.empty())
      return Refused(reason);
    const auto [first, afterFirst] = FirstName(rest);
    if (first == "installer") return Carried{"%INST%" + afterFirst, {}};
    if (first == "downloaded program files") return Carried{"%DOWNLOAD%" + afterFirst, {}};
    return Carried{"%WINDOWS%" + rest, {}};
  }
  if (name == "userprofile") return Carried{"%PROFILE%" + rest, {}};
  if (name == "temp") return Carried{"%WINTEMP%" + rest, {}};
  if (name == "appdata") return Carried{"%PROFILE%\\AppData\\Roaming" + rest, {}};
  if (name == "localappdata") return Carried{"%PROFILE%\\AppData\\Local" + rest, {}};
  if (name == "programfiles")
    return Refused("a 32-bit cleaner finds %ProgramFiles% in \"Program Files (x86)\", a 64-bit one "
                   "does not");
  return Refused("no system folder macro names the folder of " + variable);
}

Carried RuleFolderOfItemFolder(const std::string& itemFolder, bool recursive) {
  const std::optional<Leading> leading = LeadingName(itemFolder);
  if (!leading)
    return Refused("the path does not begin with a system folder macro: written out, it may name "
                   "a folder that a 64-bit cleaner finds elsewhere");
  const std::string macro = itemFolder.substr(0, leading->Name.size() + 2);
  if (std::string reason = RestReason(macro, leading->Rest); !reason.empty())
    return Refused(reason);

  const std::string& name = leading->Name;
  const std::string& rest = leading->Rest;
  if (name == "windows") {
    if (std::string reason = WindowsFolderReason(rest, recursive); !reason.empty())
      return Refused(reason);
    return Carried{"%WinDir%" + rest, {}};
  }
  if (name == "profile") return Carried{"%UserProfile%" + rest, {}};
  if (name == "wintemp") return Carried{"%Temp%" + rest, {}};
  if (name == "inst") return Carried{"%WinDir%\\Installer" + rest, {}};
  if (name == "download") return Carried{"%WinDir%\\Downloaded Program Files" + rest, {}};
  if (name == "programfiles")
    return Refused("a 32-bit cleaner finds %PROGRAMFILES% in \"Program Files (x86)\", a 64-bit one "
                   "does not");
  static const std::vector<std::string> withoutFixedPlace = {
      "recent",          "tempinternet",         "history", "cookies", "opera_profile",
      "firefox_profile", "firefox_profile_local"};
  if (std::find(withoutFixedPlace.begin(), withoutFixedPlace.end(), name) !=
      withoutFixedPlace.end())
    return Refused("the macro " + macro +
                   " names a folder whose place differs between Windows "
                   "versions and browsers; no variable names it");
  return Refused(macro + " is not a system folder macro");
}

std::string RedirectedKeyReason(std::uint32_t rootKey, const std::string& keyPath, bool wholeKey) {
  std::vector<std::string> names = ComparedNames(keyPath);
  if (rootKey == kUsers) {
    // HKEY_USERS\<user> is that user's HKEY_CURRENT_USER, and HKEY_USERS\<user>_Classes
    // its Software\Classes. The root of all users holds every one of them.
    if (names.empty()) return wholeKey ? RedirectedKeyText(true) : std::string();
    const std::string user = names.front();
    names.erase(names.begin());
    if (user.size() > 8 && user.compare(user.size() - 8, 8, "_classes") == 0)
      names.insert(names.begin(), {"software", "classes"});
    rootKey = kCurrentUser;
  }
  for (const std::vector<std::string>& redirected : RedirectedKeys(rootKey)) {
    const std::size_t common = std::min(names.size(), redirected.size());
    if (!std::equal(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(common),
                    redirected.begin()))
      continue;
    if (names.size() >= redirected.size()) return RedirectedKeyText(false);
    if (wholeKey) return RedirectedKeyText(true);
  }
  return {};
}

namespace {
struct RootName {
  std::uint32_t Key;
  const char* Short;
  const char* Long;
};
constexpr RootName kRootNames[] = {{kCurrentUser, "HKCU", "HKEY_CURRENT_USER"},
                                   {kLocalMachine, "HKLM", "HKEY_LOCAL_MACHINE"},
                                   {kClassesRoot, "HKCR", "HKEY_CLASSES_ROOT"},
                                   {kUsers, "HKU", "HKEY_USERS"},
                                   {kCurrentConfig, "HKCC", "HKEY_CURRENT_CONFIG"}};
} // namespace

std::optional<std::uint32_t> RootKeyOfRuleName(const std::string& name) {
  for (const RootName& root : kRootNames)
    if (name == root.Short || name == root.Long) return root.Key;
  return std::nullopt;
}

std::optional<RuleKey> ParseRuleKey(const std::string& text, std::string& reason) {
  const std::size_t separator = text.find('\\');
  const std::string root = text.substr(0, separator);
  const std::optional<std::uint32_t> rootKey = RootKeyOfRuleName(root);
  if (!rootKey) {
    reason = "the root key \"" + root + "\" is none of HKCU, HKLM, HKCR, HKU and HKCC";
    return std::nullopt;
  }
  return RuleKey{*rootKey,
                 separator == std::string::npos ? std::string() : text.substr(separator + 1)};
}

std::string RuleNameOfRootKey(std::uint32_t rootKey) {
  for (const RootName& root : kRootNames)
    if (root.Key == rootKey) return root.Short;
  return {};
}

bool MayBeOnOneLine(const std::string& a, const std::string& b) {
  const std::vector<std::string> first = ComparedNames(a);
  const std::vector<std::string> second = ComparedNames(b);
  // A name of other letters than A to Z may be another's in other case, and a name
  // with "~" and a digit another's short name.
  const auto uncertain = [](const std::string& name) {
    const std::size_t tilde = name.find('~');
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) ||
           (tilde != std::string::npos && tilde + 1 < name.size() && name[tilde + 1] >= '0' &&
            name[tilde + 1] <= '9');
  };
  // A name of dots alone, ".." going up, may undo any name before it.
  const auto hasDots = [](const std::vector<std::string>& names) {
    return std::find(names.begin(), names.end(), std::string()) != names.end();
  };
  if (hasDots(first) || hasDots(second)) return true;
  const std::size_t common = std::min(first.size(), second.size());
  for (std::size_t i = 0; i < common; ++i)
    if (first[i] != second[i] && !uncertain(first[i]) && !uncertain(second[i])) return false;
  return true;
}

} // namespace plugin
