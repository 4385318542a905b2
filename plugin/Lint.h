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

std::string LevelName(FindingLevel level); // "error", "warning"

// Every finding, in item order, and in rule order within an item.
std::vector<LintFinding> LintPlugIn(const PlugInRecords& records);

} // namespace plugin
