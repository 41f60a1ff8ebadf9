// The preview region as arithmetic: size from pane and zoom, placement, clamping and dragging.
#include <gtest/gtest.h>

#include "core/preview/preview_region.h"

namespace core {
namespace {

TEST(PreviewZoom, ItemsAndTheirPercentages) {
    const char* texts[] = {"25%", "50%", "100%", "150%", "200%", "250%", "300%", "350%", "400%"};
    for (int32_t i = 0; i < 9; ++i)
        EXPECT_EQ(previewZoomItemText(i), QLatin1String(texts[i]));
    EXPECT_EQ(previewZoomPercent(kDefaultPreviewZoomIndex), 150);
    // A stored index outside the list falls back to the default item.
    EXPECT_EQ(previewZoomPercent(-1), 150);
    EXPECT_EQ(previewZoomPercent(9), 150);
}

struct SizeCase {
    PictureSize source, pane;
    int32_t zoom;
    PictureSize expected;
};

class RegionSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(RegionSizes, FromPaneAndZoom) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(regionSize(c.source, c.pane, c.zoom), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegionSizes,
                         ::testing::Values(SizeCase{{5000, 3000}, {500, 400}, 150, {333, 266}},
                                           SizeCase{{5000, 3000}, {500, 400}, 100, {500, 400}},
                                           SizeCase{{5000, 3000}, {500, 400}, 25, {2000, 1600}},
                                           // The source limits the region.
                                           SizeCase{{300, 200}, {500, 400}, 50, {300, 200}},
                                           // Never below 7 pixels.
                                           SizeCase{{5000, 3000}, {5, 3}, 400, {7, 7}},
                                           SizeCase{{5000, 3000}, {0, 0}, 150, {7, 7}}));

TEST(PreviewRegion, StartsCentredAndSitsCentredInThePane) {
    const PreviewRegion r = centredRegion({5000, 3000}, {500, 400}, 150);
    EXPECT_EQ(r.width, 333);
    EXPECT_EQ(r.height, 266);
    EXPECT_DOUBLE_EQ(r.centreX, 2500.0);
    EXPECT_DOUBLE_EQ(r.centreY, 1500.0);
    EXPECT_EQ(r.left, 2334);  // round(2333.5) to the even neighbour
    EXPECT_EQ(r.top, 1367);
    EXPECT_EQ(r.right(), 2334 + 332);
    const PixelRect shown = previewPlacement(r, {500, 400}, 150);
    EXPECT_EQ(shown, (PixelRect{0, 0, 499, 399}));
    const PixelRect small = previewPlacement(r, {600, 500}, 100);
    EXPECT_EQ(small, (PixelRect{133, 117, 333, 266}));
}

TEST(PreviewRegion, ClampsSoThatTheLastColumnAndRowCanBeShown) {
    // A centre beyond the right and bottom edges puts the region's last pixel on the source's.
    const PreviewRegion r = regionAround(1e9, 1e9, {5000, 3000}, {500, 400}, 150);
    EXPECT_EQ(r.left, 5000 - 333);
    EXPECT_EQ(r.top, 3000 - 266);
    EXPECT_EQ(r.right(), 4999);
    EXPECT_EQ(r.bottom(), 2999);
    const PreviewRegion l = regionAround(-50, -50, {5000, 3000}, {500, 400}, 150);
    EXPECT_EQ(l.left, 0);
    EXPECT_EQ(l.top, 0);
    // A region covering the source starts at 0.
    const PreviewRegion all = regionAround(40, 20, {80, 50}, {500, 400}, 100);
    EXPECT_EQ(all.rect(), (PixelRect{0, 0, 80, 50}));
    EXPECT_EQ(clampedRegionStart(4999, 333, 5000), 4667);
}

TEST(PreviewRegion, ZoomChangeKeepsTheCentre) {
    const PreviewRegion r = regionAround(1000, 800, {5000, 3000}, {500, 400}, 150);
    const PreviewRegion z = regionAround(r.centreX, r.centreY, {5000, 3000}, {500, 400}, 50);
    EXPECT_EQ(z.width, 1000);
    EXPECT_EQ(z.height, 800);
    EXPECT_EQ(z.left, 500);
    EXPECT_EQ(z.top, 400);
}

TEST(PreviewDragging, FullPreviewWidthWithAcceleratorFiveMovesFiveRegionWidths) {
    const PictureSize source{5000, 3000};
    PreviewDrag drag;
    drag.start = regionAround(400, 1500, source, {500, 400}, 150);
    ASSERT_EQ(drag.start.left, 234);
    drag.startX = 499;
    drag.startY = 200;
    // Pulling the picture left by the whole preview width.
    PreviewRegion r = draggedRegion(drag, 0, 200, 499, 399, 5, source);
    EXPECT_EQ(r.left, 234 + 5 * 333);
    EXPECT_EQ(r.top, drag.start.top);
    EXPECT_DOUBLE_EQ(r.centreX, r.left + 333 / 2.0);
    // Near the right edge the same drag stops at the last column.
    drag.start = regionAround(4000, 1500, source, {500, 400}, 150);
    r = draggedRegion(drag, 0, 200, 499, 399, 5, source);
    EXPECT_EQ(r.left, 5000 - 333);
    // The other way, clamped at 0; the vertical drag likewise.
    drag.start = regionAround(400, 1500, source, {500, 400}, 150);
    drag.startX = 0;
    r = draggedRegion(drag, 499, 200, 499, 399, 5, source);
    EXPECT_EQ(r.left, 0);
    drag.startY = 0;
    r = draggedRegion(drag, 0, 399, 499, 399, 10, source);
    EXPECT_EQ(r.top, 0);
    // A small move with accelerator 1: 333 * 1 * 30 / 499 = 20 (truncated).
    drag.startX = 100;
    drag.startY = 100;
    r = draggedRegion(drag, 70, 100, 499, 399, 1, source);
    EXPECT_EQ(r.left, drag.start.left + 20);
}

}  // namespace
}  // namespace core
