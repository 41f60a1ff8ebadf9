// How strongly one pixel is desaturated against purple fringes: by the brightness of its
// neighbourhood and by how close its hue is to the fringe colour the user picked.
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

struct FringeColour {
    int32_t hue128 = 0;  // 1/128 degree
    int32_t chroma = 0;
    int32_t luma = 0;
    int32_t hueWeight = 0;  // 100 - tolerance
};

FringeColour fringeColour(const ProcessingParams& p);

// Squared, weighted hue distance between a pixel and the fringe colour; near-greys count as
// close in hue.
int64_t fringeDistance(int32_t hue128, int32_t chroma, const FringeColour& f);

// The chroma factor k in 1/1024 for a spread-mask sample and a distance.
int32_t chromaKeep(int32_t spread, int64_t distance);

inline int32_t scaleChroma(int32_t k, int32_t chroma) {
    return ((k * (chroma - 0x8000)) >> 10) + 0x8000;
}

}  // namespace dnr
