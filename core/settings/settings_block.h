// The record of every filter setting: what "vr.dat", each queue item and each settings file store.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

struct SettingsBlock {
    static constexpr int32_t kVersion = 31002;
    static constexpr int32_t kPreviousVersion = 30001;
    static constexpr size_t kSize = 1271;

    int32_t Version = kVersion;
    int32_t Reserved = -1;  // carried unchanged
    int32_t NoiseLevelFactor = 1000;
    int32_t ShadowsNoiseFactor = 1000;  // negative in a queue item: derived from the image
    int32_t HighlightsNoiseFactor = 1000;
    int32_t ChromaNoise = 2;
    int32_t HighNoise = 0;
    int32_t NoiseRadius = 6;
    int32_t ShowNoiseMap = 0;
    int32_t NoiseReductionOn = 1;
    int32_t NoiseReductionAmount = 100;
    int32_t SharpenAmount = 0;
    int32_t EdgeWidth = 2;
    int32_t EdgeContrast = 100;
    int32_t SuppressHalos = 0;
    int32_t ShowSharpenMap = 0;
    int32_t WhiteHalo = 50;
    int32_t PupilSize = 100;
    int32_t Darkening = 50;
    int32_t ShowHistogram = 0;
    int32_t AutoContrast = 0;
    int32_t LocalContrast = 0;
    int32_t RedShift = 0;
    int32_t GreenShift = 0;
    int32_t BlueShift = 0;
    int32_t Contrast = 0;
    int32_t Gamma = 0;
    int32_t Saturation = 0;
    int32_t AutoContrastDarkest = 0;
    int32_t AutoContrastBrightest = 100;
    int32_t Highlights = 0;
    int32_t Shadows = 0;
    int32_t BWRed = 0;
    int32_t BWGreen = 0;
    int32_t BWBlue = 0;
    int32_t BWConversion = 0;
    int32_t ShowOverExposed = 0;
    int32_t CARadius = 5;
    int32_t CAThreshold = 245;
    int32_t CAOn = 0;
    int32_t ShowCAMap = 0;
    int32_t CAColorRed = 23200;
    int32_t CAColorGreen = 3000;
    int32_t CAColorBlue = 32500;
    int32_t CATolerance = 50;
    int32_t CropOn = 0;
    int32_t CropPortrait = 0;
    int32_t CropFitEachImage = 0;
    int32_t CropSizeKind = 0;
    int32_t CropPaperIndex = 0;
    int32_t CropWebIndex = 0;
    int32_t CropUserResizeOn = 0;
    int32_t CropUserWidth = 0;
    int32_t CropUserHeight = 0;
    int32_t CropImageWidth = 0;
    int32_t CropImageHeight = 0;
    int32_t CropAngle = 0;
    std::array<int32_t, 4> CropRect{};  // width, height, left, top
    int32_t CropTargetWidth = 0;
    int32_t CropTargetHeight = 0;
    int32_t FrameOn = 0;
    int32_t FrameWidth = 100;
    int32_t ProportionalMargin = 1;
    int32_t FrameEffect = 0;
    int32_t InnerFrameWidth = 5;
    int32_t ShadowWidth = 20;
    std::string FrameColor = "16777215";  // string[20]
    std::string InnerFrameColor = "0";    // string[20]
    int32_t TextEffect = 3;
    int32_t TextAlign = 2;
    int32_t TextSmoothing = 10;
    int32_t TextTransparency = 0;
    int32_t InsertText = 0;
    int32_t InsertDate = 0;
    int32_t InsertTime = 0;
    int32_t InsertInfo = 0;
    std::string CaptionText;  // string[255]
    int32_t TextPosX = 9700;
    int32_t TextPosY = 300;
    std::string TextColor = "65280";  // string[20]
    int32_t FontCharset = 1;
    std::string FontName = "Arial";  // string[50]; the controls pad it with spaces to 50
    int32_t FontSize = 14;
    std::string FontStyle = "0000";  // string[4]
    int32_t DistortionsOn = 0;
    int32_t Barrel = 0;
    int32_t HPerspective = 0;
    int32_t VPerspective = 0;
    int32_t Squeeze = 0;
    int32_t AutoCrop = 1;
    int32_t ShowGrid = 0;
    int32_t Vignetting = 0;
    int32_t CurveSteepness = 30;
    int32_t CompareMode = 0;
    int32_t NoiseEqualizerCount = 40;
    std::array<int32_t, 40> NoiseEqualizer{};
    int32_t SharpnessEqualizerCount = 40;
    std::array<int32_t, 40> SharpnessEqualizer{};
    int32_t SaturationEqualizerCount = 40;
    std::array<int32_t, 40> SaturationEqualizer{};
    int32_t BrightnessEqualizerCount = 9;
    std::array<int32_t, 9> BrightnessEqualizer{};

    bool operator==(const SettingsBlock&) const = default;
};

// The block of defaults, built in code.
SettingsBlock defaultSettingsBlock();

// Exactly SettingsBlock::kSize bytes.
std::vector<uint8_t> encodeSettingsBlock(const SettingsBlock& block);
void encodeSettingsBlock(const SettingsBlock& block, std::vector<uint8_t>& out);
// Decodes kSize bytes; the caller guarantees the length.
SettingsBlock decodeSettingsBlock(const uint8_t* bytes);

}  // namespace core
