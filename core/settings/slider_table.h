// The sliders of the tuning tabs (SlideBar1 ... SlideBar37): range, default position, how the value
// label shows the position, and the settings field each one edits; and the hint keys of the help
// labels beside the slider rows (Label_hlp2 ... Label_hlp40).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace core {

inline constexpr int kFirstSlider = 1;
inline constexpr int kLastSlider = 37;

enum class SliderLabel {
    Position,  // the position as it is
    Percent,   // the position followed by "%"
    Signed,    // position - 100, with "+" in front when positive
    None,      // the slider has no value label
};

struct SliderConfig {
    int number;  // n of SlideBarn and Label_valn
    int32_t minimum;
    int32_t maximum;
    int32_t defaultPosition;  // for the noise level sliders: replaced by the detected level
    bool defaultIsDetected;   // sliders 1-3: default marker at the detected noise level
    SliderLabel label;
    const char* field;  // the settings field it edits (settings_fields.h)
};

// Sliders 1..37 in order.
std::span<const SliderConfig> sliderConfigs();
// number must be 1..37.
const SliderConfig& sliderConfig(int number);

// The value label's text for a position.
std::string sliderLabelText(SliderLabel kind, int32_t position);

inline constexpr int kFirstHelpLabel = 2;
inline constexpr int kLastHelpLabel = 40;
// The language key whose text becomes the hint of Label_hlpn; "ALS_HLP_NOTAVAILABLE" for the
// numbers without one of their own (and for numbers outside 2..40).
const char* helpLabelKey(int number);

}  // namespace core
