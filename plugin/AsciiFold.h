#pragma once
// Texts as Windows compares names, keys and macros: the letters A to Z without regard
// to case. Bytes above 0x7F are left as they are, since their letters depend on the
// code page.

#include <algorithm>
#include <string>

namespace plugin {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiFolded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
  return text;
}

} // namespace plugin
