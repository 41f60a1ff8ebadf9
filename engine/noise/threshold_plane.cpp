#include "threshold_plane.h"

#include <algorithm>

#include "bands.h"
#include "curves.h"
#include "falloff.h"
#include "fast_paths.h"
#include "hue.h"
#include "progress.h"

namespace dnr {
namespace {

// One level unit (a tenth of a mean absolute luma deviation) in the threshold's fixed point; the
// threshold drops the lowest four bits at the end.
constexpr int64_t kLevelFactor = 880;
// Luma per brightness band: five bands over 0..65535, white in the last.
constexpr int32_t kBandWidth = 13056;

int64_t scaledLevel(int32_t level) {
    return int64_t{std::clamp(level, 1, 800)} * kLevelFactor;
}

}  // namespace

ThresholdBuilder::ThresholdBuilder(const ProcessingParams& p) : p_(p) {
    const int64_t s = scaledLevel(p.ShadowsNoiseLevel);
    const int64_t m = scaledLevel(p.NoiseLevel);
    const int64_t h = scaledLevel(p.HighlightsNoiseLevel);
    const int64_t bands[5] = {s, (s + m) / 2, m, (m + h) / 2, h};
    for (int i = 0; i < 5; ++i)
        bands_[i] = std::max<int64_t>(bands[i], 1);

    const int32_t points = std::clamp(p.NoiseEqualizerCount, 0, DNR_EQUALIZER_POINTS);
    hueActive_ =
        std::any_of(p.NoiseEqualizer, p.NoiseEqualizer + points, [](int32_t v) { return v != 0; });
    if (hueActive_) rebuildCurveTable(CurveKind::Noise, p);
    // A count without a table has no entries.
    areaCount_ = p.NoiseAreas ? std::max(p.NoiseAreaCount, 0) : 0;
    for (int i = 0; i < 5; ++i)
        bandThresholds_[i] = static_cast<uint16_t>(std::clamp<int64_t>(bands_[i] >> 4, 1, 65535));
}

int32_t ThresholdBuilder::at(int32_t y, int32_t cr, int32_t cb) const {
    int64_t a = bands_[std::min(y / kBandWidth, 4)];
    if (hueActive_) {
        // The equalizer's -100..100 at the pixel's hue: down to 24/1024 of the level, or up to
        // three times it.
        const int64_t b = hueLookup(CurveKind::Noise, hueOf(cr, cb));
        a = b <= 0 ? (a * (1024 + 10 * b)) >> 10 : (a * (1024 + 20 * b)) >> 10;
    }
    if (areaCount_ > 0) {
        const int32_t factor = noiseAreaFactor(p_.NoiseAreas, areaCount_, y, cr, cb);
        if (factor != 0) {
            // The picked areas change the threshold at most tenfold upwards.
            const int64_t t = std::max<int64_t>(a * (factor + 100) / 100, 1);
            a = 10 * a < t ? 10 * a : t;
        }
    }
    return static_cast<int32_t>(std::clamp<int64_t>(a >> 4, 1, 65535));
}

void ThresholdBuilder::row(const PlaneSet& set, int32_t r, uint16_t* out) const {
    const uint16_t* cb = set.planes[PlaneSet::kCb].row(r);
    const uint16_t* y = set.planes[PlaneSet::kY].row(r);
    const uint16_t* cr = set.planes[PlaneSet::kCr].row(r);
    for (int32_t i = 0; i < set.width(); ++i)
        out[i] = static_cast<uint16_t>(at(y[i], cr[i], cb[i]));
}

void ThresholdBuilder::rowFast(const PlaneSet& set, int32_t r, uint16_t* out) const {
    if (hueActive_ || areaCount_ > 0) {
        row(set, r, out);
        return;
    }
    const uint16_t* y = set.planes[PlaneSet::kY].row(r);
    const uint16_t t0 = bandThresholds_[0], t1 = bandThresholds_[1], t2 = bandThresholds_[2];
    const uint16_t t3 = bandThresholds_[3], t4 = bandThresholds_[4];
    for (int32_t i = 0; i < set.width(); ++i) {
        const int32_t v = y[i];
        uint16_t t = v >= kBandWidth ? t1 : t0;
        t = v >= 2 * kBandWidth ? t2 : t;
        t = v >= 3 * kBandWidth ? t3 : t;
        out[i] = v >= 4 * kBandWidth ? t4 : t;
    }
}

int32_t noiseAreaFactor(const NoiseAreaEntry* areas, int32_t count, int32_t y, int32_t cr,
                        int32_t cb) {
    // Chroma differences count more in the dark, where the same chroma offset is a stronger
    // colour. The chroma products reach 2^36, their squares 2^52.
    const int64_t chromaWeight = 0xEFFF1 / std::max(y, 1);
    int64_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        const NoiseAreaEntry& e = areas[i];
        const int64_t dl = (int64_t{y - e.Luma} * 7) >> 10;
        const int64_t dcb = (int64_t{cb - e.ChromaBlue} * chromaWeight) >> 10;
        const int64_t dcr = (int64_t{cr - e.ChromaRed} * chromaWeight) >> 10;
        const int64_t distance = (dl * dl + dcb * dcb + dcr * dcr) >> 4;
        sum +=
            int64_t{falloff(static_cast<int32_t>(std::min<int64_t>(distance, 1024)))} * e.Strength;
    }
    return static_cast<int32_t>(sum >> 10);
}

bool buildThresholdPlane(const PlaneSet& set, const ProcessingParams& p, Plane& threshold) {
    if (!threshold.allocate(set.width(), set.height())) return false;
    const ThresholdBuilder builder(p);
    if (fast::enabled()) {
        BandJob job;
        job.items = set.height();
        job.samplesPerItem = set.width();
        job.units = set.height();
        return runInBands(job, [&](int64_t first, int64_t last) {
            for (auto r = static_cast<int32_t>(first); r < last; ++r) {
                builder.rowFast(set, r, threshold.row(r));
                if (abortRequested()) return false;
            }
            return true;
        });
    }
    for (int32_t r = 0; r < set.height(); ++r) {
        builder.row(set, r, threshold.row(r));
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace dnr
