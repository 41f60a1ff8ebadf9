// Noise reduction inside Grainwash2: the modes, the caches of preview runs, and a real photo.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "dnr.h"
#include "noise_detection.h"
#include "noise_fixtures.h"
#include "progress.h"
#include "stage_caches.h"

namespace dnr {
namespace {

using testing::addGreyNoise;
using testing::Colour;
using testing::defaultParams;
using testing::emptyAllCaches;
using testing::Picture;

// A smooth colourful scene with a hard-edged disc, noise added.
Picture noisyScene(int w, int h, bool is16, unsigned seed) {
    Picture pic(w, h, is16 ? 2 : 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2, dy = y - h / 2;
            const bool disc = dx * dx + dy * dy < (h / 4) * (h / 4);
            pic.set16(x, y,
                      {disc ? 15000 : 40000 - 100 * x, 20000 + 200 * y,
                       disc ? 52000 : 9000 + 300 * x % 20000});
        }
    addGreyNoise(pic, 700.0, seed);
    return pic;
}

Picture runCopy(const Picture& source, const std::function<void(ProcessingParams&)>& tune) {
    Picture pic = source;
    ProcessingParams p = defaultParams(pic);
    tune(p);
    EXPECT_EQ(Grainwash2(&p), 1);
    return pic;
}

TEST(NoisePipeline, NoiseModesZeroTwoAndFourGiveTheSamePixels) {
    const Picture source = noisyScene(64, 48, true, 31);
    emptyAllCaches();
    const Picture two = runCopy(source, [](ProcessingParams& p) { p.FinalRun = 1; });
    EXPECT_FALSE(two == source);
    for (int mode : {0, 4}) {
        emptyAllCaches();
        const Picture other = runCopy(source, [mode](ProcessingParams& p) {
            p.FinalRun = 1;
            p.NoiseMode = mode;
        });
        EXPECT_TRUE(other == two) << "mode " << mode;
    }
}

TEST(NoisePipeline, TwoPreviewRunsGiveTheSameOutputTheSecondFromTheResultCache) {
    for (int mode : {2, 6}) {
        const Picture source = noisyScene(50, 40, false, 32);
        emptyAllCaches();
        const auto preview = [mode](ProcessingParams& p) { p.NoiseMode = mode; };
        const Picture first = runCopy(source, preview);
        const uint64_t key = stageCaches().result.key();
        ASSERT_NE(key, 0u);
        const Picture second = runCopy(source, preview);
        EXPECT_TRUE(second == first) << mode;
        EXPECT_EQ(stageCaches().result.key(), key);
        // The cached planes are what the second run delivers: change them and the output follows.
        Plane& y = stageCaches().result.planes[PlaneSet::kY];
        std::fill(y.data(), y.data() + y.size(), uint16_t{0});
        const Picture third = runCopy(source, preview);
        EXPECT_FALSE(third == first) << mode;
    }
    emptyAllCaches();
}

TEST(NoisePipeline, ChangingOnlyTheNoiseLevelReusesTheSmoothedPlanes) {
    const Picture source = noisyScene(50, 40, true, 33);
    emptyAllCaches();
    runCopy(source, [](ProcessingParams&) {});
    const uint64_t blurKey = stageCaches().blur.key();
    ASSERT_NE(blurKey, 0u);
    const auto louder = [](ProcessingParams& p) { p.NoiseLevel = 45; };
    emptyAllCaches();
    const Picture fresh = runCopy(source, louder);

    emptyAllCaches();
    runCopy(source, [](ProcessingParams&) {});
    // Mark the smoothed luma: a run that reuses it blends toward the marked values.
    Plane& y = stageCaches().blur.planes[PlaneSet::kY];
    std::fill(y.data(), y.data() + y.size(), uint16_t{30000});
    const Picture reused = runCopy(source, louder);
    EXPECT_EQ(stageCaches().blur.key(), blurKey);
    EXPECT_FALSE(reused == fresh);

    // A changed radius is a different key: the planes are smoothed afresh.
    const auto wider = [](ProcessingParams& p) { p.NoiseRadius = 4; };
    emptyAllCaches();
    const Picture wideFresh = runCopy(source, wider);
    emptyAllCaches();
    runCopy(source, [](ProcessingParams&) {});
    std::fill(y.data(), y.data() + y.size(), uint16_t{30000});
    EXPECT_TRUE(runCopy(source, wider) == wideFresh);
    emptyAllCaches();
}

// The cached result is spoiled to black between the runs: a run that reuses it gives black back,
// one that recomputed the noise reduction would give the scene.
TEST(NoisePipeline, ChangingOnlySharpeningOrColourReusesTheResult) {
    const Picture source = noisyScene(40, 30, true, 34);
    for (const auto& tune : std::vector<std::function<void(ProcessingParams&)>>{
             [](ProcessingParams& p) { p.SharpenAmount = 40; },
             [](ProcessingParams& p) { p.Saturation = 30; }}) {
        emptyAllCaches();
        const Picture first = runCopy(source, [](ProcessingParams&) {});
        PlaneSet& cached = stageCaches().result;
        ASSERT_FALSE(cached.planes[PlaneSet::kY].empty());
        const auto spoil = [](Plane& plane, uint16_t value) {
            std::fill(plane.data(), plane.data() + plane.size(), value);
        };
        spoil(cached.planes[PlaneSet::kY], 0);
        spoil(cached.planes[PlaneSet::kCb], 0x8000);
        spoil(cached.planes[PlaneSet::kCr], 0x8000);
        const Picture again = runCopy(source, tune);
        for (uint16_t s : again.samples16())
            ASSERT_EQ(s, 0);
        EXPECT_FALSE(first == again);
    }
    emptyAllCaches();
}

TEST(NoisePipeline, FinalRunAfterAPreviewEqualsAFinalRunAlone) {
    for (int mode : {2, 6}) {
        const Picture source = noisyScene(48, 36, true, 35);
        const auto final = [mode](ProcessingParams& p) {
            p.NoiseMode = mode;
            p.FinalRun = 1;
        };
        emptyAllCaches();
        const Picture alone = runCopy(source, final);
        emptyAllCaches();
        runCopy(source, [mode](ProcessingParams& p) { p.NoiseMode = mode; });
        EXPECT_TRUE(runCopy(source, final) == alone) << mode;
        EXPECT_EQ(stageCaches().result.key(), 0u);
        EXPECT_EQ(stageCaches().blur.key(), 0u);
    }
    emptyAllCaches();
}

uint32_t gFakeMilliseconds = 0;
int32_t gAbortedAt = -1;

TEST(NoisePipeline, AbortDuringNoiseReductionLeavesThePictureUntouched) {
    const progress::ClockScope clock([]() -> uint32_t { return gFakeMilliseconds += 1000; });
    for (int mode : {2, 6}) {
        const Picture source = noisyScene(200, 150, true, 37);
        Picture pic = source;
        ProcessingParams p = defaultParams(pic);
        p.NoiseMode = mode;
        p.FinalRun = 1;
        // The copy and conversion end below 100 per mille; the noise stages run past it.
        p.ProgressCallback = [](int32_t v) {
            if (v >= 100 && gAbortedAt < 0) {
                gAbortedAt = v;
                Abort();
            }
        };
        gAbortedAt = -1;
        progress::resetReportState();
        emptyAllCaches();
        EXPECT_EQ(Grainwash2(&p), 0) << mode;
        EXPECT_GE(gAbortedAt, 100) << mode;
        EXPECT_TRUE(pic == source) << mode;
        EXPECT_EQ(stageCaches().result.key(), 0u) << mode;
    }
    progress::resetReportState();
}

// --- A real photo with added noise ------------------------------------------------------------

Picture readPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxValue = 0;
    in >> magic >> w >> h >> maxValue;
    in.get();
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(maxValue, 255);
    Picture pic(w, h, 2);
    std::vector<unsigned char> rgb(size_t(w) * h * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), std::streamsize(rgb.size()));
    EXPECT_TRUE(in.good()) << path;
    // PPM rows run from the top; the engine counts from the bottom.
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const unsigned char* px = &rgb[(size_t(row) * w + x) * 3];
            pic.set16(x, h - 1 - row, {px[0] * 257, px[1] * 257, px[2] * 257});
        }
    return pic;
}

// Independent Gaussian noise in every channel, as a sensor makes it.
void addSensorNoise(Picture& pic, double deviation, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, deviation);
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const auto noisy = [&](int v) {
                return int(std::clamp(std::lround(v + noise(rng)), 0L, 65535L));
            };
            const Colour c = pic.get16(x, y);
            // One draw a channel: blue, green, then red.
            const int b = noisy(c.b);
            const int g = noisy(c.g);
            pic.set16(x, y, {noisy(c.r), g, b});
        }
}

double lumaOf(const Picture& p, int x, int y) {
    const Colour c = p.get16(x, y);
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

// Luma step at a pixel: horizontal plus vertical central differences.
double stepAt(const Picture& p, int x, int y) {
    return std::abs(lumaOf(p, x + 1, y) - lumaOf(p, x - 1, y)) +
           std::abs(lumaOf(p, x, y + 1) - lumaOf(p, x, y - 1));
}

// The inner pixels of the clean picture ordered by their luma step, smallest first.
std::vector<std::pair<int, int>> pixelsBySteps(const Picture& clean) {
    std::vector<std::pair<double, std::pair<int, int>>> steps;
    for (int y = 1; y < clean.height() - 1; ++y)
        for (int x = 1; x < clean.width() - 1; ++x)
            steps.push_back({stepAt(clean, x, y), {x, y}});
    std::sort(steps.begin(), steps.end());
    std::vector<std::pair<int, int>> order;
    for (const auto& s : steps)
        order.push_back(s.second);
    return order;
}

// Root-mean-square luma difference from the clean picture over the smoother half of the
// picture (where the clean picture's step is below its median), in 8-bit units: noise that is
// left, not detail that is lost.
double noiseLeft(const Picture& a, const Picture& clean,
                 const std::vector<std::pair<int, int>>& order) {
    const size_t n = order.size() / 2;
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const auto [x, y] = order[i];
        const double d = (lumaOf(a, x, y) - lumaOf(clean, x, y)) / 257;
        sum += d * d;
    }
    return std::sqrt(sum / double(n));
}

// Mean luma step over the clean picture's strongest edges (the 2% of pixels with the largest
// steps), in 8-bit units.
double edgeStrength(const Picture& p, const std::vector<std::pair<int, int>>& order) {
    const size_t n = order.size() / 50;
    double sum = 0;
    for (size_t i = order.size() - n; i < order.size(); ++i)
        sum += stepAt(p, order[i].first, order[i].second);
    return sum / double(n) / 257;
}

TEST(NoisePipeline, RealPhotoLosesNoiseAndKeepsItsEdges) {
    const Picture clean = readPpm(std::string(VF_TEST_DATA) + "/coffee-crop.ppm");
    ASSERT_EQ(clean.width(), 320);
    Picture noisy = clean;
    addSensorNoise(noisy, 6.0 * 257, 36);  // deviation 6 in 8-bit units, per channel
    const auto order = pixelsBySteps(clean);
    const double noiseBefore = noiseLeft(noisy, clean, order);
    const double edgesBefore = edgeStrength(clean, order);

    for (int mode : {2, 6}) {
        Picture out = noisy;
        ProcessingParams p = defaultParams(out);
        p.NoiseMode = mode;
        p.FinalRun = 1;
        int32_t levels[3];
        detectNoiseLevels(*makeView(out.bits(), out.width(), 2, out.height()), levels);
        p.ShadowsNoiseLevel = levels[0];
        p.NoiseLevel = levels[1];
        p.HighlightsNoiseLevel = levels[2];
        emptyAllCaches();
        ASSERT_EQ(Grainwash2(&p), 1);
        const double noiseAfter = noiseLeft(out, clean, order);
        const double edgesAfter = edgeStrength(out, order);
        std::printf("mode %d, levels %d %d %d: luma noise %.2f -> %.2f, edge step %.1f -> %.1f\n",
                    mode, levels[0], levels[1], levels[2], noiseBefore, noiseAfter, edgesBefore,
                    edgesAfter);
        // At least a third of the noise goes, and the strongest edges keep 85% of their step.
        EXPECT_LT(noiseAfter, noiseBefore * 2 / 3) << mode;
        EXPECT_GT(edgesAfter, edgesBefore * 0.85) << mode;
    }
}

}  // namespace
}  // namespace dnr
