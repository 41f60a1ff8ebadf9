// Level counts of a picture and the luminance statistics derived from them. The library keeps
// one block of statistics, refilled by every noise detection and read by the automatic
// brightness and contrast settings.
#pragma once

#include <cstdint>

#include "pixel_view.h"

namespace dnr {

struct HistogramStats {
    int32_t blueBins[256];
    int32_t greenBins[256];
    int32_t redBins[256];
    int32_t lumaBins[256];
    int32_t sampleCount;
    int32_t blackLevel;     // dark clipping level, 16-bit scale
    int32_t stretchFactor;  // 0x100000 / width of the used level range
    int32_t needsStretch;   // 1 when the used range is narrow
    int32_t flatness;       // 0..100, distance of the luminance histogram from flat
};
static_assert(sizeof(HistogramStats) == 1029 * 4);

// The library's luminance statistics.
HistogramStats& luminanceStatistics();

// Counts the levels of a sampled grid of the picture into block; with statistics also derives
// the black level, stretch factor, narrow-range flag and flatness.
void collectHistogram(const View& view, HistogramStats& block, bool withStatistics);

}  // namespace dnr
