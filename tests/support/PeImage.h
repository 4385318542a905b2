#pragma once
// Reads the import and export names of a built Windows executable or DLL from the
// file's own bytes, the way the loader finds them, without loading it.

#include <map>
#include <string>
#include <vector>

struct PeNames {
  bool Valid = false; // false when the file is missing or not a PE32 or PE32+ image
  unsigned Machine = 0; // the file header's machine: 0x14C for i386, 0x8664 for x86-64
  // Imported names by DLL name as written in the file; an import by ordinal is "#n".
  std::map<std::string, std::vector<std::string>> Imports;
  std::vector<std::string> Exports;
};

PeNames ReadPeNames(const std::string& path);
