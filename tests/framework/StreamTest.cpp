#include "framework/Stream.h"

#include <gtest/gtest.h>

TEST(MemoryStream, ReadStopsAtTheEndAndReportsTheShortCount) {
  TMemoryStream stream({1, 2, 3});
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 2), 2);
  EXPECT_EQ(stream.Remaining(), 1);
  EXPECT_EQ(stream.Read(buffer, 8), 1) << "only one byte was left";
  EXPECT_EQ(buffer[0], 3);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
}

TEST(MemoryStream, WriteGrowsAndOverwritesAtThePosition) {
  TMemoryStream stream;
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(stream.Write(abc, 3), 3);
  stream.Rewind();
  EXPECT_EQ(stream.Write(abc + 2, 1), 1);
  EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{'c', 'b', 'c'}));
}
