#pragma once
// Runs one step inside the modal loop of the dialog that a command is about to show,
// once that loop has emptied the queue (a timer message comes only then), and closes
// the dialog with Cancel afterwards if the step left it open, so a failing test ends.

#include <windows.h>

#include <functional>

class ModalStep {
public:
  ModalStep(HWND dialog, std::function<void()> step) : FDialog(dialog), FStep(std::move(step)) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 20, &ModalStep::Tick);
  }
  ~ModalStep() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  bool Ran() const { return FRan; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalStep* self = Current;
    if (self == nullptr || !IsWindowVisible(self->FDialog)) return;
    if (!self->FRan) {
      self->FRan = true;
      self->FStep();
    } else {
      PostMessageA(self->FDialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
  static inline ModalStep* Current = nullptr;
  HWND FDialog;
  std::function<void()> FStep;
  UINT_PTR FTimer = 0;
  bool FRan = false;
};
