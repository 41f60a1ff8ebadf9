#include "core/settings/tuning_apply.h"

#include <gtest/gtest.h>

#include <string>

#include "core/settings/settings_fields.h"
#include "core/settings/slider_operations.h"
#include "core/settings/tuning_collect.h"
#include "settings/changed_block.h"

namespace {

using core::ResetCode;
using core::SettingsBlock;
using core::TuningState;

constexpr ResetCode kAllCodes[] = {
    ResetCode::All,         ResetCode::ResetAll, ResetCode::Noise,   ResetCode::Sharpening,
    ResetCode::CA,          ResetCode::RedEye,   ResetCode::Colours, ResetCode::Brightness,
    ResetCode::Distortions, ResetCode::Crop,
};

using settingstest::changedBlock;

TuningState expertState() {
    TuningState s;
    s.expertMode = true;
    s.detected = {20, 40, 60, 3, 97};
    return s;
}

TEST(TuningApply, ExpertModeKeepsEveryFieldThroughApplyAndCollect) {
    TuningState s = expertState();
    const SettingsBlock b = changedBlock();
    core::applySettings(s, b, ResetCode::ResetAll);
    // 200 puts back only the noise factors and the noise switch in expert mode.
    SettingsBlock expected = b;
    expected.NoiseLevelFactor = expected.ShadowsNoiseFactor = expected.HighlightsNoiseFactor = 1000;
    expected.NoiseReductionOn = 1;
    EXPECT_EQ(s.block, expected);

    core::applySettings(s, b, ResetCode::All);
    EXPECT_EQ(s.block, b);
    EXPECT_EQ(s.sliders[1].position, 60);  // 40 * 1500 / 1000
    EXPECT_EQ(s.sliders[2].position, 16);
    EXPECT_EQ(s.sliders[3].position, 72);
    EXPECT_EQ(s.sliders[6].position, 140);
    EXPECT_EQ(s.sliders[6].labelText, "+40");
    EXPECT_TRUE(s.sliders[6].labelGrey);
    EXPECT_TRUE(s.RadioButton_HighN);
    EXPECT_TRUE(s.buttons.sbHistogram && s.buttons.sbHistogramBrightness);
    EXPECT_TRUE(s.checks.cbShowOverExposed && s.checks.cbShowOverExposed2);
    EXPECT_EQ(s.combos.Edit_frame_width, 10);
    EXPECT_EQ(s.combos.Edit_frame_shadowwidth, 3);
    EXPECT_EQ(s.colours.text, 16711680u);
    EXPECT_EQ(s.font.name, "Courier New");
    EXPECT_TRUE(s.font.bold && s.font.italic);
    EXPECT_EQ(s.textAlign, core::TextAlignment::Left);
    EXPECT_EQ(s.curves.BrightnessEqualizer[8], -14);
    EXPECT_FALSE(s.applying);
}

// Whatever the code and the mode, applying and collecting again changes nothing more.
TEST(TuningApply, ApplyThenCollectIsStableForEveryCode) {
    for (bool expert : {false, true}) {
        for (ResetCode code : kAllCodes) {
            SCOPED_TRACE(testing::Message() << "code " << int(code) << " expert " << expert);
            TuningState s;
            s.expertMode = expert;
            s.detected = {20, 40, 60, 3, 97};
            core::applySettings(s, changedBlock(), code);
            const SettingsBlock once = s.block;
            EXPECT_EQ(core::collectSettings(s), once);
            core::applySettings(s, once, code);
            EXPECT_EQ(s.block, once);
            core::applySettings(s, once, ResetCode::All);
            EXPECT_EQ(s.block, once);
        }
    }
}

// Which fields each group reset puts back to its default, in expert mode.
TEST(TuningApply, EachResetCodeResetsItsGroup) {
    struct Case {
        ResetCode code;
        std::vector<std::string> reset;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {ResetCode::Noise,
         {"NoiseLevelFactor", "ShadowsNoiseFactor", "HighlightsNoiseFactor", "ChromaNoise",
          "HighNoise", "NoiseRadius", "ShowNoiseMap", "NoiseReductionOn", "NoiseReductionAmount",
          "NoiseEqualizer"},
         {"SharpenAmount", "SharpnessEqualizer", "CARadius"}},
        {ResetCode::Sharpening,
         {"SharpenAmount", "EdgeWidth", "EdgeContrast", "SuppressHalos", "ShowSharpenMap",
          "WhiteHalo", "SharpnessEqualizer"},
         {"NoiseRadius", "NoiseEqualizer", "Contrast"}},
        {ResetCode::CA,
         {"CARadius", "CAThreshold", "ShowCAMap", "CATolerance"},
         {"CAOn", "CAColorRed", "CAColorGreen", "CAColorBlue", "EdgeWidth"}},
        {ResetCode::RedEye, {"PupilSize", "Darkening"}, {"Contrast", "CAOn"}},
        {ResetCode::Colours,
         {"RedShift", "GreenShift", "BlueShift", "Saturation", "BWRed", "BWGreen", "BWBlue",
          "BWConversion", "ShowOverExposed", "SaturationEqualizer"},
         {"Contrast", "LocalContrast", "BrightnessEqualizer", "ShowHistogram"}},
        {ResetCode::Brightness,
         {"AutoContrast", "LocalContrast", "Contrast", "Gamma", "Highlights", "Shadows",
          "ShowOverExposed", "BrightnessEqualizer"},
         {"RedShift", "Saturation", "SaturationEqualizer"}},
        {ResetCode::Distortions,
         {"Barrel", "HPerspective", "VPerspective", "Squeeze", "AutoCrop", "ShowGrid", "Vignetting",
          "CurveSteepness", "CompareMode"},
         {"DistortionsOn", "Contrast"}},
        {ResetCode::Crop, {}, {"CropOn", "CropRect", "CropAngle", "Barrel"}},
    };
    const SettingsBlock defaults;
    const SettingsBlock changed = changedBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.code));
        TuningState s = expertState();
        core::applySettings(s, changed, ResetCode::Crop);  // code 0 leaves the crop tab alone
        core::applySettings(s, changed, ResetCode::All);
        core::applySettings(s, c.code);
        for (const std::string& name : c.reset) {
            const core::SettingsField* f = core::findSettingsField(name);
            ASSERT_NE(f, nullptr) << name;
            EXPECT_EQ(core::fieldInt(*f, s.block), core::fieldInt(*f, defaults)) << name;
        }
        for (const std::string& name : c.kept) {
            const core::SettingsField* f = core::findSettingsField(name);
            ASSERT_NE(f, nullptr) << name;
            EXPECT_EQ(core::fieldInt(*f, s.block), core::fieldInt(*f, changed)) << name;
        }
    }
}

TEST(TuningApply, ResetsTakeTheDetectedDarkestAndBrightest) {
    TuningState s = expertState();
    core::applySettings(s, changedBlock(), ResetCode::All);
    EXPECT_EQ(s.block.AutoContrastDarkest, 5);
    core::applySettings(s, ResetCode::Brightness);
    EXPECT_EQ(s.block.AutoContrastDarkest, 3);
    EXPECT_EQ(s.block.AutoContrastBrightest, 97);
    EXPECT_EQ(s.sliders[20].position, 3);
    EXPECT_EQ(s.sliders[14].position, 97);

    TuningState simple;
    simple.detected = {20, 40, 60, 3, 97};
    core::applySettings(simple, changedBlock(), ResetCode::All);
    EXPECT_EQ(simple.sliders[20].position, 3);
}

TEST(TuningApply, ResetsClearTheirLists) {
    TuningState s = expertState();
    s.noiseAreas.push_back({100, 0x8000, 0x8000, 50});
    s.redEyes.push_back({1, 2, 3, 4, 50, 100});
    s.colorRanges.push_back({});
    core::applySettings(s, ResetCode::All);  // expert mode: nothing is cleared
    EXPECT_EQ(s.noiseAreas.size(), 1u);
    core::applySettings(s, ResetCode::Noise);
    EXPECT_TRUE(s.noiseAreas.empty());
    EXPECT_EQ(s.redEyes.size(), 1u);
    core::applySettings(s, ResetCode::RedEye);
    EXPECT_TRUE(s.redEyes.empty());
    EXPECT_EQ(s.colorRanges.size(), 1u);
    core::applySettings(s, ResetCode::Colours);
    EXPECT_TRUE(s.colorRanges.empty());

    TuningState simple;
    simple.noiseAreas.push_back({100, 0x8000, 0x8000, 50});
    core::applySettings(simple, ResetCode::All);
    EXPECT_TRUE(simple.noiseAreas.empty());
}

TEST(TuningApply, SimpleModeWritesDefaultsForWhatItHides) {
    TuningState s;
    s.detected = {20, 40, 60, 3, 97};
    core::applySettings(s, changedBlock(), ResetCode::All);
    const SettingsBlock d;
    const SettingsBlock& b = s.block;
    for (const char* name : {"ChromaNoise",
                             "HighNoise",
                             "NoiseRadius",
                             "ShowNoiseMap",
                             "NoiseReductionAmount",
                             "SuppressHalos",
                             "ShowSharpenMap",
                             "WhiteHalo",
                             "CARadius",
                             "CAThreshold",
                             "CAOn",
                             "ShowCAMap",
                             "CATolerance",
                             "CAColorRed",
                             "PupilSize",
                             "Darkening",
                             "Saturation",
                             "BWRed",
                             "BWGreen",
                             "BWBlue",
                             "BWConversion",
                             "LocalContrast",
                             "Vignetting",
                             "CurveSteepness",
                             "CompareMode",
                             "AutoContrastDarkest",
                             "AutoContrastBrightest",
                             "TextSmoothing",
                             "TextTransparency",
                             "NoiseEqualizer",
                             "BrightnessEqualizer"}) {
        const core::SettingsField* f = core::findSettingsField(name);
        EXPECT_EQ(core::fieldInt(*f, b), core::fieldInt(*f, d)) << name;
    }
    EXPECT_EQ(b.ShadowWidth, 0);
    EXPECT_EQ(b.FrameEffect, 0);
    // One level for every tone, taken from the midtone slider.
    EXPECT_EQ(b.NoiseLevelFactor, 1500);
    EXPECT_EQ(b.ShadowsNoiseFactor, 1500);
    EXPECT_EQ(b.HighlightsNoiseFactor, 1500);
    // What simple mode shows is kept.
    EXPECT_EQ(b.SharpenAmount, 40);
    EXPECT_EQ(b.Contrast, 15);
    EXPECT_EQ(b.Barrel, 10);
    EXPECT_EQ(b.CaptionText, "Holiday %date");
    EXPECT_EQ(b.TextPosX, 5000);
}

TEST(TuningApply, SimpleModeStoresTheShadowFactorAsTheMidtoneFactor) {
    TuningState s;
    s.detected = {20, 40, 60, 0, 100};
    s.noiseFactors = {1100, 700, 900};
    const SettingsBlock& b = core::collectSettings(s);
    EXPECT_EQ(b.ShadowsNoiseFactor, 1100);
    EXPECT_EQ(b.HighlightsNoiseFactor, 1100);
    s.expertMode = true;
    core::collectSettings(s);
    EXPECT_EQ(s.block.ShadowsNoiseFactor, 700);
    EXPECT_EQ(s.block.HighlightsNoiseFactor, 900);
}

TEST(TuningApply, OutOfRangeStoredValuesShowTheDefault) {
    TuningState s = expertState();
    SettingsBlock b;
    b.SharpenAmount = 150;  // slider 250
    b.NoiseRadius = 40;
    b.HighNoise = 7;
    core::applySettings(s, b, ResetCode::All);
    EXPECT_EQ(s.sliders[6].position, 100);
    EXPECT_EQ(s.sliders[6].labelText, "0");
    EXPECT_EQ(s.block.SharpenAmount, 0);
    EXPECT_EQ(s.sliders[4].position, 6);
    EXPECT_FALSE(s.RadioButton_HighN);
    EXPECT_EQ(s.block.HighNoise, 0);
}

TEST(TuningApply, FontStyleRoundTrip) {
    TuningState s;
    s.font.bold = true;
    s.font.italic = false;
    EXPECT_EQ(core::collectSettings(s).FontStyle, "10");
    EXPECT_EQ(s.block.FontName.size(), 50u);
    EXPECT_EQ(s.block.FontName.substr(0, 6), "Arial ");
    s.font.bold = false;
    core::applySettings(s, ResetCode::All);
    EXPECT_TRUE(s.font.bold);
    EXPECT_FALSE(s.font.italic);
    EXPECT_EQ(s.font.name, "Arial");

    EXPECT_EQ(core::fontStyleText(false, true), "01");
    // A style shorter than two characters leaves the font as it is.
    SettingsBlock b;
    b.FontStyle = "1";
    s.font.italic = true;
    core::applySettings(s, b, ResetCode::All);
    EXPECT_TRUE(s.font.bold);
    EXPECT_TRUE(s.font.italic);
}

TEST(TuningApply, QueueItemNegativesAreMeaningful) {
    TuningState s = expertState();
    SettingsBlock b;
    b.NoiseLevelFactor = 1500;
    b.ShadowsNoiseFactor = -1;  // take the overall factor
    b.HighlightsNoiseFactor = -1;
    b.AutoContrastDarkest = -1;  // detect
    b.AutoContrastBrightest = -1;
    core::applySettings(s, b, ResetCode::All);
    EXPECT_EQ(s.sliders[2].position, 30);
    EXPECT_EQ(s.sliders[3].position, 90);
    EXPECT_EQ(s.block.ShadowsNoiseFactor, 1500);
    EXPECT_EQ(s.sliders[20].position, 3);
    EXPECT_EQ(s.sliders[14].position, 97);
}

TEST(TuningApply, BadColourTextFallsBackToTheDefaultColour) {
    TuningState s = expertState();
    SettingsBlock b;
    b.FrameColor = "white";
    b.TextColor = "99999999999";
    b.InnerFrameColor = "255";
    core::applySettings(s, b, ResetCode::All);
    EXPECT_EQ(s.colours.frame, 16777215u);
    EXPECT_EQ(s.colours.text, 65280u);
    EXPECT_EQ(s.colours.inner, 255u);
    EXPECT_EQ(s.block.FrameColor, "16777215");
}

TEST(TuningApply, CropGroup) {
    TuningState s = expertState();
    const SettingsBlock b = changedBlock();
    // Only 200 and 248 set the crop tab; otherwise the crop tab's own values are collected.
    core::applySettings(s, b, ResetCode::All);
    EXPECT_EQ(s.crop, core::CropValues{});
    EXPECT_EQ(s.block.CropOn, 0);
    core::applySettings(s, b, ResetCode::Crop);
    EXPECT_EQ(s.crop.CropRect, b.CropRect);
    EXPECT_EQ(s.block.CropAngle, 1500);
    s.block.CropFitEachImage = 1;
    EXPECT_EQ(core::collectSettings(s).CropFitEachImage, 0);
    s.cropTabHidden = true;
    core::collectSettings(s);
    EXPECT_EQ(s.block.CropOn, 0);
    EXPECT_EQ(s.block.CropRect, (std::array<int32_t, 4>{}));
}

TEST(TuningApply, CAResetRequestsProcessingOnlyWhenCAMatters) {
    TuningState s = expertState();
    EXPECT_FALSE(core::applySettings(s, ResetCode::CA).requestProcessing);
    s.block.CAOn = 1;
    s.checks.cbEnableCA = true;
    EXPECT_TRUE(core::applySettings(s, ResetCode::CA).requestProcessing);
    EXPECT_TRUE(core::applySettings(s, ResetCode::Sharpening).requestProcessing);
}

TEST(TuningApply, SwitchingModes) {
    TuningState s;
    s.detected = {20, 40, 60, 0, 100};
    s.buttons.sbEqNoiseReduction = s.buttons.sbEqSaturation = s.buttons.sbEqSharpening = true;
    core::setExpertMode(s, true, true);
    EXPECT_TRUE(s.expertMode);
    EXPECT_TRUE(s.checks.cbEqBrightness);
    core::sliderChanged(s, 1, 60, {});
    core::sliderChanged(s, 24, 100, {});
    EXPECT_EQ(s.noiseFactors.midtones, 1500);

    // Programmatic switch: the factors stay (the controls were collected first).
    core::setExpertMode(s, false, false);
    EXPECT_FALSE(s.checks.cbEqBrightness);
    EXPECT_FALSE(s.buttons.sbEqNoiseReduction || s.buttons.sbEqSaturation ||
                 s.buttons.sbEqSharpening);
    EXPECT_EQ(s.block.NoiseLevelFactor, 1500);
    EXPECT_EQ(s.sliders[1].position, 60);
    EXPECT_EQ(s.block.CAThreshold, 245);  // simple mode hides CA

    // The user's switch to simple mode puts the factors back.
    core::setExpertMode(s, true, true);
    core::sliderChanged(s, 1, 80, {});
    core::setExpertMode(s, false, true);
    EXPECT_EQ(s.block.NoiseLevelFactor, 1000);
    EXPECT_EQ(s.sliders[1].position, 40);
}

TEST(TuningApply, CASwatch) {
    SettingsBlock b;
    EXPECT_EQ(core::caSwatchColour(b), (std::array<uint8_t, 3>{91, 12, 127}));
    b.CAColorRed = 65535;
    b.CAColorGreen = 127;
    b.CAColorBlue = 129;
    EXPECT_EQ(core::caSwatchColour(b), (std::array<uint8_t, 3>{255, 0, 1}));
}

TEST(TuningApply, NewStateHoldsTheDefaults) {
    TuningState s;
    // The collected defaults differ only where the controls store their own form.
    SettingsBlock expected;
    expected.FontName.resize(50, ' ');
    expected.FontStyle = "00";
    expected.ShadowWidth = 0;  // simple mode
    EXPECT_EQ(s.block, expected);
    EXPECT_EQ(s.sliders[5].position, 100);
    EXPECT_EQ(s.sliders[5].labelText, "100%");
    EXPECT_EQ(s.sliders[24].position, 245);
    EXPECT_TRUE(s.checks.cbEnableNR);
    EXPECT_EQ(s.combos.Edit_frame_width, 25);
    EXPECT_EQ(s.block.FrameWidth, 100);
}

}  // namespace
