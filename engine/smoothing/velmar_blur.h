// The engine's smoothing filter family: recursive two-way smoothing in several variants, and a
// box average. Used by noise reduction, sharpening, aberration, red eye, colour ranges, captions.
#pragma once

#include <cstdint>

#include "plane.h"

namespace dnr {

enum class BlurVariant { Average, EdgeWeighted, Agreement, Minimum, Maximum, Box };

// Smooths source (or, when source is null, target itself) into target, which takes the source's
// size. When ownProgressTotal is set the filter announces 2*height units itself; otherwise it
// counts into the total its caller announced. False on abort or when scratch memory is short.
bool velmarBlur(Plane& target, const Plane* source, int32_t radius, BlurVariant variant,
                bool ownProgressTotal = true);

}  // namespace dnr
