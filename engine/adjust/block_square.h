// The size-by-size square the pointer queries average: around (x, y), moved inside the picture.
#pragma once

#include <algorithm>
#include <cstdint>

#include "../pixel_view.h"

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

}  // namespace dnr
