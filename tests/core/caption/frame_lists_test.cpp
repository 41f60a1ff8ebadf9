#include "core/caption/frame_lists.h"

#include <gtest/gtest.h>

#include "core/settings/settings_block.h"

namespace {

using namespace core::caption;

TEST(FrameLists, TheDefaultsAreItemsOfTheirLists) {
    const core::SettingsBlock b;
    EXPECT_EQ(widthItemIndex(kFrameWidthList, b.FrameWidth), 25);
    EXPECT_EQ(widthItemTexts(kFrameWidthList)[25], QStringLiteral("10%"));
    EXPECT_EQ(widthItemIndex(kInnerWidthList, b.InnerFrameWidth), 5);
    EXPECT_EQ(widthItemTexts(kInnerWidthList)[5], QStringLiteral("0.25%"));
    EXPECT_EQ(widthItemIndex(kShadowWidthList, b.ShadowWidth), 5);
    EXPECT_EQ(widthItemTexts(kShadowWidthList)[5], QStringLiteral("2%"));
}

TEST(FrameLists, StoredValuesAreTheIndexTimesTheStep) {
    EXPECT_EQ(storedWidth(kFrameWidthList, 25), 100);
    EXPECT_EQ(storedWidth(kInnerWidthList, 7), 7);
    EXPECT_EQ(storedWidth(kShadowWidthList, 3), 12);
    // A stored value from elsewhere shows as an item of the list.
    EXPECT_EQ(widthItemIndex(kFrameWidthList, 1000), kFrameWidthList.count - 1);
    EXPECT_EQ(widthItemIndex(kFrameWidthList, -8), 0);
    EXPECT_EQ(widthItemIndex(kShadowWidthList, 13), 3);
}

TEST(FrameLists, EveryItemHasItsText) {
    const QStringList frame = widthItemTexts(kFrameWidthList);
    ASSERT_EQ(frame.size(), kFrameWidthList.count);
    EXPECT_EQ(frame.first(), QStringLiteral("0%"));
    EXPECT_EQ(frame[1], QStringLiteral("0.4%"));
    EXPECT_EQ(frame.last(), QStringLiteral("20%"));
    EXPECT_EQ(widthItemTexts(kInnerWidthList).last(), QStringLiteral("1%"));
    EXPECT_EQ(widthItemTexts(kShadowWidthList).last(), QStringLiteral("10%"));
    EXPECT_STREQ(kFrameEffectKeys[8], "ALS_OVAL");
    EXPECT_STREQ(kTextEffectKeys[0], "ALS_TXT_PRINT_OVER");
}

}  // namespace
