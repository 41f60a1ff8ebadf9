// The colour and tone stage; not built yet, so it leaves the planes unchanged.
#include "../stages.h"

namespace dnr {

bool adjustColors(PlaneSet&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
