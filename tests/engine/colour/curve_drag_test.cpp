#include <gtest/gtest.h>

#include <cstring>

#include "caller_picture.h"
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

using testing::neutralParams;

// A 256 by 200 editor over the nine-point brightness curve: points every 32 columns.
constexpr int32_t kW = 256, kH = 200;

int32_t offsetAt(ProcessingParams& p, int32_t x) {
    EqualizerCurve& b = curveObject(CurveKind::Brightness);
    b.rebuildTable(p);
    return b.curveOffset(x, kW, kH);
}

TEST(CurveDrag, MovesTheNearestPointUntilTheCurveMeetsThePointer) {
    ProcessingParams p = neutralParams();
    curveObject(CurveKind::Brightness).absoluteDisplay = false;
    ASSERT_EQ(UpdateEqualizerCurve(128, kH / 2 - 10, kW, kH, 1, &p), 1);
    EXPECT_GT(p.BrightnessEqualizer[4], 0);
    EXPECT_EQ(offsetAt(p, 128), 10);
    // One step less would not reach the pointer: the point moved by single steps.
    ProcessingParams less = p;
    --less.BrightnessEqualizer[4];
    EXPECT_LT(offsetAt(less, 128), 10);
    // The pointer sits on point 4 (x <= 128): the neighbour is point 3, 33 columns away (d 1/33).
    EXPECT_EQ(p.BrightnessEqualizer[3], p.BrightnessEqualizer[4] * 1 / 33);
    for (int k : {0, 1, 2, 5, 6, 7, 8})
        EXPECT_EQ(p.BrightnessEqualizer[k], 0) << k;
}

TEST(CurveDrag, NeighbourFollowsInProportion) {
    ProcessingParams p = neutralParams();
    curveObject(CurveKind::Brightness).absoluteDisplay = false;
    // x = 100: midpoints lie at 16, 48, 80, 112: point 3 (x 96); x > 96, so the neighbour is
    // point 4 (x 128): d_i = 5, d_j = 29.
    ASSERT_EQ(UpdateEqualizerCurve(100, -1000, kW, kH, 1, &p), 1);
    EXPECT_EQ(p.BrightnessEqualizer[3], 100);  // above the panel: up to the limit
    EXPECT_EQ(p.BrightnessEqualizer[4], 100 * 5 / 29);
    ASSERT_EQ(UpdateEqualizerCurve(100, 5000, kW, kH, 1, &p), 1);
    EXPECT_EQ(p.BrightnessEqualizer[3], -100);
    EXPECT_EQ(p.BrightnessEqualizer[4], 100 * 5 / 29 + (-200 * 5 / 29));
}

TEST(CurveDrag, OntoTheCurveChangesNothing) {
    ProcessingParams p = neutralParams();
    p.SaturationEqualizer[7] = 30;
    const ProcessingParams before = p;
    EqualizerCurve& s = curveObject(CurveKind::Saturation);
    s.rebuildTable(p);
    const int32_t y = kH / 2 - s.curveOffset(50, kW, kH);
    ASSERT_EQ(UpdateSaturationCurve(50, y, kW, kH, 1, &p), 1);
    EXPECT_EQ(0, std::memcmp(&p, &before, sizeof p));
}

TEST(CurveDrag, CommitZeroRestoresTheValuesButShowsTheTrial) {
    struct Case {
        CurveKind kind;
        int32_t (*update)(int32_t, int32_t, int32_t, int32_t, int32_t, ProcessingParams*);
        int32_t* (*points)(ProcessingParams&);
    };
    const Case cases[] = {
        {CurveKind::Noise, UpdateNoiseEqualizerCurve,
         [](ProcessingParams& p) -> int32_t* { return p.NoiseEqualizer; }},
        {CurveKind::Sharpness, UpdateSharpnessEqualizerCurve,
         [](ProcessingParams& p) -> int32_t* { return p.SharpnessEqualizer; }},
        {CurveKind::Saturation, UpdateSaturationCurve,
         [](ProcessingParams& p) -> int32_t* { return p.SaturationEqualizer; }},
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams();
        c.points(p)[12] = 5;
        const ProcessingParams before = p;
        // Point 12 of 40 sits at 12 * 256 / 39 = 78.
        ASSERT_EQ(c.update(78, kH / 2 - 20, kW, kH, 0, &p), 1);
        EXPECT_EQ(0, std::memcmp(&p, &before, sizeof p));
        // The table shows the dragged curve: offset 20 at the pointer.
        EXPECT_EQ(curveObject(c.kind).curveOffset(78, kW, kH), 20);
        // With commit the values stay changed.
        ASSERT_EQ(c.update(78, kH / 2 - 20, kW, kH, 1, &p), 1);
        EXPECT_GT(c.points(p)[12], 5);
    }
}

TEST(CurveDrag, AbsoluteDisplayDrawsTheWholeCurve) {
    ProcessingParams p = neutralParams();
    BrightnessCurve& b = brightnessCurve();
    b.rebuildTable(p);
    struct Case {
        int32_t x, deviation, whole;
    };
    // Neutral table: the deviation from the identity rounds to 0 (it is at most -256 levels,
    // and the unit is 6400 / 15 = 426), so the whole curve is the diagonal x * h / w - h / 2.
    const Case cases[] = {{0, 0, -100}, {64, 0, -50}, {128, 0, 0}, {255, 0, 99}};
    for (const Case& c : cases) {
        b.absoluteDisplay = false;
        EXPECT_EQ(b.curveOffset(c.x, kW, kH), c.deviation) << c.x;
        b.absoluteDisplay = true;
        EXPECT_EQ(b.curveOffset(c.x, kW, kH), c.whole) << c.x;
    }
    b.absoluteDisplay = false;
}

TEST(CurveDrag, RefusesAMissingRecord) {
    EXPECT_EQ(UpdateEqualizerCurve(1, 1, 10, 10, 1, nullptr), 0);
}

}  // namespace
}  // namespace dnr
