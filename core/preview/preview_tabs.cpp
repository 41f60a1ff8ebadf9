#include "core/preview/preview_tabs.h"

#include <array>

namespace core {

namespace {

constexpr std::array<const char*, kPreviewTabCount> kSheetNames = {
    "tsNoiseReduction", "tsSharpening", "tsRedeye", "tsColor",       "tsCA",
    "tsBrightness",     "tsText",       "tsCrop",   "tsDistortions",
};

}  // namespace

std::optional<PreviewTab> tabOfSheet(const QString& sheetName) {
    for (std::size_t i = 0; i < kSheetNames.size(); ++i)
        if (sheetName == QLatin1String(kSheetNames[i])) return static_cast<PreviewTab>(i);
    return std::nullopt;
}

const char* sheetNameOf(PreviewTab tab) {
    return kSheetNames[static_cast<std::size_t>(tab)];
}

bool isWholeImageTab(PreviewTab tab) {
    switch (tab) {
        case PreviewTab::Text:
        case PreviewTab::Colors:
        case PreviewTab::Brightness:
        case PreviewTab::Distortions:
        case PreviewTab::Crop:
            return true;
        case PreviewTab::Noise:
        case PreviewTab::Sharpening:
        case PreviewTab::RedEye:
        case PreviewTab::CA:
            return false;
    }
    return false;
}

bool showsPreviewProgress(bool tuningMode, PreviewTab tab) {
    if (!tuningMode) return true;
    return tab == PreviewTab::Noise || tab == PreviewTab::Sharpening || tab == PreviewTab::CA;
}

}  // namespace core
