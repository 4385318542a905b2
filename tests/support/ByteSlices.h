#pragma once
// Pieces of encoded records, for tests that check a format byte by byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
Bytes Slice(const std::array<std::uint8_t, N>& bytes, std::size_t offset, std::size_t count) {
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + count);
}

template <std::size_t N>
bool AllZero(const std::array<std::uint8_t, N>& bytes, std::size_t offset, std::size_t count) {
  for (std::size_t i = offset; i < offset + count; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }
