// Final run or preview, read one way everywhere: FinalRun 1 is a final run, any other value a
// preview (display maps allowed, caches kept).
#pragma once

#include "dnr.h"

namespace dnr {

inline bool isFinalRun(const ProcessingParams& p) {
    return p.FinalRun == DNR_FINAL_RUN;
}

}  // namespace dnr
