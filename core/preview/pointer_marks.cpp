#include "core/preview/pointer_marks.h"

#include <algorithm>
#include <cmath>

#include "core/settings/slider_operations.h"

namespace core {

void addNoisePick(TuningState& state, uint16_t luma, uint16_t chromaRed, uint16_t chromaBlue,
                  bool increase) {
    NoiseAreaEntry e{};
    e.Luma = luma;
    e.ChromaRed = chromaRed;
    e.ChromaBlue = chromaBlue;
    e.Strength = increase ? kNoisePickStrength : int16_t(-kNoisePickStrength);
    state.noiseAreas.push_back(e);
}

bool takeAdjustedNoiseLevels(TuningState& state, int32_t noiseLevel, int32_t shadowsLevel,
                             int32_t highlightsLevel) {
    // The shadow and highlight sliders hold their levels as positions, the same way the engine
    // record reads them back, so the measured levels go onto them unchanged.
    const std::array<int32_t, 3> levels{noiseLevel, shadowsLevel, highlightsLevel};
    bool moved = false;
    for (int n = 1; n <= 3; ++n) {
        const int32_t level = std::clamp(levels[size_t(n - 1)], 0, 200);
        if (state.sliders[size_t(n)].position == level) continue;
        sliderChanged(state, n, level, {});
        moved = true;
    }
    return moved;
}

void setCAColour(TuningState& state, uint16_t red, uint16_t green, uint16_t blue) {
    state.block.CAColorRed = red;
    state.block.CAColorGreen = green;
    state.block.CAColorBlue = blue;
}

void takeWhitePointShifts(TuningState& state, int32_t redShift, int32_t greenShift,
                          int32_t blueShift) {
    const std::array<int32_t, 3> shifts{redShift, greenShift, blueShift};
    for (int i = 0; i < 3; ++i) {
        SliderState& slider = state.sliders[size_t(11 + i)];
        slider.position = std::clamp(shifts[size_t(i)] + 100, slider.minimum, slider.maximum);
        slider.remembered = slider.position;
        refreshSliderLabel(state, 11 + i, false);
    }
    state.block.RedShift = state.sliders[11].position - 100;
    state.block.GreenShift = state.sliders[12].position - 100;
    state.block.BlueShift = state.sliders[13].position - 100;
}

ColorRangeItem colourRangeAround(const std::array<uint16_t, 3>& rgb, int32_t tolerance) {
    ColorRangeItem range;
    for (size_t c = 0; c < 3; ++c) {
        const auto clamped = [](double v) {
            return uint16_t(std::clamp<long>(std::lround(v), 0, 65535));
        };
        const uint16_t brighter = clamped(rgb[c] * 1.3);
        const uint16_t darker = clamped(rgb[c] / 1.3);
        range.Colors[c] = brighter;
        range.Colors[3 + c] = darker;
        range.Colors[6 + c] = uint16_t((int32_t(brighter) + int32_t(darker)) / 2);
    }
    range.Tolerance = tolerance;
    range.AreaCount = 0;
    range.AreasInclude = 0;
    return range;
}

int32_t addColourRange(TuningState& state, const ColorRangeItem& range) {
    state.colorRanges.push_back(range);
    return int32_t(state.colorRanges.size()) - 1;
}

bool addRangeArea(TuningState& state, int32_t rangeIndex, const XcludedArea& area) {
    if (rangeIndex < 0 || rangeIndex >= int32_t(state.colorRanges.size())) return false;
    ColorRangeItem& range = state.colorRanges[size_t(rangeIndex)];
    range.Areas.push_back(area);
    range.AreaCount = int32_t(range.Areas.size());
    return true;
}

void addRedEye(TuningState& state, const RedEyeEntry& entry) {
    state.redEyes.push_back(entry);
}

int32_t pickCount(const TuningState& state, PickList list) {
    switch (list) {
        case PickList::NoisePicks:
            return int32_t(state.noiseAreas.size());
        case PickList::RedEyes:
            return int32_t(state.redEyes.size());
        case PickList::ColourRanges:
            return int32_t(state.colorRanges.size());
    }
    return 0;
}

bool resetPickList(TuningState& state, PickList list) {
    if (pickCount(state, list) == 0) return false;
    switch (list) {
        case PickList::NoisePicks:
            state.noiseAreas.clear();
            break;
        case PickList::RedEyes:
            state.redEyes.clear();
            break;
        case PickList::ColourRanges:
            state.colorRanges.clear();
            break;
    }
    return true;
}

bool undoPickList(TuningState& state, PickList list) {
    if (pickCount(state, list) == 0) return false;
    switch (list) {
        case PickList::NoisePicks:
            state.noiseAreas.pop_back();
            break;
        case PickList::RedEyes:
            state.redEyes.pop_back();
            break;
        case PickList::ColourRanges:
            state.colorRanges.pop_back();
            break;
    }
    return true;
}

const char* pickListResetKey(PickList list) {
    return list == PickList::RedEyes ? "ALS_RESET_SELECTED_POINTS" : "ALS_CCR_RESET";
}

PickListButtons pickListButtons(const TuningState& state, PickList list, const QString& keyText) {
    const int32_t count = pickCount(state, list);
    PickListButtons b;
    b.resetCaption = keyText + QStringLiteral(" (") + QString::number(count) + QStringLiteral(")");
    b.enabled = count > 0;
    b.visible = count > 0 && (state.expertMode || list == PickList::RedEyes);
    return b;
}

}  // namespace core
