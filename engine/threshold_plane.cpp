#include "threshold_plane.h"

#include <algorithm>

#include "falloff.h"
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

    const int32_t points = std::clamp(p.NoiseEqualizerCount, 0, 40);
    hueActive_ =
        std::any_of(p.NoiseEqualizer, p.NoiseEqualizer + points, [](int32_t v) { return v != 0; });
    // A count without a table has no entries.
    areaCount_ = p.NoiseAreas ? std::max(p.NoiseAreaCount, 0) : 0;
}

int32_t ThresholdBuilder::at(int32_t y, int32_t cr, int32_t cb) const {
    int64_t a = bands_[std::min(y / kBandWidth, 4)];
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
    for (int32_t r = 0; r < set.height(); ++r) {
        builder.row(set, r, threshold.row(r));
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace dnr
