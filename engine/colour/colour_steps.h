// The row passes of the colour and tone stage. Each tests the abort flag once per row and
// returns false on abort or when a plane conversion fails.
#pragma once

#include <cstdint>

#include "colour_space.h"
#include "dnr.h"
#include "plane.h"

namespace dnr {

class EqualizerCurve;

// Tone: luminance through the tone table, chroma scaled by the same gain (64-bit products, so a
// very dark pixel with a large gain cannot wrap).
Ycc applyTone(const EqualizerCurve& toneTable, int32_t y, int32_t cb, int32_t cr);
// Applies the brightness curve's current table to luma/chroma planes; one progress unit a row.
bool toneStep(PlaneSet& planes);

// Hue-dependent saturation, or in black-and-white mode the lightening or darkening of colours by
// the mix. Leaves the planes in luma/chroma form when it runs.
bool saturationStep(PlaneSet& planes, const ProcessingParams& p);

// Channel gains in 1/4096, from the shifts weighed by the saturation, and their luminance.
struct ChannelGains {
    int32_t red, green, blue;
    int32_t luma;
};
ChannelGains channelGains(const ProcessingParams& p);

// Channel gains, black-and-white toning and the over- and under-exposure marks on RGB planes;
// one progress unit a row.
bool colourGainStep(PlaneSet& planes, const ProcessingParams& p);

}  // namespace dnr
