#include "cleanobjs/WinInitText.h"

#include <cctype>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

bool IsSectionHeader(const std::string& line) {
  const std::string text = Trimmed(line);
  return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

bool IsRenameSection(const std::string& line) {
  const std::string text = Trimmed(line);
  const std::string wanted = "[rename]";
  if (text.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != wanted[i]) return false;
  return true;
}

} // namespace

std::string AddRenameEntries(const std::string& existingText, const std::vector<std::string>& shortPaths) {
  std::vector<std::string> lines = SplitLines(existingText);
  std::vector<std::string> entries;
  for (const std::string& path : shortPaths) entries.push_back("nul=" + path);

  std::size_t section = 0;
  while (section < lines.size() && !IsRenameSection(lines[section])) ++section;
  if (section == lines.size()) {
    lines.push_back("[rename]");
    lines.insert(lines.end(), entries.begin(), entries.end());
  } else {
    // After the section's last non-empty line, so a blank line before the next
    // section stays where it was.
    std::size_t end = section + 1;
    while (end < lines.size() && !IsSectionHeader(lines[end])) ++end;
    while (end > section + 1 && Trimmed(lines[end - 1]).empty()) --end;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entries.begin(), entries.end());
  }

  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}
