#include "core/settings/tuning_state.h"

#include "core/settings/slider_operations.h"
#include "core/settings/tuning_apply.h"

namespace core {

// Every slider gets its configured range first (the form's own ranges do not count), then the
// block of defaults is applied as at start.
TuningState::TuningState() {
    for (const SliderConfig& c : sliderConfigs()) {
        SliderState& sl = sliders[size_t(c.number)];
        setSliderRange(sl, c.minimum, c.maximum, c.defaultPosition);
        setSliderPosition(sl, c.defaultPosition, c.defaultPosition);
        refreshSliderLabel(*this, c.number, true);
    }
    applySettings(*this, defaultSettingsBlock(), ResetCode::ResetAll);
}

}  // namespace core
