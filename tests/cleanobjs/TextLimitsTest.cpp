#include "cleanobjs/TextLimits.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(StoredTexts, AMaskListIsFlaggedWithHowManyOfItsLastMasksSavingLeavesOut) {
  std::vector<StoredText> overlong;
  CheckMaskList(overlong, 2, std::vector<std::string>(146, "*.tmp")); // 1022 characters
  EXPECT_TRUE(overlong.empty()) << "a text that fits with its NUL is not flagged";
  CheckMaskList(overlong, 5, std::vector<std::string>(150, "*.tmp"));
  ASSERT_EQ(overlong.size(), 1u);
  EXPECT_EQ(overlong[0].Length, 1050u) << "every mask with its CR LF";
  EXPECT_EQ(overlong[0].MasksLeftOut, 4u);
}

TEST(StoredTexts, MasksAreLeftOutWholeAndInOrder) {
  // A mask cut short could match more than the mask typed: "*.tmp" cut to "*".
  struct Case {
    std::vector<std::string> Masks;
    std::size_t Kept;
  };
  const Case cases[] = {
      {{std::string(1022, 'm')}, 0}, // 1024 with its CR LF: none fits
      {{std::string(1021, 'm')}, 1}, // 1023 with its CR LF fits
      {{"*.a", std::string(1020, 'm'), "*.b"}, 1}, // none after one that does not fit
  };
  for (const Case& c : cases) {
    const std::vector<std::string> kept = MasksThatFit(c.Masks);
    EXPECT_EQ(kept, std::vector<std::string>(c.Masks.begin(), c.Masks.begin() + c.Kept))
        << c.Masks.front().size();
  }
}

TEST(StoredTexts, TheRefusalListsTheFirstFiveAndCountsTheRest) {
  std::vector<StoredText> refused;
  for (int i = 1; i <= 8; ++i) CheckTargetText(refused, i, "Key path", std::string(300, 'k'), 256);
  EXPECT_EQ(RefusedTextsMessage(refused),
            "Some paths and keys are too long for the plug-in file:\n\n"
            "Item 1, Key path: 300 characters, at most 255\n"
            "Item 2, Key path: 300 characters, at most 255\n"
            "Item 3, Key path: 300 characters, at most 255\n"
            "Item 4, Key path: 300 characters, at most 255\n"
            "Item 5, Key path: 300 characters, at most 255\n"
            "... and 3 more\n"
            "\nShortened, they would name other files or keys, so nothing was saved. "
            "Make them shorter and save again.");
  refused.resize(5);
  EXPECT_EQ(RefusedTextsMessage(refused).find("more"), std::string::npos) << "five are listed in full";
}
