// The 1024-entry fall-off table: 1024 up to about index 600, falling steeply to 0 near 1023.
// Indices outside 0..1023 are clamped.
#pragma once

#include <cstdint>

namespace dnr {

int32_t falloff(int32_t index);

}  // namespace dnr
