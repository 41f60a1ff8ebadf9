// What the tuning sliders do: range and markers, positions with the out-of-range rules, the keys,
// the noise sliders' factors and SlideBar1's following, and what each change asks of the window.
#pragma once

#include <cstdint>
#include <optional>

#include "core/settings/tuning_state.h"

namespace core {

// Range and markers. A default marker outside the range moves to the nearest bound.
void setSliderRange(SliderState& slider, int32_t minimum, int32_t maximum, int32_t defaultMarker,
                    std::optional<int32_t> secondMarker = std::nullopt);
// A position outside the range is replaced by the default, and a default outside the range by
// the nearest bound. The position also becomes the remembered one.
void setSliderPosition(SliderState& slider, int32_t position, int32_t defaultPosition);

// The value label of slider n from its position; grey when the value came from a block.
void refreshSliderLabel(TuningState& state, int n, bool grey);

enum class SliderKey { PageUp, PageDown, Home, End, Left, Right, Up, Down };
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The position a key moves a focused slider to, or none when the key is ignored (while
// processing runs, with Ctrl or Alt, with Shift for anything but Page Up and Page Down). The
// page step is 5 % of the range, rounded, at least 1.
std::optional<int32_t> sliderKeyTarget(const SliderState& slider, SliderKey key,
                                       KeyModifiers modifiers, bool processingRuns);

// Noise slider arithmetic. The position for a factor: level * factor / 1000, rounded, clamped to
// 0..200. The factor for a moved slider: position * 1000 / level, rounded; a level of 0 keeps the
// old factor.
int32_t noisePositionForFactor(int32_t detectedLevel, int32_t factor);
int32_t noiseFactorForPosition(int32_t position, int32_t detectedLevel, int32_t oldFactor);

// What a slider change asks of the window. Everything but Nothing also means the value label was
// updated (to normal text).
enum class SliderEffect {
    Nothing,           // the change does not count, or it came from Apply
    UpdateLabel,       // only the label changed
    RequestNow,        // request processing now
    RequestOnRelease,  // request processing when the mouse button is released over the slider
    RerenderCaption,   // re-render the caption preview
};

struct SliderInput {
    bool mouseHeld = false;  // the left mouse button is down on the slider
    bool focused = false;    // the slider has the keyboard focus
};

// The slider got the focus (or the pointer entered it): remember its position.
void sliderEntered(TuningState& state, int n);
// The left mouse button went down on slider n: SlideBar1 begins to lead sliders 2 and 3.
void sliderPressed(TuningState& state, int n);
// Slider n's widget moved to position. Stores it, updates the label and the noise factors,
// moves the followers of SlideBar1 and the newest red-eye mark, and says what else to do.
SliderEffect sliderChanged(TuningState& state, int n, int32_t position, SliderInput input);
// The mouse button was released over slider n: ends SlideBar1's following; the noise and
// sharpening sliders request processing now.
SliderEffect sliderReleased(TuningState& state, int n);
// A key on the focused slider n, as sliderChanged with the key's target (SlideBar1 leads sliders
// 2 and 3 for the key's step).
SliderEffect sliderKeyPressed(TuningState& state, int n, SliderKey key, KeyModifiers modifiers,
                              bool processingRuns);

// SlideBar1's following by hand (sliderPressed and sliderReleased call these).
void beginNoiseFollowing(TuningState& state);
void endNoiseFollowing(TuningState& state);

// The value stored for slider n's field from its position (position - 100 for signed fields).
int32_t sliderStoredValue(const TuningState& state, int n);

}  // namespace core
