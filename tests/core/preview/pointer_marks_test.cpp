// The marks the pick tools store in the tuning state, and the pick lists' buttons.
#include <gtest/gtest.h>

#include "core/preview/pointer_marks.h"

namespace core {
namespace {

TEST(PointerMarksTest, NewColourRangeAroundAGrey) {
    const ColorRangeItem range = colourRangeAround({40000, 40000, 40000}, 50);
    for (size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(range.Colors[c], 52000);
        EXPECT_EQ(range.Colors[3 + c], 30769);
        EXPECT_EQ(range.Colors[6 + c], 41384);
    }
    EXPECT_EQ(range.Tolerance, 50);
    EXPECT_EQ(range.AreaCount, 0);
    EXPECT_TRUE(range.Areas.empty());
    EXPECT_EQ(range.AreasInclude, 0);
    // Bright channels are clamped.
    const ColorRangeItem bright = colourRangeAround({60000, 0, 13}, 10);
    EXPECT_EQ(bright.Colors[0], 65535);
    EXPECT_EQ(bright.Colors[3], 46154);
    EXPECT_EQ(bright.Colors[6], 55844);
    EXPECT_EQ(bright.Colors[1], 0);
    EXPECT_EQ(bright.Colors[2], 17);
    EXPECT_EQ(bright.Colors[5], 10);
}

TEST(PointerMarksTest, ListsGrowUndoAndReset) {
    TuningState state;
    addNoisePick(state, 30000, 0x8100, 0x7f00, true);
    addNoisePick(state, 20000, 0x8000, 0x8000, false);
    ASSERT_EQ(state.noiseAreas.size(), 2u);
    EXPECT_EQ(state.noiseAreas[0].Strength, 50);
    EXPECT_EQ(state.noiseAreas[0].ChromaRed, 0x8100);
    EXPECT_EQ(state.noiseAreas[1].Strength, -50);
    EXPECT_TRUE(undoPickList(state, PickList::NoisePicks));
    ASSERT_EQ(state.noiseAreas.size(), 1u);
    EXPECT_EQ(state.noiseAreas[0].Luma, 30000);
    EXPECT_TRUE(resetPickList(state, PickList::NoisePicks));
    EXPECT_FALSE(undoPickList(state, PickList::NoisePicks));
    EXPECT_FALSE(resetPickList(state, PickList::NoisePicks));

    const int32_t index = addColourRange(state, colourRangeAround({100, 200, 300}, 50));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(addRangeArea(state, 0, XcludedArea{1, 10, 20, 14, 19}));
    EXPECT_FALSE(addRangeArea(state, 1, XcludedArea{}));
    EXPECT_EQ(state.colorRanges[0].AreaCount, 1);
}

TEST(PointerMarksTest, PickListButtons) {
    TuningState state;
    state.expertMode = false;
    PickListButtons b = pickListButtons(state, PickList::RedEyes, QStringLiteral("Reset"));
    EXPECT_EQ(b.resetCaption, QStringLiteral("Reset (0)"));
    EXPECT_FALSE(b.enabled);
    EXPECT_FALSE(b.visible);
    addRedEye(state, RedEyeEntry{1000, 2000, 0, 0, 50, 100});
    b = pickListButtons(state, PickList::RedEyes, QStringLiteral("Reset"));
    EXPECT_EQ(b.resetCaption, QStringLiteral("Reset (1)"));
    EXPECT_TRUE(b.enabled && b.visible);  // the red-eye pair shows in simple mode too
    addNoisePick(state, 1, 2, 3, true);
    b = pickListButtons(state, PickList::NoisePicks, QStringLiteral("Clear"));
    EXPECT_TRUE(b.enabled);
    EXPECT_FALSE(b.visible);
    state.expertMode = true;
    EXPECT_TRUE(pickListButtons(state, PickList::NoisePicks, QStringLiteral("Clear")).visible);
    EXPECT_STREQ(pickListResetKey(PickList::RedEyes), "ALS_RESET_SELECTED_POINTS");
    EXPECT_STREQ(pickListResetKey(PickList::ColourRanges), "ALS_CCR_RESET");
}

TEST(PointerMarksTest, FringeColourAndWhitePointGoToTheBlockAndSliders) {
    TuningState state;
    setCAColour(state, 1000, 2000, 3000);
    EXPECT_EQ(state.block.CAColorRed, 1000);
    EXPECT_EQ(state.block.CAColorGreen, 2000);
    EXPECT_EQ(state.block.CAColorBlue, 3000);

    takeWhitePointShifts(state, 12, -7, 0);
    EXPECT_EQ(state.sliders[11].position, 112);
    EXPECT_EQ(state.sliders[12].position, 93);
    EXPECT_EQ(state.sliders[13].position, 100);
    EXPECT_EQ(state.block.RedShift, 12);
    EXPECT_EQ(state.block.GreenShift, -7);
    EXPECT_EQ(state.block.BlueShift, 0);
}

TEST(PointerMarksTest, AdjustedNoiseLevelsAreClampedOntoTheSliders) {
    TuningState state;
    state.detected = {20, 40, 10, 0, 100};
    for (int n = 1; n <= 3; ++n)
        state.sliders[size_t(n)].position = 30;
    EXPECT_TRUE(takeAdjustedNoiseLevels(state, 250, 30, -4));
    EXPECT_EQ(state.sliders[1].position, 200);
    EXPECT_EQ(state.sliders[2].position, 30);
    EXPECT_EQ(state.sliders[3].position, 0);
    EXPECT_EQ(state.noiseFactors.midtones, 5000);  // 200 of a detected 40
    EXPECT_FALSE(takeAdjustedNoiseLevels(state, 200, 30, 0));
}

}  // namespace
}  // namespace core
