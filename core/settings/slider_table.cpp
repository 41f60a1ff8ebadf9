#include "core/settings/slider_table.h"

#include <array>
#include <cassert>

namespace core {

namespace {

using L = SliderLabel;

constexpr SliderConfig kSliders[] = {
    {1, 0, 200, 0, true, L::Position, "NoiseLevelFactor"},
    {2, 0, 200, 0, true, L::Position, "ShadowsNoiseFactor"},
    {3, 0, 200, 0, true, L::Position, "HighlightsNoiseFactor"},
    {4, 1, 16, 6, false, L::Position, "NoiseRadius"},
    {5, 0, 300, 100, false, L::Percent, "EdgeContrast"},
    {6, 0, 200, 100, false, L::Signed, "SharpenAmount"},
    {7, 1, 10, 2, false, L::Position, "EdgeWidth"},
    {8, 0, 100, 0, false, L::Position, "LocalContrast"},
    {9, 0, 200, 100, false, L::Signed, "Contrast"},
    {10, 0, 200, 100, false, L::Signed, "Gamma"},
    {11, 0, 200, 100, false, L::Signed, "RedShift"},
    {12, 0, 200, 100, false, L::Signed, "GreenShift"},
    {13, 0, 200, 100, false, L::Signed, "BlueShift"},
    {14, 0, 100, 100, false, L::None, "AutoContrastBrightest"},
    {15, 0, 200, 100, false, L::Signed, "Saturation"},
    {16, 0, 6, 2, false, L::Position, "ChromaNoise"},
    {17, 0, 100, 50, false, L::Position, "Darkening"},
    {18, 1, 100, 100, false, L::Percent, "PupilSize"},
    {19, 0, 100, 100, false, L::Percent, "NoiseReductionAmount"},
    {20, 0, 100, 0, false, L::None, "AutoContrastDarkest"},
    {21, 0, 200, 100, false, L::Signed, "Highlights"},
    {22, 0, 200, 100, false, L::Signed, "Shadows"},
    {23, 1, 20, 5, false, L::Position, "CARadius"},
    {24, 0, 255, 245, false, L::Position, "CAThreshold"},
    {25, 0, 100, 50, false, L::Position, "CATolerance"},
    {26, 0, 100, 10, false, L::Position, "TextSmoothing"},
    {27, 0, 100, 0, false, L::Percent, "TextTransparency"},
    {28, 0, 200, 100, false, L::Signed, "Barrel"},
    {29, 0, 200, 100, false, L::Signed, "HPerspective"},
    {30, 0, 200, 100, false, L::Signed, "VPerspective"},
    {31, 0, 200, 100, false, L::Signed, "Squeeze"},
    {32, 0, 100, 0, false, L::Position, "Vignetting"},
    {33, 0, 200, 100, false, L::Signed, "BWRed"},
    {34, 0, 200, 100, false, L::Signed, "BWGreen"},
    {35, 0, 200, 100, false, L::Signed, "BWBlue"},
    {36, 0, 100, 50, false, L::Percent, "WhiteHalo"},
    {37, 0, 100, 30, false, L::Position, "CurveSteepness"},
};
static_assert(std::size(kSliders) == kLastSlider);

consteval bool slidersInOrder() {
    for (size_t i = 0; i < std::size(kSliders); ++i)
        if (kSliders[i].number != int(i) + 1) return false;
    return true;
}
static_assert(slidersInOrder());

constexpr const char* kNotAvailable = "ALS_HLP_NOTAVAILABLE";

constexpr std::array<const char*, kLastHelpLabel + 1> makeHelpKeys() {
    std::array<const char*, kLastHelpLabel + 1> k{};
    for (auto& key : k)
        key = kNotAvailable;
    k[2] = "ALS_HLP_MIDTONES";
    k[3] = "ALS_HLP_RADIUS";
    k[4] = "ALS_HLP_INTENSITY";
    k[5] = "ALS_HLP_EDGE_CONTRAST";
    k[6] = "ALS_HLP_METHOD";
    k[7] = "ALS_HLP_HIGHLIGHTS";
    k[8] = "ALS_HLP_SHADOWS";
    k[9] = "ALS_HLP_NOISEREDUCTION";
    k[10] = "ALS_HLP_TEXT_SMOOTHING";
    k[11] = "ALS_HLP_EDGE_WIDTH";
    k[13] = "ALS_HLP_BR_HIGHLIGHTS";
    k[14] = "ALS_HLP_BR_SHADOWS";
    k[16] = "ALS_HLP_LOCAL_CONTRAST";
    k[17] = "ALS_HLP_CONTRAST";
    k[18] = "ALS_HLP_GAMMA";
    k[19] = "ALS_HLP_PUPIL_SIZE";
    k[20] = "ALS_HLP_RED_CHANNEL";
    k[21] = "ALS_HLP_GREEN_CHANNEL";
    k[22] = "ALS_HLP_BLUE_CHANNEL";
    k[23] = "ALS_HLP_SATURATION";
    k[24] = "ALS_HLP_CHROMA";
    k[25] = "ALS_HLP_DARKENING";
    k[26] = "ALS_HLP_CA_RADIUS";
    k[27] = "ALS_HLP_CA_THRESHOLD";
    k[28] = "ALS_HLP_CA_COLOR";
    k[29] = "ALS_HLP_CA_TOLERANCE";
    k[30] = "ALS_HLP_TRANSPARENCY";
    k[31] = "ALS_HLP_BARREL";
    k[32] = "ALS_HLP_HPERSPECTIVE";
    k[33] = "ALS_HLP_VPERSPECTIVE";
    k[34] = "ALS_HLP_SQUEEZE";
    k[35] = "ALS_HLP_VIGNETTING";
    k[36] = "ALS_HLP_BW_RED";
    k[37] = "ALS_HLP_BW_GREEN";
    k[38] = "ALS_HLP_BW_BLUE";
    k[39] = "ALS_HLP_WHITE_HALO";
    k[40] = "ALS_HLP_CURVESTEEPNESS";
    return k;
}

constexpr auto kHelpKeys = makeHelpKeys();

}  // namespace

std::span<const SliderConfig> sliderConfigs() {
    return kSliders;
}

const SliderConfig& sliderConfig(int number) {
    assert(number >= kFirstSlider && number <= kLastSlider);
    return kSliders[number - 1];
}

std::string sliderLabelText(SliderLabel kind, int32_t position) {
    switch (kind) {
        case SliderLabel::Position:
            return std::to_string(position);
        case SliderLabel::Percent:
            return std::to_string(position) + "%";
        case SliderLabel::Signed: {
            const int32_t value = position - 100;
            return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
        }
        case SliderLabel::None:
            break;
    }
    return {};
}

const char* helpLabelKey(int number) {
    if (number < kFirstHelpLabel || number > kLastHelpLabel) return kNotAvailable;
    return kHelpKeys[size_t(number)];
}

}  // namespace core
