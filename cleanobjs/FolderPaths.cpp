#include "cleanobjs/FolderPaths.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {
bool EndsInSeparator(const std::string& text) {
  return !text.empty() && (text.back() == '\\' || text.back() == ':');
}
} // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || EndsInSeparator(folder)) return folder + name;
  return folder + "\\" + name;
}

std::string FolderPartOf(const std::string& path) {
  const std::size_t last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string WithoutFinalSeparator(const std::string& folder) {
  std::size_t end = folder.size();
  while (end > 0 && folder[end - 1] == '\\') --end;
  if (end == folder.size()) return folder;
  // "C:\" and "\" name a root only with their separator.
  if (end == 0 || folder[end - 1] == ':') ++end;
  return folder.substr(0, end);
}

void TLeadBytes::AddRange(unsigned char first, unsigned char last) {
  for (unsigned c = first; c <= last; ++c) FLead.set(c);
}

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether one of `characters` is a character of the text, not the second byte of
// a double-byte one.
bool HoldsCharacter(const std::string& text, const char* characters, const TLeadBytes& lead) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (lead.IsLead(text[i])) {
      ++i;
      continue;
    }
    if (std::strchr(characters, text[i]) != nullptr) return true;
  }
  return false;
}

// ".", "..", "...": Windows takes dots (and the blanks after them) away at the end of
// a name, so every segment of dots alone leads to a folder other than a name's.
bool IsDotsSegment(std::string_view segment) {
  const std::size_t end = segment.find_last_not_of(' ');
  return end != std::string::npos && segment.find_first_not_of('.') > end;
}

// Calls `visit` with each segment of the path, cut at every "\" and "/" that is a
// character of its own (C:\a\ gives "C:", "a" and ""), until it returns false.
template <class Visit>
void VisitSegments(std::string_view path, const TLeadBytes& lead, Visit visit) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (lead.IsLead(path[i]) && i + 1 < path.size()) {
      ++i; // the second byte of a character is never a separator
    } else if (IsSeparator(path[i])) {
      if (!visit(path.substr(start, i - start))) return;
      start = i + 1;
    }
  }
  visit(path.substr(start));
}

// The first four segments tell the root: "C:" or "", "", server and share.
using LeadingSegments = std::array<std::string_view, 4>;

bool StartsFullPathRoot(const LeadingSegments& segments, std::size_t count, const std::string& path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  if (path.rfind("\\\\", 0) != 0) return false;
  // "\\server\share": a server name, one "\", and a share name, neither empty. "?"
  // and "." as the server name the device namespaces.
  if (count < 4) return false;
  const std::string_view server = segments[2];
  if (server.empty() || server.find('?') != std::string_view::npos || IsDotsSegment(server) ||
      path[2 + server.size()] != '\\')
    return false;
  return !segments[3].empty();
}

} // namespace

bool IsFullPath(const std::string& path, const TLeadBytes& lead) {
  // Judged as it is cut, without copying it: the checks judge every path of a plug-in
  // after each change.
  LeadingSegments leading;
  std::size_t count = 0;
  bool dots = false;
  VisitSegments(path, lead, [&](std::string_view segment) {
    if (count < leading.size()) leading[count] = segment;
    ++count;
    dots = IsDotsSegment(segment);
    return !dots;
  });
  return !dots && StartsFullPathRoot(leading, count, path);
}

bool MaskNamesAnotherFolder(const std::string& mask, const TLeadBytes& lead) {
  return mask == "." || mask == ".." || HoldsCharacter(mask, "\\/", lead);
}

bool IsPlainEntryName(const std::string& name, const TLeadBytes& lead) {
  return name != "." && name != ".." && !HoldsCharacter(name, "\\/:", lead);
}
