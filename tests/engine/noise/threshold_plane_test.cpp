#include "threshold_plane.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "progress.h"

namespace dnr {
namespace {

ProcessingParams levels(int32_t shadows, int32_t mid, int32_t highlights) {
    ProcessingParams p{};
    p.ShadowsNoiseLevel = shadows;
    p.NoiseLevel = mid;
    p.HighlightsNoiseLevel = highlights;
    p.NoiseEqualizerCount = 40;
    return p;
}

TEST(ThresholdPlane, BandFollowsLuma) {
    // Levels 10, 20, 40 give the bands 8800, 13200, 17600, 26400, 35200; >> 4 drops 4 bits.
    const ProcessingParams p = levels(10, 20, 40);
    const ThresholdBuilder b(p);
    const struct {
        int32_t luma, threshold;
    } cases[] = {{0, 550},      {13055, 550},  {13056, 825},  {26111, 825}, {26112, 1100},
                 {39168, 1650}, {52223, 1650}, {52224, 2200}, {65535, 2200}};  // white uses the
                                                                               // highlight band
    for (const auto& c : cases)
        EXPECT_EQ(b.at(c.luma, 0x8000, 0x8000), c.threshold) << c.luma;
}

TEST(ThresholdPlane, LevelsAreClampedToOneAndEightHundred) {
    const struct {
        int32_t level, threshold;
    } cases[] = {{0, 55}, {-7, 55}, {1, 55}, {800, 44000}, {5000, 44000}};
    for (const auto& c : cases) {
        const ProcessingParams p = levels(c.level, c.level, c.level);
        EXPECT_EQ(ThresholdBuilder(p).at(30000, 0x8000, 0x8000), c.threshold) << c.level;
    }
}

TEST(ThresholdPlane, AllZeroEqualizerLeavesTheHueFactorOff) {
    const ProcessingParams p = levels(100, 100, 100);
    EXPECT_FALSE(ThresholdBuilder(p).hueFactorActive());
    ProcessingParams q = p;
    q.NoiseEqualizer[39] = 5;
    EXPECT_TRUE(ThresholdBuilder(q).hueFactorActive());
    q.NoiseEqualizerCount = 39;  // the point is not in use
    EXPECT_FALSE(ThresholdBuilder(q).hueFactorActive());
}

TEST(ThresholdPlane, EqualizerAtMinusOneHundredScalesBy24Over1024) {
    // Level 100: A = 88000; (88000*24) >> 10 = 2062, >> 4 = 128, at every hue.
    ProcessingParams p = levels(100, 100, 100);
    std::fill(p.NoiseEqualizer, p.NoiseEqualizer + 40, -100);
    const ThresholdBuilder b(p);
    ASSERT_TRUE(b.hueFactorActive());
    const struct {
        int32_t cr, cb;
    } colours[] = {{0x9000, 0x8000}, {0x7000, 0x7000}, {0x8000, 0x9000}, {0x7800, 0x8800}};
    for (const auto& c : colours)
        EXPECT_EQ(b.at(30000, c.cr, c.cb), 128) << c.cr << "," << c.cb;
}

TEST(ThresholdPlane, EqualizerAtPlusOneHundredTriplesTheLevel) {
    // (88000*(1024 + 2000)) >> 10 = 259875, >> 4 = 16242.
    ProcessingParams p = levels(100, 100, 100);
    std::fill(p.NoiseEqualizer, p.NoiseEqualizer + 40, 100);
    EXPECT_EQ(ThresholdBuilder(p).at(30000, 0x9000, 0x8000), 16242);
}

TEST(NoiseAreaFactor, StrengthNearThePickFallingOffWithDistance) {
    // Luma 40000 against a pick at 25371: ((14629*7) >> 10) = 100, distance 100^2 >> 4 = 625,
    // fall-off 1.05*exp(-20*(625/1024)^12)*1024.9 = 1020.1, so 1020*50 >> 10 = 49 and
    // 1020*-50 >> 10 = -50 (the shift floors).
    const struct {
        uint16_t luma, cr, cb;
        int16_t strength;
        int32_t y, expected;
    } cases[] = {
        {30000, 0x8100, 0x7F00, 50, 30000, 50}, {30000, 0x8100, 0x7F00, -50, 30000, -50},
        {25371, 0x8100, 0x7F00, 50, 40000, 49}, {25371, 0x8100, 0x7F00, -50, 40000, -50},
        {1000, 0x8100, 0x7F00, 50, 60000, 0},   // far away in luma
        {30000, 0x9000, 0x7F00, 50, 30000, 0},  // far away in chroma
    };
    for (const auto& c : cases) {
        const NoiseAreaEntry e{c.luma, c.cr, c.cb, c.strength};
        EXPECT_EQ(noiseAreaFactor(&e, 1, c.y, 0x8100, 0x7F00), c.expected)
            << c.luma << " " << c.strength << " " << c.y;
    }
}

TEST(NoiseAreaFactor, DarkPixelsWeighChromaWithoutWrapping) {
    // Luma 0: chroma weight 0xEFFF1 = 983025; a chroma difference of 32768 gives products near
    // 2^35 and a distance far past the table, so the pick has no effect.
    const NoiseAreaEntry e{0, 0xFFFF, 0x0000, 50};
    EXPECT_EQ(noiseAreaFactor(&e, 1, 0, 0x8000, 0x8000), 0);
}

TEST(ThresholdPlane, NoiseAreaPicksScaleTheThreshold) {
    // Level 100: A = 88000, threshold 5500. A +50 pick at the pixel's colour makes it
    // 88000*150/100 = 132000 >> 4 = 8250; a -50 pick 44000 >> 4 = 2750.
    ProcessingParams p = levels(100, 100, 100);
    const struct {
        int16_t strength;
        int32_t threshold;
    } cases[] = {{50, 8250}, {-50, 2750}, {0, 5500}};
    for (const auto& c : cases) {
        NoiseAreaEntry e{30000, 0x8000, 0x8000, c.strength};
        p.NoiseAreaCount = 1;
        p.NoiseAreas = &e;
        EXPECT_EQ(ThresholdBuilder(p).at(30000, 0x8000, 0x8000), c.threshold) << c.strength;
    }
    // A count without a table is no pick at all.
    p.NoiseAreas = nullptr;
    EXPECT_EQ(ThresholdBuilder(p).at(30000, 0x8000, 0x8000), 5500);
}

TEST(ThresholdPlane, PicksRaiseTheThresholdAtMostTenfold) {
    // Strength 2000: t = 88000*2100/100 = 1848000 exceeds 10*A = 880000, so A becomes 880000 and
    // the threshold 55000.
    ProcessingParams p = levels(100, 100, 100);
    NoiseAreaEntry e{30000, 0x8000, 0x8000, 2000};
    p.NoiseAreaCount = 1;
    p.NoiseAreas = &e;
    EXPECT_EQ(ThresholdBuilder(p).at(30000, 0x8000, 0x8000), 55000);
}

TEST(ThresholdPlane, PlaneHasOneThresholdPerPixel) {
    PlaneSet set;
    ASSERT_TRUE(set.allocate(3, 2));
    set.rgb = false;
    const uint16_t lumas[6] = {0, 13056, 26112, 39168, 52224, 65535};
    for (int i = 0; i < 6; ++i) {
        set.planes[PlaneSet::kY].data()[i] = lumas[i];
        set.planes[PlaneSet::kCb].data()[i] = set.planes[PlaneSet::kCr].data()[i] = 0x8000;
    }
    const ProcessingParams p = levels(10, 20, 40);
    Plane t;
    progress::begin(2);
    ASSERT_TRUE(buildThresholdPlane(set, p, t));
    const int expected[6] = {550, 825, 1100, 1650, 2200, 2200};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(t.data()[i], expected[i]) << i;
}

}  // namespace
}  // namespace dnr
