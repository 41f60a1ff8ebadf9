// The zoom choices of the viewing mode's full views (cmbZoom): three fit modes, the original
// size and fixed percentages, in the order the box lists them.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "core/i18n/text_lookup.h"

namespace core {

// Zoom codes: the fit modes are negative, a percentage is the number itself.
inline constexpr int32_t kZoomFitWindow = -1;
inline constexpr int32_t kZoomFitWidth = -2;
inline constexpr int32_t kZoomFitHeight = -3;
inline constexpr int32_t kZoomOriginal = -4;

// Every item's code, in the order of the box.
// clang-format off
inline constexpr std::array<int32_t, 17> kViewZoomCodes = {
    kZoomFitWindow, kZoomFitWidth, kZoomFitHeight, kZoomOriginal,
    5, 10, 25, 50, 75, 100, 150, 200, 250, 300, 400, 500, 1000};
// clang-format on
// The percentages alone (the codes from 5 on), smallest first.
inline constexpr std::array<int32_t, 13> kViewZoomPercents = {5,   10,  25,  50,  75,  100, 150,
                                                              200, 250, 300, 400, 500, 1000};

inline constexpr int32_t kSmallestViewZoom = 5;
inline constexpr int32_t kLargestViewZoom = 1000;

// The item index of a code; -1 when the list has no such item.
int32_t viewZoomIndex(int32_t code);
// The code of an item index; an index outside the list gives fit window.
int32_t viewZoomCode(int32_t index);

// The item text: the translated key of a fit mode ("ALS_FIT_WIN", "ALS_FIT_WDTH",
// "ALS_FIT_HGHT", "ALS_FIT_ORIG") or the number and "%".
QString viewZoomItemText(int32_t code, const TextLookup& lookup);

// The hint of the box after a zoom: "ALS_USER_ZOOM", ": ", the rounded percentage and "%".
QString viewZoomHint(double scale, const TextLookup& lookup);

}  // namespace core
