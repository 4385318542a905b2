#include "sysfolders/SysFolders.h"

#include "framework/FrameworkErrors.h"
#include "sysfolders/SysFolderRules.h"

std::unique_ptr<TSysFolderList> SysFolderList;

namespace {

// The order of this table is part of the macro rules: see InsertFolderMacros.
struct TFolderRule {
  const char* Description;
  const char* MacroName;
  std::string (*Find)(const TSysFolderSource& source);
};

const TFolderRule kFolderRules[] = {
    {"Windows Folder", "WINDOWS", GetWindowsFolder},
    {"Profile Folder", "PROFILE", GetProfileFolder},
    {"Program Files Folder", "PROGRAMFILES", GetProgramFilesFolder},
    {"Windows Temporary Folder", "WINTEMP", GetTempFolder},
    {"Installer Directory", "INST",
     [](const TSysFolderSource& s) { return GetWindowsFolder(s) + "\\Installer"; }},
    {"Recent Folder", "RECENT",
     [](const TSysFolderSource& s) { return GetShellFolderValue(s, "Recent"); }},
    {"Temp Internet Files Folder", "TEMPINTERNET",
     [](const TSysFolderSource& s) { return GetShellFolderValue(s, "Cache"); }},
    {"Browser History Folder", "HISTORY",
     [](const TSysFolderSource& s) { return GetShellFolderValue(s, "History"); }},
    {"Cookies Folder", "COOKIES",
     [](const TSysFolderSource& s) { return GetShellFolderValue(s, "Cookies"); }},
    {"Download File Folder", "DOWNLOAD",
     [](const TSysFolderSource& s) { return GetWindowsFolder(s) + "\\Downloaded Program Files"; }},
    {"Opera Profile Folder", "OPERA_PROFILE",
     [](const TSysFolderSource& s) {
       return IsNTPlatform(s) ? GetProfileFolder(s) + "\\Application Data\\Opera\\Opera\\profile"
                              : GetProgramFilesFolder(s) + "\\Opera\\profile";
     }},
    {"FireFox Profiles Folder", "FIREFOX_PROFILE",
     [](const TSysFolderSource& s) {
       return (IsNTPlatform(s) ? GetProfileFolder(s) : GetWindowsFolder(s)) +
              "\\Application Data\\Mozilla\\Firefox\\Profiles";
     }},
    // On the 95/98/Me family the same path as the entry before.
    {"FireFox Profiles Folder Local", "FIREFOX_PROFILE_LOCAL",
     [](const TSysFolderSource& s) {
       return IsNTPlatform(s)
                  ? GetProfileFolder(s) + "\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles"
                  : GetWindowsFolder(s) + "\\Application Data\\Mozilla\\Firefox\\Profiles";
     }},
};

// Folds a to z only: the descriptions are the program's own English texts, and a
// look-up must not depend on the code page.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

} // namespace

std::vector<std::string> FolderMacroNames() {
  std::vector<std::string> names;
  for (const TFolderRule& rule : kFolderRules) names.emplace_back(rule.MacroName);
  return names;
}

void TSysFolder::Assign(const TPersistent& source) {
  const auto* folder = dynamic_cast<const TSysFolder*>(&source);
  if (folder == nullptr) return;
  FDescription = folder->FDescription;
  FPath = folder->FPath;
  FMacroName = folder->FMacroName;
}

TSysFolderList::TSysFolderList(const TSysFolderSource& source) : FSource(source) { LoadFolders(); }

void TSysFolderList::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TSysFolderList*>(&source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  // Clearing first would free the very entries that are to be copied.
  if (other == this) return;
  Clear();
  for (const auto& item : other->FItems) Add().Assign(*item);
}

TSysFolder& TSysFolderList::Add() {
  FItems.push_back(std::make_unique<TSysFolder>());
  return *FItems.back();
}

void TSysFolderList::Clear() {
  for (auto& item : FItems) item.reset(); // first to last
  FItems.clear();
}

TSysFolder& TSysFolderList::Items(int index) {
  if (index < 0 || index >= Count()) throw EListError(index);
  return *FItems[static_cast<std::size_t>(index)];
}

const TSysFolder& TSysFolderList::Items(int index) const {
  return const_cast<TSysFolderList*>(this)->Items(index);
}

std::string TSysFolderList::FindPathByDescription(const std::string& description) const {
  for (const auto& item : FItems)
    if (EqualIgnoringAsciiCase(item->Description(), description)) return item->Path();
  return "(failed)";
}

void TSysFolderList::LoadFolders() {
  // Each rule asks the platform afresh, so no entry depends on what an earlier one found.
  for (const TFolderRule& rule : kFolderRules)
    AddFolder(rule.Description, rule.Find(FSource), rule.MacroName);
}

TSysFolder& TSysFolderList::AddFolder(const std::string& description, const std::string& path,
                                      const std::string& macroName) {
  TSysFolder& folder = Add();
  folder.SetDescription(description);
  folder.SetPath(path);
  folder.SetMacroName(macroName);
  return folder;
}
