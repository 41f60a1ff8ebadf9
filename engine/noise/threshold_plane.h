// The noise threshold of every pixel: the level expected at the pixel's brightness band, scaled
// by the noise equalizer at the pixel's hue and by the user's picked noise areas. A pixel whose
// difference from its smoothed surroundings stays below its threshold looks like noise.
#pragma once

#include <cstdint>

#include "dnr.h"
#include "plane.h"

namespace dnr {

class ThresholdBuilder {
  public:
    // Rebuilds the noise curve's table from the record when the hue factor is active.
    explicit ThresholdBuilder(const ProcessingParams& p);

    // The threshold, 1..65535, of a pixel with luma y and chroma cr, cb (offset 0x8000).
    int32_t at(int32_t y, int32_t cr, int32_t cb) const;
    // Row r of a luma/chroma set into out.
    void row(const PlaneSet& set, int32_t r, uint16_t* out) const;
    // The same row on the fast path: without the hue factor and noise areas the threshold
    // depends on the luma band alone, which a vector loop picks by comparisons.
    void rowFast(const PlaneSet& set, int32_t r, uint16_t* out) const;

    bool hueFactorActive() const { return hueActive_; }

  private:
    const ProcessingParams& p_;
    int64_t bands_[5];
    uint16_t bandThresholds_[5];
    bool hueActive_ = false;
    int32_t areaCount_ = 0;
};

// The percentage by which the picked noise areas near the pixel's colour raise (positive) or
// lower (negative) its threshold: about +50 or -50 at a pick's own colour, 0 far from every pick.
int32_t noiseAreaFactor(const NoiseAreaEntry* areas, int32_t count, int32_t y, int32_t cr,
                        int32_t cb);

// Fills threshold (resized to the set) row by row: one progress unit a row, abort tested a row.
bool buildThresholdPlane(const PlaneSet& set, const ProcessingParams& p, Plane& threshold);

}  // namespace dnr
