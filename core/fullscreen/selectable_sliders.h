// The sliders the full-screen preview can change with the page keys: the one that had the
// keyboard focus in the main window, with the label its hint names, and the page step.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <span>

namespace core {

struct SelectableSlider {
    int number = 0;               // SlideBar<number>
    const char* label = nullptr;  // language key of its name
};

// The table in the order it is searched.
std::span<const SelectableSlider> selectableSliders();

// The first slider of the table that has the focus; none when no slider of the table has it.
std::optional<SelectableSlider> focusedSlider(const std::function<bool(int number)>& hasFocus);

// The value the hint shows: the position for the auto-contrast sliders 14 and 20, else the number
// at the start of the value label (Label_val<number>), "0" when it holds none.
QString sliderValueText(int number, int position, const QString& valueLabel);

// The page step of a slider: 5 % of its range, at least 1.
int sliderPageStep(int minimum, int maximum);

// Whether a page key moves the slider at all: up below the maximum, down above the minimum.
bool sliderCanStep(bool up, int position, int minimum, int maximum);

// The position after one page step: up by the step but not beyond the maximum; down by the step
// while that stays above the minimum, else to the minimum.
int steppedSliderPosition(bool up, int position, int minimum, int maximum);

}  // namespace core
