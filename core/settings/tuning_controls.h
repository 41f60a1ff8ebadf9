// Which tuning controls are shown and enabled for a state, and the check boxes whose clicks do
// more than store their value.
#pragma once

#include "core/settings/settings_fields.h"
#include "core/settings/tuning_state.h"
#include "dnr.h"

namespace core {

struct ControlStates {
    // Shown only in expert mode.
    bool caTabVisible = false;
    bool presetsVisible = false;  // PanelPresets
    bool localContrastVisible = false;
    bool autoBrightnessVisible = false;    // sbAutoBrightness
    bool equalizerButtonsVisible = false;  // sbEqNoiseReduction, sbEqSaturation, sbEqSharpening
    bool sharpenMapButtonVisible = false;  // sbShowDifference
    // Shadow and highlight levels, radius, chroma, method, noise reduction, noise map.
    bool noiseDetailPanelsVisible = false;
    bool redEyeSlidersVisible = false;
    bool frameEffectShadowPanelVisible = false;
    bool distortionDetailPanelVisible = false;
    // Expert mode while cbAutoContrast is checked.
    bool darkestBrightestPanelVisible = false;
    bool cropTabVisible = true;  // hidden in plug-in mode

    // Every control of the noise tab: sliders, method, noise map, equalizer and pick buttons.
    bool noiseControlsEnabled = true;
    // The CA sliders, the colour label, sbCAMap and sbChangeCAColor.
    bool caControlsEnabled = false;
    // The preview mode buttons: by cbEnableNR on the noise tab, by cbEnableCA on the CA tab.
    bool previewModeButtonsEnabled = true;
    bool distortionControlsEnabled = false;
    // SlideBar33..35 and sbMemoryColor.
    bool bwControlsEnabled = false;
    // SlideBar36: only while halo suppression is off and the sharpening tab is active.
    bool whiteHaloEnabled = false;
    // sbColor, sbColorInner, the widths, effect, shadow and proportional margin.
    bool frameControlsEnabled = false;
    // Alignment, colour, font and size buttons.
    bool textControlsEnabled = false;
};

ControlStates controlStates(const TuningState& state, SettingsTab activeTab);

// cbEnableNR clicked: unchecking releases the noise equalizer button (the window closes that
// equalizer). Processing is requested.
void clickEnableNR(TuningState& state, bool checked);
// cbEnableCA clicked: CAOn is stored in the block at once. Processing is requested.
void clickEnableCA(TuningState& state, bool checked);
// cbBWConversion clicked: BWConversion is stored in the block at once (the window updates the
// saturation equalizer's caption). Returns whether processing is requested: only in the tuning
// view on the colour tab.
bool clickBWConversion(TuningState& state, bool checked, bool tuningMode, SettingsTab activeTab);

// The over-exposure check boxes: 1 = cbShowOverExposed (brightness tab), 2 = cbShowOverExposed2
// (colour tab). The two always mirror each other; returns whether the click counts (and requests
// processing): in the tuning view on the box's own tab.
bool clickShowOverExposed(TuningState& state, int box, bool checked, bool tuningMode,
                          SettingsTab activeTab);

// After the engine's brightness detection on a record filled from this state: cbAutoContrast is
// checked when it is enabled and the engine chose auto contrast, and SlideBar8 takes the local
// contrast it found (its marker at the block default). Processing is then requested.
void takeAutoBrightness(TuningState& state, const ProcessingParams& detected);

}  // namespace core
