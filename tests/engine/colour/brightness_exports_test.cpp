#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "colour_space.h"
#include "hue.h"

#include "caller_picture.h"
#include "histogram_stats.h"

namespace dnr {
namespace {

using testing::neutralParams;
using testing::Picture;

// Replaces the library's statistics for one test and puts them back afterwards.
class StatisticsScope {
  public:
    StatisticsScope() : saved_(luminanceStatistics()) {}
    ~StatisticsScope() { luminanceStatistics() = saved_; }

  private:
    HistogramStats saved_;
};

ProcessingParams brightnessSettings() {
    ProcessingParams p = neutralParams();
    p.Gamma = 11;
    p.Contrast = 12;
    p.Highlights = 13;
    p.Shadows = 14;
    p.LocalContrast = 15;
    p.AutoContrast = 0;
    p.AutoContrastDarkest = 16;
    p.AutoContrastBrightest = 17;
    return p;
}

TEST(BrightnessExports, BeforeAnyDetectionTheRecordStaysUnchanged) {
    StatisticsScope scope;
    luminanceStatistics() = HistogramStats{};
    ProcessingParams p = brightnessSettings();
    const ProcessingParams before = p;
    EXPECT_EQ(Brightness_AutoDetect(&p), 1);
    EXPECT_EQ(AutoContrast_Detect(&p), 1);
    EXPECT_EQ(0, std::memcmp(&p, &before, sizeof p));
}

TEST(BrightnessExports, AutoDetectFromOneGreyLevel) {
    StatisticsScope scope;
    Picture pic(16, 16, 1);
    pic.fill({200, 200, 200});
    collectHistogram(pic.view(), luminanceStatistics(), true);
    // BlackLevel 100 << 8, StretchFactor 0x100000 / 101 = 10381, NeedsStretch 1, Flatness 8.
    ProcessingParams p = brightnessSettings();
    ASSERT_EQ(Brightness_AutoDetect(&p), 1);
    EXPECT_EQ(p.Gamma, 0);
    EXPECT_EQ(p.Contrast, 0);
    EXPECT_EQ(p.Highlights, 0);
    EXPECT_EQ(p.Shadows, 0);
    EXPECT_EQ(p.LocalContrast, 8);
    EXPECT_EQ(p.AutoContrast, 1);
    EXPECT_EQ(p.AutoContrastDarkest, 25600 * 200 / 65535);          // 78
    EXPECT_EQ(p.AutoContrastBrightest, 819200 / 10381 + 78 - 100);  // 56

    ProcessingParams q = brightnessSettings();
    ASSERT_EQ(AutoContrast_Detect(&q), 1);
    EXPECT_EQ(q.Gamma, 11);
    EXPECT_EQ(q.LocalContrast, 15);
    EXPECT_EQ(q.AutoContrast, 0);
    EXPECT_EQ(q.AutoContrastDarkest, 78);
    EXPECT_EQ(q.AutoContrastBrightest, 56);
}

TEST(BrightnessExports, NarrowRangesAskForTheStretch) {
    StatisticsScope scope;
    struct Case {
        int32_t levels, autoContrast;
    };
    for (const Case c : {Case{241, 1}, Case{242, 0}, Case{100, 1}}) {
        Picture pic(c.levels, 3, 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < c.levels; ++x)
                pic.set(x, y, {x, x, x});
        collectHistogram(pic.view(), luminanceStatistics(), true);
        ProcessingParams p = brightnessSettings();
        ASSERT_EQ(Brightness_AutoDetect(&p), 1);
        EXPECT_EQ(p.AutoContrast, c.autoContrast) << c.levels;
        EXPECT_LE(p.LocalContrast, 12) << c.levels;
    }
}

TEST(BrightnessExports, CutsAreClamped) {
    StatisticsScope scope;
    HistogramStats& s = luminanceStatistics();
    s = HistogramStats{};
    s.blackLevel = 65535;
    s.stretchFactor = 1;
    ProcessingParams p = neutralParams();
    ASSERT_EQ(AutoContrast_Detect(&p), 1);
    EXPECT_EQ(p.AutoContrastDarkest, 99);
    EXPECT_EQ(p.AutoContrastBrightest, 100);
    s.blackLevel = 0;
    s.stretchFactor = 0x100000;
    ASSERT_EQ(AutoContrast_Detect(&p), 1);
    EXPECT_EQ(p.AutoContrastDarkest, 0);
    EXPECT_EQ(p.AutoContrastBrightest, 0);
}

TEST(BrightnessExports, EvenSpreadNeedsNoStretch) {
    StatisticsScope scope;
    Picture pic(256, 4, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 256; ++x)
            pic.set(x, y, {x, x, x});
    collectHistogram(pic.view(), luminanceStatistics(), true);
    ProcessingParams p = brightnessSettings();
    ASSERT_EQ(Brightness_AutoDetect(&p), 1);
    EXPECT_EQ(p.AutoContrast, 0);
    EXPECT_EQ(p.LocalContrast, 0);
    EXPECT_EQ(p.AutoContrastDarkest, 0);
    EXPECT_EQ(p.AutoContrastBrightest, 100);  // 819200 / 4096 - 100
}

TEST(BrightnessExports, GetBrightnessAveragesTheSquare) {
    Picture pic(10, 10, 2);
    pic.fill({20000, 30000, 40000});
    pic.set(9, 9, {65535, 65535, 65535});
    ImageDesc d = pic.desc();
    const int32_t l = (9617 * 30000 + 4899 * 20000 + 1868 * 40000) >> 14;
    EXPECT_EQ(GetBrightness(&d, 5, 5, 3), l >> 8);
    // Near the top-right corner the square is moved to end one pixel before the edge.
    EXPECT_EQ(GetBrightness(&d, 9, 9, 2), l >> 8);
    EXPECT_EQ(GetBrightness(&d, 9, 9, 1), l >> 8);  // origin 10 - 1 - 1 = 8
    // 8-bit samples count times 256.
    Picture eight(4, 4, 1);
    eight.fill({100, 100, 100});
    ImageDesc e = eight.desc();
    EXPECT_EQ(GetBrightness(&e, 0, 0, 2), 100);
    EXPECT_EQ(GetBrightness(&e, 0, 0, 40), 100);  // larger than the picture: shrunk to it
    EXPECT_EQ(GetBrightness(nullptr, 0, 0, 2), 0);
}

TEST(BrightnessExports, GetHueOfTheMeanColour) {
    Picture pic(6, 6, 1);
    ImageDesc d = pic.desc();
    EXPECT_EQ(GetHue(&d, 3, 3, 2), 339);  // black: chroma exactly neutral
    // RGB grey converts to chroma just below neutral (the format's bias), which reads as a hue.
    pic.fill({128, 128, 128});
    const Ycc grey = rgbToYcc(32768, 32768, 32768, ChromaModel::Relative);
    EXPECT_EQ(GetHue(&d, 3, 3, 2), hueOf(grey.cr, grey.cb));
    pic.fill({255, 0, 0});
    const Ycc red = rgbToYcc(65280, 0, 0, ChromaModel::Relative);
    EXPECT_EQ(GetHue(&d, 3, 3, 2), hueOf(red.cr, red.cb));
    EXPECT_LE(std::min(GetHue(&d, 3, 3, 2), 360 - GetHue(&d, 3, 3, 2)), 20);
    // Mixed square: the hue of the mean, moved inside near the edge.
    pic.fill({0, 0, 0});
    pic.set(0, 0, {0, 0, 255});
    pic.set(1, 0, {0, 0, 255});
    const Ycc blue = rgbToYcc(0, 0, 65280 / 2, ChromaModel::Relative);
    EXPECT_EQ(GetHue(&d, 0, 0, 2), hueOf(blue.cr, blue.cb));
}

}  // namespace
}  // namespace dnr
