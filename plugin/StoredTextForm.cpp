#include "plugin/StoredTextForm.h"

#include <cstdint>
#include <cstdio>

namespace plugin {

std::string BytesToUtf8(const std::string& bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

namespace {

std::string CharacterName(std::uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
  return text;
}

// The length of the UTF-8 sequence that starts with `lead`, or 0 when it starts none.
int SequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

} // namespace

std::optional<std::string> Utf8ToBytes(const std::string& utf8, StoredTextError& error) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
      error.Reason = "the text is not UTF-8";
      return std::nullopt;
    }
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        error.Reason = "the text is not UTF-8";
        return std::nullopt;
      }
      code = (code << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    if (code == 0) {
      error.Reason = "the character U+0000 cannot be stored: a field ends at its first NUL";
      return std::nullopt;
    }
    if (code > 0xFF) {
      error.Reason = "the character " + CharacterName(code) +
                     " cannot be stored: a plug-in holds single bytes, U+0001 to U+00FF";
      return std::nullopt;
    }
    bytes += static_cast<char>(code);
  }
  return bytes;
}

} // namespace plugin
