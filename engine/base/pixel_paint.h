// Writing and blending single samples of a caller's picture; colours are on the 16-bit scale and
// an 8-bit picture keeps the high byte.
#pragma once

#include <cstdint>

#include "pixel_view.h"

namespace dnr {

// Channel c (0 blue, 1 green, 2 red) of pixel (x, y), y counted from the bottom.
inline void putSample(const View& v, int32_t x, int32_t y, int c, int32_t value16) {
    if (v.is16())
        v.row16(y)[x * 3 + c] = static_cast<uint16_t>(value16);
    else
        v.row8(y)[x * 3 + c] = static_cast<uint8_t>(value16 >> 8);
}

inline bool insideView(const View& v, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < v.width && y < v.height;
}

// Blends colour (16-bit scale) into one channel of one pixel at opacity -100..100 percent; a
// negative opacity blends the complement of the colour.
void blendChannel(const View& v, int32_t x, int32_t y, int c, int32_t colour, int32_t opacity);

}  // namespace dnr
