// The source and output full views together: one zoom for both, the place kept, scrolling and
// dragging together, the frames mode and the comparison rule.
#include <gtest/gtest.h>

#include "core/preview/full_views_state.h"

namespace core {
namespace {

constexpr PictureSize kPane{500, 400};
constexpr PictureSize kPicture{2000, 1000};

ViewInput shown(PictureSize picture = kPicture) {
    return {true, kPane, picture};
}
ViewInput hidden(PictureSize picture = kPicture) {
    return {false, kPane, picture};
}

TEST(FullViewsState, OneZoomStepMovesBothViewsOnce) {
    FullViewsState s;
    s.setZoomCode(100);
    s.zoom(ZoomChange::Recompute, shown(), shown());
    // One step in for the pair, not one per view.
    const auto z = s.zoom(ZoomChange::In, shown(), shown());
    EXPECT_EQ(s.zoomCode(), 150);
    ASSERT_TRUE(z.source && z.output);
    EXPECT_DOUBLE_EQ(z.source->scale, 1.5);
    EXPECT_DOUBLE_EQ(z.output->scale, 1.5);
    EXPECT_EQ(z.source->geometry, z.output->geometry);
    EXPECT_EQ(z.source->control, (PictureSize{3000, 1500}));
    EXPECT_DOUBLE_EQ(s.lastScale(), 1.5);
}

TEST(FullViewsState, ZoomKeepsTheCentre) {
    FullViewsState s;
    s.setZoomCode(100);
    s.zoom(ZoomChange::Recompute, shown(), shown());
    // Both panes 500 x 400; at 100 % the 2000 x 1000 picture scrolls both ways (484 x 384 seen).
    ASSERT_TRUE(s.scrolled(ViewSide::Source, 1000, 300));
    const auto z = s.zoom(ZoomChange::In, shown(), shown());
    // Centre (1242, 492) at 100 % is (1863, 738) at 150 %.
    EXPECT_EQ(z.source->geometry.scrollX, 1863 - 242);
    EXPECT_EQ(z.source->geometry.scrollY, 738 - 192);
    const auto back = s.zoom(ZoomChange::Out, shown(), shown());
    EXPECT_EQ(s.zoomCode(), 100);
    EXPECT_EQ(back.source->geometry.scrollX, 1000);
    EXPECT_EQ(back.source->geometry.scrollY, 300);
}

TEST(FullViewsState, FitWindowShowsEverything) {
    FullViewsState s;
    const auto z = s.zoom(ZoomChange::Recompute, shown(), shown());
    EXPECT_EQ(s.zoomCode(), kZoomFitWindow);
    EXPECT_DOUBLE_EQ(z.source->scale, 0.25);
    EXPECT_EQ(z.source->control, (PictureSize{500, 250}));
    EXPECT_EQ(z.source->box.box, (PixelRect{0, 75, 500, 250}));
    EXPECT_EQ(z.source->geometry.scrollX, 0);
    EXPECT_FALSE(z.source->box.horizontalBar);
}

TEST(FullViewsState, AHiddenOutputFollowsTheSource) {
    FullViewsState s;
    s.setZoomCode(200);
    s.zoom(ZoomChange::Recompute, shown(), hidden());
    s.scrolled(ViewSide::Source, 700, 400);
    const auto z = s.zoom(ZoomChange::In, shown(), hidden());
    EXPECT_FALSE(z.output);
    EXPECT_EQ(s.geometry(ViewSide::Output), s.geometry(ViewSide::Source));
    EXPECT_DOUBLE_EQ(s.scale(ViewSide::Output), 2.5);
    // Showing both later starts from that place.
    const auto both = s.zoom(ZoomChange::Recompute, shown(), shown());
    EXPECT_EQ(both.output->geometry, z.source->geometry);
}

TEST(FullViewsState, AHiddenSourceFollowsTheOutput) {
    FullViewsState s;
    s.setZoomCode(100);
    s.zoom(ZoomChange::Recompute, hidden(), shown());
    s.scrolled(ViewSide::Output, 600, 200);
    const auto z = s.zoom(ZoomChange::In, hidden(), shown());
    EXPECT_FALSE(z.source);
    EXPECT_EQ(s.zoomCode(), 150);
    // The output kept its own centre (842, 392) -> (1263, 588).
    EXPECT_EQ(z.output->geometry.scrollX, 1263 - 242);
    EXPECT_EQ(z.output->geometry.scrollY, 588 - 192);
    EXPECT_EQ(s.geometry(ViewSide::Source), s.geometry(ViewSide::Output));
}

TEST(FullViewsState, ScrollingOneViewMovesTheOther) {
    FullViewsState s;
    s.setZoomCode(100);
    s.zoom(ZoomChange::Recompute, shown(), shown());
    const auto follow = s.scrolled(ViewSide::Source, 120, 80);
    ASSERT_TRUE(follow);
    EXPECT_EQ(*follow, (ScrollPosition{120, 80}));
    EXPECT_EQ(s.geometry(ViewSide::Output).scrollX, 120);
    // The other view reporting the position it was given is not a new move.
    EXPECT_FALSE(s.scrolled(ViewSide::Output, 120, 80));
    EXPECT_FALSE(s.scrolled(ViewSide::Source, 120, 80));
    const auto back = s.scrolled(ViewSide::Output, 10, 20);
    ASSERT_TRUE(back);
    EXPECT_EQ(s.geometry(ViewSide::Source).scrollY, 20);
}

TEST(FullViewsState, TheFollowerStaysWithinItsRange) {
    FullViewsState s;
    s.setZoomCode(100);
    // The output is smaller (cropped): its range ends earlier.
    s.zoom(ZoomChange::Recompute, shown(), shown({1000, 600}));
    const auto follow = s.scrolled(ViewSide::Source, 1400, 500);
    ASSERT_TRUE(follow);
    EXPECT_EQ(*follow, (ScrollPosition{1000 - 484, 600 - 384}));
}

TEST(FullViewsState, DraggingScrollsByTheAcceleratedDistance) {
    FullViewsState s;
    s.setZoomCode(100);
    s.zoom(ZoomChange::Recompute, shown(), shown());
    s.scrolled(ViewSide::Output, 500, 300);
    s.startDrag(ViewSide::Output, 200, 150);
    EXPECT_TRUE(s.dragging());
    EXPECT_EQ(s.dragTo(190, 160, 3), (ScrollPosition{530, 270}));
    // The accelerator is 1..10; the range holds.
    EXPECT_EQ(s.dragTo(190, 160, 50), (ScrollPosition{600, 200}));
    EXPECT_EQ(s.dragTo(0, 0, 10), (ScrollPosition{1516, 616}));
    EXPECT_EQ(s.dragTo(400, 400, 0), (ScrollPosition{300, 50}));
    s.endDrag();
    EXPECT_FALSE(s.dragTo(0, 0, 1));
}

TEST(FullViewsState, UnknownCodeFallsBackToFitWindow) {
    FullViewsState s;
    s.setZoomCode(33);
    EXPECT_EQ(s.zoomCode(), kZoomFitWindow);
}

TEST(FramesMode, SingleShowsTheOutputWhenThereIsOne) {
    EXPECT_EQ(framesModeFor(true, false), FramesMode::Both);
    EXPECT_EQ(framesModeFor(true, true), FramesMode::Both);
    EXPECT_EQ(framesModeFor(false, false), FramesMode::SourceOnly);
    EXPECT_EQ(framesModeFor(false, true), FramesMode::OutputOnly);
    EXPECT_TRUE(sourceShown(FramesMode::Both) && outputShown(FramesMode::Both));
    EXPECT_FALSE(outputShown(FramesMode::SourceOnly));
    EXPECT_FALSE(sourceShown(FramesMode::OutputOnly));
}

TEST(FramesMode, ComparingNeedsAnOutputOnScreen) {
    EXPECT_TRUE(comparesOnPress(true, FramesMode::Both));
    EXPECT_TRUE(comparesOnPress(true, FramesMode::OutputOnly));
    EXPECT_FALSE(comparesOnPress(true, FramesMode::SourceOnly));
    EXPECT_FALSE(comparesOnPress(false, FramesMode::Both));
}

}  // namespace
}  // namespace core
