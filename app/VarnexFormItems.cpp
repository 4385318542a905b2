// The main window's item commands: New Item, Edit Item and Remove Item. The editors
// never touch an item: these commands load a dialog, show it, and on OK make or
// change the item themselves.

#include "app/PlugInTypeSelectFormUnit.h"
#include "app/VarnexFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "app/PlugInFile.h"
#include "framework/Controls.h"
#include "preview/PlugInPreviewFormUnit.h"

namespace {
// A registry item as the editor holds it, named after the plug-in.
std::unique_ptr<TCleanRegistry> RegistryItemFromEditor(const std::string& plugInName) {
  const TRegItemEditor& editor = *RegItemEditor;
  return std::make_unique<TCleanRegistry>(plugInName, editor.GetRootKey(), editor.GetItemKind(),
                                          editor.KeyName(), editor.ValueName());
}
} // namespace

void TVarnexForm::StopCollecting() const {
  if (PlugInPreviewForm != nullptr) PlugInPreviewForm->StopCollect();
}

void TVarnexForm::NewButtonClick() {
  if (PlugInTypeSelectForm->ShowModal() != kModalResultOK) return;
  std::unique_ptr<TCleanObj> item;
  switch (PlugInTypeSelectForm->Kind()) {
  case plugin::ItemKind::Registry:
    RegItemEditor->ResetFields();
    if (RegItemEditor->ShowModal() != kModalResultOK) return;
    item = RegistryItemFromEditor(FPlugInName);
    break;
  case plugin::ItemKind::File:
    FilenameEditor->SetFileName("");
    if (FilenameEditor->ShowModal() != kModalResultOK) return;
    item = std::make_unique<TCleanFile>(FPlugInName, FilenameEditor->FileName());
    break;
  case plugin::ItemKind::Folder: {
    FolderEditor->ResetFields();
    if (FolderEditor->ShowModal() != kModalResultOK) return;
    auto folder = std::make_unique<TCleanFolder>(FPlugInName, FolderEditor->Folder(),
                                                 FolderEditor->RemoveEmptyFolder());
    folder->Masks() = FolderEditor->Masks();
    item = std::move(folder);
    break;
  }
  }
  // Appended at the end; the selection stays where it was.
  StopCollecting();
  AppendItemRow(std::move(item));
  const int row = ItemCount() - 1;
  Recorded({"New Item", {}, {{row, RecordOfItem(*Item(row))}}, {}, {}});
}

void TVarnexForm::EditButtonClick() {
  const int row = EditRow();
  if (row < 0) return;
  // The row's caption says what it holds; a row of any other caption is left alone.
  const std::string caption = TListView(FListView).Cell(row, 0);
  if (caption == "Registry") EditRegistryRow(row);
  if (caption == "File") EditFileRow(row);
  if (caption == "Folder") EditFolderRow(row);
}

void TVarnexForm::EditRegistryRow(int row) {
  RegItemEditor->LoadFromItem(dynamic_cast<const TCleanRegistry&>(*Item(row)));
  if (RegItemEditor->ShowModal() != kModalResultOK) return;
  // The item is made anew, named after the plug-in as it is named now.
  std::unique_ptr<TCleanObj> replacement = RegistryItemFromEditor(FPlugInName);
  StopCollecting();
  plugin::ItemRecord before = RecordOfItem(*Item(row));
  FItems.at(static_cast<std::size_t>(row)) = std::move(replacement);
  RowItemChanged(row, std::move(before));
}

void TVarnexForm::EditFileRow(int row) {
  auto& file = dynamic_cast<TCleanFile&>(*Item(row));
  FilenameEditor->SetFileName(file.FileName());
  if (FilenameEditor->ShowModal() != kModalResultOK) return;
  StopCollecting();
  plugin::ItemRecord before = RecordOfItem(file);
  file.SetFileName(FilenameEditor->FileName());
  RowItemChanged(row, std::move(before));
}

void TVarnexForm::EditFolderRow(int row) {
  auto& folder = dynamic_cast<TCleanFolder&>(*Item(row));
  FolderEditor->SetFolder(folder.Folder());
  FolderEditor->SetMasks(folder.Masks());
  FolderEditor->SetRemoveEmptyFolder(folder.RemoveEmptyFolder());
  if (FolderEditor->ShowModal() != kModalResultOK) return;
  StopCollecting();
  plugin::ItemRecord before = RecordOfItem(folder);
  folder.SetRemoveEmptyFolder(FolderEditor->RemoveEmptyFolder());
  folder.SetFolder(FolderEditor->Folder());
  folder.Masks() = FolderEditor->Masks();
  RowItemChanged(row, std::move(before));
}

void TVarnexForm::RowItemChanged(int row, plugin::ItemRecord before) {
  TListView(FListView).SetCell(row, 1, GetItemDescription(*Item(row)));
  Recorded({"Edit Item", {{row, std::move(before)}}, {{row, RecordOfItem(*Item(row))}}, {}, {}});
}
