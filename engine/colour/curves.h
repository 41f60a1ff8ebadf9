// The four equalizer curves as the pipeline stages read them. Each curve keeps a 257-entry
// lookup table for the life of the library; a stage rebuilds it from the run's record before it
// reads it.
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

enum class CurveKind { Brightness, Saturation, Noise, Sharpness };

// Refills the curve's lookup table from the record.
void rebuildCurveTable(CurveKind kind, const ProcessingParams& p);
// Linear interpolation in the table for v in 0..65535.
int32_t tableLookup(CurveKind kind, int32_t v);
// The curve's value (about -100..100) at a hue in whole degrees 0..359.
int32_t hueLookup(CurveKind kind, int32_t hueDegrees);

}  // namespace dnr
