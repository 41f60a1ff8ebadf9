#include "color_range.h"

#include <algorithm>
#include <cstdlib>

#include "colour_space.h"
#include "falloff.h"

namespace dnr {

PreparedRange prepareRange(const Colors_ColorRangeParams& range) {
    const Ycc c1 =
        rgbToYcc(range.Color1[0], range.Color1[1], range.Color1[2], ChromaModel::Relative);
    const Ycc c2 =
        rgbToYcc(range.Color2[0], range.Color2[1], range.Color2[2], ChromaModel::Relative);
    const Ycc t = rgbToYcc(range.TargetColor[0], range.TargetColor[1], range.TargetColor[2],
                           ChromaModel::Relative);
    PreparedRange p;
    p.cCb = (c1.cb + c2.cb) / 2;
    p.cY = (c1.y + c2.y) / 2;
    p.cCr = (c1.cr + c2.cr) / 2;
    const int32_t dY = c1.y != c2.y ? c1.y - c2.y : 1;
    p.sCb = std::clamp((c1.cb - c2.cb) * 1024 / dY, -1024, 1024);
    p.sCr = std::clamp((c1.cr - c2.cr) * 1024 / dY, -1024, 1024);
    // Colour 1 is meant to be the brighter end; when it is not, the segment still spans both
    // colours rather than becoming an empty luma interval.
    p.h = std::abs(dY) / 2;
    p.tCb = t.cb - p.cCb;
    p.tY = t.y - p.cY;
    p.tCr = t.cr - p.cCr;
    // Tolerances outside 0..100 would make negative weights that act like smaller tolerances
    // (or overflow); they count as the nearest end of the scale.
    // The record is packed: its fields are read by value.
    const int32_t tolerance = std::clamp(int32_t{range.Tolerance}, 0, 100);
    p.wCb = p.wCr = (100 - tolerance) * 2;
    p.wY = (100 - tolerance) / 2;
    return p;
}

int32_t rangeWeight(const PreparedRange& r, int32_t cb, int32_t y, int32_t cr) {
    const int32_t yc = std::clamp(y, r.cY - r.h, r.cY + r.h);
    const int64_t dY = (int64_t{y - yc} * r.wY) >> 10;
    // The axis point is a chroma sample; held inside 0..65535 so that a range whose chroma
    // touches an end of the scale does not wrap to the other end.
    const int64_t aCb = clamp16(r.cCb + ((int64_t{r.sCb} * (yc - r.cY)) >> 10));
    const int64_t aCr = clamp16(r.cCr + ((int64_t{r.sCr} * (yc - r.cY)) >> 10));
    const int64_t dCb = ((cb - aCb) * r.wCb) >> 10;
    const int64_t dCr = ((cr - aCr) * r.wCr) >> 10;
    const int64_t d = (dY * dY + dCb * dCb + dCr * dCr) >> 4;
    return falloff(static_cast<int32_t>(std::min<int64_t>(d, 1 << 30)));
}

}  // namespace dnr
