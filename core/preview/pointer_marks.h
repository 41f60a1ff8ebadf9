// What the preview's pick tools store: noise colour picks, red-eye marks, colour ranges and their
// areas, the fringe colour and the white-point shifts, all kept in the tuning state where the
// engine record and the queue take them from. Each function reports whether processing is to be
// requested.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "core/queue/queue_params.h"
#include "core/settings/tuning_state.h"
#include "dnr.h"

namespace core {

// The strength a noise colour pick applies around its colour.
inline constexpr int16_t kNoisePickStrength = 50;

// Appends a noise-area entry for a GetYUV sample: +50 for more reduction, -50 for less.
void addNoisePick(TuningState& state, uint16_t luma, uint16_t chromaRed, uint16_t chromaBlue,
                  bool increase);

// The noise levels AdjustNoise left in the record, clamped to 0..200, moved onto SlideBar1,
// SlideBar2 and SlideBar3 where they differ (the sliders' noise factors follow; the moves
// request nothing themselves). True when a slider moved.
bool takeAdjustedNoiseLevels(TuningState& state, int32_t noiseLevel, int32_t shadowsLevel,
                             int32_t highlightsLevel);

// The fringe colour picked on the CA tab (16-bit components).
void setCAColour(TuningState& state, uint16_t red, uint16_t green, uint16_t blue);

// The channel shifts SetMemoryColor found for the white point: SlideBar11..13 at shift + 100 and
// RedShift, GreenShift, BlueShift of the block.
void takeWhitePointShifts(TuningState& state, int32_t redShift, int32_t greenShift,
                          int32_t blueShift);

// A new colour range around a sampled colour: Color1 = each channel * 1.3, Color2 = each channel
// / 1.3 (rounded, clamped to 0..65535), TargetColor their integer mean, the given tolerance, no
// areas, AreasInclude 0.
ColorRangeItem colourRangeAround(const std::array<uint16_t, 3>& rgb, int32_t tolerance);
// Appends it; returns its index (the range that becomes selected).
int32_t addColourRange(TuningState& state, const ColorRangeItem& range);

// Appends an area to range index; false when there is no such range.
bool addRangeArea(TuningState& state, int32_t rangeIndex, const XcludedArea& area);

// Appends a red-eye mark.
void addRedEye(TuningState& state, const RedEyeEntry& entry);

// The three pick lists with their reset and undo buttons.
enum class PickList { NoisePicks, RedEyes, ColourRanges };
int32_t pickCount(const TuningState& state, PickList list);
// Reset empties the list, undo removes its newest entry; false when there was nothing to remove.
bool resetPickList(TuningState& state, PickList list);
bool undoPickList(TuningState& state, PickList list);

struct PickListButtons {
    QString resetCaption;  // the key's text, " (", the number of entries, ")"
    bool enabled = false;  // both buttons, while the list holds entries
    bool visible = false;  // non-empty and expert mode; the red-eye pair also in simple mode
};
// keyText: the looked-up text of "ALS_CCR_RESET" (noise picks, colour ranges) or
// "ALS_RESET_SELECTED_POINTS" (red eyes).
PickListButtons pickListButtons(const TuningState& state, PickList list, const QString& keyText);
const char* pickListResetKey(PickList list);

}  // namespace core
