// Geometric corrections and vignetting, the last stage before the write back: every output pixel
// is mapped back into the input and sampled there, then brightened by the vignetting gain. In a
// preview the result can be shown in the comparison layout and under a grid.
#include "geometry_display.h"
#include "geometry_mapping.h"
#include "progress.h"
#include "run_kind.h"
#include "stages.h"
#include "vignetting.h"

namespace dnr {

bool correctGeometry(PlaneSet& planes, const ProcessingParams& p) {
    if (!p.DistortionsOn) return true;
    const int32_t w = planes.width();
    const int32_t h = planes.height();
    if (w <= 0 || h <= 0) return true;

    const GeometryMapping mapping = makeGeometryMapping(w, h, p);
    const bool preview = !isFinalRun(p);
    const bool vignetting = p.Vignetting != 0 || p.CompareMode == 1;
    const bool compare = p.CompareMode == 1 && preview;
    const bool withRadius = mapping.k != 0 || vignetting;
    const VignettingCurve curve(vignetting ? p.CurveSteepness : 0);
    const int32_t gv = vignettingStrength(p.Vignetting);
    const CompareLayout layout(w, h, mapping.cx, mapping.cy);

    // The identity reads the planes it writes: each pixel is read before it is written, and
    // only by itself.
    PlaneSet copy;
    const PlaneSet* source = &planes;
    if (mapping.movesPixels() || compare) {
        if (!copy.copyFrom(planes)) return false;
        source = &copy;
    }

    // With nothing to map and no gain, every pixel would come back as it is.
    const bool unchanged = !mapping.movesPixels() && !vignetting && !compare;

    progress::begin(h);
    for (int32_t j = 0; j < h; ++j) {
        for (int32_t i = 0; i < w && !unchanged; ++i) {
            const MappedPoint at = mapBack(mapping, i, j, withRadius);
            const BilinearTaps taps = bilinearTaps(toSubpixel(at.x), toSubpixel(at.y), w, h);
            uint16_t s[3];
            for (int c = 0; c < 3; ++c)
                s[c] = sampleBilinear(source->planes[c], taps);
            if (vignetting) {
                const int64_t gain = vignettingGain(curve.at(at.rn), gv);
                for (uint16_t& v : s)
                    v = applyGain(gain, v);
            }
            if (!compare) {
                for (int c = 0; c < 3; ++c)
                    planes.planes[c].row(j)[i] = s[c];
                continue;
            }
            const CompareLayout::Places places = layout.places(i, j);
            for (int32_t n = 0; n < places.count; ++n)
                for (int c = 0; c < 3; ++c)
                    planes.planes[c].row(places.y[n])[places.x[n]] = s[c];
        }
        progress::step();
        if (abortRequested()) return false;
    }

    if (preview && p.ShowGrid) drawDottedGrid(planes);
    return true;
}

}  // namespace dnr
