#include "framework/CommonDialogs.h"

#include "framework/UniquePidl.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

namespace {

// A path may be as long as the system allows, not only MAX_PATH.
constexpr DWORD kFileNameBufferSize = 4096;

// The dialog wants the parts of the filter separated by NULs and ended by two.
std::string FilterWithNuls(const std::string& filter) {
  std::string parts = filter;
  if (!parts.empty() && parts.back() != '|') parts += '|';
  for (char& c : parts)
    if (c == '|') c = '\0';
  parts += '\0';
  return parts;
}

std::optional<std::string> RunFileDialog(BOOL(WINAPI* run)(OPENFILENAMEA*), HWND owner,
                                         const FileDialogSettings& settings,
                                         const std::string& fileName) {
  std::string buffer(kFileNameBufferSize, '\0');
  buffer.replace(0, std::min<std::size_t>(fileName.size(), kFileNameBufferSize - 1), fileName);
  const std::string filter = FilterWithNuls(settings.Filter);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = settings.Filter.empty() ? nullptr : filter.c_str();
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = kFileNameBufferSize;
  dialog.lpstrDefExt = settings.DefaultExt.empty() ? nullptr : settings.DefaultExt.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | settings.Flags;
  // Wine's dialog can end with success and no name at all: that chooses nothing either.
  if (!run(&dialog) || buffer[0] == '\0') return std::nullopt;
  return std::string(buffer.c_str());
}

} // namespace

std::optional<std::string> PromptForOpenFile(HWND owner, const FileDialogSettings& settings,
                                             const std::string& fileName) {
  return RunFileDialog(GetOpenFileNameA, owner, settings, fileName);
}

std::optional<std::string> PromptForSaveFile(HWND owner, const FileDialogSettings& settings,
                                             const std::string& fileName) {
  return RunFileDialog(GetSaveFileNameA, owner, settings, fileName);
}

std::optional<std::string> BrowseForFolder(HWND owner) {
  BROWSEINFOA browse{};
  browse.hwndOwner = owner;
  const unique_pidl chosen(SHBrowseForFolderA(&browse));
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.get(), path)) return std::nullopt;
  return std::string(path);
}
