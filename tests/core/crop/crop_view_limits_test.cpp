#include "core/crop/crop_view_limits.h"

#include <gtest/gtest.h>

namespace {

TEST(CropViewLimits, TheSmallestFrameOnScreen) {
    struct Case {
        double scale;
        core::CropProportion proportion;
        core::PixelSize expected;
    };
    const Case cases[] = {
        {0.25, {3, 2}, {18, 15}},  // k = 12: 18 wide, 12 high raised to 15
        {0.25, {0, 0}, {15, 15}},  // free counts as 1:1
        {2.0, {3, 2}, {30, 20}},   // k = 20
        {2.0, {1, 2}, {20, 40}},  {1.55, {4, 3}, {21, 16}},  // k = 15.5: ceil(20.67), ceil(15.5)
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::minimumFrameOnScreen(c.scale, c.proportion), c.expected) << c.scale;
}

TEST(CropViewLimits, AProportionMustFitTheView) {
    const core::PixelSize minimum{18, 15}, view{600, 400};
    core::ProportionCheck c = core::checkProportion({3, 2}, minimum, view);
    EXPECT_TRUE(c.accepted);
    EXPECT_DOUBLE_EQ(c.lowest, 18.0 / 400);
    EXPECT_DOUBLE_EQ(c.highest, 40.0);
    EXPECT_FALSE(core::checkProportion({50, 1}, minimum, view).accepted);
    EXPECT_FALSE(core::checkProportion({1, 30}, minimum, view).accepted);
    EXPECT_TRUE(core::checkProportion({0, 0}, minimum, view).accepted);
    c = core::checkProportion({1000, 1}, {18, 0}, {600, 0});
    EXPECT_TRUE(c.accepted);
    EXPECT_EQ(c.lowest, 0.0);
    EXPECT_EQ(c.highest, 1e20);
    const auto text = [](const QString&) { return QStringLiteral("between %s and %s"); };
    EXPECT_EQ(core::proportionRefusalText(core::checkProportion({50, 1}, minimum, view), text),
              "between 0.045 and 40.000");
}

TEST(CropViewLimits, UserFields) {
    core::CropSizeChoice c;
    c.userWidth = 300;
    c.userHeight = 5000;
    EXPECT_EQ(core::userSizeAfterRefusal(c).userWidth, 0);
    EXPECT_EQ(core::userSizeAfterRefusal(c).userHeight, 5000);
    c.userWidth = 5000;
    c.userHeight = 3;
    EXPECT_EQ(core::userSizeAfterRefusal(c).userWidth, 5000);
    EXPECT_EQ(core::userSizeAfterRefusal(c).userHeight, 0);
    EXPECT_EQ(core::userSizeFieldOnLeave(0), 0);
    EXPECT_EQ(core::userSizeFieldOnLeave(1), 10);
    EXPECT_EQ(core::userSizeFieldOnLeave(9), 10);
    EXPECT_EQ(core::userSizeFieldOnLeave(10), 10);
}

TEST(CropViewLimits, ADraggedFrameLandsInsideThePicture) {
    EXPECT_EQ(core::placeDraggedFrame({300, 200}, 50, 25, 0.5, 10, 0, 1000, 800),
              (core::CropFrame{300, 200, 110, 50}));
    EXPECT_EQ(core::placeDraggedFrame({300, 200}, 500, -20, 0.5, 0, 0, 1000, 800),
              (core::CropFrame{300, 200, 700, 0}));
}

TEST(CropViewLimits, TheFrameTurnsWithThePicture) {
    // A frame right of the centre goes below it after a quarter turn clockwise.
    EXPECT_EQ(core::turnFrameWithPicture({100, 100, 650, 350}, 90.0, 1000, 800),
              (core::CropFrame{100, 100, 450, 550}));
    // Near the edge it is held inside.
    EXPECT_EQ(core::turnFrameWithPicture({100, 100, 900, 350}, 90.0, 1000, 800),
              (core::CropFrame{100, 100, 450, 700}));
    EXPECT_EQ(core::turnFrameWithPicture({100, 100, 10, 20}, 0.0, 1000, 800),
              (core::CropFrame{100, 100, 10, 20}));
}

}  // namespace
