#include "sysfolders/FolderViewFormUnit.h"

#include "framework/Controls.h"

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
  const TListView list(FoldersListView());
  // Paths too long for their column show in full in a tip under the pointer.
  ListView_SetExtendedListViewStyle(list.Handle(), LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  // No captions: the headers are hidden.
  list.AddColumn("", kPathColumnWidth);
  list.AddColumn("", kMacroColumnWidth);
  // Filled once: the table does not change while the program runs.
  for (int i = 0; i < FFolders.Count(); ++i) {
    const TSysFolder& folder = FFolders.Items(i);
    const int row = list.AddRow(folder.Path()); // an empty path still gets its row
    list.SetCell(row, 1, folder.Macro());
  }

  // The macro is what the user picks, so its column never cuts one short: at 100
  // pixels %FIREFOX_PROFILE_LOCAL% would read as %FIREFOX_PR... like the row above
  // it. The column widens to the longest macro and the dialog with it.
  list.SetColumnWidth(1, LVSCW_AUTOSIZE);
  const int macroWidth = std::max(kMacroColumnWidth, list.ColumnWidth(1));
  list.SetColumnWidth(1, macroWidth);

  // The template gives no sizes; they are set in pixels here.
  const int clientWidth = kClientWidth + macroWidth - kMacroColumnWidth;
  SetClientSizeCentred(clientWidth, kClientHeight);
  MoveWindow(list.Handle(), kBorder, kBorder, clientWidth - 2 * kBorder,
             kClientHeight - 2 * kBorder, FALSE);
}

int TFolderViewForm::SelectedRow() const { return TListView(FoldersListView()).SelectedRow(); }

std::string TFolderViewForm::SelectedMacro() const {
  const int row = SelectedRow();
  if (row < 0) return {};
  return TListView(FoldersListView()).Cell(row, 1);
}

void TFolderViewForm::FoldersListViewDblClick() {
  // A double click beside the rows has cleared the selection: then nothing is chosen.
  if (SelectedRow() >= 0) SetModalResult(kModalResultOK);
}

LRESULT TFolderViewForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == FoldersListView() && header.code == NM_DBLCLK) FoldersListViewDblClick();
  return 0;
}

void AppendFolderMacro(TFolderViewForm& dialog, HWND edit) {
  if (dialog.ShowModal() != kModalResultOK) return;
  const TEditBox box(edit);
  box.SetText(box.Text() + dialog.SelectedMacro());
  box.Focus();
}
