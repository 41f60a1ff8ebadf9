// The normal noise filter, in the four steps the pipeline driver calls so that it can keep the
// smoothed planes between preview runs: smooth the planes, measure how far the luma differs from
// its smoothed value (the noise map), smooth that map, and move each pixel toward its smoothed
// value as far as its difference looks like noise against the pixel's threshold.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "bands.h"
#include "colour_space.h"
#include "fast_paths.h"
#include "progress.h"
#include "run_kind.h"
#include "scratch.h"
#include "stages.h"
#include "threshold_plane.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

BandJob rowJob(int32_t rows, int32_t width) {
    BandJob job;
    job.items = rows;
    job.samplesPerItem = width;
    job.units = rows;
    return job;
}

// The noise map on the fast path: rows in bands, each a vector loop. |o - s| is at most 65535.
bool computeNoiseMapFast(const Plane& luma, const Plane& smoothLuma, Plane& noiseMap) {
    const int32_t w = luma.width;
    return runInBands(rowJob(luma.height, w), [&](int64_t first, int64_t last) {
        for (auto r = static_cast<int32_t>(first); r < last; ++r) {
            const uint16_t* __restrict o = luma.row(r);
            const uint16_t* __restrict s = smoothLuma.row(r);
            uint16_t* __restrict out = noiseMap.row(r);
            for (int32_t i = 0; i < w; ++i)
                out[i] = static_cast<uint16_t>(std::abs(int32_t{o[i]} - s[i]));
            if (abortRequested()) return false;
        }
        return true;
    });
}

// One row of the blend on the fast path, without the map display. The share l comes from a
// double division, exact as the integer one: the numerator is below 2^26 and the divisor below
// 2^16, so the rounded quotient stays on the same side of every whole number. A pixel whose l
// reaches 1024 keeps its value, which the formula gives by itself once l is held at 1024:
// s + (o - s) = o. Below 1024 all products fit 32 bits.
void blendRowFast(uint16_t* const* rows, const uint16_t* const* smoothRows,
                  const uint16_t* __restrict map, const uint16_t* __restrict t, int32_t w,
                  int64_t d, int32_t* __restrict share) {
    for (int32_t i = 0; i < w; ++i)
        share[i] = static_cast<int32_t>(double(int32_t{map[i]} * 1024) /
                                        double(std::max<int32_t>(t[i], 1)));
    if (d < 1024)
        for (int32_t i = 0; i < w; ++i)
            share[i] = static_cast<int32_t>(
                std::clamp<int64_t>(1024 - (((1024 - int64_t{share[i]}) * d) >> 10), 0, 1024));
    for (int32_t i = 0; i < w; ++i)
        share[i] = std::min(share[i], 1024);
    for (int k = 0; k < 3; ++k) {
        uint16_t* __restrict o = rows[k];
        const uint16_t* __restrict s = smoothRows[k];
        for (int32_t i = 0; i < w; ++i) {
            const int32_t si = s[i];
            o[i] = static_cast<uint16_t>(
                std::min(si + (((int32_t{o[i]} - si) * share[i]) >> 10), 65535));
        }
    }
}

}  // namespace

bool smoothForNoise(const PlaneSet& planes, PlaneSet& smoothed, const ProcessingParams& p) {
    // Chroma noise is coarser than luma noise: its radius grows with ChromaNoise.
    const int32_t lumaRadius = p.NoiseRadius;
    const int32_t chromaRadius =
        clampToInt32(int64_t{p.NoiseRadius} * (int64_t{p.ChromaNoise} + 1));
    progress::begin(6 * planes.height());
    for (int k = 0; k < 3; ++k) {
        const int32_t radius = k == PlaneSet::kY ? lumaRadius : chromaRadius;
        if (!velmarBlur(smoothed.planes[k], &planes.planes[k], radius, BlurVariant::EdgeWeighted,
                        false))
            return false;
    }
    smoothed.rgb = planes.rgb;
    smoothed.model = planes.model;
    return true;
}

bool computeNoiseMap(const PlaneSet& planes, const PlaneSet& smoothed, Plane& noiseMap,
                     const ProcessingParams&) {
    const Plane& luma = planes.planes[PlaneSet::kY];
    const Plane& smoothLuma = smoothed.planes[PlaneSet::kY];
    if (!noiseMap.allocate(luma.width, luma.height)) return false;
    progress::begin(luma.height);
    if (fast::enabled()) return computeNoiseMapFast(luma, smoothLuma, noiseMap);
    for (int32_t r = 0; r < luma.height; ++r) {
        const uint16_t* o = luma.row(r);
        const uint16_t* s = smoothLuma.row(r);
        uint16_t* out = noiseMap.row(r);
        for (int32_t i = 0; i < luma.width; ++i)
            out[i] = static_cast<uint16_t>(std::min(65535, std::abs(int32_t{o[i]} - s[i])));
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

bool smoothNoiseMap(Plane& noiseMap, const ProcessingParams& p) {
    return velmarBlur(noiseMap, nullptr, std::max(1, p.NoiseRadius), BlurVariant::Agreement);
}

bool blendNoiseReduction(PlaneSet& planes, const PlaneSet& smoothed, const Plane& noiseMap,
                         const ProcessingParams& p) {
    const int32_t w = planes.width();
    const int32_t h = planes.height();
    progress::begin(2 * h);
    Plane threshold;
    if (!buildThresholdPlane(smoothed, p, threshold)) return false;

    // d: the share of the full reduction, 1024 = all of it.
    const int64_t d = int64_t{p.NoiseReductionAmount} * 1024 / 100;
    const bool showMap = p.ShowNoiseMap && !isFinalRun(p);
    if (fast::enabled() && !showMap) {
        return runInBands(rowJob(h, w), [&](int64_t first, int64_t last) {
            const auto share = allocateScratch<int32_t>(size_t(w));
            if (!share) return false;
            for (auto r = static_cast<int32_t>(first); r < last; ++r) {
                uint16_t* rows[3];
                const uint16_t* smoothRows[3];
                for (int k = 0; k < 3; ++k) {
                    rows[k] = planes.planes[k].row(r);
                    smoothRows[k] = smoothed.planes[k].row(r);
                }
                blendRowFast(rows, smoothRows, noiseMap.row(r), threshold.row(r), w, d,
                             share.get());
                if (abortRequested()) return false;
            }
            return true;
        });
    }
    for (int32_t r = 0; r < h; ++r) {
        const uint16_t* t = threshold.row(r);
        const uint16_t* map = noiseMap.row(r);
        const uint16_t* smoothLuma = smoothed.planes[PlaneSet::kY].row(r);
        uint16_t* rows[3];
        const uint16_t* smoothRows[3];
        for (int k = 0; k < 3; ++k) {
            rows[k] = planes.planes[k].row(r);
            smoothRows[k] = smoothed.planes[k].row(r);
        }
        for (int32_t i = 0; i < w; ++i) {
            // l: how much of the pixel's own value survives, 1024 = all of it. Differences at
            // or above the threshold keep the pixel.
            int64_t l = int64_t{map[i]} * 1024 / std::max<int32_t>(t[i], 1);
            if (d < 1024) l = std::clamp<int64_t>(1024 - (((1024 - l) * d) >> 10), 0, 1024);
            if (showMap) {
                const int64_t diff = int64_t{rows[PlaneSet::kY][i]} - smoothLuma[i];
                const int64_t shade =
                    std::clamp<int64_t>((std::abs(diff) * diff) >> 14, -4000, 4000);
                rows[PlaneSet::kCb][i] = kChromaZero;
                rows[PlaneSet::kY][i] = static_cast<uint16_t>(shade + kChromaZero);
                rows[PlaneSet::kCr][i] = static_cast<uint16_t>(
                    4 * std::clamp<int64_t>(4 * (1024 - l), 0, 4096) + kChromaZero);
                continue;
            }
            if (l >= 1024) continue;
            for (int k = 0; k < 3; ++k) {
                const int64_t o = rows[k][i];
                const int64_t s = smoothRows[k][i];
                rows[k][i] =
                    static_cast<uint16_t>(std::min<int64_t>(s + (((o - s) * l) >> 10), 65535));
            }
        }
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace dnr
