#pragma once
// One item as one key of a winapp2.ini entry, or why it has none. The item's texts
// are UTF-8 here; a rule never reaches more than the item does.

#include "plugin/PlugInRecords.h"

#include <string>
#include <vector>

namespace plugin {

struct ItemRule {
  bool FileKey = false;             // a FileKeyN, else a RegKeyN
  std::string Value;                // what follows "FileKeyN=" or "RegKeyN="
  std::string Detection;            // the folder it lies in (DetectFile) or the key (Detect)
  std::string LeftOutReason;        // when not empty, the item has no rule and this says why
  std::vector<std::string> Changes; // how the rule, narrower, differs from the item
};

ItemRule RuleOfItem(const ItemRecord& item);
// An item left out for `reason`.
ItemRule LeftOutRule(std::string reason);

// The bytes of the control character at `at` in `utf8`: a C0 control, DEL or a C1
// control (U+0080..U+009F); 0 when another character is there. A line break in a
// rule would end its line and start another, which a reader takes for a key of its own.
std::size_t ControlCharacterLength(const std::string& utf8, std::size_t at);

} // namespace plugin
