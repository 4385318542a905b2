#pragma once
// Where the system says an open file or folder really is. A link anywhere on the way
// to an entry (a junction, a symbolic link, under Wine a Unix link) shows in its final
// path as the place the link leads to, so comparing final paths tells whether an
// entry still lies where its path text says.

#include "framework/UniqueHandle.h"

#include <string>

// Whether a link that is the last part of the path is opened itself or followed.
// Where the system opens links themselves, a link opened so is seen by its
// attributes; Wine follows Unix links whatever the flags say.
enum class LastLink { Opened, Followed };

// Opens a file or folder, sharing it fully so that nobody else's use of it is refused.
unique_hfile OpenEntry(const std::string& path, DWORD access, LastLink lastLink = LastLink::Opened);

// The entry's final path in its plain form ("C:\Folder\File", "\\server\share\..."),
// long names throughout; empty when the system cannot tell.
std::string FinalPathOf(HANDLE entry);

// The attributes of the open entry; INVALID_FILE_ATTRIBUTES when they cannot be read.
DWORD AttributesOf(HANDLE entry);

// Two paths that name the same place, letter case ignored as the file system does.
bool SamePath(const std::string& a, const std::string& b);
