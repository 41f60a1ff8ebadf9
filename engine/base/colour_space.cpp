#include "colour_space.h"

#include "bands.h"
#include "fast_paths.h"
#include "progress.h"

namespace dnr {
namespace {

// Conversions count one progress unit a row (when asked to) after the row's abort test.
template <typename F>
bool convertRows(int32_t height, int32_t width, bool withProgress, F perRow) {
    if (withProgress) progress::begin(height);
    return forEachRow(height, width, withProgress, LastStep::AfterAbortTest, perRow);
}

}  // namespace

bool toLumaChroma(PlaneSet& set, bool withProgress, ChromaModel model) {
    const int32_t w = set.width();
    if (set.rgb) {
        const bool ok = convertRows(set.height(), w, withProgress, [&](int32_t y) {
            uint16_t* p0 = set.planes[0].row(y);
            uint16_t* p1 = set.planes[1].row(y);
            uint16_t* p2 = set.planes[2].row(y);
            for (int32_t x = 0; x < w; ++x) {
                const Ycc c = rgbToYcc(p2[x], p1[x], p0[x], model);
                p0[x] = static_cast<uint16_t>(c.cb);
                p1[x] = static_cast<uint16_t>(c.y);
                p2[x] = static_cast<uint16_t>(c.cr);
            }
        });
        if (!ok) return false;
    } else if (set.model == model) {
        return true;
    } else {
        const bool toRelative = model == ChromaModel::Relative;
        const bool ok = convertRows(set.height(), w, withProgress, [&](int32_t y) {
            uint16_t* pcb = set.planes[PlaneSet::kCb].row(y);
            const uint16_t* py = set.planes[PlaneSet::kY].row(y);
            uint16_t* pcr = set.planes[PlaneSet::kCr].row(y);
            for (int32_t x = 0; x < w; ++x) {
                const int32_t luma = py[x];
                if (toRelative) {
                    // A divisor of about 1.49*Y in deep shadows, Y near mid grey and Y/2 at
                    // white: the later way back changes saturation with brightness.
                    const int32_t d = std::max(1, ((1524 - (luma >> 6)) * luma) >> 10);
                    pcb[x] = static_cast<uint16_t>(
                        clamp16((pcb[x] - kChromaZero) * 8192 / d + kChromaZero));
                    pcr[x] = static_cast<uint16_t>(
                        clamp16((pcr[x] - kChromaZero) * 8192 / d + kChromaZero));
                } else {
                    pcb[x] = static_cast<uint16_t>(
                        clamp16((((pcb[x] - kChromaZero) * int64_t{luma}) >> 13) + kChromaZero));
                    pcr[x] = static_cast<uint16_t>(
                        clamp16((((pcr[x] - kChromaZero) * int64_t{luma}) >> 13) + kChromaZero));
                }
            }
        });
        if (!ok) return false;
    }
    set.rgb = false;
    set.model = model;
    return true;
}

bool toRgb(PlaneSet& set, bool withProgress) {
    if (set.rgb) return true;
    const int32_t w = set.width();
    const ChromaModel model = set.model;
    const bool ok = convertRows(set.height(), w, withProgress, [&](int32_t y) {
        uint16_t* p0 = set.planes[0].row(y);
        uint16_t* p1 = set.planes[1].row(y);
        uint16_t* p2 = set.planes[2].row(y);
        for (int32_t x = 0; x < w; ++x) {
            const Rgb c = yccToRgb(p1[x], p0[x], p2[x], model);
            p0[x] = static_cast<uint16_t>(clamp16(c.b));
            p1[x] = static_cast<uint16_t>(clamp16(c.g));
            p2[x] = static_cast<uint16_t>(clamp16(c.r));
        }
    });
    if (!ok) return false;
    set.rgb = true;
    set.model = ChromaModel::Plain;
    return true;
}

}  // namespace dnr
