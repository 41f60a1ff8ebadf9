// The division of a run's progress range among its twelve stages, weighted by their measured
// cost; stages that will not run get no share.
#pragma once

#include <array>
#include <cstdint>

#include "dnr.h"

namespace dnr {

enum Share : int {
    kShareCopyIn = 0,
    kShareToLumaChroma,
    kShareAberration,
    kShareSmoothing,
    kShareGap,
    kShareNoiseMap,
    kShareNoiseMapSmoothing,
    kShareBlend,
    kShareSharpen,
    kShareColour,
    kShareGeometry,
    kShareWriteBack,
    kShareCount
};

struct ProgressShares {
    // start[k] is where share k begins; start[k + 1] where it ends (start[12] is a little below
    // 1000).
    std::array<int32_t, kShareCount + 1> start{};
};

ProgressShares computeShares(const ProcessingParams& p);

}  // namespace dnr
