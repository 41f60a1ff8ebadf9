// The hue under the curve editor's pointer: the hue of the mean colour of a small square.
#include "block_square.h"
#include "colour_space.h"
#include "dnr.h"
#include "hue.h"

extern "C" DNR_API int32_t DNR_CALL GetHue(const ImageDesc* image, int32_t x, int32_t y,
                                           int32_t size) {
    const auto v = dnr::makeView(image);
    if (!v) return 0;
    const dnr::BlockMean m = dnr::blockMean(*v, dnr::blockSquare(*v, x, y, size));
    const dnr::Ycc c = dnr::rgbToYcc(m.red, m.green, m.blue, dnr::ChromaModel::Relative);
    return dnr::hueOf(c.cr, c.cb);
}
