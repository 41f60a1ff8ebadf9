#include "high_noise_filter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "noise_fixtures.h"
#include "stages.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

using testing::lumaChromaSet;

ProcessingParams highNoiseParams(int radius, int finalRun) {
    ProcessingParams p{};
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 20;
    p.NoiseRadius = radius;
    p.NoiseMode = 6;
    p.ChromaNoise = 2;
    p.NoiseReductionAmount = 100;
    p.NoiseEqualizerCount = 40;
    p.FinalRun = finalRun;
    return p;
}

bool equalPlanes(const Plane& a, const Plane& b) {
    return a.width == b.width && a.height == b.height &&
           std::equal(a.data(), a.data() + a.size(), b.data());
}

TEST(HighNoiseFilter, RadiusSixUsesThreeScalesAndSevenFour) {
    const struct {
        int radius;
        int scales;
    } cases[] = {{6, 3}, {7, 4}, {0, 3}, {100, 4}};
    const int32_t boxRadius[4] = {1, 2, 4, 8};
    for (const auto& c : cases) {
        EXPECT_EQ(highNoiseScaleCount(c.radius), c.scales);
        releaseNoiseScaleCache();
        const PlaneSet input = lumaChromaSet(24, 20, 30000, 500.0, 21);
        PlaneSet planes;
        ASSERT_TRUE(planes.copyFrom(input));
        ASSERT_TRUE(runHighNoiseFilter(planes, highNoiseParams(c.radius, 0)));
        EXPECT_NE(noiseScaleCacheKey(), 0u);
        // The cached scales are the box averages of the input with radii 1, 2, 4 (and 8).
        for (int m = 0; m < 3; ++m)
            for (int s = 0; s < 4; ++s) {
                const Plane& cached = cachedNoiseScale(m, s);
                if (s >= c.scales) {
                    EXPECT_TRUE(cached.empty()) << c.radius << " scale " << s;
                    continue;
                }
                Plane box;
                ASSERT_TRUE(velmarBlur(box, &input.planes[m], boxRadius[s], BlurVariant::Box));
                EXPECT_TRUE(equalPlanes(cached, box))
                    << c.radius << " plane " << m << " scale " << s;
            }
    }
    releaseNoiseScaleCache();
}

TEST(HighNoiseFilter, AmountZeroAndFlatPlanesStayUnchanged) {
    const struct {
        const char* what;
        int amount;
        double noise;
    } cases[] = {{"amount 0 on noise", 0, 800.0}, {"flat plane", 100, 0.0}};
    for (const auto& c : cases) {
        releaseNoiseScaleCache();
        const PlaneSet input = lumaChromaSet(30, 22, 30000, c.noise, 22);
        PlaneSet planes;
        ASSERT_TRUE(planes.copyFrom(input));
        ProcessingParams p = highNoiseParams(6, 1);
        p.NoiseReductionAmount = c.amount;
        ASSERT_TRUE(runHighNoiseFilter(planes, p));
        for (int m = 0; m < 3; ++m)
            EXPECT_TRUE(equalPlanes(planes.planes[m], input.planes[m])) << c.what;
    }
}

double deviation(const Plane& p, int x0, int x1) {
    double sum = 0, sq = 0;
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = x0; x < x1; ++x, ++n) {
            sum += p.row(y)[x];
            sq += double(p.row(y)[x]) * p.row(y)[x];
        }
    return std::sqrt(sq / n - (sum / n) * (sum / n));
}

TEST(HighNoiseFilter, KeepsAStrongEdgeAndSmoothsFlatNoise) {
    // Left half luma 10000, right half 50000, noise 200 against level 20 (threshold 1100).
    PlaneSet planes = lumaChromaSet(40, 30, 10000, 200.0, 23);
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            planes.planes[PlaneSet::kY].row(y)[x] += 40000;
    PlaneSet input;
    ASSERT_TRUE(input.copyFrom(planes));
    releaseNoiseScaleCache();
    ASSERT_TRUE(runHighNoiseFilter(planes, highNoiseParams(6, 1)));
    const Plane& out = planes.planes[PlaneSet::kY];
    const Plane& in = input.planes[PlaneSet::kY];
    // Next to the edge the coarser image varies far more than the threshold: the finest level,
    // the unsmoothed plane, wins.
    for (int y = 0; y < 30; ++y)
        for (int x = 18; x < 22; ++x)
            EXPECT_EQ(out.row(y)[x], in.row(y)[x]) << x << "," << y;
    EXPECT_LT(deviation(out, 2, 14), deviation(in, 2, 14) / 2);
    EXPECT_LT(deviation(out, 26, 38), deviation(in, 26, 38) / 2);
}

TEST(HighNoiseFilter, PreviewRunsReuseTheScalesAndFinalRunsLeaveThem) {
    releaseNoiseScaleCache();
    const PlaneSet input = lumaChromaSet(26, 18, 30000, 600.0, 24);
    PlaneSet first;
    ASSERT_TRUE(first.copyFrom(input));
    ASSERT_TRUE(runHighNoiseFilter(first, highNoiseParams(6, 0)));
    const uint64_t key = noiseScaleCacheKey();
    ASSERT_NE(key, 0u);

    // A final run of another picture neither stores its scales nor changes the key.
    PlaneSet other = lumaChromaSet(26, 18, 20000, 600.0, 25);
    Plane scaleBefore;
    ASSERT_TRUE(scaleBefore.copyFrom(cachedNoiseScale(1, 0)));
    ASSERT_TRUE(runHighNoiseFilter(other, highNoiseParams(6, 1)));
    EXPECT_EQ(noiseScaleCacheKey(), key);
    EXPECT_TRUE(equalPlanes(cachedNoiseScale(1, 0), scaleBefore));

    // The same picture again gives the same result from the cached scales.
    PlaneSet second;
    ASSERT_TRUE(second.copyFrom(input));
    ASSERT_TRUE(runHighNoiseFilter(second, highNoiseParams(6, 0)));
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(equalPlanes(first.planes[m], second.planes[m]));

    // And it does read them: a changed cached scale changes the result.
    Plane& coarsest = const_cast<Plane&>(cachedNoiseScale(1, 2));
    std::fill(coarsest.data(), coarsest.data() + coarsest.size(), uint16_t{1000});
    PlaneSet third;
    ASSERT_TRUE(third.copyFrom(input));
    ASSERT_TRUE(runHighNoiseFilter(third, highNoiseParams(6, 0)));
    EXPECT_FALSE(equalPlanes(first.planes[1], third.planes[1]));
    releaseNoiseScaleCache();
}

TEST(HighNoiseFilter, MapDisplayPaintsEachPlane) {
    releaseNoiseScaleCache();
    PlaneSet planes = lumaChromaSet(12, 10, 30000, 0.0, 26);
    ProcessingParams p = highNoiseParams(6, 0);
    p.ShowNoiseMap = 1;
    ASSERT_TRUE(runHighNoiseFilter(planes, p));
    // A flat plane: prev equals cur (Y = 0x8000) and h = 0, so Cr = 4*4096 + 0x8000.
    for (size_t i = 0; i < planes.planes[0].size(); ++i) {
        EXPECT_EQ(planes.planes[PlaneSet::kCb].data()[i], 0x8000);
        EXPECT_EQ(planes.planes[PlaneSet::kY].data()[i], 0x8000);
        EXPECT_EQ(planes.planes[PlaneSet::kCr].data()[i], 4 * 4096 + 0x8000);
    }
    releaseNoiseScaleCache();
}

}  // namespace
}  // namespace dnr
