// New Item, Edit Item and Remove Item on the real main window, with the real item type
// dialog and editors answered by a scripted user; and a plug-in built from nothing
// with the keyboard and the pickers, then changed, each saved and compared byte for
// byte.

#include "plugin/PlugInFormat.h"
#include "app/PlugInPropsFormUnit.h"
#include "app/PlugInTypeSelectFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "framework/FileStream.h"
#include "res/resource.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ProgramLoop.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestKey.h"

#include <sstream>

namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001;

class ItemCommands : public AppWindows {
protected:
  static TListView List() { return TListView(VarnexForm->ListView()); }
  static std::string Description(int row) { return List().Cell(row, 1); }
  // A row added without the commands, the plug-in then taken as saved.
  static void AddRow(std::unique_ptr<TCleanObj> item) {
    VarnexForm->AppendItemRow(std::move(item));
  }
  static std::string ValueNameOf(int row) {
    return dynamic_cast<const TCleanRegistry&>(*VarnexForm->Item(row)).ValueName();
  }
};

TEST_F(ItemCommands, TheTypeDialogHasItsKindsAndHintsAndRemembersTheLastChoice) {
  const HWND dialog = PlugInTypeSelectForm->Handle();
  EXPECT_EQ(Text(dialog), "Plug-In Item Type");
  EXPECT_EQ(ClientSize(dialog).cx, 350);
  EXPECT_EQ(ClientSize(dialog).cy, 291);
  const TPlugInTypeSelectForm& form = *PlugInTypeSelectForm;
  const auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
  const std::pair<HWND, const char*> texts[] = {
      {item(IDC_TYPE_GROUP), "Create new clean item for:"},
      {form.RegistryItemRadioButton(), "&Registry Item"},
      {item(IDC_TYPE_REGISTRYHINT1), "If you want to delete some registry items from your registry,"},
      {item(IDC_TYPE_REGISTRYHINT2), "please select this option"},
      {form.FileRadioButton(), "F&ile"},
      {item(IDC_TYPE_FILEHINT1), "If you want to delete a file from your hard-disk, please select"},
      {item(IDC_TYPE_FILEHINT2), "this option"},
      {form.FolderRadioButton(), "&Folder"},
      {item(IDC_TYPE_FOLDERHINT1), "If you want to delete folder from your hard-disk, please select"},
      {item(IDC_TYPE_FOLDERHINT2), "this option, you can delete files by using mask(ex, *.bak)"},
      {form.OKButton(), "&OK"},
      {form.CancelButton(), "&Cancel"},
  };
  for (const auto& [control, text] : texts)
    EXPECT_EQ(Text(control), text) << GetDlgCtrlID(control);
  EXPECT_TRUE(GetWindowLongPtrA(form.OKButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(PlugInTypeSelectForm->Kind(), plugin::ItemKind::Registry) << "the first time";

  ScriptedUser user;
  user.FillThenPress({IDC_FOLDERRADIOBUTTON}, {}, IDOK);
  user.PressButton(IDCANCEL); // the folder editor
  user.PressButton(IDCANCEL); // the type dialog, the next time
  Command(NewItemAction);
  EXPECT_EQ(PlugInTypeSelectForm->Kind(), plugin::ItemKind::Folder);
  Command(NewItemAction);
  EXPECT_EQ(PlugInTypeSelectForm->Kind(), plugin::ItemKind::Folder) << "never reset";
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].Caption, "Folder with file masks");
  EXPECT_EQ(VarnexForm->ItemCount(), 0);
}

TEST_F(ItemCommands, ACancelledEditorOrTypeDialogAddsNothingAndLeavesTheFlag) {
  ScriptedUser user;
  user.PressButton(IDOK);     // Registry Item
  user.PressButton(IDCANCEL); // the registry editor
  user.PressButton(IDCANCEL); // the type dialog itself
  Command(NewItemAction);
  Command(NewItemAction);
  EXPECT_EQ(user.PendingAnswers(), 0);
  EXPECT_EQ(VarnexForm->ItemCount(), 0);
  EXPECT_FALSE(VarnexForm->Modified());
}

TEST_F(ItemCommands, NewItemsTakeThePlugInsNameAndGoLastWithoutMovingTheSelection) {
  AddRow(std::make_unique<TCleanFile>("First", "C:\\first.log"));
  List().SelectRow(0);
  ScriptedUser user;
  user.FillThenPress({IDC_REGISTRYITEMRADIOBUTTON_TYPE}, {}, IDOK);
  user.FillThenPress({IDC_REGISTRYITEMRADIOBUTTON, IDC_CURRENTUSERRADIOBUTTON},
                     {{IDC_KEYNAMEEDIT, "\\Software\\Demo"}, {IDC_VALUENAMEEDIT, "Last"}}, IDOK);
  Command(NewItemAction);
  ASSERT_EQ(VarnexForm->ItemCount(), 2);
  EXPECT_EQ(List().Cell(1, 0), "Registry");
  EXPECT_EQ(List().RowImage(1), 0);
  EXPECT_EQ(Description(1), "Remove registry item Last in key \\Software\\Demo")
      << "the value first, then the key";
  const auto& item = dynamic_cast<const TCleanRegistry&>(*VarnexForm->Item(1));
  EXPECT_EQ(item.Name(), VarnexForm->PlugInName());
  EXPECT_EQ(item.RootKey(), kCurrentUser);
  EXPECT_EQ(item.Kind(), 0);
  EXPECT_EQ(List().SelectedRow(), 0) << "the selection stays";
  EXPECT_TRUE(VarnexForm->Modified());
}

TEST_F(ItemCommands, ANewFileItemStartsEmptyWhateverTheLastOneHeld) {
  ScriptedUser user;
  user.FillThenPress({IDC_FILERADIOBUTTON}, {}, IDOK);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "%WINDOWS%\\old.log"}}, IDOK);
  user.PressButton(IDOK); // File again
  user.PressButton(IDOK); // the file editor, as it opens
  Command(NewItemAction);
  Command(NewItemAction);
  ASSERT_EQ(VarnexForm->ItemCount(), 2);
  EXPECT_EQ(Description(0), "Delete file %WINDOWS%\\old.log");
  EXPECT_EQ(Description(1), "Delete file ") << "an empty name is accepted";
  EXPECT_EQ(List().RowImage(1), 1);
}

TEST_F(ItemCommands, ACancelledRegistryEditKeepsTheVeryItemAndTheFlag) {
  AddRow(std::make_unique<TCleanRegistry>("Old", kCurrentUser, 1, "\\Software\\Keep", "V"));
  List().SelectRow(0);
  const TCleanObj* before = VarnexForm->Item(0);
  ScriptedUser user;
  user.FillThenPress({IDC_LOCALMACHINERADIOBUTTON}, {{IDC_KEYNAMEEDIT, "changed"}}, IDCANCEL);
  Command(EditItemAction);
  EXPECT_EQ(user.PendingAnswers(), 0);
  EXPECT_EQ(VarnexForm->Item(0), before) << "the same object";
  const auto& item = dynamic_cast<const TCleanRegistry&>(*before);
  EXPECT_EQ(item.Name(), "Old");
  EXPECT_EQ(item.KeyPath(), "\\Software\\Keep");
  EXPECT_EQ(item.RootKey(), kCurrentUser);
  EXPECT_FALSE(VarnexForm->Modified());
}

TEST_F(ItemCommands, ARegistryEditTakesTheNewPlugInNameAFileOrFolderEditKeepsItsOwn) {
  AddRow(std::make_unique<TCleanRegistry>("Old", kCurrentUser, 0, "\\Software\\Demo", "Last"));
  AddRow(std::make_unique<TCleanFile>("Old", "C:\\a.log"));
  AddRow(std::make_unique<TCleanFolder>("Old", "C:\\dir", false));
  ScriptedUser user;
  user.FillThenPress({}, {{IDC_NAMEEDIT, "Renamed"}}, IDOK); // Properties
  Command(PropertiesAction);
  ASSERT_EQ(VarnexForm->PlugInName(), "Renamed");

  const TCleanObj* oldRegistry = VarnexForm->Item(0);
  List().SelectRow(0);
  user.PressButton(IDOK);
  Command(EditItemAction);
  EXPECT_NE(VarnexForm->Item(0), oldRegistry) << "a registry item is made anew";
  EXPECT_EQ(VarnexForm->Item(0)->Name(), "Renamed");
  EXPECT_EQ(ValueNameOf(0), "Last");

  const TCleanObj* file = VarnexForm->Item(1);
  List().SelectRow(1);
  user.FillThenPress({}, {{IDC_FILENAMEEDIT, "C:\\b.log"}}, IDOK);
  Command(EditItemAction);
  EXPECT_EQ(VarnexForm->Item(1), file) << "a file item is changed in place";
  EXPECT_EQ(file->Name(), "Old");
  EXPECT_EQ(Description(1), "Delete file C:\\b.log");

  List().SelectRow(2);
  user.FillThenPress({IDC_REMOVEEMPTYFOLDERCHECKBOX}, {}, IDOK);
  Command(EditItemAction);
  EXPECT_EQ(VarnexForm->Item(2)->Name(), "Old");
  EXPECT_EQ(Description(2), "Delete files in folder C:\\dir, remove empty folders automatically");
  user.FillThenPress({IDC_REMOVEEMPTYFOLDERCHECKBOX}, {}, IDOK);
  Command(EditItemAction);
  EXPECT_EQ(Description(2), "Delete files in folder C:\\dir");
  EXPECT_EQ(user.PendingAnswers(), 0);
  EXPECT_EQ(List().Cell(2, 0), "Folder") << "the row keeps its caption";
  EXPECT_EQ(List().RowImage(2), 2) << "and its image";
}

TEST_F(ItemCommands, EditAndRemoveWithoutASelectedRowDoNothingEvenWhenEnabled) {
  AddRow(std::make_unique<TCleanFile>("One", "C:\\one.log"));
  ScriptedUser user; // any dialog that appeared would be recorded
  VarnexForm->EditButtonClick();
  VarnexForm->DeleteButtonClick();
  EXPECT_TRUE(user.Seen().empty());
  EXPECT_EQ(VarnexForm->ItemCount(), 1);
  EXPECT_FALSE(VarnexForm->Modified());

  List().SelectRow(0);
  Command(RemoveItemAction); // no question
  EXPECT_EQ(VarnexForm->ItemCount(), 0);
  EXPECT_TRUE(VarnexForm->Modified());
  EXPECT_FALSE(VarnexForm->ActionEnabled(RemoveItemAction)) << "nothing is selected any more";
  EXPECT_TRUE(user.Seen().empty());
}

// --- A plug-in built from nothing -------------------------------------------------------

// The bytes the writer gives a plug-in of these items.
std::string PlugInBytes(const plugin::PlugInHeader& header, const std::vector<TCleanObj*>& items) {
  TMemoryStream stream;
  const auto headerBytes = plugin::EncodeHeader(header);
  stream.Write(headerBytes.data(), static_cast<std::int64_t>(headerBytes.size()));
  for (TCleanObj* item : items) {
    std::uint8_t kind = 2;
    if (dynamic_cast<TCleanRegistry*>(item) != nullptr) kind = 0;
    if (dynamic_cast<TCleanFile*>(item) != nullptr) kind = 1;
    stream.Write(&kind, 1);
    item->SaveToStream(stream);
  }
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

class BuildingAPlugIn : public ProgramLoop {
protected:
  static TListView List() { return TListView(VarnexForm->ListView()); }
  // Opens the key selector's tree down to the key, as a user does with "+".
  static std::function<void()> PickKey(const std::string& path) {
    return [path] {
      const TTreeView tree(RegKeySelector->RegKeyTreeView());
      HTREEITEM node = tree.Children(nullptr).at(1); // HKEY_CURRENT_USER
      std::stringstream names(path);
      std::string name;
      while (node != nullptr && std::getline(names, name, '\\')) {
        tree.Select(node);
        SendMessageA(tree.Handle(), WM_KEYDOWN, VK_ADD, 0);
        HTREEITEM next = nullptr;
        for (const HTREEITEM child : tree.Children(node))
          if (tree.NodeText(child) == name) next = child;
        node = next;
      }
      ASSERT_NE(node, nullptr) << path;
      tree.Select(node);
    };
  }

  TestKey key;
  TempFolder folder;
};

TEST_F(BuildingAPlugIn, FromNothingWithTheKeyboardAndThePickers) {
  key.SetTypedValue("Pick", "Chosen", REG_SZ, std::string("x\0", 2));
  const std::string windows = SysFolderList->Items(0).Path();
  const std::string path = folder.File("built.ppj");
  user.ChooseFolder(windows + "\\system32"); // the folder browser
  user.ChooseFile(path);                     // Save As

  Run({
      Command(NewAction),
      [] { SetFocus(VarnexForm->ListView()); },
      // A whole key, picked.
      Key(VK_INSERT),
      Key(VK_RETURN), // "&Registry Item", selected the first time
      Click(RegItemEditor, IDC_SELECTKEYNAMEBUTTON),
      PickKey(key.Sub("Pick")),
      Key(VK_RETURN),
      Key(VK_RETURN), // the editor's OK: a whole key of HKEY_CURRENT_USER
      // One value, picked.
      Key(VK_INSERT),
      Key(VK_RETURN),
      Click(RegItemEditor, IDC_REGISTRYITEMRADIOBUTTON),
      Click(RegItemEditor, IDC_SELECTKEYNAMEBUTTON),
      Key(VK_RETURN), // the selection is kept from the last use
      Click(RegItemEditor, IDC_SELECTVALUENAMEBUTTON),
      [] { TListView(RegValueSelector->RegValueListView()).SelectRow(0); },
      Key(VK_RETURN),
      Key(VK_RETURN),
      // All values of a typed key.
      Key(VK_INSERT),
      Key(VK_RETURN),
      Click(RegItemEditor, IDC_REGISTRYITEMSINKEYRADIOBUTTON),
      Type(RegItemEditor, IDC_KEYNAMEEDIT, "Software\\Typed"),
      Key(VK_RETURN),
      // A file, its folder appended from the System Folders dialog.
      Key(VK_INSERT),
      Click(PlugInTypeSelectForm, IDC_FILERADIOBUTTON),
      Key(VK_RETURN),
      Click(FilenameEditor, IDC_FILENAME_FOLDERSBUTTON),
      [] { TListView(FolderViewForm->FoldersListView()).SelectRow(0); },
      Key(VK_RETURN),
      Type(FilenameEditor, IDC_FILENAMEEDIT, "\\app.log"),
      Key(VK_RETURN),
      // A folder, browsed, with two masks added and one removed.
      Key(VK_INSERT),
      Click(PlugInTypeSelectForm, IDC_FOLDERRADIOBUTTON),
      Key(VK_RETURN),
      Click(FolderEditor, IDC_SELECTFOLDERBUTTON),
      Click(FolderEditor, IDC_REMOVEEMPTYFOLDERCHECKBOX),
      Click(FolderEditor, IDC_ADDMASKBUTTON),
      Type(MaskEditor, IDC_MASKEDIT, "*.tmp"),
      Key(VK_RETURN),
      Click(FolderEditor, IDC_ADDMASKBUTTON),
      Type(MaskEditor, IDC_MASKEDIT, "*.old"),
      Key(VK_RETURN),
      Click(FolderEditor, IDC_ADDMASKBUTTON),
      Type(MaskEditor, IDC_MASKEDIT, "*.bak"),
      Key(VK_RETURN),
      [] { TListBox(FolderEditor->MaskListBox()).Select(1); },
      Click(FolderEditor, IDC_REMOVEMASKBUTTON),
      Click(FolderEditor, IDOK),
      Command(SaveAction), // untitled: the save dialog
  });
  EXPECT_EQ(user.PendingAnswers(), 0) << "the folder browser or the save dialog did not open";

  TCleanRegistry wholeKey("", kCurrentUser, 1, "\\" + key.Sub("Pick"), "");
  TCleanRegistry oneValue("", kCurrentUser, 0, "\\" + key.Sub("Pick"), "Chosen");
  TCleanRegistry allValues("", 0x80000000, 2, "Software\\Typed", "");
  TCleanFile file("", "%WINDOWS%\\app.log");
  TCleanFolder masks("", "%WINDOWS%\\system32", true);
  masks.Masks() = {"*.tmp", "*.bak"};
  const plugin::PlugInHeader header{"", "", VarnexForm->Time(), 5};
  EXPECT_EQ(ReadWholeFile(path),
            PlugInBytes(header, {&wholeKey, &oneValue, &allValues, &file, &masks}))
      << "the plug-in built by hand is not what the writer gives for its items";
}

TEST_F(BuildingAPlugIn, AnOpenedPlugInChangedInEveryKindAndTrimmedSavesThoseChanges) {
  const std::string path = folder.File("changed.ppj");
  TCleanRegistry registry("Author's", kCurrentUser, 0, "\\Software\\Demo", "Last");
  TCleanFile file("Author's", "C:\\old.log");
  TCleanFolder dir("Author's", "C:\\dir", false);
  dir.Masks() = {"*.tmp"};
  TCleanFile doomed("Author's", "C:\\doomed.log");
  WriteWholeFile(path, PlugInBytes({"Demo", "Jo", 46000.25, 4}, {&registry, &file, &dir, &doomed}));
  user.ChooseFile(path);

  Run({
      Command(OpenAction),
      [] { List().SelectRow(0); },
      Command(EditItemAction),
      Click(RegItemEditor, IDC_REGISTRYKEYRADIOBUTTON),
      Key(VK_RETURN),
      [] { List().SelectRow(1); },
      Command(EditItemAction),
      [] { TEditBox(FilenameEditor->FilenameEdit()).SetText("C:\\new.log"); },
      Key(VK_RETURN),
      [] { List().SelectRow(2); },
      Command(EditItemAction),
      Click(FolderEditor, IDC_ADDMASKBUTTON),
      Type(MaskEditor, IDC_MASKEDIT, "*.bak"),
      Key(VK_RETURN),
      Click(FolderEditor, IDOK),
      [] { List().SelectRow(3); },
      [] { SetFocus(VarnexForm->ListView()); },
      Key(VK_DELETE),
      Command(SaveAction), // titled: no dialog
  });

  TCleanRegistry wholeKey("Demo", kCurrentUser, 1, "\\Software\\Demo", "Last"); // re-made
  TCleanFile newFile("Author's", "C:\\new.log");                                // in place
  TCleanFolder twoMasks("Author's", "C:\\dir", false);
  twoMasks.Masks() = {"*.tmp", "*.bak"};
  EXPECT_EQ(ReadWholeFile(path), PlugInBytes({"Demo", "Jo", 46000.25, 3}, {&wholeKey, &newFile, &twoMasks}));
}

} // namespace
