#include "editors/FilenameEditorUnit.h"

#include "framework/CommonDialogs.h"
#include "framework/Controls.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"

TFilenameEditor* FilenameEditor = nullptr;

namespace {
constexpr int kClientWidth = 386;
constexpr int kClientHeight = 136;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_FILENAME_GROUP, 8, 8, 370, 81},
    {IDC_FILENAMEEDIT, 24, 32, 313, 21},
    {IDC_FILENAME_SELECTBUTTON, 341, 32, 21, 21},
    {IDC_FILENAME_REALPATHLABEL, 24, 62, 338, 13},
    {IDOK, 143, 100, 75, 25},
    {IDCANCEL, 223, 100, 75, 25},
    {IDC_FILENAME_FOLDERSBUTTON, 303, 100, 75, 25},
};

// Any file may be picked; the name typed need not exist.
const FileDialogSettings kAnyFile{"Any files(*.*)|*.*", "", OFN_HIDEREADONLY | OFN_ENABLESIZING};
} // namespace

TFilenameEditor::TFilenameEditor(HWND owner) { CreateFromTemplate(IDD_FILENAMEEDITOR, owner); }

TFilenameEditor::~TFilenameEditor() {
  if (FilenameEditor == this) FilenameEditor = nullptr;
}

void TFilenameEditor::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  TEditBox(FilenameEdit()).SetLimitText(0);
  TEditBox(FilenameEdit()).SelectAllOnKeyboardFocus();
}

void TFilenameEditor::FormShow() { TEditBox(FilenameEdit()).Focus(); }

std::string TFilenameEditor::FileName() const { return TEditBox(FilenameEdit()).Text(); }

void TFilenameEditor::SetFileName(const std::string& path) const {
  TEditBox(FilenameEdit()).ReplaceText(path);
}

void TFilenameEditor::FilenameEditChange() {
  TControl(RealPathLabel()).SetText(ExpandFolderMacros(FileName()));
}

void TFilenameEditor::SelectButtonClick() {
  const auto chosen = PromptForOpenFile(Handle(), kAnyFile, FLastChosen);
  if (!chosen) return;
  FLastChosen = *chosen;
  const TEditBox edit(FilenameEdit());
  edit.ReplaceText(InsertFolderMacros(*chosen));
  edit.Focus();
}

void TFilenameEditor::FoldersButtonClick() { AppendFolderMacro(*FolderViewForm, FilenameEdit()); }

void TFilenameEditor::OnCommand(int id, int code) {
  if (id == IDC_FILENAMEEDIT && code == EN_CHANGE) FilenameEditChange();
  if (id == IDC_FILENAME_SELECTBUTTON && code == BN_CLICKED) SelectButtonClick();
  if (id == IDC_FILENAME_FOLDERSBUTTON && code == BN_CLICKED) FoldersButtonClick();
}
