#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "noise_fixtures.h"
#include "plane_fixture.h"
#include "progress.h"
#include "stages.h"

namespace dnr {
namespace {

using testing::lumaChromaSet;
using testing::samePlanes;

PlaneSet single(int cb, int y, int cr) {
    PlaneSet s;
    s.allocate(1, 1);
    s.rgb = false;
    s.planes[PlaneSet::kCb].data()[0] = uint16_t(cb);
    s.planes[PlaneSet::kY].data()[0] = uint16_t(y);
    s.planes[PlaneSet::kCr].data()[0] = uint16_t(cr);
    return s;
}

ProcessingParams blendParams(int amount) {
    ProcessingParams p{};
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 100;  // threshold 5500
    p.NoiseReductionAmount = amount;
    p.NoiseEqualizerCount = 40;
    p.FinalRun = 1;
    return p;
}

struct BlendCase {
    const char* what;
    int amount;
    int map;
    bool showMap;
    int cb, y, cr;  // expected
};

// Working pixel Cb 32768, Y 30000, Cr 32768; smoothed Cb 32868, Y 30200, Cr 32718; threshold
// 5500. Map 300: l = 300*1024/5500 = 55; Y = 30200 + ((-200*55) >> 10) = 30200 - 11,
// Cb = 32868 + ((-100*55) >> 10) = 32868 - 6, Cr = 32718 + ((50*55) >> 10) = 32718 + 2.
// Amount 50: d = 512, l = 1024 - ((969*512) >> 10) = 540: Y = 30200 + ((-200*540) >> 10) = 30094,
// Cb = 32868 + ((-100*540) >> 10) = 32815, Cr = 32718 + ((50*540) >> 10) = 32744.
// The map display: Y = ((200*-200) >> 14) + 0x8000 = -3 + 32768, Cr = 4*4*(1024-55) + 0x8000.
const BlendCase kBlendCases[] = {
    {"full amount", 100, 300, false, 32862, 30189, 32720},
    {"half amount", 50, 300, false, 32815, 30094, 32744},
    {"no amount", 0, 300, false, 32768, 30000, 32768},
    {"difference at the threshold", 100, 5500, false, 32768, 30000, 32768},
    {"no difference", 100, 0, false, 32868, 30200, 32718},
    {"map display", 100, 300, true, 32768, 32765, 48272},
};

TEST(NormalNoiseFilter, BlendGivesTheHandWorkedSamples) {
    for (const BlendCase& c : kBlendCases) {
        PlaneSet planes = single(32768, 30000, 32768);
        const PlaneSet smoothed = single(32868, 30200, 32718);
        Plane map;
        ASSERT_TRUE(map.allocate(1, 1));
        map.data()[0] = uint16_t(c.map);
        ProcessingParams p = blendParams(c.amount);
        if (c.showMap) {
            p.ShowNoiseMap = 1;
            p.FinalRun = 0;
        }
        ASSERT_TRUE(blendNoiseReduction(planes, smoothed, map, p)) << c.what;
        EXPECT_EQ(planes.planes[PlaneSet::kCb].data()[0], c.cb) << c.what;
        EXPECT_EQ(planes.planes[PlaneSet::kY].data()[0], c.y) << c.what;
        EXPECT_EQ(planes.planes[PlaneSet::kCr].data()[0], c.cr) << c.what;
    }
}

TEST(NormalNoiseFilter, MapDisplayOnlyInPreviewRuns) {
    PlaneSet planes = single(32768, 30000, 32768);
    const PlaneSet smoothed = single(32868, 30200, 32718);
    Plane map;
    ASSERT_TRUE(map.allocate(1, 1));
    map.data()[0] = 300;
    ProcessingParams p = blendParams(100);
    p.ShowNoiseMap = 1;  // FinalRun is 1
    ASSERT_TRUE(blendNoiseReduction(planes, smoothed, map, p));
    EXPECT_EQ(planes.planes[PlaneSet::kY].data()[0], 30189);
}

// The four steps as the driver calls them.
bool runNormalFilter(PlaneSet& planes, const ProcessingParams& p) {
    PlaneSet smoothed;
    Plane map;
    return smoothForNoise(planes, smoothed, p) && computeNoiseMap(planes, smoothed, map, p) &&
           smoothNoiseMap(map, p) && blendNoiseReduction(planes, smoothed, map, p);
}

TEST(NormalNoiseFilter, RadiusZeroOrAmountZeroLeavesThePlanesUnchanged) {
    const struct { int radius, amount; } cases[] = {{0, 100}, {6, 0}, {0, 0}};
    for (const auto& c : cases) {
        const PlaneSet input = lumaChromaSet(40, 30, 30000, 900.0, 11);
        PlaneSet planes;
        ASSERT_TRUE(planes.copyFrom(input));
        ProcessingParams p = blendParams(c.amount);
        p.NoiseRadius = c.radius;
        p.ChromaNoise = 2;
        ASSERT_TRUE(runNormalFilter(planes, p));
        EXPECT_TRUE(samePlanes(planes, input)) << c.radius << " " << c.amount;
    }
}

TEST(NormalNoiseFilter, RadiusZeroGivesSmoothedPlanesEqualToTheInputAndAZeroMap) {
    const PlaneSet input = lumaChromaSet(20, 10, 30000, 900.0, 12);
    ProcessingParams p = blendParams(100);
    PlaneSet smoothed;
    Plane map;
    ASSERT_TRUE(smoothForNoise(input, smoothed, p));
    EXPECT_TRUE(samePlanes(smoothed, input));
    ASSERT_TRUE(computeNoiseMap(input, smoothed, map, p));
    for (size_t i = 0; i < map.size(); ++i)
        ASSERT_EQ(map.data()[i], 0);
}

double deviationOf(const Plane& plane) {
    double sum = 0, sq = 0;
    for (size_t i = 0; i < plane.size(); ++i) {
        sum += plane.data()[i];
        sq += double(plane.data()[i]) * plane.data()[i];
    }
    const double n = double(plane.size());
    return std::sqrt(sq / n - (sum / n) * (sum / n));
}

TEST(NormalNoiseFilter, NoiseBelowTheThresholdIsSmoothedAway) {
    // Deviation 400 against level 100 (threshold 5500): the noise is well below the threshold.
    PlaneSet planes = lumaChromaSet(64, 48, 30000, 400.0, 13);
    const double before = deviationOf(planes.planes[PlaneSet::kY]);
    ProcessingParams p = blendParams(100);
    p.NoiseRadius = 6;
    p.ChromaNoise = 2;
    ASSERT_TRUE(runNormalFilter(planes, p));
    EXPECT_LT(deviationOf(planes.planes[PlaneSet::kY]), before / 3);
    EXPECT_LT(deviationOf(planes.planes[PlaneSet::kCb]), before / 3);
}

TEST(NoiseFilterStages, AbortEndsEveryStageWithFailure) {
    const PlaneSet input = lumaChromaSet(16, 12, 30000, 300.0, 15);
    ProcessingParams p = blendParams(100);
    p.NoiseRadius = 3;
    PlaneSet smoothed;
    Plane map;
    ASSERT_TRUE(smoothForNoise(input, smoothed, p));
    ASSERT_TRUE(computeNoiseMap(input, smoothed, map, p));
    const struct {
        const char* what;
        std::function<bool()> stage;
    } stages[] = {
        {"smoothing",
         [&] {
             PlaneSet s;
             return smoothForNoise(input, s, p);
         }},
        {"noise map",
         [&] {
             Plane m;
             return computeNoiseMap(input, smoothed, m, p);
         }},
        {"map smoothing",
         [&] {
             Plane m;
             m.copyFrom(map);
             return smoothNoiseMap(m, p);
         }},
        {"blend",
         [&] {
             PlaneSet w;
             w.copyFrom(input);
             return blendNoiseReduction(w, smoothed, map, p);
         }},
        {"high-noise filter",
         [&] {
             PlaneSet w;
             w.copyFrom(input);
             ProcessingParams q = p;
             q.NoiseMode = 6;
             return runHighNoiseFilter(w, q);
         }},
    };
    for (const auto& s : stages) {
        Abort();
        EXPECT_FALSE(s.stage()) << s.what;
        clearAbort();
        EXPECT_TRUE(s.stage()) << s.what;
    }
}

TEST(NormalNoiseFilter, SmoothingCountsSixRowsPerPictureRow) {
    // The three planes announce 6*height units together, counted by the smoothing filter.
    const PlaneSet input = lumaChromaSet(4, 8, 30000, 100.0, 14);
    PlaneSet smoothed;
    ProcessingParams p = blendParams(100);
    p.NoiseRadius = 3;
    progress::setShare(0, 1000);
    progress::resetReportState();
    static int last = -1;
    progress::setCallback([](int32_t v) { last = v; });
    const progress::ClockScope clock([]() -> uint32_t {
        static uint32_t t = 0;
        return t += 1000;
    });
    ASSERT_TRUE(smoothForNoise(input, smoothed, p));
    EXPECT_EQ(last, 1000);  // 48 units: the last report is the share's end
    progress::setCallback(nullptr);
    progress::resetReportState();
}

}  // namespace
}  // namespace dnr
