#include "framework/DateTimeParts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
void ExpectParts(double value, int year, int month, int day, int hour, int minute, int second,
                 int millisecond) {
  const auto parts = DecodeDateTime(value);
  ASSERT_TRUE(parts.has_value()) << value;
  EXPECT_EQ(parts->Year, year) << value;
  EXPECT_EQ(parts->Month, month) << value;
  EXPECT_EQ(parts->Day, day) << value;
  EXPECT_EQ(parts->Hour, hour) << value;
  EXPECT_EQ(parts->Minute, minute) << value;
  EXPECT_EQ(parts->Second, second) << value;
  EXPECT_EQ(parts->Millisecond, millisecond) << value;
}
} // namespace

TEST(DecodeDateTime, SplitsTheDayCountIntoDateAndTimeOfDay) {
  ExpectParts(0.0, 1899, 12, 30, 0, 0, 0, 0);
  ExpectParts(2.0, 1900, 1, 1, 0, 0, 0, 0);
  ExpectParts(46364.5, 2026, 12, 8, 12, 0, 0, 0);
  ExpectParts(60.0, 1900, 2, 28, 0, 0, 0, 0);
  ExpectParts(61.0, 1900, 3, 1, 0, 0, 0, 0); // 1900 was no leap year
  ExpectParts(36585.0, 2000, 2, 29, 0, 0, 0, 0);
  ExpectParts(45000.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0, 2023, 3, 15, 13, 14, 15, 0);
}

TEST(DecodeDateTime, RoundsToTheMillisecondAndCarriesIntoTheNextDay) {
  ExpectParts(45000.0 + 1.5 / 86400000.0, 2023, 3, 15, 0, 0, 0, 2);
  // A hair before midnight rounds to the next day at 00:00:00, not to 24:00:00.
  ExpectParts(45000.0 - 0.1 / 86400000.0, 2023, 3, 15, 0, 0, 0, 0);
  ExpectParts(45000.0 - 1.0 / 86400000.0, 2023, 3, 14, 23, 59, 59, 999);
}

TEST(DecodeDateTime, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
  ExpectParts(-1.25, 1899, 12, 29, 6, 0, 0, 0);
  ExpectParts(-109205.0, 1601, 1, 1, 0, 0, 0, 0);
}

TEST(DecodeDateTime, RefusesValuesThatNameNoShowableDay) {
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<double>::quiet_NaN()).has_value());
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_FALSE(DecodeDateTime(1e300).has_value());
  EXPECT_FALSE(DecodeDateTime(-1e300).has_value());
  EXPECT_FALSE(DecodeDateTime(-109206.0).has_value()) << "1600-12-31";
  EXPECT_FALSE(DecodeDateTime(2958466.0).has_value()) << "10000-01-01";
  ExpectParts(2958465.5, 9999, 12, 31, 12, 0, 0, 0);
}

TEST(EncodeDateTime, IsTheInverseOfDecodingAndRefusesDatesThatDoNotExist) {
  for (const double value : {0.0, 2.0, 61.0, 36585.0, 46364.5, -1.25, -109205.0, 2958465.5,
                             45000.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0}) {
    const auto parts = DecodeDateTime(value);
    ASSERT_TRUE(parts.has_value()) << value;
    const auto again = EncodeDateTime(*parts);
    ASSERT_TRUE(again.has_value()) << value;
    EXPECT_NEAR(*again, value, 1e-9) << "the parts of " << value;
  }
  EXPECT_FALSE(EncodeDateTime({1900, 2, 29}).has_value()) << "1900 was no leap year";
  EXPECT_TRUE(EncodeDateTime({2000, 2, 29}).has_value());
  EXPECT_FALSE(EncodeDateTime({1600, 12, 31}).has_value());
  EXPECT_FALSE(EncodeDateTime({10000, 1, 1}).has_value());
  EXPECT_FALSE(EncodeDateTime({2000, 1, 1, 24, 0, 0}).has_value());
  EXPECT_FALSE(EncodeDateTime({2000, 13, 1}).has_value());
}
