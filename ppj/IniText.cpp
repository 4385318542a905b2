#include "ppj/IniText.h"

namespace plugin {

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool HasControlCharacter(const std::string& line) {
  for (const char c : line)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
  return false;
}

// The lines of the text, broken at CR LF, LF or CR.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

} // namespace

bool IsUtf8Text(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead == 0) return false;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<IniText> ReadIniText(const std::string& bytes, std::string& error) {
  std::string text = bytes;
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0) {
    error = "the file is UTF-16 text; save it as UTF-8";
    return std::nullopt;
  }

  IniText ini;
  // A section whose header cannot be read: its keys are skipped, not given to the
  // section before it.
  int unreadableSection = 0;
  const auto problem = [&ini](int line, std::string reason) {
    ini.Problems.push_back(IniProblem{line, std::move(reason)});
  };
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string line = Trimmed(lines[i]);
    if (line.empty() || line.front() == ';') continue;
    const bool header = line.front() == '[';
    const bool readable = IsUtf8Text(line) && !HasControlCharacter(line);
    if (header && (!readable || line.back() != ']')) {
      problem(number, readable ? "a section header without its closing \"]\""
                               : "a section header that is not UTF-8 text");
      unreadableSection = number;
      continue;
    }
    if (header) {
      ini.Sections.push_back(IniSection{number, Trimmed(line.substr(1, line.size() - 2)), {}});
      unreadableSection = 0;
      continue;
    }
    if (!readable) {
      problem(number, "the line is not UTF-8 text, or holds a control character");
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      problem(number, "neither a section header, a key nor a comment");
      continue;
    }
    const std::string name = Trimmed(line.substr(0, equals));
    if (name.empty()) {
      problem(number, "a value without a key name");
    } else if (unreadableSection != 0) {
      problem(number, "a key of the section on line " + std::to_string(unreadableSection) +
                          ", which cannot be read");
    } else if (ini.Sections.empty()) {
      problem(number, "a key outside any section");
    } else {
      ini.Sections.back().Keys.push_back(IniKey{number, name, Trimmed(line.substr(equals + 1))});
    }
  }
  return ini;
}

} // namespace plugin
