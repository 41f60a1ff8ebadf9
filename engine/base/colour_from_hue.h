// The colour of a hue at a given saturation and brightness, the inverse of hueOf to within one
// degree; it paints the curve panels.
#pragma once

#include <cstdint>

#include "colour_space.h"

namespace dnr {

struct ChromaPair {
    int32_t cr, cb;
};

// The chroma samples of a hue (1/128 degree) at a saturation (0..65535); hueOf gives the hue back
// to within one degree.
ChromaPair chromaOfHue(int32_t hue128, int32_t saturation);

// hue128 in 1/128 degree, saturation and brightness on 0..65535; the chroma is relative to the
// brightness.
Rgb colourFromHue(int32_t hue128, int32_t saturation, int32_t brightness);

}  // namespace dnr
