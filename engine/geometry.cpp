// Geometric corrections and vignetting; not built yet, so the planes pass unchanged.
#include "stages.h"

namespace dnr {

bool correctGeometry(PlaneSet&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
