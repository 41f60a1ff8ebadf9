#include "dashed_line.h"

#include <algorithm>
#include <cstdlib>

#include "message.h"
#include "pixel_paint.h"

namespace dnr {
namespace {

int64_t gDashCounter = 0;

int32_t dimmed(int32_t channel, int32_t percent) {
    if (channel == -1) return -1;
    return static_cast<int32_t>(std::min<int64_t>(int64_t{channel} * percent / 100, 0xFFFF));
}

}  // namespace

int64_t dashCounter() {
    return gDashCounter;
}

void resetDashCounter() {
    gDashCounter = 0;
}

void drawDashedLine(const View& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                    LineColour colour, int32_t dimPercent, int32_t dashLength, DashPhase phase) {
    const int32_t w = target.width, h = target.height;
    if (x0 < 0 || x0 >= w || x1 < -1 || x1 > w || y0 < 0 || y0 >= h || y1 < -1 || y1 > h) {
        showWarning(kErrorWhileDrawing);
        return;
    }
    // A dash of no length would divide by zero; it means a dash of one pixel.
    const int64_t dash = std::max(dashLength, 1);
    const int32_t bright[3] = {colour.b, colour.g, colour.r};
    const int32_t dim[3] = {dimmed(colour.b, dimPercent), dimmed(colour.g, dimPercent),
                            dimmed(colour.r, dimPercent)};
    if (phase == DashPhase::BrightFirst) gDashCounter = 0;
    if (phase == DashPhase::DimFirst) gDashCounter = dash;

    const int32_t dx = x1 - x0, dy = y1 - y0;
    const int32_t n = std::max(std::abs(dx), std::abs(dy));
    for (int32_t k = 0; k < n; ++k) {
        const int32_t x = x0 + static_cast<int32_t>(int64_t{k} * dx / n);
        const int32_t y = y0 + static_cast<int32_t>(int64_t{k} * dy / n);
        const int32_t* c = (gDashCounter / dash) % 2 != 0 ? dim : bright;
        for (int ch = 0; ch < 3; ++ch)
            if (c[ch] != -1) putSample(target, x, y, ch, c[ch]);
        ++gDashCounter;
    }
}

}  // namespace dnr
