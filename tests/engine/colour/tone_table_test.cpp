#include "tone_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "caller_picture.h"
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

using testing::neutralParams;

const EqualizerCurve& toneTable(const ProcessingParams& p) {
    rebuildCurveTable(CurveKind::Brightness, p);
    return curveObject(CurveKind::Brightness);
}

TEST(ToneTable, NeutralSettingsCompressTheTopSlightly) {
    const EqualizerCurve& t = toneTable(neutralParams());
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(t.lookupTable[i], i * 65535 / 256) << i;
    EXPECT_EQ(t.lookupTable[255], 65279);
    EXPECT_EQ(t.lookupTable[256], 65279);
    EXPECT_EQ(tableLookup(CurveKind::Brightness, 65535), 65279);
}

TEST(ToneTable, AutoContrastWithoutCutsChangesNothing) {
    ProcessingParams p = neutralParams();
    p.AutoContrast = 1;
    p.AutoContrastDarkest = 0;
    p.AutoContrastBrightest = 100;
    const EqualizerCurve& t = toneTable(p);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(t.lookupTable[i], i * 65535 / 256) << i;
}

TEST(ToneTable, AutoContrastStretchesTheUsedRange) {
    ProcessingParams p = neutralParams();
    p.AutoContrast = 1;
    p.AutoContrastDarkest = 50;    // d = 64
    p.AutoContrastBrightest = 50;  // w = 100: the factor 2
    const EqualizerCurve& t = toneTable(p);
    EXPECT_EQ(t.lookupTable[0], 0);
    EXPECT_EQ(t.lookupTable[63], 0);
    EXPECT_EQ(t.lookupTable[64], 0);
    EXPECT_EQ(t.lookupTable[100], static_cast<int32_t>((100 - 64) * 2.0 / 256 * 65535));
    EXPECT_EQ(t.lookupTable[192], 65535);  // x = 1
    EXPECT_EQ(t.lookupTable[255], 65535);
}

TEST(ToneTable, LogisticSettingsAtTheirWorkedPoints) {
    struct Case {
        int32_t gamma, contrast, level;
        double expectedFraction;
    };
    const double sigma1 = 1 / (1 + std::exp(-1.0));  // 0.731
    const Case cases[] = {
        {30, 0, 128, sigma1},                         // Gamma 30, x = 0.5
        {0, 50, 64, 0.1},                             // c = 2, x = 0.25
        {0, -50, 64, 1 / (1 + std::pow(3.0, 0.75))},  // c = 0.75, x = 0.25
        {0, 50, 128, 0.5},                            // contrast keeps the middle
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams();
        p.Gamma = c.gamma;
        p.Contrast = c.contrast;
        const int32_t entry = toneTable(p).lookupTable[c.level];
        EXPECT_NEAR(entry, c.expectedFraction * 65535, 1.0) << c.gamma << "," << c.contrast;
    }
    EXPECT_NEAR(sigma1, 0.731, 0.0005);
}

TEST(ToneTable, ShadowsAndHighlightsWeighTheirEnds) {
    ProcessingParams p = neutralParams();
    p.Shadows = 70;  // b = 1
    const EqualizerCurve& s = toneTable(p);
    // x = 0.25: factor (S - 1) * 0.75 + 1 with S = sigma(logit(0.25) + 1) / 0.25.
    const double x = 0.25;
    const double gain = 1 / (1 + std::exp(-(std::log(x / (1 - x)) + 1))) / x;
    EXPECT_EQ(s.lookupTable[64], static_cast<int32_t>(x * 65535 * ((gain - 1) * (1 - x) + 1)));
    p.Shadows = 0;
    p.Highlights = 70;
    EXPECT_EQ(toneTable(p).lookupTable[64], static_cast<int32_t>(x * 65535 * ((gain - 1) * x + 1)));
}

TEST(ToneTable, EqualizerAddsItsValueInLevels) {
    ProcessingParams p = neutralParams();
    p.BrightnessEqualizer[2] = 20;  // at level 64
    const EqualizerCurve& t = toneTable(p);
    EXPECT_EQ(t.lookupTable[64], static_cast<int32_t>(20 * 655.35 + 64 / 256.0 * 65535));
    p.BrightnessEqualizer[2] = 0;
    p.BrightnessEqualizer[8] = 100;  // 100 adds the whole scale
    EXPECT_EQ(toneTable(p).lookupTable[255], 65535);
    EXPECT_EQ(toneTable(p).lookupTable[0], 0);
}

TEST(ToneTable, LogisticGainIsOneOutsideTheOpenInterval) {
    EXPECT_EQ(logisticGain(0, 3, 2), 1);
    EXPECT_EQ(logisticGain(1, 3, 2), 1);
    EXPECT_EQ(logisticGain(1.5, 3, 2), 1);
    EXPECT_DOUBLE_EQ(logisticGain(0.5, 0, 5), 1.0);
}

TEST(ToneTable, LocalContrastFollowsTheHistogram) {
    HistogramStats stats{};
    // A flat histogram weighs every level alike: 100 - L + L * sqrt(10).
    stats.sampleCount = 256 * 4;
    for (int32_t& b : stats.lumaBins)
        b = 4;
    const auto flat = localContrastWeights(40, stats);
    EXPECT_EQ(flat[0], static_cast<int32_t>(60 + 40 * std::sqrt(10.0)));
    EXPECT_EQ(flat[200], flat[0]);

    // All samples at one level: the others weigh 100 - L.
    for (int32_t& b : stats.lumaBins)
        b = 0;
    stats.lumaBins[100] = 1024;
    const auto peak = localContrastWeights(40, stats);
    EXPECT_EQ(peak[0], 60);
    EXPECT_EQ(peak[100], static_cast<int32_t>(60 + 40 * std::sqrt(2560.0)));

    // No statistics yet: equal weights, no division by zero.
    HistogramStats empty{};
    const auto none = localContrastWeights(100, empty);
    EXPECT_EQ(none[0], 0);
    EXPECT_EQ(none[255], 0);
}

TEST(ToneTable, LocalContrastWithoutStatisticsLeavesTheLevels) {
    HistogramStats& stats = luminanceStatistics();
    const HistogramStats saved = stats;
    stats = HistogramStats{};
    ProcessingParams p = neutralParams();
    p.LocalContrast = 100;
    const EqualizerCurve& t = toneTable(p);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(t.lookupTable[i], i * 65535 / 256) << i;

    // With statistics of one level, the levels up to it are pulled down and the ones after it
    // spread out.
    stats.sampleCount = 1024;
    stats.lumaBins[128] = 1024;
    const EqualizerCurve& u = toneTable(p);
    EXPECT_LT(u.lookupTable[127], 127 * 65535 / 256);
    EXPECT_GT(u.lookupTable[128], 128 * 65535 / 256);
    stats = saved;
}

}  // namespace
}  // namespace dnr
