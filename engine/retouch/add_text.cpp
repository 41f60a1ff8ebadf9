// Caption and frame: the output is filled with the frame colour, the effect band is drawn, the
// picture and its inner line are copied on top, and the caption is laid over everything.
#include <algorithm>

#include "caption.h"
#include "frame_effects.h"
#include "frame_layout.h"
#include "pixel_paint.h"
#include "pixel_view.h"
#include "progress.h"

namespace dnr {
namespace {

void fill(const View& out, const int32_t (&colour)[3]) {
    for (int32_t y = 0; y < out.height; ++y)
        for (int32_t x = 0; x < out.width; ++x)
            for (int c = 0; c < 3; ++c)
                putSample(out, x, y, c, colour[c]);
}

// The (cropped) picture into its rectangle, and the inner line over its outer pixels.
void placePicture(const View& picture, const View& out, const FrameLayout& l,
                  const int32_t (&innerColour)[3]) {
    const int32_t x0 = std::max(l.left, 0), x1 = std::min(l.right, out.width - 1);
    const int32_t y0 = std::max(l.bottom, 0), y1 = std::min(l.top, out.height - 1);
    for (int32_t y = y0; y <= y1; ++y) {
        const int32_t py = std::clamp(l.pictureY(y), 0, picture.height - 1);
        // Distance from the rectangle's nearest edge row.
        const int64_t rowDepth = std::min<int64_t>(int64_t{y} - l.bottom, int64_t{l.top} - y);
        for (int32_t x = x0; x <= x1; ++x) {
            const int64_t depth = std::min({rowDepth, int64_t{x} - l.left, int64_t{l.right} - x});
            if (depth < l.inner) {
                for (int c = 0; c < 3; ++c)
                    putSample(out, x, y, c, innerColour[c]);
                continue;
            }
            const int32_t px = std::clamp(l.pictureX(x), 0, picture.width - 1);
            for (int c = 0; c < 3; ++c)
                putSample(out, x, y, c, static_cast<int32_t>(picture.sample(px, py, c)));
        }
    }
}

int32_t channel(int32_t v) {
    return std::clamp(v, 0, 255) * 256;
}

}  // namespace
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL AddText(const AddTextParams* params) {
    using namespace dnr;
    const AbortIgnored drawingIsNotAborted;
    if (!params) return 0;
    const auto picture = makeView(&params->Picture);
    const auto out = makeView(&params->Output);
    if (!picture || !out) return 0;
    const FrameLayout layout =
        frameLayout(*params, picture->width, picture->height, out->width, out->height);

    const int32_t frame[3] = {channel(params->FrameBlue), channel(params->FrameGreen),
                              channel(params->FrameRed)};
    const int32_t inner[3] = {channel(params->InnerBlue), channel(params->InnerGreen),
                              channel(params->InnerRed)};
    fill(*out, frame);
    if (!drawFrameEffect(*params, *picture, *out, layout)) return 0;
    // The oval shows the picture itself; every other effect lies under the picture rectangle.
    if (params->FrameEffect != kFrameOval) placePicture(*picture, *out, layout, inner);
    return drawCaption(*params, *out) ? 1 : 0;
}
