#pragma once
// An INI file as winapp2.ini is written: "[section]" lines, each followed by
// "key=value" lines; ";" begins a comment line. The text is UTF-8, with or without a
// byte order mark. A line that cannot be read is reported with its number and
// skipped, never taken for part of another section.

#include <optional>
#include <string>
#include <vector>

namespace plugin {

struct IniKey {
  int Line = 0;      // 1-based
  std::string Name;  // as written, without the blanks around it
  std::string Value; // as written, without the blanks around it
};

struct IniSection {
  int Line = 0;
  std::string Name; // between "[" and "]", without the blanks around it
  std::vector<IniKey> Keys;
};

struct IniProblem {
  int Line = 0;
  std::string Reason;
};

struct IniText {
  std::vector<IniSection> Sections;
  std::vector<IniProblem> Problems; // in line order
};

// The pieces of a text between the separators: the lines of the file, the fields of
// a key's value ("|"), its patterns (";"); a text without a separator is one piece.
std::vector<std::string> SplitAt(const std::string& text, char separator);

// The sections and the lines that could not be read; nothing, with `error` set, for a
// text that is not UTF-8 as a whole (UTF-16).
std::optional<IniText> ReadIniText(const std::string& bytes, std::string& error);

} // namespace plugin
