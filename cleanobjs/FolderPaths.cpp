#include "cleanobjs/FolderPaths.h"

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

bool IsFullPath(const std::string& path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  if (path.rfind("\\\\", 0) != 0) return false;
  // "\\server\share": a server name, one "\", and a share name, neither empty.
  const std::size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return false;
  const std::size_t shareEnd = path.find('\\', serverEnd + 1);
  const std::size_t shareLength =
      (shareEnd == std::string::npos ? path.size() : shareEnd) - (serverEnd + 1);
  return shareLength > 0;
}
