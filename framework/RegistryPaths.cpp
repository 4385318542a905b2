#include "framework/RegistryPaths.h"

bool NamesRootKey(const std::string& path) {
  return path.find_first_not_of('\\') == std::string::npos;
}

std::string KeyPathFromRoot(const std::string& path) {
  if (!path.empty() && path.front() == '\\') return path.substr(1);
  return path;
}

std::string SubKeyPath(const std::string& parent, const std::string& name) {
  if (NamesRootKey(parent)) return name;
  if (parent.back() == '\\') return parent + name;
  return parent + "\\" + name;
}
