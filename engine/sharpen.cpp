// Sharpening stage; not built yet, so it leaves the planes unchanged.
#include "stages.h"

namespace dnr {

bool sharpen(PlaneSet&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
