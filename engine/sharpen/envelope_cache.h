// The local minimum and maximum of luma that halo suppression keeps sharpened values between.
// They depend only on the luma plane and the edge width, so preview runs that change other
// sharpening settings reuse them; a final run empties them.
#pragma once

#include <cstdint>

#include "plane.h"

namespace dnr {

struct EnvelopeCache {
    Plane low;   // minimum-tracking smoothing of luma
    Plane high;  // maximum-tracking smoothing of luma
    uint64_t key = 0;
    uint64_t fills = 0;  // how often the envelopes were computed (for tests)
};

EnvelopeCache& envelopeCache();

uint64_t envelopeKey(const Plane& luma, int32_t edgeWidth);

// Makes the cache hold the envelopes of luma for edgeWidth, computing them only when the key
// differs. Counts into the progress total the caller announced. False on abort or when memory is
// short; the key then stays empty.
bool updateEnvelopes(EnvelopeCache& cache, const Plane& luma, int32_t edgeWidth);

void emptyEnvelopes(EnvelopeCache& cache);

}  // namespace dnr
