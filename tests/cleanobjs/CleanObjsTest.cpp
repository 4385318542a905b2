#include "cleanobjs/CleanObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>

namespace {

// The senders are protected; the kinds call them, and so does this item.
class TProbeItem : public TCleanObj {
public:
  using TCleanObj::TCleanObj;
  using TCleanObj::SendFileCleaned;
  using TCleanObj::SendFileFound;
  using TCleanObj::SendRegCleaned;
  using TCleanObj::SendRegFound;
  using TCleanObj::SendSearchPath;
  using TCleanObj::SendText;
};

// What the window procedure copied out of one message while the sender waited.
struct Received {
  UINT Message = 0;
  WPARAM WParam = 0;
  std::string Text;
  std::int64_t Value = 0;
  std::uint32_t Number = 0;
  DWORD Thread = 0;
  ItemState StateAtSend = ItemState::Idle;
  bool ItemLockedAtSend = false;
};

// A window on a thread of its own with a message loop, as the preview window is;
// the items send to it from the test's thread. The payload is copied inside the
// window procedure, because its addresses are valid only during the message.
class TReceiver {
public:
  TReceiver() {
    std::promise<HWND> created;
    std::future<HWND> window = created.get_future();
    FThread = std::thread([this, &created] { Run(created); });
    if (window.wait_for(std::chrono::seconds(20)) == std::future_status::ready)
      FWindow = window.get();
  }
  ~TReceiver() {
    // The default handling of WM_CLOSE destroys the window on its own thread.
    if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
    FThread.join();
  }

  HWND Window() const { return FWindow; }
  DWORD ThreadId() const { return FThreadId; }
  // The item whose state and lock the procedure looks at while a message is handled.
  void Watch(TCleanObj* item) { FWatched = item; }
  std::vector<Received> Messages() {
    std::lock_guard<std::mutex> lock(FMutex);
    return FReceived;
  }

private:
  static constexpr const char* kClassName = "VarnexItemMessageReceiver";

  void Run(std::promise<HWND>& created) {
    static const ATOM registered = [] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &TReceiver::WindowProc;
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

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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

  void Record(UINT message, WPARAM wParam, LPARAM lParam) {
    Received r;
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
    case WM_ITEM_REG_CLEANED: r.Value = static_cast<std::int64_t>(lParam); break;
    }
    if (TCleanObj* item = FWatched.load()) {
      r.StateAtSend = item->State();
      // The sender's thread holds the lock while it waits, so this thread cannot take it.
      const bool free = item->CriticalSection().try_lock();
      if (free) item->CriticalSection().unlock();
      r.ItemLockedAtSend = !free;
    }
    std::lock_guard<std::mutex> lock(FMutex);
    FReceived.push_back(std::move(r));
  }

  std::thread FThread;
  HWND FWindow = nullptr;
  DWORD FThreadId = 0;
  std::atomic<TCleanObj*> FWatched{nullptr};
  std::mutex FMutex;
  std::vector<Received> FReceived;
};

bool LockIsFreeForAnotherThread(TCleanObj& item) {
  return std::async(std::launch::async, [&item] {
           const bool free = item.CriticalSection().try_lock();
           if (free) item.CriticalSection().unlock();
           return free;
         }).get();
}

HWND FakeWindow(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

} // namespace

TEST(ItemMessages, WithoutAWindowNothingIsSentAndTheOperationsStillRun) {
  TReceiver receiver;
  ASSERT_NE(receiver.Window(), nullptr);
  TProbeItem item("Temp files");
  item.CollectInfo();
  EXPECT_EQ(item.State(), ItemState::Collecting);
  item.SendText(TextLevel::Failure, "x");
  item.SendFileFound(TSearchRec{});
  item.SendRegFound(TRegItem{});
  item.SendSearchPath("x");
  item.SendFileCleaned(1);
  item.SendRegCleaned(1);
  item.Clean();
  EXPECT_EQ(item.State(), ItemState::Cleaning);
  EXPECT_EQ(item.GetSize(), 0);
  EXPECT_TRUE(receiver.Messages().empty());
}

TEST(ItemMessages, CollectAndCleanSendTheirTextUnderTheLockBeforeTheStateChanges) {
  TReceiver receiver;
  ASSERT_NE(receiver.Window(), nullptr);
  // '%' in the name must arrive as typed, not be taken as a format.
  TProbeItem item("100% %s%n");
  item.SetNotifyWindow(receiver.Window());
  receiver.Watch(&item);

  item.CollectInfo();
  EXPECT_EQ(item.State(), ItemState::Collecting);
  EXPECT_TRUE(LockIsFreeForAnotherThread(item)) << "the lock is released on return";
  item.Clean();
  EXPECT_EQ(item.State(), ItemState::Cleaning);
  EXPECT_TRUE(LockIsFreeForAnotherThread(item));

  const std::vector<Received> got = receiver.Messages();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].Message, 1124u);
  EXPECT_EQ(got[0].WParam, 1u);
  EXPECT_EQ(got[0].Text, "Scan 100% %s%n information from your computer ...");
  EXPECT_EQ(got[0].StateAtSend, ItemState::Idle);
  EXPECT_TRUE(got[0].ItemLockedAtSend);
  EXPECT_EQ(got[1].Message, 1124u);
  EXPECT_EQ(got[1].WParam, 1u);
  EXPECT_EQ(got[1].Text, "Start clean 100% %s%n");
  EXPECT_EQ(got[1].StateAtSend, ItemState::Collecting);
  EXPECT_TRUE(got[1].ItemLockedAtSend);
  for (const Received& r : got) {
    EXPECT_EQ(r.Thread, receiver.ThreadId()) << "handled on the window's own thread";
    EXPECT_NE(r.Thread, GetCurrentThreadId());
  }
}

TEST(ItemMessages, SendersDeliverTheirNumbersAndPayloads) {
  TReceiver receiver;
  ASSERT_NE(receiver.Window(), nullptr);
  TProbeItem item("Probe");
  item.SetNotifyWindow(receiver.Window());

  TSearchRec found;
  found.Name = "LongFileName.tmp";
  found.Size = 5'368'709'120; // 5 GiB: the whole 64-bit size travels
  found.Attr = FILE_ATTRIBUTE_ARCHIVE;
  const TRegItem value{0x80000001u, "\\Software\\VarnexTests", "Last", false, 42};

  item.SendText(TextLevel::Deferred, "File [C:\\a.tmp] will be deleted on reboot!");
  item.SendFileFound(found);
  item.SendRegFound(value);
  item.SendSearchPath("Searching path: C:\\Temp");
  item.SendFileCleaned(6'000'000'001);
  item.SendRegCleaned(5'000'000'123); // above 2^32, passed by value
  item.SendText(TextLevel::Failure, "Can not open key [X]");

  const std::vector<Received> got = receiver.Messages();
  ASSERT_EQ(got.size(), 7u);
  EXPECT_EQ(got[0].Message, 1124u);
  EXPECT_EQ(got[0].WParam, 2u);
  EXPECT_EQ(got[0].Text, "File [C:\\a.tmp] will be deleted on reboot!");
  EXPECT_EQ(got[1].Message, 1125u);
  EXPECT_EQ(got[1].Text, "LongFileName.tmp");
  EXPECT_EQ(got[1].Value, 5'368'709'120);
  EXPECT_EQ(got[1].Number, static_cast<std::uint32_t>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(got[2].Message, 1126u);
  EXPECT_EQ(got[2].Text, "\\Software\\VarnexTests|Last");
  EXPECT_EQ(got[2].Value, 42);
  EXPECT_EQ(got[2].Number, 0x80000001u);
  EXPECT_EQ(got[3].Message, 1131u);
  EXPECT_EQ(got[3].Text, "Searching path: C:\\Temp");
  EXPECT_EQ(got[4].Message, 1132u);
  EXPECT_EQ(got[4].Value, 6'000'000'001);
  EXPECT_EQ(got[5].Message, 1133u);
  EXPECT_EQ(got[5].Value, 5'000'000'123);
  EXPECT_EQ(got[6].Message, 1124u);
  EXPECT_EQ(got[6].WParam, 0u);
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(got[i].WParam, 0u) << "message " << i;
}

TEST(CleanObjList, AddHandsTheItemTheListsWindowAndClearsItWhenThereIsNone) {
  TProbeItem first("a"), second("b");
  first.SetNotifyWindow(FakeWindow(0x1111));
  TCleanObjList list;
  EXPECT_EQ(list.Add(&first), 0);
  EXPECT_EQ(first.NotifyWindow(), nullptr);

  list.SetNotifyWindow(FakeWindow(0x2222));
  EXPECT_EQ(list.Add(&second), 1);
  EXPECT_EQ(second.NotifyWindow(), FakeWindow(0x2222));
  EXPECT_EQ(first.NotifyWindow(), FakeWindow(0x2222));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1), &second);
}

TEST(CleanObjList, SetNotifyWindowWithTheListsCurrentWindowTouchesNoItem) {
  TProbeItem first("a"), second("b");
  TCleanObjList list;
  list.Add(&first);
  list.Add(&second);
  list.SetNotifyWindow(FakeWindow(0x1111));
  first.SetNotifyWindow(FakeWindow(0x3333));

  list.SetNotifyWindow(FakeWindow(0x1111));
  EXPECT_EQ(first.NotifyWindow(), FakeWindow(0x3333));
  EXPECT_EQ(second.NotifyWindow(), FakeWindow(0x1111));

  list.SetNotifyWindow(nullptr);
  EXPECT_EQ(list.NotifyWindow(), nullptr);
  EXPECT_EQ(first.NotifyWindow(), nullptr);
  EXPECT_EQ(second.NotifyWindow(), nullptr);
}
