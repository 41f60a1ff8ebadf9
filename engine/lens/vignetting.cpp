#include "vignetting.h"

#include <algorithm>
#include <cmath>

namespace dnr {
namespace {

// A negative steepness (outside the slider's range) would send 0^s to infinity; the entries are
// 16-bit, so they are held at 65535.
uint16_t curveEntry(double base, double s) {
    const double v = std::pow(base, s) * 65535;
    return static_cast<uint16_t>(std::clamp(v, 0.0, 65535.0));
}

}  // namespace

VignettingCurve::VignettingCurve(int32_t steepness) {
    const double s = steepness * 0.2;
    for (int32_t i = 0; i < 1024; ++i)
        entries_[static_cast<std::size_t>(i)] = curveEntry(i / 1024.0, s);
    entries_[1024] = curveEntry(65535.0 / 65536.0, s);
}

int32_t VignettingCurve::at(double rn) const {
    if (!(rn > 0)) rn = 0;  // also catches a non-finite distance
    if (rn > 1) rn = 1;
    const auto t = static_cast<int32_t>(rn * 65535);
    const int32_t a = t >> 6;
    const int32_t b = t & 63;
    if (b == 0) return entry(a);
    return (entry(a + 1) * b - entry(a) * (b - 64)) >> 6;
}

int32_t vignettingStrength(int32_t vignetting) {
    // Widened and held inside 32 bits so that no record value can wrap.
    const double gv = static_cast<double>(int64_t{vignetting} * 1024) * 0.01;
    return static_cast<int32_t>(std::clamp(gv, -2147483648.0, 2147483647.0));
}

}  // namespace dnr
