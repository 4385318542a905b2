#pragma once
// The files and folders that could not be deleted now and are left to the system to
// delete at the next restart. The list is process-wide and exists from the first
// failed deletion until the flush at program end. It has no lock: the items that add
// to it must not clean on several threads at once.

#include <string>
#include <vector>

class TSysFolderList;

// The pending list, created empty on first use.
const std::vector<std::string>& GetRebootDeleteList();
// True once the list has been created and until it is flushed.
bool RebootDeleteListExists();
// Adds a file unless the list holds it already, ignoring letter case; the check costs
// the same however long the list is.
void AddRebootDeleteFile(const std::string& path);
// Adds a folder; a folder that two items failed to remove is listed twice.
void AddRebootDeleteFolder(const std::string& path);

// Hands the list to the system and destroys it; without a list it does nothing. An
// entry that is now reached through a link (a folder on its way replaced by one) is
// dropped: the deletion at restart would reach what the link leads to. The
// platform id and the Windows folder come from the folder table: on the Windows
// 95/98/Me family the entries go into WININIT.INI in the Windows folder, elsewhere
// each is registered with MoveFileEx for deletion at restart. Raises ECommandError
// when WININIT.INI cannot be written.
void FlushRebootDeleteList(const TSysFolderList& folders);
// The same with the program's table; runs once at program end.
void FlushRebootDeleteList();

// What the flush did with each entry, for a caller that reports it.
struct RebootRegistration {
  std::string Path;
  unsigned long Error = 0; // the system's reason, or 0 for an entry registered
};
struct RebootHandOver {
  std::vector<RebootRegistration> Registered; // every entry handed over, in list order
  std::vector<std::string> ThroughLinks;      // dropped: now reached through a link
};
// FlushRebootDeleteList, telling what became of each entry.
RebootHandOver HandOverRebootDeleteList(const TSysFolderList& folders);
