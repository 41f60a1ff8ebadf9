// The hue under the curve editor's pointer: the hue of the mean colour of a small square.
#include "../colour_space.h"
#include "block_square.h"
#include "dnr.h"
#include "hue.h"

extern "C" DNR_API int32_t DNR_CALL GetHue(const ImageDesc* image, int32_t x, int32_t y,
                                           int32_t size) {
    const auto v = dnr::makeView(image);
    if (!v) return 0;
    const dnr::BlockSquare sq = dnr::blockSquare(*v, x, y, size);
    uint64_t sum[3] = {0, 0, 0};
    for (int32_t j = sq.y0; j < sq.y0 + sq.size; ++j)
        for (int32_t i = sq.x0; i < sq.x0 + sq.size; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += v->sample(i, j, c);
    const uint64_t n = uint64_t(sq.size) * uint64_t(sq.size);
    const dnr::Ycc c =
        dnr::rgbToYcc(static_cast<int32_t>(sum[2] / n), static_cast<int32_t>(sum[1] / n),
                      static_cast<int32_t>(sum[0] / n), dnr::ChromaModel::Relative);
    return dnr::hueOf(c.cr, c.cb);
}
