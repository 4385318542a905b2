#include "cleanobjs/TextLimits.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(CheckStoredText, AddsOnlyTextsThatDoNotFit) {
  std::vector<StoredText> overlong;
  CheckStoredText(overlong, 0, "Name", std::string(127, 'n'), 128);
  EXPECT_TRUE(overlong.empty()) << "127 characters and the NUL fit 128 bytes";

  CheckStoredText(overlong, 4, "Key path", std::string(256, 'k'), 256);
  ASSERT_EQ(overlong.size(), 1u);
  EXPECT_EQ(overlong[0].ItemNumber, 4);
  EXPECT_EQ(overlong[0].Field, "Key path");
  EXPECT_EQ(overlong[0].Length, 256u);
  EXPECT_EQ(overlong[0].Width, 256u);
}

TEST(ShortenTextsQuestion, NamesThePlugInOrTheItemAndTheLimit) {
  const std::vector<StoredText> overlong = {{0, "Name", 130, 128}, {2, "Key path", 300, 256}};
  EXPECT_EQ(ShortenTextsQuestion(overlong),
            "Some texts are too long for the plug-in file:\n\n"
            "Plug-in, Name: 130 characters, at most 127\n"
            "Item 2, Key path: 300 characters, at most 255\n"
            "\nSave them shortened to fit?");
}

TEST(ShortenTextsQuestion, ListsTheFirstFiveAndCountsTheRest) {
  std::vector<StoredText> overlong;
  for (int i = 1; i <= 5; ++i) overlong.push_back({i, "File", 2000, 1024});
  const std::string five = ShortenTextsQuestion(overlong);
  EXPECT_NE(five.find("Item 5, File: 2000 characters, at most 1023\n"), std::string::npos);
  EXPECT_EQ(five.find("more"), std::string::npos) << "five are listed in full";

  for (int i = 6; i <= 8; ++i) overlong.push_back({i, "File", 2000, 1024});
  const std::string eight = ShortenTextsQuestion(overlong);
  EXPECT_EQ(eight.find("Item 6"), std::string::npos);
  EXPECT_NE(eight.find("Item 5, File: 2000 characters, at most 1023\n... and 3 more\n\n"
                       "Save them shortened to fit?"),
            std::string::npos);
}
