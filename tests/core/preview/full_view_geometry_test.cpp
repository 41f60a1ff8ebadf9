// One full view as arithmetic: fit scales, zoom steps, the scroll box, keeping the centre and
// the visible part.
#include <gtest/gtest.h>

#include "core/preview/full_view_geometry.h"
#include "core/preview/zoom_list.h"

namespace core {
namespace {

struct ScaleCase {
    const char* what;
    int32_t code;
    PictureSize pane, picture;
    double expected;
};

class ViewScales : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ViewScales, OfEachCode) {
    const ScaleCase& c = GetParam();
    EXPECT_DOUBLE_EQ(viewScale(c.code, c.pane, c.picture), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewScales,
    ::testing::Values(
        ScaleCase{"fit window, width decides", kZoomFitWindow, {800, 600}, {2000, 1000}, 0.4},
        ScaleCase{"fit window, height decides", kZoomFitWindow, {800, 600}, {1000, 2000}, 0.3},
        // A tall picture fitted to the width needs a vertical scroll bar: 16 pixels less.
        ScaleCase{"fit width, tall", kZoomFitWidth, {800, 600}, {1000, 2000}, 0.784},
        ScaleCase{"fit width, wide", kZoomFitWidth, {800, 600}, {2000, 1000}, 0.4},
        ScaleCase{"fit height, wide", kZoomFitHeight, {800, 600}, {2000, 500}, 1.168},
        ScaleCase{"fit height, tall", kZoomFitHeight, {800, 600}, {1000, 2000}, 0.3},
        ScaleCase{"original", kZoomOriginal, {800, 600}, {1000, 2000}, 1.0},
        ScaleCase{"percent", 250, {800, 600}, {1000, 2000}, 2.5},
        ScaleCase{"no picture", kZoomFitWindow, {800, 600}, {0, 0}, 1.0}));

struct StepCase {
    const char* what;
    int32_t code;
    double scale;
    ZoomChange change;
    PictureSize pane, picture;
    int32_t expectedCode;
};

class ZoomSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(ZoomSteps, FromCodeAndScale) {
    const StepCase& c = GetParam();
    const ZoomStepResult r = zoomStep(c.code, c.scale, c.change, c.pane, c.picture);
    EXPECT_EQ(r.code, c.expectedCode) << c.what;
    EXPECT_DOUBLE_EQ(r.scale, viewScale(c.expectedCode, c.pane, c.picture)) << c.what;
}

constexpr PictureSize kPane{600, 600};
constexpr PictureSize kHuge{20000, 20000};  // fits at 3 %

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoomSteps,
    ::testing::Values(
        StepCase{"in from 50", 50, 0.5, ZoomChange::In, kPane, kHuge, 75},
        StepCase{"out from 50", 50, 0.5, ZoomChange::Out, kPane, kHuge, 25},
        StepCase{"in from 500", 500, 5.0, ZoomChange::In, kPane, kHuge, 1000},
        StepCase{"out from 10", 10, 0.1, ZoomChange::Out, kPane, kHuge, 5},
        StepCase{"in from original", kZoomOriginal, 1.0, ZoomChange::In, kPane, kHuge, 150},
        StepCase{"out from original", kZoomOriginal, 1.0, ZoomChange::Out, kPane, kHuge, 75},
        // Fit window at 37 %: the next larger entry.
        StepCase{
            "in from fit 37", kZoomFitWindow, 0.37, ZoomChange::In, {370, 370}, {1000, 1000}, 50},
        StepCase{"in at 1000 does nothing", 1000, 10.0, ZoomChange::In, kPane, kHuge, 1000},
        StepCase{"out at 5 does nothing", 5, 0.05, ZoomChange::Out, kPane, kHuge, 5},
        // Below the smallest entry nothing in the list is at or below the scale: the smallest
        // entry is the step up.
        StepCase{"in from fit 3", kZoomFitWindow, 0.03, ZoomChange::In, kPane, kHuge, 5},
        // The whole picture fits at 80 %: stepping out from 100 % to 75 % would show it
        // smaller than the pane needs, so the view fits the window.
        StepCase{"out to fit window",
                 100,
                 1.0,
                 ZoomChange::Out,
                 {800, 600},
                 {1000, 500},
                 kZoomFitWindow},
        // It fits at 60 %: 75 % is still larger than the fit, then fit window.
        StepCase{"out above the fit", 100, 1.0, ZoomChange::Out, kPane, {1000, 1000}, 75},
        StepCase{
            "out below the fit", 75, 0.75, ZoomChange::Out, kPane, {1000, 1000}, kZoomFitWindow},
        // A tiny picture fitted far beyond the list: out steps to fit, in does nothing.
        StepCase{"out beyond the list",
                 kZoomFitWindow,
                 20.0,
                 ZoomChange::Out,
                 {200, 200},
                 {10, 10},
                 kZoomFitWindow},
        StepCase{"in beyond the list",
                 kZoomFitWindow,
                 20.0,
                 ZoomChange::In,
                 {200, 200},
                 {10, 10},
                 kZoomFitWindow},
        StepCase{"recompute keeps the code", 200, 0.3, ZoomChange::Recompute, kPane, kHuge, 200}));

TEST(ZoomedSize, RoundsDown) {
    EXPECT_EQ(zoomedSize({1000, 2000}, 0.784), (PictureSize{784, 1568}));
    EXPECT_EQ(zoomedSize({333, 777}, 0.5), (PictureSize{166, 388}));
    EXPECT_EQ(zoomedSize({100, 100}, 0.29), (PictureSize{29, 29}));
}

struct BoxCase {
    const char* what;
    PictureSize zoomed, pane;
    PixelRect box;
    bool horizontal, vertical;
    PictureSize visible;
};

class ViewBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ViewBoxes, SizedAndCentred) {
    const BoxCase& c = GetParam();
    const ViewBox v = viewBox(c.zoomed, c.pane);
    EXPECT_EQ(v.box, c.box) << c.what;
    EXPECT_EQ(v.horizontalBar, c.horizontal) << c.what;
    EXPECT_EQ(v.verticalBar, c.vertical) << c.what;
    EXPECT_EQ(v.visible, c.visible) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewBoxes,
    ::testing::Values(
        BoxCase{
            "larger both ways", {2000, 1500}, {800, 600}, {0, 0, 800, 600}, true, true, {784, 584}},
        BoxCase{"smaller both ways",
                {400, 300},
                {800, 600},
                {200, 150, 400, 300},
                false,
                false,
                {400, 300}},
        BoxCase{"wider only", {1000, 300}, {800, 600}, {0, 142, 800, 316}, true, false, {800, 300}},
        BoxCase{
            "taller only", {300, 1000}, {800, 600}, {242, 0, 316, 600}, false, true, {300, 600}},
        // The horizontal bar leaves too little height: the vertical bar is needed as well.
        BoxCase{"wider, nearly as tall",
                {1000, 590},
                {800, 600},
                {0, 0, 800, 600},
                true,
                true,
                {784, 584}}));

TEST(KeptScroll, KeepsTheCentreAcrossZooms) {
    // Centre 300 of 1000 becomes 600 of 2000: scroll 600 - 200.
    EXPECT_EQ(keptScroll(100, 400, 1000, 2000, 400), 400);
    // And back: centre 800 of 2000 becomes 400 of 1000.
    EXPECT_EQ(keptScroll(600, 400, 2000, 1000, 400), 200);
    EXPECT_EQ(keptScroll(600, 400, 1000, 4000, 400), 3000);
    // Never before the start or past the end.
    EXPECT_EQ(keptScroll(0, 400, 1000, 500, 400), 0);
    // A wider view near the end: centre 800 less 400 is past the last position, 200.
    EXPECT_EQ(keptScroll(600, 400, 1000, 1000, 800), 200);
    // A view seen for the first time starts centred.
    EXPECT_EQ(keptScroll(0, 0, 0, 2000, 400), 800);
}

TEST(KeptScroll, GeometryOfBothDirections) {
    const ViewGeometry previous{100, 50, {1000, 800}, {400, 300}};
    const ViewGeometry g = zoomedGeometry(previous, {2000, 1600}, {400, 300});
    EXPECT_EQ(g.scrollX, 400);  // centre 300 -> 600
    EXPECT_EQ(g.scrollY, 250);  // centre 200 -> 400
    EXPECT_EQ(g.control, (PictureSize{2000, 1600}));
    EXPECT_EQ(g.visible, (PictureSize{400, 300}));
}

TEST(VisiblePart, OnlyWhatTheViewShows) {
    // A 24-megapixel picture at 50 %: only 784 x 584 screen pixels' worth is drawn.
    const VisiblePart p = visiblePart({6000, 4000}, 0.5, {1000, 500, {3000, 2000}, {784, 584}});
    EXPECT_EQ(p.target, (PixelRect{0, 0, 784, 584}));
    EXPECT_DOUBLE_EQ(p.sourceLeft, 2000);
    EXPECT_DOUBLE_EQ(p.sourceTop, 1000);
    EXPECT_DOUBLE_EQ(p.sourceWidth, 1568);
    EXPECT_DOUBLE_EQ(p.sourceHeight, 1168);
    EXPECT_EQ(p.originX, 2000);
    EXPECT_EQ(p.originY, 1000);
}

TEST(VisiblePart, AtTheEndAndEnlarged) {
    const VisiblePart end = visiblePart({6000, 4000}, 0.5, {2216, 1416, {3000, 2000}, {784, 584}});
    EXPECT_EQ(end.target, (PixelRect{0, 0, 784, 584}));
    EXPECT_DOUBLE_EQ(end.sourceLeft + end.sourceWidth, 6000);
    EXPECT_DOUBLE_EQ(end.sourceTop + end.sourceHeight, 4000);
    // Enlarged three times: the origin is rounded down.
    const VisiblePart big = visiblePart({100, 100}, 3.0, {10, 20, {300, 300}, {200, 200}});
    EXPECT_EQ(big.originX, 3);
    EXPECT_EQ(big.originY, 6);
    EXPECT_NEAR(big.sourceLeft, 3.3333333, 1e-6);
    EXPECT_EQ(big.target, (PixelRect{0, 0, 200, 200}));
    // Smaller than the view: all of it.
    const VisiblePart small = visiblePart({800, 600}, 0.5, {0, 0, {400, 300}, {400, 300}});
    EXPECT_EQ(small.target, (PixelRect{0, 0, 400, 300}));
    EXPECT_DOUBLE_EQ(small.sourceWidth, 800);
    EXPECT_TRUE(visiblePart({0, 0}, 1.0, {}).empty());
}

}  // namespace
}  // namespace core
