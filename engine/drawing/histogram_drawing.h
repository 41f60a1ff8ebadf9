// The histogram of one picture drawn into a rectangle of another (the Histogram export).
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

// Returns 1, or 0 when source or target has no pixels (1 at once when type and overlay are 0).
int32_t drawHistogram(const PixelView* source, const PixelView* target, int32_t x, int32_t y,
                      int32_t width, int32_t height, int32_t opacity, int32_t part, int32_t type,
                      int32_t overlay, const ProcessingParams* params);

}  // namespace dnr
