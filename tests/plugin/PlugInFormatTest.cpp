#include "plugin/PlugInFormat.h"
#include "tests/support/ByteSlices.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace plugin;

// --- Header --------------------------------------------------------------------------

TEST(Header, EmptyPlugInEncodesEveryFieldAtItsOffset) {
  PlugInHeader header;
  header.Name = "Temp";
  header.Author = "Ann";
  header.Time = 1.25; // 1899-12-31 06:00
  header.ItemCount = 0;
  const auto bytes = EncodeHeader(header);

  EXPECT_EQ(Slice(bytes, 0, 4), (Bytes{0x50, 0x49, 0x50, 0x4A}));         // magic "PIPJ"
  EXPECT_EQ(Slice(bytes, 4, 5), (Bytes{'T', 'e', 'm', 'p', 0}));          // name
  EXPECT_TRUE(AllZero(bytes, 9, 123));                                    // rest of name field
  EXPECT_EQ(Slice(bytes, 132, 4), (Bytes{'A', 'n', 'n', 0}));             // author
  EXPECT_TRUE(AllZero(bytes, 136, 124));                                  // rest of author field
  EXPECT_TRUE(AllZero(bytes, 260, 4));                                    // padding
  EXPECT_EQ(Slice(bytes, 264, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF4, 0x3F})); // time 1.25
  EXPECT_TRUE(AllZero(bytes, 272, 4));                                    // item count 0
  EXPECT_TRUE(AllZero(bytes, 276, 4));                                    // padding
}

TEST(Header, CountIsLittleEndianAndSigned) {
  PlugInHeader header;
  header.ItemCount = 0x01020304;
  EXPECT_EQ(Slice(EncodeHeader(header), 272, 4), (Bytes{0x04, 0x03, 0x02, 0x01}));

  std::array<std::uint8_t, kHeaderSize> bytes{};
  bytes[272] = bytes[273] = bytes[274] = bytes[275] = 0xFF;
  EXPECT_EQ(DecodeHeader(bytes).ItemCount, -1);
}

TEST(Header, DecodesFieldsAndIgnoresPaddingAndBytesAfterNul) {
  std::array<std::uint8_t, kHeaderSize> bytes;
  bytes.fill(0xAA); // garbage everywhere that has no meaning
  std::memcpy(bytes.data(), "PIPJ", 4);
  std::memcpy(bytes.data() + 4, "Name\0", 5);
  std::memcpy(bytes.data() + 132, "Who\0", 4);
  const std::uint8_t time[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}; // 1.0
  std::memcpy(bytes.data() + 264, time, 8);
  const std::uint8_t count[4] = {3, 0, 0, 0};
  std::memcpy(bytes.data() + 272, count, 4);

  const PlugInHeader header = DecodeHeader(bytes);
  EXPECT_EQ(header.Name, "Name");
  EXPECT_EQ(header.Author, "Who");
  EXPECT_EQ(header.Time, 1.0);
  EXPECT_EQ(header.ItemCount, 3);
}

TEST(Header, NameOf127CharactersFillsTheFieldAndOneWithoutNulReadsAs128) {
  PlugInHeader header;
  header.Name = std::string(127, 'n');
  header.Author = "a";
  auto bytes = EncodeHeader(header);
  EXPECT_EQ(bytes[4 + 126], 'n');
  EXPECT_EQ(bytes[4 + 127], 0) << "the NUL takes the last byte of the name field";
  EXPECT_EQ(DecodeHeader(bytes).Name, header.Name);

  bytes[4 + 127] = 'n';
  const PlugInHeader full = DecodeHeader(bytes);
  EXPECT_EQ(full.Name, std::string(128, 'n'));
  EXPECT_EQ(full.Author, "a") << "the author field is read separately";
}
