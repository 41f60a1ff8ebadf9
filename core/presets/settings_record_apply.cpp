#include "core/presets/settings_record_apply.h"

#include "core/crop/crop_values.h"
#include "core/presets/settings_groups.h"
#include "core/settings/tuning_collect.h"

namespace core {

bool recordNeedsExpertMode(const QueueParams& record, bool expertMode) {
    return record.ExpertMode == 1 && !expertMode;
}

ApplyResult applySettingsRecord(TuningState& state, const QueueParams& record,
                                std::optional<PreviewTab> onlyTab) {
    SettingsBlock block;
    if (!onlyTab) {
        block = record.Settings;
        resolvePictureValues(block, state.detected, true, true);
        state.noiseAreas = record.NoiseAreas;
        state.colorRanges = record.ColorRanges;
        state.redEyes = record.RedEyes;
        state.crop = cropValuesOf(block);
    } else {
        block = takeTabGroup(collectSettings(state), record.Settings, *onlyTab, state.detected);
        switch (*onlyTab) {
            case PreviewTab::Noise:
                state.noiseAreas = record.NoiseAreas;
                break;
            case PreviewTab::RedEye:
                state.redEyes = record.RedEyes;
                break;
            case PreviewTab::Colors:
                state.colorRanges = record.ColorRanges;
                break;
            case PreviewTab::Crop:
                state.crop = cropValuesOf(block);
                break;
            default:
                break;
        }
    }
    return applySettings(state, block, ResetCode::All);
}

std::optional<EqualizerButton> equalizerToShow(PreviewTab tab, const EqualizerCurves& curves) {
    std::optional<EqualizerButton> button;
    if (tab == PreviewTab::Noise) button = EqualizerButton::Noise;
    if (tab == PreviewTab::Sharpening) button = EqualizerButton::Sharpening;
    if (tab == PreviewTab::Colors) button = EqualizerButton::Saturation;
    if (button && !equalizerShaped(curves, *button)) return std::nullopt;
    return button;
}

}  // namespace core
