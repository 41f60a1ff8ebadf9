// The tabs of the tuning mode as the preview sees them: which one is active, and whether it shows
// a region of the source at the preview zoom or a screen-sized copy of the whole picture.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>

namespace core {

enum class PreviewTab {
    Noise,
    Sharpening,
    RedEye,
    Colors,
    CA,
    Brightness,
    Text,
    Crop,
    Distortions,
};

inline constexpr std::size_t kPreviewTabCount = 9;

// The tab of a tab sheet name ("tsNoiseReduction", "tsSharpening", "tsRedeye", "tsColor", "tsCA",
// "tsBrightness", "tsText", "tsCrop", "tsDistortions"); none for any other name.
std::optional<PreviewTab> tabOfSheet(const QString& sheetName);
const char* sheetNameOf(PreviewTab tab);

// Text, colours, brightness, distortions and crop work on the whole picture; noise, sharpening,
// red-eye and chromatic aberration on a region.
bool isWholeImageTab(PreviewTab tab);

// Whether the preview's progress bar appears when a run reports progress: outside the tuning mode
// always, inside it only on the noise, sharpening and CA tabs.
bool showsPreviewProgress(bool tuningMode, PreviewTab tab);

}  // namespace core
