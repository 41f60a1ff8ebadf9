// Channel shifts that carry a colour as found in the picture to the colour it should be: used
// for the white-point click and for memory colours.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dnr.h"
#include "luminance.h"

namespace dnr {
namespace {

// The shift of one channel, -100..100. A picked channel of 0 counts as the smallest sample, 1,
// so black picks give a finite (clamped) shift instead of a division by zero.
int32_t channelShift(double inverseGain, int32_t picked, int32_t wanted) {
    const double ratio = wanted * 100.5 / std::max(picked, 1);
    const double shift = std::trunc(inverseGain * ratio) - 100;
    return static_cast<int32_t>(std::clamp(shift, -100.0, 100.0));
}

}  // namespace
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL SetMemoryColor(ProcessingParams* params, int32_t r1, int32_t g1,
                                                   int32_t b1, int32_t r2, int32_t g2, int32_t b2,
                                                   int32_t keepBrightness) {
    if (!params) return 0;
    // Samples lie in 0..65535; holding the arguments there keeps every ratio below finite.
    for (int32_t* v : {&r1, &g1, &b1, &r2, &g2, &b2})
        *v = std::clamp(*v, 0, 65535);
    if (params->BWConversion == 1) {
        r1 = g1 = b1 = 32768;
        keepBrightness = 1;
    }
    double x = 1;
    if (keepBrightness == 1) {
        const double l1 = double(dnr::luminanceOf(r1, g1, b1));
        const double l2 = double(dnr::luminanceOf(r2, g2, b2));
        x = std::max(l2 / (l1 + 1), 0.1);
    }
    params->RedShift = dnr::channelShift(1 / x, r1, r2);
    params->GreenShift = dnr::channelShift(1 / x, g1, g2);
    params->BlueShift = dnr::channelShift(1 / x, b1, b2);
    return 1;
}
