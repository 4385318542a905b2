#pragma once
// Putting a new file in place of an existing one so that a failure at any point
// leaves the old file as it was, and a success leaves it what it was apart from its
// bytes: its attributes, its security, and the symbolic link through which it is named.

#include "framework/Stream.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// `write` fills a new file beside the file that `target` names (CreateBeside), which
// replaces it only once exactly `expectedSize` bytes have reached the disk. A target
// that is a symbolic link keeps the link and has the file it leads to replaced. A
// read-only target is refused with ERROR_ACCESS_DENIED, and one that another program
// holds open without delete sharing with ERROR_SHARING_VIOLATION, before anything is
// written.
// Returns ERROR_SUCCESS, or the system's reason for the failure; after a failure the
// target is as it was and the new file is gone.
DWORD ReplaceFileWhole(const std::string& target, const std::string& prefix,
                       std::int64_t expectedSize, const std::function<void(TStream&)>& write);
