#include "core/crop/straightening.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numbers>
#include <vector>

#include "core/crop/crop_frame.h"

namespace core {

double snapTurn(double degrees) {
    constexpr int64_t d = int64_t(kStraighteningStep * 100);  // the step in hundredths
    const int64_t e = std::llround(std::fabs(degrees) * 100.0);
    int64_t m = e % d;
    if (m >= d / 2) m -= d;
    const double snapped = double(e - m) / 100.0;
    return degrees < 0 ? -snapped : snapped;
}

float turnedAngle(float angle, double turn) {
    double a = double(angle) + turn;
    if (a > 180.0)
        a -= 360.0;
    else if (a <= -180.0)
        a += 360.0;
    else
        a = std::nearbyint(a * 100.0) / 100.0;
    return float(a);
}

int32_t angleInMillionthsOfRadian(double degrees) {
    return roundToInt(degrees * std::numbers::pi / 180.0 * 1e6);
}

Status rotatePixels(const PixelView& p, double degrees) {
    if (!p.Bits || p.Width <= 0 || p.Height <= 0)
        return failure("ALS_DLL_EXCEPTION", QStringLiteral("the picture has no pixels"));
    const int32_t millionths = angleInMillionthsOfRadian(degrees);
    const bool wide = p.BytesPerSample == 2;
    const size_t rowBytes = wide ? size_t(p.Width) * 6 : (size_t(p.Width) * 3 + 3) & ~size_t(3);
    const size_t bytes = rowBytes * size_t(p.Height);
    std::vector<uint8_t> work;
    try {
        work.resize(bytes);
    } catch (const std::bad_alloc&) {
        return failure("ALS_DLL_EXCEPTION",
                       QStringLiteral("no memory for a copy of the picture to rotate"));
    }
    std::memcpy(work.data(), p.Bits, bytes);
    constexpr int32_t kSmooth = 1;
    const int32_t done = wide ? RotateImage(reinterpret_cast<const uint16_t*>(work.data()),
                                            static_cast<uint16_t*>(p.Bits), p.Width, p.Height, 0, 0,
                                            -millionths, kSmooth)
                              : RotateImage_Byte(work.data(), static_cast<uint8_t*>(p.Bits),
                                                 p.Width, p.Height, 0, 0, millionths, kSmooth);
    if (!done) return failure("ALS_DLL_EXCEPTION", QStringLiteral("the rotation failed"));
    return {};
}

}  // namespace core
