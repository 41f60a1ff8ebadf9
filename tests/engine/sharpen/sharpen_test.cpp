#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "colour_space.h"
#include "curves.h"
#include "engine_state.h"
#include "envelope_cache.h"
#include "hue.h"
#include "progress.h"
#include "stages.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

// Luma/chroma planes (plain model) with a textured luma and one chroma colour.
PlaneSet texturedPlanes(int32_t w, int32_t h, uint32_t seed, uint16_t cb = 0x8000 + 3000,
                        uint16_t cr = 0x8000 - 2000) {
    PlaneSet s;
    EXPECT_TRUE(s.allocate(w, h));
    s.rgb = false;
    s.model = ChromaModel::Plain;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-6000, 6000);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int base = (x / 5 + y / 4) % 2 ? 42000 : 18000;
            s.planes[PlaneSet::kY].row(y)[x] = uint16_t(base + noise(rng));
            s.planes[PlaneSet::kCb].row(y)[x] = cb;
            s.planes[PlaneSet::kCr].row(y)[x] = cr;
        }
    return s;
}

bool samePlane(const Plane& a, const Plane& b) {
    return a.width == b.width && a.height == b.height &&
           std::equal(a.data(), a.data() + a.size(), b.data());
}

Plane smoothedLuma(const PlaneSet& s, int32_t edgeWidth, BlurVariant v = BlurVariant::Average) {
    Plane out;
    EXPECT_TRUE(velmarBlur(out, &s.planes[PlaneSet::kY], edgeWidth, v));
    return out;
}

ProcessingParams sharpenParams(int32_t amount) {
    ProcessingParams p{};
    p.SharpenAmount = amount;
    p.EdgeWidth = 3;
    p.EdgeContrast = 0;
    p.WhiteHalo = 100;
    p.SharpnessEqualizerCount = 40;
    p.FinalRun = 1;
    return p;
}

class SharpenStage : public ::testing::Test {
  protected:
    void TearDown() override { engine_state::releaseCaches(); }
};

TEST_F(SharpenStage, AmountZeroWithFlatCurveAndNoMapTouchesNothing) {
    ProcessingParams p = sharpenParams(0);
    p.SuppressHalos = 1;
    p.FinalRun = 0;
    const PlaneSet before = texturedPlanes(30, 20, 1);
    PlaneSet planes;
    ASSERT_TRUE(planes.copyFrom(before));
    const uint64_t fills = envelopeCache().fills;
    ASSERT_TRUE(sharpen(planes, p));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(samePlane(planes.planes[k], before.planes[k]));
    EXPECT_EQ(envelopeCache().fills, fills);
}

TEST_F(SharpenStage, MinusFiftyOrLowerGivesTheSmoothedLuma) {
    for (int32_t amount : {-50, -75, -100}) {
        ProcessingParams p = sharpenParams(amount);
        p.EdgeContrast = 40;  // the threshold plays no part in softening
        PlaneSet planes = texturedPlanes(30, 20, 2);
        const PlaneSet before = texturedPlanes(30, 20, 2);
        ASSERT_TRUE(sharpen(planes, p));
        EXPECT_TRUE(samePlane(planes.planes[PlaneSet::kY], smoothedLuma(before, 3))) << amount;
        EXPECT_TRUE(samePlane(planes.planes[PlaneSet::kCb], before.planes[PlaneSet::kCb]));
        EXPECT_TRUE(samePlane(planes.planes[PlaneSet::kCr], before.planes[PlaneSet::kCr]));
    }
}

// With EdgeContrast 0 every difference is amplified by 8*C/100: C = 25 doubles it. With
// WhiteHalo 0 the brightening differences are left alone.
TEST_F(SharpenStage, EdgeContrastZeroAmplifiesEveryDifference) {
    for (int32_t whiteHalo : {100, 0}) {
        ProcessingParams p = sharpenParams(25);
        p.WhiteHalo = whiteHalo;
        PlaneSet planes = texturedPlanes(30, 20, 3);
        const PlaneSet before = texturedPlanes(30, 20, 3);
        const Plane s = smoothedLuma(before, 3);
        ASSERT_TRUE(sharpen(planes, p));
        const Plane& y0 = before.planes[PlaneSet::kY];
        const Plane& y1 = planes.planes[PlaneSet::kY];
        for (size_t i = 0; i < y0.size(); ++i) {
            const int32_t a = y0.data()[i] - s.data()[i];
            const int32_t expected =
                a > 0 && whiteHalo == 0 ? y0.data()[i] : clamp16(y0.data()[i] + 2 * a);
            ASSERT_EQ(y1.data()[i], expected) << i << " WhiteHalo " << whiteHalo;
        }
    }
}

TEST_F(SharpenStage, SuppressedHalosStayBetweenTheEnvelopes) {
    ProcessingParams p = sharpenParams(100);
    p.SuppressHalos = 1;
    p.FinalRun = 0;
    PlaneSet planes = texturedPlanes(40, 30, 4);
    const PlaneSet before = texturedPlanes(40, 30, 4);
    ASSERT_TRUE(sharpen(planes, p));
    const Plane lo = smoothedLuma(before, 6, BlurVariant::Minimum);
    const Plane hi = smoothedLuma(before, 6, BlurVariant::Maximum);
    EXPECT_TRUE(samePlane(envelopeCache().low, lo));
    EXPECT_TRUE(samePlane(envelopeCache().high, hi));
    const Plane& y = planes.planes[PlaneSet::kY];
    int changed = 0;
    for (size_t i = 0; i < y.size(); ++i) {
        ASSERT_GE(y.data()[i], std::min(lo.data()[i], hi.data()[i])) << i;
        ASSERT_LE(y.data()[i], hi.data()[i]) << i;
        changed += y.data()[i] != before.planes[PlaneSet::kY].data()[i];
    }
    EXPECT_GT(changed, 0);
}

TEST_F(SharpenStage, EnvelopesFollowLumaAndEdgeWidthOnlyAndAFinalRunEmptiesThem) {
    ProcessingParams p = sharpenParams(40);
    p.SuppressHalos = 1;
    p.FinalRun = 0;
    auto run = [&p](uint32_t seed) {
        PlaneSet planes = texturedPlanes(24, 16, seed);
        EXPECT_TRUE(sharpen(planes, p));
    };
    run(5);
    const uint64_t fills = envelopeCache().fills;
    const uint64_t key = envelopeCache().key;
    EXPECT_NE(key, 0u);

    p.SharpenAmount = 80;
    p.EdgeContrast = 30;
    p.WhiteHalo = 10;
    run(5);
    EXPECT_EQ(envelopeCache().fills, fills);
    EXPECT_EQ(envelopeCache().key, key);

    p.EdgeWidth = 4;
    run(5);
    EXPECT_EQ(envelopeCache().fills, fills + 1);

    run(6);  // other luma
    EXPECT_EQ(envelopeCache().fills, fills + 2);

    p.FinalRun = 1;
    run(6);
    EXPECT_EQ(envelopeCache().key, 0u);
    EXPECT_TRUE(envelopeCache().low.empty());
    EXPECT_TRUE(envelopeCache().high.empty());
}

// The curve's value at the pixel's hue replaces SharpenAmount when any equalizer point is set.
TEST_F(SharpenStage, SharpnessCurveFollowsTheHue) {
    ProcessingParams curve = sharpenParams(10);
    curve.SharpnessEqualizer[23] = 60;  // the fixture's hue is 213 degrees, point 23 of 40
    curve.SharpnessEqualizer[22] = 40;
    const uint16_t cb = 0x8000 + 3000;
    const uint16_t cr = 0x8000 - 2000;
    rebuildCurveTable(CurveKind::Sharpness, curve);
    const int32_t c = hueLookup(CurveKind::Sharpness, hueOf(cr, cb));
    ASSERT_NE(c, 10);  // the fixture's hue sits under the bumps

    PlaneSet withCurve = texturedPlanes(30, 20, 7, cb, cr);
    ASSERT_TRUE(sharpen(withCurve, curve));
    PlaneSet plain = texturedPlanes(30, 20, 7, cb, cr);
    ASSERT_TRUE(sharpen(plain, sharpenParams(c)));
    EXPECT_TRUE(samePlane(withCurve.planes[PlaneSet::kY], plain.planes[PlaneSet::kY]));

    // With SharpenAmount 0 an active curve still runs the stage.
    ProcessingParams curveOnly = curve;
    curveOnly.SharpenAmount = 0;
    PlaneSet planes = texturedPlanes(30, 20, 7, cb, cr);
    ASSERT_TRUE(sharpen(planes, curveOnly));
    EXPECT_FALSE(samePlane(planes.planes[PlaneSet::kY], texturedPlanes(30, 20, 7).planes[1]));
}

TEST_F(SharpenStage, MapWithNothingToSharpenIsNeutralGrey) {
    ProcessingParams p = sharpenParams(0);
    p.ShowSharpenMap = 1;
    PlaneSet planes = texturedPlanes(20, 12, 8);
    ASSERT_TRUE(sharpen(planes, p));
    // D = 0: E = 0, Y = 0x8000; D <= 0: both chroma 2*0x4000.
    for (const Plane& plane : planes.planes)
        for (size_t i = 0; i < plane.size(); ++i)
            ASSERT_EQ(plane.data()[i], 0x8000);
}

TEST_F(SharpenStage, RgbPlanesAreConvertedToRelativeLumaChroma) {
    PlaneSet planes;
    ASSERT_TRUE(planes.allocate(16, 10));
    std::mt19937 rng(9);
    for (Plane& plane : planes.planes)
        for (size_t i = 0; i < plane.size(); ++i)
            plane.data()[i] = uint16_t(rng());
    PlaneSet expected;
    ASSERT_TRUE(expected.copyFrom(planes));
    ASSERT_TRUE(toLumaChroma(expected, false, ChromaModel::Relative));
    ASSERT_TRUE(sharpen(planes, sharpenParams(-50)));
    EXPECT_FALSE(planes.rgb);
    EXPECT_EQ(planes.model, ChromaModel::Relative);
    EXPECT_TRUE(samePlane(planes.planes[PlaneSet::kCb], expected.planes[PlaneSet::kCb]));
    EXPECT_TRUE(samePlane(planes.planes[PlaneSet::kY], smoothedLuma(expected, 3)));
}

TEST_F(SharpenStage, AbortEndsTheStageAndLeavesNoEnvelopeKey) {
    ProcessingParams p = sharpenParams(50);
    p.SuppressHalos = 1;
    p.FinalRun = 0;
    PlaneSet planes = texturedPlanes(20, 12, 10);
    gAbortFlag.store(true);
    EXPECT_FALSE(sharpen(planes, p));
    clearAbort();
    EXPECT_EQ(envelopeCache().key, 0u);
}

}  // namespace
}  // namespace dnr
