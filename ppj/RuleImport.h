#pragma once
// winapp2.ini's entries as plug-ins, one plug-in an entry, never reaching more than
// the entry's rules: a key that no item states exactly or more narrowly is left out
// and said so, and an item that the checks call an error is left out too.

#include "plugin/PlugInRecords.h"
#include "ppj/CodePage.h"
#include "ppj/IniText.h"

#include <string>
#include <vector>

namespace plugin {

enum class NoteKind {
  Invalid, // a line that is no INI, or no rule, skipped
  LeftOut, // a line, or part of one, that no item states exactly or more narrowly
  Changed, // carried over, changed as the reason says
};

// A line of the INI that was not carried over as it stands, and why.
struct ImportNote {
  int Line = 0;
  NoteKind Kind = NoteKind::LeftOut;
  std::string Entry; // the section's name as written, "Foo *"; empty for a line of no entry
  std::string Key;   // the key's name as written; empty for the section line itself
  std::string Reason;
};

struct ImportedPlugIn {
  std::string EntryName; // UTF-8, without the final " *"
  PlugInRecords Records;
};

struct ImportResult {
  std::vector<ImportedPlugIn> PlugIns;
  std::vector<ImportNote> Notes; // the INI's own problems first, then each entry's notes
  int EntriesChosen = 0;
  int EntriesCarried = 0;
  int KeysCarried = 0; // keys of chosen entries that gave items: all they state,
  int KeysInPart = 0;  // or some of it,
  int KeysLeftOut = 0; // or none
};

struct ImportChoice {
  std::vector<std::string> Patterns; // entry names with "*" and "?"; none: every entry
  double Time = 0.0;                 // the plug-ins' time stamp
};

// The plug-ins of the chosen entries, their texts as bytes of `codePage`.
ImportResult ImportEntries(const IniText& ini, const ImportChoice& choice,
                           const CodePage& codePage);

// Whether `name` matches `pattern`, whose "*" stands for any characters and "?" for
// one, without regard to the case of A to Z.
bool MatchesEntryPattern(const std::string& name, const std::string& pattern);

} // namespace plugin
