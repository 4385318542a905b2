#pragma once
// Texts between UTF-8, in which winapp2.ini is written, and the single- or double-byte
// ANSI code page whose bytes a plug-in stores. Converted by the platform: iconv on
// Linux, the code page functions on Windows. No character is ever replaced by a
// similar one ("best fit"): a text with a character the code page lacks has no form.
// A code page and its copies share the platform's conversion state: one thread at a time.

#include <memory>
#include <optional>
#include <string>

namespace plugin {

class CodePage {
public:
  // The code page, or nothing with `error` saying why: the platform does not convert
  // it, or it is not an ANSI code page (UTF-8, UTF-16, EBCDIC: printable ASCII must
  // stay the same bytes, and no character may take more than two).
  static std::optional<CodePage> Open(int number, std::string& error);

  int Number() const { return FNumber; }
  // The text's bytes in the code page; nothing when it is not UTF-8, holds U+0000, or
  // holds a character the code page lacks.
  std::optional<std::string> FromUtf8(const std::string& utf8) const;
  // The bytes as UTF-8; nothing when a byte or byte pair stands for no character.
  std::optional<std::string> ToUtf8(const std::string& bytes) const;

  struct Converters; // the platform's conversion state
private:
  CodePage(int number, std::shared_ptr<Converters> converters);
  int FNumber = 0;
  std::shared_ptr<Converters> FConverters;
};

// Whether every "\" byte of a text's `bytes` is a "\" of its `utf8` form: in a
// double-byte code page such as 932 a character's second byte may be that of "\",
// which the items, reading bytes, would take for a separator.
bool BackslashesAgree(const std::string& bytes, const std::string& utf8);

} // namespace plugin
