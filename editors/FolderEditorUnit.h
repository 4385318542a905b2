#pragma once
// The folder editor ("Folder with file masks"): the folder path of a folder clean
// item with its real path under it, the masks of the files to delete, in order, and
// whether to remove the subfolders left empty. The "?" button picks a folder, the
// "&Folders" button appends a macro, and the mask editor adds one mask at a time.

#include "editors/FolderEditorFormRes.h"
#include "framework/Dialog.h"

#include <string>
#include <vector>

class TFolderEditor : public TDialog {
public:
  explicit TFolderEditor(HWND owner);
  ~TFolderEditor() override;

  // For a new item: no path, no masks, the check box unticked.
  void ResetFields();

  HWND Label1() const { return Control(IDC_FOLDER_LABEL1); }
  HWND FolderEdit() const { return Control(IDC_FOLDEREDIT); }
  HWND SelectFolderButton() const { return Control(IDC_SELECTFOLDERBUTTON); }
  HWND RealPathLabel() const { return Control(IDC_FOLDER_REALPATHLABEL); }
  HWND RemoveEmptyFolderCheckBox() const { return Control(IDC_REMOVEEMPTYFOLDERCHECKBOX); }
  HWND FoldersButton() const { return Control(IDC_FOLDER_FOLDERSBUTTON); }
  HWND MaskListBox() const { return Control(IDC_MASKLISTBOX); }
  HWND AddMaskButton() const { return Control(IDC_ADDMASKBUTTON); }
  HWND RemoveMaskButton() const { return Control(IDC_REMOVEMASKBUTTON); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }
  // The path as typed, macros unexpanded.
  std::string Folder() const;
  void SetFolder(const std::string& path) const;
  bool RemoveEmptyFolder() const;
  void SetRemoveEmptyFolder(bool remove) const;
  // The masks, one a line, in order.
  std::vector<std::string> Masks() const;
  void SetMasks(const std::vector<std::string>& masks) const;

  void SelectFolderButtonClick();
  void FoldersButtonClick();
  void AddMaskButtonClick();
  void RemoveMaskButtonClick();

protected:
  void FormCreate() override;
  void OnCommand(int id, int code) override;

private:
  void FolderEditChange();
};

extern TFolderEditor* FolderEditor;
