// The areas of a colour range, mapped from full-picture positions onto the processed planes.
#pragma once

#include <cstdint>
#include <vector>

#include "dnr.h"

namespace dnr {

struct MappedArea {
    bool ellipse = true;
    int64_t x = 0, y = 0;    // centre, row counted upward within the processed part
    int64_t rx = 0, ry = 0;  // half sizes
    int64_t ix = 0, iy = 0;  // 1048576 / half size, so the ellipse test needs no division
};

// Maps the range's areas with the view fields of the record; planeHeight stands in for
// ViewHeight when the record leaves it 0.
std::vector<MappedArea> mapAreas(const Colors_ColorRangeParams& range, const ProcessingParams& p,
                                 int32_t planeHeight);

bool insideArea(const MappedArea& a, int64_t j, int64_t i);

inline bool insideAny(const std::vector<MappedArea>& areas, int64_t j, int64_t i) {
    for (const MappedArea& a : areas)
        if (insideArea(a, j, i)) return true;
    return false;
}

}  // namespace dnr
