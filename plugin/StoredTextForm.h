#pragma once
// The stored texts of a plug-in are bytes of whatever ANSI code page their author
// used, which the file does not record. In the text form every byte stands for the
// Unicode character of the same number (0x00 to 0xFF), so that any byte comes back
// unchanged whatever the code page was.

#include <optional>
#include <string>

namespace plugin {

// The bytes as UTF-8, each byte one character.
std::string BytesToUtf8(const std::string& bytes);

// Why a text cannot be stored, for the error message.
struct StoredTextError {
  std::string Reason;
};

// The bytes back from UTF-8. Refused: text that is not UTF-8, a character above
// U+00FF (no single byte stands for it) and U+0000 (a field ends at its first NUL).
std::optional<std::string> Utf8ToBytes(const std::string& utf8, StoredTextError& error);

} // namespace plugin
