#include "core/settings/tuning_controls.h"

#include <gtest/gtest.h>

#include "core/settings/tuning_apply.h"

namespace {

using core::SettingsTab;
using core::TuningState;

TEST(TuningControls, ExpertModePanels) {
    for (bool expert : {false, true}) {
        TuningState s;
        s.expertMode = expert;
        const core::ControlStates c = core::controlStates(s, SettingsTab::Noise);
        EXPECT_EQ(c.caTabVisible, expert);
        EXPECT_EQ(c.presetsVisible, expert);
        EXPECT_EQ(c.localContrastVisible, expert);
        EXPECT_EQ(c.autoBrightnessVisible, expert);
        EXPECT_EQ(c.equalizerButtonsVisible, expert);
        EXPECT_EQ(c.sharpenMapButtonVisible, expert);
        EXPECT_EQ(c.noiseDetailPanelsVisible, expert);
        EXPECT_EQ(c.redEyeSlidersVisible, expert);
        EXPECT_EQ(c.frameEffectShadowPanelVisible, expert);
        EXPECT_EQ(c.distortionDetailPanelVisible, expert);
        EXPECT_FALSE(c.darkestBrightestPanelVisible);
        s.checks.cbAutoContrast = true;
        EXPECT_EQ(core::controlStates(s, SettingsTab::Noise).darkestBrightestPanelVisible, expert);
    }
    TuningState plugin;
    EXPECT_TRUE(core::controlStates(plugin, SettingsTab::Noise).cropTabVisible);
    plugin.cropTabHidden = true;
    EXPECT_FALSE(core::controlStates(plugin, SettingsTab::Noise).cropTabVisible);
}

TEST(TuningControls, EnablingRules) {
    struct Case {
        const char* what;
        void (*set)(TuningState&);
        SettingsTab tab;
        bool (*check)(const core::ControlStates&);
    };
    const Case cases[] = {
        {"noise on", [](TuningState&) {}, SettingsTab::Noise,
         [](const core::ControlStates& c) {
             return c.noiseControlsEnabled && c.previewModeButtonsEnabled;
         }},
        {"noise off", [](TuningState& s) { s.checks.cbEnableNR = false; }, SettingsTab::Noise,
         [](const core::ControlStates& c) {
             return !c.noiseControlsEnabled && !c.previewModeButtonsEnabled;
         }},
        {"CA off", [](TuningState&) {}, SettingsTab::ChromaticAberration,
         [](const core::ControlStates& c) {
             return !c.caControlsEnabled && !c.previewModeButtonsEnabled;
         }},
        {"CA on", [](TuningState& s) { s.checks.cbEnableCA = true; },
         SettingsTab::ChromaticAberration,
         [](const core::ControlStates& c) {
             return c.caControlsEnabled && c.previewModeButtonsEnabled;
         }},
        {"distortions", [](TuningState& s) { s.checks.cbEnableDistortions = true; },
         SettingsTab::Distortions,
         [](const core::ControlStates& c) { return c.distortionControlsEnabled; }},
        {"no distortions", [](TuningState&) {}, SettingsTab::Distortions,
         [](const core::ControlStates& c) { return !c.distortionControlsEnabled; }},
        {"black and white", [](TuningState& s) { s.checks.cbBWConversion = true; },
         SettingsTab::Colours, [](const core::ControlStates& c) { return c.bwControlsEnabled; }},
        {"white halo", [](TuningState&) {}, SettingsTab::Sharpening,
         [](const core::ControlStates& c) { return c.whiteHaloEnabled; }},
        {"white halo on another tab", [](TuningState&) {}, SettingsTab::Noise,
         [](const core::ControlStates& c) { return !c.whiteHaloEnabled; }},
        {"white halo with suppression", [](TuningState& s) { s.checks.cbSuppressHalos = true; },
         SettingsTab::Sharpening, [](const core::ControlStates& c) { return !c.whiteHaloEnabled; }},
        {"frame", [](TuningState& s) { s.checks.cbEnableFrame = true; }, SettingsTab::Text,
         [](const core::ControlStates& c) {
             return c.frameControlsEnabled && !c.textControlsEnabled;
         }},
        {"text", [](TuningState& s) { s.checks.cbInsertText = true; }, SettingsTab::Text,
         [](const core::ControlStates& c) {
             return !c.frameControlsEnabled && c.textControlsEnabled;
         }},
    };
    for (const Case& c : cases) {
        TuningState s;
        c.set(s);
        EXPECT_TRUE(c.check(core::controlStates(s, c.tab))) << c.what;
    }
}

TEST(TuningControls, ClicksThatDoMore) {
    TuningState s;
    s.buttons.sbEqNoiseReduction = true;
    core::clickEnableNR(s, true);
    EXPECT_TRUE(s.buttons.sbEqNoiseReduction);
    core::clickEnableNR(s, false);
    EXPECT_FALSE(s.checks.cbEnableNR);
    EXPECT_FALSE(s.buttons.sbEqNoiseReduction);

    s.expertMode = true;
    core::clickEnableCA(s, true);
    EXPECT_EQ(s.block.CAOn, 1);
    EXPECT_TRUE(s.checks.cbEnableCA);

    EXPECT_TRUE(core::clickBWConversion(s, true, true, SettingsTab::Colours));
    EXPECT_EQ(s.block.BWConversion, 1);
    EXPECT_FALSE(core::clickBWConversion(s, false, true, SettingsTab::Brightness));
    EXPECT_EQ(s.block.BWConversion, 0);
    EXPECT_FALSE(core::clickBWConversion(s, true, false, SettingsTab::Colours));
}

TEST(TuningControls, OverExposureBoxesMirror) {
    struct Case {
        int box;
        bool tuning;
        SettingsTab tab;
        bool counts;
    };
    const Case cases[] = {
        {1, true, SettingsTab::Brightness, true},   {1, true, SettingsTab::Colours, false},
        {2, true, SettingsTab::Colours, true},      {2, true, SettingsTab::Brightness, false},
        {1, false, SettingsTab::Brightness, false},
    };
    for (const Case& c : cases) {
        TuningState s;
        EXPECT_EQ(core::clickShowOverExposed(s, c.box, true, c.tuning, c.tab), c.counts);
        EXPECT_TRUE(s.checks.cbShowOverExposed && s.checks.cbShowOverExposed2);
        core::clickShowOverExposed(s, c.box, false, c.tuning, c.tab);
        EXPECT_FALSE(s.checks.cbShowOverExposed || s.checks.cbShowOverExposed2);
    }
}

TEST(TuningControls, AutoBrightness) {
    TuningState s;
    s.expertMode = true;
    ProcessingParams detected{};
    detected.AutoContrast = 1;
    detected.LocalContrast = 35;
    core::takeAutoBrightness(s, detected);
    EXPECT_TRUE(s.checks.cbAutoContrast);
    EXPECT_EQ(s.sliders[8].position, 35);
    EXPECT_EQ(s.sliders[8].defaultMarker, 0);
    EXPECT_EQ(s.sliders[8].labelText, "35");

    TuningState disabled;
    disabled.autoContrastEnabled = false;
    core::takeAutoBrightness(disabled, detected);
    EXPECT_FALSE(disabled.checks.cbAutoContrast);
}

}  // namespace
