#pragma once
// import and export: plug-ins from and to winapp2.ini, the INI form of cleaning rules
// that many cleaners read. Each writes what it made to its files (import names them
// on `out`), and every line or item it left out or changed, with the reason, on `err`.

#include <iosfwd>
#include <string>
#include <vector>

namespace plugin {

constexpr int kDefaultCodePage = 1252;

struct ImportOptions {
  std::string Input;                 // the INI file
  std::string OutputFolder;          // made when missing
  std::vector<std::string> Patterns; // entry names with "*" and "?"; none: every entry
  bool Json = false;                 // .json files of the text form rather than .ppj
  int CodePage = kDefaultCodePage;   // of the plug-ins' texts
  bool Overwrite = false;            // replace files already in the folder
  bool Strict = false;               // status 1 when anything was left out
};
int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err);

struct ExportOptions {
  std::string Input;  // a .ppj or its JSON form
  std::string Output; // the INI file; empty: `out`
  int CodePage = kDefaultCodePage;
  bool Strict = false;
};
int RunExport(const ExportOptions& options, std::ostream& out, std::ostream& err);

} // namespace plugin
