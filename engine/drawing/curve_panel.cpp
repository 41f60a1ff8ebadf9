// The panel of a curve: coloured and textured columns (the curve's setting below the middle,
// the reference above), a dotted centre line and the dotted curve.
#include <algorithm>
#include <cstdlib>

#include "dashed_line.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

int32_t brighter(int32_t c, int32_t a) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{c} * (a / 2 + 100) / 100, 0, 65535));
}

// One half of a column, rows first..last, in the column's colour and texture.
void drawColumn(const View& target, int32_t i, int32_t first, int32_t last, ColumnPaint paint) {
    const int32_t p = paint.percent;
    if (p == 0) {
        drawDashedLine(target, i, first, i, last + 1, {paint.c0, paint.c1, paint.c2}, 100, 1,
                       DashPhase::BrightFirst);
        return;
    }
    const int32_t a = std::abs(p);
    const LineColour colour{brighter(paint.c0, a), brighter(paint.c1, a), brighter(paint.c2, a)};
    // Negative: two-pixel stripes (a dash longer than any column); positive: 3-pixel cells.
    const int32_t dash = p < 0 ? 1000 : 3;
    const bool brightFirst = p < 0 ? (i / 2) % 2 != 0 : (i / 3) % 2 != 0;
    drawDashedLine(target, i, first, i, last + 1, colour, 100 - a, dash,
                   brightFirst ? DashPhase::BrightFirst : DashPhase::DimFirst);
}

}  // namespace

void EqualizerCurve::draw(const View& target, const ProcessingParams& p) {
    const int32_t w = target.width, h = target.height;
    for (int32_t i = 0; i < w; ++i) {
        drawColumn(target, i, 0, h - h / 2 - 1, columnColour(i, w, true, p));
        drawColumn(target, i, h / 2, h - 1, columnColour(i, w, false, p));
    }
    drawDashedLine(target, 0, h / 2, w, h / 2, {0x8000, 0x8000, 0x8000}, 50, 1,
                   DashPhase::BrightFirst);
    // The curve's dots run on from one segment to the next.
    int32_t previous = 0;
    for (int32_t i = 0; i < w; ++i) {
        const int32_t y = std::clamp(h / 2 + curveOffset(i, w, h), 0, h - 1);
        if (i >= 2)
            drawDashedLine(target, i - 1, previous, i, y, {0xFF00, 0xFF00, 0xFF00}, 0, 1,
                           i == 2 ? DashPhase::BrightFirst : DashPhase::Continue);
        previous = y;
    }
}

}  // namespace dnr
