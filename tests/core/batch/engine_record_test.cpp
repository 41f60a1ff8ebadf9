#include "core/batch/engine_record.h"

#include <gtest/gtest.h>

namespace {

// Every stored value distinct, so a field taken from the wrong place shows.
core::SettingsBlock distinctSettings() {
    core::SettingsBlock s;
    int32_t v = 1;
    for (int32_t* f : {&s.NoiseLevelFactor,
                       &s.ShadowsNoiseFactor,
                       &s.HighlightsNoiseFactor,
                       &s.ChromaNoise,
                       &s.NoiseRadius,
                       &s.NoiseReductionAmount,
                       &s.SharpenAmount,
                       &s.EdgeWidth,
                       &s.EdgeContrast,
                       &s.SuppressHalos,
                       &s.WhiteHalo,
                       &s.AutoContrast,
                       &s.LocalContrast,
                       &s.RedShift,
                       &s.GreenShift,
                       &s.BlueShift,
                       &s.Contrast,
                       &s.Gamma,
                       &s.Saturation,
                       &s.AutoContrastDarkest,
                       &s.AutoContrastBrightest,
                       &s.Highlights,
                       &s.Shadows,
                       &s.BWRed,
                       &s.BWGreen,
                       &s.BWBlue,
                       &s.BWConversion,
                       &s.CARadius,
                       &s.CAThreshold,
                       &s.CAOn,
                       &s.CAColorRed,
                       &s.CAColorGreen,
                       &s.CAColorBlue,
                       &s.CATolerance,
                       &s.DistortionsOn,
                       &s.Barrel,
                       &s.HPerspective,
                       &s.VPerspective,
                       &s.Squeeze,
                       &s.AutoCrop,
                       &s.Vignetting,
                       &s.CurveSteepness,
                       &s.NoiseEqualizerCount,
                       &s.SharpnessEqualizerCount,
                       &s.SaturationEqualizerCount,
                       &s.BrightnessEqualizerCount})
        *f = 1000 + v++;
    s.ShowNoiseMap = s.ShowSharpenMap = s.ShowCAMap = s.ShowOverExposed = 1;
    s.ShowGrid = s.CompareMode = 1;
    s.NoiseReductionOn = 1;
    s.HighNoise = 1;
    s.NoiseEqualizer[39] = 7;
    s.SharpnessEqualizer[0] = -8;
    s.SaturationEqualizer[5] = 9;
    s.BrightnessEqualizer[8] = 10;
    return s;
}

TEST(EngineRecord, FieldsComeFromTheirStoredPlaces) {
    core::QueueParams item;
    item.Settings = distinctSettings();
    const core::SettingsBlock& s = item.Settings;
    core::SettingsBlock defaults;
    defaults.AutoContrastDarkest = 3;
    defaults.AutoContrastBrightest = 97;
    const core::EngineRecord record(item, defaults);
    const ProcessingParams& p = record.params;

    const struct {
        const char* name;
        int32_t actual, expected;
    } fields[] = {
        {"Magic", int32_t(p.Magic), int32_t(0x8BD1C15Au)},
        {"BytesPerSample", p.BytesPerSample, 1},
        {"NoiseLevel", p.NoiseLevel, s.NoiseLevelFactor},
        {"ShadowsNoiseLevel", p.ShadowsNoiseLevel, s.ShadowsNoiseFactor},
        {"HighlightsNoiseLevel", p.HighlightsNoiseLevel, s.HighlightsNoiseFactor},
        {"NoiseReductionOn", p.NoiseReductionOn, 1},
        {"NoiseRadius", p.NoiseRadius, s.NoiseRadius},
        {"NoiseMode", p.NoiseMode, 6},
        {"ChromaNoise", p.ChromaNoise, s.ChromaNoise},
        {"NoiseReductionAmount", p.NoiseReductionAmount, s.NoiseReductionAmount},
        {"NoiseEqualizerCount", p.NoiseEqualizerCount, s.NoiseEqualizerCount},
        {"NoiseEqualizer[39]", p.NoiseEqualizer[39], 7},
        {"SharpenAmount", p.SharpenAmount, s.SharpenAmount},
        {"EdgeWidth", p.EdgeWidth, s.EdgeWidth},
        {"EdgeContrast", p.EdgeContrast, s.EdgeContrast},
        {"SuppressHalos", p.SuppressHalos, s.SuppressHalos},
        {"WhiteHalo", p.WhiteHalo, s.WhiteHalo},
        {"SharpnessEqualizerCount", p.SharpnessEqualizerCount, s.SharpnessEqualizerCount},
        {"SharpnessEqualizer[0]", p.SharpnessEqualizer[0], -8},
        {"ColorAdjustOn", p.ColorAdjustOn, 1},
        {"AutoContrast", p.AutoContrast, s.AutoContrast},
        {"LocalContrast", p.LocalContrast, s.LocalContrast},
        {"RedShift", p.RedShift, s.RedShift},
        {"GreenShift", p.GreenShift, s.GreenShift},
        {"BlueShift", p.BlueShift, s.BlueShift},
        {"Contrast", p.Contrast, s.Contrast},
        {"Gamma", p.Gamma, s.Gamma},
        {"AutoContrastDarkest", p.AutoContrastDarkest, 3},
        {"AutoContrastBrightest", p.AutoContrastBrightest, 97},
        {"Highlights", p.Highlights, s.Highlights},
        {"Shadows", p.Shadows, s.Shadows},
        {"Saturation", p.Saturation, s.Saturation},
        {"ColorRangeCount", p.ColorRangeCount, 0},
        {"SelectedColorRange", p.SelectedColorRange, -1},
        {"BWConversion", p.BWConversion, s.BWConversion},
        {"BWRed", p.BWRed, s.BWRed},
        {"BWGreen", p.BWGreen, s.BWGreen},
        {"BWBlue", p.BWBlue, s.BWBlue},
        {"SaturationEqualizerCount", p.SaturationEqualizerCount, s.SaturationEqualizerCount},
        {"SaturationEqualizer[5]", p.SaturationEqualizer[5], 9},
        {"BrightnessEqualizerCount", p.BrightnessEqualizerCount, s.BrightnessEqualizerCount},
        {"BrightnessEqualizer[8]", p.BrightnessEqualizer[8], 10},
        {"FinalRun", p.FinalRun, 1},
        {"RedEyeOn", p.RedEyeOn, 1},
        {"RedEyeCount", p.RedEyeCount, 0},
        {"CARadius", p.CARadius, s.CARadius},
        {"CAThreshold", p.CAThreshold, s.CAThreshold},
        {"CAOn", p.CAOn, s.CAOn},
        {"CAColorRed", p.CAColorRed, s.CAColorRed},
        {"CAColorGreen", p.CAColorGreen, s.CAColorGreen},
        {"CAColorBlue", p.CAColorBlue, s.CAColorBlue},
        {"CATolerance", p.CATolerance, s.CATolerance},
        {"DistortionsOn", p.DistortionsOn, s.DistortionsOn},
        {"Barrel", p.Barrel, s.Barrel},
        {"HPerspective", p.HPerspective, s.HPerspective},
        {"VPerspective", p.VPerspective, s.VPerspective},
        {"Squeeze", p.Squeeze, s.Squeeze},
        {"AutoCrop", p.AutoCrop, s.AutoCrop},
        {"Vignetting", p.Vignetting, s.Vignetting},
        {"CurveSteepness", p.CurveSteepness, s.CurveSteepness},
        {"ShowNoiseMap", p.ShowNoiseMap, 0},
        {"ShowSharpenMap", p.ShowSharpenMap, 0},
        {"ShowCAMap", p.ShowCAMap, 0},
        {"ShowOverExposed", p.ShowOverExposed, 0},
        {"ShowGrid", p.ShowGrid, 0},
        {"CompareMode", p.CompareMode, 0},
        {"Reserved484", p.Reserved484, 0},
    };
    for (const auto& f : fields)
        EXPECT_EQ(f.actual, f.expected) << f.name;
    EXPECT_EQ(p.NoiseAreas, nullptr);
    EXPECT_EQ(p.ColorRanges, nullptr);
    EXPECT_EQ(p.RedEyes, nullptr);
    EXPECT_EQ(p.ProgressCallback, nullptr);
}

TEST(EngineRecord, SwitchesAndModes) {
    const struct {
        int32_t level, on, high;
        int32_t expectedOn, expectedMode;
    } cases[] = {{1000, 1, 0, 1, 2},
                 {0, 1, 0, 0, 2},
                 {1000, 0, 1, 0, 6},
                 {1000, 2, 5, 0, 2},
                 {-5, 1, 1, 0, 6}};
    for (const auto& c : cases) {
        core::QueueParams item;
        item.Settings.NoiseLevelFactor = c.level;
        item.Settings.NoiseReductionOn = c.on;
        item.Settings.HighNoise = c.high;
        const core::EngineRecord r(item, {});
        EXPECT_EQ(r.params.NoiseReductionOn, c.expectedOn);
        EXPECT_EQ(r.params.NoiseMode, c.expectedMode);
    }
}

TEST(EngineRecord, MarksAreSeparateCopies) {
    core::QueueParams item;
    item.NoiseAreas = {{1, 2, 3, 4}};
    item.RedEyes = {{1, 2, 3, 4, 5, 6}};
    core::ColorRangeItem range;
    range.Colors = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    range.Tolerance = 44;
    range.AreaCount = 5;  // stale; the engine gets the array's length
    range.Areas = {{1, 10, 20, 30, 40}, {0, 1, 2, 3, 4}};
    range.AreasInclude = 1;
    item.ColorRanges = {range};
    core::EngineRecord r(item, {});
    const ProcessingParams& p = r.params;
    ASSERT_EQ(p.NoiseAreaCount, 1);
    EXPECT_NE(p.NoiseAreas, item.NoiseAreas.data());
    EXPECT_EQ(p.NoiseAreas[0].Strength, 4);
    ASSERT_EQ(p.RedEyeCount, 1);
    EXPECT_NE(p.RedEyes, item.RedEyes.data());
    EXPECT_EQ(p.RedEyes[0].PupilSize, 6);
    ASSERT_EQ(p.ColorRangeCount, 1);
    const Colors_ColorRangeParams& c = p.ColorRanges[0];
    EXPECT_EQ(c.Color1[0], 1);
    EXPECT_EQ(c.Color2[2], 6);
    EXPECT_EQ(c.TargetColor[1], 8);
    // The record is packed: its fields are copied out before the comparisons take references.
    const int32_t tolerance = c.Tolerance, areaCount = c.AreaCount, include = c.AreasInclude;
    const XcludedArea* areas = c.Areas;
    EXPECT_EQ(tolerance, 44);
    EXPECT_EQ(areaCount, 2);
    EXPECT_NE(areas, item.ColorRanges[0].Areas.data());
    EXPECT_EQ(areas[0].AreaHeight, 40);
    EXPECT_EQ(include, 1);
}

}  // namespace
