// The file, folder and mask editors with the real System Folders dialog, the real
// open-file dialog and the real folder browser, answered by a scripted user.

#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "framework/Controls.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedUser.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using Lines = std::vector<std::string>;

class PathEditors : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
    owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    FilenameEditor = new TFilenameEditor(owner);
    FolderEditor = new TFolderEditor(owner);
    FolderViewForm = new TFolderViewForm(owner, *SysFolderList);
    MaskEditor = new TMaskEditor(owner);
  }
  void TearDown() override {
    delete MaskEditor;
    delete FolderViewForm;
    delete FolderEditor;
    delete FilenameEditor;
    DestroyWindow(owner);
    SysFolderList.reset();
  }

  static TFilenameEditor& Files() { return *FilenameEditor; }
  static TFolderEditor& Folders() { return *FolderEditor; }
  static HWND In(const TDialog& dialog, int id) { return GetDlgItem(dialog.Handle(), id); }
  static std::string Text(HWND window) { return TControl(window).Text(); }
  static std::string WindowsFolder() { return SysFolderList->Items(0).Path(); }
  static SIZE ClientSize(const TDialog& dialog) {
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    return SIZE{client.right, client.bottom};
  }
  static void ExpectCentred(const TDialog& dialog) {
    RECT window{}, workArea{};
    GetWindowRect(dialog.Handle(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_LE(std::abs((window.left + window.right) - (workArea.left + workArea.right)), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) - (workArea.top + workArea.bottom)), 1);
  }
  // Types the text into the edit key by key, as a user does.
  static void Type(HWND edit, const std::string& text) {
    for (const char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  // Shows the dialog modally while the steps run inside its loop; with `waitForOthers`
  // a step runs only once the dialogs that the dialog opened have closed again.
  static int ShowWith(TDialog& dialog, std::deque<std::function<void()>> steps,
                      bool waitForOthers = false) {
    ModalScript script(std::move(steps));
    if (waitForOthers) script.RunWhen = [&dialog] { return IsWindowEnabled(dialog.Handle()) != FALSE; };
    script.Fallbacks = {MaskEditor->Handle(), dialog.Handle()};
    const int result = dialog.ShowModal();
    EXPECT_TRUE(script.Finished()) << "the dialog closed before every step had run";
    return result;
  }

  // Shows the dialog while the steps run, with `user` answering only the dialogs that
  // it opens.
  static int ShowAnswering(TDialog& dialog, ScriptedUser& user,
                           std::deque<std::function<void()>> steps) {
    user.Ignore(dialog.Handle());
    return ShowWith(dialog, std::move(steps), true);
  }
  // A click on the dialog's button, handled in the dialog's own loop.
  static std::function<void()> Click(HWND button) {
    return [button] { PostMessageA(button, BM_CLICK, 0, 0); };
  }
  static std::function<void()> Close(const TDialog& dialog) {
    return [&dialog] { PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0); };
  }

  HWND owner = nullptr;
};

// --- The file editor ----------------------------------------------------------------

TEST_F(PathEditors, TheFileEditorHasItsControlsInTheirPlaces) {
  EXPECT_EQ(Text(Files().Handle()), "Filename Editor");
  EXPECT_EQ(ClientSize(Files()).cx, 386);
  EXPECT_EQ(ClientSize(Files()).cy, 136);
  ExpectCentred(Files());
  EXPECT_EQ(Text(In(Files(), IDC_FILENAME_GROUP)), "Please enter your filename below:");
  const RECT edit = TControl(Files().FilenameEdit()).Placement();
  const RECT select = TControl(Files().SelectButton()).Placement();
  const RECT label = TControl(Files().RealPathLabel()).Placement();
  EXPECT_EQ(Text(Files().SelectButton()), "?");
  EXPECT_EQ(select.top, edit.top) << "the ? right of the edit";
  EXPECT_GE(select.left, edit.left + edit.right);
  EXPECT_GE(label.top, edit.top + edit.bottom) << "the real path under the edit";
  EXPECT_EQ(label.left, edit.left);
  EXPECT_EQ(Text(Files().RealPathLabel()), "") << "empty at first";
  const RECT cancel = TControl(Files().CancelButton()).Placement();
  const RECT folders = TControl(Files().FoldersButton()).Placement();
  EXPECT_EQ(Text(Files().OKButton()), "&OK");
  EXPECT_EQ(Text(Files().CancelButton()), "&Cancel");
  EXPECT_EQ(Text(Files().FoldersButton()), "&Folders");
  EXPECT_EQ(folders.top, cancel.top);
  EXPECT_GE(folders.left, cancel.left + cancel.right) << "Folders right of Cancel";
  EXPECT_TRUE(GetWindowLongPtrA(Files().OKButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(PathEditors, TheRealPathFollowsWhatIsTypedWithMacrosMatchedInAnyCase) {
  Type(Files().FilenameEdit(), "%windows%\\temp.txt");
  EXPECT_EQ(Text(Files().RealPathLabel()), WindowsFolder() + "\\temp.txt");
  EXPECT_EQ(Files().FileName(), "%windows%\\temp.txt") << "the edit keeps what was typed";

  Files().SetFileName("%NOMACRO%\\%WINDOWS%");
  EXPECT_EQ(Text(Files().RealPathLabel()), "%NOMACRO%\\" + WindowsFolder())
      << "a % pair around another word stays as typed";
  Files().SetFileName("");
  EXPECT_EQ(Text(Files().RealPathLabel()), "");
}

TEST_F(PathEditors, SettingTheTextTheEditHoldsRaisesNoChange) {
  Files().SetFileName("%WINDOWS%");
  TControl(Files().RealPathLabel()).SetText("as it was");
  Files().SetFileName("%WINDOWS%");
  EXPECT_EQ(Text(Files().RealPathLabel()), "as it was") << "no change event for the same text";
  Files().SetFileName("%WINDOWS%\\x");
  EXPECT_EQ(Text(Files().RealPathLabel()), WindowsFolder() + "\\x");
}

TEST_F(PathEditors, TheFileEditorFocusesItsPathWhollySelectedAtEveryShow) {
  Files().SetFileName("C:\\data\\old.log");
  for (int show = 0; show < 2; ++show)
    ShowWith(Files(), {
        [] {
          EXPECT_EQ(GetFocus(), Files().FilenameEdit());
          EXPECT_EQ(TEditBox(Files().FilenameEdit()).Selection(), (std::pair<int, int>{0, 15}));
        },
        [] { TControl(Files().OKButton()).Focus(); }, // away, to come back at the next show
        [] { PostMessageA(Files().Handle(), WM_COMMAND, IDCANCEL, 0); },
    });
}

TEST_F(PathEditors, AClickInThePathPutsTheCaretWhereItPointsInsteadOfSelectingAll) {
  Files().SetFileName("C:\\data\\old.log");
  ShowWith(Files(), {
      [] { TControl(Files().OKButton()).Focus(); },
      [] {
        const HWND edit = Files().FilenameEdit();
        PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
        PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
      },
      [] {
        EXPECT_EQ(GetFocus(), Files().FilenameEdit());
        const auto [start, end] = TEditBox(Files().FilenameEdit()).Selection();
        EXPECT_EQ(start, end) << "a caret, no selection";
      },
      [] { PostMessageA(Files().Handle(), WM_COMMAND, IDCANCEL, 0); },
  });
}

TEST_F(PathEditors, TheFoldersButtonAppendsTheChosenMacroAndCancelChangesNothing) {
  Files().SetFileName("C:\\x");
  ScriptedUser user;
  user.DoubleClickListRow(0); // the WINDOWS row
  user.PressCloseBox();
  ShowAnswering(Files(), user, {
      [] { TControl(Files().OKButton()).Focus(); },
      Click(Files().FoldersButton()),
      [] {
        EXPECT_EQ(Files().FileName(), "C:\\x%WINDOWS%") << "at the end, with no separator";
        EXPECT_EQ(Text(Files().RealPathLabel()), "C:\\x" + WindowsFolder());
        EXPECT_EQ(GetFocus(), Files().FilenameEdit()) << "the focus goes to the path";
      },
      Click(Files().FoldersButton()),
      [] { EXPECT_EQ(Files().FileName(), "C:\\x%WINDOWS%") << "the close box changes nothing"; },
      Close(Files()),
  });
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Caption, "System Folders");
  EXPECT_TRUE(seen[1].Answered);
}

TEST_F(PathEditors, APickedFileComesBackInMacroFormInTableOrder) {
  // An installer file: the installer folder has a macro of its own, but it lies inside
  // the Windows folder, which comes first in the table.
  const std::string installer = WindowsFolder() + "\\Installer";
  const bool made = CreateDirectoryA(installer.c_str(), nullptr) != FALSE;
  const std::string name = "varnex-test-" + std::to_string(GetCurrentProcessId()) + ".msi";
  const std::string file = installer + "\\" + name;
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  Files().SetFileName("typed");

  ScriptedUser user;
  user.PressButton(IDCANCEL);
  user.ChooseFile(file);
  user.ChooseFile(WindowsFolder() + "\\system32\\not-there.txt");
  ShowAnswering(Files(), user, {
      Click(Files().SelectButton()),
      [] { EXPECT_EQ(Files().FileName(), "typed") << "Cancel changes nothing"; },
      [] { TControl(Files().OKButton()).Focus(); },
      Click(Files().SelectButton()),
      [&] {
        EXPECT_EQ(Files().FileName(), "%WINDOWS%\\Installer\\" + name) << "never %INST%";
        EXPECT_EQ(Text(Files().RealPathLabel()), file);
        EXPECT_EQ(GetFocus(), Files().FilenameEdit()) << "the focus goes to the path";
      },
      Click(Files().SelectButton()),
      [] {
        EXPECT_EQ(Files().FileName(), "%WINDOWS%\\system32\\not-there.txt")
            << "a file need not exist to be named";
      },
      Close(Files()),
  });
  EXPECT_EQ(user.Seen().size(), 3u) << "the open-file dialog opened at each click";
  EXPECT_EQ(user.PendingAnswers(), 0);

  DeleteFileA(file.c_str());
  if (made) RemoveDirectoryA(installer.c_str());
}

// --- The folder editor ----------------------------------------------------------------

TEST_F(PathEditors, TheFolderEditorHasItsControlsInTheirPlaces) {
  EXPECT_EQ(Text(Folders().Handle()), "Folder with file masks");
  EXPECT_EQ(ClientSize(Folders()).cx, 300);
  EXPECT_EQ(ClientSize(Folders()).cy, 325);
  ExpectCentred(Folders());
  EXPECT_EQ(Text(Folders().Label1()), "Declare how to delete files from a folder:");
  EXPECT_EQ(Text(In(Folders(), IDC_FOLDER_NAMEGROUP)), "Folder name:");
  EXPECT_EQ(Text(In(Folders(), IDC_FOLDER_MASKGROUP)), "Mask List:");
  EXPECT_EQ(Text(Folders().RemoveEmptyFolderCheckBox()), "Remove empty folder");
  EXPECT_EQ(Text(Folders().SelectFolderButton()), "?");
  EXPECT_EQ(Text(Folders().FoldersButton()), "&Folders");
  EXPECT_EQ(Text(Folders().AddMaskButton()), "&Add");
  EXPECT_EQ(Text(Folders().RemoveMaskButton()), "&Remove");
  const RECT group = TControl(In(Folders(), IDC_FOLDER_NAMEGROUP)).Placement();
  const RECT folders = TControl(Folders().FoldersButton()).Placement();
  const RECT check = TControl(Folders().RemoveEmptyFolderCheckBox()).Placement();
  EXPECT_GE(folders.top, check.top + check.bottom) << "Folders at the bottom of its group";
  EXPECT_LE(folders.top + folders.bottom, group.top + group.bottom);
  const LONG_PTR list = GetWindowLongPtrA(Folders().MaskListBox(), GWL_STYLE);
  EXPECT_FALSE(list & LBS_SORT) << "the masks keep their order";
  EXPECT_FALSE(list & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) << "one line at a time";
  EXPECT_EQ(Text(Folders().RealPathLabel()), "");
}

TEST_F(PathEditors, ANewFolderItemStartsEmptyWhateverTheLastUseLeft) {
  Folders().SetFolder("%TEMP%\\Old");
  Folders().SetMasks({"*.bak", "*.tmp"});
  Folders().SetRemoveEmptyFolder(true);
  ASSERT_NE(Text(Folders().RealPathLabel()), "");
  Folders().ResetFields();
  EXPECT_EQ(Folders().Folder(), "");
  EXPECT_EQ(Text(Folders().RealPathLabel()), "");
  EXPECT_TRUE(Folders().Masks().empty());
  EXPECT_FALSE(Folders().RemoveEmptyFolder());
}

TEST_F(PathEditors, MasksAreAddedAsTypedEvenEmptyOrRepeatedAndRemovedOnlyWhenSelected) {
  Folders().SetMasks({"*.bak"});
  const auto addMask = [](const std::string& typed, int button) {
    ModalScript script({
        [typed] {
          EXPECT_EQ(GetFocus(), MaskEditor->MaskEdit()) << "the mask editor focuses its mask";
          EXPECT_EQ(MaskEditor->Mask(), "") << "emptied before each use";
          TEditBox(MaskEditor->MaskEdit()).SetText(typed);
        },
        [button] { PostMessageA(MaskEditor->Handle(), WM_COMMAND, button, 0); },
    });
    script.Fallbacks = {MaskEditor->Handle()};
    TButton(Folders().AddMaskButton()).Click();
    EXPECT_TRUE(script.Finished());
  };
  addMask("*.tmp", IDOK);
  addMask("", IDOK);
  addMask("*.bak", IDOK);
  addMask("*.cancelled", IDCANCEL);
  EXPECT_EQ(Folders().Masks(), (Lines{"*.bak", "*.tmp", "", "*.bak"}));

  TButton(Folders().RemoveMaskButton()).Click();
  EXPECT_EQ(Folders().Masks().size(), 4u) << "nothing selected, nothing removed";
  TListBox(Folders().MaskListBox()).Select(1);
  TButton(Folders().RemoveMaskButton()).Click();
  EXPECT_EQ(Folders().Masks(), (Lines{"*.bak", "", "*.bak"}));
}

TEST_F(PathEditors, APickedFolderComesBackInMacroFormAndAVirtualFolderChangesNothing) {
  Folders().SetFolder("typed");
  ScriptedUser user;
  user.ChooseFolder(WindowsFolder() + "\\system32");
  user.ChooseShellFolder(CSIDL_DRIVES); // "My Computer" has no path
  user.PressButton(IDCANCEL);
  ShowAnswering(Folders(), user, {
      [] { TControl(Folders().OKButton()).Focus(); },
      Click(Folders().SelectFolderButton()),
      [] {
        EXPECT_EQ(Folders().Folder(), "%WINDOWS%\\system32");
        EXPECT_EQ(Text(Folders().RealPathLabel()), WindowsFolder() + "\\system32");
        EXPECT_EQ(GetFocus(), Folders().FolderEdit()) << "the focus goes to the path";
      },
      Click(Folders().SelectFolderButton()),
      [] { EXPECT_EQ(Folders().Folder(), "%WINDOWS%\\system32") << "a virtual folder: no change"; },
      Click(Folders().SelectFolderButton()),
      [] { EXPECT_EQ(Folders().Folder(), "%WINDOWS%\\system32") << "Cancel: no change"; },
      Close(Folders()),
  });
  ASSERT_EQ(user.Seen().size(), 3u) << "the folder browser opened at each click";
  EXPECT_EQ(user.PendingAnswers(), 0);
}

TEST_F(PathEditors, TheFolderEditorsFoldersButtonAppendsToItsPath) {
  Folders().SetFolder("D:\\");
  ScriptedUser user;
  user.DoubleClickListRow(3); // %WINTEMP%
  ShowAnswering(Folders(), user, {
      Click(Folders().FoldersButton()),
      [] {
        EXPECT_EQ(Folders().Folder(), "D:\\%WINTEMP%");
        EXPECT_EQ(GetFocus(), Folders().FolderEdit());
      },
      Close(Folders()),
  });
}

TEST_F(PathEditors, TheFolderEditorKeepsItsFieldsAndTabSelectsThePathWhole) {
  Folders().ResetFields();
  Folders().SetFolder("%WINDOWS%\\Temp");
  Folders().SetMasks({"*.tmp"});
  Folders().SetRemoveEmptyFolder(true);
  const int result = ShowWith(Folders(), {
      [] { TControl(Folders().CancelButton()).Focus(); },
      [] { // Tab from the last control comes round to the path
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
      },
      [] {
        EXPECT_EQ(GetFocus(), Folders().FolderEdit());
        EXPECT_EQ(TEditBox(Folders().FolderEdit()).Selection(), (std::pair<int, int>{0, 14}));
      },
      [] { PostMessageA(Folders().Handle(), WM_COMMAND, IDOK, 0); },
  });
  EXPECT_EQ(result, kModalResultOK);
  EXPECT_EQ(Folders().Folder(), "%WINDOWS%\\Temp");
  EXPECT_EQ(Folders().Masks(), (Lines{"*.tmp"}));
  EXPECT_TRUE(Folders().RemoveEmptyFolder());
}

// --- The mask editor ------------------------------------------------------------------

TEST_F(PathEditors, TheMaskEditorHasItsHintOnTwoLinesTheSecondIndented) {
  EXPECT_EQ(Text(MaskEditor->Handle()), "Mask Editor");
  EXPECT_EQ(ClientSize(*MaskEditor).cx, 297);
  EXPECT_EQ(ClientSize(*MaskEditor).cy, 165);
  ExpectCentred(*MaskEditor);
  EXPECT_EQ(Text(In(*MaskEditor, IDC_MASK_GROUP)), "Enter mask below:");
  EXPECT_EQ(Text(MaskEditor->Label1()),
            "Note: The mask is a parameter of DOS command (dir),");
  EXPECT_EQ(Text(MaskEditor->Label2()), "such as: *.*, *.txt, *.tmp, *.exe, etc.");
  const RECT first = TControl(MaskEditor->Label1()).Placement();
  const RECT second = TControl(MaskEditor->Label2()).Placement();
  EXPECT_GT(second.left, first.left) << "indented";
  EXPECT_GT(second.top, first.top);
  const RECT edit = TControl(MaskEditor->MaskEdit()).Placement();
  EXPECT_LT(edit.top, first.top) << "the hint under the edit";
}

} // namespace
