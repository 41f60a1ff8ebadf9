// The tone table: output luminance for each input level, built from the brightness settings,
// the luminance statistics and the brightness equalizer.
#pragma once

#include <array>
#include <cstdint>

#include "dnr.h"
#include "histogram_stats.h"

namespace dnr {

class EqualizerCurve;

// The factor that moves level x (0..1) to sigma(c * logit(x) + b); 1 outside (0, 1).
double logisticGain(double x, double b, double c);

// Weight of every level for the local-contrast redistribution; empty statistics give every
// level the same weight.
std::array<int32_t, 256> localContrastWeights(int32_t strength, const HistogramStats& stats);

// Fills 257 entries (the last repeats entry 255).
void buildToneTable(const ProcessingParams& p, const HistogramStats& stats,
                    const EqualizerCurve& equalizer, int32_t* table);

}  // namespace dnr
