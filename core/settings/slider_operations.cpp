#include "core/settings/slider_operations.h"

#include <algorithm>
#include <cassert>

#include "core/settings/rounding.h"
#include "core/settings/settings_fields.h"

namespace core {

namespace {

constexpr int kNoiseSliderMaximum = 200;

bool isNoiseOrSharpeningSlider(int n) {
    return (n >= 1 && n <= 7) || n == 16 || n == 19 || n == 36;
}
bool isRedEyeSlider(int n) {
    return n == 17 || n == 18;
}
bool isTextSlider(int n) {
    return n == 26 || n == 27;
}

int32_t& factorOf(TuningState& s, int n) {
    assert(n >= 1 && n <= 3);
    return n == 1   ? s.noiseFactors.midtones
           : n == 2 ? s.noiseFactors.shadows
                    : s.noiseFactors.highlights;
}

int32_t levelOf(const TuningState& s, int n) {
    return n == 1 ? s.detected.midtones : n == 2 ? s.detected.shadows : s.detected.highlights;
}

// A user move of noise slider n (1..3) to its current position.
void takeNoiseFactor(TuningState& s, int n) {
    int32_t& factor = factorOf(s, n);
    factor = noiseFactorForPosition(s.sliders[size_t(n)].position, levelOf(s, n), factor);
}

void follow(TuningState& s) {
    const NoiseFollowing& f = s.following;
    const int32_t lead = s.sliders[1].position;
    if (f.start[0] <= 0) return;
    for (int n = 2; n <= 3; ++n) {
        SliderState& sl = s.sliders[size_t(n)];
        const int32_t start = f.start[size_t(n - 1)];
        const int32_t moved = lead == f.start[0]
                                  ? start
                                  : int32_t(roundedDivision(int64_t(lead) * start, f.start[0]));
        sl.position = std::clamp(moved, sl.minimum, sl.maximum);
        sl.remembered = sl.position;
        refreshSliderLabel(s, n, false);
        takeNoiseFactor(s, n);
    }
}

}  // namespace

void setSliderRange(SliderState& slider, int32_t minimum, int32_t maximum, int32_t defaultMarker,
                    std::optional<int32_t> secondMarker) {
    slider.minimum = minimum;
    slider.maximum = std::max(minimum, maximum);
    slider.defaultMarker = std::clamp(defaultMarker, slider.minimum, slider.maximum);
    slider.secondMarker = secondMarker;
    slider.position = std::clamp(slider.position, slider.minimum, slider.maximum);
}

void setSliderPosition(SliderState& slider, int32_t position, int32_t defaultPosition) {
    const int32_t fallback = std::clamp(defaultPosition, slider.minimum, slider.maximum);
    slider.position = position < slider.minimum || position > slider.maximum ? fallback : position;
    slider.remembered = slider.position;
}

void refreshSliderLabel(TuningState& state, int n, bool grey) {
    SliderState& sl = state.sliders[size_t(n)];
    sl.labelText = sliderLabelText(sliderConfig(n).label, sl.position);
    sl.labelGrey = grey;
}

std::optional<int32_t> sliderKeyTarget(const SliderState& slider, SliderKey key,
                                       KeyModifiers modifiers, bool processingRuns) {
    if (processingRuns || modifiers.ctrl || modifiers.alt) return std::nullopt;
    const bool page = key == SliderKey::PageUp || key == SliderKey::PageDown;
    if (modifiers.shift && !page) return std::nullopt;
    const int32_t step = std::max<int32_t>(
        1, int32_t(roundedDivision(int64_t(slider.maximum - slider.minimum) * 5, 100)));
    const int32_t p = slider.position;
    switch (key) {
        case SliderKey::PageUp:
            return std::min(slider.maximum, p + step);
        case SliderKey::PageDown:
            return std::max(slider.minimum, p - step);
        case SliderKey::End:
            return slider.maximum;
        case SliderKey::Home:
            return slider.minimum;
        case SliderKey::Left:
        case SliderKey::Down:
            return std::max(slider.minimum, p - 1);
        case SliderKey::Right:
        case SliderKey::Up:
            return std::min(slider.maximum, p + 1);
    }
    return std::nullopt;
}

int32_t noisePositionForFactor(int32_t detectedLevel, int32_t factor) {
    const int64_t position = roundedDivision(int64_t(detectedLevel) * factor, 1000);
    return int32_t(std::clamp<int64_t>(position, 0, kNoiseSliderMaximum));
}

int32_t noiseFactorForPosition(int32_t position, int32_t detectedLevel, int32_t oldFactor) {
    if (detectedLevel <= 0) return oldFactor;
    return int32_t(roundedDivision(int64_t(position) * 1000, detectedLevel));
}

void sliderEntered(TuningState& state, int n) {
    SliderState& sl = state.sliders[size_t(n)];
    sl.remembered = sl.position;
}

void beginNoiseFollowing(TuningState& state) {
    state.following.active = true;
    for (int n = 1; n <= 3; ++n)
        state.following.start[size_t(n - 1)] = state.sliders[size_t(n)].position;
}

void endNoiseFollowing(TuningState& state) {
    state.following.active = false;
}

void sliderPressed(TuningState& state, int n) {
    if (n == 1) beginNoiseFollowing(state);
}

SliderEffect sliderChanged(TuningState& state, int n, int32_t position, SliderInput input) {
    SliderState& sl = state.sliders[size_t(n)];
    if (state.applying) {
        sl.position = position;
        sl.remembered = position;
        return SliderEffect::Nothing;
    }
    if (input.focused && position == sl.remembered) {
        sl.position = position;
        return SliderEffect::Nothing;
    }
    sl.position = position;
    sl.remembered = position;
    refreshSliderLabel(state, n, false);

    if (n >= 1 && n <= 3) takeNoiseFactor(state, n);
    if (n == 1 && state.following.active) follow(state);

    if (isNoiseOrSharpeningSlider(n))
        return input.mouseHeld ? SliderEffect::RequestOnRelease : SliderEffect::RequestNow;
    if (isRedEyeSlider(n)) {
        if (state.redEyes.empty()) return SliderEffect::UpdateLabel;
        RedEyeEntry& newest = state.redEyes.back();
        (n == 17 ? newest.Darkening : newest.PupilSize) = position;
        return SliderEffect::RequestNow;
    }
    if (isTextSlider(n)) return SliderEffect::RerenderCaption;
    return SliderEffect::RequestNow;
}

SliderEffect sliderReleased(TuningState& state, int n) {
    if (n == 1) endNoiseFollowing(state);
    if (state.applying) return SliderEffect::Nothing;
    return isNoiseOrSharpeningSlider(n) ? SliderEffect::RequestNow : SliderEffect::Nothing;
}

SliderEffect sliderKeyPressed(TuningState& state, int n, SliderKey key, KeyModifiers modifiers,
                              bool processingRuns) {
    const auto target = sliderKeyTarget(state.sliders[size_t(n)], key, modifiers, processingRuns);
    if (!target) return SliderEffect::Nothing;
    if (n == 1) beginNoiseFollowing(state);
    const SliderEffect effect = sliderChanged(state, n, *target, {false, true});
    if (n == 1) endNoiseFollowing(state);
    return effect;
}

int32_t sliderStoredValue(const TuningState& state, int n) {
    if (n == 1) return state.noiseFactors.midtones;
    if (n == 2) return state.noiseFactors.shadows;
    if (n == 3) return state.noiseFactors.highlights;
    const SettingsField* field = findSettingsField(sliderConfig(n).field);
    const int32_t position = state.sliders[size_t(n)].position;
    return field && field->stored == StoredAs::SliderMinus100 ? position - 100 : position;
}

}  // namespace core
