#pragma once
// Checks of a plug-in for items that would harm the machine they run on, or do
// nothing. Each finding has a rule id that stays the same from release to release.

#include "plugin/PlugInRecords.h"

#include <string>
#include <vector>

namespace plugin {

enum class FindingLevel { Error, Warning };

struct LintFinding {
  std::string Rule;        // for example "whole-key-on-root"
  FindingLevel Level = FindingLevel::Error;
  int ItemNumber = 0;      // 1-based; 0 for the plug-in's own name and author
  std::string Description; // the item's description, as the editor's list shows it
  std::string Message;     // what is wrong, in a sentence
};

// A finding without its texts: enough to count the findings and mark their items.
struct FindingMark {
  int ItemNumber = 0;
  FindingLevel Level = FindingLevel::Error;
};

std::string LevelName(FindingLevel level); // "error", "warning"

// Every finding, in item order, and in rule order within an item.
std::vector<LintFinding> LintPlugIn(const PlugInRecords& records);
// The marks of the same findings in the same order, made without building their texts,
// for a count after every change.
std::vector<FindingMark> MarkPlugIn(const PlugInRecords& records);

} // namespace plugin
