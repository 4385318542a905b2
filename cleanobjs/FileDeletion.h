#pragma once
// Deleting what a file or folder item found, the way both items do it. Each entry is
// opened first and checked through that handle: it is deleted only when it still lies
// where the item found it, with no link on the way, so that a folder replaced by a link
// after the check cannot lead a deletion elsewhere (the handle pins what was checked).
// What cannot go now is left for the restart, where it is checked for links again as
// the list is handed over.

#include <string>

enum class DeletionResult { Deleted, NoSuchFile, Deferred, ReachedThroughLink };

// The final path of the folder an item cleans, links on the way to it followed: the
// user named it. Every entry below it must show this path followed by its own path
// below the folder. Empty when the folder cannot be opened, which no entry matches.
std::string FinalPathOfFolder(const std::string& folder);

// The final path that an entry at `relative` below a folder of final path
// `folderFinal` has when nothing on the way is a link. `relative` is "\"-separated
// long names, as the directory search gives them; empty for the folder itself.
std::string FinalPathBelow(const std::string& folderFinal, const std::string& relative);

// Deletes the file at `path` when its final path is `finalPath` (letter case ignored)
// and it is not itself a link, clearing its read-only, hidden and system attributes
// first. A folder or a vanished entry is left alone (NoSuchFile); a file that is in
// use or refuses deletion is added to the restart list (once, whatever its case) by
// `finalPath`, the file that was found, whatever the path found names elsewhere.
DeletionResult DeleteFileOrDefer(const std::string& path, const std::string& finalPath);

// Removes the folder at `path` the same way when it is empty; one that still holds
// anything, or cannot be opened, is added to the restart list (each time).
DeletionResult RemoveFolderOrDefer(const std::string& path, const std::string& finalPath);
