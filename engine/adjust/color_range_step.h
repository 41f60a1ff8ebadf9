// The colour-range step of the colour and tone stage: moves the colours near each range toward
// its target, inside or outside its areas.
#pragma once

#include "../plane.h"
#include "dnr.h"

namespace dnr {

bool colorRangeStep(PlaneSet& planes, const ProcessingParams& p);

}  // namespace dnr
