#include "frame_layout.h"

#include <algorithm>

namespace dnr {
namespace {

// A band or line width, truncated; negative settings give none, absurd ones stay representable.
int32_t widthOf(double v) {
    return static_cast<int32_t>(std::clamp(v, 0.0, double(1 << 24)));
}

}  // namespace

FrameLayout frameLayout(const AddTextParams& p, int32_t w, int32_t h, int32_t ow, int32_t oh) {
    FrameLayout l;
    l.marginX = (ow - w) / 2;
    l.marginY = (oh - h) / 2;
    if (p.ProportionalMargin != 1) {
        // Crop the picture until all four margins are equal.
        if (l.marginY < l.marginX) l.cropY = l.marginX - l.marginY;
        if (l.marginX < l.marginY) l.cropX = l.marginY - l.marginX;
    }
    l.band = widthOf(double(w) * p.EffectWidth * 0.0001 + 0.9999);
    // Effects drawn into the band cut it from the picture itself.
    if (p.FrameEffect >= kFrameFadeOut && p.FrameEffect <= kFrameBlackWhite) {
        l.cropX += l.band;
        l.cropY += l.band;
    }
    l.left = l.marginX + l.cropX;
    l.bottom = l.marginY + l.cropY;
    l.right = static_cast<int32_t>(int64_t{l.left} + w - 2 * int64_t{l.cropX} - 1);
    l.top = static_cast<int32_t>(int64_t{l.bottom} + h - 2 * int64_t{l.cropY} - 1);
    l.inner = widthOf(double(std::max(w, h)) * p.InnerWidth * 0.00005 + 0.99999);
    return l;
}

}  // namespace dnr
