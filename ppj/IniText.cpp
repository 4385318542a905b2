#include "ppj/IniText.h"

#include "ppj/Utf8Text.h"

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

// The lines of the text, broken at LF, each without the CR before its LF. A CR alone
// stays in its line, which it makes unreadable: readers that break lines at LF alone
// and those that also break them at CR would read other keys.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = SplitAt(text, '\n');
  for (std::string& line : lines)
    if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

} // namespace

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end = text.find(separator); end != std::string::npos;
       start = end + 1, end = text.find(separator, start))
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  return parts;
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
