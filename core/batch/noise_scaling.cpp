#include "core/batch/noise_scaling.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace core {

namespace {

// The engine's noise levels run from 0 to 200 (the noise sliders' range); a detected level is
// taken between 1 and 10 000, so a scale never divides by 0.
constexpr int32_t kHighestNoiseLevel = 200;
constexpr int32_t kLowestDetectedLevel = 1;
constexpr int32_t kHighestDetectedLevel = 10000;
// Stored noise factors are per mille of the detected level.
constexpr double kFactorScale = 1000.0;

}  // namespace

int32_t roundHalfEven(double value) {
    // Every value here is small; the default rounding mode rounds halves to even.
    return int32_t(std::nearbyint(value));
}

ScaledNoise scaleNoiseLevels(int32_t storedLevel, int32_t storedShadows, int32_t storedHighlights,
                             const std::array<int32_t, 3>& detected) {
    std::array<int32_t, 3> level{};
    for (size_t i = 0; i < 3; ++i)
        level[i] = std::clamp(detected[i], kLowestDetectedLevel, kHighestDetectedLevel);

    ScaledNoise s;
    s.midtones = level[1];
    s.relative = storedLevel;
    const int32_t t = roundHalfEven(double(storedLevel) * level[1] / kFactorScale);
    s.noiseLevel = std::clamp(t, 0, kHighestNoiseLevel);
    const float f = float(double(s.noiseLevel) / level[1]);
    // When the level hit the top of its range, the log reports the share actually applied.
    if (t > kHighestNoiseLevel) s.relative = roundHalfEven(kFactorScale * f);
    if (s.noiseLevel == 0) return s;

    auto scaled = [&](int32_t stored, int32_t detectedLevel) {
        const int32_t v = stored < 0 ? roundHalfEven(double(detectedLevel) * f)
                                     : roundHalfEven(double(stored) * detectedLevel / kFactorScale);
        return std::clamp(v, 0, kHighestNoiseLevel);
    };
    s.shadowsNoiseLevel = scaled(storedShadows, level[0]);
    s.highlightsNoiseLevel = scaled(storedHighlights, level[2]);
    return s;
}

}  // namespace core
