#pragma once
// Steps that a test runs inside the program's own message loop, with its shortcuts,
// each once the program's window in front is ready for input again: the dialogs it
// opened that the scripted user answers have closed.

#include "app/CheckPlugInFormUnit.h"
#include "app/PlugInPropsFormUnit.h"
#include "app/PlugInTypeSelectFormUnit.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedUser.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

class ProgramLoop : public AppWindows {
protected:
  using Step = std::function<void()>;

  void Run(std::deque<Step> steps) {
    std::vector<HWND> own = {VarnexForm->Handle(),       PlugInTypeSelectForm->Handle(),
                             RegItemEditor->Handle(),    RegKeySelector->Handle(),
                             RegValueSelector->Handle(), FilenameEditor->Handle(),
                             FolderEditor->Handle(),     FolderViewForm->Handle(),
                             MaskEditor->Handle(),       PlugInPropsForm->Handle(),
                             CheckPlugInForm->Handle()};
    user.IgnoreAlways(own);
    steps.push_back([] { PostQuitMessage(0); });
    // Every step starts with no key held: a shortcut's modifier is held only until
    // its key has been handled.
    BYTE released[256];
    GetKeyboardState(released);
    for (Step& step : steps)
      step = [step = std::move(step), keys = std::vector<BYTE>(released, released + 256)]() mutable {
        SetKeyboardState(keys.data());
        step();
      };
    ModalScript script(std::move(steps));
    script.RunWhen = [own] {
      const HWND front = GetActiveWindow();
      return IsWindowEnabled(front) && std::find(own.begin(), own.end(), front) != own.end();
    };
    RunMessageLoop();
    EXPECT_TRUE(script.Finished()) << "the program closed before every step had run";
  }
  // Keys as a user presses them, to whatever has the focus.
  static Step Key(WPARAM key) {
    return [key] {
      PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
      PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    };
  }
  // A key with a modifier held (VK_CONTROL, VK_SHIFT), as the accelerators see it.
  static Step Shortcut(int modifier, WPARAM key) {
    return [modifier, key] {
      BYTE keys[256];
      GetKeyboardState(keys);
      keys[modifier] = 0x80;
      SetKeyboardState(keys);
      PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    };
  }
  static Step Click(const TDialog* dialog, int id) {
    return [dialog, id] { PostMessageA(GetDlgItem(dialog->Handle(), id), BM_CLICK, 0, 0); };
  }
  // Goes to the edit, presses End (the edit selects its whole text when it gets the
  // focus) and types.
  static Step Type(const TDialog* dialog, int id, std::string text) {
    return [dialog, id, text] {
      const HWND edit = GetDlgItem(dialog->Handle(), id);
      SetFocus(edit);
      SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
      for (const char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    };
  }
  // The command as its menu entry sends it.
  static Step Command(UINT id) {
    return [id] { PostMessageA(VarnexForm->Handle(), WM_COMMAND, id, 0); };
  }

  ScriptedUser user;
};
