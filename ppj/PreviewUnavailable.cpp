#include "ppj/CleanCommand.h"
#include "ppj/PreviewCommand.h"

#include "ppj/TextCommands.h"

#include <ostream>

namespace plugin {

int RunPreview(const PreviewOptions&, std::ostream&, std::ostream& err) {
  err << "ppj: preview looks at this machine's files and registry, and runs only on Windows "
         "(or under Wine)\n";
  return kExitUnusable;
}

int RunClean(const CleanOptions&, std::ostream&, std::ostream& err) {
  err << "ppj: clean deletes this machine's files and registry data, and runs only on Windows "
         "(or under Wine)\n";
  return kExitUnusable;
}

} // namespace plugin
