#pragma once
// The table of the thirteen system folders of this machine and the path macros that
// stand for them: "%" + a macro name of the table + "%", matched without regard to
// case, for example %WINDOWS%\Installer. The table is built once at start and only
// read afterwards, from any thread.

#include "framework/Persistent.h"
#include "sysfolders/SysFolderSource.h"

#include <memory>
#include <string>
#include <vector>

// One system folder.
class TSysFolder : public TPersistent {
public:
  TSysFolder() = default;

  // Copies the three fields from another TSysFolder; ignores any other source.
  void Assign(const TPersistent& source) override;
  const char* ClassName() const override { return "TSysFolder"; }

  void SetDescription(const std::string& description) { FDescription = description; }
  void SetPath(const std::string& path) { FPath = path; }
  void SetMacroName(const std::string& macroName) { FMacroName = macroName; }

  // The look-up key of FindPathByDescription, for example "Windows Folder".
  const std::string& Description() const { return FDescription; }
  // Where the folder is on this machine, as found at start; may be empty.
  const std::string& Path() const { return FPath; }
  // The macro's name without the "%" delimiters, in capitals, for example "WINDOWS".
  const std::string& MacroName() const { return FMacroName; }
  // The macro as it stands in a path: "%" + MacroName + "%".
  std::string Macro() const { return "%" + FMacroName + "%"; }

private:
  std::string FDescription;
  std::string FPath;
  std::string FMacroName;
};

// The table. It owns its entries. The source it was built from stays in use for the
// ANSI upper-casing of the macro routines, so it must outlive the table.
class TSysFolderList : public TPersistent {
public:
  // Builds the full table of this machine (LoadFolders).
  explicit TSysFolderList(const TSysFolderSource& source);

  // Copies the entries of another TSysFolderList into entries of its own; any other
  // source raises EConvertError.
  void Assign(const TPersistent& source) override;
  const char* ClassName() const override { return "TSysFolderList"; }

  // Appends an entry with three empty fields; the table keeps it.
  TSysFolder& Add();
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  // The entry at a zero-based index; any other index raises EListError.
  TSysFolder& Items(int index);
  const TSysFolder& Items(int index) const;

  // The path of the first entry whose description equals the argument, ignoring the
  // case of the letters A to Z only; "(failed)" when none does.
  std::string FindPathByDescription(const std::string& description) const;

  // Appends the thirteen entries in their fixed order, each found by its rule.
  void LoadFolders();
  TSysFolder& AddFolder(const std::string& description, const std::string& path,
                        const std::string& macroName);

  const TSysFolderSource& Source() const { return FSource; }

private:
  const TSysFolderSource& FSource;
  std::vector<std::unique_ptr<TSysFolder>> FItems;
};

// The macro names of the thirteen entries, in table order, the same on every machine.
std::vector<std::string> FolderMacroNames();

// The program's table, built at start before any window and freed at the very end.
extern std::unique_ptr<TSysFolderList> SysFolderList;

// Replaces every macro of the table's entries, in table order, by the entry's path.
// Later entries work on the output of earlier ones; unknown macros and any other "%"
// stay as they are.
std::string ExpandFolderMacros(const TSysFolderList& folders, const std::string& path);
// Replaces every occurrence of an entry's path, in table order, by its macro, so the
// first entry in table order whose path occurs wins. Entries with an empty path are
// skipped. Matching is by text, not by path component.
std::string InsertFolderMacros(const TSysFolderList& folders, const std::string& path);
// The same on the program's table; without a table the path comes back unchanged.
std::string ExpandFolderMacros(const std::string& path);
std::string InsertFolderMacros(const std::string& path);
