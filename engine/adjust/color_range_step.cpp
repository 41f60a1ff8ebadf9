// Colour ranges are not built yet: the step changes nothing.
#include "color_range_step.h"

namespace dnr {

bool colorRangeStep(PlaneSet&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
