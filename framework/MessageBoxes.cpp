#include "framework/MessageBoxes.h"

namespace {
std::string& Title() {
  static std::string title;
  return title;
}
} // namespace

void SetApplicationTitle(const std::string& title) { Title() = title; }

const std::string& ApplicationTitle() { return Title(); }

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

bool ConfirmBox(HWND owner, const std::string& question) {
  return MessageBoxA(owner, question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WarningBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
}
