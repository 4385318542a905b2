#pragma once
// The registry item editor and its two pickers, made from their templates as the
// start-up sequence makes them, over a test key of their own; and the ways a user
// reaches them: keys on the tree, steps inside a modal loop.

#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "framework/Controls.h"
#include "framework/UniqueHandle.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestKey.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <sstream>

class RegistryEditors : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    RegItemEditor = new TRegItemEditor(owner);
    RegKeySelector = new TRegKeySelector(owner);
    RegValueSelector = new TRegValueSelector(owner);
  }
  void TearDown() override {
    delete RegValueSelector;
    delete RegKeySelector;
    delete RegItemEditor;
    DestroyWindow(owner);
  }

  static TRegItemEditor& Editor() { return *RegItemEditor; }
  static TRegKeySelector& Keys() { return *RegKeySelector; }
  static TRegValueSelector& Values() { return *RegValueSelector; }
  static TTreeView Tree() { return TTreeView(Keys().RegKeyTreeView()); }
  static TListView ValueList() { return TListView(Values().RegValueListView()); }

  // The child of `parent` (null: the top level) with this text, or null.
  static HTREEITEM Child(HTREEITEM parent, const std::string& text) {
    for (const HTREEITEM child : Tree().Children(parent))
      if (Tree().NodeText(child) == text) return child;
    return nullptr;
  }
  static std::vector<std::string> ChildTexts(HTREEITEM parent) {
    std::vector<std::string> texts;
    for (const HTREEITEM child : Tree().Children(parent)) texts.push_back(Tree().NodeText(child));
    return texts;
  }
  // Expands or collapses the node with the keyboard, as a user does: the tree tells
  // its dialog before it expands.
  static void PressOn(HTREEITEM node, WPARAM key) {
    Tree().Select(node);
    SendMessageA(Tree().Handle(), WM_KEYDOWN, key, 0);
  }
  static void UserExpand(HTREEITEM node) { PressOn(node, VK_ADD); }
  static void UserCollapse(HTREEITEM node) { PressOn(node, VK_SUBTRACT); }
  // Expands the way down from the top-level node `root` through each name of
  // `path` ("Software\\VarnexTests\\..."), and returns the last node.
  static HTREEITEM ExpandDown(const std::string& root, const std::string& path) {
    HTREEITEM node = Child(nullptr, root);
    std::stringstream names(path);
    std::string name;
    while (node != nullptr && std::getline(names, name, '\\')) {
      UserExpand(node);
      node = Child(node, name);
    }
    return node;
  }

  // Shows the dialog modally while the steps run inside its loop; a dialog left open
  // is closed, the innermost first.
  static int ShowWith(TDialog& dialog, std::deque<std::function<void()>> steps) {
    ModalScript script(std::move(steps));
    script.Fallbacks = {RegValueSelector->Handle(), RegKeySelector->Handle(),
                        RegItemEditor->Handle()};
    const int result = dialog.ShowModal();
    EXPECT_TRUE(script.Finished()) << "the dialog closed before every step had run";
    return result;
  }
  static std::function<void()> Post(HWND window, UINT message, WPARAM wParam = 0) {
    return [=] { PostMessageA(window, message, wParam, 0); };
  }
  static std::function<void()> Click(HWND button) { return Post(button, BM_CLICK); }

  TestKey key;
  HWND owner = nullptr;
};

// What a message box said, read from inside its own modal loop by a step, which then
// answers it.
struct MessageBoxSeen {
  std::string Caption;
  std::string Text;
  bool HasErrorIcon = false;
  bool Appeared = false;

  std::function<void()> AnswerWith(int button) {
    return [this, button] {
      const HWND box = GetActiveWindow();
      char className[32] = {};
      GetClassNameA(box, className, sizeof className);
      if (std::string(className) != "#32770") return;
      Appeared = true;
      Caption = TControl(box).Text();
      Text = TControl(GetDlgItem(box, 0xFFFF)).Text(); // the box's text
      // The icon is a static control of its own, beside the text.
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) ==
            LoadIconA(nullptr, IDI_HAND))
          HasErrorIcon = true;
      PostMessageA(box, WM_COMMAND, button, 0);
    };
  }
};

// A key below the test key that everyone may read but nobody may change: a key such
// as a user who is not elevated finds under HKEY_LOCAL_MACHINE. Its owner may still
// give the rights back, which the destructor does so that the test key can go.
class ReadOnlyKey {
public:
  ReadOnlyKey(const TestKey& key, const std::string& relative) : FPath(key.Sub(relative)) {
    SetSecurity("D:P(A;;KR;;;WD)(A;;WD;;;WD)");
  }
  ~ReadOnlyKey() { SetSecurity("D:P(A;;KA;;;WD)"); }

private:
  void SetSecurity(const char* descriptor) const {
    PSECURITY_DESCRIPTOR security = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                                     &security, nullptr));
    unique_hkey open;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, WRITE_DAC, open.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(open.get(), DACL_SECURITY_INFORMATION, security), ERROR_SUCCESS);
    LocalFree(security);
  }
  std::string FPath;
};
