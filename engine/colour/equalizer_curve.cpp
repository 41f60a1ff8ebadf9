// What the four curves share: the curve value from the control points, the table of the hue
// curves and the two lookups every stage reads.
#include "equalizer_curve.h"

#include <algorithm>
#include <cmath>

namespace dnr {

double EqualizerCurve::value(int32_t a, int32_t b, const ProcessingParams& p) const {
    const int32_t n = pointCount(p);
    double sum = 0;
    if (n >= 2) {
        // Wider bumps on the 40-point hue curves than on the 9-point brightness curve.
        const double k = n > 9 ? 3 : 1;
        // An axis shorter than the point count would give zero spacing; one pixel is the least.
        const int32_t s = std::max<int32_t>(b / (n - 1), 1);
        const int32_t* v = points(p);
        for (int32_t i = 0; i < n; ++i) {
            if (v[i] == 0) continue;
            const auto xi = static_cast<int32_t>(int64_t{i} * b / (n - 1));
            const double g = double(a - xi) / s;
            sum += v[i] * std::exp(-g * g / k);
        }
    }
    sum += baseValue(a, b, p);
    return std::clamp(sum, double(minValue()), double(maxValue()));
}

void EqualizerCurve::rebuildTable(const ProcessingParams& p) {
    for (int i = 0; i < 256; ++i)
        lookupTable[i] = static_cast<int32_t>(value(i, 256, p) * 1024);
    lookupTable[256] = lookupTable[255];
}

int32_t EqualizerCurve::displayScale(int32_t height) const {
    return static_cast<int32_t>(int64_t{maxValue()} * 25600 / (std::max(height, 0) + 200));
}

int32_t EqualizerCurve::tableLookup(int32_t v) const {
    v = std::clamp(v, 0, 65535);
    const int32_t i = v >> 8;
    const int32_t f = v & 255;
    return static_cast<int32_t>(
        (int64_t{lookupTable[i]} * (256 - f) + int64_t{lookupTable[i + 1]} * f) >> 8);
}

int32_t EqualizerCurve::hueLookup(int32_t hueDegrees) const {
    hueDegrees = std::clamp(hueDegrees, 0, 359);
    return tableLookup(hueDegrees * 65535 / 360) >> 10;
}

}  // namespace dnr
