#include "core/crop/crop_view_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CropViewGeometry, TheSelectionZoomShowsTheFrameWithItsMargin) {
    // A tenth of the larger side, but never under 20 pixels; never beyond the picture.
    EXPECT_EQ(core::selectionArea({100, 50, 100, 100}, 1000, 1000), QRect(80, 80, 140, 90));
    EXPECT_EQ(core::selectionArea({600, 400, 300, 300}, 1000, 1000), QRect(240, 240, 720, 520));
    EXPECT_EQ(core::selectionArea({4000, 2666, 0, 167}, 4000, 3000), QRect(0, 0, 4000, 3000));
    EXPECT_EQ(core::selectionArea({}, 640, 480), QRect(0, 0, 640, 480));
}

TEST(CropViewGeometry, TheAreaIsFittedAndCentred) {
    const core::CropViewMapping m =
        core::fitAreaIntoView(QRectF(100, 0, 400, 300), QSizeF(200, 200));
    EXPECT_DOUBLE_EQ(m.scale, 0.5);
    EXPECT_EQ(m.toScreen(QPointF(100, 0)), QPointF(0, 25));
    EXPECT_EQ(m.toScreen(QPointF(500, 300)), QPointF(200, 175));
    EXPECT_EQ(m.toPicture(QPointF(100, 100)), QPointF(300, 150));
    EXPECT_EQ(m.toScreen(core::CropFrame{40, 20, 120, 10}), QRectF(10, 30, 20, 10));
}

TEST(CropViewGeometry, ThePointerHoldsAHandleTheFrameOrNothing) {
    const QRectF frame(100, 100, 200, 100);
    const struct {
        QPointF at;
        core::CropGrip grip;
    } cases[] = {
        {{100, 100}, core::CropGrip::TopLeft},    {{303, 98}, core::CropGrip::TopRight},
        {{100, 200}, core::CropGrip::BottomLeft}, {{300, 204}, core::CropGrip::BottomRight},
        {{97, 150}, core::CropGrip::Left},        {{300, 152}, core::CropGrip::Right},
        {{200, 100}, core::CropGrip::Top},        {{199, 200}, core::CropGrip::Bottom},
        {{150, 130}, core::CropGrip::Move},       {{100, 130}, core::CropGrip::Move},
        {{50, 50}, core::CropGrip::None},         {{320, 150}, core::CropGrip::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::gripAt(frame, c.at), c.grip) << c.at.x() << "," << c.at.y();
}

TEST(CropViewGeometry, DraggedFramesKeepTheirProportionAndStayInside) {
    const core::CropProportion threeTwo{3, 2};
    const core::CropProportion free{};
    const core::PixelSize least{15, 15};
    using G = core::CropGrip;
    const struct {
        core::CropFrame start;
        G grip;
        double dx, dy;
        core::CropProportion proportion;
        core::CropFrame expected;
    } cases[] = {
        // 301 x 199 at 3:2 snaps to 301 x 201: changing the height is the smaller change.
        {{300, 200, 100, 100}, G::BottomRight, 1, -1, threeTwo, {301, 201, 100, 100}},
        // The top-left corner keeps the bottom-right one where it was.
        {{300, 200, 100, 100}, G::TopLeft, -30, -20, threeTwo, {330, 220, 70, 80}},
        // An edge takes the other side along and keeps the middle across.
        {{300, 200, 100, 100}, G::Right, 60, 0, threeTwo, {360, 240, 100, 80}},
        {{300, 200, 100, 300}, G::Top, 0, -20, threeTwo, {330, 220, 85, 280}},
        // Moving keeps the size and stops at the picture's edge.
        {{300, 200, 100, 100}, G::Move, 1000, -30, threeTwo, {300, 200, 700, 70}},
        // A free frame takes what it is given, down to the least size.
        {{350, 250, 50, 50}, G::BottomRight, 10, -7, free, {360, 243, 50, 50}},
        {{300, 200, 100, 100}, G::BottomRight, -500, -500, free, {15, 15, 100, 100}},
        // No bigger than the room up to the picture's edge.
        {{300, 200, 600, 100}, G::Right, 500, 0, free, {400, 200, 600, 100}},
        {{300, 200, 100, 100}, G::None, 50, 50, free, {300, 200, 100, 100}},
    };
    for (const auto& c : cases) {
        const core::CropFrame f =
            core::draggedFrame(c.start, c.grip, c.dx, c.dy, c.proportion, least, 1000, 1000);
        EXPECT_EQ(f, c.expected) << int(c.grip) << ": " << f.width << "x" << f.height << " at "
                                 << f.left << "," << f.top;
    }
}

TEST(CropViewGeometry, APointerTurnCountsClockwiseAsSeen) {
    const QPointF centre(100, 100);
    EXPECT_DOUBLE_EQ(core::pointerTurn(centre, {200, 100}, {100, 200}), 90.0);  // right to below
    EXPECT_DOUBLE_EQ(core::pointerTurn(centre, {200, 100}, {100, 0}), -90.0);   // right to above
    EXPECT_DOUBLE_EQ(core::pointerTurn(centre, {200, 100}, {0, 100}), 180.0);   // half a turn
    EXPECT_NEAR(core::pointerTurn(centre, {0, 101}, {0, 99}), 1.1458, 1e-3);  // across the -x axis
    EXPECT_DOUBLE_EQ(core::pointerTurn(centre, {150, 150}, {150, 150}), 0.0);
}

}  // namespace
