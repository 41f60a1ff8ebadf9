// The high-noise filter's own cache: the box-smoothed scales of the last preview run, three planes
// times up to four scales under one key. The filter itself is a pipeline stage (stages.h).
#pragma once

#include <cstdint>

#include "plane.h"

namespace dnr {

// Scales of the pyramid for a noise radius: three below 7, else four.
int32_t highNoiseScaleCount(int32_t noiseRadius);
// The cached box average of plane m (0 Cb, 1 Y, 2 Cr) at scale s (radius 1, 2, 4, 8 for s = 0..3).
const Plane& cachedNoiseScale(int m, int s);
uint64_t noiseScaleCacheKey();
// Releases the cached scales and clears the key.
void releaseNoiseScaleCache();

}  // namespace dnr
