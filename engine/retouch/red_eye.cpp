// One red eye: a soft elliptical mask over the eye's box turns the pupil into a grey of its own
// luminance, darkened but with the catch-light kept, and an optional radial remapping shrinks it.
#include "red_eye.h"

#include <algorithm>
#include <cmath>

#include "colour_space.h"
#include "luminance.h"
#include "pixel_paint.h"
#include "progress.h"
#include "stages.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

// 1024 inside the ellipse that fills a w by h box, 0 outside, with the edge feathered by the
// smoothing filter. False when the mask cannot be made.
bool makeMask(Plane& mask, int32_t w, int32_t h) {
    if (!mask.allocate(w, h)) return false;
    const int64_t hw = w / 2, hh = h / 2;
    const int64_t fx = 65535 / ((hw - 1) * (hw - 1) + 1);
    const int64_t fy = 65535 / ((hh - 1) * (hh - 1) + 1);
    for (int32_t m = 0; m < h; ++m) {
        uint16_t* row = mask.row(m);
        for (int32_t q = 0; q < w; ++q) {
            const int64_t e = (hw - q) * (hw - q) * fx + (hh - m) * (hh - m) * fy;
            row[q] = e <= 65534 ? 1024 : 0;
        }
    }
    // The filter runs inside the pipeline's first step, which reports no progress of its own.
    progress::setSuppressed(true);
    const bool ok = velmarBlur(mask, nullptr, 3, BlurVariant::Average, false);
    progress::setSuppressed(false);
    return ok;
}

void darken(const View& v, const Plane& mask, int32_t left, int32_t bottom, int32_t darkening) {
    for (int32_t m = 0; m < mask.height; ++m) {
        const uint16_t* row = mask.row(m);
        for (int32_t q = 0; q < mask.width; ++q) {
            const int64_t weight = row[q];
            if (weight <= 10) continue;
            const int32_t x = left + q, y = bottom + m;
            const int64_t l = luminanceOf(int32_t(v.sample(x, y, 2)), int32_t(v.sample(x, y, 1)),
                                          int32_t(v.sample(x, y, 0)));
            int64_t k = 1024 - 10 * int64_t{darkening};
            // The catch-light keeps its brightness.
            if (l > 51200) k += (1024 - k) * (l - 51200) / 14335;
            const int64_t grey = (k * l) >> 10;
            for (int c = 0; c < 3; ++c) {
                const int64_t old = v.sample(x, y, c);
                putSample(v, x, y, c, clamp16((old * (1024 - weight) + grey * weight) >> 10));
            }
        }
    }
}

// Ring r around the centre shows what was at 100 * r / percent: rings are rewritten from the
// inside out, so each reads pixels that are not rewritten yet. Positions outside the picture are
// neither read nor written.
void shrinkPupil(const View& v, int32_t cx, int32_t cy, int32_t radius, int32_t percent) {
    for (int32_t r = 1; r <= radius; ++r) {
        const auto n = static_cast<int32_t>((r * 6.28 + 0.5) * 2);
        const int32_t s = std::min(100 * r / percent, radius + 1);
        for (int32_t k = 0; k < n; ++k) {
            const double a = k * 6.28 / n;
            const auto fromX = static_cast<int32_t>(cx + s * std::sin(a) + 0.5);
            const auto fromY = static_cast<int32_t>(cy + s * std::cos(a) + 0.5);
            const auto toX = static_cast<int32_t>(cx + r * std::sin(a) + 0.5);
            const auto toY = static_cast<int32_t>(cy + r * std::cos(a) + 0.5);
            if (!insideView(v, fromX, fromY) || !insideView(v, toX, toY)) continue;
            for (int c = 0; c < 3; ++c)
                putSample(v, toX, toY, c, static_cast<int32_t>(v.sample(fromX, fromY, c)));
        }
    }
}

}  // namespace

int32_t removeRedEye(const View& view, int32_t cx, int32_t cy, int32_t w, int32_t h,
                     int32_t darkening, int32_t pupilSize) {
    int32_t left = cx - w / 2;
    int32_t bottom = cy - h / 2;
    // Eyes whose box is not inside the picture (with a margin) are left alone.
    if (int64_t{left} + w > view.width - 2 || int64_t{bottom} + h > view.height - 2 || left <= 0 ||
        bottom <= 0)
        return 1;
    if (w == 0) {
        const int32_t r = findPupilRadius(view, left, bottom, 2, 40);
        left -= r;
        bottom -= r;
        w = h = 2 * r + 1;
    }
    if (left < 1) left = 0;
    if (bottom < 1) bottom = 0;
    w = std::min(w, view.width - left);
    h = std::min(h, view.height - bottom);

    if (w > 0 && h > 0) {
        Plane mask;
        // A mask that cannot be had leaves the eye as it is; nothing is reported.
        if (makeMask(mask, w, h)) darken(view, mask, left, bottom, darkening);
    }
    const int32_t radius = (w / 2 + h / 2) / 2;
    if (pupilSize != 100) {
        const int32_t percent = std::clamp(pupilSize, 1, 100);
        if (percent != 100) shrinkPupil(view, left + w / 2, bottom + h / 2, radius, percent);
    }
    return radius;
}

}  // namespace dnr

// Red eyes are repaired inside Grainwash2; this entry only has to exist.
extern "C" DNR_API int32_t DNR_CALL FixRedEye(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                              int32_t, int32_t, int32_t, int32_t) {
    return 1;
}
