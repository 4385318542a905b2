// The collection thread on a real operating system thread, reporting to a window on a
// thread of its own, as the preview window does.

#include "preview/MyThreads.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace {

// An item whose collection is scripted: it reports a few texts, may raise, or may
// hold the run until it is cancelled.
class TScriptedItem : public TCleanObj {
public:
  enum class Behaviour { Report, Raise, HoldUntilCancelled };
  TScriptedItem(std::string name, Behaviour behaviour = Behaviour::Report)
      : TCleanObj(std::move(name)), FBehaviour(behaviour) {
    FHeld.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  }
  void CollectInfo() override {
    ++Collected;
    Thread = GetCurrentThreadId();
    SawCancelled = Cancelled();
    SendText(TextLevel::Progress, Name());
    if (FBehaviour == Behaviour::Raise) throw std::runtime_error("item failed");
    if (FBehaviour == Behaviour::HoldUntilCancelled) {
      SetEvent(FHeld.get());
      // Polls the flag as a scanning item does between its files.
      for (int i = 0; i < 5000 && !Cancelled(); ++i) Sleep(1);
    }
  }
  HANDLE Held() const { return FHeld.get(); }
  std::atomic<int> Collected{0};
  std::atomic<DWORD> Thread{0};
  std::atomic<bool> SawCancelled{false};

private:
  Behaviour FBehaviour;
  unique_handle FHeld;
};

std::unique_ptr<TCleanObjList> ListOf(std::initializer_list<TCleanObj*> items) {
  auto list = std::make_unique<TCleanObjList>();
  for (TCleanObj* item : items) list->Add(item);
  return list;
}

std::vector<UINT> MessageNumbers(MessageRecorder& recorder) {
  std::vector<UINT> numbers;
  for (const ReceivedMessage& message : recorder.Messages()) numbers.push_back(message.Message);
  return numbers;
}

TEST(CollectInfoThread, AnEmptyListSendsOnlyTheStartAndFinishMessages) {
  MessageRecorder recorder;
  ASSERT_NE(recorder.Window(), nullptr);
  const auto run = TCollectInfoThread::Create(std::make_unique<TCleanObjList>(), recorder.Window());
  ASSERT_TRUE(run->WaitFor(5000));
  EXPECT_EQ(MessageNumbers(recorder), (std::vector<UINT>{WM_COLLECT_START, WM_COLLECT_FINISH}));
}

TEST(CollectInfoThread, CollectsEveryItemInListOrderOnItsOwnThreadAndMarksEachDone) {
  MessageRecorder recorder;
  TScriptedItem first("first"), second("second");
  const auto run = TCollectInfoThread::Create(ListOf({&first, &second}), recorder.Window());
  ASSERT_TRUE(run->WaitFor(5000));

  EXPECT_EQ(first.NotifyWindow(), recorder.Window()) << "the items report to the thread's window";
  EXPECT_EQ(first.State(), ItemState::Done);
  EXPECT_EQ(second.State(), ItemState::Done);
  const auto messages = recorder.Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].Message, WM_COLLECT_START);
  EXPECT_EQ(messages[1].Text, "first");
  EXPECT_EQ(messages[2].Text, "second");
  EXPECT_EQ(messages[3].Message, WM_COLLECT_FINISH);
  EXPECT_NE(first.Thread, 0u);
  EXPECT_NE(first.Thread, GetCurrentThreadId()) << "the items collect on the new thread";
  EXPECT_EQ(second.Thread, first.Thread);
}

TEST(CollectInfoThread, WithoutAWindowItCollectsAndSendsNothing) {
  TScriptedItem item("alone");
  const auto run = TCollectInfoThread::Create(ListOf({&item}), nullptr);
  ASSERT_TRUE(run->WaitFor(5000));
  EXPECT_EQ(item.Collected, 1);
  EXPECT_EQ(item.State(), ItemState::Done);
}

TEST(CollectInfoThread, AnItemThatRaisesIsDoneAndEndsTheRunWithoutTheFinishMessage) {
  MessageRecorder recorder;
  TScriptedItem before("before"), failing("failing", TScriptedItem::Behaviour::Raise),
      after("after");
  after.SetState(ItemState::Cleaning);
  const auto run =
      TCollectInfoThread::Create(ListOf({&before, &failing, &after}), recorder.Window());
  ASSERT_TRUE(run->WaitFor(5000)) << "the error ends the thread";

  EXPECT_EQ(before.State(), ItemState::Done);
  EXPECT_EQ(failing.State(), ItemState::Done);
  EXPECT_EQ(after.Collected, 0) << "the items after the failing one are not collected";
  EXPECT_EQ(after.State(), ItemState::Cleaning) << "and keep their earlier state";
  const auto numbers = MessageNumbers(recorder);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.front(), WM_COLLECT_START);
  EXPECT_EQ(std::count(numbers.begin(), numbers.end(), WM_COLLECT_FINISH), 0);
}

TEST(CollectInfoThread, StopCancelsEveryItemAndTheEndedRunClearsTheFlagsAgain) {
  TScriptedItem holding("holding", TScriptedItem::Behaviour::HoldUntilCancelled), later("later");
  const auto run = TCollectInfoThread::Create(ListOf({&holding, &later}), nullptr);
  ASSERT_EQ(WaitForSingleObject(holding.Held(), 5000), WAIT_OBJECT_0);
  run->Terminate();
  ASSERT_TRUE(run->WaitFor(5000)) << "the holding item saw its cancel flag";

  EXPECT_TRUE(later.SawCancelled) << "the stop cancelled the items not yet collected too";
  EXPECT_EQ(later.Collected, 1) << "the loop itself does not look at the flags";
  EXPECT_FALSE(holding.Cancelled()) << "a later preview of the same items must find them";
  EXPECT_FALSE(later.Cancelled());
}

TEST(CollectInfoThread, StopAfterTheRunHasEndedChangesNothing) {
  TScriptedItem item("item");
  const auto run = TCollectInfoThread::Create(ListOf({&item}), nullptr);
  ASSERT_TRUE(run->WaitFor(5000));
  run->Terminate(); // the thread object has deleted itself; the link stays usable
  EXPECT_FALSE(item.Cancelled());
  EXPECT_TRUE(run->Ended());
}

// A thread whose constructor body runs after the base constructor has made the
// system thread: a run started early would find the object unfinished.
class TProbeThread : public TMyThread {
public:
  static inline std::atomic<bool> SawFinishedObject{false};

private:
  friend class TThread;
  explicit TProbeThread(bool suspended) : TMyThread(suspended) {
    SetFreeOnTerminate(true);
    // Give an early start every chance to show.
    WaitForSingleObject(GetCurrentProcess(), 100);
    FFinished = true;
  }
  void Execute() override {
    SawFinishedObject = FFinished.load();
  }
  std::atomic<bool> FFinished{false};
};

TEST(MyThread, ExecuteRunsOnlyOnceTheWholeObjectIsConstructed) {
  TProbeThread::SawFinishedObject = false;
  const auto run = TThread::Create<TProbeThread>(false);
  ASSERT_TRUE(run->WaitFor(5000));
  EXPECT_TRUE(TProbeThread::SawFinishedObject);
}

} // namespace
