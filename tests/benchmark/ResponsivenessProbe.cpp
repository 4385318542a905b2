#include "tests/benchmark/ResponsivenessProbe.h"

#include <stdexcept>

namespace {

constexpr UINT kProbeMessage = WM_APP + 1;
constexpr char kProbeClass[] = "VarnexResponsivenessProbe";
constexpr DWORD kPauseMs = 10;

LONGLONG Now() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

} // namespace

ResponsivenessProbe::ResponsivenessProbe() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kProbeClass;
  RegisterClassA(&windowClass); // fails harmlessly once the class exists
  FWindow = CreateWindowExA(0, kProbeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), this);
  FAnswered.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!FWindow || !FAnswered) throw std::runtime_error("Cannot make the responsiveness probe");
  FStart = Now();
  FThread.reset(CreateThread(nullptr, 0, &PostLoop, this, 0, nullptr));
  if (!FThread) throw std::runtime_error("Cannot start the responsiveness probe");
}

ResponsivenessProbe::~ResponsivenessProbe() {
  FStopping.store(true);
  // The probe thread may wait for an answer that only this thread's loop gives.
  const HANDLE thread = FThread.get();
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  DestroyWindow(FWindow);
}

ResponsivenessProbe::Result ResponsivenessProbe::Results() const {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  const auto ticksPerSecond = static_cast<double>(frequency.QuadPart);
  return Result{1000.0 * static_cast<double>(FLongestTicks) / ticksPerSecond,
                static_cast<double>(FLongestAt - FStart) / ticksPerSecond, FAnswers};
}

LRESULT CALLBACK ResponsivenessProbe::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == kProbeMessage) {
    reinterpret_cast<ResponsivenessProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Answer();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ResponsivenessProbe::Answer() {
  const LONGLONG now = Now();
  const LONGLONG postedAt = FPostedAt.load();
  if (now - postedAt > FLongestTicks) {
    FLongestTicks = now - postedAt;
    FLongestAt = now;
  }
  ++FAnswers;
  SetEvent(FAnswered.get());
}

DWORD WINAPI ResponsivenessProbe::PostLoop(void* parameter) {
  auto& probe = *static_cast<ResponsivenessProbe*>(parameter);
  while (!probe.FStopping.load()) {
    // The time goes beside the message, not in it: a 32-bit LPARAM cannot hold it. One
    // message is out at a time, so it is the time of the message answered.
    probe.FPostedAt.store(Now());
    PostMessageA(probe.FWindow, kProbeMessage, 0, 0);
    // Not waited for without end: a thread that stopped answering shows as a long
    // answer when it answers at last, and the probe must still end with its owner.
    while (WaitForSingleObject(probe.FAnswered.get(), 50) == WAIT_TIMEOUT)
      if (probe.FStopping.load()) return 0;
    Sleep(kPauseMs);
  }
  return 0;
}
