// The crop tab's values in the tuning state seen as crop controls, and written back: the tab's
// frame, angle and choices live in the state's crop values, field for field as the settings
// block stores them, so that collecting the settings gives exactly what the crop view shows.
#pragma once

#include <cstdint>

#include "core/crop/crop_controls.h"
#include "core/settings/tuning_state.h"

namespace core {

// The controls the values hold (the angle from thousandths of a degree).
CropControls cropControlsOf(const CropValues& values);

// Writes the controls into the values for a picture of the given size: the reference size, the
// frame (fitted first when empty and the picture is large enough), the angle and the resize size.
void storeCropValues(const CropControls& controls, int32_t imageWidth, int32_t imageHeight,
                     CropValues& values);

// The values a block's crop group holds.
CropValues cropValuesOf(const SettingsBlock& block);

}  // namespace core
