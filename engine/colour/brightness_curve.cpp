// The brightness curve: its table is the tone table, and its panel shows grey levels and the
// curve against the identity.
#include <algorithm>

#include "colour_space.h"
#include "equalizer_curve.h"
#include "histogram_stats.h"
#include "tone_table.h"

namespace dnr {

int32_t BrightnessCurve::pointCount(const ProcessingParams& p) const {
    return std::min<int32_t>(p.BrightnessEqualizerCount, 9);
}

void BrightnessCurve::rebuildTable(const ProcessingParams& p) {
    buildToneTable(p, luminanceStatistics(), *this, lookupTable.data());
}

int32_t BrightnessCurve::curveOffset(int32_t x, int32_t width, int32_t height) const {
    if (width <= 0) return 0;
    const auto d = static_cast<int32_t>(int64_t{x} * 65535 / width);
    const int32_t unit = std::max(displayScale(height) / 15, 1);
    const int32_t e = (tableLookup(d) - d) / unit;
    if (!absoluteDisplay) return e;
    return static_cast<int32_t>(e + int64_t{x} * height / width - height / 2);
}

ColumnPaint BrightnessCurve::columnColour(int32_t column, int32_t width, bool lowerHalf,
                                          const ProcessingParams&) const {
    if (width <= 0) return {};
    int64_t grey;
    if (lowerHalf) {
        const int64_t out = tableLookup(static_cast<int32_t>(int64_t{column} * 65535 / width));
        const int64_t level = (width * out) >> 16;
        grey = level * 65536 / width;
    } else {
        grey = int64_t{column} * 65536 / width;
    }
    const int32_t g = clamp16(grey);
    return {g, g, g, 0};
}

}  // namespace dnr
