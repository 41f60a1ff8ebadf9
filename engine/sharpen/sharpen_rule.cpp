#include "sharpen_rule.h"

#include <algorithm>
#include <cstdlib>

#include "colour_space.h"

namespace dnr {

SharpenSettings sharpenSettings(const ProcessingParams& p) {
    SharpenSettings k;
    k.suppressHalos = p.SuppressHalos == 1;
    k.haloWeight = k.suppressHalos ? 1024 : int64_t{p.WhiteHalo} * 1024 / 100;
    k.threshold = std::max<int64_t>(p.NoiseLevel, 550) * p.EdgeContrast * 2 / 100;
    return k;
}

SharpenChange sharpenChange(int32_t y, int32_t s, int32_t c, const SharpenSettings& k) {
    int64_t a = y - s;
    int64_t d;
    if (c <= 0) {
        d = 2 * int64_t{c};
    } else {
        d = 8 * int64_t{c};
        const int64_t absA = std::llabs(a);
        if (absA < k.threshold) {
            int64_t q = absA * 2048 / k.threshold - 1024;
            if (q < 0) {
                d = -d;
                q = -q;
            }
            a = (a * q) >> 10;
        }
        if (a > 0) d = (d * k.haloWeight) >> 10;
    }
    return {std::clamp<int64_t>(d, -100, 800), a};
}

int32_t sharpenedLuma(int32_t y, const SharpenChange& change, const SharpenSettings& k, int32_t lo,
                      int32_t hi) {
    int32_t v = clamp16(y + change.delta());
    if (k.suppressHalos) {
        v = std::max(lo, v);
        if (hi < v) v = hi;
    }
    return v;
}

SharpenMapPixel sharpenMapPixel(int32_t y, int32_t sharpened, const SharpenChange& change,
                                const SharpenSettings& k) {
    const int64_t e = k.suppressHalos ? int64_t{sharpened} - y : change.delta();
    const int64_t v = 4 * std::llabs(e);
    SharpenMapPixel m;
    m.y = static_cast<uint16_t>(clamp16(e + kChromaZero));
    if (change.d > 0) {
        m.cr = static_cast<uint16_t>(clamp16(v + kChromaZero));
        m.cb = kChromaZero;
    } else {
        m.cr = m.cb = static_cast<uint16_t>(clamp16(2 * (0x4000 - v)));
    }
    return m;
}

}  // namespace dnr
