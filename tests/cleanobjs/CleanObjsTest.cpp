#include "cleanobjs/CleanObjs.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <future>

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
  MessageRecorder receiver;
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
  MessageRecorder receiver;
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

  const std::vector<ReceivedMessage> got = receiver.Messages();
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
  for (const ReceivedMessage& r : got) {
    EXPECT_EQ(r.Thread, receiver.ThreadId()) << "handled on the window's own thread";
    EXPECT_NE(r.Thread, GetCurrentThreadId());
  }
}

TEST(ItemMessages, SendersDeliverTheirNumbersAndPayloads) {
  MessageRecorder receiver;
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
  item.SendRegCleaned(5'000'000'123); // above what 32 bits hold
  item.SendText(TextLevel::Failure, "Can not open key [X]");

  const std::vector<ReceivedMessage> got = receiver.Messages();
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
  EXPECT_EQ(got[5].Value, 2'147'483'647) << "a signed 32-bit count by value, the largest for more";
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
