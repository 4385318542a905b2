#include "editors/FolderEditorUnit.h"

#include "editors/MaskEditorUnit.h"
#include "framework/CommonDialogs.h"
#include "framework/Controls.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"

TFolderEditor* FolderEditor = nullptr;

namespace {
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 325;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_FOLDER_LABEL1, 8, 8, 284, 13},
    {IDC_FOLDER_NAMEGROUP, 8, 28, 284, 129},
    {IDC_FOLDEREDIT, 24, 52, 229, 21},
    {IDC_SELECTFOLDERBUTTON, 257, 52, 21, 21},
    {IDC_FOLDER_REALPATHLABEL, 24, 80, 254, 13},
    {IDC_REMOVEEMPTYFOLDERCHECKBOX, 24, 100, 200, 17},
    {IDC_FOLDER_FOLDERSBUTTON, 24, 124, 75, 25}, // at the bottom of its group
    {IDC_FOLDER_MASKGROUP, 8, 164, 284, 121},
    {IDC_MASKLISTBOX, 24, 184, 169, 89},
    {IDC_ADDMASKBUTTON, 201, 184, 75, 25},
    {IDC_REMOVEMASKBUTTON, 201, 216, 75, 25},
    {IDOK, 70, 292, 75, 25},
    {IDCANCEL, 154, 292, 75, 25},
};
} // namespace

TFolderEditor::TFolderEditor(HWND owner) { CreateFromTemplate(IDD_FOLDEREDITOR, owner); }

TFolderEditor::~TFolderEditor() {
  if (FolderEditor == this) FolderEditor = nullptr;
}

void TFolderEditor::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  TEditBox(FolderEdit()).SetLimitText(0);
  TEditBox(FolderEdit()).SelectAllOnKeyboardFocus();
}

void TFolderEditor::ResetFields() {
  SetFolder("");
  TListBox(MaskListBox()).Clear();
  SetRemoveEmptyFolder(false);
}

std::string TFolderEditor::Folder() const { return TEditBox(FolderEdit()).Text(); }

void TFolderEditor::SetFolder(const std::string& path) const {
  TEditBox(FolderEdit()).ReplaceText(path);
}

bool TFolderEditor::RemoveEmptyFolder() const {
  return TButton(RemoveEmptyFolderCheckBox()).Checked();
}

void TFolderEditor::SetRemoveEmptyFolder(bool remove) const {
  TButton(RemoveEmptyFolderCheckBox()).SetChecked(remove);
}

std::vector<std::string> TFolderEditor::Masks() const { return TListBox(MaskListBox()).Lines(); }

void TFolderEditor::SetMasks(const std::vector<std::string>& masks) const {
  const TListBox list(MaskListBox());
  list.Clear();
  for (const std::string& mask : masks) list.AddLine(mask);
}

void TFolderEditor::FolderEditChange() {
  TControl(RealPathLabel()).SetText(ExpandFolderMacros(Folder()));
}

void TFolderEditor::SelectFolderButtonClick() {
  // A folder that has no path in the file system (the Control Panel, say) changes
  // nothing, as Cancel does.
  const auto chosen = BrowseForFolder(Handle());
  if (!chosen) return;
  const TEditBox edit(FolderEdit());
  edit.ReplaceText(InsertFolderMacros(*chosen));
  edit.Focus();
}

void TFolderEditor::FoldersButtonClick() { AppendFolderMacro(*FolderViewForm, FolderEdit()); }

void TFolderEditor::AddMaskButtonClick() {
  TMaskEditor& masks = *MaskEditor;
  masks.SetMask("");
  if (masks.ShowModal() != kModalResultOK) return;
  // Any text is a mask, the empty one and one already in the list included.
  TListBox(MaskListBox()).AddLine(masks.Mask());
}

void TFolderEditor::RemoveMaskButtonClick() {
  const TListBox list(MaskListBox());
  const int selected = list.Selected();
  if (selected >= 0) list.DeleteLine(selected);
}

void TFolderEditor::OnCommand(int id, int code) {
  if (id == IDC_FOLDEREDIT && code == EN_CHANGE) FolderEditChange();
  if (code != BN_CLICKED) return;
  switch (id) {
  case IDC_SELECTFOLDERBUTTON: SelectFolderButtonClick(); break;
  case IDC_FOLDER_FOLDERSBUTTON: FoldersButtonClick(); break;
  case IDC_ADDMASKBUTTON: AddMaskButtonClick(); break;
  case IDC_REMOVEMASKBUTTON: RemoveMaskButtonClick(); break;
  default: break;
  }
}
