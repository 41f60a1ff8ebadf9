#include "core/settings/tuning_apply.h"

#include <algorithm>
#include <charconv>

#include "core/settings/field_defaults.h"
#include "core/settings/rounding.h"
#include "core/settings/settings_fields.h"
#include "core/settings/slider_operations.h"
#include "core/settings/tuning_collect.h"

namespace core {

namespace {

enum Group : unsigned {
    kNoise = 1u << 0,
    kSharpening = 1u << 1,
    kCA = 1u << 2,
    kRedEye = 1u << 3,
    kColours = 1u << 4,
    kBrightness = 1u << 5,
    kDistortions = 1u << 6,
    kCaptionFrame = 1u << 7,
    kCrop = 1u << 8,
};

unsigned refreshedGroups(ResetCode code) {
    switch (code) {
        case ResetCode::All:
            return ~unsigned(kCrop);
        case ResetCode::ResetAll:
            return ~0u;
        case ResetCode::Noise:
            return kNoise;
        case ResetCode::Sharpening:
            return kSharpening;
        case ResetCode::CA:
            return kCA;
        case ResetCode::RedEye:
            return kRedEye;
        case ResetCode::Colours:
            return kColours;
        case ResetCode::Brightness:
            return kBrightness;
        case ResetCode::Distortions:
            return kDistortions;
        case ResetCode::Crop:
            return kCrop;
    }
    return 0;
}

unsigned groupOfTab(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::Noise:
            return kNoise;
        case SettingsTab::Sharpening:
            return kSharpening;
        case SettingsTab::ChromaticAberration:
            return kCA;
        case SettingsTab::RedEye:
            return kRedEye;
        case SettingsTab::Colours:
            return kColours;
        case SettingsTab::Brightness:
            return kBrightness;
        case SettingsTab::Distortions:
            return kDistortions;
        case SettingsTab::Text:
            return kCaptionFrame;
        case SettingsTab::Crop:
            return kCrop;
        case SettingsTab::None:
        case SettingsTab::Curves:
            break;
    }
    return 0;
}

void resetNoiseCurve(SettingsBlock& b) {
    resetFieldsToDefaults(b, {"NoiseEqualizerCount", "NoiseEqualizer"});
}
void resetSharpnessCurve(SettingsBlock& b) {
    resetFieldsToDefaults(b, {"SharpnessEqualizerCount", "SharpnessEqualizer"});
}
void resetSaturationCurve(SettingsBlock& b) {
    resetFieldsToDefaults(b, {"SaturationEqualizerCount", "SaturationEqualizer"});
}
void resetBrightnessCurve(SettingsBlock& b) {
    resetFieldsToDefaults(b, {"BrightnessEqualizerCount", "BrightnessEqualizer"});
}

void takeDetectedDarkestBrightest(TuningState& s) {
    s.block.AutoContrastDarkest = s.detected.darkest;
    s.block.AutoContrastBrightest = s.detected.brightest;
}

// The defaults the code puts into the block before the controls are set.
void resetForCode(TuningState& s, ResetCode code) {
    SettingsBlock& b = s.block;
    const bool simple = !s.expertMode;
    switch (code) {
        case ResetCode::All:
        case ResetCode::ResetAll:
            if (simple) {
                resetFieldsToDefaults(b, {"ChromaNoise",
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
                                          "CompareMode"});
                takeDetectedDarkestBrightest(s);
                s.noiseAreas.clear();
                resetNoiseCurve(b);
                resetSharpnessCurve(b);
                resetSaturationCurve(b);
                resetBrightnessCurve(b);
            }
            if (code == ResetCode::ResetAll)
                resetFieldsToDefaults(b, {"NoiseLevelFactor", "ShadowsNoiseFactor",
                                          "HighlightsNoiseFactor", "NoiseReductionOn"});
            break;
        case ResetCode::Noise:
            resetOffsetsToDefaults(b, 8, 40);
            resetNoiseCurve(b);
            s.noiseAreas.clear();
            break;
        case ResetCode::Sharpening:
            resetFieldsToDefaults(b, {"SharpenAmount", "EdgeWidth", "EdgeContrast", "SuppressHalos",
                                      "ShowSharpenMap", "WhiteHalo"});
            resetSharpnessCurve(b);
            break;
        case ResetCode::CA:
            resetFieldsToDefaults(b, {"CARadius", "CAThreshold", "ShowCAMap", "CATolerance"});
            break;
        case ResetCode::RedEye:
            resetFieldsToDefaults(b, {"PupilSize", "Darkening"});
            s.redEyes.clear();
            break;
        case ResetCode::Colours:
            resetFieldsToDefaults(b, {"RedShift", "GreenShift", "BlueShift", "Saturation", "BWRed",
                                      "BWGreen", "BWBlue", "BWConversion", "ShowOverExposed"});
            resetSaturationCurve(b);
            s.colorRanges.clear();
            break;
        case ResetCode::Brightness:
            resetFieldsToDefaults(b, {"AutoContrast", "LocalContrast", "Contrast", "Gamma",
                                      "Highlights", "Shadows", "ShowOverExposed"});
            takeDetectedDarkestBrightest(s);
            resetBrightnessCurve(b);
            break;
        case ResetCode::Distortions:
            resetFieldsToDefaults(
                b, {"Barrel", "HPerspective", "VPerspective", "Squeeze", "AutoCrop", "ShowGrid",
                    "Vignetting", "CurveSteepness", "CompareMode"});
            break;
        case ResetCode::Crop:
            break;
    }
}

bool isOne(int32_t v) {
    return v == 1;
}

// A decimal colour; text that is no colour gives the fallback.
uint32_t parseColour(const std::string& text, uint32_t fallback) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || value > 0xFFFFFFu) return fallback;
    return value;
}

std::string withoutTrailingSpaces(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Sliders that show their field as stored (the noise level sliders are set apart).
void setSliderFromBlock(TuningState& s, int n) {
    const SliderConfig& c = sliderConfig(n);
    const SettingsField* f = findSettingsField(c.field);
    SliderState& sl = s.sliders[size_t(n)];
    setSliderRange(sl, c.minimum, c.maximum, c.defaultPosition);
    int32_t position = fieldInt(*f, s.block);
    if (f->stored == StoredAs::SliderMinus100) position += 100;
    // A negative darkest or brightest (a queue item's "detect") shows the detected value.
    if (f->rule == FieldRule::DetectedWhenNegative && position < 0)
        position = n == 20 ? s.detected.darkest : s.detected.brightest;
    setSliderPosition(sl, position, c.defaultPosition);
    refreshSliderLabel(s, n, true);
}

void setNoiseSliders(TuningState& s) {
    const SettingsBlock& b = s.block;
    // A negative shadow or highlight factor (a queue item's) takes the overall factor.
    s.noiseFactors.midtones = b.NoiseLevelFactor;
    s.noiseFactors.shadows = b.ShadowsNoiseFactor < 0 ? b.NoiseLevelFactor : b.ShadowsNoiseFactor;
    s.noiseFactors.highlights =
        b.HighlightsNoiseFactor < 0 ? b.NoiseLevelFactor : b.HighlightsNoiseFactor;
    const std::array<std::pair<int32_t, int32_t>, 3> levels{{
        {s.detected.midtones, s.noiseFactors.midtones},
        {s.detected.shadows, s.noiseFactors.shadows},
        {s.detected.highlights, s.noiseFactors.highlights},
    }};
    for (int n = 1; n <= 3; ++n) {
        const auto [level, factor] = levels[size_t(n - 1)];
        SliderState& sl = s.sliders[size_t(n)];
        const SliderConfig& c = sliderConfig(n);
        setSliderRange(sl, c.minimum, c.maximum, level);
        setSliderPosition(sl, noisePositionForFactor(level, factor), level);
        refreshSliderLabel(s, n, true);
    }
}

void refreshGroups(TuningState& s, unsigned groups) {
    const SettingsBlock& b = s.block;
    for (const SliderConfig& c : sliderConfigs()) {
        if (c.defaultIsDetected) continue;
        if (groups & groupOfTab(findSettingsField(c.field)->tab)) setSliderFromBlock(s, c.number);
    }
    CheckBoxes& cb = s.checks;
    SpeedButtons& sb = s.buttons;
    EqualizerCurves& e = s.curves;
    if (groups & kNoise) {
        setNoiseSliders(s);
        s.RadioButton_HighN = isOne(b.HighNoise);
        sb.sbNoiseMap = isOne(b.ShowNoiseMap);
        cb.cbEnableNR = isOne(b.NoiseReductionOn);
        e.NoiseEqualizerCount = b.NoiseEqualizerCount;
        e.NoiseEqualizer = b.NoiseEqualizer;
    }
    if (groups & kSharpening) {
        cb.cbSuppressHalos = isOne(b.SuppressHalos);
        sb.sbShowDifference = isOne(b.ShowSharpenMap);
        e.SharpnessEqualizerCount = b.SharpnessEqualizerCount;
        e.SharpnessEqualizer = b.SharpnessEqualizer;
    }
    if (groups & kCA) {
        cb.cbEnableCA = isOne(b.CAOn);
        sb.sbCAMap = isOne(b.ShowCAMap);
    }
    if (groups & kColours) {
        cb.cbBWConversion = isOne(b.BWConversion);
        sb.sbHistogram = isOne(b.ShowHistogram);
        e.SaturationEqualizerCount = b.SaturationEqualizerCount;
        e.SaturationEqualizer = b.SaturationEqualizer;
    }
    if (groups & kBrightness) {
        cb.cbAutoContrast = isOne(b.AutoContrast);
        sb.sbHistogramBrightness = isOne(b.ShowHistogram);
        e.BrightnessEqualizerCount = b.BrightnessEqualizerCount;
        e.BrightnessEqualizer = b.BrightnessEqualizer;
    }
    if (groups & (kColours | kBrightness))
        cb.cbShowOverExposed = cb.cbShowOverExposed2 = isOne(b.ShowOverExposed);
    if (groups & kDistortions) {
        cb.cbEnableDistortions = isOne(b.DistortionsOn);
        cb.cbTransAutoCrop = isOne(b.AutoCrop);
        cb.cbTransGrid = isOne(b.ShowGrid);
        cb.cbCompareMode = isOne(b.CompareMode);
    }
    if (groups & kCaptionFrame) {
        const CaptionColours fallback;
        cb.cbEnableFrame = isOne(b.FrameOn);
        cb.cbProportionalMargin = isOne(b.ProportionalMargin);
        s.combos.Edit_frame_width = std::max(0, b.FrameWidth / 4);
        s.combos.Edit_frame_innerwidth = std::max(0, b.InnerFrameWidth);
        s.combos.Edit_frame_shadowwidth = std::max(0, b.ShadowWidth / 4);
        s.combos.cmbFrameEffect = std::max(0, b.FrameEffect);
        s.combos.cmbTxtEffect = std::max(0, b.TextEffect);
        s.colours.frame = parseColour(b.FrameColor, fallback.frame);
        s.colours.inner = parseColour(b.InnerFrameColor, fallback.inner);
        s.colours.text = parseColour(b.TextColor, fallback.text);
        s.textAlign = b.TextAlign >= 0 && b.TextAlign <= 2 ? TextAlignment(b.TextAlign)
                                                           : TextAlignment::Right;
        cb.cbInsertText = isOne(b.InsertText);
        cb.cbInsertDate = isOne(b.InsertDate);
        cb.cbInsertTime = isOne(b.InsertTime);
        cb.cbInsertInfo = isOne(b.InsertInfo);
        s.editTextCaption = b.CaptionText;
        s.font.charset = b.FontCharset;
        s.font.name = withoutTrailingSpaces(b.FontName);
        s.font.size = b.FontSize;
        if (b.FontStyle.size() >= 2) {
            s.font.bold = b.FontStyle[0] == '1';
            s.font.italic = b.FontStyle[1] == '1';
        }
    }
    if (groups & kCrop) {
        CropValues& c = s.crop;
        c.CropOn = b.CropOn;
        c.CropPortrait = b.CropPortrait;
        c.CropSizeKind = b.CropSizeKind;
        c.CropPaperIndex = b.CropPaperIndex;
        c.CropWebIndex = b.CropWebIndex;
        c.CropUserResizeOn = b.CropUserResizeOn;
        c.CropUserWidth = b.CropUserWidth;
        c.CropUserHeight = b.CropUserHeight;
        c.CropImageWidth = b.CropImageWidth;
        c.CropImageHeight = b.CropImageHeight;
        c.CropAngle = b.CropAngle;
        c.CropRect = b.CropRect;
        c.CropTargetWidth = b.CropTargetWidth;
        c.CropTargetHeight = b.CropTargetHeight;
    }
}

}  // namespace

ApplyResult applySettings(TuningState& state, const SettingsBlock& block, ResetCode code) {
    state.block = block;
    return applySettings(state, code);
}

ApplyResult applySettings(TuningState& state, ResetCode code) {
    const bool caWasOn = state.checks.cbEnableCA;
    state.applying = true;
    resetForCode(state, code);
    refreshGroups(state, refreshedGroups(code));
    collectSettings(state);
    state.applying = false;
    ApplyResult result;
    if (code == ResetCode::CA)
        result.requestProcessing = state.checks.cbEnableCA || caWasOn != state.checks.cbEnableCA;
    return result;
}

void setExpertMode(TuningState& state, bool expert, bool userSwitched) {
    collectSettings(state);
    state.expertMode = expert;
    if (expert) {
        state.checks.cbEqBrightness = true;
    } else {
        state.checks.cbEqBrightness = false;
        state.buttons.sbEqNoiseReduction = false;
        state.buttons.sbEqSaturation = false;
        state.buttons.sbEqSharpening = false;
        if (userSwitched)
            resetFieldsToDefaults(
                state.block, {"NoiseLevelFactor", "ShadowsNoiseFactor", "HighlightsNoiseFactor"});
    }
    applySettings(state, ResetCode::All);
}

std::array<uint8_t, 3> caSwatchColour(const SettingsBlock& b) {
    auto channel = [](int32_t component) {
        return uint8_t(std::clamp<int64_t>(roundedDivision(component, 256), 0, 255));
    };
    return {channel(b.CAColorRed), channel(b.CAColorGreen), channel(b.CAColorBlue)};
}

}  // namespace core
