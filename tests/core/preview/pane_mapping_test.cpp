// Pane points to picture pixels at the corners of whole-picture and region panes, the engine's
// bottom-up rows, the block sizes of the picks and the block centre kept inside the picture.
#include <gtest/gtest.h>

#include "core/preview/pane_mapping.h"

namespace core {
namespace {

struct WholeCase {
    int32_t px, py;
    PicturePoint expected;
};

TEST(PaneMappingTest, WholePictureCornersReachThePictureCorners) {
    const PictureSize pane{301, 201};
    const PictureSize picture{6000, 4000};
    const WholeCase cases[] = {
        {0, 0, {0, 0}},
        {300, 0, {5999, 0}},
        {0, 200, {0, 3999}},
        {300, 200, {5999, 3999}},
        {150, 100, {3000, 2000}},  // round(150 * 5999 / 300) =
                                   // round(2999.5)
        {-5, 250, {0, 3999}},      // outside the pane: clamped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mapWholePicturePoint(c.px, c.py, pane, picture), c.expected)
            << c.px << "," << c.py;
    }
}

TEST(PaneMappingTest, RegionPaneMapsIntoTheRegion) {
    const PictureSize pane{500, 400};
    const PixelRect region{1000, 600, 333, 266};
    const PictureSize picture{5000, 3000};
    EXPECT_EQ(mapRegionPoint(0, 0, pane, region, picture), (PicturePoint{1000, 600}));
    EXPECT_EQ(mapRegionPoint(499, 399, pane, region, picture), (PicturePoint{1332, 865}));
    // round(250 * 332 / 499) = round(166.33), round(200 * 265 / 399) = round(132.83)
    EXPECT_EQ(mapRegionPoint(250, 200, pane, region, picture), (PicturePoint{1166, 733}));
    // A region at the picture's far corner never maps past it.
    const PixelRect corner{4667, 2734, 333, 266};
    EXPECT_EQ(mapRegionPoint(900, 900, pane, corner, picture), (PicturePoint{4999, 2999}));
}

TEST(PaneMappingTest, TinyPanesMapToTheOrigin) {
    EXPECT_EQ(mapWholePicturePoint(1, 1, {1, 100}, {640, 480}), (PicturePoint{0, 0}));
    EXPECT_EQ(mapRegionPoint(1, 1, {100, 1}, {10, 10, 50, 50}, {640, 480}), (PicturePoint{0, 0}));
}

TEST(PaneMappingTest, EngineRowsCountFromTheBottom) {
    EXPECT_EQ(rowFromBottom(0, 480), 479);
    EXPECT_EQ(rowFromBottom(479, 480), 0);
    // The top left pane corner is the engine's last row.
    const PicturePoint p = mapWholePicturePoint(0, 0, {320, 240}, {640, 480});
    EXPECT_EQ(rowFromBottom(p.y, 480), 479);
}

TEST(PaneMappingTest, PickBlockSizes) {
    struct Case {
        PickKind kind;
        PictureSize picture;
        int32_t block;
    };
    const Case cases[] = {
        {PickKind::AdjustNoise, {640, 480}, 10},
        {PickKind::NoiseIncrease, {6000, 4000}, 10},  // 60 capped at 10
        {PickKind::NoiseDecrease, {6000, 4000}, 10},
        {PickKind::NoiseIncrease, {640, 480}, 6},
        {PickKind::NoiseDecrease, {480, 640}, 6},
        {PickKind::NoiseIncrease, {250, 120}, 3},  // round(2.5) away from zero
        {PickKind::CAColour, {6000, 4000}, 4},
        {PickKind::ColourSample, {6000, 4000}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pickBlockSize(c.kind, c.picture), c.block)
            << c.picture.width << "x" << c.picture.height;
}

TEST(PaneMappingTest, BlockCentreKeepsTheBlockInside) {
    const PictureSize picture{640, 480};
    // A click at the edge on the CA tab: the 4-pixel block stays inside.
    EXPECT_EQ(clampBlockCentre({0, 0}, 4, picture), (PicturePoint{2, 2}));
    EXPECT_EQ(clampBlockCentre({639, 479}, 4, picture), (PicturePoint{637, 477}));
    EXPECT_EQ(clampBlockCentre({639, 0}, 10, picture), (PicturePoint{634, 5}));
    EXPECT_EQ(clampBlockCentre({320, 240}, 10, picture), (PicturePoint{320, 240}));
    EXPECT_EQ(clampBlockCentre({639, 479}, 1, picture), (PicturePoint{639, 479}));
}

TEST(PaneMappingTest, SamplingFrameIsScaledAndStaysInThePane) {
    // A 10-pixel block on a region of 250 pixels shown 500 wide: a 20-pixel square.
    EXPECT_EQ(samplingFrame(100, 50, 10, {500, 400}, 250), (PixelRect{90, 40, 20, 20}));
    EXPECT_EQ(samplingFrame(2, 399, 10, {500, 400}, 250), (PixelRect{0, 380, 20, 20}));
    EXPECT_EQ(samplingFrame(499, 3, 10, {500, 400}, 250), (PixelRect{480, 0, 20, 20}));
}

TEST(PaneMappingTest, CaptionPositionCountsRowsFromTheBottom) {
    const PictureSize picture{1001, 501};
    EXPECT_EQ(captionPositionAt({0, 0}, picture), (CaptionPosition{0, 10000}));
    EXPECT_EQ(captionPositionAt({1000, 500}, picture), (CaptionPosition{10000, 0}));
    EXPECT_EQ(captionPositionAt({970, 485}, picture), (CaptionPosition{9700, 300}));
}

}  // namespace
}  // namespace core
