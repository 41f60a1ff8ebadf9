// Fixtures for the noise-reduction tests: the record the program fills, cold caches, and noisy
// pictures and plane sets.
#pragma once

#include <cstdint>

#include "caller_picture.h"
#include "dnr.h"
#include "plane.h"

namespace dnr::testing {

// The record the program fills for a picture: noise reduction on in the normal mode with radius
// 6, chroma 2 and the full amount, every other correction off, a preview run.
ProcessingParams defaultParams(Picture& picture);

// Empties every cache of the engine, so that a test starts cold.
void emptyAllCaches();

// Gaussian noise of the given deviation (16-bit domain) added to every channel alike, clamped.
void addGreyNoise(Picture& picture, double deviation, unsigned seed);

// A luma/chroma plane set of w by h with the given luma and neutral chroma plus optional noise.
PlaneSet lumaChromaSet(int32_t w, int32_t h, int32_t luma, double noise, unsigned seed);

}  // namespace dnr::testing
