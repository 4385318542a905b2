#include "ppj/Utf8Text.h"

#include <cstdint>

namespace plugin {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

char32_t CodePoint(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return lead;
  char32_t point = lead & (0x7Fu >> character.size());
  for (std::size_t i = 1; i < character.size(); ++i)
    point = (point << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
  return point;
}

// The white space that .NET's and the C libraries' trimming remove.
bool IsWhiteSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000 || c == 0xFEFF;
}

} // namespace

std::size_t Utf8CharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  else
    return 0;
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
  // The least code point of each length, below which the form is an overlong one.
  static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  const char32_t point = CodePoint(text.substr(0, length));
  if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

bool IsUtf8Text(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = Utf8CharacterLength(text);
    if (length == 0 || text[0] == '\0') return false;
    text.remove_prefix(length);
  }
  return true;
}

std::vector<std::string> Utf8Characters(std::string_view text) {
  std::vector<std::string> characters;
  while (!text.empty()) {
    std::size_t length = Utf8CharacterLength(text);
    if (length == 0) length = 1; // a stray byte stands for itself
    characters.emplace_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return characters;
}

bool HasOuterBlank(std::string_view text) {
  const std::vector<std::string> characters = Utf8Characters(text);
  return !characters.empty() && (IsWhiteSpace(CodePoint(characters.front())) ||
                                 IsWhiteSpace(CodePoint(characters.back())));
}

} // namespace plugin
