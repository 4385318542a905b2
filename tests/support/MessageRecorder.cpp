#include "tests/support/MessageRecorder.h"

#include <chrono>

namespace {
constexpr const char* kClassName = "VarnexItemMessageRecorder";
}

MessageRecorder::MessageRecorder() {
  std::promise<HWND> created;
  std::future<HWND> window = created.get_future();
  FThread = std::thread([this, &created] { Run(created); });
  if (window.wait_for(std::chrono::seconds(20)) == std::future_status::ready)
    FWindow = window.get();
}

MessageRecorder::~MessageRecorder() {
  // The default handling of WM_CLOSE destroys the window on its own thread.
  if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
  FThread.join();
}

void MessageRecorder::OnMessage(std::function<void(const ReceivedMessage&)> action) {
  std::lock_guard<std::mutex> lock(FMutex);
  FOnMessage = std::move(action);
}

std::vector<ReceivedMessage> MessageRecorder::Messages() {
  std::lock_guard<std::mutex> lock(FMutex);
  return FReceived;
}

void MessageRecorder::Run(std::promise<HWND>& created) {
  static const ATOM registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MessageRecorder::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
  }();
  FThreadId = GetCurrentThreadId();
  HWND window = registered ? CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                             nullptr, GetModuleHandleA(nullptr), this)
                           : nullptr;
  created.set_value(window);
  if (!window) return;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

LRESULT CALLBACK MessageRecorder::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MessageRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  if (self && message >= WM_ITEM_TEXT && message <= WM_ITEM_REG_CLEANED) {
    self->Record(message, wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void MessageRecorder::Record(UINT message, WPARAM wParam, LPARAM lParam) {
  ReceivedMessage r;
  r.Message = message;
  r.WParam = wParam;
  r.Thread = GetCurrentThreadId();
  switch (message) {
  case WM_ITEM_TEXT:
  case WM_ITEM_SEARCH_PATH: r.Text = reinterpret_cast<const char*>(lParam); break;
  case WM_ITEM_FILE_FOUND: {
    const auto& found = *reinterpret_cast<const TSearchRec*>(lParam);
    r.Text = found.Name;
    r.Value = found.Size;
    r.Number = static_cast<std::uint32_t>(found.Attr);
    break;
  }
  case WM_ITEM_REG_FOUND: {
    const auto& found = *reinterpret_cast<const TRegItem*>(lParam);
    r.Text = found.KeyPath + "|" + found.ValueName;
    r.Value = found.DataSize;
    r.Number = found.RootKey;
    break;
  }
  case WM_ITEM_FILE_CLEANED: r.Value = *reinterpret_cast<const std::int64_t*>(lParam); break;
  case WM_ITEM_REG_CLEANED: r.Value = static_cast<std::int32_t>(lParam); break;
  }
  if (TCleanObj* item = FWatched.load()) {
    r.StateAtSend = item->State();
    // The sender's thread holds the lock while it waits, so this thread cannot take it.
    const bool free = item->CriticalSection().try_lock();
    if (free) item->CriticalSection().unlock();
    r.ItemLockedAtSend = !free;
  }
  std::function<void(const ReceivedMessage&)> action;
  {
    std::lock_guard<std::mutex> lock(FMutex);
    FReceived.push_back(r);
    action = FOnMessage;
  }
  if (action) action(r);
}
