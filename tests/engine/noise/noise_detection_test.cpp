#include "noise_detection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "caller_picture.h"
#include "dnr.h"
#include "histogram_stats.h"

namespace dnr {
namespace {

using testing::grey;
using testing::Picture;

constexpr int32_t kNoBlockLevel = (3 * 10000000 / 2) / 10;

Picture uniform(int w, int h, bool is16, int level) {
    Picture p(w, h, is16 ? 2 : 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.set16(x, y, grey(level));
    return p;
}

struct Levels {
    int32_t shadows, mid, highlights, result;
};

Levels detect(Picture& p) {
    int32_t levels[3] = {-1, -1, -1};
    const int32_t r = DetectNoiseLevel(p.bits(), levels, p.width(), p.height(), p.is16() ? 1 : 0);
    return {levels[0], levels[1], levels[2], r};
}

TEST(DetectNoiseLevel, UniformAndAllDarkPictures) {
    const struct {
        const char* what;
        int w, h;
        bool is16;
        int grey;
        int32_t expected;
    } cases[] = {
        // Every deviation 0: g = 0, lo = 2, hi = 0, and the upper bound wins.
        {"uniform grey 16-bit", 300, 200, true, 30000, 0},
        {"uniform grey 8-bit", 301, 199, false, 100 << 8, 0},
        // Every block darker than 5120: no band has a block.
        {"all dark", 300, 200, true, 4000, kNoBlockLevel},
        {"all white", 300, 200, false, 255 << 8, kNoBlockLevel},
        // Pictures too small for the grid: blocks that would leave the picture are skipped.
        {"20 by 20 grey", 20, 20, true, 30000, 0},
        {"10 by 40 grey: no block fits across", 10, 40, true, 30000, kNoBlockLevel},
        {"1 by 1", 1, 1, false, 30000, kNoBlockLevel},
    };
    for (const auto& c : cases) {
        Picture p = uniform(c.w, c.h, c.is16, c.grey);
        const Levels l = detect(p);
        EXPECT_EQ(l.shadows, c.expected) << c.what;
        EXPECT_EQ(l.mid, c.expected) << c.what;
        EXPECT_EQ(l.highlights, c.expected) << c.what;
        EXPECT_EQ(l.result, c.expected) << c.what;
    }
}

TEST(DetectNoiseLevel, NoPicture) {
    int32_t levels[3] = {-1, -1, -1};
    EXPECT_EQ(DetectNoiseLevel(nullptr, levels, 100, 100, 1), kNoBlockLevel);
    EXPECT_EQ(levels[1], kNoBlockLevel);
    Picture p = uniform(40, 40, true, 30000);
    EXPECT_EQ(DetectNoiseLevel(p.bits(), nullptr, 40, 40, 1),
              0);  // no results pointer: only the return
}

// Three vertical stripes, one per brightness band, each with grey noise of its own deviation.
Picture threeBands(double shadowNoise, double midNoise, double highNoise) {
    const int w = 900, h = 600;
    Picture p(w, h, 2);
    std::mt19937 rng(41);
    std::normal_distribution<double> unit(0.0, 1.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int stripe = x * 3 / w;
            const double base[3] = {12000, 32000, 50000};
            const double dev[3] = {shadowNoise, midNoise, highNoise};
            p.set16(x, y, grey(int(std::lround(base[stripe] + dev[stripe] * unit(rng)))));
        }
    return p;
}

TEST(DetectNoiseLevel, GaussianNoiseGivesLevelsInProportion) {
    // Deviations 800, 960, 1120 (1 : 1.2 : 1.4). A block's mean absolute deviation is about 0.8
    // of the deviation, the quietest of a band somewhat less; a level is 1.5/10 of it. The ratios
    // stay inside the bounds (at most 1.5 times the smallest), so they survive.
    Picture p = threeBands(800, 960, 1120);
    const Levels l = detect(p);
    ASSERT_GT(l.shadows, 0);
    EXPECT_NEAR(double(l.mid) / l.shadows, 1.2, 0.08);
    EXPECT_NEAR(double(l.highlights) / l.shadows, 1.4, 0.08);
    EXPECT_EQ(l.result, l.mid);
    // 800 * 0.8 * 0.15 = 96 before the quietest-block bias.
    EXPECT_GT(l.shadows, 70);
    EXPECT_LE(l.shadows, 96);
}

TEST(DetectNoiseLevel, BoundsHoldBandsWithinHalfAndOneAndAHalfOfTheQuietest) {
    // Deviations 400 and 2000: the loud highlights are capped at 1.5 times the quietest band.
    Picture p = threeBands(400, 400, 2000);
    const Levels l = detect(p);
    EXPECT_EQ(l.highlights, (3 * std::min(l.shadows, l.mid)) / 2);
}

TEST(DetectNoiseLevel, IgnoresTheOuterEighth) {
    // Noise only in the outer eighth of each side: the grid never sees it.
    Picture p = uniform(400, 320, true, 30000);
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 3000.0);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 400; ++x)
            if (x < 50 || x >= 350 || y < 40 || y >= 280)
                p.set16(x, y, grey(int(std::lround(30000 + noise(rng)))));
    EXPECT_EQ(detect(p).mid, 0);
}

TEST(DetectNoiseLevel, RefreshesTheLuminanceStatisticsFromThePicture) {
    Picture p = threeBands(500, 500, 500);
    HistogramStats expected{};
    collectHistogram(*makeView(p.bits(), p.width(), 2, p.height()), expected, true);
    HistogramStats& stats = luminanceStatistics();
    stats = HistogramStats{};
    detect(p);
    EXPECT_GT(stats.sampleCount, 0);
    EXPECT_EQ(std::memcmp(&stats, &expected, sizeof stats), 0);
}

ProcessingParams recordOf(Picture& p) {
    ProcessingParams r{};
    r.Bits = p.bits();
    r.Width = p.width();
    r.Height = p.height();
    r.BytesPerSample = p.bytesPerSample();
    r.ShadowsNoiseLevel = r.NoiseLevel = r.HighlightsNoiseLevel = -1;
    return r;
}

TEST(AdjustNoise, SetsTheLevelOfTheBlocksBand) {
    // A 15 by 15 checkerboard of 30500 and 29500 (113 and 112 pixels): mean 6750500/225 = 30002,
    // deviation (113*498 + 112*502)/225 = 499, level 49 in the midtones.
    Picture board(40, 40, 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            board.set16(x, y, grey((x + y) % 2 ? 29500 : 30500));
    // A flat white 8-bit block: mean 65280 counts as a highlight, deviation 0 becomes 2.
    Picture white = uniform(30, 30, false, 255 << 8);
    Picture dark = uniform(30, 30, true, 3000);
    const struct {
        const char* what;
        Picture* picture;
        int x, y, size;
        int shadows, mid, highlights;
    } cases[] = {
        {"checkerboard", &board, 7, 7, 15, -1, 49, -1},
        {"white 8-bit", &white, 10, 10, 15, -1, -1, 2},
        {"dark", &dark, 10, 10, 15, 2, -1, -1},
    };
    for (const auto& c : cases) {
        ProcessingParams r = recordOf(*c.picture);
        EXPECT_EQ(AdjustNoise(&r, c.x, c.y, c.size), 1) << c.what;
        EXPECT_EQ(r.ShadowsNoiseLevel, c.shadows) << c.what;
        EXPECT_EQ(r.NoiseLevel, c.mid) << c.what;
        EXPECT_EQ(r.HighlightsNoiseLevel, c.highlights) << c.what;
    }
}

TEST(AdjustNoise, BlockNearTheEdgeEndsOneColumnBeforeTheLast) {
    // Flat grey with a wildly different last column and top row: a click at the corner measures
    // the block ending one column (and row) before them.
    Picture p = uniform(30, 30, true, 30000);
    for (int i = 0; i < 30; ++i) {
        p.set16(29, i, grey(60000));
        p.set16(i, 29, grey(1000));
    }
    ProcessingParams r = recordOf(p);
    ASSERT_EQ(AdjustNoise(&r, 29, 29, 15), 1);
    EXPECT_EQ(r.NoiseLevel, 2);
    // One column further in, the block would reach the last column.
    Picture q = uniform(30, 30, true, 30000);
    for (int i = 0; i < 30; ++i)
        q.set16(28, i, grey(60000));
    ProcessingParams s = recordOf(q);
    ASSERT_EQ(AdjustNoise(&s, 29, 10, 15), 1);
    EXPECT_GT(s.NoiseLevel, 2);
}

TEST(AdjustNoise, SmallPicturesAndBadArguments) {
    // A block larger than the picture shrinks to it: 5 by 5 of a checkerboard.
    Picture small(5, 5, 2);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            small.set16(x, y, grey((x + y) % 2 ? 28000 : 32000));
    ProcessingParams r = recordOf(small);
    EXPECT_EQ(AdjustNoise(&r, 2, 2, 15), 1);
    // Mean (13*32000 + 12*28000)/25 = 30080; deviation (13*1920 + 12*2080)/25 = 1996; level
    // 199, capped at 195.
    EXPECT_EQ(r.NoiseLevel, 195);
    EXPECT_EQ(AdjustNoise(nullptr, 0, 0, 15), 0);
    ProcessingParams none{};
    none.BytesPerSample = -1;
    EXPECT_EQ(AdjustNoise(&none, 0, 0, 15), 0);
}

}  // namespace
}  // namespace dnr
