#include "ppj/RuleImport.h"

#include "plugin/AsciiFold.h"
#include "plugin/Lint.h"
#include "ppj/RuleExclusions.h"
#include "ppj/RuleTerms.h"
#include "ppj/Utf8Text.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace plugin {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

enum class KeyRole { Ignored, Warning, FileKey, RegKey, ExcludeKey, Misspelt, Unknown };

// What a key of an entry is, by its name. A key that deletes counts only as every
// reader knows it, "FileKey1", "RegKey2" and so on spelt so; a key that keeps things
// alone, or warns, counts however it is spelt.
KeyRole RoleOf(const std::string& name) {
  std::size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
  const std::string base = name.substr(0, digits);
  const std::string number = name.substr(digits);
  const bool counted = !number.empty() && number.front() != '0';
  if (base == "FileKey" && counted) return KeyRole::FileKey;
  if (base == "RegKey" && counted) return KeyRole::RegKey;
  const std::string folded = AsciiFolded(base);
  if (folded == "excludekey") return KeyRole::ExcludeKey;
  if (folded == "warning") return KeyRole::Warning;
  if (folded == "filekey" || folded == "regkey") return KeyRole::Misspelt;
  if (folded == "detect" || folded == "detectfile") return KeyRole::Ignored;
  if (!number.empty()) return KeyRole::Unknown;
  if (folded == "detectos" || folded == "specialdetect" || folded == "default" ||
      folded == "langsecref" || folded == "section")
    return KeyRole::Ignored;
  return KeyRole::Unknown;
}

bool Deletes(KeyRole role) {
  return role == KeyRole::FileKey || role == KeyRole::RegKey || role == KeyRole::Misspelt ||
         role == KeyRole::Unknown;
}

// A character that no file name holds: a pattern with one matches nothing in the
// folder, while an item's path with it would name another place.
bool HoldsNoNameCharacter(const std::string& pattern) {
  return std::any_of(pattern.begin(), pattern.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string("\\/:<>\"|").find(c) != std::string::npos;
  });
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// The entry's name without the " *" that ends every section's name.
std::string EntryNameOf(const IniSection& section) {
  const std::string& name = section.Name;
  const bool marked = name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0;
  return marked ? name.substr(0, name.size() - 2) : name;
}

// Imports one entry: its items, and a note for every line not carried over as it is.
class EntryImport {
public:
  // `namesake`: why the entry, having another's name, is left out whole; empty if not.
  EntryImport(const IniSection& section, std::string namesake, const CodePage& codePage,
              std::vector<ImportNote>& notes)
      : FSection(section), FNamesake(std::move(namesake)), FCodePage(codePage), FNotes(notes),
        FOutcomes(section.Keys.size()) {}

  std::optional<ImportedPlugIn> Run(double time, ImportResult& counts) {
    std::optional<ImportedPlugIn> plugIn = Build(time);
    for (std::size_t i = 0; i < FSection.Keys.size(); ++i) {
      if (!Deletes(RoleOf(FSection.Keys[i].Name))) continue;
      const Outcome& outcome = FOutcomes[i];
      if (!plugIn || outcome.Items == 0)
        ++counts.KeysLeftOut;
      else if (outcome.PartsLeftOut > 0)
        ++counts.KeysInPart;
      else
        ++counts.KeysCarried;
    }
    return plugIn;
  }

private:
  struct Outcome {
    int Items = 0;
    int PartsLeftOut = 0;
  };

  std::optional<ImportedPlugIn> Build(double time) {
    const std::string name = EntryNameOf(FSection);
    if (!FNamesake.empty()) return LeaveOutEntry(FNamesake);
    for (const IniKey& key : FSection.Keys)
      if (RoleOf(key.Name) == KeyRole::Warning)
        return LeaveOutEntry("the entry has a Warning=: its own authors call it risky, and a "
                             "plug-in cannot carry the warning");
    const std::optional<std::string> storedName = NameThatFitsField(name);
    if (!storedName)
      return LeaveOutEntry("the entry's name holds a character that code page " +
                           std::to_string(FCodePage.Number()) + " lacks");

    ReadExclusions();
    for (std::size_t i = 0; i < FSection.Keys.size(); ++i) {
      const IniKey& key = FSection.Keys[i];
      FKeyIndex = i;
      if (std::string repeated = RepeatedKeyReason(key); !repeated.empty()) {
        LeaveOut(key, repeated);
        continue;
      }
      switch (RoleOf(key.Name)) {
      case KeyRole::FileKey: ImportFileKey(key); break;
      case KeyRole::RegKey: ImportRegKey(key); break;
      case KeyRole::Misspelt:
        LeaveOut(key, "readers know the key as FileKey1, RegKey1 and so on, spelt so: some may "
                      "read it and others not");
        break;
      case KeyRole::Unknown:
        LeaveOut(key, "the key is not one of those known here, so what it deletes is not known");
        break;
      default: break;
      }
    }
    LeaveOutLintErrors();
    if (FItems.empty())
      return LeaveOutEntry("no key of the entry could be carried over; no plug-in is made",
                           /*keysToo=*/false);

    ImportedPlugIn plugIn{name, {}};
    plugIn.Records.Header.Name = *storedName;
    plugIn.Records.Header.Time = time;
    for (Item& item : FItems) plugIn.Records.Items.push_back(std::move(item.Record));
    plugIn.Records.Header.ItemCount = static_cast<std::int32_t>(plugIn.Records.Items.size());
    return plugIn;
  }

  // Why a key of the entry that deletes is taken for none: the entry has another of
  // its name, and a reader takes one of them, which one is not known.
  std::string RepeatedKeyReason(const IniKey& key) const {
    const KeyRole role = RoleOf(key.Name);
    if (role != KeyRole::FileKey && role != KeyRole::RegKey) return {};
    std::string lines;
    int count = 0;
    for (const IniKey& other : FSection.Keys)
      if (AsciiFolded(other.Name) == AsciiFolded(key.Name)) {
        lines += (lines.empty() ? "" : ", ") + std::to_string(other.Line);
        ++count;
      }
    if (count < 2) return {};
    return "the entry has " + key.Name + " on lines " + lines +
           ", and a reader takes only one of them";
  }

  void Note(int line, NoteKind kind, const std::string& key, std::string reason) {
    FNotes.push_back(ImportNote{line, kind, FSection.Name, key, std::move(reason)});
  }
  void LeaveOut(const IniKey& key, std::string reason) {
    Note(key.Line, NoteKind::LeftOut, key.Name, std::move(reason));
    ++FOutcomes[FKeyIndex].PartsLeftOut;
  }
  void Invalid(const IniKey& key, std::string reason) {
    Note(key.Line, NoteKind::Invalid, key.Name, std::move(reason));
    ++FOutcomes[FKeyIndex].PartsLeftOut;
  }

  // The whole entry left out: each line that deletes, or the section line alone.
  std::optional<ImportedPlugIn> LeaveOutEntry(const std::string& reason, bool keysToo = true) {
    bool noted = false;
    if (keysToo)
      for (const IniKey& key : FSection.Keys)
        if (Deletes(RoleOf(key.Name))) {
          Note(key.Line, NoteKind::LeftOut, key.Name, reason);
          noted = true;
        }
    if (!noted) Note(FSection.Line, NoteKind::LeftOut, {}, reason);
    return std::nullopt;
  }

  // The name in the code page, cut to its field (127 bytes) at a character's end.
  std::optional<std::string> NameThatFitsField(const std::string& name) {
    std::string stored;
    for (const std::string& character : Utf8Characters(name)) {
      const std::optional<std::string> bytes = FCodePage.FromUtf8(character);
      if (!bytes) return std::nullopt;
      if (stored.size() + bytes->size() > kNameFieldSize - 1) {
        Note(FSection.Line, NoteKind::Changed, {},
             "the plug-in's name is cut to the " + std::to_string(kNameFieldSize - 1) +
                 " characters its field holds");
        break;
      }
      stored += *bytes;
    }
    return stored;
  }

  void ReadExclusions() {
    for (const IniKey& key : FSection.Keys) {
      if (RoleOf(key.Name) != KeyRole::ExcludeKey) continue;
      std::string reason;
      if (std::optional<Exclusion> exclusion = ReadExclusion(key, reason)) {
        FExclusions.push_back(std::move(*exclusion));
      } else {
        // What it keeps is not known, so every deletion of the entry might reach it.
        Note(key.Line, NoteKind::Invalid, key.Name, reason);
        FUnreadableExclusion = true;
      }
    }
  }

  // Why an ExcludeKey may keep part of what a key deletes, which no item can; empty
  // when none does. `keeps` says whether one exclusion does.
  template <class Keeps>
  std::string ExclusionReason(const Keeps& keeps) {
    if (FUnreadableExclusion)
      return "an ExcludeKey of the entry cannot be read, so what the key must leave alone is not "
             "known";
    for (const Exclusion& exclusion : FExclusions)
      if (keeps(exclusion))
        return "the ExcludeKey on line " + std::to_string(exclusion.Line) +
               " keeps part of what the key deletes, and an item cannot leave anything out";
    return {};
  }

  std::optional<std::string> Bytes(const IniKey& key, const std::string& text) {
    const std::string codePage = "code page " + std::to_string(FCodePage.Number());
    std::optional<std::string> bytes = FCodePage.FromUtf8(text);
    if (!bytes) {
      LeaveOut(key, Quoted(text) + " holds a character that " + codePage + " lacks");
    } else if (!BackslashesAgree(*bytes, text)) {
      LeaveOut(key, Quoted(text) + " holds a character whose second byte in " + codePage +
                        " is that of \"\\\", which the items would take for a separator");
      bytes.reset();
    }
    return bytes;
  }

  void Add(const IniKey& key, std::variant<RegistryBody, FileBody, FolderBody> body) {
    const std::optional<std::string> name = Bytes(key, key.Name);
    if (!name) return;
    FItems.push_back(Item{ItemRecord{*name, std::move(body)}, FKeyIndex});
    ++FOutcomes[FKeyIndex].Items;
  }

  void ImportFileKey(const IniKey& key) {
    const std::vector<std::string> fields = SplitAt(key.Value, '|');
    if (fields.size() < 2)
      return Invalid(key, "a FileKey without \"|\" between its path and its patterns");
    if (fields.size() > 3)
      return LeaveOut(key, "a FileKey has at most three fields: PATH|PATTERNS|OPTION");
    const std::string option = fields.size() == 3 ? fields[2] : std::string();
    if (!option.empty() && option != "RECURSE" && option != "REMOVESELF")
      return LeaveOut(key,
                      "the option " + Quoted(option) + " is neither RECURSE nor REMOVESELF, spelt so");
    const bool recursive = !option.empty();

    const Carried folder = ItemFolderOfRuleFolder(fields[0], recursive);
    if (!folder.Text) return LeaveOut(key, folder.Reason);
    const auto keepsFromFolder = [&](const Exclusion& exclusion) {
      return MayKeepFromFolder(exclusion, *folder.Text);
    };
    if (std::string reason = ExclusionReason(keepsFromFolder); !reason.empty())
      return LeaveOut(key, reason);

    std::vector<std::string> patterns;
    for (const std::string& pattern : SplitAt(fields[1], ';')) {
      if (pattern.empty()) continue;
      if (HoldsNoNameCharacter(pattern))
        LeaveOut(key,
                 "the pattern " + Quoted(pattern) + " holds a character that no file name holds");
      else if (HasOuterBlank(pattern))
        LeaveOut(key, "the pattern " + Quoted(pattern) +
                          " begins or ends in a blank, which a "
                          "reader of the rule may drop");
      else if (!recursive && pattern.find('%') != std::string::npos)
        LeaveOut(key, "the pattern " + Quoted(pattern) +
                          " holds a \"%\": in a file item's path it "
                          "may be read as a system folder macro");
      else if (!recursive && HasWildcard(pattern))
        LeaveOut(key, "the pattern " + Quoted(pattern) +
                          " has a wildcard: without RECURSE it "
                          "matches only the folder's own files, and a folder item searches the "
                          "subfolders too");
      else
        patterns.push_back(pattern);
    }
    if (patterns.empty()) {
      if (FOutcomes[FKeyIndex].PartsLeftOut == 0) LeaveOut(key, "the FileKey has no pattern");
      return;
    }

    if (recursive) {
      const std::optional<std::string> folderBytes = Bytes(key, *folder.Text);
      if (!folderBytes) return;
      FolderBody body{
          FolderPathPart{*folderBytes, static_cast<std::uint8_t>(option == "REMOVESELF")}, {}};
      for (const std::string& pattern : patterns) {
        const std::optional<std::string> mask = Bytes(key, pattern);
        if (mask) body.Masks.push_back(*mask);
      }
      if (!body.Masks.empty()) Add(key, std::move(body));
      return;
    }
    // Each file's whole path is carried, so that a file the system gives a 32-bit program
    // from elsewhere (%WinDir%\\regedit.exe) is found.
    const bool endsInSeparator = fields[0].back() == '\\';
    for (const std::string& pattern : patterns) {
      const Carried file =
          ItemFolderOfRuleFolder(fields[0] + (endsInSeparator ? "" : "\\") + pattern, false);
      if (!file.Text)
        LeaveOut(key, "the file " + Quoted(pattern) + ": " + file.Reason);
      else if (const std::optional<std::string> path = Bytes(key, *file.Text))
        Add(key, FileBody{*path});
    }
  }

  void ImportRegKey(const IniKey& key) {
    const std::vector<std::string> fields = SplitAt(key.Value, '|');
    if (fields.size() > 2)
      return LeaveOut(key, "more than one \"|\": where the key ends and the value's name begins "
                           "is not known");
    std::string reason;
    const std::optional<RuleKey> parsed = ParseRuleKey(fields[0], reason);
    if (!parsed) return Invalid(key, reason);
    const bool oneValue = fields.size() == 2;
    if (oneValue && fields[1].empty())
      return LeaveOut(key, "an empty value name: whether the key's default value or the whole key "
                           "is meant is not known");
    if (oneValue && HasOuterBlank(fields[1]))
      return LeaveOut(
          key, "the value name begins or ends in a blank, which a reader of the rule may drop");
    if (std::string redirected = RedirectedKeyReason(parsed->RootKey, parsed->Path, !oneValue);
        !redirected.empty())
      return LeaveOut(key, redirected);
    const auto keepsFromKey = [&](const Exclusion& exclusion) {
      return MayKeepFromKey(exclusion, *parsed);
    };
    if (std::string excluded = ExclusionReason(keepsFromKey); !excluded.empty())
      return LeaveOut(key, excluded);

    const std::optional<std::string> path = Bytes(key, parsed->Path);
    const std::optional<std::string> value = oneValue ? Bytes(key, fields[1]) : std::string();
    if (!path || !value) return;
    Add(key,
        RegistryBody{parsed->RootKey, *path, *value, static_cast<std::uint8_t>(oneValue ? 0 : 1)});
  }

  // The items that the checks call an error are left out, with the checks' words.
  void LeaveOutLintErrors() {
    PlugInRecords records;
    for (const Item& item : FItems) records.Items.push_back(item.Record);
    std::vector<bool> erroneous(FItems.size(), false);
    for (const LintFinding& finding : LintPlugIn(records)) {
      if (finding.Level != FindingLevel::Error || finding.ItemNumber < 1) continue;
      const std::size_t index = static_cast<std::size_t>(finding.ItemNumber) - 1;
      FKeyIndex = FItems[index].KeyIndex;
      LeaveOut(FSection.Keys[FKeyIndex],
               "the checks call the item an error [" + finding.Rule + "]: " + finding.Message);
      if (!erroneous[index]) --FOutcomes[FKeyIndex].Items;
      erroneous[index] = true;
    }
    std::vector<Item> kept;
    for (std::size_t i = 0; i < FItems.size(); ++i)
      if (!erroneous[i]) kept.push_back(std::move(FItems[i]));
    FItems = std::move(kept);
  }

  struct Item {
    ItemRecord Record;
    std::size_t KeyIndex = 0; // the key it comes from
  };

  const IniSection& FSection;
  const std::string FNamesake;
  const CodePage& FCodePage;
  std::vector<ImportNote>& FNotes;
  std::vector<Outcome> FOutcomes; // by key
  std::vector<Exclusion> FExclusions;
  bool FUnreadableExclusion = false;
  std::vector<Item> FItems;
  std::size_t FKeyIndex = 0; // the key being imported
};

} // namespace

bool MatchesEntryPattern(const std::string& nameText, const std::string& patternText) {
  const std::vector<std::string> name = Utf8Characters(nameText);
  const std::vector<std::string> pattern = Utf8Characters(patternText);
  // One place to go back to is enough: a later "*" can match all that an earlier would.
  std::size_t n = 0, p = 0, starAt = std::string::npos, nameAtStar = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == "?" || AsciiFolded(pattern[p]) == AsciiFolded(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == "*") {
      starAt = p++;
      nameAtStar = n;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      n = ++nameAtStar;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

ImportResult ImportEntries(const IniText& ini, const ImportChoice& choice,
                           const CodePage& codePage) {
  ImportResult result;
  for (const IniProblem& problem : ini.Problems)
    result.Notes.push_back(ImportNote{problem.Line, NoteKind::Invalid, {}, {}, problem.Reason});
  // Readers may take two entries of one name for one, whose ExcludeKeys then keep
  // things from the other's deletions.
  std::map<std::string, std::string> linesOfName;
  for (const IniSection& section : ini.Sections) {
    std::string& lines = linesOfName[AsciiFolded(EntryNameOf(section))];
    lines += (lines.empty() ? "" : ", ") + std::to_string(section.Line);
  }
  for (const IniSection& section : ini.Sections) {
    const std::string name = EntryNameOf(section);
    const std::string& lines = linesOfName[AsciiFolded(name)];
    const std::string namesake = lines.find(',') == std::string::npos
                                     ? std::string()
                                     : "entries of this name begin on lines " + lines +
                                           ", and a reader may take them for one";
    const bool chosen =
        choice.Patterns.empty() ||
        std::any_of(choice.Patterns.begin(), choice.Patterns.end(),
                    [&](const std::string& pattern) { return MatchesEntryPattern(name, pattern); });
    if (!chosen) continue;
    ++result.EntriesChosen;
    EntryImport entry(section, namesake, codePage, result.Notes);
    if (std::optional<ImportedPlugIn> plugIn = entry.Run(choice.Time, result)) {
      result.PlugIns.push_back(std::move(*plugIn));
      ++result.EntriesCarried;
    }
  }
  return result;
}

} // namespace plugin
