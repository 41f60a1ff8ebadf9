#include "core/settings/tuning_controls.h"

#include "core/settings/slider_operations.h"

namespace core {

ControlStates controlStates(const TuningState& s, SettingsTab activeTab) {
    ControlStates c;
    const bool expert = s.expertMode;
    c.caTabVisible = expert;
    c.presetsVisible = expert;
    c.localContrastVisible = expert;
    c.autoBrightnessVisible = expert;
    c.equalizerButtonsVisible = expert;
    c.sharpenMapButtonVisible = expert;
    c.noiseDetailPanelsVisible = expert;
    c.redEyeSlidersVisible = expert;
    c.frameEffectShadowPanelVisible = expert;
    c.distortionDetailPanelVisible = expert;
    c.darkestBrightestPanelVisible = expert && s.checks.cbAutoContrast;
    c.cropTabVisible = !s.cropTabHidden;

    c.noiseControlsEnabled = s.checks.cbEnableNR;
    c.caControlsEnabled = s.checks.cbEnableCA;
    c.previewModeButtonsEnabled = activeTab == SettingsTab::ChromaticAberration
                                      ? s.checks.cbEnableCA
                                  : activeTab == SettingsTab::Noise ? s.checks.cbEnableNR
                                                                    : true;
    c.distortionControlsEnabled = s.checks.cbEnableDistortions;
    c.bwControlsEnabled = s.checks.cbBWConversion;
    c.whiteHaloEnabled = !s.checks.cbSuppressHalos && activeTab == SettingsTab::Sharpening;
    c.frameControlsEnabled = s.checks.cbEnableFrame;
    c.textControlsEnabled = s.checks.cbInsertText;
    return c;
}

void clickEnableNR(TuningState& state, bool checked) {
    state.checks.cbEnableNR = checked;
    if (!checked) state.buttons.sbEqNoiseReduction = false;
}

void clickEnableCA(TuningState& state, bool checked) {
    state.checks.cbEnableCA = checked;
    state.block.CAOn = checked ? 1 : 0;
}

bool clickBWConversion(TuningState& state, bool checked, bool tuningMode, SettingsTab activeTab) {
    state.checks.cbBWConversion = checked;
    state.block.BWConversion = checked ? 1 : 0;
    return tuningMode && activeTab == SettingsTab::Colours;
}

bool clickShowOverExposed(TuningState& state, int box, bool checked, bool tuningMode,
                          SettingsTab activeTab) {
    state.checks.cbShowOverExposed = state.checks.cbShowOverExposed2 = checked;
    const SettingsTab own = box == 1 ? SettingsTab::Brightness : SettingsTab::Colours;
    return tuningMode && activeTab == own;
}

void takeAutoBrightness(TuningState& state, const ProcessingParams& detected) {
    if (state.autoContrastEnabled && detected.AutoContrast == 1) state.checks.cbAutoContrast = true;
    SliderState& sl = state.sliders[8];
    const int32_t marker = defaultSettingsBlock().LocalContrast;
    setSliderRange(sl, sl.minimum, sl.maximum, marker, sl.secondMarker);
    setSliderPosition(sl, detected.LocalContrast, marker);
    refreshSliderLabel(state, 8, true);
}

}  // namespace core
