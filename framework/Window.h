#pragma once
// Base of the program's top-level windows: one window procedure that finds the
// object behind the handle and keeps exceptions from crossing back into Win32.
// An exception thrown by a handler ends that command and is shown in the standard
// error box, and the program goes on.

#include <windows.h>

class TWindow {
public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return FHandle; }

protected:
  // Registers the class once per process name; the class name must be unique.
  static void RegisterClassOnce(const char* className, HICON icon);
  // Creates the window; `this` is attached before the first message arrives.
  void CreateHandle(const char* className, const char* title, DWORD style, int width, int height,
                    HMENU menu);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(FHandle, message, wParam, lParam);
  }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
};
