#pragma once
// The names of the files that imported entries are written to: safe on every Windows
// file system and on Linux, and one for each entry.

#include <map>
#include <set>
#include <string>

namespace plugin {

// The name as a file name without its extension: printable ASCII but for the
// characters Windows forbids (others become "_"), no final dots or blanks, no device
// name such as "CON", at most 100 characters; "_" for a name with none left.
std::string SafeFileName(const std::string& utf8Name);

class EntryFileNames {
public:
  // The entry's safe name, made unlike every name given before without regard to
  // case by " (2)", " (3)" and so on.
  std::string NameFor(const std::string& utf8Name);

private:
  std::set<std::string> FTaken;           // folded
  std::map<std::string, int> FLastNumber; // by folded stem: the last " (N)" given
};

} // namespace plugin
