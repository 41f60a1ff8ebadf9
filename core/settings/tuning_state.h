// The tuning tabs as values: every control of the noise, sharpening, red-eye, colour, brightness,
// CA, text, crop and distortion tabs, the current settings block they edit, the picture's detected
// levels, the marks lists and the equalizer curves' working storage. The main window binds its
// widgets to these members (slider N's widget to sliders[N]) and calls the functions of
// tuning_apply.h, tuning_collect.h, slider_operations.h, tuning_controls.h and
// tuning_engine_fill.h; it keeps no state of its own that these need.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/queue/queue_params.h"
#include "core/settings/settings_block.h"
#include "core/settings/slider_table.h"
#include "dnr.h"

namespace core {

// Which defaults Apply copies into the block and which control groups it refreshes.
enum class ResetCode : int32_t {
    All = 0,            // open image, load settings, queue edit, expert-mode change
    ResetAll = 200,     // menuResetOptions, after the whole block was replaced by the defaults
    Noise = 253,        // sbAutoDetect
    Sharpening = 251,   // sbSharpReset
    CA = 249,           // sbResetCA
    RedEye = 250,       // sbResetRedEye
    Colours = 252,      // sbResetColor
    Brightness = 254,   // sbResetBrightness, sbAutoBrightness
    Distortions = 247,  // sbResetDistortion
    Crop = 248,         // the crop tab's reset
};

struct SliderState {
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
    int32_t defaultMarker = 0;
    std::optional<int32_t> secondMarker;
    // Grey (system grey text) after the value came from a block, normal after the user moved it.
    bool labelGrey = true;
    std::string labelText;
    // The position when the slider was entered or last changed (a focused slider's change counts
    // only when it differs).
    int32_t remembered = 0;
};

struct CheckBoxes {
    bool cbEnableNR = true;
    bool cbSuppressHalos = false;
    bool cbAutoContrast = false;
    bool cbBWConversion = false;
    bool cbShowOverExposed = false;   // brightness tab
    bool cbShowOverExposed2 = false;  // colour tab; mirrors the first
    bool cbEnableCA = false;
    bool cbEnableFrame = false;
    bool cbProportionalMargin = true;
    bool cbInsertText = false;
    bool cbInsertDate = false;
    bool cbInsertTime = false;
    bool cbInsertInfo = false;
    bool cbEnableDistortions = false;
    bool cbTransAutoCrop = true;
    bool cbTransGrid = false;
    bool cbCompareMode = false;
    bool cbEqBrightness = false;  // opens the brightness equalizer
};

// Speed buttons: true = down.
struct SpeedButtons {
    bool sbNoiseMap = false;
    bool sbShowDifference = false;  // the sharpening map
    bool sbHistogram = false;       // colour tab
    bool sbHistogramBrightness = false;
    bool sbCAMap = false;
    bool sbEqNoiseReduction = false;  // the equalizer windows' buttons
    bool sbEqSaturation = false;
    bool sbEqSharpening = false;
};

// Item indices of the caption and frame lists (their items belong to the caption renderer).
struct ComboIndices {
    int32_t Edit_frame_width = 25;       // stored as index * 4
    int32_t Edit_frame_innerwidth = 5;   // stored as index * 1
    int32_t Edit_frame_shadowwidth = 5;  // stored as index * 4
    int32_t cmbFrameEffect = 0;
    int32_t cmbTxtEffect = 3;
};

enum class TextAlignment : int32_t { Left = 0, Centre = 1, Right = 2 };

struct FontState {
    std::string name = "Arial";  // without the padding of the stored block
    int32_t size = 14;
    int32_t charset = 1;
    bool bold = false;
    bool italic = false;
};

// Colours as the stored decimal text holds them: 0x00BBGGRR.
struct CaptionColours {
    uint32_t frame = 16777215;  // sbColor
    uint32_t inner = 0;         // sbColorInner
    uint32_t text = 65280;      // sbColorText
};

// The crop tab's values, field for field as the block stores them (their meaning is the crop and
// resize stage's).
struct CropValues {
    int32_t CropOn = 0;
    int32_t CropPortrait = 0;  // RadioButton_crop_4
    int32_t CropSizeKind = 0;
    int32_t CropPaperIndex = 0;  // cmbPaperResize
    int32_t CropWebIndex = 0;    // cmbWebResize
    int32_t CropUserResizeOn = 0;
    int32_t CropUserWidth = 0;
    int32_t CropUserHeight = 0;
    int32_t CropImageWidth = 0;
    int32_t CropImageHeight = 0;
    int32_t CropAngle = 0;
    std::array<int32_t, 4> CropRect{};
    int32_t CropTargetWidth = 0;
    int32_t CropTargetHeight = 0;

    bool operator==(const CropValues&) const = default;
};

// Levels detected on the open picture (0 before any picture).
struct DetectedLevels {
    int32_t shadows = 0;
    int32_t midtones = 0;
    int32_t highlights = 0;
    int32_t darkest = 0;
    int32_t brightest = 100;
};

// The noise sliders' values relative to the detected levels, in per mille.
struct NoiseFactors {
    int32_t midtones = 1000;  // NoiseLevelFactor, SlideBar1
    int32_t shadows = 1000;   // ShadowsNoiseFactor, SlideBar2
    int32_t highlights = 1000;

    bool operator==(const NoiseFactors&) const = default;
};

// The curve editors' storage; the engine record's equalizer fields are filled from it.
struct EqualizerCurves {
    int32_t NoiseEqualizerCount = 40;
    std::array<int32_t, 40> NoiseEqualizer{};
    int32_t SharpnessEqualizerCount = 40;
    std::array<int32_t, 40> SharpnessEqualizer{};
    int32_t SaturationEqualizerCount = 40;
    std::array<int32_t, 40> SaturationEqualizer{};
    int32_t BrightnessEqualizerCount = 9;
    std::array<int32_t, 9> BrightnessEqualizer{};

    bool operator==(const EqualizerCurves&) const = default;
};

// While the left button (or a key) holds SlideBar1, sliders 2 and 3 follow it.
struct NoiseFollowing {
    bool active = false;
    std::array<int32_t, 3> start{};  // positions of sliders 1, 2, 3 when it began
};

struct TuningState {
    TuningState();

    // The current block: collected from the controls, applied to them.
    SettingsBlock block;

    std::array<SliderState, kLastSlider + 1> sliders{};  // [1] .. [37]; [0] unused
    CheckBoxes checks;
    SpeedButtons buttons;
    bool RadioButton_HighN = false;  // RadioButton_LowN is checked otherwise
    ComboIndices combos;
    TextAlignment textAlign = TextAlignment::Right;
    CaptionColours colours;
    std::string editTextCaption;
    FontState font;
    CropValues crop;
    // Nothing in this model disables cbAutoContrast; the window may, and the engine record then
    // leaves auto contrast off.
    bool autoContrastEnabled = true;

    bool expertMode = false;
    bool cropTabHidden = false;  // plug-in mode

    DetectedLevels detected;
    NoiseFactors noiseFactors;
    NoiseFollowing following;

    std::vector<NoiseAreaEntry> noiseAreas;   // the noise colour picks
    std::vector<ColorRangeItem> colorRanges;  // memory colours
    std::vector<RedEyeEntry> redEyes;         // the red-eye marks, newest last
    EqualizerCurves curves;

    // Set while a block is applied: requests and the sliders' side effects are suppressed.
    bool applying = false;

    // What the last engine record's colour ranges point to (rebuilt by every fill).
    std::shared_ptr<EngineColorRanges> engineColorRanges;
};

}  // namespace core
