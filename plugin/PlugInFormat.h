#pragma once
// The bytes of a plug-in project file (.ppj): a 280-byte header followed by one
// fixed-size record per clean item (cleanobjs/ItemRecordFormat.h). All integers are
// little-endian. Nothing here needs the operating system.

#include "cleanobjs/ItemRecordFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace plugin {

constexpr std::size_t kHeaderSize = 280;
constexpr std::size_t kMagicSize = 4;

struct PlugInHeader {
  std::string Name;
  std::string Author;
  double Time = 0.0;      // days since 1899-12-30, local time
  std::int32_t ItemCount = 0;
};

// True when at least four bytes are given and they are "PIPJ".
bool HasPlugInMagic(const std::uint8_t* bytes, std::size_t count);
std::array<std::uint8_t, kHeaderSize> EncodeHeader(const PlugInHeader& header);
PlugInHeader DecodeHeader(const std::array<std::uint8_t, kHeaderSize>& bytes);

} // namespace plugin
