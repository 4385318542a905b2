#pragma once
// Every window of the program, made as the start-up sequence makes them, for the tests
// that drive a command of the main window through its real dialogs.

#include "app/Application.h"
#include "app/VarnexFormUnit.h"
#include "framework/Controls.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

class AppWindows : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
    CreateApplicationWindows();
    VarnexForm->Show({});
  }
  void TearDown() override {
    DestroyApplicationWindows();
    SysFolderList.reset();
    // Closing the main window ends the program's loop; the tests go on.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }
  static void Command(UINT id) { SendMessageA(VarnexForm->Handle(), WM_COMMAND, id, 0); }
  static std::string Text(HWND window) { return TControl(window).Text(); }
  // A control's rectangle in its dialog's client area: left, top, width, height.
  static RECT Placement(HWND control) { return TControl(control).Placement(); }
  static SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
  }
};

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << " x " << r.bottom << "}";
}
