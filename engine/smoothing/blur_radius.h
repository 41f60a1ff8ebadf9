// Radii handed to the smoothing filter from record fields. The filter's step weight is
// radius*256/(radius+4), which is 255 for every radius from 1020 up, so holding radii to
// 0..2^20 changes no result while keeping out negative radii (-4 would divide by zero) and
// products that would wrap.
#pragma once

#include <algorithm>
#include <cstdint>

namespace dnr {

inline int32_t blurRadius(int64_t radius) {
    return static_cast<int32_t>(std::clamp<int64_t>(radius, 0, int64_t{1} << 20));
}

}  // namespace dnr
