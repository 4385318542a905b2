#pragma once
// The commands that need no Windows: dump, build and lint. Each writes its result to
// `out`, its errors to `err`, and returns the program's exit status.

#include "plugin/PlugInRecords.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace plugin {

constexpr int kExitSuccess = 0;
constexpr int kExitFindings = 1; // a damaged plug-in, or a lint error found
constexpr int kExitUnusable = 2; // the input cannot be read or used; nothing written

// The file's bytes; nothing, with the reason on `err`, when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::ostream& err);
// Writes the file whole or not at all (FileOutput.h); false with the reason on `err`.
bool WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes, std::ostream& err);

// The records of a .ppj, as far as it can be read (`damage` then says where it
// stopped), or of its JSON form; nothing, with the reason on `err`, for anything else.
std::optional<PlugInRecords> ReadPlugInOrJson(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                              std::ostream& err, std::optional<PlugInReadResult>& damage);

// Standard error's account of a damaged plug-in file: where reading stopped and how
// many of the counted items could be read.
std::string DamageReport(const std::string& path, const PlugInReadResult& result);

struct DumpOptions {
  std::string Input;  // a .ppj file
  std::string Output; // empty: `out`
};
int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err);

struct BuildOptions {
  std::string Input;  // a JSON file
  std::string Output; // the .ppj file to write
  bool Shorten = false;
};
int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err);

struct LintOptions {
  std::string Input; // a .ppj or a JSON file
  bool Json = false;  // findings as JSON rather than one line each
};
int RunLint(const LintOptions& options, std::ostream& out, std::ostream& err);

} // namespace plugin
