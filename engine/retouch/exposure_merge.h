// Exposure merge: two shots of one scene at different exposures become one picture with a wider
// tonal range. The second shot is aligned to the first (shift, turn, brightness), then the two
// are blended pixel by pixel, each counting most where it is neither clipped nor lost in the dark.
#pragma once

#include <cstdint>

#include "pixel_view.h"
#include "plane.h"

namespace dnr {

// How the second shot lies relative to the first: it is sampled at
// centre + Scale * R(Angle) * ((x, y) + (ShiftX, ShiftY) - centre).
struct MergeAlignment {
    int32_t ShiftX = 0;  // pixels
    int32_t ShiftY = 0;  // pixels, rows counted upward
    double Angle = 0.0;  // degrees
    double Scale = 1.0;
    double Ratio = 1.0;  // brightness of the second shot over the first
};

// Cost of a parameter set that leaves no comparable pair: never preferred.
inline constexpr int64_t kNoOverlapCost = INT64_MAX;

// Luma plane of a picture (row 0 at the bottom).
bool lumaPlane(const View& view, Plane& luma);

// Sum of the second's luma over the first's, on a sparse row grid, over pixels well exposed in
// both; 1.0 when none qualifies.
double brightnessRatio(const Plane& first, const Plane& second);

// Mean absolute luma difference between the first shot and the aligned, exposure-matched second
// on about ten rows; kNoOverlapCost when no pair is usable.
int64_t alignmentCost(const Plane& first, const Plane& second, const MergeAlignment& a);

// Coarse-to-fine search around no shift, no turn and the measured ratio. A raised abort flag
// ends it early with the best parameters found so far (the starting ones if no candidate was
// tried). The export ignores the flag: it reports no progress, so a raised flag is stale.
MergeAlignment searchAlignment(const Plane& first, const Plane& second);

// Writes the blend of first and the aligned second (RGB planes) into output (same size).
void blendExposures(const View& first, const PlaneSet& second, const Plane& firstLuma,
                    const MergeAlignment& a, const View& output);

}  // namespace dnr
