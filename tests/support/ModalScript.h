#pragma once
// Steps that run inside the modal loop of the dialog that a test shows.

#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

// Steps that run one after the other inside the dialog's modal loop, each once the
// messages that the step before posted have been handled (a timer message comes only
// when the queue is empty). A dialog still open after the last step is closed, so a
// failing test ends instead of hanging.
class ModalScript {
public:
  explicit ModalScript(std::deque<std::function<void()>> steps) : FSteps(std::move(steps)) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 20, &ModalScript::Tick);
  }
  ~ModalScript() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  bool Finished() const { return FSteps.empty(); }
  // When set, a step runs only while this holds: for a test whose steps must wait
  // until the dialogs that another answers have closed.
  std::function<bool()> RunWhen;
  // The dialogs to close when the steps are done, innermost first: one a tick, so
  // that a dialog shown from another closes before it.
  std::vector<HWND> Fallbacks;

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* self = Current;
    if (self == nullptr) return;
    if (self->FSteps.empty()) {
      for (const HWND dialog : self->Fallbacks)
        if (IsWindowVisible(dialog)) {
          PostMessageA(dialog, WM_CLOSE, 0, 0);
          break;
        }
      return;
    }
    if (self->RunWhen && !self->RunWhen()) return;
    const auto step = std::move(self->FSteps.front());
    self->FSteps.pop_front();
    step();
  }
  static inline ModalScript* Current = nullptr;
  std::deque<std::function<void()>> FSteps;
  UINT_PTR FTimer = 0;
};
