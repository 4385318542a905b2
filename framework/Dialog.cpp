#include "framework/Dialog.h"

#include "framework/MessageBoxes.h"
#include "framework/SysError.h"

#include <exception>
#include <vector>

TDialog::~TDialog() {
  if (FHandle != nullptr) {
    SetWindowLongPtrA(FHandle, DWLP_USER, 0);
    DestroyWindow(FHandle);
  }
}

void TDialog::CreateFromTemplate(int templateId, HWND owner) {
  const HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                          owner, &TDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (created == nullptr)
    throw ECommandError("Cannot create dialog: " + SysErrorMessage(GetLastError()));
}

void TDialog::SetClientSizeCentred(int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_EXSTYLE)));
  const int frameWidth = frame.right - frame.left;
  const int frameHeight = frame.bottom - frame.top;
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  SetWindowPos(FHandle, nullptr, workArea.left + (workArea.right - workArea.left - frameWidth) / 2,
               workArea.top + (workArea.bottom - workArea.top - frameHeight) / 2, frameWidth,
               frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::PlaceControls(std::initializer_list<ControlPlacement> placements) {
  for (const ControlPlacement& place : placements)
    MoveWindow(GetDlgItem(FHandle, place.Id), place.Left, place.Top, place.Width, place.Height,
               FALSE);
}

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}
} // namespace

int TDialog::ShowModal() {
  // Every other window of the thread is disabled, not only the owner: a dialog shown
  // from another dialog (the System Folders dialog from an editor) must block that
  // one too, though both belong to the main window.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, FHandle);
  for (const HWND window : disabled) EnableWindow(window, FALSE);

  FModalResult = kModalResultNone;
  ShowWindow(FHandle, SW_SHOW);
  if (const HWND first = GetNextDlgTabItem(FHandle, nullptr, FALSE)) SetFocus(first);
  FormShow();

  MSG message{};
  while (FModalResult == kModalResultNone) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) { // WM_QUIT belongs to the outer loop
      PostQuitMessage(static_cast<int>(message.wParam));
      FModalResult = kModalResultCancel;
      break;
    }
    if (got < 0) {
      FModalResult = kModalResultCancel;
      break;
    }
    if (!IsDialogMessageA(FHandle, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  // The windows are enabled before the dialog hides, so that the activation goes back
  // to the window that showed it. A window destroyed meanwhile is skipped.
  for (auto window = disabled.rbegin(); window != disabled.rend(); ++window)
    if (IsWindow(*window)) EnableWindow(*window, TRUE);
  ShowWindow(FHandle, SW_HIDE);
  return FModalResult;
}

bool TDialog::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR TDialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND:
    if (LOWORD(wParam) == IDOK)
      OnOK();
    else if (LOWORD(wParam) == IDCANCEL)
      OnCancel();
    else
      OnCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  case WM_CLOSE: // the close box and the system menu's Close
    OnCancel();
    return TRUE;
  case WM_NOTIFY:
    // A dialog procedure answers a notification through DWLP_MSGRESULT.
    SetWindowLongPtrA(FHandle, DWLP_MSGRESULT, OnNotify(*reinterpret_cast<const NMHDR*>(lParam)));
    return TRUE;
  default:
    return FALSE;
  }
}

INT_PTR CALLBACK TDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TDialog*>(lParam);
    self->FHandle = dialog;
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  try {
    if (message == WM_INITDIALOG) {
      self->FormCreate();
      return FALSE; // no focus yet: a hidden dialog that takes the focus becomes active
    }
    INT_PTR result = FALSE;
    if (!self->HandleMessage(message, wParam, lParam, result))
      result = self->Route(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      self->FHandle = nullptr;
    }
    return result;
  } catch (const std::exception& error) {
    ShowErrorBox(dialog, error.what());
  } catch (...) {
    ShowErrorBox(dialog, "Unexpected error");
  }
  return FALSE;
}
