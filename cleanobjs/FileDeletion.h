#pragma once
// Deleting a found file the way both file items do: read-only, hidden and system
// attributes cleared first, and a file that cannot go now left for the restart.

#include <string>

enum class DeletionResult { Deleted, NoSuchFile, Deferred };

// Only an existing file is touched; a folder or a vanished entry is left alone. A
// deferred file is on the restart list (once, whatever its letter case).
DeletionResult DeleteFileOrDefer(const std::string& path);
