#include <gtest/gtest.h>

#include <cmath>

#include "caller_picture.h"
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

using testing::neutralParams;

TEST(CurveTable, ZeroHueCurvesGiveZeroTables) {
    ProcessingParams p = neutralParams();
    for (CurveKind kind : {CurveKind::Saturation, CurveKind::Noise, CurveKind::Sharpness}) {
        rebuildCurveTable(kind, p);
        for (int32_t e : curveObject(kind).lookupTable)
            EXPECT_EQ(e, 0);
        EXPECT_EQ(hueLookup(kind, 0), 0);
        EXPECT_EQ(hueLookup(kind, 359), 0);
    }
}

TEST(CurveTable, BaseValuesRaiseTheWholeHueCurve) {
    struct Case {
        CurveKind kind;
        int32_t saturation, sharpen, expected;
    };
    const Case cases[] = {
        {CurveKind::Saturation, 40, 0, 40}, {CurveKind::Saturation, -100, 0, -100},
        {CurveKind::Sharpness, 0, 25, 25},  {CurveKind::Sharpness, 0, 300, 100},  // clamped
        {CurveKind::Noise, 40, 25, 0},  // the noise curve has no base
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams();
        p.Saturation = c.saturation;
        p.SharpenAmount = c.sharpen;
        rebuildCurveTable(c.kind, p);
        const EqualizerCurve& curve = curveObject(c.kind);
        EXPECT_EQ(curve.lookupTable[0], c.expected * 1024);
        EXPECT_EQ(curve.lookupTable[256], c.expected * 1024);
        for (int32_t h : {0, 90, 200, 359})
            EXPECT_EQ(hueLookup(c.kind, h), c.expected);
    }
}

TEST(CurveTable, ValueIsASumOfGaussianBumps) {
    ProcessingParams p = neutralParams();
    // Nine points: spacing 256 / 8 = 32, width one spacing.
    p.BrightnessEqualizer[4] = -50;  // at 4 * 256 / 8 = 128
    const EqualizerCurve& b = curveObject(CurveKind::Brightness);
    EXPECT_DOUBLE_EQ(b.value(128, 256, p), -50.0);
    EXPECT_DOUBLE_EQ(b.value(160, 256, p), -50 * std::exp(-1.0));
    EXPECT_DOUBLE_EQ(b.value(64, 256, p), -50 * std::exp(-4.0));

    // Forty points: spacing 256 / 39 = 6 (integer), width about sqrt(3) spacings.
    p.NoiseEqualizer[20] = 60;  // at 20 * 256 / 39 = 131
    const EqualizerCurve& n = curveObject(CurveKind::Noise);
    EXPECT_DOUBLE_EQ(n.value(131, 256, p), 60.0);
    EXPECT_DOUBLE_EQ(n.value(137, 256, p), 60 * std::exp(-1.0 / 3));
    EXPECT_DOUBLE_EQ(n.value(119, 256, p), 60 * std::exp(-4.0 / 3));

    // Bumps add and the sum is clamped.
    p.NoiseEqualizer[21] = 100;
    EXPECT_DOUBLE_EQ(n.value(134, 256, p), 100.0);
    p.NoiseEqualizer[20] = p.NoiseEqualizer[21] = 0;
    p.NoiseEqualizer[0] = 80;  // does not wrap around to 360 degrees
    EXPECT_LT(n.value(255, 256, p), 1e-9);
}

TEST(CurveTable, HueTableEntriesAreTruncatedValues) {
    ProcessingParams p = neutralParams();
    p.SaturationEqualizer[10] = 33;
    rebuildCurveTable(CurveKind::Saturation, p);
    const EqualizerCurve& s = curveObject(CurveKind::Saturation);
    for (int i : {0, 50, 65, 66, 70, 255})
        EXPECT_EQ(s.lookupTable[i], static_cast<int32_t>(s.value(i, 256, p) * 1024)) << i;
    EXPECT_EQ(s.lookupTable[256], s.lookupTable[255]);
    // Point 10 sits at 10 * 256 / 39 = 65, the hue 65 * 360 / 256 = 91.4 degrees.
    EXPECT_EQ(s.lookupTable[65], 33 * 1024);
}

TEST(CurveTable, LookupsInterpolateTheTable) {
    EqualizerCurve& c = curveObject(CurveKind::Sharpness);
    c.lookupTable.fill(0);
    c.lookupTable[1] = 256 * 1024;
    c.lookupTable[2] = -1000;
    EXPECT_EQ(c.tableLookup(256), 256 * 1024);
    EXPECT_EQ(c.tableLookup(384), (256 * 1024 * 128 + -1000 * 128) >> 8);
    EXPECT_EQ(c.tableLookup(300), (int64_t{256 * 1024} * 212 + int64_t{-1000} * 44) >> 8);
    EXPECT_EQ(c.tableLookup(520), (-1000 * 248) >> 8);  // a flooring shift: -969
    EXPECT_EQ(tableLookup(CurveKind::Sharpness, 520), -969);
    // hue 1 degree reads 65535 / 360 = 182: 256 * 1024 * 182 / 256 >> 10 = 182
    EXPECT_EQ(hueLookup(CurveKind::Sharpness, 1), (((256 * 1024) * 182) >> 8) >> 10);
}

TEST(CurveTable, BlackAndWhiteMixIsTheSaturationBase) {
    ProcessingParams p = neutralParams();
    p.BWConversion = 1;
    p.Saturation = 70;  // not the base in black-and-white mode
    p.BWRed = 100;
    const double kRad = 0.017444444444444446;
    const EqualizerCurve& s = curveObject(CurveKind::Saturation);
    EXPECT_DOUBLE_EQ(s.baseValue(0, 360, p), 100.0);
    EXPECT_DOUBLE_EQ(s.baseValue(60, 360, p), 100 * std::cos(60 * kRad));
    EXPECT_DOUBLE_EQ(s.baseValue(120, 360, p), 0.0);
    p.BWRed = 0;
    p.BWGreen = -80;  // peaks at 120 degrees
    EXPECT_DOUBLE_EQ(s.baseValue(120, 360, p), -80 * std::cos(360 * kRad));
    // Positions are turned into whole degrees first: 1 of 256 is 1 degree.
    EXPECT_DOUBLE_EQ(s.baseValue(1, 256, p), -80 * std::max(0.0, std::cos(241 * kRad)));
}

TEST(CurveTable, CountsBeyondTheArraysAreCut) {
    ProcessingParams p = neutralParams();
    p.NoiseEqualizerCount = 1000;
    p.BrightnessEqualizerCount = 50;
    EXPECT_EQ(curveObject(CurveKind::Noise).pointCount(p), 40);
    EXPECT_EQ(curveObject(CurveKind::Brightness).pointCount(p), 9);
    // Fewer than two points make no bumps.
    p.NoiseEqualizerCount = 1;
    p.NoiseEqualizer[0] = 50;
    EXPECT_DOUBLE_EQ(curveObject(CurveKind::Noise).value(0, 256, p), 0.0);
}

TEST(CurveTable, DisplayScale) {
    const EqualizerCurve& c = curveObject(CurveKind::Noise);
    EXPECT_EQ(c.displayScale(56), 10000);  // 100 * 25600 / 256
    EXPECT_EQ(c.displayScale(300), 5120);
}

}  // namespace
}  // namespace dnr
