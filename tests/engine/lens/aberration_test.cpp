#include <gtest/gtest.h>

#include <algorithm>

#include "aberration_rule.h"
#include "colour_space.h"
#include "falloff.h"
#include "hue.h"
#include "plane_fixture.h"
#include "progress.h"
#include "stages.h"

namespace dnr {
namespace {

using testing::samePlanes;

TEST(AberrationRule, HueDistance) {
    struct Case {
        int32_t hue128, chroma, fringeHue128, fringeChroma, hueWeight;
        int64_t distance;
    };
    const Case cases[] = {
        {300 * 128, 5000, 300 * 128, 5000, 100, 0},
        // 200 degrees apart the short way round is 160: dh = 46080 - 25600 = 20480,
        // (20480*100) >> 10 = 2000, 2000^2 >> 8 = 15625.
        {100 * 128, 5000, 300 * 128, 5000, 100, 15625},
        {300 * 128, 5000, 100 * 128, 5000, 100, 15625},
        // dh = -1000: (-100000) >> 10 floors to -98, 9604 >> 8 = 37.
        {1000, 5000, 2000, 5000, 100, 37},
        // A near-grey (chroma 512) counts as closer: dh = (1000*512) >> 10 = 500, then 48,
        // 2304 >> 8 = 9.
        {2000, 512, 1000, 5000, 100, 9},
        {2000, 5000, 1000, 512, 100, 9},
        // Tolerance 100: weight 0, every hue is at distance 0.
        {0, 5000, 200 * 128, 5000, 0, 0},
    };
    for (const Case& c : cases) {
        FringeColour f;
        f.hue128 = c.fringeHue128;
        f.chroma = c.fringeChroma;
        f.hueWeight = c.hueWeight;
        EXPECT_EQ(fringeDistance(c.hue128, c.chroma, f), c.distance)
            << c.hue128 << " " << c.fringeHue128;
    }
}

TEST(AberrationRule, ChromaKeep) {
    struct Case {
        int32_t spread;
        int64_t distance;
        int32_t k;
    };
    const Case cases[] = {
        {65280, 0, 0},                          // bright and on the fringe hue: all chroma goes
        {0, 0, 1024},                           // far from bright areas: unchanged
        {16384, 0, 512},                        // s = 512
        {65280, 100000, 1024 - falloff(1023)},  // far in hue
        {65280, 700, 1024 - falloff(700)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chromaKeep(c.spread, c.distance), c.k) << c.spread << " " << c.distance;
    EXPECT_EQ(scaleChroma(512, 0x8000 + 1000), 0x8000 + 500);
    EXPECT_EQ(scaleChroma(512, 0x8000 - 1001), 0x8000 - 501);  // flooring shift
    EXPECT_EQ(scaleChroma(0, 0x8000 + 9000), 0x8000);
    EXPECT_EQ(scaleChroma(1024, 123), 123);
}

TEST(AberrationRule, FringeColourFromThePick) {
    ProcessingParams p{};
    p.CAColorRed = 50000;
    p.CAColorGreen = 10000;
    p.CAColorBlue = 50000;
    p.CATolerance = 30;
    const Ycc c = rgbToYcc(50000, 10000, 50000, ChromaModel::Plain);
    const FringeColour f = fringeColour(p);
    EXPECT_EQ(f.hue128, hue128Of(c.cr, c.cb));
    EXPECT_EQ(f.chroma, chromaOf(c.cr, c.cb));
    EXPECT_EQ(f.luma, c.y);
    EXPECT_EQ(f.hueWeight, 70);
}

// Luma 20000 with a bright square; every pixel has the fringe colour's chroma unless told.
constexpr int32_t kW = 60;
constexpr int32_t kH = 40;

PlaneSet fringedPlanes(uint16_t brightLuma, const Ycc& colour) {
    PlaneSet s;
    EXPECT_TRUE(s.allocate(kW, kH));
    s.rgb = false;
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            const bool bright = x >= 10 && x < 15 && y >= 10 && y < 15;
            s.planes[PlaneSet::kY].row(y)[x] = bright ? brightLuma : 20000;
            s.planes[PlaneSet::kCb].row(y)[x] = uint16_t(colour.cb);
            s.planes[PlaneSet::kCr].row(y)[x] = uint16_t(colour.cr);
        }
    return s;
}

const Ycc kPurple = rgbToYcc(50000, 10000, 50000, ChromaModel::Plain);
const Ycc kGreen = rgbToYcc(10000, 50000, 10000, ChromaModel::Plain);

ProcessingParams aberrationParams() {
    ProcessingParams p{};
    p.CAOn = 1;
    p.CARadius = 40;  // r = 40*60/400 = 6
    p.CAThreshold = 200;
    p.CAColorRed = 50000;
    p.CAColorGreen = 10000;
    p.CAColorBlue = 50000;
    p.CATolerance = 0;
    p.FullWidth = kW;
    p.FullHeight = kH;
    p.FinalRun = 1;
    return p;
}

TEST(Aberration, ThresholdsThatNoPixelPasses) {
    struct Case {
        int32_t threshold;
        uint16_t brightLuma;
    };
    // 255: luma must exceed 65280, the most an 8-bit picture holds; 256 and more: nothing can.
    const Case cases[] = {{255, 65280}, {256, 65535}, {300, 65535}};
    for (const Case& c : cases) {
        ProcessingParams p = aberrationParams();
        p.CAThreshold = c.threshold;
        p.CATolerance = 100;
        PlaneSet planes = fringedPlanes(c.brightLuma, kPurple);
        ASSERT_TRUE(correctAberration(planes, p));
        EXPECT_TRUE(samePlanes(planes, fringedPlanes(c.brightLuma, kPurple))) << c.threshold;
    }
}

TEST(Aberration, RadiusZeroTouchesOnlyTheBrightPixels) {
    ProcessingParams p = aberrationParams();
    p.CARadius = 0;
    p.CATolerance = 100;  // weight 0: any hue counts
    PlaneSet planes = fringedPlanes(60000, kGreen);
    ASSERT_TRUE(correctAberration(planes, p));
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            const bool bright = x >= 10 && x < 15 && y >= 10 && y < 15;
            const int32_t cb = planes.planes[PlaneSet::kCb].row(y)[x];
            const int32_t cr = planes.planes[PlaneSet::kCr].row(y)[x];
            ASSERT_EQ(cb, bright ? 0x8000 : kGreen.cb) << x << "," << y;
            ASSERT_EQ(cr, bright ? 0x8000 : kGreen.cr) << x << "," << y;
        }
}

TEST(Aberration, NearBrightAreasTheFringeHueLosesChromaOtherHuesKeepIt) {
    ProcessingParams p = aberrationParams();
    PlaneSet purple = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(purple, p));
    PlaneSet green = fringedPlanes(60000, kGreen);
    ASSERT_TRUE(correctAberration(green, p));
    const PlaneSet greenBefore = fringedPlanes(60000, kGreen);
    // A bright pixel of the fringe hue becomes grey; its luma stays.
    EXPECT_EQ(purple.planes[PlaneSet::kCb].row(12)[12], 0x8000);
    EXPECT_EQ(purple.planes[PlaneSet::kCr].row(12)[12], 0x8000);
    EXPECT_EQ(purple.planes[PlaneSet::kY].row(12)[12], 60000);
    // Just beside the square the spread mask is still strong.
    EXPECT_LT(std::abs(purple.planes[PlaneSet::kCb].row(12)[15] - 0x8000),
              std::abs(kPurple.cb - 0x8000));
    // Far away nothing changes.
    EXPECT_EQ(purple.planes[PlaneSet::kCb].row(35)[50], kPurple.cb);
    EXPECT_EQ(purple.planes[PlaneSet::kCr].row(35)[50], kPurple.cr);
    // Green is 120 degrees from the fringe: the fall-off is 0 there, nothing changes.
    EXPECT_TRUE(samePlanes(green, greenBefore));
}

TEST(Aberration, ToleranceHundredDesaturatesEveryHueNearBrightAreas) {
    ProcessingParams p = aberrationParams();
    p.CATolerance = 100;
    PlaneSet green = fringedPlanes(60000, kGreen);
    ASSERT_TRUE(correctAberration(green, p));
    EXPECT_EQ(green.planes[PlaneSet::kCb].row(12)[12], 0x8000);
    EXPECT_EQ(green.planes[PlaneSet::kCr].row(12)[12], 0x8000);
    EXPECT_NE(green.planes[PlaneSet::kCb].row(12)[16], kGreen.cb);
    EXPECT_EQ(green.planes[PlaneSet::kCb].row(35)[50], kGreen.cb);
}

// The radius is a fraction of the whole picture: a preview holding a small part of a large
// picture searches as far as the whole picture's size asks.
TEST(Aberration, RadiusFollowsTheWholePicture) {
    ProcessingParams p = aberrationParams();
    p.CARadius = 10;
    PlaneSet small = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(small, p));  // r = 10*60/400 = 1
    p.FullWidth = 4000;
    p.FullHeight = 3000;
    PlaneSet large = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(large, p));  // r = 100
    EXPECT_EQ(small.planes[PlaneSet::kCb].row(12)[25], kPurple.cb);
    EXPECT_NE(large.planes[PlaneSet::kCb].row(12)[25], kPurple.cb);
}

TEST(Aberration, MapInPreviewCorrectionInFinalRun) {
    ProcessingParams p = aberrationParams();
    p.ShowCAMap = 1;
    PlaneSet finalRun = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(finalRun, p));
    p.ShowCAMap = 0;
    PlaneSet corrected = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(corrected, p));
    EXPECT_TRUE(samePlanes(finalRun, corrected));

    p.ShowCAMap = 1;
    p.FinalRun = 0;
    PlaneSet map = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(map, p));
    const Plane& y = map.planes[PlaneSet::kY];
    const Plane& cb = map.planes[PlaneSet::kCb];
    for (size_t i = 0; i < map.planes[PlaneSet::kCr].size(); ++i)
        ASSERT_EQ(map.planes[PlaneSet::kCr].data()[i], 0x8000);
    EXPECT_EQ(y.row(0)[0], 0x8000);  // the first pixel is its own predecessor
    EXPECT_EQ(y.row(5)[5], 0x8000);  // flat luma
    // Embossed edges: entering the square (20000 -> 60000) and leaving it.
    EXPECT_EQ(y.row(12)[10], (20000 - 60000) / 2 + 0x8000);
    EXPECT_EQ(y.row(12)[15], (60000 - 20000) / 2 + 0x8000);
    // The first pixel of a row follows the last of the row below.
    EXPECT_EQ(y.row(13)[0], 0x8000);
    // Corrected pixels in blue: twice the chroma change; unchanged ones neutral.
    const int32_t change = std::abs(kPurple.cb - 0x8000) + std::abs(kPurple.cr - 0x8000);
    EXPECT_EQ(cb.row(12)[12], std::min(2 * change + 0x8000, 65535));
    EXPECT_EQ(cb.row(35)[50], 0x8000);
}

TEST(Aberration, AbortEndsTheStage) {
    ProcessingParams p = aberrationParams();
    PlaneSet planes = fringedPlanes(60000, kPurple);
    gAbortFlag.store(true);
    EXPECT_FALSE(correctAberration(planes, p));
    clearAbort();
}

TEST(Aberration, NegativeRadiusIsTakenAsZero) {
    ProcessingParams p = aberrationParams();
    p.CARadius = -4;
    p.FullWidth = 400;  // r = -4 would make the filter's step weight divide by zero
    p.CATolerance = 100;
    PlaneSet planes = fringedPlanes(60000, kPurple);
    ASSERT_TRUE(correctAberration(planes, p));
    EXPECT_EQ(planes.planes[PlaneSet::kCb].row(12)[15], kPurple.cb);
    EXPECT_EQ(planes.planes[PlaneSet::kCb].row(12)[14], 0x8000);
}

}  // namespace
}  // namespace dnr
