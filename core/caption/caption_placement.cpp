#include "core/caption/caption_placement.h"

#include <algorithm>
#include <cmath>

namespace core::caption {

namespace {

// The lower bound wins when the bounds cross.
int clampLow(int v, int low, int high) {
    return std::max(low, std::min(v, high));
}

int roundHalfEven(double v) {
    return int(std::nearbyint(v));
}

}  // namespace

CaptionPlacement placeCaption(int width, int height, const CaptionMetrics& m, int posX, int posY,
                              int alignment) {
    const int tw = m.textWidth, th = m.textHeight;
    const int right = width - 1;
    const int px = roundHalfEven(double(right) * posX / 10000.0);
    CaptionPlacement p;
    switch (alignment) {
        case kAlignCentre: {
            const int half = roundHalfEven(tw / 2.0);
            p.x = clampLow(px, half, right - half) - half;
            break;
        }
        case kAlignRight:
            p.x = std::max(std::min(px, right), tw) - tw;
            break;
        default:
            p.x = clampLow(px, 0, right - tw);
            break;
    }
    p.textX = p.x - m.marginX;
    const int py = roundHalfEven(double(height - 1) * posY / 10000.0);
    p.y = clampLow(py, 0, height - th - 1);
    p.textY = height + m.marginY - p.y - 1;
    p.maskRect = QRect(p.textX, height - p.y - th - m.marginY, m.maskWidth(), m.maskHeight());
    return p;
}

}  // namespace core::caption
