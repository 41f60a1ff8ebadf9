// Loading a settings record into the tuning state: every group (general settings, the settings
// of a picture, the per-file cache) or only the active tab's group (a preset).
#pragma once

#include <optional>

#include "core/preview/preview_tabs.h"
#include "core/queue/queue_params.h"
#include "core/settings/tab_markers.h"
#include "core/settings/tuning_apply.h"
#include "core/settings/tuning_state.h"

namespace core {

// Settings stored in expert mode need it: the program switches to expert mode before applying
// them (in simple mode the expert-only values would be reset).
bool recordNeedsExpertMode(const QueueParams& record, bool expertMode);

// Applies the record (after any switch of mode). Without a tab: the whole block and the record's
// noise colour picks, colour ranges and red-eye marks. With a tab: the controls are collected
// first, then only the tab's group and the list that belongs to it (noise: the picks; red eye:
// the marks; colours: the ranges) are taken. Negative stored factors and darkest/brightest values
// are resolved against the picture; the crop values are taken as stored (the crop tab keeps the
// frame only for a picture of the stored size). The block is then applied with reset code 0.
ApplyResult applySettingsRecord(TuningState& state, const QueueParams& record,
                                std::optional<PreviewTab> onlyTab);

// After a preset on the noise, sharpening or colour tab: the equalizer whose curve it shaped, to
// be opened so the curve is seen; none when the curve is flat or the tab has no equalizer.
std::optional<EqualizerButton> equalizerToShow(PreviewTab tab, const EqualizerCurves& curves);

}  // namespace core
