#include "core/presets/settings_groups.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace core {

namespace {

struct OffsetRange {
    size_t first;
    size_t last;
};

std::vector<const SettingsField*> fieldsIn(OffsetRange range,
                                           std::initializer_list<std::string_view> names) {
    std::vector<const SettingsField*> fields;
    for (const SettingsField& f : settingsFields()) {
        const bool inRange = f.offset >= range.first && f.offset <= range.last;
        const bool named =
            std::find(names.begin(), names.end(), std::string_view(f.name)) != names.end();
        if (inRange || named) fields.push_back(&f);
    }
    return fields;
}

constexpr OffsetRange kNone{1, 0};

void copyField(const SettingsField& f, const SettingsBlock& from, SettingsBlock& to) {
    if (f.type == FieldType::Text) {
        *f.text(to) = fieldText(f, from);
        return;
    }
    std::copy_n(fieldInts(f, from), f.count, f.ints(to));
}

}  // namespace

std::vector<const SettingsField*> groupFields(PreviewTab tab) {
    switch (tab) {
        case PreviewTab::Noise:
            return fieldsIn({8, 40}, {"NoiseEqualizerCount", "NoiseEqualizer"});
        case PreviewTab::Sharpening:
            return fieldsIn({44, 64}, {"SharpnessEqualizerCount", "SharpnessEqualizer"});
        case PreviewTab::RedEye:
            return fieldsIn(kNone, {"PupilSize", "Darkening"});
        case PreviewTab::Colors:
            return fieldsIn(kNone, {"ShowHistogram", "RedShift", "GreenShift", "BlueShift",
                                    "Saturation", "BWRed", "BWGreen", "BWBlue", "BWConversion",
                                    "SaturationEqualizerCount", "SaturationEqualizer"});
        case PreviewTab::Brightness:
            return fieldsIn(
                kNone, {"ShowHistogram", "AutoContrast", "LocalContrast", "Contrast", "Gamma",
                        "AutoContrastDarkest", "AutoContrastBrightest", "Highlights", "Shadows",
                        "ShowOverExposed", "BrightnessEqualizerCount", "BrightnessEqualizer"});
        case PreviewTab::CA:
            return fieldsIn({148, 176}, {});
        case PreviewTab::Distortions:
            return fieldsIn({699, 738}, {});
        case PreviewTab::Text:
            return fieldsIn({252, 698}, {});
        case PreviewTab::Crop:
            return fieldsIn({180, 251}, {});
    }
    return {};
}

void resolvePictureValues(SettingsBlock& block, const DetectedLevels& detected, bool noise,
                          bool brightness) {
    if (noise) {
        if (block.ShadowsNoiseFactor < 0 || block.HighlightsNoiseFactor < 0) {
            block.ShadowsNoiseFactor = block.NoiseLevelFactor;
            block.HighlightsNoiseFactor = block.NoiseLevelFactor;
        }
    }
    if (brightness) {
        if (block.AutoContrastDarkest < 0) block.AutoContrastDarkest = detected.darkest;
        if (block.AutoContrastBrightest < 0) block.AutoContrastBrightest = detected.brightest;
    }
}

SettingsBlock takeTabGroup(const SettingsBlock& current, const SettingsBlock& stored,
                           PreviewTab tab, const DetectedLevels& detected) {
    SettingsBlock result = current;
    for (const SettingsField* f : groupFields(tab))
        copyField(*f, stored, result);
    resolvePictureValues(result, detected, tab == PreviewTab::Noise, tab == PreviewTab::Brightness);
    return result;
}

}  // namespace core
