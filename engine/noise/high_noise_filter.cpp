// The high-noise filter: a pyramid of box-smoothed planes blended from coarse to fine. At each
// finer level a pixel keeps the coarser result where the coarser image is flat against the
// pixel's noise threshold, and takes the finer image where the coarser one varies (an edge).
// The box-smoothed scales are kept between preview runs under one key.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "bands.h"
#include "cache_keys.h"
#include "colour_space.h"
#include "high_noise_filter.h"
#include "progress.h"
#include "run_kind.h"
#include "stages.h"
#include "threshold_plane.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

constexpr int kMaxScales = 4;
constexpr int32_t kScaleRadius[kMaxScales] = {1, 2, 4, 8};

// Three planes times up to four scales, kept for the life of the library.
struct ScaleCache {
    Plane slots[3 * kMaxScales];
    uint64_t key = 0;
};

ScaleCache& scaleCache() {
    static ScaleCache cache;
    return cache;
}

// Weights of the scales against the threshold, in 1/1024; index s+1 for scale s = -1..2. Larger
// radii trust the coarse levels more.
struct ScaleWeights {
    int64_t w[kMaxScales];
    int64_t at(int s) const { return w[s + 1]; }
};

ScaleWeights scaleWeights(int32_t radius) {
    const double x = radius * 0.125;
    return {{2560, static_cast<int64_t>(1706 * x), static_cast<int64_t>(1024 * x * x),
             static_cast<int64_t>(568 * x * x * x)}};
}

// Sum of the absolute differences between a pixel of prev and its existing four neighbours.
inline int64_t neighbourVariation(const Plane& prev, int32_t x, int32_t y) {
    const int32_t w = prev.width;
    const uint16_t* row = prev.row(y);
    const int32_t v = row[x];
    int64_t c = 0;
    if (x > 0) c += std::abs(row[x - 1] - v);
    if (x + 1 < w) c += std::abs(row[x + 1] - v);
    if (y > 0) c += std::abs(prev.row(y - 1)[x] - v);
    if (y + 1 < prev.height) c += std::abs(prev.row(y + 1)[x] - v);
    return c;
}

class HighNoiseFilter {
  public:
    HighNoiseFilter(PlaneSet& planes, const ProcessingParams& p)
        : planes_(planes),
          p_(p),
          scales_(highNoiseScaleCount(p.NoiseRadius)),
          weights_(scaleWeights(p.NoiseRadius)),
          amount_(int64_t{p.NoiseReductionAmount} * 1024 / 100),
          store_(!isFinalRun(p)),
          showMap_(p.ShowNoiseMap && !isFinalRun(p)) {}

    bool run();

  private:
    bool filterPlane(int m);
    // The level image of plane m at scale s (s >= 0), from the cache or computed.
    const Plane* scaleImage(int m, int s, const Plane& original, Plane& computed);
    bool blendLevel(int m, int s, const Plane& prev, const Plane& cur);

    PlaneSet& planes_;
    const ProcessingParams& p_;
    const int scales_;
    const ScaleWeights weights_;
    const int64_t amount_;
    const bool store_;
    const bool showMap_;
    bool cached_ = false;
    Plane threshold_;
};

bool HighNoiseFilter::run() {
    const int32_t h = planes_.height();
    // Every row the filter visits counts: the threshold plane, the box filters of the scales it
    // computes and the blend of every level of every plane.
    progress::begin(h + 3 * scales_ * 2 * h + 3 * scales_ * h);

    ScaleCache& cache = scaleCache();
    KeyHash hash;
    addPlaneSetFingerprint(hash, planes_);
    hash.add(uint32_t(scales_));
    const uint64_t key = hash.key();
    cached_ = cache.key == key;
    // Slots are overwritten as the scales are computed; the key comes back only when all are.
    if (!cached_ && store_) cache.key = 0;

    if (!buildThresholdPlane(planes_, p_, threshold_)) return false;
    for (int m = 0; m < 3; ++m)
        if (!filterPlane(m)) return false;
    if (store_ && !cached_) cache.key = key;
    return true;
}

const Plane* HighNoiseFilter::scaleImage(int m, int s, const Plane& original, Plane& computed) {
    Plane& slot = scaleCache().slots[m * kMaxScales + s];
    if (cached_) return &slot;
    Plane& target = store_ ? slot : computed;
    if (!velmarBlur(target, &original, kScaleRadius[s], BlurVariant::Box, false)) return nullptr;
    return &target;
}

bool HighNoiseFilter::filterPlane(int m) {
    Plane& plane = planes_.planes[m];
    Plane original;
    if (!original.copyFrom(plane)) return false;
    Plane computed[2];
    const Plane* prev = nullptr;
    for (int s = scales_ - 1; s >= -1; --s) {
        const Plane* cur = &original;
        if (s >= 0) {
            cur = scaleImage(m, s, original, computed[s % 2]);
            if (!cur) return false;
        }
        if (!prev) {
            if (!plane.copyFrom(*cur)) return false;
            if (abortRequested()) return false;
        } else if (!blendLevel(m, s, *prev, *cur)) {
            return false;
        }
        prev = cur;
    }
    return true;
}

bool HighNoiseFilter::blendLevel(int m, int s, const Plane& prev, const Plane& cur) {
    Plane& plane = planes_.planes[m];
    int64_t weight = weights_.at(s);
    if (m != PlaneSet::kY) weight = weight * p_.ChromaNoise / 2;
    const bool finest = s == -1;
    const bool paintMap = finest && showMap_;
    // Rows only read prev, cur and the thresholds, and write their own row of the plane.
    return forEachRow(plane.height, plane.width, true, LastStep::ThenAbortTest, [&](int32_t y) {
        const uint16_t* t = threshold_.row(y);
        const uint16_t* c = cur.row(y);
        uint16_t* out = plane.row(y);
        for (int32_t x = 0; x < plane.width; ++x) {
            const int64_t variation = neighbourVariation(prev, x, y);
            int64_t limit = (int64_t{t[x]} * weight) >> 10;
            if (limit == 0) limit = 1;
            const int64_t hv = variation * 1024 / limit;
            if (paintMap) {
                if (m == PlaneSet::kCb) {
                    out[x] = kChromaZero;
                } else if (m == PlaneSet::kY) {
                    const int64_t diff = int64_t{prev.row(y)[x]} - c[x];
                    out[x] = static_cast<uint16_t>(std::clamp<int64_t>(4 * diff, -4000, 4000) +
                                                   kChromaZero);
                } else {
                    out[x] = static_cast<uint16_t>(
                        4 * std::clamp<int64_t>(4 * (1024 - hv), 0, 4096) + kChromaZero);
                }
                continue;
            }
            if (hv > 1024) {
                out[x] = c[x];
                continue;
            }
            int64_t keep = 1024 - hv;
            if (finest) keep = (keep * amount_) >> 10;
            // Amounts outside 0..100 would push the mix outside the sample range.
            out[x] = static_cast<uint16_t>(
                std::clamp<int64_t>((out[x] * keep + c[x] * (1024 - keep)) >> 10, 0, 65535));
        }
    });
}

}  // namespace

int32_t highNoiseScaleCount(int32_t noiseRadius) {
    return noiseRadius < 7 ? 3 : 4;
}

const Plane& cachedNoiseScale(int m, int s) {
    return scaleCache().slots[m * kMaxScales + s];
}

uint64_t noiseScaleCacheKey() {
    return scaleCache().key;
}

void releaseNoiseScaleCache() {
    for (Plane& p : scaleCache().slots)
        p.release();
    scaleCache().key = 0;
}

bool runHighNoiseFilter(PlaneSet& planes, const ProcessingParams& p) {
    HighNoiseFilter filter(planes, p);
    return filter.run();
}

}  // namespace dnr
