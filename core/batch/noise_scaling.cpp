#include "core/batch/noise_scaling.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace core {

int32_t roundHalfEven(double value) {
    // Every value here is small; the default rounding mode rounds halves to even.
    return int32_t(std::nearbyint(value));
}

ScaledNoise scaleNoiseLevels(int32_t storedLevel, int32_t storedShadows, int32_t storedHighlights,
                             const std::array<int32_t, 3>& detected) {
    std::array<int32_t, 3> level{};
    for (size_t i = 0; i < 3; ++i)
        level[i] = std::clamp(detected[i], 1, 10000);

    ScaledNoise s;
    s.midtones = level[1];
    s.relative = storedLevel;
    const int32_t t = roundHalfEven(double(storedLevel) * level[1] / 1000.0);
    s.noiseLevel = std::clamp(t, 0, 200);
    const float f = float(double(s.noiseLevel) / level[1]);
    // When the level hit the top of its range, the log reports the share actually applied.
    if (t > 200) s.relative = roundHalfEven(1000.0 * f);
    if (s.noiseLevel == 0) return s;

    auto scaled = [&](int32_t stored, int32_t detectedLevel) {
        const int32_t v = stored < 0 ? roundHalfEven(double(detectedLevel) * f)
                                     : roundHalfEven(double(stored) * detectedLevel / 1000.0);
        return std::clamp(v, 0, 200);
    };
    s.shadowsNoiseLevel = scaled(storedShadows, level[0]);
    s.highlightsNoiseLevel = scaled(storedHighlights, level[2]);
    return s;
}

}  // namespace core
