#include "app/Application.h"

#include "app/VarnexFormUnit.h"

#include <windows.h>

void CreateApplicationWindows() {
  // The main window comes first and so becomes the main window of the program; the
  // dialogs follow it in the order of their commands' arrival.
  VarnexForm = new TVarnexForm();
}

void DestroyApplicationWindows() {
  delete VarnexForm;
  VarnexForm = nullptr;
}

int RunMessageLoop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The main window's shortcuts work wherever the focus is inside it, but not in
    // the dialogs, whose own keys they would take.
    if (VarnexForm != nullptr && VarnexForm->Handle() != nullptr &&
        GetAncestor(message.hwnd, GA_ROOT) == VarnexForm->Handle() &&
        TranslateAcceleratorA(VarnexForm->Handle(), VarnexForm->Accelerators(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
