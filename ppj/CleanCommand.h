#pragma once
// The clean command: removes from this machine what a plug-in's items cover, as the
// cleaner would, after the checks and the preview and only when asked to.

#include <iosfwd>
#include <string>

namespace plugin {

struct CleanOptions {
  std::string Input;              // a .ppj file
  std::string List;               // empty, or a CSV file to list what was handled
  bool Yes = false;               // delete without asking
  std::istream* Terminal = nullptr; // where to ask, when standard input is a terminal
};
int RunClean(const CleanOptions& options, std::ostream& out, std::ostream& err);

} // namespace plugin
