#pragma once
// The message boxes of the program: the standard error box that ends a failed
// command, confirmation questions with Yes and No, and warnings.

#include <windows.h>

#include <string>

// The program names itself once at start; its title is the caption of the error box.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

void ShowErrorBox(HWND owner, const std::string& text);
// True when the user answers Yes.
bool ConfirmBox(HWND owner, const std::string& question);
void WarningBox(HWND owner, const std::string& text);
