// The tone step: each pixel's luminance goes through the tone table and its chroma is scaled by
// the same factor, so brightness changes without shifting hue.
#include <algorithm>

#include "colour_steps.h"
#include "curves.h"
#include "equalizer_curve.h"
#include "progress.h"

namespace dnr {

Ycc applyTone(const EqualizerCurve& toneTable, int32_t y, int32_t cb, int32_t cr) {
    const int64_t c = toneTable.tableLookup(y);
    const int64_t g = y > 0 ? c * 4096 / y : 0;  // gain in 1/4096
    return {clamp16((g * y) >> 12), clamp16((((cb - kChromaZero) * g) >> 12) + kChromaZero),
            clamp16((((cr - kChromaZero) * g) >> 12) + kChromaZero)};
}

bool toneStep(PlaneSet& planes) {
    const EqualizerCurve& table = curveObject(CurveKind::Brightness);
    const int32_t w = planes.width();
    for (int32_t row = 0; row < planes.height(); ++row) {
        if (abortRequested()) return false;
        uint16_t* cb = planes.planes[PlaneSet::kCb].row(row);
        uint16_t* y = planes.planes[PlaneSet::kY].row(row);
        uint16_t* cr = planes.planes[PlaneSet::kCr].row(row);
        for (int32_t x = 0; x < w; ++x) {
            const Ycc out = applyTone(table, y[x], cb[x], cr[x]);
            y[x] = static_cast<uint16_t>(out.y);
            cb[x] = static_cast<uint16_t>(out.cb);
            cr[x] = static_cast<uint16_t>(out.cr);
        }
        progress::step();
    }
    return true;
}

}  // namespace dnr
