// The 257-entry S-curve of soft edges: entry i = sigma(1.5 * logit(i / 256)) * 65535, the last
// entry taken just below 1. Read with linear interpolation on a 0..65535 argument.
#pragma once

#include <array>
#include <cstdint>

namespace dnr {

const std::array<int32_t, 257>& smoothStepTable();

// Interpolated between entries a >> 8 and (a >> 8) + 1, for a in 0..65535.
int32_t smoothStep(int32_t a);

}  // namespace dnr
