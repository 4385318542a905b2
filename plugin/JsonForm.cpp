// The one file that includes the JSON library: it is large, and compiling it in more
// than one place would cost seconds each time.
#include "plugin/JsonForm.h"

#include "plugin/RecordNames.h"
#include "plugin/StoredTextForm.h"

#include <nlohmann/json.hpp>

#include <set>

namespace plugin {

namespace {

using Json = nlohmann::ordered_json;

// Where in the text a value is, for error messages: "header" or "item 3".
struct Place {
  std::string Owner;

  [[noreturn]] void Fail(const std::string& field, const std::string& what) const {
    throw TextFormError(Owner + ", field \"" + field + "\": " + what);
  }
};

Json TextValue(const std::string& bytes) { return BytesToUtf8(bytes); }

Json RegistryJson(const RegistryBody& body) {
  Json json;
  const std::string root = RootKeyName(body.RootKey);
  json["rootKey"] = root.empty() ? Json(body.RootKey) : Json(root);
  const std::string kind = RegistryKindName(body.Kind);
  json["registryKind"] = kind.empty() ? Json(body.Kind) : Json(kind);
  json["keyPath"] = TextValue(body.KeyPath);
  json["valueName"] = TextValue(body.ValueName);
  return json;
}

Json ItemJson(const ItemRecord& item) {
  Json json;
  json["kind"] = ItemKindName(item.Kind());
  json["name"] = TextValue(item.Name);
  if (const auto* registry = std::get_if<RegistryBody>(&item.Body)) {
    json.update(RegistryJson(*registry));
  } else if (const auto* file = std::get_if<FileBody>(&item.Body)) {
    json["path"] = TextValue(file->Path);
  } else if (const auto* folder = std::get_if<FolderBody>(&item.Body)) {
    json["path"] = TextValue(folder->PathPart.Folder);
    json["removeEmptyFolders"] = folder->PathPart.RemoveEmptyFolder;
    Json masks = Json::array();
    for (const std::string& mask : folder->Masks) masks.push_back(TextValue(mask));
    json["masks"] = std::move(masks);
  }
  return json;
}

// The fields of one object, each taken once; what is left at the end is unknown.
class Fields {
public:
  Fields(const Json& object, Place place) : FObject(object), FPlace(std::move(place)) {
    if (!object.is_object()) throw TextFormError(FPlace.Owner + ": must be an object");
    for (const auto& entry : object.items()) FLeft.insert(entry.key());
  }

  const Json* Find(const std::string& field) {
    FLeft.erase(field);
    const auto found = FObject.find(field);
    return found == FObject.end() ? nullptr : &*found;
  }

  const Json& Require(const std::string& field) {
    const Json* value = Find(field);
    if (!value) FPlace.Fail(field, "is missing");
    return *value;
  }

  std::string Text(const std::string& field, bool required) {
    const Json* value = required ? &Require(field) : Find(field);
    if (!value) return {};
    return TextOf(field, *value);
  }

  std::string TextOf(const std::string& field, const Json& value) const {
    if (!value.is_string()) FPlace.Fail(field, "must be a string");
    StoredTextError error;
    const std::optional<std::string> bytes = Utf8ToBytes(value.get<std::string>(), error);
    if (!bytes) FPlace.Fail(field, error.Reason);
    return *bytes;
  }

  // A name of `names`, or a number up to `maximum` for a value that has none.
  template <typename Number>
  Number NameOrNumber(const std::string& field, std::optional<Number> (*fromName)(const std::string&),
                      std::uint64_t maximum, const std::string& names) {
    const Json& value = Require(field);
    if (value.is_string()) {
      if (const auto number = fromName(value.get<std::string>())) return *number;
      FPlace.Fail(field, "unknown name \"" + value.get<std::string>() + "\"; use " + names +
                             ", or a number");
    }
    if (value.is_number_unsigned() && value.get<std::uint64_t>() <= maximum)
      return static_cast<Number>(value.get<std::uint64_t>());
    FPlace.Fail(field, "must be one of " + names + ", or a number from 0 to " +
                           std::to_string(maximum));
  }

  std::uint8_t Flag(const std::string& field) {
    const Json* value = Find(field);
    if (!value) return 0;
    if (value->is_boolean()) return value->get<bool>() ? 1 : 0;
    if (value->is_number_unsigned() && value->get<std::uint64_t>() <= 255)
      return static_cast<std::uint8_t>(value->get<std::uint64_t>());
    FPlace.Fail(field, "must be true, false or a number from 0 to 255");
  }

  void RefuseUnknown() const {
    if (FLeft.empty()) return;
    throw TextFormError(FPlace.Owner + ": unknown field \"" + *FLeft.begin() + "\"");
  }

  const Place& Where() const { return FPlace; }

private:
  const Json& FObject;
  Place FPlace;
  std::set<std::string> FLeft;
};

RegistryBody RegistryFromJson(Fields& fields) {
  RegistryBody body;
  body.RootKey = fields.NameOrNumber<std::uint32_t>(
      "rootKey", RootKeyFromName, 0xFFFFFFFFu,
      "HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG");
  body.Kind = fields.NameOrNumber<std::uint8_t>("registryKind", RegistryKindFromName, 255,
                                                "\"value\", \"key\", \"all values\"");
  body.KeyPath = fields.Text("keyPath", true);
  body.ValueName = fields.Text("valueName", false);
  return body;
}

FolderBody FolderFromJson(Fields& fields) {
  FolderBody body;
  body.PathPart.Folder = fields.Text("path", true);
  body.PathPart.RemoveEmptyFolder = fields.Flag("removeEmptyFolders");
  const Json& masks = fields.Require("masks");
  if (!masks.is_array()) fields.Where().Fail("masks", "must be an array of strings");
  for (const Json& mask : masks) {
    std::string text = fields.TextOf("masks", mask);
    // The stored mask text is one line per mask: a line break would split it.
    if (text.find_first_of("\r\n") != std::string::npos)
      fields.Where().Fail("masks", "a mask cannot hold a line break");
    body.Masks.push_back(std::move(text));
  }
  return body;
}

// A plug-in's text nests four levels deep. Deeper text is refused before it is read:
// a value nested thousands deep would overrun the stack when copied or written out.
constexpr int kDeepestNesting = 32;

Json ParsedText(const std::string& text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kDeepestNesting)
        throw TextFormError("the text nests deeper than " + std::to_string(kDeepestNesting) +
                            " levels; a plug-in nests 4");
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& error) {
    throw TextFormError(std::string("invalid JSON: ") + error.what());
  }
}

// A value as the message shows it: an array or an object only by its type, since
// writing out a deeply nested one would overrun the stack.
std::string Shown(const Json& value) {
  if (value.is_array()) return "(an array)";
  if (value.is_object()) return "(an object)";
  return value.dump();
}

ItemRecord ItemFromJson(const Json& json, int number) {
  Fields fields(json, Place{"item " + std::to_string(number)});
  ItemRecord item;
  const Json& kindValue = fields.Require("kind");
  const std::optional<ItemKind> kind =
      kindValue.is_string() ? ItemKindFromName(kindValue.get<std::string>()) : std::nullopt;
  if (!kind)
    fields.Where().Fail("kind", "unknown kind " + Shown(kindValue) +
                                    "; use \"registry\", \"file\" or \"folder\"");
  item.Name = fields.Text("name", false);
  switch (*kind) {
  case ItemKind::Registry: item.Body = RegistryFromJson(fields); break;
  case ItemKind::File: item.Body = FileBody{fields.Text("path", true)}; break;
  case ItemKind::Folder: item.Body = FolderFromJson(fields); break;
  }
  fields.RefuseUnknown();
  return item;
}

PlugInHeader HeaderFromJson(const Json& json) {
  Fields fields(json, Place{"header"});
  PlugInHeader header;
  header.Name = fields.Text("name", false);
  header.Author = fields.Text("author", false);
  // The stored bytes hold any value exactly; the readable time is for people, and
  // for plug-ins written by hand.
  const Json* bytes = fields.Find("timeBytes");
  const Json* time = fields.Find("time");
  if (bytes) {
    const std::optional<double> value =
        bytes->is_string() ? TimeStampFromBytes(bytes->get<std::string>()) : std::nullopt;
    if (!value) fields.Where().Fail("timeBytes", "must be 16 hex digits, the 8 stored bytes");
    // A time edited by hand beside the stored bytes would otherwise be lost unseen.
    if (time && !time->is_null() && *time != Json(TimeStampText(*value)))
      fields.Where().Fail("time", "differs from \"timeBytes\"; remove one of them");
    header.Time = *value;
  } else if (time && !time->is_null()) {
    const std::optional<double> value =
        time->is_string() ? TimeStampFromText(time->get<std::string>()) : std::nullopt;
    if (!value)
      fields.Where().Fail("time", "must be a date and time \"YYYY-MM-DD HH:MM:SS\" from 1601 to 9999");
    header.Time = *value;
  } else {
    fields.Where().Fail("time", "is missing; give \"time\" or \"timeBytes\"");
  }
  fields.RefuseUnknown();
  return header;
}

} // namespace

std::string PlugInToJson(const PlugInRecords& records) {
  Json header;
  header["name"] = TextValue(records.Header.Name);
  header["author"] = TextValue(records.Header.Author);
  const std::string time = TimeStampText(records.Header.Time);
  header["time"] = time.empty() ? Json(nullptr) : Json(time);
  header["timeBytes"] = TimeStampBytes(records.Header.Time);

  Json items = Json::array();
  for (const ItemRecord& item : records.Items) items.push_back(ItemJson(item));

  Json json;
  json["header"] = std::move(header);
  json["items"] = std::move(items);
  return json.dump(2) + "\n";
}

PlugInRecords PlugInFromJson(const std::string& text) {
  const Json json = ParsedText(text);
  Fields fields(json, Place{"plug-in"});
  PlugInRecords records;
  records.Header = HeaderFromJson(fields.Require("header"));
  const Json& items = fields.Require("items");
  if (!items.is_array()) fields.Where().Fail("items", "must be an array of items");
  fields.RefuseUnknown();
  int number = 1;
  for (const Json& item : items) records.Items.push_back(ItemFromJson(item, number++));
  records.Header.ItemCount = static_cast<std::int32_t>(records.Items.size());
  return records;
}

std::string ItemsToJson(const std::vector<ItemRecord>& items) {
  Json array = Json::array();
  for (const ItemRecord& item : items) array.push_back(ItemJson(item));
  return array.dump(2) + "\n";
}

std::vector<PastedItem> ItemsFromJson(const std::string& text) {
  const Json json = ParsedText(text);
  std::vector<PastedItem> pasted;
  const auto take = [&pasted](const Json& item, int number) {
    const bool named = item.is_object() && item.contains("name");
    pasted.push_back({ItemFromJson(item, number), named});
  };
  if (json.is_object() && json.contains("items")) {
    // A whole plug-in: read as one, so that its every field is checked, then its items.
    PlugInFromJson(text);
    int number = 1;
    for (const Json& item : json.at("items")) take(item, number++);
  } else if (json.is_array()) {
    int number = 1;
    for (const Json& item : json) take(item, number++);
  } else {
    take(json, 1);
  }
  return pasted;
}

std::string FindingsToJson(const std::vector<LintFinding>& findings) {
  Json json = Json::array();
  for (const LintFinding& finding : findings) {
    Json entry;
    entry["rule"] = finding.Rule;
    entry["level"] = LevelName(finding.Level);
    entry["item"] = finding.ItemNumber;
    entry["description"] = BytesToUtf8(finding.Description);
    entry["message"] = BytesToUtf8(finding.Message);
    json.push_back(std::move(entry));
  }
  return json.dump(2) + "\n";
}

} // namespace plugin
