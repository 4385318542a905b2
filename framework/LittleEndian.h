#pragma once
// Integers and doubles in little-endian byte order, whatever the machine's order is,
// for file formats that fix their bytes. Nothing here needs the operating system.

#include <cstdint>
#include <cstring>

inline void PutUInt32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint32_t GetUInt32(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return value;
}

inline void PutUInt64(std::uint8_t* at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint64_t GetUInt64(const std::uint8_t* at) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
  return value;
}

// The bits of an IEEE 754 double, kept exactly (also a NaN).
inline void PutDouble(std::uint8_t* at, double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutUInt64(at, bits);
}

inline double GetDouble(const std::uint8_t* at) {
  const std::uint64_t bits = GetUInt64(at);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
