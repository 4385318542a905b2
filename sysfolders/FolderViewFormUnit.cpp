#include "sysfolders/FolderViewFormUnit.h"

#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

TFolderViewForm* FolderViewForm = nullptr;

namespace {
constexpr int kClientWidth = 524;
constexpr int kClientHeight = 355;
constexpr int kBorder = 5;
constexpr int kPathColumnWidth = 400;
constexpr int kMacroColumnWidth = 100;
} // namespace

TFolderViewForm::TFolderViewForm(HWND owner, const TSysFolderList& folders) : FFolders(folders) {
  CreateFromTemplate(IDD_FOLDERVIEW, owner);
}

TFolderViewForm::~TFolderViewForm() {
  if (FolderViewForm == this) FolderViewForm = nullptr;
}

void TFolderViewForm::FormCreate() {
  FFoldersListView = GetDlgItem(Handle(), IDC_FOLDERSLISTVIEW);
  // Paths too long for their column show in full in a tip under the pointer.
  ListView_SetExtendedListViewStyle(FFoldersListView, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  AddColumn(0, kPathColumnWidth);
  AddColumn(1, kMacroColumnWidth);
  // Filled once: the table does not change while the program runs.
  for (int i = 0; i < FFolders.Count(); ++i) AddRow(i, FFolders.Items(i));

  // The macro is what the user picks, so its column never cuts one short: at 100
  // pixels %FIREFOX_PROFILE_LOCAL% would read as %FIREFOX_PR... like the row above
  // it. The column widens to the longest macro and the dialog with it.
  SendMessageA(FFoldersListView, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE);
  const int macroWidth = std::max(
      kMacroColumnWidth, static_cast<int>(SendMessageA(FFoldersListView, LVM_GETCOLUMNWIDTH, 1, 0)));
  SendMessageA(FFoldersListView, LVM_SETCOLUMNWIDTH, 1, macroWidth);

  // Dialog units give other pixels on other systems; the sizes are set in pixels here.
  const int clientWidth = kClientWidth + macroWidth - kMacroColumnWidth;
  SetClientSizeCentred(clientWidth, kClientHeight);
  MoveWindow(FFoldersListView, kBorder, kBorder, clientWidth - 2 * kBorder,
             kClientHeight - 2 * kBorder, FALSE);
}

void TFolderViewForm::AddColumn(int index, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH; // no captions: the headers are hidden
  column.cx = width;
  SendMessageA(FFoldersListView, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void TFolderViewForm::AddRow(int index, const TSysFolder& folder) {
  LVITEMA row{};
  row.mask = LVIF_TEXT;
  row.iItem = index;
  row.pszText = const_cast<char*>(folder.Path().c_str()); // an empty path still gets its row
  const int inserted =
      static_cast<int>(SendMessageA(FFoldersListView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
  const std::string macro = folder.Macro();
  LVITEMA sub{};
  sub.iSubItem = 1;
  sub.pszText = const_cast<char*>(macro.c_str());
  SendMessageA(FFoldersListView, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&sub));
}

int TFolderViewForm::SelectedRow() const {
  return static_cast<int>(
      SendMessageA(FFoldersListView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string TFolderViewForm::SelectedMacro() const {
  const int row = SelectedRow();
  if (row < 0) return {};
  char text[256] = {};
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(FFoldersListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

void TFolderViewForm::FoldersListViewDblClick() {
  // A double click beside the rows has cleared the selection: then nothing is chosen.
  if (SelectedRow() >= 0) SetModalResult(kModalResultOK);
}

bool TFolderViewForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
  case WM_NOTIFY: {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom == FFoldersListView && header.code == NM_DBLCLK) {
      FoldersListViewDblClick();
      result = TRUE;
      return true;
    }
    return false;
  }
  case WM_COMMAND:
    // Enter chooses the selected row as a double click does; Esc cancels.
    if (LOWORD(wParam) == IDOK) {
      FoldersListViewDblClick();
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      SetModalResult(kModalResultCancel);
      return true;
    }
    return false;
  case WM_CLOSE: // the close box and the system menu's Close
    SetModalResult(kModalResultCancel);
    result = TRUE;
    return true;
  default:
    return false;
  }
}
