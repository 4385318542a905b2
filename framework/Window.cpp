#include "framework/Window.h"

#include "framework/MessageBoxes.h"
#include "framework/SysError.h"

#include <exception>

TWindow::~TWindow() {
  if (FHandle != nullptr) {
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
}

void TWindow::RegisterClassOnce(const char* className, HICON icon) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &TWindow::WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  if (!RegisterClassExA(&windowClass))
    throw ECommandError("Cannot register window class: " + SysErrorMessage(GetLastError()));
}

void TWindow::CreateHandle(const char* className, const char* title, DWORD style, int width,
                           int height, HMENU menu) {
  // Centred on the work area of the primary screen.
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  const int x = workArea.left + (workArea.right - workArea.left - width) / 2;
  const int y = workArea.top + (workArea.bottom - workArea.top - height) / 2;
  const HWND created = CreateWindowExA(0, className, title, style, x, y, width, height, nullptr,
                                       menu, GetModuleHandleA(nullptr), this);
  if (created == nullptr)
    throw ECommandError("Cannot create window: " + SysErrorMessage(GetLastError()));
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->FHandle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->FHandle = nullptr;
    }
    return result;
  } catch (const std::exception& error) {
    ShowErrorBox(window, error.what());
  } catch (...) {
    ShowErrorBox(window, "Unexpected error");
  }
  return 0;
}
