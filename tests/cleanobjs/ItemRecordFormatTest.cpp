#include "cleanobjs/ItemRecordFormat.h"
#include "tests/support/ByteSlices.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace plugin;

// --- Text fields -------------------------------------------------------------------

TEST(TextField, ReadsUpToTheFirstNulOrTheWholeFieldWithoutOne) {
  const std::uint8_t withNul[6] = {'a', 'b', 0, 'x', 'y', 'z'};
  EXPECT_EQ(GetTextField(withNul, 6), "ab") << "bytes after the NUL have no meaning";
  const std::uint8_t full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(GetTextField(full, 4), "wxyz") << "a field without NUL is read whole";
  const std::uint8_t empty[3] = {0, 'q', 'q'};
  EXPECT_EQ(GetTextField(empty, 3), "");
}

TEST(TextField, PutZeroFillsAndKeepsTheLastByteNulWithoutTouchingWhatFollows) {
  // Field of 8 bytes inside a buffer full of old bytes, with sentinels on both sides.
  std::uint8_t buffer[10];
  std::memset(buffer, 0xEE, sizeof buffer);
  PutTextField(buffer + 1, 8, "abcdefghijk");
  const std::uint8_t expected[10] = {0xEE, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 0, 0xEE};
  EXPECT_EQ(0, std::memcmp(buffer, expected, sizeof buffer)) << "at most width - 1 characters";

  PutTextField(buffer + 1, 8, "xy");
  const std::uint8_t shorter[10] = {0xEE, 'x', 'y', 0, 0, 0, 0, 0, 0, 0xEE};
  EXPECT_EQ(0, std::memcmp(buffer, shorter, sizeof buffer)) << "old text must be cleared";
}

TEST(TextField, FitsHoldsWidthMinusOneCharacters) {
  EXPECT_TRUE(FitsTextField(std::string(127, 'n'), kNameFieldSize));
  EXPECT_FALSE(FitsTextField(std::string(128, 'n'), kNameFieldSize));
  EXPECT_TRUE(FitsTextField("", kNameFieldSize));
}

// --- Kinds and record sizes ----------------------------------------------------------

TEST(ItemKinds, KnownKindsAndTheirRecordSizes) {
  EXPECT_TRUE(IsKnownItemKind(0));
  EXPECT_TRUE(IsKnownItemKind(2));
  EXPECT_FALSE(IsKnownItemKind(3));
  EXPECT_FALSE(IsKnownItemKind(255));
  EXPECT_EQ(RecordSizeAfterKindByte(ItemKind::Registry), 648u);
  EXPECT_EQ(RecordSizeAfterKindByte(ItemKind::File), 1152u);
  EXPECT_EQ(RecordSizeAfterKindByte(ItemKind::Folder), 2177u);
}

// --- Registry body -------------------------------------------------------------------

TEST(RegistryBody, EncodesEveryFieldAtItsOffset) {
  RegistryBody body;
  body.RootKey = 0x80000001; // HKEY_CURRENT_USER
  body.KeyPath = "\\Software\\X";
  body.ValueName = "V";
  body.Kind = 2;
  const auto bytes = EncodeRegistryBody(body);

  EXPECT_EQ(Slice(bytes, 0, 4), (Bytes{0x01, 0x00, 0x00, 0x80}));          // root key
  EXPECT_EQ(Slice(bytes, 4, 12), TextBytes(std::string("\\Software\\X\0", 12))); // key path
  EXPECT_TRUE(AllZero(bytes, 16, 244));
  EXPECT_EQ(Slice(bytes, 260, 2), (Bytes{'V', 0}));                         // value name
  EXPECT_TRUE(AllZero(bytes, 262, 254));
  EXPECT_EQ(bytes[516], 2);                                                 // registry kind
  EXPECT_TRUE(AllZero(bytes, 517, 3));                                      // padding
}

TEST(RegistryBody, DecodesAnyRootAndKindAndKeepsTheValueNameOfAWholeKey) {
  std::array<std::uint8_t, kRegistryBodySize> bytes;
  bytes.fill(0x55);
  const std::uint8_t root[4] = {0x78, 0x56, 0x34, 0x12};
  std::memcpy(bytes.data(), root, 4);
  std::memcpy(bytes.data() + 4, "Key\0", 4);
  std::memcpy(bytes.data() + 260, "Kept\0", 5);
  bytes[516] = 1; // whole key: the value name is still stored

  const RegistryBody body = DecodeRegistryBody(bytes);
  EXPECT_EQ(body.RootKey, 0x12345678u);
  EXPECT_EQ(body.KeyPath, "Key");
  EXPECT_EQ(body.ValueName, "Kept");
  EXPECT_EQ(body.Kind, 1);
  EXPECT_EQ(EncodeRegistryBody(body)[260], 'K');

  bytes[516] = 9;
  EXPECT_EQ(DecodeRegistryBody(bytes).Kind, 9) << "an unknown registry kind is kept";
}

// --- Folder path part ----------------------------------------------------------------

TEST(FolderPathPart, PathThenFlagByteWhichIsKeptAsRead) {
  std::array<std::uint8_t, kFolderPathPartSize> bytes{};
  std::memcpy(bytes.data(), "%WINDOWS%\\Temp", 14);
  bytes[1024] = 2;
  const FolderPathPart part = DecodeFolderPathPart(bytes);
  EXPECT_EQ(part.Folder, "%WINDOWS%\\Temp");
  EXPECT_EQ(part.RemoveEmptyFolder, 2);
  EXPECT_EQ(EncodeFolderPathPart(part), bytes) << "written back byte for byte";
}

// --- Masks ---------------------------------------------------------------------------

TEST(Masks, JoinEndsEveryMaskWithCrLf) {
  EXPECT_EQ(JoinMasks({"*.bak", "*.tmp"}), "*.bak\r\n*.tmp\r\n");
  EXPECT_EQ(JoinMasks({}), "");
  EXPECT_EQ(JoinMasks({""}), "\r\n");
}

TEST(Masks, SplitAcceptsEveryLineBreak) {
  using List = std::vector<std::string>;
  EXPECT_EQ(SplitMasks("a\r\nb\r\n"), (List{"a", "b"})) << "CR LF, final break adds nothing";
  EXPECT_EQ(SplitMasks("a\rb\r"), (List{"a", "b"})) << "CR alone";
  EXPECT_EQ(SplitMasks("a\nb\n"), (List{"a", "b"})) << "LF alone";
  EXPECT_EQ(SplitMasks("a\r\nb"), (List{"a", "b"})) << "last line without break";
  EXPECT_EQ(SplitMasks("a\r\n\r\nb"), (List{"a", "", "b"})) << "empty middle line";
  EXPECT_EQ(SplitMasks("a\n\rb"), (List{"a", "", "b"})) << "LF CR is two breaks";
  EXPECT_EQ(SplitMasks("\r\n"), (List{""}));
  EXPECT_EQ(SplitMasks("a\r\n\r\n"), (List{"a", ""})) << "only the very last break is dropped";
  EXPECT_EQ(SplitMasks(""), List{});
}

TEST(Masks, EmptyListStoresANulFirstByteAndReadsBackEmpty) {
  std::uint8_t field[kPathFieldSize];
  std::memset(field, 0xCC, sizeof field);
  PutTextField(field, sizeof field, JoinMasks({}));
  EXPECT_EQ(field[0], 0);
  EXPECT_TRUE(SplitMasks(GetTextField(field, sizeof field)).empty());
}
