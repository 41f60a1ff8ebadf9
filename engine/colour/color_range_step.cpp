// The colour-range step: every pixel takes the shift of the range that weighs it most. While a
// range is being edited in the preview, the planes show instead which pixels that range selects.
#include "color_range_step.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "color_range.h"
#include "color_range_areas.h"
#include "colour_space.h"
#include "progress.h"
#include "run_kind.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

struct RangeInUse {
    PreparedRange colours;
    std::vector<MappedArea> areas;
    bool onlyInside = false;  // AreasInclude 1: only pixels inside the areas are changed

    // Whether the range may change pixel (j, i) at all; no areas means nowhere when only the
    // inside counts, and everywhere otherwise.
    bool applies(int32_t j, int32_t i) const { return insideAny(areas, j, i) == onlyInside; }
};

std::vector<RangeInUse> prepareAll(const ProcessingParams& p, int32_t planeHeight) {
    std::vector<RangeInUse> ranges(static_cast<size_t>(p.ColorRangeCount));
    for (int32_t k = 0; k < p.ColorRangeCount; ++k) {
        const Colors_ColorRangeParams& record = p.ColorRanges[k];
        ranges[k].colours = prepareRange(record);
        ranges[k].areas = mapAreas(record, p, planeHeight);
        ranges[k].onlyInside = record.AreasInclude == 1;
    }
    return ranges;
}

bool shiftTowardTargets(PlaneSet& planes, const std::vector<RangeInUse>& ranges) {
    const int32_t w = planes.width();
    for (int32_t i = 0; i < planes.height(); ++i) {
        uint16_t* cbRow = planes.planes[PlaneSet::kCb].row(i);
        uint16_t* yRow = planes.planes[PlaneSet::kY].row(i);
        uint16_t* crRow = planes.planes[PlaneSet::kCr].row(i);
        for (int32_t j = 0; j < w; ++j) {
            int32_t best = 0;
            int64_t shiftCb = 0, shiftY = 0, shiftCr = 0;
            for (const RangeInUse& r : ranges) {
                const int32_t c =
                    r.applies(j, i) ? rangeWeight(r.colours, cbRow[j], yRow[j], crRow[j]) : 0;
                if (c < best) continue;
                // A later range wins a tie.
                best = c;
                shiftCb = (int64_t{r.colours.tCb} * c) >> 10;
                shiftY = (int64_t{r.colours.tY} * c) >> 10;
                shiftCr = (int64_t{r.colours.tCr} * c) >> 10;
            }
            cbRow[j] = static_cast<uint16_t>(clamp16(cbRow[j] + shiftCb));
            yRow[j] = static_cast<uint16_t>(clamp16(yRow[j] + shiftY));
            crRow[j] = static_cast<uint16_t>(clamp16(crRow[j] + shiftCr));
        }
        if (abortRequested()) return false;
    }
    return true;
}

// A grey relief of the picture with the selected colours glowing red in proportion to their
// weight, and the parts the range's areas keep it out of tinted blue-green. selected is null
// when the record names no existing range.
bool showSelection(PlaneSet& planes, const RangeInUse* selected) {
    Plane blurred;
    if (!velmarBlur(blurred, &planes.planes[PlaneSet::kY], 1, BlurVariant::Average)) return false;
    const int32_t w = planes.width();
    for (int32_t i = 0; i < planes.height(); ++i) {
        uint16_t* cbRow = planes.planes[PlaneSet::kCb].row(i);
        uint16_t* yRow = planes.planes[PlaneSet::kY].row(i);
        uint16_t* crRow = planes.planes[PlaneSet::kCr].row(i);
        const uint16_t* blurredRow = blurred.row(i);
        for (int32_t j = 0; j < w; ++j) {
            const bool applies = !selected || selected->applies(j, i);
            const int32_t c = selected && applies
                                  ? rangeWeight(selected->colours, cbRow[j], yRow[j], crRow[j])
                                  : 0;
            const int32_t q = (blurredRow[j] - yRow[j]) >> 5;
            yRow[j] = static_cast<uint16_t>(32768 + std::clamp(q * std::abs(q), -4000, 4000));
            if (!applies) {
                cbRow[j] = crRow[j] = 0x7C00;
            } else {
                cbRow[j] = 32768;
                crRow[j] = static_cast<uint16_t>(32768 + 4 * c);
            }
        }
        if (abortRequested()) return false;
    }
    return true;
}

}  // namespace

bool colorRangeStep(PlaneSet& planes, const ProcessingParams& p) {
    if (p.ColorRangeCount <= 0 || !p.ColorRanges) return true;
    if (!toLumaChroma(planes, false, ChromaModel::Relative)) return false;
    std::vector<RangeInUse> ranges;
    try {
        ranges = prepareAll(p, planes.height());
    } catch (const std::bad_alloc&) {
        return false;
    }
    const bool show = p.SelectedColorRange != -1 && !isFinalRun(p);
    if (!show) return shiftTowardTargets(planes, ranges);
    const bool known = p.SelectedColorRange >= 0 && p.SelectedColorRange < p.ColorRangeCount;
    return showSelection(planes, known ? &ranges[p.SelectedColorRange] : nullptr);
}

}  // namespace dnr
