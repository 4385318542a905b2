#pragma once
// The folders and keys of winapp2.ini's rules and of a plug-in's items in each other's
// terms. A rule's path begins with an environment variable (%WinDir%), an item's with
// a system folder macro (%WINDOWS%); a folder is carried over only where both name
// the same folder, and a folder or key only where a 32-bit cleaner, which the items
// run in, and a 64-bit one, which reads the rules, find the same files and keys.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plugin {

// A text in the other form, or why it has none.
struct Carried {
  std::optional<std::string> Text;
  std::string Reason; // when there is no text: what is left out, and why
};

// A rule's folder, "%LocalAppData%\Foo", as an item's, "%PROFILE%\AppData\Local\Foo".
// `recursive`: the item also walks the folder's subfolders.
Carried ItemFolderOfRuleFolder(const std::string& ruleFolder, bool recursive);
// An item's folder, "%INST%\Foo", as a rule's, "%WinDir%\Installer\Foo".
Carried RuleFolderOfItemFolder(const std::string& itemFolder, bool recursive);

// Why a 32-bit cleaner would reach other keys there than a 64-bit one (the keys of
// HKEY_LOCAL_MACHINE\Software and the class registrations it finds under
// WOW6432Node); empty when both reach the same keys. `keyPath` has no root;
// `wholeKey`: the key is removed with its subkeys, so a key that holds such keys counts.
std::string RedirectedKeyReason(std::uint32_t rootKey, const std::string& keyPath, bool wholeKey);

// The root key a rule names: "HKCU" or "HKEY_CURRENT_USER", spelt so: a reader may not
// know another spelling.
std::optional<std::uint32_t> RootKeyOfRuleName(const std::string& name);
// A rule's key, "HKCU\Software\X": its root and the path below it.
struct RuleKey {
  std::uint32_t RootKey = 0;
  std::string Path;
};
// The key, or nothing with `reason` saying that its root is none of the five.
std::optional<RuleKey> ParseRuleKey(const std::string& text, std::string& reason);

// "HKCU", "HKLM", "HKCR", "HKU", "HKCC"; empty for any other number.
std::string RuleNameOfRootKey(std::uint32_t rootKey);

// Whether two paths (folders or keys) may be one place, or one lie below the other,
// as Windows compares names: without regard to case and to a name's final dots and
// blanks, at "\" or "/". Names that cannot be compared here (letters other than A to
// Z, short names) are taken to match, and a path with a name of dots alone, which may
// go up anywhere, is taken to meet every other.
bool MayBeOnOneLine(const std::string& a, const std::string& b);

} // namespace plugin
