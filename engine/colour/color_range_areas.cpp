#include "color_range_areas.h"

#include <algorithm>
#include <cstdlib>

namespace dnr {
namespace {

// Full-picture units to processed units; a record without a full size maps one to one.
int64_t scale(int64_t v, int32_t scaled, int32_t full) {
    return full != 0 ? v * scaled / full : v;
}

}  // namespace

std::vector<MappedArea> mapAreas(const Colors_ColorRangeParams& range, const ProcessingParams& p,
                                 int32_t planeHeight) {
    std::vector<MappedArea> out;
    const XcludedArea* areas = range.Areas;
    const int32_t count = range.AreaCount;
    if (!areas || count <= 0) return out;
    const int64_t heldHeight = p.ViewHeight != 0 ? p.ViewHeight : planeHeight;
    out.reserve(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        const XcludedArea& a = areas[k];
        MappedArea m;
        m.ellipse = a.Kind == 0;
        m.x = scale(a.CenterX, p.ScaledFullWidth, p.FullWidth) - p.ViewLeft;
        m.y = p.ViewTop + heldHeight - scale(a.CenterY, p.ScaledFullHeight, p.FullHeight) - 1;
        m.rx = scale(a.AreaWidth, p.ScaledFullWidth, p.FullWidth) / 2;
        m.ry = scale(a.AreaHeight, p.ScaledFullHeight, p.FullHeight) / 2;
        m.ix = 1048576 / std::max<int64_t>(m.rx, 1);
        m.iy = 1048576 / std::max<int64_t>(m.ry, 1);
        out.push_back(m);
    }
    return out;
}

bool insideArea(const MappedArea& a, int64_t j, int64_t i) {
    const int64_t dx = j - a.x;
    const int64_t dy = i - a.y;
    if (std::llabs(dx) > a.rx || std::llabs(dy) > a.ry) return false;
    if (!a.ellipse) return true;
    const int64_t u = (dx * a.ix) >> 10;
    const int64_t v = (dy * a.iy) >> 10;
    return u * u + v * v <= 1048575;
}

}  // namespace dnr
