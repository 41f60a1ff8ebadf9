#include "core/presets/settings_groups.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "changed_block.h"
#include "core/crop/crop_values.h"

namespace {

using core::PreviewTab;
using core::SettingsBlock;

using presettest::differingFields;

// Every field changed, the curve counts too.
SettingsBlock storedBlock() {
    SettingsBlock b = presettest::changedBlock();
    b.NoiseEqualizerCount = 20;
    b.SharpnessEqualizerCount = 21;
    b.SaturationEqualizerCount = 22;
    b.BrightnessEqualizerCount = 8;
    return b;
}

struct GroupCase {
    PreviewTab tab;
    std::set<std::string> fields;
};

class TabGroup : public ::testing::TestWithParam<GroupCase> {};

TEST_P(TabGroup, TakesExactlyTheTabsFields) {
    const SettingsBlock current;
    const SettingsBlock stored = storedBlock();
    ASSERT_EQ(differingFields(current, stored).size(), core::settingsFields().size() - 2)
        << "every field but the version and the reserved one differs";
    const SettingsBlock taken = core::takeTabGroup(current, stored, GetParam().tab, {});
    EXPECT_EQ(differingFields(current, taken), GetParam().fields);
    // What was taken has the stored values.
    for (const std::string& name : GetParam().fields)
        EXPECT_FALSE(differingFields(taken, stored).count(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, TabGroup,
    ::testing::Values(
        GroupCase{PreviewTab::Noise,
                  {"NoiseLevelFactor", "ShadowsNoiseFactor", "HighlightsNoiseFactor", "ChromaNoise",
                   "HighNoise", "NoiseRadius", "ShowNoiseMap", "NoiseReductionOn",
                   "NoiseReductionAmount", "NoiseEqualizerCount", "NoiseEqualizer"}},
        GroupCase{PreviewTab::Sharpening,
                  {"SharpenAmount", "EdgeWidth", "EdgeContrast", "SuppressHalos", "ShowSharpenMap",
                   "WhiteHalo", "SharpnessEqualizerCount", "SharpnessEqualizer"}},
        GroupCase{PreviewTab::RedEye, {"PupilSize", "Darkening"}},
        GroupCase{PreviewTab::Colors,
                  {"ShowHistogram", "RedShift", "GreenShift", "BlueShift", "Saturation", "BWRed",
                   "BWGreen", "BWBlue", "BWConversion", "SaturationEqualizerCount",
                   "SaturationEqualizer"}},
        GroupCase{PreviewTab::Brightness,
                  {"ShowHistogram", "AutoContrast", "LocalContrast", "Contrast", "Gamma",
                   "AutoContrastDarkest", "AutoContrastBrightest", "Highlights", "Shadows",
                   "ShowOverExposed", "BrightnessEqualizerCount", "BrightnessEqualizer"}},
        GroupCase{PreviewTab::CA,
                  {"CARadius", "CAThreshold", "CAOn", "ShowCAMap", "CAColorRed", "CAColorGreen",
                   "CAColorBlue", "CATolerance"}},
        GroupCase{PreviewTab::Distortions,
                  {"DistortionsOn", "Barrel", "HPerspective", "VPerspective", "Squeeze", "AutoCrop",
                   "ShowGrid", "Vignetting", "CurveSteepness", "CompareMode"}},
        GroupCase{PreviewTab::Text,
                  {"FrameOn",         "FrameWidth",  "ProportionalMargin", "FrameEffect",
                   "InnerFrameWidth", "ShadowWidth", "FrameColor",         "InnerFrameColor",
                   "TextEffect",      "TextAlign",   "TextSmoothing",      "TextTransparency",
                   "InsertText",      "InsertDate",  "InsertTime",         "InsertInfo",
                   "CaptionText",     "TextPosX",    "TextPosY",           "TextColor",
                   "FontCharset",     "FontName",    "FontSize",           "FontStyle"}},
        GroupCase{PreviewTab::Crop,
                  {"CropOn", "CropPortrait", "CropFitEachImage", "CropSizeKind", "CropPaperIndex",
                   "CropWebIndex", "CropUserResizeOn", "CropUserWidth", "CropUserHeight",
                   "CropImageWidth", "CropImageHeight", "CropAngle", "CropRect", "CropTargetWidth",
                   "CropTargetHeight"}}));

struct NoiseCase {
    int32_t shadows;
    int32_t highlights;
    int32_t expectedShadows;
    int32_t expectedHighlights;
};

class NoiseFactorsTaken : public ::testing::TestWithParam<NoiseCase> {};

TEST_P(NoiseFactorsTaken, NegativeShadowOrHighlightFollowTheMidtoneFactor) {
    SettingsBlock stored;
    stored.NoiseLevelFactor = 1300;
    stored.ShadowsNoiseFactor = GetParam().shadows;
    stored.HighlightsNoiseFactor = GetParam().highlights;
    const SettingsBlock taken = core::takeTabGroup({}, stored, PreviewTab::Noise, {});
    EXPECT_EQ(taken.NoiseLevelFactor, 1300);
    EXPECT_EQ(taken.ShadowsNoiseFactor, GetParam().expectedShadows);
    EXPECT_EQ(taken.HighlightsNoiseFactor, GetParam().expectedHighlights);
}

INSTANTIATE_TEST_SUITE_P(Factors, NoiseFactorsTaken,
                         ::testing::Values(NoiseCase{-1, -1, 1300, 1300},
                                           NoiseCase{-1, 900, 1300, 1300},
                                           NoiseCase{700, -5, 1300, 1300},
                                           NoiseCase{700, 900, 700, 900}, NoiseCase{0, 0, 0, 0}));

TEST(BrightnessTaken, NegativeDarkestAndBrightestAreTheOpenPicturesLevels) {
    SettingsBlock stored;
    stored.AutoContrastDarkest = -1;
    stored.AutoContrastBrightest = -1;
    core::DetectedLevels detected;
    detected.darkest = 4;
    detected.brightest = 93;
    SettingsBlock taken = core::takeTabGroup({}, stored, PreviewTab::Brightness, detected);
    EXPECT_EQ(taken.AutoContrastDarkest, 4);
    EXPECT_EQ(taken.AutoContrastBrightest, 93);
    stored.AutoContrastDarkest = 10;
    stored.AutoContrastBrightest = 80;
    taken = core::takeTabGroup({}, stored, PreviewTab::Brightness, detected);
    EXPECT_EQ(taken.AutoContrastDarkest, 10);
    EXPECT_EQ(taken.AutoContrastBrightest, 80);
}

// The rules belong to their groups: a sharpening preset leaves a current derived factor alone.
TEST(OtherTabsTaken, LeaveTheCurrentNoiseAndBrightnessValuesAlone) {
    SettingsBlock current;
    current.ShadowsNoiseFactor = -1;
    current.AutoContrastDarkest = -1;
    core::DetectedLevels detected;
    detected.darkest = 4;
    const SettingsBlock taken =
        core::takeTabGroup(current, storedBlock(), PreviewTab::Sharpening, detected);
    EXPECT_EQ(taken.ShadowsNoiseFactor, -1);
    EXPECT_EQ(taken.AutoContrastDarkest, -1);
}

TEST(CropValuesOf, AreTheBlocksCropFields) {
    const SettingsBlock b = presettest::changedBlock();
    const core::CropValues c = core::cropValuesOf(b);
    EXPECT_EQ(c.CropOn, 1);
    EXPECT_EQ(c.CropPortrait, 1);
    EXPECT_EQ(c.CropSizeKind, 2);
    EXPECT_EQ(c.CropPaperIndex, 3);
    EXPECT_EQ(c.CropWebIndex, 4);
    EXPECT_EQ(c.CropUserResizeOn, 1);
    EXPECT_EQ(c.CropUserWidth, 800);
    EXPECT_EQ(c.CropUserHeight, 600);
    EXPECT_EQ(c.CropImageWidth, 4000);
    EXPECT_EQ(c.CropImageHeight, 3000);
    EXPECT_EQ(c.CropAngle, 1500);
    EXPECT_EQ(c.CropRect, (std::array<int32_t, 4>{3000, 2000, 100, 200}));
    EXPECT_EQ(c.CropTargetWidth, 800);
    EXPECT_EQ(c.CropTargetHeight, 533);
}

}  // namespace
