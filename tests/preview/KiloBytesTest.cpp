#include "preview/KiloBytes.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FormatKiloBytes, DropsTheRemainderOfTheLastKiloByte) {
  EXPECT_EQ(FormatKiloBytes(0), "0");
  EXPECT_EQ(FormatKiloBytes(1023), "0");
  EXPECT_EQ(FormatKiloBytes(1024), "1");
  EXPECT_EQ(FormatKiloBytes(2047), "1");
}

TEST(FormatKiloBytes, GroupsEveryThreeDigitsFromTheRight) {
  EXPECT_EQ(FormatKiloBytes(999 * 1024), "999");
  EXPECT_EQ(FormatKiloBytes(1000 * 1024), "1,000");
  EXPECT_EQ(FormatKiloBytes(10000 * 1024), "10,000");
  EXPECT_EQ(FormatKiloBytes(100000 * 1024), "100,000");
  EXPECT_EQ(FormatKiloBytes(1024 * 1024), "1,024");
  EXPECT_EQ(FormatKiloBytes(std::int64_t{1048576} * 1024), "1,048,576");
}

TEST(FormatKiloBytes, ShowsTheWhole64BitCount) {
  // 4 TiB: a kilobyte count beyond 32 bits must not wrap or turn negative.
  EXPECT_EQ(FormatKiloBytes(std::int64_t{4} << 40), "4,294,967,296");
  EXPECT_EQ(FormatKiloBytes(std::int64_t{3} << 41), "6,442,450,944");
  EXPECT_EQ(FormatKiloBytes(std::numeric_limits<std::int64_t>::max()),
            "9,007,199,254,740,991");
}

TEST(FormatKiloBytes, ANegativeTotalShowsZero) {
  EXPECT_EQ(FormatKiloBytes(-1), "0");
  EXPECT_EQ(FormatKiloBytes(-5000), "0");
  EXPECT_EQ(FormatKiloBytes(std::numeric_limits<std::int64_t>::min()), "0");
}
