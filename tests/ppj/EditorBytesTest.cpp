// The text form against the editor: for any plug-in file, building the dump gives
// exactly the bytes the editor's own item classes write when it opens that file and
// saves it, overlong texts shortened as its confirmed save shortens them.

#include "app/PlugInFile.h"
#include "plugin/JsonForm.h"
#include "plugin/PlugInRecords.h"
#include "tests/plugin/RecordBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plugin;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Open and Save in the editor: its reader makes the items, its writer writes them
// with the header as read and the number of items it holds.
Bytes EditorOpenAndSave(const Bytes& file) {
  TMemoryStream in(file);
  std::vector<std::unique_ptr<TCleanObj>> items;
  const PlugInReadResult read =
      ReadPlugInItems(in, [&items](std::unique_ptr<TCleanObj> item) { items.push_back(std::move(item)); });
  PlugInHeader header = read.Header;
  header.ItemCount = static_cast<std::int32_t>(items.size());
  std::vector<TCleanObj*> borrowed;
  for (const auto& item : items) borrowed.push_back(item.get());
  TMemoryStream out;
  WritePlugInItems(out, header, borrowed);
  return out.Bytes();
}

// dump, then build with shortening.
Bytes DumpAndBuild(const Bytes& file) {
  TMemoryStream in(file);
  PlugInRecords records;
  ReadPlugInRecords(in, records);
  return EncodePlugIn(PlugInFromJson(PlugInToJson(records)));
}

Bytes Encoded(std::vector<ItemRecord> items, double time = 46000.25) {
  PlugInRecords records;
  records.Header = PlugInHeader{"Edges", "Tester", time, 0};
  records.Items = std::move(items);
  return EncodePlugIn(records);
}

// Offsets of the first item's fields in a file.
constexpr std::size_t kFirstItemName = kHeaderSize + 1;
constexpr std::size_t kFirstItemBody = kFirstItemName + kNameFieldSize;

void ExpectSameAsEditor(const Bytes& file, const std::string& what) {
  const Bytes editor = EditorOpenAndSave(file);
  const Bytes built = DumpAndBuild(file);
  ASSERT_EQ(built.size(), editor.size()) << what;
  EXPECT_TRUE(built == editor) << what << ": the built bytes differ from the editor's save";
}

TEST(EditorBytes, EveryKindAndRegistryKindBuildsBackAsTheEditorSavesIt) {
  const Bytes file = Encoded({
      Registry(0x80000001, 0, "\\Software\\A", "Value"),
      Registry(0x80000002, 1, "Software\\B", "kept for the value kind"),
      Registry(0x80000000, 2, "C", ""),
      Registry(0x12345678, 9, "Unknown\\Root", "and kind"),
      ItemRecord{"file", FileBody{"%WINDOWS%\\x.log"}},
      Folder("%WINTEMP%", {"*.tmp", "", "*.bak"}, 2),
  });
  ExpectSameAsEditor(file, "kinds");
  EXPECT_TRUE(DumpAndBuild(file) == file) << "a file the writer made comes back unchanged";

  const std::string sampleBytes = ReadWholeFile(VARNEX_SAMPLE);
  ASSERT_FALSE(sampleBytes.empty());
  const Bytes sampleFile(sampleBytes.begin(), sampleBytes.end());
  ExpectSameAsEditor(sampleFile, "sample");
  EXPECT_TRUE(DumpAndBuild(sampleFile) == sampleFile) << "the shipped sample";
}

TEST(EditorBytes, FieldEdgesBuildBackAsTheEditorSavesThem) {
  // A 127-character name fills its field with its NUL; a 128-character one has none
  // and is shortened by one, as the editor's save shortens it.
  Bytes full = Encoded({ItemRecord{std::string(127, 'n'), FileBody{"C:\\f"}}});
  ExpectSameAsEditor(full, "127-character name");
  EXPECT_TRUE(DumpAndBuild(full) == full);
  full[kFirstItemName + 127] = 'n';
  ExpectSameAsEditor(full, "name without a NUL");

  // A key path and a folder path without a NUL.
  Bytes key = Encoded({Registry(0x80000001, 0, "k", "v")});
  std::fill_n(key.begin() + kFirstItemBody + 4, kKeyFieldSize, std::uint8_t{'k'});
  ExpectSameAsEditor(key, "key path without a NUL");
  Bytes path = Encoded({Folder("C:\\d", {"*"}, 1)});
  std::fill_n(path.begin() + kFirstItemBody, kPathFieldSize, std::uint8_t{'p'});
  ExpectSameAsEditor(path, "folder path without a NUL");

  // Masks split at CR, LF and CR LF are written back each followed by CR LF, which
  // lengthens the text: a text that no longer fits is shortened.
  ExpectSameAsEditor(Encoded({Folder("C:\\d", {"a\rb\nc\r\nd\n\re"}, 0)}), "line breaks");
  ExpectSameAsEditor(Encoded({Folder("C:\\d", {std::string(1000, 'm') + std::string(20, '\r')}, 0)}),
                     "masks that grow past their field");

  // Bytes above 0x7F in every kind of text, and stray bytes after the last item.
  const std::string high = "\x80\xA9\xE9\xFF";
  Bytes texts = Encoded({Registry(0x80000001, 0, "K" + high, "V" + high),
                         ItemRecord{"n" + high, FileBody{"C:\\" + high}},
                         Folder("C:\\" + high, {"*" + high}, 1)});
  ExpectSameAsEditor(texts, "bytes above 0x7F");
  EXPECT_TRUE(DumpAndBuild(texts) == texts);
  texts.insert(texts.end(), {1, 2, 3});
  ExpectSameAsEditor(texts, "bytes after the last item");
}

TEST(EditorBytes, HeaderEdgesAndDamageBuildBackAsTheEditorSavesThem) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ExpectSameAsEditor(Encoded({}, nan), "NaN time stamp");
  ExpectSameAsEditor(Encoded({}, -1.0e300), "a time stamp far before any calendar");

  // A count larger than the items held, and a file ending inside its second item:
  // both keep what could be read.
  Bytes damaged = Encoded({ItemRecord{"a", FileBody{"C:\\a"}}, ItemRecord{"b", FileBody{"C:\\b"}}});
  damaged.resize(damaged.size() - 10);
  ExpectSameAsEditor(damaged, "truncated");
  Bytes overcounted = Encoded({ItemRecord{"a", FileBody{"C:\\a"}}});
  overcounted[kHeaderSize - 8] = 9;
  ExpectSameAsEditor(overcounted, "more items counted than held");
  Bytes unknownKind = Encoded({ItemRecord{"a", FileBody{"C:\\a"}}, ItemRecord{"b", FileBody{"C:\\b"}}});
  unknownKind[kHeaderSize + kFileRecordSize] = 7;
  ExpectSameAsEditor(unknownKind, "unknown kind");
}

} // namespace
