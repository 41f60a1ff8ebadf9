#include "core/fullscreen/selectable_sliders.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr SelectableSlider kSliders[] = {
    {8, "ALS_LOCAL_CONTRAST"},    {9, "ALS_CONTRAST"},          {10, "ALS_GAMMA"},
    {11, "ALS_RED_CHANNEL"},      {12, "ALS_GREEN_CHANNEL"},    {13, "ALS_BLUE_CHANNEL"},
    {14, "ALS_CLR_AUTOCONTRAST"}, {20, "ALS_CLR_AUTOCONTRAST"}, {15, "ALS_SATURATION"},
    {21, "ALS_HIGHLIGHTS"},       {22, "ALS_SHADOWS"},          {28, "ALS_BARREL"},
    {29, "ALS_HPERSPECTIVE"},     {30, "ALS_VPERSPECTIVE"},     {31, "ALS_SQUEEZE"},
    {32, "ALS_VIGNETTING"},       {33, "ALS_BW_RED"},           {34, "ALS_BW_GREEN"},
    {35, "ALS_BW_BLUE"},
};

}  // namespace

std::span<const SelectableSlider> selectableSliders() {
    return kSliders;
}

std::optional<SelectableSlider> focusedSlider(const std::function<bool(int number)>& hasFocus) {
    for (const SelectableSlider& s : kSliders)
        if (hasFocus(s.number)) return s;
    return std::nullopt;
}

QString sliderValueText(int number, int position, const QString& valueLabel) {
    if (number == 14 || number == 20) return QString::number(position);
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*([-+]?\\d+(?:[.,]\\d+)?)"));
    const QRegularExpressionMatch m = leadingNumber.match(valueLabel);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("0");
}

int sliderPageStep(int minimum, int maximum) {
    return std::max(1, static_cast<int>(std::lround((maximum - minimum) * 0.05)));
}

bool sliderCanStep(bool up, int position, int minimum, int maximum) {
    return up ? position < maximum : position > minimum;
}

int steppedSliderPosition(bool up, int position, int minimum, int maximum) {
    const int step = sliderPageStep(minimum, maximum);
    if (up) return std::min(position + step, maximum);
    return position - step > minimum ? position - step : minimum;
}

}  // namespace core
