// The rectangle of the source shown in the preview, copied into its own session.
#pragma once

#include "imaging/imaging.h"

namespace core {

// Copies the inclusive rectangle (x1, y1)-(x2, y2) of the source (rows counted from the top) into
// the target session, with the source's colour profile. False, leaving the target empty, when
// the rectangle does not lie inside the source.
bool extractRegion(imaging::Handle source, imaging::Handle target, int x1, int y1, int x2, int y2);

}  // namespace core
