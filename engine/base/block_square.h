// The size-by-size square the pointer queries average: around (x, y), moved inside the picture.
#pragma once

#include <algorithm>
#include <cstdint>

#include "pixel_view.h"

namespace dnr {

struct BlockSquare {
    int32_t x0, y0, size;
};

// The origin is clamped to extent - size - 1 at the far side, as the editor expects. A size
// below 1 counts as 1, and a square larger than the picture is shrunk to it, so that no sample
// outside the picture is read.
inline BlockSquare blockSquare(const View& v, int32_t x, int32_t y, int32_t size) {
    size = std::clamp(size, 1, std::min(v.width, v.height));
    auto origin = [size](int32_t c, int32_t extent) {
        return std::max(std::min(std::max(c - size / 2, 0), extent - size - 1), 0);
    };
    return {origin(x, v.width), origin(y, v.height), size};
}

struct BlockMean {
    int32_t red, green, blue;
};

// Mean of each channel over the square, 16-bit domain (sums in 64 bits, truncated).
inline BlockMean blockMean(const View& v, const BlockSquare& sq) {
    uint64_t sum[3] = {0, 0, 0};
    for (int32_t j = sq.y0; j < sq.y0 + sq.size; ++j)
        for (int32_t i = sq.x0; i < sq.x0 + sq.size; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += v.sample(i, j, c);
    const uint64_t n = uint64_t(sq.size) * uint64_t(sq.size);
    return {int32_t(sum[2] / n), int32_t(sum[1] / n), int32_t(sum[0] / n)};
}

}  // namespace dnr
