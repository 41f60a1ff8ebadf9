#include "colour_from_hue.h"

#include <cmath>

namespace dnr {

ChromaPair chromaOfHue(int32_t hue128, int32_t saturation) {
    // -(hue + 20 degrees) in radians, pi taken as 3.14 as in the hue table.
    const double a = -(double(hue128) + 2560) * 0.00013628472222222224;
    return {clamp16(static_cast<int64_t>(saturation * std::cos(a) * 0.5 + 32768)),
            clamp16(static_cast<int64_t>(saturation * std::sin(a) * 0.5 + 32768))};
}

Rgb colourFromHue(int32_t hue128, int32_t saturation, int32_t brightness) {
    const ChromaPair chroma = chromaOfHue(hue128, saturation);
    const Rgb c = yccToRgb(clamp16(brightness), chroma.cb, chroma.cr, ChromaModel::Relative);
    return {clamp16(c.r), clamp16(c.g), clamp16(c.b)};
}

}  // namespace dnr
