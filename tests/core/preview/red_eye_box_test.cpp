// Eye boxes drawn in a pane and the red-eye entries they become.
#include <gtest/gtest.h>

#include "core/preview/red_eye_box.h"

namespace core {
namespace {

TEST(RedEyeBoxTest, PullGivesAnOddEllipseCentredOnThePress) {
    struct Case {
        int32_t dx, dy;
        EllipseSize size;
    };
    const Case cases[] = {
        {5, 5, {15, 15}},    // round(14.14) = 14, made odd
        {-5, 5, {15, 15}},   // the direction does not matter
        {10, 5, {29, 15}},   // round(28.28) = 28 -> 29; round(29 * 0.5) = 15 (14.5 away from 0)
        {4, -12, {11, 33}},  // round(11.31) = 11; 11 * 3 = 33
        {0, 7, {0, 0}},      // no horizontal pull: size 0
        {7, 0, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pulledEllipse(c.dx, c.dy), c.size) << c.dx << "," << c.dy;

    const EyeBox box = eyeBoxAt(100, 80, 105, 85);
    EXPECT_EQ(box.rect(), (PixelRect{93, 73, 15, 15}));
}

TEST(RedEyeBoxTest, SmallBoxesStayHidden) {
    // Region 100 wide shown 400 wide: a 11-pixel box covers 2.75 picture pixels.
    EXPECT_FALSE(eyeBoxVisible(eyeBoxAt(50, 50, 54, 54), {400, 300}, 100));
    EXPECT_TRUE(eyeBoxVisible(eyeBoxAt(50, 50, 55, 55), {400, 300}, 100));
}

TEST(RedEyeBoxTest, PlainClickAsksForAutomaticSize) {
    const PixelRect region{1000, 600, 200, 150};
    const EyeBox click = eyeBoxAt(100, 50, 100, 50);
    const auto entry = redEyeEntryForBox(click, {400, 300}, region, 50, 100);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->EyeX, 1050000);  // (100 * 0.5 + 1000) * 1000
    EXPECT_EQ(entry->EyeY, 625000);   // (50 * 0.5 + 600) * 1000
    EXPECT_EQ(entry->EyeWidth, 0);
    EXPECT_EQ(entry->EyeHeight, 0);
    EXPECT_EQ(entry->Darkening, 50);
    EXPECT_EQ(entry->PupilSize, 100);
}

TEST(RedEyeBoxTest, DrawnBoxGivesSizeInThousandthsOfPicturePixels) {
    const PixelRect region{10, 20, 333, 266};
    const EyeBox box = eyeBoxAt(101, 77, 106, 82);  // 15 by 15
    const auto entry = redEyeEntryForBox(box, {500, 400}, region, 30, 80);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->EyeX, 77266);     // (101 * 0.666 + 10) * 1000
    EXPECT_EQ(entry->EyeY, 71205);     // (77 * 0.665 + 20) * 1000
    EXPECT_EQ(entry->EyeWidth, 9990);  // 1000 * 0.666 * 15
    EXPECT_EQ(entry->EyeHeight, 9975);
    EXPECT_EQ(entry->Darkening, 30);
    EXPECT_EQ(entry->PupilSize, 80);
}

TEST(RedEyeBoxTest, BoxReachingOutOfThePaneAddsNothing) {
    const PictureSize pane{400, 300};
    const EyeBox nearEdge = eyeBoxAt(5, 150, 10, 155);  // 15 wide, left edge at -2
    EXPECT_TRUE(eyeBoxOutsidePane(nearEdge, pane));
    EXPECT_FALSE(redEyeEntryForBox(nearEdge, pane, {0, 0, 400, 300}, 50, 100));
    // A plain click at the edge is fine: it has no width.
    EXPECT_FALSE(eyeBoxOutsidePane(eyeBoxAt(0, 0, 0, 0), pane));
    EXPECT_TRUE(eyeBoxOutsidePane(eyeBoxAt(395, 150, 400, 155), pane));
    EXPECT_FALSE(eyeBoxOutsidePane(eyeBoxAt(392, 292, 397, 297), pane));
}

}  // namespace
}  // namespace core
