// The colour-range step of the colour and tone stage: moves the colours near each range toward
// its target, inside or outside its areas.
#pragma once

#include "dnr.h"
#include "plane.h"

namespace dnr {

bool colorRangeStep(PlaneSet& planes, const ProcessingParams& p);

}  // namespace dnr
