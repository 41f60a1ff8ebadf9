// Noise level detection over a whole picture (the engine side of DetectNoiseLevel).
#pragma once

#include <cstdint>

#include "pixel_view.h"

namespace dnr {

// The shadow, midtone and highlight noise levels of a picture into levels[0..2], from the
// quietest 15-by-15 block of each brightness band on a 100-by-100 grid; returns the midtone level.
int32_t detectNoiseLevels(const View& v, int32_t* levels);

}  // namespace dnr
