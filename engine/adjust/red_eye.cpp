// Red-eye repair; not built yet, so it changes no pixel and finds no pupil.
#include "../stages.h"

namespace dnr {

int32_t removeRedEye(const View&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
    return 0;
}

}  // namespace dnr
