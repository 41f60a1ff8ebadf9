#include <gtest/gtest.h>

#include "caller_picture.h"
#include "histogram_stats.h"

namespace dnr {
namespace {

using testing::Picture;

HistogramStats statisticsOf(Picture& picture) {
    HistogramStats s{};
    collectHistogram(picture.view(), s, true);
    return s;
}

TEST(HistogramStats, SingleGreyLevel) {
    // N = 256 samples, a = 1, range L/2..L: D = 255 + (L - L/2), Flatness = D / 40.
    for (int32_t bytes : {1, 2})
        for (int32_t level : {0, 1, 100, 200, 255}) {
            Picture pic(16, 16, bytes);
            const int32_t v = bytes == 1 ? level : level * 256 + 77;
            pic.fill({v, v, v});
            const HistogramStats s = statisticsOf(pic);
            EXPECT_EQ(s.sampleCount, 256);
            EXPECT_EQ(s.lumaBins[level], 256);
            EXPECT_EQ(s.redBins[level], 256);
            EXPECT_EQ(s.blackLevel, (level / 2) << 8) << level;
            EXPECT_EQ(s.stretchFactor, 0x100000 / (level - level / 2 + 1)) << level;
            EXPECT_EQ(s.needsStretch, 1) << level;
            EXPECT_EQ(s.flatness, (255 + level - level / 2) / 40) << level;
        }
}

TEST(HistogramStats, WorkedNumbersOfOneLevel) {
    Picture black(32, 32, 1);
    const HistogramStats b = statisticsOf(black);
    EXPECT_EQ(b.blackLevel, 0);
    EXPECT_EQ(b.stretchFactor, 0x100000);
    EXPECT_EQ(b.flatness, 6);

    Picture grey(32, 32, 1);
    grey.fill({200, 200, 200});
    EXPECT_EQ(statisticsOf(grey).flatness, 8);
}

TEST(HistogramStats, OddLevelsCountTheUpperHalfOfTheRange) {
    // One grey level L in 256 samples: a = 1, T = 1, low = high = L. The range L/2..L holds
    // L - L/2 + 1 levels, the bin of L differs from a by 255 and every other one by 1, so
    // D = 255 + L - L/2. For odd L that is one more than 255 + L/2, which crosses a multiple of
    // 40 at 49 (280), 129 (320) and 209 (360).
    struct Case {
        int32_t level, flatness;
    };
    for (const Case c : {Case{49, 7}, Case{129, 8}, Case{209, 9}}) {
        Picture pic(16, 16, 1);
        pic.fill({c.level, c.level, c.level});
        EXPECT_EQ(statisticsOf(pic).flatness, c.flatness) << c.level;
    }
}

TEST(HistogramStats, EvenSpreadIsFlatAndWide) {
    Picture pic(256, 4, 1);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 256; ++x)
            pic.set(x, y, {x, x, x});
    const HistogramStats s = statisticsOf(pic);
    EXPECT_EQ(s.sampleCount, 1024);
    EXPECT_EQ(s.needsStretch, 0);
    EXPECT_EQ(s.flatness, 0);
    // T = 5: the dark cut reaches 5 samples at level 1; the bright end cuts inside level 255.
    EXPECT_EQ(s.blackLevel, 0);
    EXPECT_EQ(s.stretchFactor, 0x100000 / 256);
}

TEST(HistogramStats, NarrowRangeBoundaryAt241Levels) {
    struct Case {
        int32_t levels, needsStretch;
    };
    for (const Case c : {Case{241, 1}, Case{242, 0}}) {
        Picture pic(c.levels, 2, 1);
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < c.levels; ++x)
                pic.set(x, y, {x, x, x});
        const HistogramStats s = statisticsOf(pic);
        EXPECT_EQ(s.stretchFactor, 0x100000 / c.levels) << c.levels;
        EXPECT_EQ(s.needsStretch, c.needsStretch) << c.levels;
    }
}

TEST(HistogramStats, BrightEndCountsEveryChannel) {
    // Dark pixels with one bright channel: the bright cut follows the red channel.
    Picture pic(20, 20, 1);
    pic.fill({250, 10, 10});
    const HistogramStats s = statisticsOf(pic);
    const int32_t luma = (9617 * 10 + 4899 * 250 + 1868 * 10) * 256 >> 14 >> 8;
    EXPECT_EQ(s.lumaBins[luma], 400);
    EXPECT_EQ(s.blackLevel, (luma / 2) << 8);
    EXPECT_EQ(s.stretchFactor, 0x100000 / (250 - luma / 2 + 1));
}

TEST(HistogramStats, FewerThan256SamplesGiveFlatnessZero) {
    Picture pic(10, 10, 1);
    pic.fill({90, 90, 90});
    const HistogramStats s = statisticsOf(pic);
    EXPECT_EQ(s.sampleCount, 100);
    EXPECT_EQ(s.flatness, 0);
    // T = 0: the dark cut is level 0 and the bright cut stops at the first level tried.
    EXPECT_EQ(s.blackLevel, 0);
    EXPECT_EQ(s.stretchFactor, 0x100000 / 256);
}

TEST(HistogramStats, SamplesAGridOfAbout300Columns) {
    struct Case {
        int32_t width, height, samples;
    };
    const Case cases[] = {{299, 3, 897}, {600, 4, 600}, {901, 7, 301 * 3}};
    for (const Case& c : cases) {
        Picture pic(c.width, c.height, 1);
        HistogramStats s{};
        collectHistogram(pic.view(), s, false);
        EXPECT_EQ(s.sampleCount, c.samples) << c.width;
    }
}

TEST(HistogramStats, WithoutStatisticsOnlyCounts) {
    Picture pic(16, 16, 2);
    pic.fill({65535, 0, 0});
    HistogramStats s{};
    s.needsStretch = 1;
    s.flatness = 7;
    s.blackLevel = 99;
    s.stretchFactor = 99;
    collectHistogram(pic.view(), s, false);
    EXPECT_EQ(s.redBins[255], 256);
    EXPECT_EQ(s.greenBins[0], 256);
    EXPECT_EQ(s.lumaBins[(4899 * 65535 >> 14) >> 8], 256);
    EXPECT_EQ(s.blackLevel, 0);
    EXPECT_EQ(s.stretchFactor, 0);
    EXPECT_EQ(s.needsStretch, 1);
    EXPECT_EQ(s.flatness, 7);
}

TEST(HistogramStats, TheLibraryKeepsOneBlock) {
    EXPECT_EQ(&luminanceStatistics(), &luminanceStatistics());
    const HistogramStats saved = luminanceStatistics();
    Picture pic(16, 16, 1);
    pic.fill({200, 200, 200});
    collectHistogram(pic.view(), luminanceStatistics(), true);
    EXPECT_EQ(luminanceStatistics().flatness, 8);
    luminanceStatistics() = saved;
}

}  // namespace
}  // namespace dnr
