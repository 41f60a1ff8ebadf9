// Applies an item's stored relative noise levels (per mille of the noise detected on the picture
// where the settings were made) to the noise detected in the picture being processed.
#pragma once

#include <array>
#include <cstdint>

namespace core {

struct ScaledNoise {
    int32_t noiseLevel = 0;
    int32_t shadowsNoiseLevel = 0;
    int32_t highlightsNoiseLevel = 0;
    int32_t relative = 0;  // the relative value actually applied, per mille
    int32_t midtones = 1;  // the detected mid-tone level, clamped
};

// detected: shadows, mid-tones, highlights as the engine found them. A negative stored shadow or
// highlight value derives that level from the mid-tone scale.
ScaledNoise scaleNoiseLevels(int32_t storedLevel, int32_t storedShadows, int32_t storedHighlights,
                             const std::array<int32_t, 3>& detected);

// The rounding of the batch run: to the nearest integer, halves to even.
int32_t roundHalfEven(double value);

}  // namespace core
