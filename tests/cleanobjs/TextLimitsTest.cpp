#include "cleanobjs/TextLimits.h"

#include "cleanobjs/ItemRecordFormat.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(StoredTexts, EachKindOfTextIsFlaggedOnlyWhenItDoesNotFitWithWhatSavingDoes) {
  std::vector<StoredText> overlong;
  CheckStoredText(overlong, 0, "Name", std::string(127, 'n'), 128);
  CheckTargetText(overlong, 1, "Key path", std::string(255, 'k'), 256);
  CheckMaskList(overlong, 2, std::vector<std::string>(146, "*.tmp")); // 1022 characters
  EXPECT_TRUE(overlong.empty()) << "texts that fit with their NUL are not flagged";

  CheckStoredText(overlong, 0, "Name", std::string(128, 'n'), 128);
  CheckTargetText(overlong, 4, "Key path", std::string(256, 'k'), 256);
  CheckMaskList(overlong, 5, std::vector<std::string>(150, "*.tmp"));
  ASSERT_EQ(overlong.size(), 3u);
  EXPECT_EQ(overlong[0].Fix, Shortening::Cut);
  EXPECT_EQ(overlong[1].Fix, Shortening::Refused);
  EXPECT_EQ(overlong[1].ItemNumber, 4);
  EXPECT_EQ(overlong[1].Length, 256u);
  EXPECT_EQ(overlong[2].Fix, Shortening::MasksLeftOut);
  EXPECT_EQ(overlong[2].Length, 1050u) << "every mask with its CR LF";
  EXPECT_EQ(overlong[2].MaskCount, 150u);
  EXPECT_EQ(overlong[2].MasksLeftOut, 4u);
  EXPECT_EQ(RefusedTexts(overlong).size(), 1u);
  EXPECT_EQ(DescribeStoredText(overlong[2]),
            "Item 5, Masks: 1050 characters, at most 1023; the last 4 of 150 masks are left out");
}

TEST(StoredTexts, MasksAreLeftOutWholeAndNamesAreCut) {
  // A mask cut short could match more than the mask typed: "*.tmp" cut to "*".
  const std::vector<std::string> masks(150, "*.tmp");
  const std::vector<std::string> kept = MasksThatFit(masks);
  EXPECT_EQ(kept, std::vector<std::string>(146, "*.tmp"));
  EXPECT_TRUE(FitsTextField(JoinMasks(kept), kPathFieldSize));
  EXPECT_EQ(SplitMasks(JoinMasks(kept)), kept) << "what is written reads back as written";

  EXPECT_TRUE(MasksThatFit({std::string(1022, 'm')}).empty()) << "1024 with its CR LF: none fits";
  EXPECT_EQ(MasksThatFit({std::string(1021, 'm')}).size(), 1u) << "1023 with its CR LF fits";
  EXPECT_EQ(MasksThatFit({"*.a", std::string(1020, 'm'), "*.b"}), std::vector<std::string>{"*.a"})
      << "the masks after one that does not fit are left out too, so the order stays";

  EXPECT_EQ(NameThatFits(std::string(130, 'n'), kNameFieldSize), std::string(127, 'n'));
  EXPECT_EQ(NameThatFits("short", kNameFieldSize), "short");
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
