// The saturation step: chroma scaled by the saturation curve at each pixel's hue; in
// black-and-white mode the curve (the mix) lightens or darkens coloured pixels instead.
#include <algorithm>

#include "colour_steps.h"
#include "curves.h"
#include "equalizer_curve.h"
#include "hue.h"
#include "progress.h"

namespace dnr {
namespace {

bool curveIsNeutral(const ProcessingParams& p) {
    if (p.BWConversion == 1 && (p.BWRed != 0 || p.BWGreen != 0 || p.BWBlue != 0)) return false;
    const EqualizerCurve& curve = curveObject(CurveKind::Saturation);
    const int32_t* v = curve.points(p);
    for (int32_t i = 0; i < curve.pointCount(p); ++i)
        if (v[i] != 0) return false;
    return true;
}

}  // namespace

bool saturationStep(PlaneSet& planes, const ProcessingParams& p) {
    // In black-and-white mode the curve's base is the mix, so Saturation 0 with a neutral
    // curve skips the step even then.
    if (p.Saturation == 0 && curveIsNeutral(p)) return true;
    if (planes.rgb && !toLumaChroma(planes, false, ChromaModel::Relative)) return false;
    rebuildCurveTable(CurveKind::Saturation, p);
    const EqualizerCurve& curve = curveObject(CurveKind::Saturation);
    const bool blackAndWhite = p.BWConversion == 1;
    const int32_t w = planes.width();
    for (int32_t row = 0; row < planes.height(); ++row) {
        if (abortRequested()) return false;
        uint16_t* cb = planes.planes[PlaneSet::kCb].row(row);
        uint16_t* y = planes.planes[PlaneSet::kY].row(row);
        uint16_t* cr = planes.planes[PlaneSet::kCr].row(row);
        for (int32_t x = 0; x < w; ++x) {
            const int64_t s = curve.hueLookup(hueOf(cr[x], cb[x]));
            if (blackAndWhite) {
                const int64_t percent = ((chromaOf(cr[x], cb[x]) * s * 4) >> 16) + 100;
                y[x] = static_cast<uint16_t>(clamp16(y[x] * percent / 100));
            } else {
                cr[x] = static_cast<uint16_t>(
                    clamp16((s + 100) * (cr[x] - kChromaZero) / 100 + kChromaZero));
                cb[x] = static_cast<uint16_t>(
                    clamp16((s + 100) * (cb[x] - kChromaZero) / 100 + kChromaZero));
            }
        }
    }
    return true;
}

}  // namespace dnr
