#include "core/settings/settings_block.h"

#include <cassert>

#include "core/settings/byte_codec.h"

namespace core {

SettingsBlock defaultSettingsBlock() {
    return SettingsBlock{};
}

void encodeSettingsBlock(const SettingsBlock& b, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    ByteWriter w(out);
    for (int32_t v : {b.Version,
                      b.Reserved,
                      b.NoiseLevelFactor,
                      b.ShadowsNoiseFactor,
                      b.HighlightsNoiseFactor,
                      b.ChromaNoise,
                      b.HighNoise,
                      b.NoiseRadius,
                      b.ShowNoiseMap,
                      b.NoiseReductionOn,
                      b.NoiseReductionAmount,
                      b.SharpenAmount,
                      b.EdgeWidth,
                      b.EdgeContrast,
                      b.SuppressHalos,
                      b.ShowSharpenMap,
                      b.WhiteHalo,
                      b.PupilSize,
                      b.Darkening,
                      b.ShowHistogram,
                      b.AutoContrast,
                      b.LocalContrast,
                      b.RedShift,
                      b.GreenShift,
                      b.BlueShift,
                      b.Contrast,
                      b.Gamma,
                      b.Saturation,
                      b.AutoContrastDarkest,
                      b.AutoContrastBrightest,
                      b.Highlights,
                      b.Shadows,
                      b.BWRed,
                      b.BWGreen,
                      b.BWBlue,
                      b.BWConversion,
                      b.ShowOverExposed,
                      b.CARadius,
                      b.CAThreshold,
                      b.CAOn,
                      b.ShowCAMap,
                      b.CAColorRed,
                      b.CAColorGreen,
                      b.CAColorBlue,
                      b.CATolerance,
                      b.CropOn,
                      b.CropPortrait,
                      b.CropFitEachImage,
                      b.CropSizeKind,
                      b.CropPaperIndex,
                      b.CropWebIndex,
                      b.CropUserResizeOn,
                      b.CropUserWidth,
                      b.CropUserHeight,
                      b.CropImageWidth,
                      b.CropImageHeight,
                      b.CropAngle})
        w.i32(v);
    for (int32_t v : b.CropRect)
        w.i32(v);
    for (int32_t v : {b.CropTargetWidth, b.CropTargetHeight, b.FrameOn, b.FrameWidth,
                      b.ProportionalMargin, b.FrameEffect, b.InnerFrameWidth, b.ShadowWidth})
        w.i32(v);
    w.shortString(b.FrameColor, 20);
    w.shortString(b.InnerFrameColor, 20);
    for (int32_t v : {b.TextEffect, b.TextAlign, b.TextSmoothing, b.TextTransparency, b.InsertText,
                      b.InsertDate, b.InsertTime, b.InsertInfo})
        w.i32(v);
    w.shortString(b.CaptionText, 255);
    w.i32(b.TextPosX);
    w.i32(b.TextPosY);
    w.shortString(b.TextColor, 20);
    w.i32(b.FontCharset);
    w.shortString(b.FontName, 50);
    w.i32(b.FontSize);
    w.shortString(b.FontStyle, 4);
    for (int32_t v : {b.DistortionsOn, b.Barrel, b.HPerspective, b.VPerspective, b.Squeeze,
                      b.AutoCrop, b.ShowGrid, b.Vignetting, b.CurveSteepness, b.CompareMode})
        w.i32(v);
    w.i32(b.NoiseEqualizerCount);
    for (int32_t v : b.NoiseEqualizer)
        w.i32(v);
    w.i32(b.SharpnessEqualizerCount);
    for (int32_t v : b.SharpnessEqualizer)
        w.i32(v);
    w.i32(b.SaturationEqualizerCount);
    for (int32_t v : b.SaturationEqualizer)
        w.i32(v);
    w.i32(b.BrightnessEqualizerCount);
    for (int32_t v : b.BrightnessEqualizer)
        w.i32(v);
    assert(out.size() - start == SettingsBlock::kSize);
    (void)start;
}

std::vector<uint8_t> encodeSettingsBlock(const SettingsBlock& block) {
    std::vector<uint8_t> out;
    out.reserve(SettingsBlock::kSize);
    encodeSettingsBlock(block, out);
    return out;
}

SettingsBlock decodeSettingsBlock(const uint8_t* bytes) {
    ByteReader r(bytes, SettingsBlock::kSize);
    SettingsBlock b;
    for (int32_t* f : {&b.Version,
                       &b.Reserved,
                       &b.NoiseLevelFactor,
                       &b.ShadowsNoiseFactor,
                       &b.HighlightsNoiseFactor,
                       &b.ChromaNoise,
                       &b.HighNoise,
                       &b.NoiseRadius,
                       &b.ShowNoiseMap,
                       &b.NoiseReductionOn,
                       &b.NoiseReductionAmount,
                       &b.SharpenAmount,
                       &b.EdgeWidth,
                       &b.EdgeContrast,
                       &b.SuppressHalos,
                       &b.ShowSharpenMap,
                       &b.WhiteHalo,
                       &b.PupilSize,
                       &b.Darkening,
                       &b.ShowHistogram,
                       &b.AutoContrast,
                       &b.LocalContrast,
                       &b.RedShift,
                       &b.GreenShift,
                       &b.BlueShift,
                       &b.Contrast,
                       &b.Gamma,
                       &b.Saturation,
                       &b.AutoContrastDarkest,
                       &b.AutoContrastBrightest,
                       &b.Highlights,
                       &b.Shadows,
                       &b.BWRed,
                       &b.BWGreen,
                       &b.BWBlue,
                       &b.BWConversion,
                       &b.ShowOverExposed,
                       &b.CARadius,
                       &b.CAThreshold,
                       &b.CAOn,
                       &b.ShowCAMap,
                       &b.CAColorRed,
                       &b.CAColorGreen,
                       &b.CAColorBlue,
                       &b.CATolerance,
                       &b.CropOn,
                       &b.CropPortrait,
                       &b.CropFitEachImage,
                       &b.CropSizeKind,
                       &b.CropPaperIndex,
                       &b.CropWebIndex,
                       &b.CropUserResizeOn,
                       &b.CropUserWidth,
                       &b.CropUserHeight,
                       &b.CropImageWidth,
                       &b.CropImageHeight,
                       &b.CropAngle})
        *f = r.i32();
    for (int32_t& v : b.CropRect)
        v = r.i32();
    for (int32_t* f : {&b.CropTargetWidth, &b.CropTargetHeight, &b.FrameOn, &b.FrameWidth,
                       &b.ProportionalMargin, &b.FrameEffect, &b.InnerFrameWidth, &b.ShadowWidth})
        *f = r.i32();
    b.FrameColor = r.shortString(20);
    b.InnerFrameColor = r.shortString(20);
    for (int32_t* f : {&b.TextEffect, &b.TextAlign, &b.TextSmoothing, &b.TextTransparency,
                       &b.InsertText, &b.InsertDate, &b.InsertTime, &b.InsertInfo})
        *f = r.i32();
    b.CaptionText = r.shortString(255);
    b.TextPosX = r.i32();
    b.TextPosY = r.i32();
    b.TextColor = r.shortString(20);
    b.FontCharset = r.i32();
    b.FontName = r.shortString(50);
    b.FontSize = r.i32();
    b.FontStyle = r.shortString(4);
    for (int32_t* f : {&b.DistortionsOn, &b.Barrel, &b.HPerspective, &b.VPerspective, &b.Squeeze,
                       &b.AutoCrop, &b.ShowGrid, &b.Vignetting, &b.CurveSteepness, &b.CompareMode})
        *f = r.i32();
    b.NoiseEqualizerCount = r.i32();
    for (int32_t& v : b.NoiseEqualizer)
        v = r.i32();
    b.SharpnessEqualizerCount = r.i32();
    for (int32_t& v : b.SharpnessEqualizer)
        v = r.i32();
    b.SaturationEqualizerCount = r.i32();
    for (int32_t& v : b.SaturationEqualizer)
        v = r.i32();
    b.BrightnessEqualizerCount = r.i32();
    for (int32_t& v : b.BrightnessEqualizer)
        v = r.i32();
    assert(r.ok() && r.remaining() == 0);
    return b;
}

}  // namespace core
