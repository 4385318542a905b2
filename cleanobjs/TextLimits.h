#pragma once
// Texts of a plug-in that do not fit their fields in the file. Saving asks whether
// to store them shortened; the question lists the first few.

#include <cstddef>
#include <string>
#include <vector>

namespace plugin {

struct StoredText {
  int ItemNumber = 0;      // 1-based row number; 0 for the plug-in's own name and author
  std::string Field;       // as the user knows it: "Name", "Author", "Key path", ...
  std::size_t Length = 0;  // characters of the text as it stands
  std::size_t Width = 0;   // field width in bytes; the text may hold Width - 1
};

// "300 characters, at most 255".
std::string LengthText(const StoredText& text);

// Adds `text` to `overlong` when it does not fit a field of `width` bytes.
void CheckStoredText(std::vector<StoredText>& overlong, int itemNumber,
                     const std::string& field, const std::string& text, std::size_t width);

// The confirmation question for a non-empty list of overlong texts.
std::string ShortenTextsQuestion(const std::vector<StoredText>& overlong);

} // namespace plugin
