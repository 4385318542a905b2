#pragma once
// The System Folders dialog: every entry of the system folder table with its path on
// this machine and its macro. A double click on a row (or Enter on a selected row)
// closes it with OK and that row chosen; the close box or Esc closes it with Cancel.
// The file and folder editors append the chosen macro to their path box.

#include "framework/Dialog.h"
#include "sysfolders/FolderViewFormRes.h"
#include "sysfolders/SysFolders.h"

#include <string>

class TFolderViewForm : public TDialog {
public:
  // Fills the list once from `folders`, which must outlive the dialog.
  TFolderViewForm(HWND owner, const TSysFolderList& folders);
  ~TFolderViewForm() override;

  HWND FoldersListView() const { return Control(IDC_FOLDERSLISTVIEW); }
  // The selected row, or -1. It stays selected from one show to the next.
  int SelectedRow() const;
  // The macro of the selected row (its second column), or empty without a selection.
  std::string SelectedMacro() const;

protected:
  void FormCreate() override;
  // Enter chooses the selected row as a double click does.
  void OnOK() override { FoldersListViewDblClick(); }
  LRESULT OnNotify(const NMHDR& header) override;

private:
  void FoldersListViewDblClick();

  const TSysFolderList& FFolders;
};

// What the "&Folders" button of the file and folder editors does: shows the dialog
// modally and, on OK, appends the chosen macro to the end of the edit box's text (not
// at the caret, with no separator) and gives the box the focus. Cancel changes nothing.
void AppendFolderMacro(TFolderViewForm& dialog, HWND edit);

extern TFolderViewForm* FolderViewForm;
