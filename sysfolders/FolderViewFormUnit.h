#pragma once
// The System Folders dialog: every entry of the system folder table with its path on
// this machine and its macro. A double click on a row (or Enter on a selected row)
// closes it with OK and that row chosen; the close box or Esc closes it with Cancel.
// The file and folder editors append the chosen macro to their path box.

#include "framework/Dialog.h"
#include "sysfolders/SysFolders.h"

#include <string>

class TFolderViewForm : public TDialog {
public:
  // Fills the list once from `folders`, which must outlive the dialog.
  TFolderViewForm(HWND owner, const TSysFolderList& folders);
  ~TFolderViewForm() override;

  HWND FoldersListView() const { return FFoldersListView; }
  // The selected row, or -1. It stays selected from one show to the next.
  int SelectedRow() const;
  // The macro of the selected row (its second column), or empty without a selection.
  std::string SelectedMacro() const;

protected:
  void FormCreate() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  void FoldersListViewDblClick();
  void AddColumn(int index, int width);
  void AddRow(int index, const TSysFolder& folder);

  const TSysFolderList& FFolders;
  HWND FFoldersListView = nullptr;
};

extern TFolderViewForm* FolderViewForm;
