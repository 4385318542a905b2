#pragma once
// What the ExcludeKeys of a winapp2.ini entry keep from the entry's deletions. An item
// leaves nothing out, so a key whose deletions an exclusion may narrow has no item;
// where it is not known whether the two meet, they are taken to meet.

#include "ppj/IniText.h"
#include "ppj/RuleTerms.h"

#include <optional>
#include <string>
#include <vector>

namespace plugin {

struct Exclusion {
  int Line = 0;
  bool Registry = false;
  std::optional<std::string> Folder; // as an item's folder; none: a place not known here
  std::vector<std::string> Keys;     // the paths that name the key below its roots
};

// What the ExcludeKey states (FILE|PATH|NAMES, PATH|PATH|PATTERNS or REG|KEY[|VALUE]),
// or nothing with `reason` when it cannot be read.
std::optional<Exclusion> ReadExclusion(const IniKey& key, std::string& reason);

// Whether it may keep part of what a FileKey deletes in `itemFolder`.
bool MayKeepFromFolder(const Exclusion& exclusion, const std::string& itemFolder);
// Whether it may keep part of what a RegKey deletes in `key`.
bool MayKeepFromKey(const Exclusion& exclusion, const RuleKey& key);

} // namespace plugin
