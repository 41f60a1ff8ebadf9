// Chromatic aberration: around bright areas, pixels whose hue is close to the picked fringe
// colour lose chroma in proportion to the brightness of their neighbourhood and the closeness of
// their hue; luma is kept. The map shows embossed luma with the corrected pixels in blue.
#include <algorithm>
#include <cstdlib>

#include "aberration_rule.h"
#include "blur_radius.h"
#include "colour_space.h"
#include "hue.h"
#include "progress.h"
#include "run_kind.h"
#include "stages.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

void fillBrightMask(Plane& mask, const Plane& luma, int32_t threshold) {
    const int64_t level = int64_t{threshold} * 256;
    const uint16_t* y = luma.data();
    uint16_t* m = mask.data();
    for (size_t i = 0; i < luma.size(); ++i)
        m[i] = y[i] > level ? 65280 : 0;
}

}  // namespace

bool correctAberration(PlaneSet& planes, const ProcessingParams& p) {
    Plane& luma = planes.planes[PlaneSet::kY];
    const int32_t w = luma.width;
    const int32_t h = luma.height;

    Plane bright;
    if (!bright.allocate(w, h)) return false;
    fillBrightMask(bright, luma, p.CAThreshold);

    // The search width is a fraction of the whole picture, also when a preview holds a part.
    const int32_t radius =
        blurRadius(int64_t{p.CARadius} * std::max(p.FullWidth, p.FullHeight) / 400);
    progress::begin(
        static_cast<int32_t>(std::min<int64_t>(int64_t{w} + 2 * int64_t{h}, INT32_MAX)));
    Plane spread;
    if (!velmarBlur(spread, &bright, radius, BlurVariant::Maximum, false)) return false;
    bright.release();

    const FringeColour fringe = fringeColour(p);
    const bool showMap = p.ShowCAMap != 0 && !isFinalRun(p);
    int32_t previousLuma = w > 0 && h > 0 ? luma.data()[0] : 0;
    for (int32_t j = 0; j < h; ++j) {
        uint16_t* y = luma.row(j);
        uint16_t* cb = planes.planes[PlaneSet::kCb].row(j);
        uint16_t* cr = planes.planes[PlaneSet::kCr].row(j);
        const uint16_t* s = spread.row(j);
        for (int32_t i = 0; i < w; ++i) {
            const int64_t distance =
                fringeDistance(hue128Of(cr[i], cb[i]), chromaOf(cr[i], cb[i]), fringe);
            const int32_t k = chromaKeep(s[i], distance);
            const int32_t newCb = scaleChroma(k, cb[i]);
            const int32_t newCr = scaleChroma(k, cr[i]);
            if (!showMap) {
                cb[i] = static_cast<uint16_t>(newCb);
                cr[i] = static_cast<uint16_t>(newCr);
                continue;
            }
            const int32_t own = y[i];
            y[i] = static_cast<uint16_t>((previousLuma - own) / 2 + kChromaZero);
            previousLuma = own;
            const int32_t change = std::abs(newCb - cb[i]) + std::abs(newCr - cr[i]);
            cb[i] = static_cast<uint16_t>(clamp16(2 * int64_t{change} + kChromaZero));
            cr[i] = kChromaZero;
        }
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace dnr
