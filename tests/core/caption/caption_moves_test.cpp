#include "core/caption/caption_moves.h"

#include <gtest/gtest.h>

#include <Qt>

namespace {

using core::caption::CaptionPosition;

TEST(CaptionMoves, ADragMovesByTheShareOfThePicture) {
    // 100 of 1000 columns is a tenth across; 50 rows up of 500 is a tenth upwards.
    EXPECT_EQ(core::caption::draggedCaption({5000, 300}, 100, -50, 1001, 501),
              (CaptionPosition{6000, 1300}));
    EXPECT_EQ(core::caption::draggedCaption({9900, 300}, 500, 100, 1001, 501),
              (CaptionPosition{10000, 0}));
    // A picture of one column or row cannot place anything along it.
    EXPECT_EQ(core::caption::draggedCaption({5000, 300}, 10, 10, 1, 1),
              (CaptionPosition{5000, 300}));
}

TEST(CaptionMoves, CtrlKeysNudgeThePositionAndTheFont) {
    const struct {
        int key;
        CaptionPosition moved;
        int32_t fontSize;
    } cases[] = {
        {Qt::Key_Left, {4950, 300}, 14},   {Qt::Key_Right, {5050, 300}, 14},
        {Qt::Key_Down, {5000, 250}, 14},   {Qt::Key_Up, {5000, 350}, 14},
        {Qt::Key_PageUp, {5000, 300}, 15}, {Qt::Key_PageDown, {5000, 300}, 13},
    };
    for (const auto& c : cases) {
        const auto nudge = core::caption::captionNudgeForKey(c.key);
        ASSERT_TRUE(nudge) << c.key;
        EXPECT_EQ(core::caption::nudgedCaption({5000, 300}, *nudge), c.moved) << c.key;
        EXPECT_EQ(core::caption::nudgedFontSize(14, nudge->fontStep), c.fontSize) << c.key;
    }
    EXPECT_FALSE(core::caption::captionNudgeForKey(Qt::Key_A));
}

TEST(CaptionMoves, NudgesStopAtTheirLimits) {
    EXPECT_EQ(core::caption::nudgedCaption({30, 9990}, {-50, 50, 0}), (CaptionPosition{0, 10000}));
    EXPECT_EQ(core::caption::nudgedFontSize(10000, 1), 10000);
    EXPECT_EQ(core::caption::nudgedFontSize(1, -1), 1);
}

}  // namespace
