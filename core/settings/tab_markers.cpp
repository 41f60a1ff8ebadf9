#include "core/settings/tab_markers.h"

#include <algorithm>
#include <numeric>

#include "core/settings/slider_table.h"

namespace core {

namespace {

template <std::size_t N>
int64_t sumOf(const std::array<int32_t, N>& values, int32_t count) {
    const auto n = static_cast<std::ptrdiff_t>(std::clamp<int32_t>(count, 0, int32_t(N)));
    return std::accumulate(values.begin(), values.begin() + n, int64_t{0});
}

bool awayFromDefault(const TuningState& s, int slider) {
    return s.sliders[slider].position != sliderConfig(slider).defaultPosition;
}

bool anyAwayFromDefault(const TuningState& s, std::initializer_list<int> numbers) {
    return std::any_of(numbers.begin(), numbers.end(),
                       [&s](int n) { return awayFromDefault(s, n); });
}

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    });
}

}  // namespace

bool tabInUse(const TuningState& s, PreviewTab tab) {
    const EqualizerCurves& c = s.curves;
    switch (tab) {
        case PreviewTab::Noise:
            return s.checks.cbEnableNR && s.sliders[1].position > 0;
        case PreviewTab::RedEye:
            return !s.redEyes.empty();
        case PreviewTab::Sharpening:
            return s.sliders[6].position != 100 ||
                   sumOf(c.SharpnessEqualizer, c.SharpnessEqualizerCount) != 0;
        case PreviewTab::Colors:
            return anyAwayFromDefault(s, {11, 12, 13, 15}) ||
                   sumOf(c.SaturationEqualizer, c.SaturationEqualizerCount) != 0 ||
                   !s.colorRanges.empty() || s.checks.cbBWConversion;
        case PreviewTab::CA:
            return s.checks.cbEnableCA;
        case PreviewTab::Brightness:
            return anyAwayFromDefault(s, {8, 9, 10, 21, 22}) ||
                   sumOf(c.BrightnessEqualizer, c.BrightnessEqualizerCount) != 0 ||
                   s.checks.cbAutoContrast;
        case PreviewTab::Distortions:
            return s.checks.cbEnableDistortions && anyAwayFromDefault(s, {28, 29, 30, 31, 32, 37});
        case PreviewTab::Text: {
            const bool frame = s.checks.cbEnableFrame && (s.combos.Edit_frame_width > 0 ||
                                                          s.combos.Edit_frame_innerwidth > 0);
            const bool caption = (s.checks.cbInsertText && !blank(s.editTextCaption)) ||
                                 s.checks.cbInsertDate || s.checks.cbInsertTime ||
                                 s.checks.cbInsertInfo;
            return frame || caption;
        }
        case PreviewTab::Crop:
            return s.crop.CropOn != 0;
    }
    return false;
}

TabsInUse tabsInUse(const TuningState& state) {
    TabsInUse result{};
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = tabInUse(state, static_cast<PreviewTab>(i));
    return result;
}

bool equalizerShaped(const EqualizerCurves& c, EqualizerButton button) {
    switch (button) {
        case EqualizerButton::Noise:
            return sumOf(c.NoiseEqualizer, c.NoiseEqualizerCount) != 0;
        case EqualizerButton::Saturation:
            return sumOf(c.SaturationEqualizer, c.SaturationEqualizerCount) != 0;
        case EqualizerButton::Sharpening:
            return sumOf(c.SharpnessEqualizer, c.SharpnessEqualizerCount) != 0;
    }
    return false;
}

int equalizerButtonPicture(const EqualizerCurves& curves, EqualizerButton button) {
    return equalizerShaped(curves, button) ? kEqualizerPictureShaped : kEqualizerPictureFlat;
}

}  // namespace core
