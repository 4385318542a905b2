#pragma once
// Reads the import and export names of a built Windows executable or DLL from the
// file's own bytes, the way the loader finds them, without loading it.

#include <map>
#include <string>
#include <vector>

struct PeNames {
  bool Valid = false; // false when the file is missing or not a 64-bit PE image
  // Imported names by DLL name as written in the file; an import by ordinal is "#n".
  std::map<std::string, std::vector<std::string>> Imports;
  std::vector<std::string> Exports;
};

PeNames ReadPeNames(const std::string& path);
