#pragma once
// A window on a thread of its own with a message loop, as the preview window is, that
// records the item messages sent to it. Items send from the test's thread, so every
// message crosses threads as it does in the program. The payload is copied inside the
// window procedure, because its addresses are valid only during the message.

#include "cleanobjs/CleanObjs.h"

#include <atomic>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the window procedure copied out of one message while the sender waited.
struct ReceivedMessage {
  UINT Message = 0;
  WPARAM WParam = 0;
  std::string Text;         // text messages; "KeyPath|ValueName" for a registry value
  std::int64_t Value = 0;   // a size or count
  std::uint32_t Number = 0; // file attributes, or a registry value's root key
  DWORD Thread = 0;
  ItemState StateAtSend = ItemState::Idle;
  bool ItemLockedAtSend = false;
};

class MessageRecorder {
public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Null when the window could not be made; tests assert on it first.
  HWND Window() const { return FWindow; }
  DWORD ThreadId() const { return FThreadId; }
  // The item whose state and lock the procedure looks at while a message is handled.
  void Watch(TCleanObj* item) { FWatched = item; }
  // Runs on the window's thread for each message after it is recorded, while the
  // sender still waits: a test acts at an exact point of an operation this way.
  void OnMessage(std::function<void(const ReceivedMessage&)> action);
  std::vector<ReceivedMessage> Messages();

private:
  void Run(std::promise<HWND>& created);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Record(UINT message, WPARAM wParam, LPARAM lParam);

  std::thread FThread;
  HWND FWindow = nullptr;
  DWORD FThreadId = 0;
  std::atomic<TCleanObj*> FWatched{nullptr};
  std::mutex FMutex;
  std::vector<ReceivedMessage> FReceived;
  std::function<void(const ReceivedMessage&)> FOnMessage;
};
