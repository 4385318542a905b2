#include "tests/app/FakeHelpControl.h"

#include <cstring>

namespace {
FakeHelpCall Calls[kFakeHelpMaxCalls];
int CallCount = 0;
constexpr DWORD kCookie = 0x600D;
constexpr UINT kInitialize = 0x001C;
} // namespace

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR file, UINT command,
                                                       DWORD_PTR data) {
  if (CallCount < kFakeHelpMaxCalls) {
    FakeHelpCall& call = Calls[CallCount++];
    call.Command = command;
    call.Data = data;
    call.File[0] = 0;
    if (file) std::strncat(call.File, file, sizeof call.File - 1);
  }
  // The real control hands back its cookie through the pointer it is given.
  if (command == kInitialize && data) *reinterpret_cast<DWORD*>(data) = kCookie;
  return nullptr;
}

extern "C" __declspec(dllexport) const FakeHelpCall* RecordedCalls(int* count) {
  *count = CallCount;
  return Calls;
}
