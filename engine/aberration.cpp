// Chromatic aberration stage; not built yet, so it leaves the planes unchanged.
#include "stages.h"

namespace dnr {

bool correctAberration(PlaneSet&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
