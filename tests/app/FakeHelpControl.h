#pragma once
// A stand-in for the HTML Help control that records every call of its HtmlHelpA, so
// that a test can see what the program asks of the control and how often.

#include <windows.h>

struct FakeHelpCall {
  UINT Command;
  DWORD_PTR Data;
  char File[64]; // the start of the file argument, "" for none
};

constexpr int kFakeHelpMaxCalls = 16;

// Exported by FakeHelpControl.dll: the calls so far, in order, and their count.
using FakeHelpRecordedCalls = const FakeHelpCall* (*)(int* count);
