// Items on the clipboard: the stored bytes for the editor, the JSON text for anyone.

#include "plugin/ClipboardItems.h"
#include "plugin/JsonForm.h"
#include "tests/plugin/RecordBuilders.h"

#include <gtest/gtest.h>

using namespace plugin;

namespace {
std::vector<ItemRecord> OneOfEachKind() {
  ItemRecord registry = Registry(0x80000001u, 0, "Software\\Caf\xE9", "V\xFF");
  registry.Name = "N\xE9";
  return {registry, File("C:\\\x80.log"), Folder("%WINTEMP%\\x", {"*.tmp", "~*.\xE9"}, 7)};
}

bool SameItems(const std::vector<ItemRecord>& a, const std::vector<ItemRecord>& b) {
  return EncodePlugIn({PlugInHeader{}, a}) == EncodePlugIn({PlugInHeader{}, b});
}
} // namespace

TEST(ClipboardItems, EveryKindComesBackWholeFromTheBytesAndFromTheText) {
  const std::vector<ItemRecord> items = OneOfEachKind();
  const std::vector<std::uint8_t> bytes = EncodeClipboardItems(items);
  const auto decoded = DecodeClipboardItems(bytes.data(), bytes.size());
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(SameItems(*decoded, items));

  const std::string text = ItemsToJson(items);
  std::vector<ItemRecord> parsed;
  for (PastedItem& item : ItemsFromJson(text)) {
    EXPECT_TRUE(item.Named);
    parsed.push_back(std::move(item.Record));
  }
  EXPECT_TRUE(SameItems(parsed, items));
  // The text is the array of the plug-in's own text form, one indent less, and every
  // byte above 0x7F the character of its number.
  const std::string plugIn = PlugInToJson({PlugInHeader{"P", "A", 1.0, 3}, items});
  const std::string opening = "  \"items\": [\n";
  std::string array = "[\n";
  for (std::size_t line = plugIn.find(opening) + opening.size(); plugIn.compare(line, 4, "  ]\n") != 0;) {
    const std::size_t end = plugIn.find('\n', line) + 1;
    array += plugIn.substr(line + 2, end - line - 2);
    line = end;
  }
  EXPECT_EQ(array + "]\n", text);
  EXPECT_NE(text.find("\"name\": \"N\xC3\xA9\""), std::string::npos) << text;
}

TEST(ClipboardItems, TextMayHoldOneItemAnArrayOrAWholePlugInAndItemsMayGoWithoutNames) {
  const std::string plugIn = PlugInToJson({PlugInHeader{"P", "A", 1.0, 3}, OneOfEachKind()});
  const struct {
    std::string Text;
    std::size_t Items;
    bool FirstNamed;
  } cases[] = {
      {plugIn, 3, true},
      {ItemsToJson(OneOfEachKind()), 3, true},
      {"{\"kind\": \"file\", \"path\": \"C:\\\\a.log\"}", 1, false},
      {"[{\"kind\": \"file\", \"path\": \"C:\\\\a\"}, {\"kind\": \"file\", \"name\": \"\", \"path\": \"C:\\\\b\"}]", 2, false},
      {"[]", 0, false},
  };
  for (const auto& entry : cases) {
    const std::vector<PastedItem> items = ItemsFromJson(entry.Text);
    ASSERT_EQ(items.size(), entry.Items) << entry.Text;
    if (!items.empty()) EXPECT_EQ(items.front().Named, entry.FirstNamed) << entry.Text;
  }
  EXPECT_TRUE(ItemsFromJson(cases[3].Text).at(1).Named) << "an empty name is a name";
}

TEST(ClipboardItems, TextThatIsNotItemsIsRefusedWithTheReadersMessage) {
  const std::pair<std::string, std::string> cases[] = {
      {"42", "item 1: must be an object"},
      {"[{\"kind\": \"file\", \"path\": \"C:\\\\a\"}, 7]", "item 2: must be an object"},
      {"{\"kind\": \"disk\", \"path\": \"C:\\\\a\"}", "item 1, field \"kind\": unknown kind \"disk\"; use \"registry\", \"file\" or \"folder\""},
      {"{\"kind\": \"file\"}", "item 1, field \"path\": is missing"},
      {"{\"kind\": \"file\", \"path\": \"C:\\\\\xE4\xB8\x80\"}", ""}, // above U+00FF
      {"{\"header\": {}, \"items\": []}", "header, field \"time\": is missing; give \"time\" or \"timeBytes\""},
      {"not json", "invalid JSON"},
      // Refused before it is read: copied or written out, it would overrun the stack.
      {"{\"kind\": " + std::string(100000, '[') + std::string(100000, ']') + ", \"path\": \"C:\\\\a\"}",
       "the text nests deeper than 32 levels"},
      {"{\"kind\": [[1]], \"path\": \"C:\\\\a\"}", "item 1, field \"kind\": unknown kind (an array)"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ItemsFromJson(text);
      ADD_FAILURE() << text << " was taken as items";
    } catch (const TextFormError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, message.size()), message) << text;
    }
  }
}

TEST(ClipboardItems, ABytesImageIsRefusedForAPathTooLongAndWhenDamaged) {
  EXPECT_TRUE(EncodeClipboardItems({File("C:\\" + std::string(1100, 'x'))}).empty())
      << "cut, the path would name another file";
  EXPECT_TRUE(EncodeClipboardItems({Folder("C:\\x", {"a\nb"})}).empty()) << "a mask holding a line break";
  ItemRecord longName = File("C:\\x");
  longName.Name = std::string(200, 'n');
  EXPECT_TRUE(EncodeClipboardItems({longName}).empty()) << "a name the field would cut";
  const std::vector<std::uint8_t> bytes = EncodeClipboardItems(OneOfEachKind());
  EXPECT_FALSE(DecodeClipboardItems(bytes.data(), bytes.size() - 1).has_value());
  EXPECT_FALSE(DecodeClipboardItems(bytes.data(), 3).has_value());
  std::vector<std::uint8_t> unknownKind = bytes;
  unknownKind[kHeaderSize] = 9;
  EXPECT_FALSE(DecodeClipboardItems(unknownKind.data(), unknownKind.size()).has_value());
}
