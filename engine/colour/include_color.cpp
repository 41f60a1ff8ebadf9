// Widening or narrowing a colour range from a colour clicked in the picture: the ends move to
// take the colour in (or to leave it out) and the tolerance follows until the colour weighs
// fully (or hardly at all).
#include <algorithm>
#include <cstdint>

#include "color_range.h"
#include "colour_space.h"
#include "dnr.h"

namespace dnr {
namespace {

// The record is packed, so its colours are read and written by value.
Ycc normalised(uint16_t r, uint16_t g, uint16_t b) {
    return rgbToYcc(r, g, b, ChromaModel::Relative);
}

Rgb backToRgb(const Ycc& c) {
    const Rgb back = yccToRgb(c.y, c.cb, c.cr, ChromaModel::Relative);
    return {clamp16(back.r), clamp16(back.g), clamp16(back.b)};
}

// Where the luma yn lies between the bright end (0) and the dark end (1024).
int32_t positionOnRange(int32_t y1, int32_t y2, int32_t yn) {
    // Equal-but-one ends in the wrong order would divide by zero.
    int64_t span = int64_t{y1} - y2 + 1;
    if (span == 0) span = 1;
    return static_cast<int32_t>(std::clamp<int64_t>((int64_t{y1} - yn) * 1024 / span, 0, 1024));
}

void include(Colors_ColorRangeParams& range, const Ycc& n, bool add) {
    Ycc c1 = normalised(range.Color1[0], range.Color1[1], range.Color1[2]);
    Ycc c2 = normalised(range.Color2[0], range.Color2[1], range.Color2[2]);
    if (add) {
        if (n.y > c1.y) c1 = n;
        if (n.y < c2.y) c2 = n;
    }
    int32_t p = positionOnRange(c1.y, c2.y, n.y);
    int32_t e = 1024 - p;
    if (!add) {
        // Near an end the range is shortened there instead of being bent away from the colour.
        const int32_t f = std::max(1, prepareRange(range).wY);
        if (p > 900) {
            c2.y = std::min(c1.y, n.y + 122880 / f);
            p = e = 0;
        } else if (p < 100) {
            c1.y = std::max(c2.y, n.y - 122880 / f);
            p = e = 0;
        }
        p = -p;
        e = -e;
    }
    c1.cb += ((e / 3) * (n.cb - c1.cb)) >> 10;
    c1.cr += ((e / 3) * (n.cr - c1.cr)) >> 10;
    c2.cb += ((p / 3) * (n.cb - c2.cb)) >> 10;
    c2.cr += ((p / 3) * (n.cr - c2.cr)) >> 10;
    const Rgb first = backToRgb(c1);
    const Rgb second = backToRgb(c2);
    range.Color1[0] = static_cast<uint16_t>(first.r);
    range.Color1[1] = static_cast<uint16_t>(first.g);
    range.Color1[2] = static_cast<uint16_t>(first.b);
    range.Color2[0] = static_cast<uint16_t>(second.r);
    range.Color2[1] = static_cast<uint16_t>(second.g);
    range.Color2[2] = static_cast<uint16_t>(second.b);

    for (;;) {
        const int32_t w = rangeWeight(prepareRange(range), n.cb, n.y, n.cr);
        if (add ? w > 1000 : w < 10) break;
        if (range.Tolerance > 99 || range.Tolerance < 1) break;
        range.Tolerance = range.Tolerance + (add ? 1 : -1);
    }
}

}  // namespace
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL IncludeThisColorIntoSelection(int32_t red, int32_t green,
                                                                  int32_t blue,
                                                                  Colors_ColorRangeParams* range,
                                                                  int32_t include) {
    if (!range) return 0;
    const dnr::Ycc n = dnr::rgbToYcc(dnr::clamp16(red), dnr::clamp16(green), dnr::clamp16(blue),
                                     dnr::ChromaModel::Relative);
    dnr::include(*range, n, include != 0);
    return 1;
}
