#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Saved(TCleanObj& item, std::int64_t expectedCount) {
  TMemoryStream stream;
  EXPECT_EQ(item.SaveToStream(stream), expectedCount);
  return stream.Bytes();
}

// The field holds the text, then zeros to its end: nothing of an old buffer leaks.
void ExpectField(const Bytes& bytes, std::size_t offset, std::size_t width, const std::string& text) {
  ASSERT_LE(offset + width, bytes.size());
  EXPECT_EQ(std::string(bytes.begin() + offset, bytes.begin() + offset + text.size()), text)
      << "at offset " << offset;
  for (std::size_t i = offset + text.size(); i < offset + width; ++i)
    ASSERT_EQ(bytes[i], 0) << "at offset " << i;
}

Bytes NameField(const std::string& text) {
  Bytes field(128, 0);
  std::copy(text.begin(), text.end(), field.begin());
  return field;
}

} // namespace

TEST(ItemName, LoadTakesTheStoredNameOnlyForAnUnnamedItem) {
  {
    TMemoryStream stream(NameField("Stored"));
    TCleanObj named("Given");
    EXPECT_EQ(named.LoadFromStream(stream), 128);
    EXPECT_EQ(named.Name(), "Given");
    EXPECT_EQ(stream.Position(), 128) << "the stored name is skipped, not left in the stream";
  }
  {
    TMemoryStream stream(NameField("Stored"));
    TCleanObj unnamed("");
    unnamed.LoadFromStream(stream);
    EXPECT_EQ(unnamed.Name(), "Stored");
  }
  {
    TMemoryStream stream(NameField(""));
    TCleanObj unnamed("");
    unnamed.LoadFromStream(stream);
    EXPECT_EQ(unnamed.Name(), "");
  }
}

TEST(ItemName, AShortStreamReadsOnlyWhatItHolds) {
  TMemoryStream stream(Bytes{'T', 'e', 'm', 'p'});
  TCleanObj item("");
  EXPECT_EQ(item.LoadFromStream(stream), 4);
  EXPECT_EQ(item.Name(), "Temp");
}

TEST(ItemName, A128CharacterFieldWithoutNulIsReadWholeAndFlaggedAsTooLong) {
  TMemoryStream stream(Bytes(128, 'n'));
  TCleanFile item("", "");
  item.LoadFromStream(stream);
  EXPECT_EQ(item.Name(), std::string(128, 'n'));

  std::vector<plugin::StoredText> overlong;
  item.CheckStoredTexts(overlong, 3);
  ASSERT_EQ(overlong.size(), 1u);
  EXPECT_EQ(overlong[0].ItemNumber, 3);
  EXPECT_EQ(overlong[0].Field, "Item name");
  EXPECT_EQ(overlong[0].Length, 128u);
  EXPECT_EQ(overlong[0].Width, 128u);

  // Saved, it is cut to 127 characters so that the field keeps its NUL.
  const Bytes bytes = Saved(item, 128 + 1024);
  ExpectField(bytes, 0, 128, std::string(127, 'n'));
}

TEST(RegistryRecord, NameThenRootKeyKeyPathValueNameAndKind) {
  TCleanRegistry item("Cleaner", 0x80000001u, kRegistryAllValues, "\\Software\\Varnex", "Kept");
  const Bytes bytes = Saved(item, 648);
  ASSERT_EQ(bytes.size(), 648u);
  ExpectField(bytes, 0, 128, "Cleaner");
  EXPECT_EQ(Bytes(bytes.begin() + 128, bytes.begin() + 132), (Bytes{0x01, 0x00, 0x00, 0x80}));
  ExpectField(bytes, 132, 256, "\\Software\\Varnex");
  ExpectField(bytes, 388, 256, "Kept"); // stored for every kind, not only for one value
  EXPECT_EQ(bytes[644], kRegistryAllValues);

  TMemoryStream stream(bytes);
  TCleanRegistry read("", 0, kRegistryWholeKey, "", "");
  EXPECT_EQ(read.LoadFromStream(stream), 648);
  EXPECT_EQ(read.Name(), "Cleaner");
  EXPECT_EQ(read.RootKey(), 0x80000001u);
  EXPECT_EQ(read.KeyPath(), "\\Software\\Varnex");
  EXPECT_EQ(read.ValueName(), "Kept");
  EXPECT_EQ(read.Kind(), kRegistryAllValues);
}

TEST(FileRecord, NameThenPath) {
  TCleanFile item("Cleaner", "%WINDOWS%\\setup.log");
  const Bytes bytes = Saved(item, 1152);
  ASSERT_EQ(bytes.size(), 1152u);
  ExpectField(bytes, 0, 128, "Cleaner");
  ExpectField(bytes, 128, 1024, "%WINDOWS%\\setup.log");

  TMemoryStream stream(bytes);
  TCleanFile read("", "");
  EXPECT_EQ(read.LoadFromStream(stream), 1152);
  EXPECT_EQ(read.Name(), "Cleaner");
  EXPECT_EQ(read.FileName(), "%WINDOWS%\\setup.log");
}

TEST(FolderRecord, NameThenPathFlagAndMaskText) {
  TCleanFolder item("Cleaner", "%WINDOWS%\\Temp", true);
  item.Masks() = {"*.bak", "*.tmp"};
  const Bytes bytes = Saved(item, 2177);
  ASSERT_EQ(bytes.size(), 2177u);
  ExpectField(bytes, 0, 128, "Cleaner");
  ExpectField(bytes, 128, 1024, "%WINDOWS%\\Temp");
  EXPECT_EQ(bytes[1152], 1);
  ExpectField(bytes, 1153, 1024, "*.bak\r\n*.tmp\r\n");

  TMemoryStream stream(bytes);
  TCleanFolder read("", "", false);
  read.Masks() = {"old"};
  EXPECT_EQ(read.LoadFromStream(stream), 2177);
  EXPECT_EQ(read.Name(), "Cleaner");
  EXPECT_EQ(read.Folder(), "%WINDOWS%\\Temp");
  EXPECT_TRUE(read.RemoveEmptyFolder());
  EXPECT_EQ(read.Masks(), (std::vector<std::string>{"*.bak", "*.tmp"})) << "the old list is replaced";
}

TEST(FolderRecord, AFlagByteOfTwoAndAnEmptyMaskListSurviveARoundTrip) {
  TCleanFolder original("Cleaner", "C:\\Temp", false);
  Bytes bytes = Saved(original, 2177);
  bytes[1152] = 2;

  TMemoryStream stream(bytes);
  TCleanFolder read("", "", false);
  read.LoadFromStream(stream);
  EXPECT_TRUE(read.RemoveEmptyFolder());
  EXPECT_EQ(read.RemoveEmptyFolderByte(), 2);
  EXPECT_TRUE(read.Masks().empty());

  const Bytes again = Saved(read, 2177);
  EXPECT_EQ(again[1152], 2);
  EXPECT_EQ(again[1153], 0) << "no masks: the mask field starts with its NUL";
}

TEST(ItemRecords, ConsecutiveRecordsReadBackWithoutOverlap) {
  TCleanFolder folder("One", "C:\\Temp", false);
  folder.Masks() = {"*.log"};
  TCleanRegistry registry("Two", 0x80000002u, kRegistryValue, "Software\\X", "V");
  TCleanFile file("Three", "C:\\a.txt");
  TMemoryStream stream;
  folder.SaveToStream(stream);
  registry.SaveToStream(stream);
  file.SaveToStream(stream);
  stream.Rewind();

  TCleanFolder folderRead("", "", false);
  TCleanRegistry registryRead("", 0, kRegistryWholeKey, "", "");
  TCleanFile fileRead("", "");
  folderRead.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 2177);
  registryRead.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 2177 + 648);
  fileRead.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 2177 + 648 + 1152);

  EXPECT_EQ(folderRead.Masks(), (std::vector<std::string>{"*.log"}));
  EXPECT_EQ(registryRead.Name(), "Two");
  EXPECT_EQ(registryRead.ValueName(), "V");
  EXPECT_EQ(registryRead.Kind(), kRegistryValue);
  EXPECT_EQ(fileRead.Name(), "Three");
  EXPECT_EQ(fileRead.FileName(), "C:\\a.txt");
}

TEST(StoredTexts, EachKindFlagsItsOwnFieldsAfterTheNameAndRefusesToShortenWhatItTargets) {
  using plugin::Shortening;
  struct Flag {
    std::string Field;
    std::size_t Width;
    Shortening Fix;
    bool operator==(const Flag&) const = default;
  };
  auto fields = [](const TCleanObj& item) {
    std::vector<plugin::StoredText> overlong;
    item.CheckStoredTexts(overlong, 1);
    std::vector<Flag> result;
    for (const auto& text : overlong) result.push_back({text.Field, text.Width, text.Fix});
    return result;
  };
  using Flags = std::vector<Flag>;

  EXPECT_EQ(fields(TCleanRegistry(std::string(128, 'n'), 0, 0, std::string(256, 'k'),
                                  std::string(255, 'v'))),
            (Flags{{"Item name", 128, Shortening::Cut}, {"Key path", 256, Shortening::Refused}}));
  EXPECT_EQ(fields(TCleanRegistry("n", 0, 0, "k", std::string(256, 'v'))),
            (Flags{{"Value name", 256, Shortening::Refused}}));
  EXPECT_EQ(fields(TCleanFile(std::string(127, 'n'), std::string(1023, 'f'))), Flags{});
  EXPECT_EQ(fields(TCleanFile("n", std::string(1024, 'f'))),
            (Flags{{"File path", 1024, Shortening::Refused}}));

  TCleanFolder folder("n", std::string(1024, 'p'), false);
  folder.Masks() = {std::string(1021, 'm')}; // with its CR LF: 1023, which fits
  EXPECT_EQ(fields(folder), (Flags{{"Folder path", 1024, Shortening::Refused}}));
  folder.Masks() = {std::string(1020, 'm'), ""}; // 1022 + 2: one over
  EXPECT_EQ(fields(folder), (Flags{{"Folder path", 1024, Shortening::Refused},
                                   {"Masks", 1024, Shortening::MasksLeftOut}}));
}
