// Moving the caller's pixels into planes and back.
#pragma once

#include "pixel_view.h"
#include "plane.h"

namespace dnr {

// Copies the whole picture into the set (RGB, plain model), one progress unit a row.
// False on an allocation failure or abort.
bool copyPictureToPlanes(PlaneSet& set, const View& view);

// Writes an RGB set of the picture's size back into the caller's pixels: the full value for 16-bit
// pictures, the high byte for 8-bit ones. One progress unit a row; never aborts.
void writeBack(const View& view, const PlaneSet& set);

}  // namespace dnr
