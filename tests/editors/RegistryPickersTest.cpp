// The key and value selectors on the real registry, driven as a user drives them.

#include "tests/editors/RegistryEditorsFixture.h"
#include "tests/support/Wow64Key.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(RegistryEditors, TheKeySelectorIsAResizableWindowWithoutSystemMenuAndFiveRootKeys) {
  const HWND window = Keys().Handle();
  EXPECT_EQ(TControl(window).Text(), "Registry Key Selector");
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME) << "resizable";
  EXPECT_FALSE(style & WS_SYSMENU) << "no buttons on its title bar";
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 371);
  EXPECT_EQ(outer.bottom - outer.top, 399);

  // The tree fills the window inside a 5-pixel border, above a 35-pixel button panel
  // whose right end holds OK and then Cancel.
  RECT client{};
  GetClientRect(window, &client);
  const RECT tree = Tree().Placement();
  EXPECT_EQ(tree.left, 5);
  EXPECT_EQ(tree.top, 5);
  EXPECT_EQ(tree.right, client.right - 10) << "the width";
  EXPECT_EQ(tree.bottom, client.bottom - 10 - 35) << "the height";
  const RECT ok = TControl(Keys().OKButton()).Placement();
  const RECT cancel = TControl(Keys().CancelButton()).Placement();
  EXPECT_GE(ok.left, client.right - 5 - 161) << "in the panel at the right end";
  EXPECT_LT(ok.left + ok.right, cancel.left) << "OK left of Cancel";
  EXPECT_LE(cancel.left + cancel.right, client.right - 5);
  EXPECT_GE(ok.top, client.bottom - 5 - 35);
  EXPECT_EQ(TControl(Keys().OKButton()).Text(), "&OK");
  EXPECT_EQ(TControl(Keys().CancelButton()).Text(), "&Cancel");
  EXPECT_TRUE(GetWindowLongPtrA(Keys().OKButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // Resizing keeps the layout: the tree grows with the window.
  SetWindowPos(window, nullptr, 0, 0, 500, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(window, &client);
  EXPECT_EQ(Tree().Placement().right, client.right - 10);
  EXPECT_EQ(Tree().Placement().bottom, client.bottom - 45);

  EXPECT_EQ(ChildTexts(nullptr), (Texts{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                        "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"}));
  for (const HTREEITEM root : Tree().Children(nullptr)) {
    EXPECT_EQ(Tree().NodeImage(root), 0) << "a closed folder";
    EXPECT_EQ(Tree().NodeSelectedImage(root), 1) << "an open folder while selected";
    const HTREEITEM placeholder = Tree().FirstChild(root);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(Tree().NodeText(placeholder), "Loading...");
    EXPECT_EQ(Tree().NodeSelectedImage(placeholder), 0);
  }
  EXPECT_EQ(Tree().Selected(), nullptr) << "no node selected at first";
  EXPECT_EQ(TreeView_GetIndent(Tree().Handle()), 19u);
  EXPECT_FALSE(GetWindowLongPtrA(Tree().Handle(), GWL_STYLE) & TVS_EDITLABELS);
  EXPECT_NE(TreeView_GetImageList(Tree().Handle(), TVSIL_NORMAL), nullptr);
}

TEST_F(RegistryEditors, AFirstExpansionListsTheSubkeysInRegistryOrderAndALaterOneReadsNothing) {
  key.Create("Beta");
  key.Create("Alpha\\Deeper");
  key.Create("Gamma");
  const HTREEITEM node = ExpandDown("HKEY_CURRENT_USER", key.Path());
  ASSERT_NE(node, nullptr) << "the test key was not found in the tree";
  UserExpand(node);

  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  EXPECT_EQ(ChildTexts(node), registry.GetKeyNames()) << "the registry's own order";
  EXPECT_EQ(ChildTexts(node).size(), 3u);
  for (const HTREEITEM child : Tree().Children(node)) {
    EXPECT_EQ(ChildTexts(child), (Texts{"Loading..."})) << "an expand button, not yet read";
    EXPECT_EQ(Tree().NodeImage(child), 0);
    EXPECT_EQ(Tree().NodeSelectedImage(child), 1);
  }

  key.Create("Delta"); // made after the first expansion
  UserCollapse(node);
  UserExpand(node);
  EXPECT_TRUE(Tree().Expanded(node));
  EXPECT_EQ(ChildTexts(node).size(), 3u) << "a loaded key is never read again";
  EXPECT_EQ(Child(node, "Delta"), nullptr);
}

TEST_F(RegistryEditors, AKeyWithoutSubkeysLosesItsExpandButton) {
  key.Create("Leaf");
  const HTREEITEM leaf = ExpandDown("HKEY_CURRENT_USER", key.Sub("Leaf"));
  ASSERT_NE(leaf, nullptr);
  ASSERT_TRUE(Tree().NodeHasChildren(leaf)) << "before it is read, it may have subkeys";
  UserExpand(leaf);
  EXPECT_TRUE(Tree().Children(leaf).empty());
  EXPECT_FALSE(Tree().NodeHasChildren(leaf)) << "no expand button";
}

TEST_F(RegistryEditors, AKeyTheUserMayOnlyReadStillListsItsSubkeys) {
  key.Create("Locked\\Inside");
  const ReadOnlyKey locked(key, "Locked");
  {
    unique_hkey refused;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Sub("Locked").c_str(), 0, KEY_ALL_ACCESS,
                            refused.put()),
              ERROR_ACCESS_DENIED)
        << "the key must refuse all access for this test to mean anything";
    refused.release();
  }
  const HTREEITEM node = ExpandDown("HKEY_CURRENT_USER", key.Sub("Locked"));
  ASSERT_NE(node, nullptr);
  UserExpand(node);
  EXPECT_EQ(ChildTexts(node), (Texts{"Inside"}));
}

TEST_F(RegistryEditors, TheNodePathHasOneLeadingBackslashAndTheRootKeyComesFromTheTopNode) {
  key.Create("A\\B\\C");
  const HTREEITEM users = Child(nullptr, "HKEY_USERS");
  std::string path;
  Keys().GetNodeKeyPath(users, path);
  EXPECT_EQ(path, "") << "a top-level node has no path";
  EXPECT_EQ(Keys().GetNodeRootKey(users), 0x80000003u);
  EXPECT_EQ(Keys().GetNodeRootKey(Child(nullptr, "HKEY_CLASSES_ROOT")), 0x80000000u);
  EXPECT_EQ(Keys().GetNodeRootKey(Child(nullptr, "HKEY_LOCAL_MACHINE")), 0x80000002u);
  EXPECT_EQ(Keys().GetNodeRootKey(Child(nullptr, "HKEY_CURRENT_CONFIG")), 0x80000005u);

  const HTREEITEM c = ExpandDown("HKEY_CURRENT_USER", key.Sub("A\\B\\C"));
  ASSERT_NE(c, nullptr);
  path.clear();
  Keys().GetNodeKeyPath(c, path);
  EXPECT_EQ(path, "\\" + key.Sub("A\\B\\C"));
  EXPECT_EQ(Keys().GetNodeRootKey(c), 0x80000001u) << "from the top-level ancestor";

  TRegistry registry(KEY_READ);
  std::string opened;
  EXPECT_TRUE(Keys().GetNodeKeyPath(c, opened, &registry)) << "the composed path opens";
  EXPECT_TRUE(registry.HasCurrentKey());
}

TEST_F(RegistryEditors, OKAndCancelCloseTheKeySelectorAndTheSelectionStaysForTheNextUse) {
  const HTREEITEM user = Child(nullptr, "HKEY_CURRENT_USER");
  const int result = ShowWith(Keys(), {
      [] {
        EXPECT_EQ(GetFocus(), Tree().Handle()) << "the tree has the focus";
        EXPECT_NE(Tree().Selected(), nullptr) << "and so a node is selected";
      },
      [user] { Tree().Select(user); },
      Post(Tree().Handle(), WM_KEYDOWN, VK_RETURN),
  });
  EXPECT_EQ(result, kModalResultOK);
  EXPECT_EQ(Keys().SelectedNode(), user);
  EXPECT_EQ(ShowWith(Keys(), {Post(Tree().Handle(), WM_KEYDOWN, VK_ESCAPE)}), kModalResultCancel);
  EXPECT_EQ(Keys().SelectedNode(), user) << "kept from one use to the next";
}

// Values of every kind that the list renders, in a key of their own.
void MakeValuesOfEveryType(const TestKey& key) {
  key.SetTypedValue("", "", REG_SZ, std::string("default\0", 8));
  key.SetTypedValue("", "Text", REG_SZ, std::string("abc\0hidden\0", 11));
  key.SetTypedValue("", "Path", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
  key.SetTypedValue("", "Empty", REG_SZ, "");
  key.SetTypedValue("", "Minus", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4));
  key.SetTypedValue("", "Count", REG_DWORD, std::string("\x2A\0\0\0", 4));
  key.SetTypedValue("", "Blob", REG_BINARY, std::string("\1\2\3", 3));
  key.SetTypedValue("", "Lines", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  key.SetTypedValue("", "Big", REG_QWORD, std::string(8, '\1'));
  key.SetTypedValue("", "Raw", REG_NONE, "x");
  key.SetTypedValue("", "Caf\xe9", REG_SZ, std::string("na\xefve\0", 6));
}

TEST_F(RegistryEditors, TheValueListShowsEachValueInRegistryOrderRenderedByType) {
  MakeValuesOfEveryType(key);
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  const std::vector<std::string> names = registry.GetValueNames();
  ValueList().AddRow("left from the last use");
  Values().FillValueList(registry, names);

  ASSERT_EQ(ValueList().RowCount(), static_cast<int>(names.size())) << "emptied, then filled";
  std::map<std::string, std::string> cells;
  for (int row = 0; row < ValueList().RowCount(); ++row) {
    EXPECT_EQ(ValueList().Cell(row, 0), names[static_cast<std::size_t>(row)]) << "in enumeration order";
    cells[ValueList().Cell(row, 0)] = ValueList().Cell(row, 1);
  }
  EXPECT_EQ(cells[""], "default") << "the default value is a row with an empty name";
  EXPECT_EQ(cells["Text"], "abc") << "up to the first zero";
  EXPECT_EQ(cells["Path"], "%TEMP%\\x") << "shown unexpanded";
  EXPECT_EQ(cells["Empty"], "");
  EXPECT_EQ(cells["Minus"], "-1");
  EXPECT_EQ(cells["Count"], "42");
  EXPECT_EQ(cells["Blob"], "(binary data)");
  EXPECT_EQ(cells["Lines"], "");
  EXPECT_EQ(cells["Big"], "");
  EXPECT_EQ(cells["Raw"], "");
  EXPECT_EQ(cells["Caf\xe9"], "na\xefve") << "names and texts above 0x7F come back as they are";
  EXPECT_EQ(ValueList().SelectedRow(), -1) << "no row selected when it opens";
}

TEST_F(RegistryEditors, AValueThatIsNamedButNoLongerThereEndsTheFillWithItsName) {
  key.SetTypedValue("", "Present", REG_SZ, std::string("x\0", 2));
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  try {
    Values().FillValueList(registry, {"Present", "Gone"});
    FAIL() << "the missing value was not reported";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'Gone'");
  }
}

TEST_F(RegistryEditors, TheValueSelectorHasItsSizeColumnsAndAnUnsortedSingleSelectionList) {
  const HWND window = Values().Handle();
  EXPECT_EQ(TControl(window).Text(), "RegValueSelector");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 267);
  EXPECT_EQ(client.bottom, 246);
  EXPECT_EQ(ValueList().ColumnCount(), 2);
  EXPECT_EQ(ValueList().ColumnWidth(0), 80);
  EXPECT_EQ(ValueList().ColumnWidth(1), 160);
  const LONG_PTR style = GetWindowLongPtrA(ValueList().Handle(), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS));
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(ValueList().Handle()) & LVS_EX_FULLROWSELECT);
  const RECT list = ValueList().Placement();
  EXPECT_EQ(list.left, 5);
  EXPECT_EQ(list.top, 5);
  EXPECT_EQ(list.bottom, 246 - 10 - 38) << "above a 38-pixel button panel";
}

TEST_F(RegistryEditors, OKWithoutARowSaysSoAndKeepsTheValueSelectorOpen) {
  key.SetTypedValue("", "One", REG_SZ, std::string("1\0", 2));
  key.SetTypedValue("", "Two", REG_SZ, std::string("2\0", 2));
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  Values().FillValueList(registry, registry.GetValueNames());

  MessageBoxSeen box;
  const int result = ShowWith(Values(), {
      Post(ValueList().Handle(), WM_KEYDOWN, VK_RETURN),
      box.AnswerWith(IDOK), // runs inside the message box's own loop
      [] { EXPECT_TRUE(TControl(Values().Handle()).Visible()) << "still open"; },
      [] { ValueList().SelectRow(1); },
      Post(Values().Handle(), WM_COMMAND, IDOK),
  });
  EXPECT_EQ(result, kModalResultOK);
  EXPECT_EQ(Values().SelectedValueName(), ValueList().Cell(1, 0));
  EXPECT_EQ(box.Caption, "Error");
  EXPECT_EQ(box.Text, "Please select a value name!");
  EXPECT_TRUE(box.HasErrorIcon);
}

TEST_F(RegistryEditors, ADoubleClickOnAValueRowDoesNothingOfItsOwn) {
  key.SetTypedValue("", "One", REG_SZ, std::string("1\0", 2));
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path()));
  Values().FillValueList(registry, registry.GetValueNames());
  const int result = ShowWith(Values(), {
      [] {
        const RECT row = ValueList().RowRect(0);
        const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
        const HWND list = ValueList().Handle();
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
      },
      [] {
        EXPECT_TRUE(TControl(Values().Handle()).Visible()) << "a double click does not close it";
        EXPECT_EQ(ValueList().SelectedRow(), 0);
      },
      Post(Values().Handle(), WM_COMMAND, IDCANCEL),
  });
  EXPECT_EQ(result, kModalResultCancel);
}

} // namespace

TEST_F(RegistryEditors, TheKeySelectorShowsTheKeysThatA32BitCleanerFinds) {
  // The same path in the two views of 64-bit Windows: a 32-bit program, as the editor
  // and the cleaner are, names the WOW6432Node one.
  const Wow64Key machineKey;
  machineKey.SetValue(KEY_WOW64_64KEY, "Seen64", "v", 1);
  machineKey.SetValue(KEY_WOW64_32KEY, "Seen32", "v", 1);
  const HTREEITEM node = ExpandDown("HKEY_LOCAL_MACHINE", machineKey.Path());
  ASSERT_NE(node, nullptr) << "the test key was not found in the tree";
  UserExpand(node);
  EXPECT_EQ(ChildTexts(node), Texts{"Seen32"});
}
