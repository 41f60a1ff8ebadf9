// The opacity blend every drawing of the engine uses for its translucent fills.
#include <algorithm>
#include <cstdlib>

#include "pixel_paint.h"

namespace dnr {

void blendChannel(const View& v, int32_t x, int32_t y, int c, int32_t colour, int32_t opacity) {
    opacity = std::clamp(opacity, -100, 100);
    const int32_t a = std::abs(opacity);
    const int32_t paint = opacity < 0 ? 65535 - colour : colour;
    if (v.is16()) {
        uint16_t& s = v.row16(y)[x * 3 + c];
        const int64_t mixed = (int64_t{a} * paint + int64_t{100 - a} * s) / 100;
        s = static_cast<uint16_t>(std::clamp<int64_t>(mixed, 0, 65535));
    } else {
        uint8_t& s = v.row8(y)[x * 3 + c];
        // 12700 rather than half of 25600: the rounding the 8-bit display has always had.
        const int64_t mixed = (int64_t{100 - a} * s * 256 + int64_t{a} * paint + 12700) / 25600;
        s = static_cast<uint8_t>(std::clamp<int64_t>(mixed, 0, 255));
    }
}

}  // namespace dnr
