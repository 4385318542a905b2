#include "plugin/JsonForm.h"
#include "tests/plugin/RecordBuilders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace plugin;

namespace {

using Bytes = std::vector<std::uint8_t>;

double FromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The records the editor reads back from the bytes it wrote for them.
PlugInRecords ReadBack(const Bytes& bytes) {
  TMemoryStream stream(bytes);
  PlugInRecords records;
  EXPECT_EQ(ReadPlugInRecords(stream, records).Outcome, ReadOutcome::Complete);
  return records;
}

PlugInRecords OneItem(ItemRecord item, double time = 36526.25) {
  return PlugInRecords{PlugInHeader{"P", "A", time, 1}, {std::move(item)}};
}

std::string ErrorOf(const std::string& text) {
  try {
    PlugInFromJson(text);
  } catch (const TextFormError& error) {
    return error.what();
  }
  return "(accepted)";
}

// A plug-in text whose first item is valid and whose second is `item`.
std::string WithSecondItem(const std::string& item) {
  return R"({"header": {"name": "P", "time": "2000-01-01"}, "items": [)"
         R"({"kind": "file", "path": "C:\\a"}, )" + item + "]}";
}

} // namespace

TEST(JsonForm, TextFormGivesBackTheBytesOfTheRecordsRead) {
  std::string everyByte; // 1 to 255: controls, quotes, backslashes, CR, LF and high bytes
  for (int c = 1; c <= 255; ++c) everyByte += static_cast<char>(c);
  PlugInRecords records{PlugInHeader{"Sample \xE9", "Auth\xFF", 36526.25, 0},
                        {Registry(0x80000001u, 0, "\\Software\\Varnex", "Last\x80"),
                         Registry(0x12345678u, 7, everyByte, "v"),
                         File("%WINDOWS%\\caf\xE9.log"),
                         Folder("%WINTEMP%", {"*.tmp", "", "~*"}, 2),
                         Folder("C:\\x", {})}};
  const Bytes written = EncodePlugIn(records);
  const PlugInRecords read = ReadBack(written);
  ASSERT_EQ(read.Items.size(), 5u);
  EXPECT_EQ(EncodePlugIn(PlugInFromJson(PlugInToJson(read))), written)
      << "dump and build must reproduce the file byte for byte";
  EXPECT_EQ(PlugInFromJson(PlugInToJson(read)).Header.ItemCount, 5) << "the count is the items'";
}

TEST(JsonForm, HighBytesAreTheCharactersOfTheSameNumber) {
  const std::string json = PlugInToJson(OneItem(File("C:\\\x80\xE9\xFF")));
  EXPECT_NE(json.find("\"path\": \"C:\\\\\xC2\x80\xC3\xA9\xC3\xBF\""), std::string::npos)
      << "0x80, 0xE9, 0xFF must be written as U+0080, U+00E9, U+00FF in UTF-8:\n" << json;
  const PlugInRecords back = PlugInFromJson(json);
  EXPECT_EQ(std::get<FileBody>(back.Items.at(0).Body).Path, "C:\\\x80\xE9\xFF");
  const PlugInRecords escaped =
      PlugInFromJson(WithSecondItem(R"({"kind": "file", "path": "\u00e9\u0001"})"));
  EXPECT_EQ(std::get<FileBody>(escaped.Items.at(1).Body).Path, "\xE9\x01")
      << "escaped characters stand for their bytes as well";
}

TEST(JsonForm, TimeStampsWithoutADayKeepTheirBitsInTimeBytes) {
  const struct { std::uint64_t Bits; const char* Hex; } stamps[] = {
      {0x7FF8DEADBEEF0001u, "0100efbeaddef87f"}, // a quiet NaN with a payload
      {0xFFF8000000000000u, "000000000000f8ff"}, // a NaN with the sign bit
      {0x7FF0000000000000u, "000000000000f07f"}, // +infinity
      {0xFFF0000000000000u, "000000000000f0ff"}, // -infinity
  };
  for (const auto& stamp : stamps) {
    SCOPED_TRACE(stamp.Hex);
    const std::string json = PlugInToJson(OneItem(File("C:\\a"), FromBits(stamp.Bits)));
    EXPECT_NE(json.find("\"time\": null"), std::string::npos) << json;
    EXPECT_NE(json.find(std::string("\"timeBytes\": \"") + stamp.Hex + "\""), std::string::npos)
        << json;
    std::uint64_t back = 0;
    const double time = PlugInFromJson(json).Header.Time;
    std::memcpy(&back, &time, sizeof back);
    EXPECT_EQ(back, stamp.Bits) << "the stored bits must come back exactly";
  }
  const std::string json = PlugInToJson(OneItem(File("C:\\a"), 36526.25));
  EXPECT_NE(json.find("\"time\": \"2000-01-01 06:00:00\""), std::string::npos) << json;
}

TEST(JsonForm, TimeTextAloneGivesTheDayCount) {
  const auto timeOf = [](const std::string& header) {
    return PlugInFromJson(R"({"header": )" + header + R"(, "items": []})").Header.Time;
  };
  EXPECT_EQ(timeOf(R"({"time": "1899-12-30 06:00:00"})"), 0.25);
  EXPECT_EQ(timeOf(R"({"time": "2000-01-01"})"), 36526.0);
  EXPECT_EQ(timeOf(R"({"time": "1899-12-29 06:00:00"})"), -1.25)
      << "before day 0 the time of day still counts forward from the whole day";
  EXPECT_EQ(timeOf(R"({"time": "1601-01-01"})"), -109205.0);
  EXPECT_EQ(timeOf(R"({"time": "1899-12-30 06:00:00", "timeBytes": "000000000000d03f"})"), 0.25)
      << "the stored bytes hold the value exactly; the readable time agrees with them";
  EXPECT_TRUE(std::isnan(timeOf(R"({"time": null, "timeBytes": "000000000000f87f"})")))
      << "a stored value that names no day has no readable time";
  for (const char* bad : {"2000-02-30", "1900-02-29", "2000-01-01 24:00:00", "1600-12-31",
                          "2000-1-1", "2000-01-01 06:00", "2000-01-01 06:00:00x", "10000-01-01"}) {
    const std::string error =
        ErrorOf(R"({"header": {"time": ")" + std::string(bad) + R"("}, "items": []})");
    EXPECT_NE(error.find("header, field \"time\""), std::string::npos) << bad << ": " << error;
  }
  EXPECT_NE(ErrorOf(R"({"header": {"time": null}, "items": []})").find("\"time\": is missing"),
            std::string::npos);
}

TEST(JsonForm, NumbersWithoutANameAreWrittenAsNumbersAndComeBack) {
  PlugInRecords records{PlugInHeader{"P", "A", 1.0, 0},
                        {Registry(0x12345678u, 7, "\\K"), Registry(0x80000005u, 2, "\\K"),
                         Folder("C:\\x", {"*"}, 2)}};
  const std::string json = PlugInToJson(records);
  for (const char* text : {"\"rootKey\": 305419896", "\"registryKind\": 7",
                           "\"removeEmptyFolders\": 2", "\"rootKey\": \"HKEY_CURRENT_CONFIG\"",
                           "\"registryKind\": \"all values\""})
    EXPECT_NE(json.find(text), std::string::npos) << "expected " << text << " in\n" << json;
  const PlugInRecords back = PlugInFromJson(json);
  EXPECT_EQ(std::get<RegistryBody>(back.Items.at(0).Body).RootKey, 0x12345678u);
  EXPECT_EQ(std::get<RegistryBody>(back.Items.at(0).Body).Kind, 7);
  EXPECT_EQ(std::get<FolderBody>(back.Items.at(2).Body).PathPart.RemoveEmptyFolder, 2)
      << "any non-zero flag byte is kept as read, not made 1";

  const PlugInRecords hand = PlugInFromJson(WithSecondItem(
      R"({"kind": "folder", "path": "C:\\x", "masks": [], "removeEmptyFolders": true})"));
  EXPECT_EQ(std::get<FolderBody>(hand.Items.at(1).Body).PathPart.RemoveEmptyFolder, 1);
  for (const char* item :
       {R"({"kind": "registry", "rootKey": 4294967296, "registryKind": 1, "keyPath": "k"})",
        R"({"kind": "registry", "rootKey": -1, "registryKind": 1, "keyPath": "k"})",
        R"({"kind": "registry", "rootKey": 1, "registryKind": 256, "keyPath": "k"})",
        R"({"kind": "registry", "rootKey": 1, "registryKind": 1.0, "keyPath": "k"})",
        R"({"kind": "folder", "path": "C:\\x", "masks": [], "removeEmptyFolders": 256})"})
    EXPECT_NE(ErrorOf(WithSecondItem(item)).find("item 2, field"), std::string::npos)
        << item << " holds a number that the field cannot store";
}

TEST(JsonForm, ErrorsNameTheItemAndTheField) {
  const struct { const char* Case; std::string Text; std::vector<std::string> Named; } cases[] = {
      {"invalid JSON", R"({"header": )", {"invalid JSON"}},
      {"unknown kind", WithSecondItem(R"({"kind": "disk", "path": "C:\\a"})"),
       {"item 2, field \"kind\"", "\"disk\""}},
      {"unknown root key name",
       WithSecondItem(
           R"({"kind": "registry", "rootKey": "HKLM", "registryKind": "key", "keyPath": "k"})"),
       {"item 2, field \"rootKey\"", "\"HKLM\""}},
      {"unknown registry kind name",
       WithSecondItem(
           R"({"kind": "registry", "rootKey": 1, "registryKind": "tree", "keyPath": "k"})"),
       {"item 2, field \"registryKind\"", "\"tree\""}},
      {"unknown field in an item",
       WithSecondItem(R"({"kind": "file", "path": "C:\\a", "size": 3})"),
       {"item 2: unknown field \"size\""}},
      {"unknown field at top level",
       R"({"header": {"time": "2000-01-01"}, "items": [], "comment": "x"})",
       {"plug-in: unknown field \"comment\""}},
      {"unknown field in the header",
       R"({"header": {"time": "2000-01-01", "version": 2}, "items": []})",
       {"header: unknown field \"version\""}},
      {"missing items", R"({"header": {"time": "2000-01-01"}})", {"field \"items\": is missing"}},
      {"missing path", WithSecondItem(R"({"kind": "file"})"), {"item 2, field \"path\": is missing"}},
      {"missing masks", WithSecondItem(R"({"kind": "folder", "path": "C:\\x"})"),
       {"item 2, field \"masks\": is missing"}},
      {"character above U+00FF",
       WithSecondItem(R"({"kind": "file", "name": "\u0100", "path": "C:\\a"})"),
       {"item 2, field \"name\"", "U+0100"}},
      {"character far above U+00FF",
       WithSecondItem(R"({"kind": "file", "path": "C:\\\ud83d\ude00"})"),
       {"item 2, field \"path\"", "U+1F600"}},
      {"NUL", WithSecondItem(R"({"kind": "file", "path": "C:\\a\u0000b"})"),
       {"item 2, field \"path\"", "U+0000"}},
      {"mask with LF",
       WithSecondItem(R"({"kind": "folder", "path": "C:\\x", "masks": ["a\nb"]})"),
       {"item 2, field \"masks\"", "line break"}},
      {"mask with CR",
       WithSecondItem(R"({"kind": "folder", "path": "C:\\x", "masks": ["*.tmp\r"]})"),
       {"item 2, field \"masks\"", "line break"}},
      {"item not an object", WithSecondItem("\"C:\\\\a\""), {"item 2: must be an object"}},
      {"short timeBytes", R"({"header": {"timeBytes": "0011"}, "items": []})",
       {"header, field \"timeBytes\""}},
      {"timeBytes not hex", R"({"header": {"timeBytes": "00000000000000zz"}, "items": []})",
       {"header, field \"timeBytes\""}},
      {"time edited beside its bytes",
       R"({"header": {"time": "2000-01-01", "timeBytes": "000000000000d03f"}, "items": []})",
       {"header, field \"time\"", "differs from \"timeBytes\""}},
  };
  for (const auto& test : cases) {
    const std::string error = ErrorOf(test.Text);
    for (const std::string& named : test.Named)
      EXPECT_NE(error.find(named), std::string::npos)
          << test.Case << ": the message must say " << named << "; it is: " << error;
  }
}
