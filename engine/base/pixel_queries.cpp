// Small exports that read or copy the caller's pixels: block means, a rectangle copy.
#include <algorithm>
#include <cstring>

#include "block_square.h"
#include "colour_space.h"
#include "dnr.h"
#include "pixel_view.h"

extern "C" {

DNR_API int32_t DNR_CALL GetRGB(const ImageDesc* image, int32_t x, int32_t y, int32_t blockSize,
                                uint16_t* red, uint16_t* green, uint16_t* blue) {
    const auto v = dnr::makeView(image);
    if (!v) return 0;
    const dnr::BlockMean m = dnr::blockMean(*v, dnr::blockSquare(*v, x, y, blockSize));
    if (red) *red = static_cast<uint16_t>(m.red);
    if (green) *green = static_cast<uint16_t>(m.green);
    if (blue) *blue = static_cast<uint16_t>(m.blue);
    return 0;
}

DNR_API int32_t DNR_CALL GetYUV(const ImageDesc* image, int32_t x, int32_t y, int32_t blockSize,
                                uint16_t* luma, uint16_t* chromaRed, uint16_t* chromaBlue) {
    const auto v = dnr::makeView(image);
    if (!v) return 0;
    const dnr::BlockMean m = dnr::blockMean(*v, dnr::blockSquare(*v, x, y, blockSize));
    const dnr::Ycc c = dnr::rgbToYcc(m.red, m.green, m.blue, dnr::ChromaModel::Plain);
    if (luma) *luma = static_cast<uint16_t>(c.y);
    if (chromaRed) *chromaRed = static_cast<uint16_t>(c.cr);
    if (chromaBlue) *chromaBlue = static_cast<uint16_t>(c.cb);
    return c.y;
}

DNR_API int32_t DNR_CALL CopyPartOfSession(const uint8_t* source8, const uint16_t* source16,
                                           int32_t sourceWidth, int32_t sourceHeight, int32_t left,
                                           int32_t firstRow, uint8_t* target8, uint16_t* target16,
                                           int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || left < 0 || firstRow < 0) return 0;
    if (int64_t{left} + width > sourceWidth) return 0;
    // The source height is not needed for the copy; when given, it guards the rows read.
    if (sourceHeight > 0 && int64_t{firstRow} + height > sourceHeight) return 0;
    if (source8) {
        if (!target8) return 0;
        const int64_t sourceStride = dnr::stride8(sourceWidth);
        const int64_t targetStride = dnr::stride8(width);
        const uint8_t* s = source8 + sourceStride * firstRow + int64_t{left} * 3;
        for (int32_t j = 0; j < height; ++j)
            std::memcpy(target8 + targetStride * j, s + sourceStride * j, size_t(width) * 3);
    } else if (source16) {
        if (!target16) return 0;
        const uint16_t* s = source16 + (int64_t{left} + int64_t{sourceWidth} * firstRow) * 3;
        for (int32_t j = 0; j < height; ++j)
            std::memcpy(target16 + int64_t{width} * 3 * j, s + int64_t{sourceWidth} * 3 * j,
                        size_t(width) * 6);
    }
    return 0;
}

DNR_API int32_t DNR_CALL CalculateLostDetails(void) {
    return 0;
}

}  // extern "C"
