// Rescales a colour to the luminance of a reference colour, keeping its hue and saturation.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dnr.h"
#include "luminance.h"

namespace {

uint16_t scaled(double factor, uint16_t value) {
    return static_cast<uint16_t>(std::clamp(std::trunc(factor * (value + 0.5)), 0.0, 65535.0));
}

}  // namespace

extern "C" DNR_API int32_t DNR_CALL NormalizeBrightness(uint16_t* red, uint16_t* green,
                                                        uint16_t* blue, int32_t refRed,
                                                        int32_t refGreen, int32_t refBlue) {
    if (!red || !green || !blue) return 0;
    int64_t l = dnr::luminanceOf(*red, *green, *blue);
    if (l == 0) l = 1;
    const double f = double(dnr::luminanceOf(refRed, refGreen, refBlue)) / double(l);
    *red = scaled(f, *red);
    *green = scaled(f, *green);
    *blue = scaled(f, *blue);
    return 1;
}
