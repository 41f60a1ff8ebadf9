// The part of a stored block that a preset of one tuning tab carries: its fields (and curve), and
// the rules for stored values that mean "take it from the picture".
#pragma once

#include <vector>

#include "core/crop/crop_values.h"
#include "core/preview/preview_tabs.h"
#include "core/settings/settings_fields.h"
#include "core/settings/tuning_state.h"

namespace core {

// The fields of the tab's group, in stored order.
std::vector<const SettingsField*> groupFields(PreviewTab tab);

// Negative values that stand for the picture's own: a negative shadow or highlight factor
// becomes the mid-tone factor (with noise), a negative darkest or brightest the level detected on
// the open picture (with brightness).
void resolvePictureValues(SettingsBlock& block, const DetectedLevels& detected, bool noise,
                          bool brightness);

// current with the tab's group taken from stored, the rules above applied to what was taken.
SettingsBlock takeTabGroup(const SettingsBlock& current, const SettingsBlock& stored,
                           PreviewTab tab, const DetectedLevels& detected);

}  // namespace core
