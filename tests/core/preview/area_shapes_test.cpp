// Areas of a colour range drawn on the colour tab: the followed shape and the stored record.
#include <gtest/gtest.h>

#include "core/preview/area_shapes.h"

namespace core {
namespace {

AreaDrawing drawn(AreaKind kind, PicturePoint start, PicturePoint end) {
    return areaFollowing(AreaDrawing{kind, start, 0, 0}, end);
}

TEST(AreaShapesTest, RectangleDrawnEitherWayStoresTheSameArea) {
    struct Case {
        PicturePoint a, b;
        int32_t centreX, centreY, width, height;
    };
    const Case cases[] = {
        {{10, 30}, {20, 45}, 16, 38, 14, 19},
        {{10, 30}, {21, 44}, 16, 38, 15, 18},
        {{100, 200}, {101, 201}, 101, 201, 5, 5},
    };
    for (const auto& c : cases) {
        const auto forward = finishedArea(drawn(AreaKind::Rectangle, c.a, c.b));
        const auto backward = finishedArea(drawn(AreaKind::Rectangle, c.b, c.a));
        ASSERT_TRUE(forward && backward);
        for (const auto& area : {*forward, *backward}) {
            EXPECT_EQ(area.Kind, 1);
            EXPECT_EQ(area.CenterX, c.centreX);
            EXPECT_EQ(area.CenterY, c.centreY);
            EXPECT_EQ(area.AreaWidth, c.width);
            EXPECT_EQ(area.AreaHeight, c.height);
        }
    }
}

TEST(AreaShapesTest, EllipseIsCentredOnTheStartWithAMargin) {
    const AreaDrawing d = drawn(AreaKind::Ellipse, {300, 200}, {310, 205});
    EXPECT_EQ(d.ellipse(), (EllipseSize{29, 15}));
    EXPECT_EQ(d.outline(), (PixelRect{286, 193, 29, 15}));
    const auto area = finishedArea(d);
    ASSERT_TRUE(area);
    EXPECT_EQ(area->Kind, 0);
    EXPECT_EQ(area->CenterX, 300);
    EXPECT_EQ(area->CenterY, 200);
    EXPECT_EQ(area->AreaWidth, 33);
    EXPECT_EQ(area->AreaHeight, 19);
}

TEST(AreaShapesTest, ShapesWithoutSizeAreNotStored) {
    EXPECT_FALSE(finishedArea(drawn(AreaKind::Rectangle, {10, 10}, {10, 30})));
    EXPECT_FALSE(finishedArea(drawn(AreaKind::Rectangle, {10, 10}, {40, 10})));
    EXPECT_FALSE(finishedArea(drawn(AreaKind::Ellipse, {10, 10}, {10, 30})));
    EXPECT_FALSE(finishedArea(drawn(AreaKind::Ellipse, {10, 10}, {10, 10})));
}

TEST(AreaShapesTest, RectangleOutlineIsNormalised) {
    EXPECT_EQ(drawn(AreaKind::Rectangle, {50, 60}, {20, 40}).outline(),
              (PixelRect{20, 40, 30, 20}));
}

TEST(AreaShapesTest, ScreenMargin) {
    EXPECT_EQ(areaScreenMargin(500, 6000), 1);
    EXPECT_EQ(areaScreenMargin(640, 320), 4);
    EXPECT_EQ(areaScreenMargin(500, 0), 1);
}

}  // namespace
}  // namespace core
