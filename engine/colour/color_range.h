// A colour-correction range prepared for use: a tube around the segment between its two colours
// in the normalised luma/chroma space, and the shift toward its target colour.
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

struct PreparedRange {
    int32_t cCb = 0, cY = 0, cCr = 0;  // centre of the segment
    int32_t sCb = 0, sCr = 0;          // chroma per luma along the axis, 1/1024 units
    int32_t h = 0;                     // half the segment's luma length
    int32_t tCb = 0, tY = 0, tCr = 0;  // target minus centre
    int32_t wCb = 0, wCr = 0, wY = 0;  // distance weights, 1/1024 units
};

// Prepares the colour part of a range record (the areas are mapped separately).
PreparedRange prepareRange(const Colors_ColorRangeParams& range);

// The range's weight for a pixel in normalised luma/chroma: 1024 on the axis, falling to 0 away
// from it.
int32_t rangeWeight(const PreparedRange& range, int32_t cb, int32_t y, int32_t cr);

}  // namespace dnr
