// The stages the pipeline driver calls, in the order it calls them.
//
// Each stage works on the run's planes with the run's record. The driver sets the stage's share
// of the progress range before the call; the stage announces its units with progress::begin,
// counts them with progress::step and tests abortRequested() once per row. A stage returns false
// to end the run (abort, or memory it could not get); it never writes the caller's pixels.
#pragma once

#include <cstdint>

#include "dnr.h"
#include "pixel_view.h"
#include "plane.h"

namespace dnr {

// Red eye, first, directly on the caller's pixels: one eye whose box is centred at (x, y) in pixels
// of the held part, y counted from the bottom; a width of 0 asks for automatic sizing. Returns
// the pupil radius it used, in pixels.
int32_t removeRedEye(const View& view, int32_t x, int32_t y, int32_t width, int32_t height,
                     int32_t darkening, int32_t pupilSize);

// Chromatic aberration on luma/chroma planes (share 2).
bool correctAberration(PlaneSet& planes, const ProcessingParams& p);

// Noise reduction, high-noise filter: the whole filter in share 3.
bool runHighNoiseFilter(PlaneSet& planes, const ProcessingParams& p);

// Noise reduction, normal filter, in four steps so that the driver can cache the smoothed planes:
// smoothing of the three planes into `smoothed` (share 3, 6*height units), the noise map
// (share 5), the smoothing of the map (share 6), the blend into the planes (share 7).
bool smoothForNoise(const PlaneSet& planes, PlaneSet& smoothed, const ProcessingParams& p);
bool computeNoiseMap(const PlaneSet& planes, const PlaneSet& smoothed, Plane& noiseMap,
                     const ProcessingParams& p);
bool smoothNoiseMap(Plane& noiseMap, const ProcessingParams& p);
bool blendNoiseReduction(PlaneSet& planes, const PlaneSet& smoothed, const Plane& noiseMap,
                         const ProcessingParams& p);

// Sharpening (share 8); returns at once when there is nothing to do.
bool sharpen(PlaneSet& planes, const ProcessingParams& p);

// Colour and tone (share 9); returns at once when ColorAdjustOn is 0. May leave the planes in
// either form.
bool adjustColors(PlaneSet& planes, const ProcessingParams& p);

// Geometric corrections and vignetting on RGB planes (share 10).
bool correctGeometry(PlaneSet& planes, const ProcessingParams& p);

}  // namespace dnr
