// Rescales a colour to the luminance of a reference colour, keeping its hue and saturation.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dnr.h"

namespace {

int64_t luminance(int64_t r, int64_t g, int64_t b) {
    return (4899 * r + 9617 * g + 1868 * b) >> 14;
}

uint16_t scaled(double factor, uint16_t value) {
    return static_cast<uint16_t>(std::clamp(std::trunc(factor * (value + 0.5)), 0.0, 65535.0));
}

}  // namespace

extern "C" DNR_API int32_t DNR_CALL NormalizeBrightness(uint16_t* red, uint16_t* green,
                                                        uint16_t* blue, int32_t refRed,
                                                        int32_t refGreen, int32_t refBlue) {
    if (!red || !green || !blue) return 0;
    int64_t l = luminance(*red, *green, *blue);
    if (l == 0) l = 1;
    const double f = double(luminance(refRed, refGreen, refBlue)) / double(l);
    *red = scaled(f, *red);
    *green = scaled(f, *green);
    *blue = scaled(f, *blue);
    return 1;
}
