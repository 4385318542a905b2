// ExpandFolderMacros and InsertFolderMacros: text replacement that ignores case by
// the rules of the ANSI code page.

#include "sysfolders/SysFolders.h"

namespace {

std::string UpperCased(const TSysFolderSource& source, std::string text) {
  source.UpperCase(text.data(), text.size());
  return text;
}

// Replaces every occurrence of `pattern` in `text`, compared in upper case, from left
// to right and without overlap. The search resumes behind each replaced occurrence,
// so the replacement is never searched again; the text around a match keeps its case.
std::string ReplaceIgnoringCase(const TSysFolderSource& source, const std::string& text,
                                const std::string& pattern, const std::string& replacement) {
  if (pattern.empty()) return text; // an empty pattern never matches
  const std::string upperText = UpperCased(source, text);
  const std::string upperPattern = UpperCased(source, pattern);
  std::string result;
  std::size_t from = 0;
  for (std::size_t found = upperText.find(upperPattern); found != std::string::npos;
       found = upperText.find(upperPattern, from)) {
    result.append(text, from, found - from);
    result += replacement;
    from = found + pattern.size();
  }
  result.append(text, from, std::string::npos);
  return result;
}

} // namespace

std::string ExpandFolderMacros(const TSysFolderList& folders, const std::string& path) {
  std::string result = path;
  for (int i = 0; i < folders.Count(); ++i) {
    const TSysFolder& folder = folders.Items(i);
    result = ReplaceIgnoringCase(folders.Source(), result, folder.Macro(), folder.Path());
  }
  return result;
}

std::string InsertFolderMacros(const TSysFolderList& folders, const std::string& path) {
  std::string result = path;
  for (int i = 0; i < folders.Count(); ++i) {
    const TSysFolder& folder = folders.Items(i);
    result = ReplaceIgnoringCase(folders.Source(), result, folder.Path(), folder.Macro());
  }
  return result;
}

std::string ExpandFolderMacros(const std::string& path) {
  return SysFolderList ? ExpandFolderMacros(*SysFolderList, path) : path;
}

std::string InsertFolderMacros(const std::string& path) {
  return SysFolderList ? InsertFolderMacros(*SysFolderList, path) : path;
}
