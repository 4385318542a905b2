// The Edit menu on the real main window, driven with its shortcuts in the program's
// own loop: every kind of change undone and redone back to the same bytes, the
// modified flag over a save point, the moves, the real clipboard (in this window, in a
// second program, with dumped and with bad text), and files dropped on the window.

#include "app/PlugInFile.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/Clipboard.h"
#include "framework/FileStream.h"
#include "framework/UniqueHandle.h"
#include "plugin/ClipboardItems.h"
#include "plugin/JsonForm.h"
#include "res/resource.h"
#include "sysfolders/SysFolders.h"
#include "tests/support/ProgramLoop.h"
#include "tests/support/TempFolder.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001;

// The bytes that Save would write now.
std::string PlugInBytes() {
  TMemoryStream stream;
  WritePlugInItems(stream, {VarnexForm->PlugInName(), VarnexForm->Author(), VarnexForm->Time(),
                            VarnexForm->ItemCount()},
                   [] {
                     std::vector<TCleanObj*> items;
                     for (int row = 0; row < VarnexForm->ItemCount(); ++row) items.push_back(VarnexForm->Item(row));
                     return items;
                   }());
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// A WM_DROPFILES as Explorer posts it, of these names.
HDROP MakeDrop(const std::vector<std::wstring>& names) {
  std::size_t characters = 1;
  for (const std::wstring& name : names) characters += name.size() + 1;
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  auto* at = reinterpret_cast<wchar_t*>(files + 1);
  for (const std::wstring& name : names) {
    std::memcpy(at, name.c_str(), name.size() * sizeof(wchar_t));
    at += name.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(),
                                                           static_cast<int>(wide.size())) - 1));
  return wide;
}

class Editing : public ProgramLoop {
protected:
  static TListView List() { return TListView(VarnexForm->ListView()); }
  static Step Select(std::vector<int> rows) {
    return [rows] {
      List().SelectRows(rows);
      SetFocus(VarnexForm->ListView());
    };
  }
  static Step Drop(std::vector<std::wstring> names) {
    return [names] { PostMessageA(VarnexForm->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0); };
  }
  static std::string UndoCaption() {
    char caption[64] = {};
    GetMenuStringA(GetMenu(VarnexForm->Handle()), UndoAction, caption, sizeof caption, MF_BYCOMMAND);
    return caption;
  }
  static void PutText(const std::string& utf8) {
    const TClipboard clipboard(VarnexForm->Handle());
    ASSERT_TRUE(clipboard.Opened() && clipboard.Empty());
    ASSERT_TRUE(clipboard.PutText(utf8));
  }
  static std::vector<std::string> Descriptions() {
    std::vector<std::string> rows;
    for (int row = 0; row < List().RowCount(); ++row) rows.push_back(List().Cell(row, 1));
    return rows;
  }
  void AddStartingItems() {
    VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Start", "C:\\a.log"));
    VarnexForm->AppendItemRow(std::make_unique<TCleanRegistry>("Start", kCurrentUser, 0, "\\Software\\B", "V\xE9"));
    auto folder = std::make_unique<TCleanFolder>("Start", "C:\\c", false);
    folder->Masks() = {"*.tmp"};
    VarnexForm->AppendItemRow(std::move(folder));
    VarnexForm->CheckPlugIn();
    VarnexForm->UpdateItemActions();
  }
  TempFolder folder;
};

TEST_F(Editing, EveryKindOfChangeUndoesAndRedoesToTheSameBytesAndTheFlagFollowsTheSavePoint) {
  AddStartingItems();
  const std::string dropped = folder.File("dropped.log");
  WriteWholeFile(dropped, "x");
  std::vector<std::string> states{PlugInBytes()};
  std::vector<std::string> names;
  const auto changed = [&](std::string name) {
    return [&, name] {
      states.push_back(PlugInBytes());
      names.push_back("&Undo " + name + "\tCtrl+Z");
      EXPECT_EQ(UndoCaption(), names.back());
      EXPECT_TRUE(VarnexForm->Modified()) << name;
    };
  };
  std::vector<std::string> undone;
  std::vector<std::string> redone;
  std::vector<std::vector<std::string>> afterMoves;
  std::deque<Step> steps{
      Select({0}),
      Key(VK_INSERT), Click(PlugInTypeSelectForm, IDC_FILERADIOBUTTON), Key(VK_RETURN),
      Type(FilenameEditor, IDC_FILENAMEEDIT, "C:\\new.log"), Key(VK_RETURN), changed("New Item"),
      Select({0}), Command(EditItemAction), Type(FilenameEditor, IDC_FILENAMEEDIT, ".old"), Key(VK_RETURN),
      changed("Edit Item"),
      Select({1, 2}), Key(VK_DELETE), changed("Remove Item"), // both selected rows
      Select({0}), Shortcut(VK_SHIFT, VK_DELETE), changed("Cut"),
      Select({0}), Shortcut(VK_CONTROL, 'V'), changed("Paste"),
      Select({0, 1}), Shortcut(VK_CONTROL, 'D'), changed("Duplicate"),
      Select({1, 3}), Shortcut(VK_CONTROL, VK_UP), changed("Move Up"),
      [&] { afterMoves.push_back(Descriptions()); EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 2})); },
      Shortcut(VK_CONTROL, VK_DOWN), changed("Move Down"),
      [&] { EXPECT_EQ(List().SelectedRows(), (std::vector<int>{1, 3})) << "the selection moves with the rows"; },
      Drop({Wide(dropped)}), changed("Drop"),
      Command(PropertiesAction), Type(PlugInPropsForm, IDC_NAMEEDIT, " renamed"), Key(VK_RETURN),
      changed("Properties"),
  };
  for (int i = 0; i < 10; ++i) {
    steps.push_back(Shortcut(VK_CONTROL, 'Z'));
    steps.push_back([&] { undone.push_back(PlugInBytes()); });
  }
  steps.push_back([] { EXPECT_FALSE(VarnexForm->Modified()) << "undone back to the state opened"; });
  steps.push_back([] { EXPECT_EQ(UndoCaption(), "&Undo\tCtrl+Z"); });
  for (int i = 0; i < 10; ++i) {
    steps.push_back(Shortcut(VK_CONTROL, 'Y'));
    steps.push_back([&] { redone.push_back(PlugInBytes()); });
  }
  Run(std::move(steps));

  ASSERT_EQ(states.size(), 11u) << "a change did not happen";
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(undone[i], states[9 - i]) << "undo number " << i + 1 << " did not give back the state before " << names[9 - i];
    EXPECT_EQ(redone[i], states[i + 1]) << "redo number " << i + 1 << " did not give back " << names[i];
  }
  EXPECT_EQ(VarnexForm->PlugInName(), " renamed");

  // The flag over a save point: saved, undone, redone, then undone and changed anew.
  const std::string path = folder.File("saved.ppj");
  VarnexForm->SetProjectFileName(path);
  Run({Shortcut(VK_CONTROL, 'S'),
       [&] { EXPECT_EQ(ReadWholeFile(path), states.back()); EXPECT_FALSE(VarnexForm->Modified()); },
       Shortcut(VK_CONTROL, 'Z'), [] { EXPECT_TRUE(VarnexForm->Modified()); },
       Shortcut(VK_CONTROL, 'Y'), [] { EXPECT_FALSE(VarnexForm->Modified()) << "back at the save"; },
       Shortcut(VK_CONTROL, 'Z'), Select({0}), Shortcut(VK_CONTROL, 'D'),
       [] { EXPECT_FALSE(VarnexForm->ActionEnabled(RedoAction)) << "the change dropped the undone step"; },
       Shortcut(VK_CONTROL, 'Z'),
       [] { EXPECT_TRUE(VarnexForm->Modified()) << "the saved state cannot be reached again"; }});
}

TEST_F(Editing, MovesStopAtTheEndsAndEveryCommandIsEnabledOnlyWhenItCanAct) {
  AddStartingItems();
  const auto enabled = [] {
    std::vector<UINT> ids;
    for (const UINT id : {UndoAction, RedoAction, CutAction, CopyAction, DuplicateAction, MoveUpAction, MoveDownAction, SelectAllAction})
      if (VarnexForm->ActionEnabled(id)) ids.push_back(id);
    return ids;
  };
  const std::vector<std::string> before = Descriptions();
  List().SelectRows({});
  EXPECT_EQ(enabled(), (std::vector<UINT>{SelectAllAction}));
  List().SelectRows({0, 2});
  EXPECT_EQ(enabled(), (std::vector<UINT>{CutAction, CopyAction, DuplicateAction, SelectAllAction}))
      << "the first row cannot go up, the last cannot go down";
  VarnexForm->MoveUpActionExecute();
  VarnexForm->MoveDownActionExecute();
  EXPECT_EQ(Descriptions(), before) << "a move that one row cannot make does nothing";
  EXPECT_FALSE(VarnexForm->Modified());
  Run({Select({1}), Shortcut(VK_CONTROL, 'A')});
  EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1, 2}));
  Run({Select({1}), Shortcut(VK_CONTROL, VK_DOWN)});
  EXPECT_EQ(Descriptions(), (std::vector<std::string>{before[0], before[2], before[1]}));
  EXPECT_EQ(enabled(), (std::vector<UINT>{UndoAction, CutAction, CopyAction, DuplicateAction, MoveUpAction, SelectAllAction}));
}

TEST_F(Editing, CopiedItemsPasteInASecondProgramAndAsTheTextThatPpjDumpWrites) {
  AddStartingItems();
  Run({Select({0, 1}), Shortcut(VK_CONTROL, 'C')});
  // The text: the items' JSON form, the byte 0xE9 as U+00E9.
  std::optional<std::string> text;
  {
    const TClipboard clipboard(VarnexForm->Handle());
    text = clipboard.Text();
  }
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, plugin::ItemsToJson({RecordOfItem(*VarnexForm->Item(0)), RecordOfItem(*VarnexForm->Item(1))}));
  EXPECT_NE(text->find("V\xC3\xA9"), std::string::npos) << "the stored byte 0xE9 is the character U+00E9";

  // A second program pastes them into a new plug-in of its own and saves it.
  const std::string path = folder.File("second.ppj");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string program = std::string(self).substr(0, std::string(self).find_last_of('\\') + 1) + "varnex.exe";
  std::string commandLine = "\"" + program + "\" \"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &started));
  const unique_handle process(started.hProcess);
  const unique_handle thread(started.hThread);
  ASSERT_EQ(WaitForInputIdle(process.get(), 30000), 0u) << "the second program did not get ready";
  const std::string title = "Varnex - [" + path + "]";
  HWND second = nullptr;
  for (int wait = 0; wait < 100 && second == nullptr; ++wait) {
    second = FindWindowA(nullptr, title.c_str());
    if (second == nullptr) Sleep(50); // polling another program's start, with a deadline
  }
  ASSERT_NE(second, nullptr) << "the second program did not open its window";
  SendMessageA(second, WM_COMMAND, PasteAction, 0);
  SendMessageA(second, WM_COMMAND, SaveAction, 0);
  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
  const std::string saved = ReadWholeFile(path);
  const std::string mine = PlugInBytes();
  ASSERT_GT(saved.size(), plugin::kHeaderSize);
  const std::size_t twoItems = plugin::kFileRecordSize + plugin::kRegistryRecordSize;
  EXPECT_EQ(saved.substr(plugin::kHeaderSize), mine.substr(plugin::kHeaderSize, twoItems))
      << "the second program did not paste the very records";
}

TEST_F(Editing, PasteTakesDumpedTextGivesNamelessItemsThePlugInsNameAndRefusesBadText) {
  AddStartingItems();
  // A whole dumped plug-in: its items, after the focused selected row.
  plugin::PlugInRecords dumped{{"Other", "Jo", 46000.5, 0},
                               {{"Theirs", plugin::FileBody{"C:\\theirs.log"}},
                                {"Theirs", plugin::FolderBody{{"%WINTEMP%\\x", 1}, {"*.bak"}}}}};
  PutText(plugin::PlugInToJson(dumped));
  Run({Select({0}), Shortcut(VK_CONTROL, 'V')});
  ASSERT_EQ(VarnexForm->ItemCount(), 5);
  EXPECT_EQ(VarnexForm->Item(1)->Name(), "Theirs") << "pasted items keep their own names";
  EXPECT_EQ(List().SelectedRows(), (std::vector<int>{1, 2})) << "what was pasted is selected";
  EXPECT_EQ(RecordOfItem(*VarnexForm->Item(2)).Body.index(), 2u);

  // One item without a name, at the end when no row is selected.
  PutText("{\"kind\": \"file\", \"path\": \"C:\\\\nameless.log\"}");
  Run({Select({}), Shortcut(VK_SHIFT, VK_INSERT)});
  ASSERT_EQ(VarnexForm->ItemCount(), 6);
  EXPECT_EQ(VarnexForm->Item(5)->Name(), VarnexForm->PlugInName());
  EXPECT_EQ(List().Cell(5, 1), "Delete file C:\\nameless.log");

  // Text that is not items: the message ppj build gives, and nothing changes.
  const std::string before = PlugInBytes();
  for (const std::string bad : {std::string("not a plug-in"), std::string("[{\"kind\": \"file\", \"path\": \"C:\\\\\xE4\xB8\x80\"}]")}) {
    std::string expected;
    try {
      plugin::ItemsFromJson(bad);
    } catch (const plugin::TextFormError& error) {
      expected = error.what();
    }
    ASSERT_FALSE(expected.empty()) << bad << " was taken as items";
    PutText(bad);
    user.PressButton(IDOK);
    Run({Select({0}), Shortcut(VK_CONTROL, 'V')});
    const auto seen = user.Seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Text, expected);
    EXPECT_EQ(PlugInBytes(), before) << bad;
  }
  EXPECT_EQ(UndoCaption(), "&Undo Paste\tCtrl+Z") << "a refused paste is no step";
}

TEST_F(Editing, DropsOpenAPlugInAddFilesAndFoldersAsOneStepAndRefuseNamesWithoutAnAnsiForm) {
  // One plug-in file dropped opens it, after Open's question.
  const std::string plugInPath = folder.File("dropped.ppj");
  const auto bytes = plugin::EncodePlugIn({{"Dropped", "Jo", 46000.5, 0}, {{"D", plugin::FileBody{"C:\\d.log"}}}});
  WriteWholeFile(plugInPath, std::string(bytes.begin(), bytes.end()));
  VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("Start", "C:\\a.log"));
  VarnexForm->MarkModified();
  user.PressButton(IDYES);
  Run({Drop({Wide(plugInPath)})});
  EXPECT_EQ(VarnexForm->FileName(), plugInPath);
  ASSERT_EQ(VarnexForm->ItemCount(), 1);

  // Files, a plug-in among them, and two folders: the folder editor opens for each.
  const std::string file = folder.File("one.log");
  WriteWholeFile(file, "1");
  const std::string kept = folder.File("kept");
  const std::string skipped = folder.File("skipped");
  CreateDirectoryA(kept.c_str(), nullptr);
  CreateDirectoryA(skipped.c_str(), nullptr);
  std::string folderInEditor;
  std::vector<std::string> masksInEditor{"not read"};
  Run({Drop({Wide(file), Wide(kept), Wide(plugInPath), Wide(skipped)}),
       [&] {
         ASSERT_TRUE(IsWindowVisible(FolderEditor->Handle()));
         folderInEditor = FolderEditor->Folder();
         masksInEditor = FolderEditor->Masks();
       },
       Click(FolderEditor, IDC_ADDMASKBUTTON), Type(MaskEditor, IDC_MASKEDIT, "*.tmp"), Key(VK_RETURN),
       Click(FolderEditor, IDOK),
       Click(FolderEditor, IDCANCEL)}); // the second folder is skipped
  EXPECT_EQ(folderInEditor, InsertFolderMacros(kept));
  EXPECT_TRUE(masksInEditor.empty());
  EXPECT_EQ(Descriptions(), (std::vector<std::string>{
                                "Delete file C:\\d.log", "Delete file " + InsertFolderMacros(file),
                                "Delete files in folder " + InsertFolderMacros(kept),
                                "Delete file " + InsertFolderMacros(plugInPath)}));
  Run({Shortcut(VK_CONTROL, 'Z')});
  EXPECT_EQ(VarnexForm->ItemCount(), 1) << "the whole drop is one step";

  // A name that the ANSI code page cannot write exactly: refused, nothing added.
  user.PressButton(IDOK);
  Run({Drop({Wide(file), Wide(folder.File("x")) + L"\u4E00\uFF3C.log"})});
  EXPECT_EQ(VarnexForm->ItemCount(), 1);
  const auto seen = user.Seen();
  ASSERT_FALSE(seen.empty());
  EXPECT_NE(seen.back().Text.find("no exact form"), std::string::npos) << seen.back().Text;
}

} // namespace
