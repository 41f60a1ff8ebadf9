#include "core/caption/caption_placement.h"

#include <gtest/gtest.h>

namespace {

using core::caption::CaptionMetrics;
using core::caption::placeCaption;

CaptionMetrics text(int tw, int th) {
    CaptionMetrics m;
    m.textWidth = tw;
    m.textHeight = th;
    m.marginX = (tw + 4) / 5;
    m.marginY = (th + 4) / 5;
    return m;
}

class CentredOn1001Pixels : public ::testing::TestWithParam<int> {};

// TextPosX 5000 on a picture 1001 pixels wide: the text's middle is column 500, up to the half
// pixel an even or odd width leaves.
TEST_P(CentredOn1001Pixels, TheTextsMiddleIsColumn500) {
    const int tw = GetParam();
    const auto p = placeCaption(1001, 600, text(tw, 30), 5000, 300, core::caption::kAlignCentre);
    EXPECT_LE(std::abs(p.x + tw / 2.0 - 500.0), 0.5) << "x " << p.x;
    EXPECT_EQ(p.textX, p.x - text(tw, 30).marginX);
}

INSTANTIATE_TEST_SUITE_P(Widths, CentredOn1001Pixels, ::testing::Values(1, 37, 39, 100, 101, 400));

TEST(CaptionPlacement, CentredWidth100StartsAtColumn450) {
    EXPECT_EQ(placeCaption(1001, 600, text(100, 30), 5000, 300, 1).x, 450);
}

struct PlaceCase {
    int width, height, tw, th, posX, posY, align;
    int x, y;
};

class CaptionPlacementCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(CaptionPlacementCases, ClampTheTextIntoThePicture) {
    const PlaceCase& c = GetParam();
    const CaptionMetrics m = text(c.tw, c.th);
    const auto p = placeCaption(c.width, c.height, m, c.posX, c.posY, c.align);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
    EXPECT_EQ(p.textX, c.x - m.marginX);
    EXPECT_EQ(p.textY, c.height + m.marginY - c.y - 1);
    // The engine puts the mask's bottom row on row y - marginY counted from the bottom, which is
    // row textY counted from the top.
    EXPECT_EQ(p.maskRect.bottom(), p.textY);
    EXPECT_EQ(p.maskRect.left(), p.textX);
    EXPECT_EQ(p.maskRect.width(), m.maskWidth());
    EXPECT_EQ(p.maskRect.height(), m.maskHeight());
    // The text itself: its bottom row is y counted from the bottom.
    EXPECT_EQ(p.maskRect.bottom() - m.marginY, c.height - 1 - c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionPlacementCases,
    ::testing::Values(
        // Left alignment at the right button's position: the text's end stays inside.
        PlaceCase{1000, 750, 100, 40, 9900, 300, 0, 899, 22},
        PlaceCase{1000, 750, 100, 40, 100, 300, 0, 10, 22},
        // Right alignment: the text ends at px.
        PlaceCase{1000, 750, 100, 40, 9900, 300, 2, 889, 22},
        PlaceCase{1000, 750, 100, 40, 0, 300, 2, 0, 22},
        // Top of the picture: the text's top row stays inside.
        PlaceCase{1000, 750, 100, 40, 100, 10000, 0, 10, 709},
        // Larger than the picture: the lower bounds win.
        PlaceCase{100, 100, 300, 200, 5000, 5000, 0, 0, 0},
        PlaceCase{100, 100, 300, 200, 5000, 5000, 1, 0, 0},
        PlaceCase{100, 100, 300, 200, 9900, 9900, 2, 0, 0},
        // An alignment no button gives counts as left.
        PlaceCase{1000, 750, 100, 40, 9900, 300, 7, 899, 22}));

}  // namespace
