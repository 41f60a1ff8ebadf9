// Rotation of a whole picture by a small angle about its centre, in 16.16 fixed point. Positions
// that fall outside the picture are mirrored back in, so the corners show picture content
// instead of a background colour.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr {
namespace {

// Mirrors an index into 0..n-1: -i for a negative one, 2n-i-1 past the end. A position more
// than one picture away (large angles) would still be outside after one mirror, so it is held
// at the nearest edge rather than read out of bounds.
int32_t reflect(int64_t i, int32_t n) {
    if (i < 0) i = -i;
    if (i >= n) i = 2 * int64_t{n} - i - 1;
    return static_cast<int32_t>(std::clamp<int64_t>(i, 0, n - 1));
}

template <typename Sample>
void rotate(const Sample* source, Sample* target, int32_t width, int32_t height, int64_t stride,
            int32_t angle, bool smooth) {
    const double theta = angle * 0.000057324840764331205 * 0.01745327777777778;
    const auto s = static_cast<int64_t>(std::sin(theta) * 65536);
    const auto c = static_cast<int64_t>(std::cos(theta) * 65536);
    const int32_t cx = width / 2;
    const int32_t cy = height / 2;
    for (int32_t y = 0; y < height; ++y) {
        Sample* out = target + stride * y;
        for (int32_t x = 0; x < width; ++x) {
            const int64_t dx = x - cx;
            const int64_t dy = y - cy;
            const int64_t xs = (int64_t{cx} << 16) + c * dx - s * dy;
            const int64_t ys = (int64_t{cy} << 16) + s * dx + c * dy;
            const int64_t xi = xs >> 16;
            const int64_t yi = ys >> 16;
            if (!smooth) {
                const Sample* in = source + stride * reflect(yi, height) + 3 * reflect(xi, width);
                std::copy(in, in + 3, out + 3 * x);
                continue;
            }
            const int64_t fx = (xs & 0xFFFF) >> 8;
            const int64_t fy = (ys & 0xFFFF) >> 8;
            const int32_t x0 = reflect(xi, width), x1 = reflect(xi + 1, width);
            const int32_t y0 = reflect(yi, height), y1 = reflect(yi + 1, height);
            const Sample* p00 = source + stride * y0 + 3 * x0;
            const Sample* p10 = source + stride * y0 + 3 * x1;
            const Sample* p01 = source + stride * y1 + 3 * x0;
            const Sample* p11 = source + stride * y1 + 3 * x1;
            const int64_t w00 = (255 - fx) * (255 - fy), w10 = fx * (255 - fy);
            const int64_t w01 = (255 - fx) * fy, w11 = fx * fy;
            const int64_t sum = w00 + w10 + w01 + w11;
            for (int k = 0; k < 3; ++k)
                out[3 * x + k] = static_cast<Sample>(
                    (w00 * p00[k] + w10 * p10[k] + w01 * p01[k] + w11 * p11[k]) / sum);
        }
    }
}

bool usable(const void* source, const void* target, int32_t width, int32_t height) {
    return source && target && width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace
}  // namespace dnr

extern "C" {

DNR_API int32_t DNR_CALL RotateImage_Byte(const uint8_t* source, uint8_t* target, int32_t width,
                                          int32_t height, int32_t, int32_t, int32_t angle,
                                          int32_t smooth) {
    if (!dnr::usable(source, target, width, height)) return 0;
    dnr::rotate(source, target, width, height, dnr::stride8(width), angle, smooth == 1);
    return 1;
}

DNR_API int32_t DNR_CALL RotateImage(const uint16_t* source, uint16_t* target, int32_t width,
                                     int32_t height, int32_t, int32_t, int32_t angle,
                                     int32_t smooth) {
    if (!dnr::usable(source, target, width, height)) return 0;
    dnr::rotate(source, target, width, height, int64_t{width} * 3, angle, smooth == 1);
    return 1;
}

}  // extern "C"
