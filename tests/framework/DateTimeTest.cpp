#include "framework/DateTime.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint64_t kTicksPerDay = 864000000000ULL;
constexpr std::uint64_t k1899 = 109205ULL * kTicksPerDay; // 1899-12-30 as a file time
} // namespace

TEST(DateTime, DayCountStartsAt1899AndTheFractionIsTheTimeOfDay) {
  EXPECT_DOUBLE_EQ(DateTimeFromFileTimeTicks(k1899), 0.0);
  EXPECT_DOUBLE_EQ(DateTimeFromFileTimeTicks(k1899 + kTicksPerDay + kTicksPerDay / 4), 1.25);
  EXPECT_DOUBLE_EQ(DateTimeFromFileTimeTicks(k1899 - kTicksPerDay / 2), -0.5);
}

TEST(DateTime, KeepsMilliseconds) {
  // 2026-12-08 is day 46364; one millisecond after midnight must still show.
  const std::uint64_t midnight = k1899 + 46364ULL * kTicksPerDay;
  const double value = DateTimeFromFileTimeTicks(midnight + 10000);
  EXPECT_GT(value, 46364.0);
  EXPECT_NEAR((value - 46364.0) * 86400000.0, 1.0, 1e-3);
}
