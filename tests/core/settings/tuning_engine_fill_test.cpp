#include "core/settings/tuning_engine_fill.h"

#include <gtest/gtest.h>

#include "core/settings/slider_operations.h"
#include "core/settings/tuning_apply.h"

namespace {

using core::FillContext;
using core::SettingsTab;
using core::TuningState;

TuningState pictureState(bool expert) {
    TuningState s;
    s.expertMode = expert;
    s.detected = {20, 40, 60, 0, 100};
    core::applySettings(s, core::ResetCode::All);
    return s;
}

TEST(TuningEngineFill, FixedFieldsAndSliderValues) {
    TuningState s = pictureState(true);
    core::sliderChanged(s, 6, 150, {});
    core::sliderChanged(s, 9, 80, {});
    core::sliderChanged(s, 28, 130, {});
    core::sliderChanged(s, 20, 7, {});
    core::sliderChanged(s, 14, 93, {});
    const ProcessingParams p = core::fillEngineRecord(s, {});
    EXPECT_EQ(p.Magic, 2345779546u);
    EXPECT_EQ(p.Bits, nullptr);
    EXPECT_EQ(p.Width, 0);
    EXPECT_EQ(p.Height, 0);
    EXPECT_EQ(p.ProgressCallback, nullptr);
    EXPECT_EQ(p.FinalRun, 0);
    EXPECT_EQ(p.ColorAdjustOn, 1);
    EXPECT_EQ(p.RedEyeOn, 1);
    EXPECT_EQ(p.Reserved484, 0);
    EXPECT_EQ(p.ViewWidth, 0);
    EXPECT_EQ(p.SharpenAmount, 50);
    EXPECT_EQ(p.Contrast, -20);
    EXPECT_EQ(p.Barrel, 30);
    EXPECT_EQ(p.AutoContrastDarkest, 7);
    EXPECT_EQ(p.AutoContrastBrightest, 93);
    EXPECT_EQ(p.EdgeContrast, 100);
    EXPECT_EQ(p.EdgeWidth, 2);
    EXPECT_EQ(p.WhiteHalo, 50);
    EXPECT_EQ(p.NoiseRadius, 6);
    EXPECT_EQ(p.ChromaNoise, 2);
    EXPECT_EQ(p.NoiseReductionAmount, 100);
    EXPECT_EQ(p.CARadius, 5);
    EXPECT_EQ(p.CAThreshold, 245);
    EXPECT_EQ(p.CATolerance, 50);
    EXPECT_EQ(p.CAColorRed, 23200);
    EXPECT_EQ(p.CAColorGreen, 3000);
    EXPECT_EQ(p.CAColorBlue, 32500);
    EXPECT_EQ(p.CurveSteepness, 30);
    EXPECT_EQ(p.NoiseEqualizerCount, 40);
    EXPECT_EQ(p.BrightnessEqualizerCount, 9);
    EXPECT_EQ(p.NoiseMode, DNR_NOISE_NORMAL);
    EXPECT_EQ(p.NoiseAreas, nullptr);
    EXPECT_EQ(p.RedEyes, nullptr);
    EXPECT_EQ(p.ColorRanges, nullptr);
    EXPECT_EQ(p.SelectedColorRange, -1);
}

TEST(TuningEngineFill, NoiseLevels) {
    struct Case {
        bool expert;
        core::DetectedLevels detected;
        int32_t factor;   // the block's midtone factor
        int32_t movedTo;  // SlideBar1 after the user moved it; -1 not moved
        int32_t level, shadows, highlights;
        int32_t on;
    };
    const Case cases[] = {
        {false, {20, 40, 60, 0, 100}, 1000, -1, 40, 20, 60, 1},
        {false, {20, 40, 60, 0, 100}, 1500, -1, 60, 30, 90, 1},
        {false, {21, 40, 60, 0, 100}, 1000, 50, 50, 26, 75, 1},  // 26.25 rounds down
        // No midtone level: the shared factor scales the other tones' own levels.
        {false, {20, 0, 60, 0, 100}, 1500, -1, 0, 30, 90, 0},
        {false, {20, 0, 60, 0, 100}, 1500, 25, 25, 30, 90, 1},
        {false, {0, 0, 0, 0, 100}, 1000, 10, 10, 0, 0, 1},  // no picture yet
        {true, {20, 40, 60, 0, 100}, 1500, -1, 60, 20, 60, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.detected.midtones << " " << c.factor << " " << c.movedTo);
        TuningState s;
        s.expertMode = c.expert;
        s.detected = c.detected;
        core::SettingsBlock b;
        b.NoiseLevelFactor = c.factor;
        core::applySettings(s, b, core::ResetCode::All);
        if (c.movedTo >= 0) core::sliderChanged(s, 1, c.movedTo, {});
        const ProcessingParams p = core::fillEngineRecord(s, {});
        EXPECT_EQ(p.NoiseLevel, c.level);
        EXPECT_EQ(p.ShadowsNoiseLevel, c.shadows);
        EXPECT_EQ(p.HighlightsNoiseLevel, c.highlights);
        EXPECT_EQ(p.NoiseReductionOn, c.on);
    }
    EXPECT_EQ(core::simpleModeToneLevel(20, 0, 0, 700), 14);
    EXPECT_EQ(core::simpleModeToneLevel(20, 40, 30, 700), 15);
}

// The switches that depend on the active tab, on the tabs shown and on the controls.
TEST(TuningEngineFill, SwitchesPerTab) {
    struct Case {
        SettingsTab tab;
        bool caShown, distortionsShown;
        bool ca, distortions, sharpenMap;
    };
    const Case cases[] = {
        {SettingsTab::Noise, true, true, true, true, false},
        {SettingsTab::Sharpening, true, true, true, true, true},
        {SettingsTab::ChromaticAberration, true, false, true, false, false},
        {SettingsTab::Colours, false, true, false, true, false},
        {SettingsTab::Distortions, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.tab));
        TuningState s = pictureState(true);
        s.checks.cbEnableCA = true;
        s.checks.cbEnableDistortions = true;
        s.buttons.sbShowDifference = true;
        s.buttons.sbNoiseMap = true;
        s.buttons.sbCAMap = true;
        s.checks.cbTransGrid = true;
        FillContext ctx;
        ctx.activeTab = c.tab;
        ctx.caTabShown = c.caShown;
        ctx.distortionsTabShown = c.distortionsShown;
        const ProcessingParams p = core::fillEngineRecord(s, ctx);
        EXPECT_EQ(p.CAOn, c.ca ? 1 : 0);
        EXPECT_EQ(p.DistortionsOn, c.distortions ? 1 : 0);
        EXPECT_EQ(p.ShowSharpenMap, c.sharpenMap ? 1 : 0);
        // These follow their buttons; the run keeps them only on their own tabs.
        EXPECT_EQ(p.ShowNoiseMap, 1);
        EXPECT_EQ(p.ShowCAMap, 1);
        EXPECT_EQ(p.ShowGrid, 1);
    }
}

TEST(TuningEngineFill, SwitchesFromTheControls) {
    struct Case {
        const char* what;
        void (*set)(TuningState&);
        bool (*check)(const ProcessingParams&);
    };
    const Case cases[] = {
        {"noise off", [](TuningState& s) { s.checks.cbEnableNR = false; },
         [](const ProcessingParams& p) { return p.NoiseReductionOn == 0 && p.NoiseLevel == 40; }},
        {"high noise", [](TuningState& s) { s.RadioButton_HighN = true; },
         [](const ProcessingParams& p) { return p.NoiseMode == DNR_NOISE_HIGH; }},
        {"one over-exposure box", [](TuningState& s) { s.checks.cbShowOverExposed = true; },
         [](const ProcessingParams& p) { return p.ShowOverExposed == 0; }},
        {"both over-exposure boxes",
         [](TuningState& s) { s.checks.cbShowOverExposed = s.checks.cbShowOverExposed2 = true; },
         [](const ProcessingParams& p) { return p.ShowOverExposed == 1; }},
        {"auto contrast", [](TuningState& s) { s.checks.cbAutoContrast = true; },
         [](const ProcessingParams& p) { return p.AutoContrast == 1; }},
        {"auto contrast disabled",
         [](TuningState& s) {
             s.checks.cbAutoContrast = true;
             s.autoContrastEnabled = false;
         },
         [](const ProcessingParams& p) { return p.AutoContrast == 0; }},
        {"black and white",
         [](TuningState& s) {
             s.checks.cbBWConversion = true;
             core::sliderChanged(s, 34, 60, {});
         },
         [](const ProcessingParams& p) { return p.BWConversion == 1 && p.BWGreen == -40; }},
        {"halo suppression", [](TuningState& s) { s.checks.cbSuppressHalos = true; },
         [](const ProcessingParams& p) { return p.SuppressHalos == 1; }},
        {"auto crop off, compare on",
         [](TuningState& s) {
             s.checks.cbTransAutoCrop = false;
             s.checks.cbCompareMode = true;
         },
         [](const ProcessingParams& p) { return p.AutoCrop == 0 && p.CompareMode == 1; }},
        {"curves from the editors' storage",
         [](TuningState& s) {
             s.curves.SaturationEqualizer[3] = 77;
             s.curves.BrightnessEqualizer[8] = -5;
         },
         [](const ProcessingParams& p) {
             return p.SaturationEqualizer[3] == 77 && p.BrightnessEqualizer[8] == -5;
         }},
        {"picked CA colour",
         [](TuningState& s) {
             s.block.CAColorRed = 1;
             s.block.CAColorBlue = 3;
         },
         [](const ProcessingParams& p) { return p.CAColorRed == 1 && p.CAColorBlue == 3; }},
    };
    for (const Case& c : cases) {
        TuningState s = pictureState(true);
        c.set(s);
        EXPECT_TRUE(c.check(core::fillEngineRecord(s, {}))) << c.what;
    }
}

TEST(TuningEngineFill, ListsPointIntoTheState) {
    TuningState s = pictureState(true);
    s.noiseAreas.push_back({1000, 0x8000, 0x8100, -50});
    s.redEyes.push_back({5000, 6000, 0, 0, 50, 100});
    core::ColorRangeItem range;
    range.Colors = {100, 200, 300, 400, 500, 600, 700, 800, 900};
    range.Tolerance = 30;
    range.Areas.push_back({0, 10, 20, 30, 40});
    s.colorRanges = {range, range};

    FillContext ctx;
    ctx.convertColour = [](const std::array<uint16_t, 3>& c) {
        return std::array<uint16_t, 3>{uint16_t(c[0] + 1), uint16_t(c[1] + 2), uint16_t(c[2] + 3)};
    };
    ProcessingParams p = core::fillEngineRecord(s, ctx);
    EXPECT_EQ(p.NoiseAreaCount, 1);
    EXPECT_EQ(p.NoiseAreas, s.noiseAreas.data());
    EXPECT_EQ(p.RedEyeCount, 1);
    ASSERT_EQ(p.RedEyes, s.redEyes.data());
    p.RedEyes[0].EyeWidth = 4000;  // the engine sizing an eye writes into the marks
    EXPECT_EQ(s.redEyes[0].EyeWidth, 4000);
    ASSERT_EQ(p.ColorRangeCount, 2);
    ASSERT_NE(p.ColorRanges, nullptr);
    const Colors_ColorRangeParams& r = p.ColorRanges[1];
    EXPECT_EQ(r.Color1[0], 101);
    EXPECT_EQ(r.Color1[2], 303);
    EXPECT_EQ(r.Color2[1], 502);
    EXPECT_EQ(r.TargetColor[2], 903);
    EXPECT_EQ(r.Tolerance, 30);
    EXPECT_EQ(r.AreaCount, 1);
    EXPECT_EQ(r.Areas[0].AreaHeight, 40);
    EXPECT_EQ(s.colorRanges[1].Colors[0], 100);  // the list itself is not converted

    // The range being edited counts only on the colour tab of the tuning view with its window.
    struct Case {
        SettingsTab tab;
        bool tuning, window;
        int32_t edited, selected;
    };
    const Case cases[] = {
        {SettingsTab::Colours, true, true, 1, 1},   {SettingsTab::Colours, true, false, 1, -1},
        {SettingsTab::Colours, false, true, 1, -1}, {SettingsTab::Brightness, true, true, 1, -1},
        {SettingsTab::Colours, true, true, 2, -1},  // no such range
    };
    for (const Case& c : cases) {
        FillContext k;
        k.activeTab = c.tab;
        k.tuningMode = c.tuning;
        k.colourRangeWindowOpen = c.window;
        k.editedColourRange = c.edited;
        EXPECT_EQ(core::fillEngineRecord(s, k).SelectedColorRange, c.selected);
    }
}

}  // namespace
