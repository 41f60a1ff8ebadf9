// A vertical gradient for the colour-range window: each row one solid colour, stepping from the
// start colour by (A - B) over the picture's height.
#include <algorithm>
#include <cstdint>

#include "colour_space.h"
#include "dashed_line.h"
#include "dnr.h"

extern "C" DNR_API int32_t DNR_CALL DrawGradient(const ImageDesc* image, int32_t aRed,
                                                 int32_t aGreen, int32_t aBlue, int32_t bRed,
                                                 int32_t bGreen, int32_t bBlue, int32_t startRed,
                                                 int32_t startGreen, int32_t startBlue) {
    const auto view = dnr::makeView(image);
    if (!view) return 0;
    const int64_t h = view->height;
    auto channel = [h](int32_t start, int32_t a, int32_t b, int32_t i) {
        return dnr::clamp16(start + i * (int64_t{a} - b) / h);
    };
    for (int32_t i = 0; i < view->height; ++i) {
        const dnr::LineColour c{channel(startRed, aRed, bRed, i),
                                channel(startGreen, aGreen, bGreen, i),
                                channel(startBlue, aBlue, bBlue, i)};
        // The last column is left out: the window's bitmap is one column wider than it shows.
        dnr::drawDashedLine(*view, 0, i, view->width - 1, i, c, 100, 1, dnr::DashPhase::Continue);
    }
    return 1;
}
