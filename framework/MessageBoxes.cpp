#include "framework/MessageBoxes.h"

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

bool ConfirmBox(HWND owner, const std::string& question) {
  return MessageBoxA(owner, question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WarningBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
}
