#pragma once
// The plug-in as JSON text, for people, diffs and version control, and back; and the
// checks' findings as JSON. Texts go through StoredTextForm.h, so every stored byte
// comes back.

#include "plugin/Lint.h"
#include "plugin/PlugInRecords.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace plugin {

// Raised for text that is not a plug-in; the message names the item and the field.
class TextFormError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Pretty-printed, two spaces an indent, ending in a line break.
std::string PlugInToJson(const PlugInRecords& records);
// The records the text describes; the header's ItemCount is the number of items.
PlugInRecords PlugInFromJson(const std::string& text);

std::string FindingsToJson(const std::vector<LintFinding>& findings);

// Items as the array of a plug-in's text form, for the clipboard's text.
std::string ItemsToJson(const std::vector<ItemRecord>& items);

// An item taken from text; Named is false when the text gave it no name.
struct PastedItem {
  ItemRecord Record;
  bool Named = true;
};
// The items of a text holding one item, an array of items or a whole plug-in. Any
// other text raises TextFormError with the message that reading a plug-in gives.
std::vector<PastedItem> ItemsFromJson(const std::string& text);

} // namespace plugin
