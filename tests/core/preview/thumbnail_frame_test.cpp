// The thumbnail of the whole source: the frame of the region, its hint, and pointing into it.
#include <gtest/gtest.h>

#include "core/preview/thumbnail_frame.h"
#include "text_table.h"

namespace core {
namespace {

const PictureSize kSource{5000, 3000};
const PictureSize kThumb{250, 150};  // a twentieth

TEST(ThumbnailFrame, MarksTheRegionScaledToTheThumbnail) {
    const PreviewRegion r = centredRegion(kSource, {500, 400}, 150);
    EXPECT_EQ(thumbnailFrame(r, kSource, kThumb), (PixelRect{116, 68, 16, 13}));
    const TextLookup texts =
        textTable({{"ALS_SELECT_PREVIEW_AREA", "Drag to choose the preview area (%s x %s)"}});
    EXPECT_EQ(thumbnailHint(texts, r),
              QStringLiteral("Drag to choose the preview area (333 x 266)"));
}

struct PointCase {
    int32_t tx, ty;
    double cx, cy;
    int32_t left, top;
};

class ThumbnailPointing : public ::testing::TestWithParam<PointCase> {};

TEST_P(ThumbnailPointing, SetsTheCentreInsideTheSource) {
    const PointCase& c = GetParam();
    const PreviewRegion start = centredRegion(kSource, {500, 400}, 150);
    const RegionCentre centre = centreFromThumbnail(c.tx, c.ty, kThumb, kSource, {333, 266});
    EXPECT_DOUBLE_EQ(centre.x, c.cx);
    EXPECT_DOUBLE_EQ(centre.y, c.cy);
    const PreviewRegion r = regionFromThumbnail(start, c.tx, c.ty, kThumb, kSource);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.width, 333);
    EXPECT_EQ(r.height, 266);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailPointing,
                         ::testing::Values(
                             // f = 20 in both directions.
                             PointCase{100, 50, 2000, 1000, 1834, 867},
                             // The corner near the origin keeps the whole region inside.
                             PointCase{0, 0, 166.5, 133, 0, 0},
                             PointCase{-30, -30, 166.5, 133, 0, 0},
                             // The far corner reaches the last column and row.
                             PointCase{249, 149, 4833.5, 2867, 4667, 2734},
                             PointCase{900, 900, 4833.5, 2867, 4667, 2734}));

}  // namespace
}  // namespace core
