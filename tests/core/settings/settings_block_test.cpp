#include "core/settings/settings_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record_layout.h"

namespace {

using core::SettingsBlock;

using core::testing::intAt;
using IntField = core::testing::IntField<SettingsBlock>;
using StringField = core::testing::StringField<SettingsBlock>;

const core::testing::RecordCodec<SettingsBlock> kCodec{
    core::encodeSettingsBlock, core::decodeSettingsBlock, core::defaultSettingsBlock()};

// Offsets and defaults of the stored layout.
const IntField kIntFields[] = {
    {"Version", &SettingsBlock::Version, 0, 31002},
    {"Reserved", &SettingsBlock::Reserved, 4, -1},
    {"NoiseLevelFactor", &SettingsBlock::NoiseLevelFactor, 8, 1000},
    {"ShadowsNoiseFactor", &SettingsBlock::ShadowsNoiseFactor, 12, 1000},
    {"HighlightsNoiseFactor", &SettingsBlock::HighlightsNoiseFactor, 16, 1000},
    {"ChromaNoise", &SettingsBlock::ChromaNoise, 20, 2},
    {"HighNoise", &SettingsBlock::HighNoise, 24, 0},
    {"NoiseRadius", &SettingsBlock::NoiseRadius, 28, 6},
    {"ShowNoiseMap", &SettingsBlock::ShowNoiseMap, 32, 0},
    {"NoiseReductionOn", &SettingsBlock::NoiseReductionOn, 36, 1},
    {"NoiseReductionAmount", &SettingsBlock::NoiseReductionAmount, 40, 100},
    {"SharpenAmount", &SettingsBlock::SharpenAmount, 44, 0},
    {"EdgeWidth", &SettingsBlock::EdgeWidth, 48, 2},
    {"EdgeContrast", &SettingsBlock::EdgeContrast, 52, 100},
    {"SuppressHalos", &SettingsBlock::SuppressHalos, 56, 0},
    {"ShowSharpenMap", &SettingsBlock::ShowSharpenMap, 60, 0},
    {"WhiteHalo", &SettingsBlock::WhiteHalo, 64, 50},
    {"PupilSize", &SettingsBlock::PupilSize, 68, 100},
    {"Darkening", &SettingsBlock::Darkening, 72, 50},
    {"ShowHistogram", &SettingsBlock::ShowHistogram, 76, 0},
    {"AutoContrast", &SettingsBlock::AutoContrast, 80, 0},
    {"LocalContrast", &SettingsBlock::LocalContrast, 84, 0},
    {"RedShift", &SettingsBlock::RedShift, 88, 0},
    {"GreenShift", &SettingsBlock::GreenShift, 92, 0},
    {"BlueShift", &SettingsBlock::BlueShift, 96, 0},
    {"Contrast", &SettingsBlock::Contrast, 100, 0},
    {"Gamma", &SettingsBlock::Gamma, 104, 0},
    {"Saturation", &SettingsBlock::Saturation, 108, 0},
    {"AutoContrastDarkest", &SettingsBlock::AutoContrastDarkest, 112, 0},
    {"AutoContrastBrightest", &SettingsBlock::AutoContrastBrightest, 116, 100},
    {"Highlights", &SettingsBlock::Highlights, 120, 0},
    {"Shadows", &SettingsBlock::Shadows, 124, 0},
    {"BWRed", &SettingsBlock::BWRed, 128, 0},
    {"BWGreen", &SettingsBlock::BWGreen, 132, 0},
    {"BWBlue", &SettingsBlock::BWBlue, 136, 0},
    {"BWConversion", &SettingsBlock::BWConversion, 140, 0},
    {"ShowOverExposed", &SettingsBlock::ShowOverExposed, 144, 0},
    {"CARadius", &SettingsBlock::CARadius, 148, 5},
    {"CAThreshold", &SettingsBlock::CAThreshold, 152, 245},
    {"CAOn", &SettingsBlock::CAOn, 156, 0},
    {"ShowCAMap", &SettingsBlock::ShowCAMap, 160, 0},
    {"CAColorRed", &SettingsBlock::CAColorRed, 164, 23200},
    {"CAColorGreen", &SettingsBlock::CAColorGreen, 168, 3000},
    {"CAColorBlue", &SettingsBlock::CAColorBlue, 172, 32500},
    {"CATolerance", &SettingsBlock::CATolerance, 176, 50},
    {"CropOn", &SettingsBlock::CropOn, 180, 0},
    {"CropPortrait", &SettingsBlock::CropPortrait, 184, 0},
    {"CropFitEachImage", &SettingsBlock::CropFitEachImage, 188, 0},
    {"CropSizeKind", &SettingsBlock::CropSizeKind, 192, 0},
    {"CropPaperIndex", &SettingsBlock::CropPaperIndex, 196, 0},
    {"CropWebIndex", &SettingsBlock::CropWebIndex, 200, 0},
    {"CropUserResizeOn", &SettingsBlock::CropUserResizeOn, 204, 0},
    {"CropUserWidth", &SettingsBlock::CropUserWidth, 208, 0},
    {"CropUserHeight", &SettingsBlock::CropUserHeight, 212, 0},
    {"CropImageWidth", &SettingsBlock::CropImageWidth, 216, 0},
    {"CropImageHeight", &SettingsBlock::CropImageHeight, 220, 0},
    {"CropAngle", &SettingsBlock::CropAngle, 224, 0},
    {"CropTargetWidth", &SettingsBlock::CropTargetWidth, 244, 0},
    {"CropTargetHeight", &SettingsBlock::CropTargetHeight, 248, 0},
    {"FrameOn", &SettingsBlock::FrameOn, 252, 0},
    {"FrameWidth", &SettingsBlock::FrameWidth, 256, 100},
    {"ProportionalMargin", &SettingsBlock::ProportionalMargin, 260, 1},
    {"FrameEffect", &SettingsBlock::FrameEffect, 264, 0},
    {"InnerFrameWidth", &SettingsBlock::InnerFrameWidth, 268, 5},
    {"ShadowWidth", &SettingsBlock::ShadowWidth, 272, 20},
    {"TextEffect", &SettingsBlock::TextEffect, 318, 3},
    {"TextAlign", &SettingsBlock::TextAlign, 322, 2},
    {"TextSmoothing", &SettingsBlock::TextSmoothing, 326, 10},
    {"TextTransparency", &SettingsBlock::TextTransparency, 330, 0},
    {"InsertText", &SettingsBlock::InsertText, 334, 0},
    {"InsertDate", &SettingsBlock::InsertDate, 338, 0},
    {"InsertTime", &SettingsBlock::InsertTime, 342, 0},
    {"InsertInfo", &SettingsBlock::InsertInfo, 346, 0},
    {"TextPosX", &SettingsBlock::TextPosX, 606, 9700},
    {"TextPosY", &SettingsBlock::TextPosY, 610, 300},
    {"FontCharset", &SettingsBlock::FontCharset, 635, 1},
    {"FontSize", &SettingsBlock::FontSize, 690, 14},
    {"DistortionsOn", &SettingsBlock::DistortionsOn, 699, 0},
    {"Barrel", &SettingsBlock::Barrel, 703, 0},
    {"HPerspective", &SettingsBlock::HPerspective, 707, 0},
    {"VPerspective", &SettingsBlock::VPerspective, 711, 0},
    {"Squeeze", &SettingsBlock::Squeeze, 715, 0},
    {"AutoCrop", &SettingsBlock::AutoCrop, 719, 1},
    {"ShowGrid", &SettingsBlock::ShowGrid, 723, 0},
    {"Vignetting", &SettingsBlock::Vignetting, 727, 0},
    {"CurveSteepness", &SettingsBlock::CurveSteepness, 731, 30},
    {"CompareMode", &SettingsBlock::CompareMode, 735, 0},
    {"NoiseEqualizerCount", &SettingsBlock::NoiseEqualizerCount, 739, 40},
    {"SharpnessEqualizerCount", &SettingsBlock::SharpnessEqualizerCount, 903, 40},
    {"SaturationEqualizerCount", &SettingsBlock::SaturationEqualizerCount, 1067, 40},
    {"BrightnessEqualizerCount", &SettingsBlock::BrightnessEqualizerCount, 1231, 9},
};

TEST(SettingsBlockLayout, EncodesToItsStoredSize) {
    EXPECT_EQ(core::encodeSettingsBlock(core::defaultSettingsBlock()).size(), 1271u);
}

TEST(SettingsBlockLayout, EveryIntegerFieldAtItsOffsetWithItsDefault) {
    core::testing::expectIntFields(kCodec, kIntFields);
}

struct ArrayField {
    const char* name;
    size_t offset;
    size_t count;
};

TEST(SettingsBlockLayout, ArraysAtTheirOffsets) {
    SettingsBlock b;
    for (int i = 0; i < 4; ++i)
        b.CropRect[i] = 10 + i;
    for (int i = 0; i < 40; ++i) {
        b.NoiseEqualizer[i] = 100 + i;
        b.SharpnessEqualizer[i] = 200 + i;
        b.SaturationEqualizer[i] = -100 + i;
    }
    for (int i = 0; i < 9; ++i)
        b.BrightnessEqualizer[i] = 300 + i;
    const auto bytes = core::encodeSettingsBlock(b);
    const struct {
        size_t offset;
        int count;
        int32_t first;
    } rows[] = {{228, 4, 10}, {743, 40, 100}, {907, 40, 200}, {1071, 40, -100}, {1235, 9, 300}};
    for (const auto& r : rows)
        for (int i = 0; i < r.count; ++i)
            EXPECT_EQ(intAt(bytes, r.offset + 4 * i), r.first + i);
    EXPECT_EQ(core::decodeSettingsBlock(bytes.data()), b);
}

const StringField kStringFields[] = {
    {"FrameColor", &SettingsBlock::FrameColor, 276, 20, "16777215"},
    {"InnerFrameColor", &SettingsBlock::InnerFrameColor, 297, 20, "0"},
    {"CaptionText", &SettingsBlock::CaptionText, 350, 255, ""},
    {"TextColor", &SettingsBlock::TextColor, 614, 20, "65280"},
    {"FontName", &SettingsBlock::FontName, 639, 50, "Arial"},
    {"FontStyle", &SettingsBlock::FontStyle, 694, 4, "0000"},
};

TEST(SettingsBlockLayout, StringsAreALengthByteAndTheirCapacity) {
    core::testing::expectStringFields(kCodec, kStringFields);
}

TEST(SettingsBlockLayout, ALengthByteAboveTheCapacityIsCut) {
    auto bytes = core::encodeSettingsBlock(SettingsBlock{});
    bytes[694] = 200;  // FontStyle holds at most 4 characters
    EXPECT_EQ(core::decodeSettingsBlock(bytes.data()).FontStyle, "0000");
    EXPECT_EQ(core::decodeSettingsBlock(bytes.data()).DistortionsOn, 0);
}

}  // namespace
