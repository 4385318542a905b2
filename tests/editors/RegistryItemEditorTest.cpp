// The Registry Item Clean Editor: its controls, how its caller loads and reads it, and
// its two "?" buttons over the live registry, each with the real pickers.

#include "tests/editors/RegistryEditorsFixture.h"

namespace {

constexpr std::uint32_t kClassesRoot = 0x80000000;
constexpr std::uint32_t kCurrentUser = 0x80000001;
constexpr std::uint32_t kLocalMachine = 0x80000002;
constexpr std::uint32_t kUsers = 0x80000003;
constexpr std::uint32_t kPerformanceData = 0x80000004;
constexpr std::uint32_t kCurrentConfig = 0x80000005;

class RegistryItemEditor : public RegistryEditors {
protected:
  static HWND Item(int id) { return GetDlgItem(Editor().Handle(), id); }
  static bool Checked(HWND button) { return TButton(button).Checked(); }
  static bool ValueNameRowEnabled() {
    const bool edit = TControl(Editor().ValueNameEdit()).Enabled();
    EXPECT_EQ(TControl(Editor().ValueNameLabel()).Enabled(), edit) << "the label follows the edit";
    EXPECT_EQ(TControl(Editor().SelectValueNameButton()).Enabled(), edit) << "and so does the ?";
    return edit;
  }
  // Exactly one button of each group is selected: this one.
  static HWND SelectedIn(std::initializer_list<HWND> buttons) {
    HWND selected = nullptr;
    int count = 0;
    for (const HWND button : buttons)
      if (Checked(button)) {
        selected = button;
        ++count;
      }
    EXPECT_EQ(count, 1) << "buttons " << GetDlgCtrlID(*buttons.begin()) << " to "
                        << GetDlgCtrlID(*(buttons.end() - 1));
    return selected;
  }
  static HWND SubKind() {
    return SelectedIn({Editor().RegistryKeyRadioButton(), Editor().RegistryItemRadioButton(),
                       Editor().RegistryItemsInKeyRadioButton()});
  }
  static HWND Root() {
    return SelectedIn({Editor().ClassRootRadioButton(), Editor().CurrentUserRadioButton(),
                       Editor().LocalMachineRadioButton(), Editor().UsersRadioButton(),
                       Editor().CurrentConfigRadioButton()});
  }
  static void UserClicks(HWND button) { TButton(button).Click(); }
};

TEST_F(RegistryItemEditor, HasItsCaptionSizeGroupsAndButtons) {
  const HWND window = Editor().Handle();
  EXPECT_EQ(TControl(window).Text(), "Registry Item Clean Editor");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 377);
  EXPECT_EQ(client.bottom, 298);
  EXPECT_FALSE(GetWindowLongPtrA(window, GWL_STYLE) & WS_THICKFRAME) << "a fixed size";

  const std::pair<HWND, const char*> captions[] = {
      {Item(IDC_REGITEM_KINDGROUP), "Please select a type of current registry clean item:"},
      {Editor().RegistryKeyRadioButton(), "Registry Key"},
      {Editor().RegistryItemRadioButton(), "Registry Item"},
      {Editor().RegistryItemsInKeyRadioButton(), "Registry Items In Key"},
      {Item(IDC_REGITEM_ROOTGROUP), "Root Key:"},
      {Editor().ClassRootRadioButton(), "HKEY_CLASS_ROOT"},
      {Editor().CurrentUserRadioButton(), "HKEY_CURRENT_USER"},
      {Editor().LocalMachineRadioButton(), "HKEY_LOCAL_MACHINE"},
      {Editor().UsersRadioButton(), "HKEY_USERS"},
      {Editor().CurrentConfigRadioButton(), "HKEY_CURRENT_CONFIG"},
      {Item(IDC_REGITEM_KEYGROUP), "Key and Value:"},
      {Editor().Label1(), "Key Name:"},
      {Editor().SelectKeyNameButton(), "?"},
      {Editor().ValueNameLabel(), "Value Name:"},
      {Editor().SelectValueNameButton(), "?"},
      {Editor().OKButton(), "&OK"},
      {Editor().CancelButton(), "&Cancel"},
  };
  for (const auto& [control, caption] : captions)
    EXPECT_EQ(TControl(control).Text(), caption) << GetDlgCtrlID(control);

  // Three groups stacked top to bottom, the buttons centred below them.
  const RECT kinds = TControl(Item(IDC_REGITEM_KINDGROUP)).Placement();
  const RECT roots = TControl(Item(IDC_REGITEM_ROOTGROUP)).Placement();
  const RECT keys = TControl(Item(IDC_REGITEM_KEYGROUP)).Placement();
  EXPECT_LE(kinds.top + kinds.bottom, roots.top);
  EXPECT_LE(roots.top + roots.bottom, keys.top);
  const RECT ok = TControl(Editor().OKButton()).Placement();
  const RECT cancel = TControl(Editor().CancelButton()).Placement();
  EXPECT_GE(ok.top, keys.top + keys.bottom);
  EXPECT_LE(std::abs((ok.left + cancel.left + cancel.right) - 377), 1) << "centred";
  // The three kinds in one row; the roots in two columns of three rows.
  EXPECT_EQ(TControl(Editor().RegistryItemRadioButton()).Placement().top,
            TControl(Editor().RegistryKeyRadioButton()).Placement().top);
  EXPECT_EQ(TControl(Editor().CurrentUserRadioButton()).Placement().top,
            TControl(Editor().ClassRootRadioButton()).Placement().top);
  EXPECT_EQ(TControl(Editor().UsersRadioButton()).Placement().left,
            TControl(Editor().CurrentUserRadioButton()).Placement().left);
  EXPECT_EQ(TControl(Editor().CurrentConfigRadioButton()).Placement().left,
            TControl(Editor().ClassRootRadioButton()).Placement().left);
  EXPECT_TRUE(GetWindowLongPtrA(Editor().OKButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);

  EXPECT_EQ(SubKind(), Editor().RegistryKeyRadioButton()) << "the initial state";
  EXPECT_EQ(Root(), Editor().ClassRootRadioButton());
  EXPECT_FALSE(ValueNameRowEnabled());
}

TEST_F(RegistryItemEditor, ANewItemStartsFromTheSameStateWhateverTheLastUseLeft) {
  UserClicks(Editor().RegistryItemRadioButton());
  UserClicks(Editor().UsersRadioButton());
  TEditBox(Editor().KeyNameEdit()).SetText("\\Software");
  TEditBox(Editor().ValueNameEdit()).SetText("Last");
  ASSERT_TRUE(ValueNameRowEnabled());

  Editor().ResetFields();
  EXPECT_EQ(SubKind(), Editor().RegistryKeyRadioButton());
  EXPECT_EQ(Root(), Editor().ClassRootRadioButton());
  EXPECT_EQ(Editor().KeyName(), "");
  EXPECT_EQ(Editor().ValueName(), "");
  EXPECT_FALSE(ValueNameRowEnabled()) << "following the kind selected from code";
}

TEST_F(RegistryItemEditor, EachKindAndRootKeyLoadsAndReadsBackAsStored) {
  const std::pair<std::uint8_t, HWND> kinds[] = {{0, Editor().RegistryItemRadioButton()},
                                                 {1, Editor().RegistryKeyRadioButton()},
                                                 {2, Editor().RegistryItemsInKeyRadioButton()}};
  const std::pair<std::uint32_t, HWND> roots[] = {
      {kClassesRoot, Editor().ClassRootRadioButton()},
      {kCurrentUser, Editor().CurrentUserRadioButton()},
      {kLocalMachine, Editor().LocalMachineRadioButton()},
      {kUsers, Editor().UsersRadioButton()},
      {kCurrentConfig, Editor().CurrentConfigRadioButton()}};
  for (const auto& [kind, kindButton] : kinds)
    for (const auto& [root, rootButton] : roots) {
      Editor().LoadFromItem(TCleanRegistry("name", root, kind, "Software\\X", "V"));
      EXPECT_EQ(SubKind(), kindButton);
      EXPECT_EQ(Root(), rootButton);
      EXPECT_EQ(Editor().GetItemKind(), kind);
      EXPECT_EQ(Editor().GetRootKey(), root);
      EXPECT_EQ(ValueNameRowEnabled(), kind == 0) << "only one value has a name";
    }
}

TEST_F(RegistryItemEditor, AKindOrRootKeyNoButtonOffersLeavesTheLastChoice) {
  Editor().LoadFromItem(TCleanRegistry("name", kLocalMachine, 2, "\\Kept", "V"));
  Editor().LoadFromItem(TCleanRegistry("name", kPerformanceData, 9, "\\Other", "W"));
  EXPECT_EQ(SubKind(), Editor().RegistryItemsInKeyRadioButton());
  EXPECT_EQ(Editor().GetItemKind(), 2);
  EXPECT_EQ(Editor().GetRootKey(), kLocalMachine) << "not HKEY_PERFORMANCE_DATA";
  EXPECT_EQ(Editor().KeyName(), "\\Other") << "the texts are loaded whatever the kind";
  EXPECT_EQ(Editor().ValueName(), "W");
}

TEST_F(RegistryItemEditor, ADisabledValueNameKeepsItsTextAndIsStillReturned) {
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 0, "\\Software\\Demo", "Last"));
  ASSERT_TRUE(ValueNameRowEnabled());
  const int result = ShowWith(Editor(), {
      Click(Editor().RegistryKeyRadioButton()),
      [this] { EXPECT_FALSE(ValueNameRowEnabled()) << "a click on Registry Key disables it"; },
      Post(Editor().KeyNameEdit(), WM_KEYDOWN, VK_RETURN),
  });
  EXPECT_EQ(result, kModalResultOK) << "Enter is OK";
  EXPECT_EQ(Editor().GetItemKind(), 1);
  EXPECT_EQ(Editor().ValueName(), "Last");
  EXPECT_EQ(Editor().KeyName(), "\\Software\\Demo");
}

TEST_F(RegistryItemEditor, EscCancelsAndTheCallerReadsNothingNew) {
  Editor().ResetFields();
  EXPECT_EQ(ShowWith(Editor(), {Post(Editor().KeyNameEdit(), WM_KEYDOWN, VK_ESCAPE)}),
            kModalResultCancel);
}

TEST_F(RegistryItemEditor, TheKeyButtonPutsThePickedPathAndRootKeyAndLeavesTheRest) {
  key.Create("A\\B");
  Editor().LoadFromItem(TCleanRegistry("name", kClassesRoot, 0, "typed", "Kept"));
  const HTREEITEM b = ExpandDown("HKEY_CURRENT_USER", key.Sub("A\\B"));
  ASSERT_NE(b, nullptr);
  const int result = ShowWith(Editor(), {
      Click(Editor().SelectKeyNameButton()),
      [b] { Tree().Select(b); }, // inside the key selector
      Post(Keys().Handle(), WM_COMMAND, IDOK),
      [this] {
        EXPECT_EQ(Editor().KeyName(), "\\" + key.Sub("A\\B")) << "one leading \\, none at the end";
        EXPECT_EQ(GetFocus(), Editor().KeyNameEdit()) << "the focus goes to the key name";
        EXPECT_EQ(Root(), Editor().CurrentUserRadioButton());
        EXPECT_EQ(SubKind(), Editor().RegistryItemRadioButton()) << "the kind is left alone";
        EXPECT_EQ(Editor().ValueName(), "Kept") << "and so is the value name";
      },
      Post(Editor().Handle(), WM_COMMAND, IDOK),
  });
  EXPECT_EQ(result, kModalResultOK);
}

TEST_F(RegistryItemEditor, PickingATopLevelNodeEmptiesThePathAndCancelChangesNothing) {
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 1, "\\Software", ""));
  const HTREEITEM machine = Child(nullptr, "HKEY_LOCAL_MACHINE");
  ShowWith(Editor(), {
      Click(Editor().SelectKeyNameButton()),
      [machine] { Tree().Select(machine); },
      Post(Keys().Handle(), WM_COMMAND, IDCANCEL),
      [] {
        EXPECT_EQ(Editor().KeyName(), "\\Software") << "Cancel changes nothing";
        EXPECT_EQ(Root(), Editor().CurrentUserRadioButton());
      },
      Click(Editor().SelectKeyNameButton()),
      Post(Keys().Handle(), WM_COMMAND, IDOK), // the selection survived the last use
      [] {
        EXPECT_EQ(Editor().KeyName(), "");
        EXPECT_EQ(Root(), Editor().LocalMachineRadioButton());
      },
      Post(Editor().Handle(), WM_COMMAND, IDCANCEL),
  });
}

TEST_F(RegistryItemEditor, TheValueButtonListsTheKeysValuesAndPutsThePickedName) {
  key.SetTypedValue("", "First", REG_SZ, std::string("one\0", 4));
  key.SetTypedValue("", "Second", REG_DWORD, std::string("\2\0\0\0", 4));
  // The root key comes from the buttons, never from the text.
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 0, key.Path(), "old"));
  std::string picked;
  ShowWith(Editor(), {
      Click(Editor().SelectValueNameButton()),
      [&picked] {
        ASSERT_TRUE(TControl(Values().Handle()).Visible()) << "the value selector is shown";
        ASSERT_EQ(ValueList().RowCount(), 2);
        ValueList().SelectRow(1);
        picked = ValueList().Cell(1, 0);
      },
      Post(Values().Handle(), WM_COMMAND, IDOK),
      [&picked] {
        EXPECT_EQ(Editor().ValueName(), picked);
        EXPECT_EQ(GetFocus(), Editor().ValueNameEdit()) << "the focus goes to the value name";
      },
      Click(Editor().SelectValueNameButton()),
      Post(Values().Handle(), WM_COMMAND, IDCANCEL),
      [&picked] { EXPECT_EQ(Editor().ValueName(), picked) << "Cancel changes nothing"; },
      Post(Editor().Handle(), WM_COMMAND, IDCANCEL),
  });
  EXPECT_FALSE(picked.empty());
}

TEST_F(RegistryItemEditor, AMissingKeySaysSoAndChangesNoField) {
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 0, key.Sub("Missing"), "Kept"));
  MessageBoxSeen box;
  ShowWith(Editor(), {
      Click(Editor().SelectValueNameButton()),
      box.AnswerWith(IDOK),
      Post(Editor().Handle(), WM_COMMAND, IDCANCEL),
  });
  ASSERT_TRUE(box.Appeared);
  EXPECT_EQ(box.Caption, "Error");
  EXPECT_EQ(box.Text, "Sorry, the key doesn't exists, you can enter the item name manually");
  EXPECT_TRUE(box.HasErrorIcon);
  EXPECT_EQ(Editor().ValueName(), "Kept");
  EXPECT_FALSE(TControl(Values().Handle()).Visible());
}

TEST_F(RegistryItemEditor, AKeyTheUserMayOnlyReadListsItsValues) {
  key.SetTypedValue("Locked", "Inside", REG_SZ, std::string("x\0", 2));
  const ReadOnlyKey locked(key, "Locked");
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 0, key.Sub("Locked"), ""));
  ShowWith(Editor(), {
      Click(Editor().SelectValueNameButton()),
      [] {
        ASSERT_TRUE(TControl(Values().Handle()).Visible()) << "no error: the key opens for reading";
        ASSERT_EQ(ValueList().RowCount(), 1);
        EXPECT_EQ(ValueList().Cell(0, 0), "Inside");
      },
      Post(Values().Handle(), WM_COMMAND, IDCANCEL),
      Post(Editor().Handle(), WM_COMMAND, IDCANCEL),
  });
}

TEST_F(RegistryItemEditor, AnEmptyPathListsTheRootKeysOwnValues) {
  // A value directly under HKEY_CURRENT_USER, made and removed by this test.
  const std::string name = "VarnexTestsRootValue" + std::to_string(GetCurrentProcessId());
  ASSERT_EQ(RegSetValueExA(HKEY_CURRENT_USER, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>("x"), 2),
            ERROR_SUCCESS);
  Editor().LoadFromItem(TCleanRegistry("name", kCurrentUser, 0, "", ""));
  std::vector<std::string> listed;
  ShowWith(Editor(), {
      Click(Editor().SelectValueNameButton()),
      [&listed] {
        for (int row = 0; row < ValueList().RowCount(); ++row) listed.push_back(ValueList().Cell(row, 0));
      },
      Post(Values().Handle(), WM_COMMAND, IDCANCEL),
      Post(Editor().Handle(), WM_COMMAND, IDCANCEL),
  });
  RegDeleteValueA(HKEY_CURRENT_USER, name.c_str());
  EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end());
}

} // namespace
