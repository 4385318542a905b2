#include "app/EditHistory.h"

#include <gtest/gtest.h>

namespace {
ItemChange Named(std::string name) { return ItemChange{std::move(name), {}, {}, {}, {}}; }
} // namespace

TEST(EditHistory, TheSavedStateIsReachedOnlyAlongTheStepsThatLedAwayFromIt) {
  TEditHistory history;
  history.Add(Named("one"));
  history.MarkSaved();
  history.Add(Named("two"));
  EXPECT_FALSE(history.AtSaved());
  history.Undone();
  EXPECT_TRUE(history.AtSaved());
  history.Undone();
  EXPECT_FALSE(history.AtSaved());
  EXPECT_EQ(history.ToUndo(), nullptr);
  EXPECT_EQ(history.ToRedo()->Name, "one");
  history.Add(Named("other")); // the steps after it are gone, the saved state with them
  EXPECT_EQ(history.ToRedo(), nullptr);
  history.Undone();
  EXPECT_FALSE(history.AtSaved());
}

TEST(EditHistory, AHistoryBeyondItsBoundForgetsItsOldestSteps) {
  TEditHistory history;
  for (std::size_t i = 0; i <= TEditHistory::kMaxSteps; ++i) history.Add(Named(std::to_string(i)));
  std::size_t undone = 0;
  for (; history.ToUndo() != nullptr; history.Undone()) ++undone;
  EXPECT_EQ(undone, TEditHistory::kMaxSteps);
  EXPECT_EQ(history.ToRedo()->Name, "1") << "step 0 was the oldest";
  EXPECT_FALSE(history.AtSaved()) << "the state opened lay before the forgotten step";
}
