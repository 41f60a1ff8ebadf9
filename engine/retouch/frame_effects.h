// The effect band drawn around the picture of a framed output, before the picture itself is
// copied on top.
#pragma once

#include <cstdint>

#include "frame_layout.h"
#include "pixel_view.h"

namespace dnr {

// Draws the band of params.FrameEffect into an output already filled with the frame colour.
// False when memory or a blur fails.
bool drawFrameEffect(const AddTextParams& params, const View& picture, const View& output,
                     const FrameLayout& layout);

// Opacity in percent of the ring at distance (0 at the ring rectangle, fractional at the rounded
// corners) in a band of the given width: the S-curve from maxPercent down to nothing.
int32_t ringOpacity(double distance, int32_t band, int32_t maxPercent);

}  // namespace dnr
