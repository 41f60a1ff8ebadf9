// Hue and chroma of a luma/chroma triple, read from two tables built on first use. Only the top
// 8 bits of each chroma sample matter.
#pragma once

#include <cstdint>

namespace dnr {

// Hue in 1/128 degree (0..46079): red near 0, green near 120 degrees, blue near 240.
int32_t hue128Of(int32_t cr, int32_t cb);
// Hue in whole degrees, 0..359.
inline int32_t hueOf(int32_t cr, int32_t cb) {
    return hue128Of(cr, cb) >> 7;
}
// Chroma, 0..65529.
int32_t chromaOf(int32_t cr, int32_t cb);

}  // namespace dnr
