// Where each output pixel of the geometric corrections comes from: lens distortion, perspective
// and squeeze mapped back into the input in double precision, then sampled bilinearly at 1/256
// pixel.
#pragma once

#include <cstdint>

#include "dnr.h"
#include "plane.h"

namespace dnr {

struct GeometryMapping {
    int32_t cx = 0;  // centre, integer halves of the size
    int32_t cy = 0;
    double radius = 0;  // centre to corner
    double k = 0;       // barrel
    double hp = 0;      // horizontal perspective
    double vp = 0;      // vertical perspective
    double sq = 0;      // squeeze
    double hpA = 1, vpA = 1, hpW = 0, vpH = 0;
    double scaleX = 1, scaleY = 1;

    // Anything but the identity: the input must then be read from a copy.
    bool movesPixels() const { return k != 0 || hp != 0 || vp != 0 || sq != 0; }
};

GeometryMapping makeGeometryMapping(int32_t width, int32_t height, const ProcessingParams& p);

// The zoom that barrel correction needs to keep the picture's frame (1 when there is none).
double barrelZoom(double k, double edgeRatio, bool autoCrop);

struct MappedPoint {
    double x, y;  // position in the input
    double rn;    // distance from the centre relative to the half diagonal, before the lens
};

// Maps output pixel (i, j) back into the input; rn is computed only when withRadius is set.
MappedPoint mapBack(const GeometryMapping& m, int32_t i, int32_t j, bool withRadius);

// A position in 1/256 pixel, truncated toward zero; non-finite or far-away positions are pulled
// into a range the tap arithmetic can hold (the taps are clamped to the picture anyway).
int64_t toSubpixel(double v);

// The four taps and weights of a sample at (x256, y256) in a w-by-h picture; taps outside the
// picture are mirrored into it.
struct BilinearTaps {
    int32_t x[2], y[2];
    uint32_t weight[4];  // (x0,y0), (x1,y0), (x0,y1), (x1,y1)
    uint32_t weightSum;
};

BilinearTaps bilinearTaps(int64_t x256, int64_t y256, int32_t width, int32_t height);
uint16_t sampleBilinear(const Plane& plane, const BilinearTaps& taps);

}  // namespace dnr
