#pragma once
// The preview command: what a plug-in covers on this machine, item by item, found by
// the same collection as the editor's size preview.

#include <iosfwd>
#include <string>

namespace plugin {

struct PreviewOptions {
  std::string Input; // a .ppj file
  std::string List;  // empty, or a CSV file to list every file and value found in
};
int RunPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err);

} // namespace plugin
