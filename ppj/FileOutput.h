#pragma once
// Whole files in and out for the commands. A file is written beside its target and
// put in its place only once complete, so a failure leaves no partial file and
// replaces nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plugin {

// The file's bytes, or empty with `error` naming the file and the system's reason.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error);

// Writes the bytes in place of `path`; false with `error` set when it cannot. On Linux
// a file replaced keeps its permission bits; on Windows it keeps its attributes and
// security, a read-only one is refused, and a symbolic link stays a link to the file.
bool ReplaceFileWith(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error);

// Makes the folder unless it exists; false with `error` set when it cannot.
bool MakeFolder(const std::string& path, std::string& error);
// Whether anything, a file, a folder or a link, has this path.
bool PathExists(const std::string& path);
// The name in the folder, with the system's separator between them.
std::string PathInFolder(const std::string& folder, const std::string& name);

} // namespace plugin
