#include "plugin/PlugInFormat.h"

#include "framework/LittleEndian.h"

#include <cstring>

namespace plugin {

namespace {

// Offsets inside the header.
constexpr std::size_t kHeaderNameOffset = 4;
constexpr std::size_t kHeaderAuthorOffset = 132;
constexpr std::size_t kHeaderTimeOffset = 264;
constexpr std::size_t kHeaderCountOffset = 272;

constexpr std::uint8_t kMagic[kMagicSize] = {'P', 'I', 'P', 'J'};

} // namespace

bool HasPlugInMagic(const std::uint8_t* bytes, std::size_t count) {
  return count >= kMagicSize && std::memcmp(bytes, kMagic, kMagicSize) == 0;
}

std::array<std::uint8_t, kHeaderSize> EncodeHeader(const PlugInHeader& header) {
  std::array<std::uint8_t, kHeaderSize> bytes{}; // padding and unused text bytes are zero
  std::memcpy(bytes.data(), kMagic, kMagicSize);
  PutTextField(bytes.data() + kHeaderNameOffset, kNameFieldSize, header.Name);
  PutTextField(bytes.data() + kHeaderAuthorOffset, kNameFieldSize, header.Author);
  PutDouble(bytes.data() + kHeaderTimeOffset, header.Time);
  PutUInt32(bytes.data() + kHeaderCountOffset, static_cast<std::uint32_t>(header.ItemCount));
  return bytes;
}

PlugInHeader DecodeHeader(const std::array<std::uint8_t, kHeaderSize>& bytes) {
  PlugInHeader header;
  header.Name = GetTextField(bytes.data() + kHeaderNameOffset, kNameFieldSize);
  header.Author = GetTextField(bytes.data() + kHeaderAuthorOffset, kNameFieldSize);
  header.Time = GetDouble(bytes.data() + kHeaderTimeOffset);
  header.ItemCount = static_cast<std::int32_t>(GetUInt32(bytes.data() + kHeaderCountOffset));
  return header;
}

} // namespace plugin
