// Files and folders dragged from Explorer onto the main window.

#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "editors/FolderEditorUnit.h"
#include "framework/MessageBoxes.h"
#include "framework/WideText.h"
#include "sysfolders/SysFolders.h"

#include <algorithm>

namespace {
// The names of the drop as the system gives them, in Unicode.
std::vector<std::wstring> DroppedNames(HDROP drop) {
  std::vector<std::wstring> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    names.push_back(std::move(name));
  }
  return names;
}

// The name in the ANSI code page, when it has a form there that names the same file:
// no character replaced by "?" and none by a look-alike such as "\" for U+FF3C.
std::optional<std::string> ExactAnsiForm(const std::wstring& name) {
  BOOL replaced = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0,
                                         nullptr, &replaced);
  if (length <= 0 || replaced) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, ansi.data(), length, nullptr,
                      &replaced);
  ansi.resize(ansi.size() - 1); // its NUL
  std::wstring back(name.size() + 1, L'\0');
  back.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.c_str(), -1, back.data(),
                          static_cast<int>(back.size()))));
  if (replaced || back.empty() || back.substr(0, back.size() - 1) != name) return std::nullopt;
  return ansi;
}

bool IsPlugInFileName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return end == ".ppj";
}
} // namespace

void TVarnexForm::DropFiles(HDROP drop) {
  const std::vector<std::wstring> names = DroppedNames(drop);
  DragFinish(drop);
  std::vector<std::string> paths;
  std::wstring refused;
  for (const std::wstring& name : names) {
    if (const auto ansi = ExactAnsiForm(name)) paths.push_back(*ansi);
    else refused += L"\n" + name;
  }
  if (!refused.empty()) {
    // Such a name would reach the items as "?", a wildcard, or as another character.
    const std::wstring text = L"These names have no exact form in this system's code page, so nothing "
                              L"was added:\n" + refused;
    MessageBoxW(Handle(), text.c_str(), WideFromUtf8(ApplicationTitle()).c_str(), MB_OK | MB_ICONERROR);
    return;
  }
  const auto isFolder = [](const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  };
  if (paths.size() == 1 && IsPlugInFileName(paths.front()) && !isFolder(paths.front())) {
    if (FModified && !ConfirmBox(Handle(), "Current plug-in not saved, continue anyway?")) return;
    LoadPlugIn(paths.front());
    return;
  }

  std::vector<plugin::ItemRecord> records;
  for (const std::string& path : paths) {
    if (!isFolder(path)) {
      records.push_back(RecordOfItem(TCleanFile(FPlugInName, InsertFolderMacros(path))));
      continue;
    }
    FolderEditor->ResetFields();
    FolderEditor->SetFolder(InsertFolderMacros(path));
    if (FolderEditor->ShowModal() != kModalResultOK) continue; // that folder is skipped
    TCleanFolder folder(FPlugInName, FolderEditor->Folder(), FolderEditor->RemoveEmptyFolder());
    folder.Masks() = FolderEditor->Masks();
    records.push_back(RecordOfItem(folder));
  }
  InsertRecords("Drop", ItemCount() - 1, std::move(records));
}
