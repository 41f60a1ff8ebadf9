// Conversions between RGB and luma/chroma in the 16-bit domain, bit for bit as every stage and
// export expects them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "plane.h"

namespace dnr {

inline constexpr int32_t kChromaZero = 0x8000;

inline int32_t clamp16(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, 65535));
}

struct Ycc {
    int32_t y, cb, cr;
};
struct Rgb {
    int32_t r, g, b;
};

// RGB to luma and chroma (>> is a flooring shift; the coefficient sums of the colour
// differences are -4 and -1, so grey gets chroma slightly below 0x8000).
inline Ycc rgbToYcc(int32_t r, int32_t g, int32_t b, ChromaModel model) {
    const int32_t y = clamp16((1225 * r + 2404 * g + 467 * b) >> 12);
    const int32_t db = (2048 * b - 1360 * g - 692 * r) >> 12;
    const int32_t dr = (2048 * r - 1716 * g - 333 * b) >> 12;
    if (model == ChromaModel::Plain)
        return {y, clamp16(db + kChromaZero), clamp16(dr + kChromaZero)};
    const int32_t d = std::max(y, 1);
    return {y, clamp16(db * 8192 / d + kChromaZero), clamp16(dr * 8192 / d + kChromaZero)};
}

// Luma and chroma to RGB. One common factor shrinks all three colour differences when the colour
// would leave the cube, so luma and hue survive and only saturation is lost.
inline Rgb yccToRgb(int32_t y, int32_t cb, int32_t cr, ChromaModel model) {
    int64_t dcb = cb - kChromaZero;
    int64_t dcr = cr - kChromaZero;
    if (model == ChromaModel::Relative) {
        dcb = (dcb * y) >> 13;
        dcr = (dcr * y) >> 13;
    }
    const int64_t dR = (5741 * dcr - 4 * dcb) >> 12;
    const int64_t dG = (-1408 * dcb - 2925 * dcr) >> 12;
    const int64_t dB = (7259 * dcb + 4 * dcr) >> 12;
    int64_t g = 16384;
    for (const int64_t d : {dB, dG, dR}) {
        if (d < -y)
            g = std::min(g, static_cast<int64_t>(-double(y) * 16384.0 / double(d)));
        else if (d > 65535 - y)
            g = std::min(g, static_cast<int64_t>(double(65535 - y) * 16384.0 / double(d)));
    }
    return {static_cast<int32_t>(y + ((dR * g) >> 14)), static_cast<int32_t>(y + ((dG * g) >> 14)),
            static_cast<int32_t>(y + ((dB * g) >> 14))};
}

// Converts a plane set to luma/chroma in the given model (from RGB, or from the other model).
// Tests the abort flag after each row; counts progress by rows when asked. False on abort.
bool toLumaChroma(PlaneSet& set, bool withProgress, ChromaModel model);
// Converts a luma/chroma set back to RGB. False on abort.
bool toRgb(PlaneSet& set, bool withProgress);

}  // namespace dnr
