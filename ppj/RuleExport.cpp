#include "ppj/RuleExport.h"
namespace plugin { ExportedEntry ExportEntry(const PlugInRecords&, const CodePage&) { return {}; } }
