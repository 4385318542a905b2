#pragma once
// The Filename Editor: the path of one file clean item, with system folder macros
// unexpanded, and under it the path they stand for on this machine. The "?" button
// picks a file and the "&Folders" button appends a macro.

#include "editors/FilenameEditorFormRes.h"
#include "framework/Dialog.h"

#include <string>

class TFilenameEditor : public TDialog {
public:
  explicit TFilenameEditor(HWND owner);
  ~TFilenameEditor() override;

  HWND FilenameEdit() const { return Control(IDC_FILENAMEEDIT); }
  HWND SelectButton() const { return Control(IDC_FILENAME_SELECTBUTTON); }
  HWND RealPathLabel() const { return Control(IDC_FILENAME_REALPATHLABEL); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }
  HWND FoldersButton() const { return Control(IDC_FILENAME_FOLDERSBUTTON); }
  // The path as typed, macros unexpanded.
  std::string FileName() const;
  void SetFileName(const std::string& path) const;

  void SelectButtonClick();
  void FoldersButtonClick();

protected:
  void FormCreate() override;
  // Gives the focus to the path at every show.
  void FormShow() override;
  void OnCommand(int id, int code) override;

private:
  void FilenameEditChange();

  // The open-file dialog starts where the last choice was, with its name.
  std::string FLastChosen;
};

extern TFilenameEditor* FilenameEditor;
