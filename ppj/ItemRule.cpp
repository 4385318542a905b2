#include "ppj/ItemRule.h"

#include "ppj/RuleTerms.h"
#include "ppj/Utf8Text.h"

namespace plugin {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HoldsControlCharacter(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i)
    if (ControlCharacterLength(utf8, i) != 0) return true;
  return false;
}

// Why a rule's field holding `text` would say more than the item, or empty: a line
// break would end the rule's line and start another, which a reader takes for a key
// of its own, and "|" would split the rule's fields.
std::string FieldReason(const std::string& what, const std::string& text) {
  if (HoldsControlCharacter(text))
    return what +
           " holds a control character, such as a line break, which would end the rule's line";
  if (text.find('|') != std::string::npos)
    return what + " holds \"|\", which would split the rule's fields";
  return {};
}

// Why a reader of the rule may take `text` for more than it says, for the first of
// `characters` that it holds; empty when it holds none.
std::string ReaderReason(const std::string& what, const std::string& text,
                         const std::string& characters) {
  const std::size_t found = text.find_first_of(characters);
  if (found == std::string::npos) return {};
  const char c = text[found];
  const std::string reading = c == ';' ? "which the rule would read as the start of another pattern"
                              : c == '%' ? "which a reader of the rule may expand as a variable"
                                         : "which a reader of the rule may take for a wildcard";
  return what + " holds \"" + std::string(1, c) + "\", " + reading;
}

// Why the rule's field holding `text` would say more than the item or be read as
// more, or empty: a reader may also drop blanks around a field, and a name or key
// that begins or ends in one is another name or key than the one without.
std::string TextReason(const std::string& what, const std::string& text,
                       const std::string& characters) {
  if (std::string reason = FieldReason(what, text); !reason.empty()) return reason;
  if (HasOuterBlank(text))
    return what + " begins or ends in white space, which a reader of the rule may drop";
  return ReaderReason(what, text, characters);
}

// The item's folder as a rule's, without final separators, or why it has none.
Carried RuleFolder(const std::string& itemFolder, bool recursive) {
  Carried carried = RuleFolderOfItemFolder(itemFolder, recursive);
  if (carried.Text)
    while (!carried.Text->empty() && IsSeparator(carried.Text->back())) carried.Text->pop_back();
  return carried;
}

std::string WithoutOuterSeparators(const std::string& key) {
  const std::size_t first = key.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  return key.substr(first, key.find_last_not_of('\\') - first + 1);
}

ItemRule RegistryRule(const RegistryBody& body) {
  const std::string root = RuleNameOfRootKey(body.RootKey);
  if (root.empty()) return LeftOutRule("the root key is none of HKCU, HKLM, HKCR, HKU and HKCC");
  if (body.Kind == 2)
    return LeftOutRule("the item removes every value of its key but keeps its subkeys; a rule "
                       "removes one value or the whole key");
  if (body.Kind > 2)
    return LeftOutRule("the registry kind " + std::to_string(body.Kind) + " has no rule");
  // Plug-ins often store the key path with a leading "\", a rule names the key after its root.
  const std::string key = WithoutOuterSeparators(body.KeyPath);
  if (key.empty())
    return LeftOutRule("the key path is empty, and a rule names a key below its root");
  if (std::string reason = TextReason("the key path", key, "*?%"); !reason.empty())
    return LeftOutRule(reason);
  ItemRule rule;
  rule.Value = root + "\\" + key;
  rule.Detection = rule.Value;
  if (body.Kind == 0) {
    if (body.ValueName.empty())
      return LeftOutRule("the item removes the key's default value, and a rule of the key with an "
                         "empty value name may be read as the whole key");
    if (std::string reason = TextReason("the value name", body.ValueName, "*?%"); !reason.empty())
      return LeftOutRule(reason);
    rule.Value += "|" + body.ValueName;
  }
  if (std::string reason = RedirectedKeyReason(body.RootKey, key, body.Kind == 1); !reason.empty())
    return LeftOutRule(reason);
  return rule;
}

ItemRule FileRule(const std::string& path) {
  if (std::string reason = FieldReason("the path", path); !reason.empty())
    return LeftOutRule(reason);
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return LeftOutRule("the path names no folder");
  const std::string name = path.substr(separator + 1);
  if (name.empty()) return LeftOutRule("the path ends in a separator and names no file");
  // The directory search also takes "<", ">" and "\"" for wildcards.
  if (name.find_first_of("*?<>\"") != std::string::npos)
    return LeftOutRule(
        "the file name holds a wildcard: the item deletes the first file it matches, "
        "a rule every one");
  if (name.find(':') != std::string::npos)
    return LeftOutRule("the file name holds \":\", which names a stream of a file");
  if (std::string reason = TextReason("the file name", name, ";%"); !reason.empty())
    return LeftOutRule(reason);
  // The whole path is checked too, so that a file the system finds elsewhere for a 32-bit
  // program (%WINDOWS%\regedit.exe) is found.
  const Carried whole = RuleFolderOfItemFolder(path, false);
  if (!whole.Text) return LeftOutRule(whole.Reason);
  const Carried folder = RuleFolder(path.substr(0, separator), false);
  if (!folder.Text) return LeftOutRule(folder.Reason);
  ItemRule rule;
  rule.FileKey = true;
  rule.Value = *folder.Text + "|" + name;
  rule.Detection = *folder.Text;
  return rule;
}

ItemRule FolderRule(const FolderBody& body) {
  const std::string& path = body.PathPart.Folder;
  if (std::string reason = FieldReason("the path", path); !reason.empty())
    return LeftOutRule(reason);
  const Carried folder = RuleFolder(path, true);
  if (!folder.Text) return LeftOutRule(folder.Reason);

  ItemRule rule;
  std::string patterns;
  for (const std::string& mask : body.Masks) {
    if (mask.empty()) {
      rule.Changes.push_back("an empty mask is left out");
      continue;
    }
    if (std::string reason = TextReason("the mask " + Quoted(mask), mask, ";%"); !reason.empty()) {
      rule.Changes.push_back(reason + "; the rule leaves it out");
      continue;
    }
    patterns += (patterns.empty() ? "" : ";") + mask;
  }
  if (patterns.empty()) {
    std::string reason = "no mask is left for the rule";
    for (const std::string& change : rule.Changes) reason += "; " + change;
    return LeftOutRule(reason);
  }
  rule.FileKey = true;
  rule.Value = *folder.Text + "|" + patterns + "|RECURSE";
  rule.Detection = *folder.Text;
  if (body.PathPart.RemoveEmptyFolder != 0)
    rule.Changes.push_back("the item also removes the subfolders it empties; the rule keeps them, "
                           "since REMOVESELF would remove the folder itself as well");
  return rule;
}

} // namespace

ItemRule LeftOutRule(std::string reason) {
  ItemRule rule;
  rule.LeftOutReason = std::move(reason);
  return rule;
}

std::size_t ControlCharacterLength(const std::string& utf8, std::size_t at) {
  const auto byte = static_cast<unsigned char>(utf8[at]);
  if (byte < 0x20 || byte == 0x7F) return 1;
  const bool c1 =
      byte == 0xC2 && at + 1 < utf8.size() && static_cast<unsigned char>(utf8[at + 1]) <= 0x9F;
  return c1 ? 2 : 0;
}

ItemRule RuleOfItem(const ItemRecord& item) {
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) return RegistryRule(*registry);
  if (const auto* file = std::get_if<FileBody>(&item.Body)) return FileRule(file->Path);
  return FolderRule(std::get<FolderBody>(item.Body));
}

} // namespace plugin
