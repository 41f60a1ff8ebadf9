// Sharpening: an unsharp mask on luma whose strength can follow the pixel's hue, with a contrast
// threshold below which differences count as noise and are softened, and optional halo
// suppression between the local minimum and maximum of luma. Chroma is only touched to paint the
// sharpening map.
#include <algorithm>

#include "blur_radius.h"
#include "colour_space.h"
#include "curves.h"
#include "envelope_cache.h"
#include "hue.h"
#include "progress.h"
#include "run_kind.h"
#include "sharpen_rule.h"
#include "stages.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

bool sharpnessCurveActive(const ProcessingParams& p) {
    const int32_t count = std::clamp(p.SharpnessEqualizerCount, 0, DNR_EQUALIZER_POINTS);
    return std::any_of(p.SharpnessEqualizer, p.SharpnessEqualizer + count,
                       [](int32_t v) { return v != 0; });
}

bool sharpenPlanes(PlaneSet& planes, const ProcessingParams& p) {
    const bool curveActive = sharpnessCurveActive(p);
    if (p.SharpenAmount == 0 && !curveActive && !p.ShowSharpenMap) return true;
    if (planes.rgb && !toLumaChroma(planes, false, ChromaModel::Relative)) return false;

    const SharpenSettings settings = sharpenSettings(p);
    Plane& luma = planes.planes[PlaneSet::kY];
    const int32_t w = luma.width;
    const int32_t h = luma.height;
    const int64_t units =
        2 * (int64_t{w} + h) - 2 + (settings.suppressHalos ? 2 * (int64_t{w} + h) : 0);
    progress::begin(static_cast<int32_t>(std::min<int64_t>(units, INT32_MAX)));

    EnvelopeCache& envelopes = envelopeCache();
    if (settings.suppressHalos && !updateEnvelopes(envelopes, luma, p.EdgeWidth)) return false;

    Plane smoothed;
    if (!velmarBlur(smoothed, &luma, blurRadius(p.EdgeWidth), BlurVariant::Average, false))
        return false;

    if (curveActive) rebuildCurveTable(CurveKind::Sharpness, p);
    const bool showMap = p.ShowSharpenMap != 0;
    for (int32_t j = 0; j < h; ++j) {
        uint16_t* y = luma.row(j);
        uint16_t* cb = planes.planes[PlaneSet::kCb].row(j);
        uint16_t* cr = planes.planes[PlaneSet::kCr].row(j);
        const uint16_t* s = smoothed.row(j);
        const uint16_t* lo = settings.suppressHalos ? envelopes.low.row(j) : nullptr;
        const uint16_t* hi = settings.suppressHalos ? envelopes.high.row(j) : nullptr;
        for (int32_t i = 0; i < w; ++i) {
            const int32_t c = curveActive ? hueLookup(CurveKind::Sharpness, hueOf(cr[i], cb[i]))
                                          : p.SharpenAmount;
            const SharpenChange change = sharpenChange(y[i], s[i], c, settings);
            const int32_t out =
                sharpenedLuma(y[i], change, settings, lo ? lo[i] : 0, hi ? hi[i] : 65535);
            if (!showMap) {
                y[i] = static_cast<uint16_t>(out);
                continue;
            }
            const SharpenMapPixel m = sharpenMapPixel(y[i], out, change, settings);
            y[i] = m.y;
            cb[i] = m.cb;
            cr[i] = m.cr;
        }
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace

bool sharpen(PlaneSet& planes, const ProcessingParams& p) {
    const bool ok = sharpenPlanes(planes, p);
    // A final run keeps nothing for later runs.
    if (isFinalRun(p)) emptyEnvelopes(envelopeCache());
    return ok;
}

}  // namespace dnr
