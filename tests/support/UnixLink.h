#pragma once
// Unix symbolic links inside the prefix's drive, as a user of Wine makes them, for
// tests of code that must treat links as the system does.

#include <string>

// The Unix path of a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::string& path);

// Makes a symbolic link at `link` leading to `target` with the system's own ln; false
// when that cannot be done (not under Wine) or the link does not appear.
bool MakeUnixLink(const std::string& link, const std::string& target);
