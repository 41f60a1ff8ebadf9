// Red-eye repair on the caller's pixels: finding the size of a red pupil, and turning it into a
// darkened grey through a soft elliptical mask.
#pragma once

#include <cstdint>

#include "pixel_view.h"

namespace dnr {

// Red against the stronger of green and blue: 80 when they are equal.
int32_t redness(const View& view, int32_t x, int32_t y);

// The radius at which the mean redness of a ring around (cx, cy) falls below 70% of the reddest
// ring seen, searched from minRadius to maxRadius (kept inside the picture).
int32_t findPupilRadius(const View& view, int32_t cx, int32_t cy, int32_t minRadius = 2,
                        int32_t maxRadius = 40);

}  // namespace dnr
