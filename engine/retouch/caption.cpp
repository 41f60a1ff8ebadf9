#include "caption.h"

#include <algorithm>
#include <cstdlib>

#include "luminance.h"
#include "pixel_paint.h"
#include "plane.h"
#include "progress.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

// The softened mask, read as 0 outside.
struct Coverage {
    const Plane& plane;
    int64_t at(int64_t row, int64_t col) const {
        if (row < 0 || col < 0 || row >= plane.height || col >= plane.width) return 0;
        return plane.row(int32_t(row))[col];
    }
};

}  // namespace

bool drawCaption(const AddTextParams& p, const View& out) {
    const auto mask = makeView(&p.TextMask);
    if (!mask) return true;
    const int32_t pad = mask->height / 4;
    // The mask's green channel, padded on every side so the softening has room.
    Plane plane;
    if (!plane.allocate(mask->width + 2 * pad, mask->height + 2 * pad, true)) return false;
    for (int32_t y = 0; y < mask->height; ++y)
        for (int32_t x = 0; x < mask->width; ++x)
            plane.row(y + pad)[x + pad] = static_cast<uint16_t>(mask->sample(x, y, 1));

    const int32_t radius =
        std::max<int32_t>(1, static_cast<int32_t>(int64_t{p.TextSmoothing} * mask->height / 400));
    progress::setSuppressed(true);  // outside the pipeline: no progress to report
    const bool blurred = velmarBlur(plane, nullptr, radius, BlurVariant::Average);
    progress::setSuppressed(false);
    if (!blurred) return false;

    const uint16_t largest = *std::max_element(plane.data(), plane.data() + plane.size());
    if (largest == 0) return true;  // no glyph pixel: nothing to lay
    // Coverage (value * f) >> 18 runs 0..256.
    const int64_t f = 67107840 / largest;
    const Coverage cov{plane};

    const int32_t red = std::clamp(p.TextRed, 0, 255), green = std::clamp(p.TextGreen, 0, 255),
                  blue = std::clamp(p.TextBlue, 0, 255);
    const int64_t colour[3] = {int64_t{blue} * 256, int64_t{green} * 256, int64_t{red} * 256};
    const int64_t colourLuma = luminanceOf(red * 256, green * 256, blue * 256);
    const int64_t shadowOffset = static_cast<int64_t>(mask->height / 30.0 + 0.9999);
    const int32_t opacity = 100 - std::clamp(p.TextTransparency, 0, 100);
    const int32_t effect = p.TextEffect >= kTextPrintOver && p.TextEffect <= kTextInvert
                               ? p.TextEffect
                               : kTextPrintOver;
    const bool relief = effect == kTextEmbossText || effect == kTextEmbossPaper;
    if (opacity == 0) return true;

    for (int32_t row = 0; row < plane.height; ++row) {
        const int64_t oy = int64_t{out.height} - 1 - p.TextY - pad + row;
        if (oy < 0 || oy >= out.height) continue;
        for (int32_t col = 0; col < plane.width; ++col) {
            const int64_t ox = int64_t{p.TextX} - pad + col;
            if (ox < 0 || ox >= out.width) continue;
            int64_t value = cov.at(row, col);
            int64_t m = 0;
            if (relief) {
                // The slope across the diagonal lights one side of each stroke, shades the other.
                m = ((cov.at(row - 1, col + 1) - cov.at(row + 1, col - 1)) * f) >> 19;
                value = (256 - std::abs(m)) * value / 256;
            }
            const int64_t alpha = (value * f) >> 18;
            const int64_t shadow =
                effect == kTextShadowed
                    ? ((((cov.at(row + shadowOffset, col - shadowOffset) * f) >> 18) *
                        (256 - alpha)) >>
                       9)
                    : 0;
            for (int c = 0; c < 3; ++c) {
                const int64_t l = out.sample(int32_t(ox), int32_t(oy), c);
                const int64_t over = (alpha * colour[c] + (256 - alpha) * l) >> 8;
                int64_t v = over;
                switch (effect) {
                    case kTextShadowed:
                        v = (shadow * colourLuma + over * (256 - shadow)) >> 8;
                        break;
                    case kTextEmbossText:
                        v = over + 256 * m;
                        break;
                    case kTextEmbossPaper:
                        v = l + 256 * m;
                        break;
                    case kTextInvert:
                        v = ((256 - alpha) * l + (65535 - l) * alpha) >> 8;
                        break;
                    default:
                        break;
                }
                blendChannel(out, int32_t(ox), int32_t(oy), c,
                             static_cast<int32_t>(std::clamp<int64_t>(v, 0, 65535)), opacity);
            }
        }
    }
    return true;
}

}  // namespace dnr
