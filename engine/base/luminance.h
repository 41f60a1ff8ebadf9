// Luminance of an RGB pixel in the 16-bit domain, as the histograms, the brightness queries and
// the channel gains weigh it.
#pragma once

#include <cstdint>

namespace dnr {

inline int32_t luminanceOf(int32_t r, int32_t g, int32_t b) {
    return static_cast<int32_t>((int64_t{9617} * g + int64_t{4899} * r + int64_t{1868} * b) >> 14);
}

}  // namespace dnr
