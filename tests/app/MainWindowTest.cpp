// The main window driven through its real controls and commands, with a scripted user
// answering the message boxes and file dialogs.

#include "plugin/PlugInFormat.h"
#include "app/VarnexFormUnit.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/Controls.h"
#include "framework/FileStream.h"
#include "framework/MessageBoxes.h"
#include "res/resource.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::string Text(HWND window) { return TControl(window).Text(); }

// A plug-in file with one item of each kind, written through the program's writer.
std::string ThreeItemPlugIn() {
  plugin::PlugInHeader header{"Temp files", "Jo", 46364.5, 3};
  std::string bytes(reinterpret_cast<const char*>(plugin::EncodeHeader(header).data()),
                    plugin::kHeaderSize);
  TMemoryStream stream;
  const std::uint8_t kinds[] = {0, 1, 2};
  TCleanRegistry registry("Temp files", 0x80000001, kRegistryValue, "\\Software\\Demo", "Last");
  TCleanFile file("Temp files", "%WINDOWS%\\demo.log");
  TCleanFolder folder("Temp files", "%TEMP%\\Demo", true);
  folder.Masks() = {"*.tmp", "*.bak"};
  TCleanObj* items[] = {&registry, &file, &folder};
  for (int i = 0; i < 3; ++i) {
    stream.Write(&kinds[i], 1);
    items[i]->SaveToStream(stream);
  }
  bytes.append(stream.Bytes().begin(), stream.Bytes().end());
  return bytes;
}

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    SetApplicationTitle("Varnex"); // as the start-up sequence does
    form = std::make_unique<TVarnexForm>();
    form->Show({});
  }
  void TearDown() override {
    form.reset();
    // Closing the main window ends the program's loop; the tests go on.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }

  void Command(UINT id) { SendMessageA(form->Handle(), WM_COMMAND, id, 0); }
  std::string Title() const { return Text(form->Handle()); }
  std::string RowText(int row, int column) const { return TListView(form->ListView()).Cell(row, column); }
  int RowImage(int row) const { return TListView(form->ListView()).RowImage(row); }
  std::string StatusText() const {
    char text[512] = {};
    SendMessageA(form->StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  void SelectRow(int row) { TListView(form->ListView()).SelectRow(row); }
  void OpenThroughDialog(const std::string& path) {
    user.ChooseFile(path);
    Command(OpenAction);
  }

  TempFolder folder;
  ScriptedUser user;
  std::unique_ptr<TVarnexForm> form;
};

TEST_F(MainWindow, StartsUntitledWithNoneLabelsAndTheItemCommandsDisabled) {
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]");
  EXPECT_EQ(Text(form->NameLabel()), "(none)");
  EXPECT_EQ(Text(form->AuthorLabel()), "(none)");
  EXPECT_EQ(form->ItemCount(), 0);
  EXPECT_FALSE(form->Modified());
  EXPECT_FALSE(form->ActionEnabled(EditItemAction));
  EXPECT_FALSE(form->ActionEnabled(RemoveItemAction));
  EXPECT_TRUE(form->ActionEnabled(NewItemAction));
  EXPECT_GT(form->Time(), 40000.0) << "the time stamp is set when the window is first shown";

  RECT window{};
  GetWindowRect(form->Handle(), &window);
  EXPECT_EQ(window.right - window.left, 598);
  EXPECT_EQ(window.bottom - window.top, 551);
}

TEST_F(MainWindow, OpenShowsEveryItemAsARowWithItsCaptionIconAndDescription) {
  const std::string path = folder.File("three.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  OpenThroughDialog(path);

  ASSERT_EQ(user.Seen().size(), 1u) << "only the open dialog appears";
  EXPECT_EQ(Title(), "Varnex - [" + path + "]");
  EXPECT_EQ(Text(form->NameLabel()), "Temp files");
  EXPECT_EQ(Text(form->AuthorLabel()), "Jo");
  EXPECT_DOUBLE_EQ(form->Time(), 46364.5);
  EXPECT_FALSE(form->Modified());
  ASSERT_EQ(form->ItemCount(), 3);
  EXPECT_EQ(RowText(0, 0), "Registry");
  EXPECT_EQ(RowText(0, 1), "Remove registry item Last in key \\Software\\Demo");
  EXPECT_EQ(RowText(1, 0), "File");
  EXPECT_EQ(RowText(1, 1), "Delete file %WINDOWS%\\demo.log");
  EXPECT_EQ(RowText(2, 0), "Folder");
  EXPECT_EQ(RowText(2, 1),
            "Delete files in folder %TEMP%\\Demo, remove empty folders automatically");
  EXPECT_EQ(RowImage(0), 0);
  EXPECT_EQ(RowImage(1), 1);
  EXPECT_EQ(RowImage(2), 2);
}

TEST_F(MainWindow, SelectingARowEnablesEditAndRemoveAndNewDisablesThemAgain) {
  const std::string path = folder.File("three.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  OpenThroughDialog(path);
  SelectRow(1);
  EXPECT_TRUE(form->ActionEnabled(EditItemAction));
  EXPECT_TRUE(form->ActionEnabled(RemoveItemAction));
  EXPECT_TRUE(SendMessageA(form->Toolbar(), TB_ISBUTTONENABLED, RemoveItemAction, 0));

  Command(NewAction);
  EXPECT_EQ(form->ItemCount(), 0);
  EXPECT_FALSE(form->ActionEnabled(EditItemAction));
  EXPECT_FALSE(form->ActionEnabled(RemoveItemAction));
  EXPECT_FALSE(SendMessageA(form->Toolbar(), TB_ISBUTTONENABLED, RemoveItemAction, 0));
}

TEST_F(MainWindow, NewAsksOnlyWhenModifiedAndNoKeepsEverything) {
  const std::string path = folder.File("three.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  OpenThroughDialog(path);

  Command(NewAction); // unmodified: no question
  EXPECT_EQ(user.Seen().size(), 1u);
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]");
  EXPECT_EQ(Text(form->NameLabel()), "") << "after New the labels are empty, not (none)";
  EXPECT_EQ(Text(form->AuthorLabel()), "");

  OpenThroughDialog(path);
  form->MarkModified();
  user.PressButton(IDNO);
  Command(NewAction);
  ASSERT_EQ(user.Seen().size(), 3u);
  EXPECT_EQ(user.Seen()[2].Text, "Current plug-in not saved, continue anyway?");
  EXPECT_EQ(form->ItemCount(), 3);
  EXPECT_EQ(Title(), "Varnex - [" + path + "]");
  EXPECT_TRUE(form->Modified());

  user.PressButton(IDYES);
  Command(NewAction);
  EXPECT_EQ(form->ItemCount(), 0);
  EXPECT_FALSE(form->Modified());
  EXPECT_GT(form->Time(), 46364.5) << "New stamps the current time";
}

TEST_F(MainWindow, OpenOnAModifiedPlugInAsksAndNoKeepsIt) {
  const std::string path = folder.File("three.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  OpenThroughDialog(path);
  form->MarkModified();
  user.PressButton(IDNO);
  Command(OpenAction);
  ASSERT_EQ(user.Seen().size(), 2u) << "No ends Open before its dialog";
  EXPECT_EQ(user.Seen()[1].Text, "Current plug-in not saved, continue anyway?");
  EXPECT_EQ(form->ItemCount(), 3);
  EXPECT_TRUE(form->Modified());
}

TEST_F(MainWindow, AFileThatCannotBeOpenedShowsTheErrorAndKeepsTheLabels) {
  const std::string good = folder.File("three.ppj");
  WriteWholeFile(good, ThreeItemPlugIn());
  OpenThroughDialog(good);
  form->MarkModified();

  const std::string missing = folder.File("missing.ppj");
  user.PressButton(IDYES); // continue despite the changes
  user.ChooseFile(missing);
  user.PressButton(IDOK); // the error box
  Command(OpenAction);

  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[3].Caption, "Varnex");
  EXPECT_EQ(seen[3].Text.rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << seen[3].Text;
  EXPECT_GT(seen[3].Text.size(), ("Cannot open file \"" + missing + "\". ").size())
      << "the system's reason follows";
  EXPECT_EQ(Title(), "Varnex - [" + missing + "]");
  EXPECT_EQ(form->ItemCount(), 0);
  EXPECT_EQ(Text(form->NameLabel()), "Temp files");
  EXPECT_EQ(form->PlugInName(), "Temp files");
  EXPECT_TRUE(form->Modified());
}

TEST_F(MainWindow, AFileWithoutTheMagicIsReportedAndLeavesThePlugInUntitled) {
  const std::string path = folder.File("other.ppj");
  std::string bytes = ThreeItemPlugIn();
  bytes[3] = 'X';
  WriteWholeFile(path, bytes);
  user.ChooseFile(path);
  user.PressButton(IDOK); // the warning
  Command(OpenAction);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u) << "a warning after the open dialog";
  EXPECT_EQ(seen[1].Caption, "Warning");
  EXPECT_NE(seen[1].Text.find("The file \"" + path + "\" is not a plug-in file; nothing was read from it."),
            std::string::npos)
      << seen[1].Text;
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]");
  EXPECT_EQ(form->ItemCount(), 0);
  EXPECT_EQ(Text(form->NameLabel()), "(none)");

  user.PressButton(IDCANCEL); // Save asks for a file instead of writing over the other one
  Command(SaveAction);
  EXPECT_EQ(user.Seen().size(), 3u);
  EXPECT_EQ(ReadWholeFile(path), bytes);
}

TEST_F(MainWindow, AFileThatExistsButCannotBeReadLeavesThePlugInUntitled) {
  const std::string path = folder.File("busy.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  {
    // Another program has it open and shares it with nobody.
    unique_hfile holder(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    user.ChooseFile(path);
    user.PressButton(IDOK); // the error box
    Command(OpenAction);
  }
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].Text.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << seen[1].Text;
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]") << "the next Save cannot write over it";
}

TEST_F(MainWindow, TheSameHoldsForAFileNamedOnTheCommandLine) {
  const std::string notAPlugIn = folder.File("readme.txt");
  WriteWholeFile(notAPlugIn, "Just some text");
  const std::string missing = folder.File("new.ppj");
  user.PressButton(IDOK); // the warning
  user.PressButton(IDOK); // the error box
  TVarnexForm started;
  started.Show({notAPlugIn});
  EXPECT_EQ(Text(started.Handle()), "Varnex - [Noname.ppj]");
  TVarnexForm startedNew;
  startedNew.Show({missing});
  EXPECT_EQ(Text(startedNew.Handle()), "Varnex - [" + missing + "]")
      << "a new plug-in named on the command line keeps its name";
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Caption, "Warning");
  EXPECT_EQ(seen[1].Caption, "Varnex");
}

TEST_F(MainWindow, ADamagedFileKeepsItsCompleteItemsAsAnUntitledModifiedPlugIn) {
  const std::string path = folder.File("cut.ppj");
  const std::string whole = ThreeItemPlugIn();
  WriteWholeFile(path, whole.substr(0, whole.size() - 10)); // ends inside the folder item
  user.ChooseFile(path);
  user.PressButton(IDOK); // the warning
  Command(OpenAction);

  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].Caption, "Warning");
  EXPECT_NE(seen[1].Text.find(path), std::string::npos) << seen[1].Text;
  EXPECT_NE(seen[1].Text.find("2 of 3"), std::string::npos) << seen[1].Text;
  EXPECT_EQ(form->ItemCount(), 2);
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]");
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(ReadWholeFile(path).size(), whole.size() - 10) << "the damaged file is untouched";
}

TEST_F(MainWindow, SaveOfATitledPlugInWritesTheSameBytesBack) {
  const std::string path = folder.File("three.ppj");
  WriteWholeFile(path, ThreeItemPlugIn());
  OpenThroughDialog(path);
  form->MarkModified();
  Command(SaveAction);
  EXPECT_EQ(user.Seen().size(), 1u) << "a titled plug-in is saved without a question";
  EXPECT_FALSE(form->Modified());
  EXPECT_EQ(ReadWholeFile(path), ThreeItemPlugIn());
}

TEST_F(MainWindow, SaveOfAnUntitledPlugInAsksForAFileAndCancelChangesNothing) {
  form->MarkModified();
  user.PressButton(IDCANCEL);
  Command(SaveAction);
  EXPECT_EQ(user.Seen().size(), 1u);
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(Title(), "Varnex - [Noname.ppj]");

  const std::string path = folder.File("new.ppj");
  user.ChooseFile(path);
  Command(SaveAction);
  EXPECT_EQ(Title(), "Varnex - [" + path + "]");
  EXPECT_FALSE(form->Modified());
  const std::string bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), plugin::kHeaderSize) << "an empty plug-in is the header alone";
  EXPECT_EQ(bytes.substr(0, 4), "PIPJ");
  EXPECT_EQ(bytes.substr(272, 4), std::string(4, '\0'));
}

TEST_F(MainWindow, SaveAsAsksBeforeReplacingAnExistingFile) {
  const std::string path = folder.File("existing.ppj");
  WriteWholeFile(path, "old content");
  form->MarkModified();
  user.ChooseFile(path);
  user.PressButton(IDYES); // replace it
  Command(SaveAsAction);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u) << "the dialog asks before it replaces the file; seen: "
                             << (seen.empty() ? "" : seen.back().Caption + " / " + seen.back().Text)
                             << " pending " << user.PendingAnswers() << " title " << Title();
  EXPECT_NE(seen[1].Text.find("replace"), std::string::npos) << seen[1].Text;
  EXPECT_EQ(Title(), "Varnex - [" + path + "]");
  EXPECT_FALSE(form->Modified());
  EXPECT_EQ(ReadWholeFile(path).substr(0, 4), "PIPJ");
}

// The names of the files in a folder.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  unique_hfind find(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!find) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find.get(), &found));
  return names;
}

TEST_F(MainWindow, AFailedSaveShowsTheErrorAndLeavesTheOldFileTheFlagAndNothingElse) {
  const std::string path = folder.File("locked.ppj");
  const std::string old = ThreeItemPlugIn();
  WriteWholeFile(path, old);
  OpenThroughDialog(path);
  form->MarkModified();
  {
    // Another program holds the file open without delete sharing, so it cannot be replaced.
    unique_hfile holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    user.PressButton(IDOK);
    Command(SaveAction);
  }
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].Text.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << seen[1].Text;
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(ReadWholeFile(path), old);
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"locked.ppj"}) << "no file left behind";
}

TEST_F(MainWindow, ASaveIntoAFolderThatCannotTakeAFileNamesTheTarget) {
  const std::string path = folder.File("gone\\p.ppj"); // the folder does not exist
  form->SetProjectFileName(path);
  user.PressButton(IDOK);
  Command(SaveAction);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << seen[0].Text;
  EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST_F(MainWindow, AFolderWhosePathIsNearMaxPathSavesAndKeepsNothingElse) {
  // Nested folders until the path is 240 characters long; the plug-in's path, 246.
  std::string deep = folder.Path();
  while (deep.size() < 240) {
    deep += "\\" + std::string(std::min<std::size_t>(40, 239 - deep.size()), 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
  }
  const std::string path = deep + "\\p.ppj";
  WriteWholeFile(folder.File("three.ppj"), ThreeItemPlugIn());
  OpenThroughDialog(folder.File("three.ppj"));
  form->SetProjectFileName(path);
  Command(SaveAction);
  EXPECT_EQ(user.Seen().size(), 1u) << "no error";
  EXPECT_EQ(ReadWholeFile(path), ThreeItemPlugIn());
  EXPECT_EQ(FilesIn(deep), std::vector<std::string>{"p.ppj"}) << "no file left behind";
}

TEST_F(MainWindow, EndingTheSessionAsksTheCloseQuestionWhenModified) {
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << "nothing to lose";
  EXPECT_TRUE(user.Seen().empty()) << "and no question";
  form->MarkModified();
  user.PressButton(IDNO);
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE) << "No keeps the session";
  user.PressButton(IDYES);
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Text, "The Plug-In is modified, are you sure quit without saving?");
  EXPECT_TRUE(IsWindow(form->Handle())) << "the window itself stays until the session ends";
}

// Offsets in the three-item plug-in: the name field of the header, and the mask
// field of the folder item, its third.
constexpr std::size_t kPlugInNameOffset = 4;
constexpr std::size_t kMaskFieldOffset =
    plugin::kHeaderSize + plugin::kRegistryRecordSize + plugin::kFileRecordSize + 1 + 128 + 1025;

TEST_F(MainWindow, NamesAreCutAndMasksLeftOutWholeOnlyWhenConfirmedAndThenHeldAsSaved) {
  const std::string path = folder.File("long.ppj");
  std::string bytes = ThreeItemPlugIn();
  // A name field without a NUL: 128 characters; a mask field of 512 masks, each
  // ended by LF alone, which saving writes with CR LF: 1,536 characters.
  std::fill_n(bytes.begin() + kPlugInNameOffset, 128, 'N');
  for (std::size_t i = 0; i < 1024; i += 2) bytes.replace(kMaskFieldOffset + i, 2, "a\n");
  WriteWholeFile(path, bytes);
  OpenThroughDialog(path);
  ASSERT_EQ(form->PlugInName(), std::string(128, 'N'));
  form->MarkModified();

  user.PressButton(IDNO);
  Command(SaveAction);
  ASSERT_EQ(user.Seen().size(), 2u);
  EXPECT_EQ(user.Seen()[1].Text,
            "Some texts are too long for the plug-in file:\n\n"
            "Plug-in, Name: 128 characters, at most 127\n"
            "Item 3, Masks: 1536 characters, at most 1023; the last 171 of 512 masks are left out\n"
            "\nSave them shortened to fit?");
  EXPECT_TRUE(form->Modified()) << "No writes nothing";
  EXPECT_EQ(ReadWholeFile(path), bytes);

  user.PressButton(IDYES);
  Command(SaveAction);
  EXPECT_FALSE(form->Modified());
  std::string masks;
  for (int i = 0; i < 341; ++i) masks += "a\r\n";
  const std::string saved = ReadWholeFile(path);
  EXPECT_EQ(saved.substr(kPlugInNameOffset, 128), std::string(127, 'N') + '\0');
  EXPECT_EQ(saved.substr(kMaskFieldOffset, 1024), masks + '\0') << "whole masks, never one cut";
  EXPECT_EQ(saved.substr(132, kMaskFieldOffset - 132), bytes.substr(132, kMaskFieldOffset - 132))
      << "the rest is written as it was read";
  EXPECT_EQ(form->PlugInName(), std::string(127, 'N')) << "the plug-in holds what was saved";
  EXPECT_EQ(Text(form->NameLabel()), std::string(127, 'N'));
  EXPECT_EQ(dynamic_cast<TCleanFolder&>(*form->Item(2)).Masks().size(), 341u);

  Command(SaveAction);
  EXPECT_EQ(user.Seen().size(), 3u) << "what was saved fits: no question the next time";
  EXPECT_EQ(ReadWholeFile(path), saved);
}

TEST_F(MainWindow, APathOrKeyThatDoesNotFitIsNeverShortenedAndNothingIsSaved) {
  const std::string path = folder.File("key.ppj");
  std::string bytes = ThreeItemPlugIn();
  // The registry item's key path field without a NUL: 256 characters. Cut to fit, a
  // key path can name the parent of the key the author meant.
  std::fill_n(bytes.begin() + plugin::kHeaderSize + 1 + 128 + 4, 256, 'K');
  std::fill_n(bytes.begin() + kPlugInNameOffset, 128, 'N');
  WriteWholeFile(path, bytes);
  OpenThroughDialog(path);
  form->MarkModified();

  user.PressButton(IDOK);
  Command(SaveAction);
  user.PressButton(IDOK);
  Command(SaveAsAction);
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 3u) << "no question and no file dialog, only the error box each time";
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(seen[i].Caption, "Varnex");
    EXPECT_NE(seen[i].Text.find("\nItem 1, Key path: 256 characters, at most 255\n"), std::string::npos)
        << seen[i].Text;
  }
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(form->FileName(), path);
  EXPECT_EQ(ReadWholeFile(path), bytes) << "nothing is written";
  EXPECT_EQ(form->PlugInName(), std::string(128, 'N')) << "nor is anything shortened";
}

TEST_F(MainWindow, CloseAsksOnlyWhenModified) {
  form->MarkModified();
  user.PressButton(IDNO);
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(user.Seen().size(), 1u);
  EXPECT_EQ(user.Seen()[0].Text, "The Plug-In is modified, are you sure quit without saving?");
  EXPECT_TRUE(IsWindow(form->Handle()));

  user.PressButton(IDYES);
  const HWND handle = form->Handle();
  Command(ExitAction);
  EXPECT_FALSE(IsWindow(handle)) << "Exit closes the window as its close box does";
}

TEST_F(MainWindow, TheStatusBarShowsTheHintOfTheHighlightedMenuEntryAndButton) {
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(OpenAction, MF_HILITE),
               reinterpret_cast<LPARAM>(GetMenu(form->Handle())));
  EXPECT_EQ(StatusText(), "Open a plug-in from your disk");
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(PreviewSizeAction, MF_HILITE),
               reinterpret_cast<LPARAM>(GetMenu(form->Handle())));
  EXPECT_EQ(StatusText(), "Show how many size can be free on current plug-in");
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0);
  EXPECT_EQ(StatusText(), "");

  const int saveButton = static_cast<int>(SendMessageA(form->Toolbar(), TB_COMMANDTOINDEX, SaveAction, 0));
  SendMessageA(form->Toolbar(), TB_SETHOTITEM, saveButton, 0);
  EXPECT_EQ(StatusText(), "Save plug-in to disk");
  SendMessageA(form->Toolbar(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(StatusText(), "");
}

TEST_F(MainWindow, TheToolbarHasItsButtonsInOrderWithTheirCaptions) {
  const UINT expected[] = {NewAction, 0, OpenAction, SaveAction, 0, NewItemAction, RemoveItemAction, 0, PropertiesAction};
  ASSERT_EQ(SendMessageA(form->Toolbar(), TB_BUTTONCOUNT, 0, 0), 9);
  for (int i = 0; i < 9; ++i) {
    TBBUTTON button{};
    SendMessageA(form->Toolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(static_cast<UINT>(button.fsStyle & BTNS_SEP ? 0 : button.idCommand), expected[i]) << i;
  }
  char caption[64] = {};
  SendMessageA(form->Toolbar(), TB_GETBUTTONTEXTA, RemoveItemAction, reinterpret_cast<LPARAM>(caption));
  EXPECT_STREQ(caption, "&Remove");
  SendMessageA(form->Toolbar(), TB_GETBUTTONTEXTA, NewItemAction, reinterpret_cast<LPARAM>(caption));
  EXPECT_STREQ(caption, "&New Item");
}

} // namespace
