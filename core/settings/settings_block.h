// The record of every filter setting: what "vr.dat", each queue item and each settings file store.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The fields in stored order. Their defaults, ranges and stored layout are in the table of
// settings fields (settings_fields.h); a new block holds the defaults.
struct SettingsBlock {
    static constexpr int32_t kVersion = 31002;
    static constexpr int32_t kPreviousVersion = 30001;
    static constexpr size_t kSize = 1271;

    SettingsBlock();

    int32_t Version;
    int32_t Reserved;  // carried unchanged
    int32_t NoiseLevelFactor;
    int32_t ShadowsNoiseFactor;  // negative in a queue item: derived from the image
    int32_t HighlightsNoiseFactor;
    int32_t ChromaNoise;
    int32_t HighNoise;
    int32_t NoiseRadius;
    int32_t ShowNoiseMap;
    int32_t NoiseReductionOn;
    int32_t NoiseReductionAmount;
    int32_t SharpenAmount;
    int32_t EdgeWidth;
    int32_t EdgeContrast;
    int32_t SuppressHalos;
    int32_t ShowSharpenMap;
    int32_t WhiteHalo;
    int32_t PupilSize;
    int32_t Darkening;
    int32_t ShowHistogram;
    int32_t AutoContrast;
    int32_t LocalContrast;
    int32_t RedShift;
    int32_t GreenShift;
    int32_t BlueShift;
    int32_t Contrast;
    int32_t Gamma;
    int32_t Saturation;
    int32_t AutoContrastDarkest;
    int32_t AutoContrastBrightest;
    int32_t Highlights;
    int32_t Shadows;
    int32_t BWRed;
    int32_t BWGreen;
    int32_t BWBlue;
    int32_t BWConversion;
    int32_t ShowOverExposed;
    int32_t CARadius;
    int32_t CAThreshold;
    int32_t CAOn;
    int32_t ShowCAMap;
    int32_t CAColorRed;
    int32_t CAColorGreen;
    int32_t CAColorBlue;
    int32_t CATolerance;
    int32_t CropOn;
    int32_t CropPortrait;
    int32_t CropFitEachImage;
    int32_t CropSizeKind;
    int32_t CropPaperIndex;
    int32_t CropWebIndex;
    int32_t CropUserResizeOn;
    int32_t CropUserWidth;
    int32_t CropUserHeight;
    int32_t CropImageWidth;
    int32_t CropImageHeight;
    int32_t CropAngle;
    std::array<int32_t, 4> CropRect;  // width, height, left, top
    int32_t CropTargetWidth;
    int32_t CropTargetHeight;
    int32_t FrameOn;
    int32_t FrameWidth;
    int32_t ProportionalMargin;
    int32_t FrameEffect;
    int32_t InnerFrameWidth;
    int32_t ShadowWidth;
    std::string FrameColor;       // string[20]
    std::string InnerFrameColor;  // string[20]
    int32_t TextEffect;
    int32_t TextAlign;
    int32_t TextSmoothing;
    int32_t TextTransparency;
    int32_t InsertText;
    int32_t InsertDate;
    int32_t InsertTime;
    int32_t InsertInfo;
    std::string CaptionText;  // string[255]
    int32_t TextPosX;
    int32_t TextPosY;
    std::string TextColor;  // string[20]
    int32_t FontCharset;
    std::string FontName;  // string[50]; the controls pad it with spaces to 50
    int32_t FontSize;
    std::string FontStyle;  // string[4]
    int32_t DistortionsOn;
    int32_t Barrel;
    int32_t HPerspective;
    int32_t VPerspective;
    int32_t Squeeze;
    int32_t AutoCrop;
    int32_t ShowGrid;
    int32_t Vignetting;
    int32_t CurveSteepness;
    int32_t CompareMode;
    int32_t NoiseEqualizerCount;
    std::array<int32_t, 40> NoiseEqualizer;
    int32_t SharpnessEqualizerCount;
    std::array<int32_t, 40> SharpnessEqualizer;
    int32_t SaturationEqualizerCount;
    std::array<int32_t, 40> SaturationEqualizer;
    int32_t BrightnessEqualizerCount;
    std::array<int32_t, 9> BrightnessEqualizer;

    bool operator==(const SettingsBlock&) const = default;
};

// The block of defaults, from the table of settings fields.
SettingsBlock defaultSettingsBlock();

// Exactly SettingsBlock::kSize bytes.
std::vector<uint8_t> encodeSettingsBlock(const SettingsBlock& block);
void encodeSettingsBlock(const SettingsBlock& block, std::vector<uint8_t>& out);
// Decodes kSize bytes; the caller guarantees the length.
SettingsBlock decodeSettingsBlock(const uint8_t* bytes);

}  // namespace core
