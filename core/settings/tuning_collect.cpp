#include "core/settings/tuning_collect.h"

#include "core/settings/field_defaults.h"
#include "core/settings/slider_operations.h"

namespace core {

namespace {

constexpr size_t kFontNameCapacity = 50;
constexpr size_t kCaptionCapacity = 255;

int32_t on(bool b) {
    return b ? 1 : 0;
}

}  // namespace

std::string fontStyleText(bool bold, bool italic) {
    return std::string(bold ? "1" : "0") + (italic ? "1" : "0");
}

const SettingsBlock& collectSettings(TuningState& s) {
    SettingsBlock& b = s.block;
    const SettingsBlock d = defaultSettingsBlock();
    const bool expert = s.expertMode;
    auto value = [&s](int n) { return sliderStoredValue(s, n); };

    // Noise (8..40): simple mode has one level for all tones.
    resetOffsetsToDefaults(b, 8, 40);
    b.NoiseLevelFactor = s.noiseFactors.midtones;
    b.ShadowsNoiseFactor = expert ? s.noiseFactors.shadows : s.noiseFactors.midtones;
    b.HighlightsNoiseFactor = expert ? s.noiseFactors.highlights : s.noiseFactors.midtones;
    b.NoiseReductionOn = on(s.checks.cbEnableNR);
    if (expert) {
        b.NoiseReductionAmount = value(19);
        b.ChromaNoise = value(16);
        b.NoiseRadius = value(4);
        b.HighNoise = on(s.RadioButton_HighN);
        b.ShowNoiseMap = on(s.buttons.sbNoiseMap);
    }

    // Sharpening (44..64).
    resetOffsetsToDefaults(b, 44, 64);
    b.SharpenAmount = value(6);
    b.EdgeWidth = value(7);
    b.EdgeContrast = value(5);
    if (expert) {
        b.WhiteHalo = value(36);
        b.SuppressHalos = on(s.checks.cbSuppressHalos);
        b.ShowSharpenMap = on(s.buttons.sbShowDifference);
    }

    // Chromatic aberration (148..176): the picked colour stays in the block in expert mode.
    if (expert) {
        b.CARadius = value(23);
        b.CAThreshold = value(24);
        b.CATolerance = value(25);
        b.CAOn = on(s.checks.cbEnableCA);
        b.ShowCAMap = on(s.buttons.sbCAMap);
    } else {
        resetOffsetsToDefaults(b, 148, 176);
    }

    // Distortions (699..738).
    resetOffsetsToDefaults(b, 699, 738);
    b.DistortionsOn = on(s.checks.cbEnableDistortions);
    b.Barrel = value(28);
    b.HPerspective = value(29);
    b.VPerspective = value(30);
    b.Squeeze = value(31);
    b.AutoCrop = on(s.checks.cbTransAutoCrop);
    b.ShowGrid = on(s.checks.cbTransGrid);
    if (expert) {
        b.Vignetting = value(32);
        b.CurveSteepness = value(37);
        b.CompareMode = on(s.checks.cbCompareMode);
    }

    // Colours and brightness (76..144).
    resetOffsetsToDefaults(b, 76, 144);
    b.ShowHistogram = on(s.buttons.sbHistogram || s.buttons.sbHistogramBrightness);
    b.AutoContrast = on(s.checks.cbAutoContrast);
    b.LocalContrast = value(8);
    b.RedShift = value(11);
    b.GreenShift = value(12);
    b.BlueShift = value(13);
    b.Contrast = value(9);
    b.Gamma = value(10);
    b.ShowOverExposed = on(s.checks.cbShowOverExposed && s.checks.cbShowOverExposed2);
    b.Highlights = value(21);
    b.Shadows = value(22);
    if (expert) {
        b.AutoContrastDarkest = value(20);
        b.AutoContrastBrightest = value(14);
        b.Saturation = value(15);
        b.BWConversion = on(s.checks.cbBWConversion);
        b.BWRed = value(33);
        b.BWGreen = value(34);
        b.BWBlue = value(35);
    }

    // Red eye.
    b.PupilSize = expert ? value(18) : d.PupilSize;
    b.Darkening = expert ? value(17) : d.Darkening;

    // Caption and frame (252..698); the caption's position is moved by its own tools and stays.
    b.ShadowWidth = expert ? s.combos.Edit_frame_shadowwidth * 4 : 0;
    b.FrameEffect = expert ? s.combos.cmbFrameEffect : 0;
    b.TextSmoothing = expert ? value(26) : d.TextSmoothing;
    b.TextTransparency = expert ? value(27) : d.TextTransparency;
    b.FrameOn = on(s.checks.cbEnableFrame);
    b.FrameWidth = s.combos.Edit_frame_width * 4;
    b.InnerFrameWidth = s.combos.Edit_frame_innerwidth;
    b.FrameColor = std::to_string(s.colours.frame);
    b.InnerFrameColor = std::to_string(s.colours.inner);
    b.TextColor = std::to_string(s.colours.text);
    b.ProportionalMargin = on(s.checks.cbProportionalMargin);
    b.TextEffect = s.combos.cmbTxtEffect;
    b.TextAlign = int32_t(s.textAlign);
    b.InsertText = on(s.checks.cbInsertText);
    b.InsertDate = on(s.checks.cbInsertDate);
    b.InsertTime = on(s.checks.cbInsertTime);
    b.InsertInfo = on(s.checks.cbInsertInfo);
    b.CaptionText = s.editTextCaption.substr(0, kCaptionCapacity);
    b.FontCharset = s.font.charset;
    b.FontName = s.font.name.substr(0, kFontNameCapacity);
    b.FontName.resize(kFontNameCapacity, ' ');
    b.FontSize = s.font.size;
    b.FontStyle = fontStyleText(s.font.bold, s.font.italic);

    // Crop and resize (180..251).
    if (s.cropTabHidden) {
        resetOffsetsToDefaults(b, 180, 251);
    } else {
        const CropValues& c = s.crop;
        b.CropOn = c.CropOn;
        b.CropPortrait = c.CropPortrait;
        b.CropFitEachImage = 0;
        b.CropSizeKind = c.CropSizeKind;
        b.CropPaperIndex = c.CropPaperIndex;
        b.CropWebIndex = c.CropWebIndex;
        b.CropUserResizeOn = c.CropUserResizeOn;
        b.CropUserWidth = c.CropUserWidth;
        b.CropUserHeight = c.CropUserHeight;
        b.CropImageWidth = c.CropImageWidth;
        b.CropImageHeight = c.CropImageHeight;
        b.CropAngle = c.CropAngle;
        b.CropRect = c.CropRect;
        b.CropTargetWidth = c.CropTargetWidth;
        b.CropTargetHeight = c.CropTargetHeight;
    }

    // The curve editors' storage.
    const EqualizerCurves& e = s.curves;
    b.NoiseEqualizerCount = e.NoiseEqualizerCount;
    b.NoiseEqualizer = e.NoiseEqualizer;
    b.SharpnessEqualizerCount = e.SharpnessEqualizerCount;
    b.SharpnessEqualizer = e.SharpnessEqualizer;
    b.SaturationEqualizerCount = e.SaturationEqualizerCount;
    b.SaturationEqualizer = e.SaturationEqualizer;
    b.BrightnessEqualizerCount = e.BrightnessEqualizerCount;
    b.BrightnessEqualizer = e.BrightnessEqualizer;
    return b;
}

}  // namespace core
