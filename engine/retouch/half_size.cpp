// Halving a picture in both directions: each target pixel comes from a 2 by 2 block of source
// pixels, either their mean or the first of them.
#include <algorithm>
#include <cstdint>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr {
namespace {

template <typename Sample>
void halve(const Sample* source, int32_t sourceWidth, int64_t sourceStride, Sample* target,
           int32_t targetWidth, int64_t targetStride, int32_t targetRows, bool smooth) {
    for (int32_t i = 0; i < targetRows; ++i) {
        const Sample* row0 = source + sourceStride * (2 * int64_t{i});
        const Sample* row1 = row0 + sourceStride;
        Sample* out = target + targetStride * i;
        for (int32_t k = 0; k < targetWidth; ++k) {
            // A target wider than half the source would read past a source row; the last
            // source column stands in for the missing ones.
            const int64_t a = 3 * std::min<int64_t>(2 * int64_t{k}, sourceWidth - 1);
            const int64_t b = 3 * std::min<int64_t>(2 * int64_t{k} + 1, sourceWidth - 1);
            for (int c = 0; c < 3; ++c) {
                if (smooth)
                    out[3 * k + c] = static_cast<Sample>(
                        (uint32_t{row0[a + c]} + row0[b + c] + row1[a + c] + row1[b + c]) >> 2);
                else
                    out[3 * k + c] = row0[a + c];
            }
        }
    }
}

bool usable(const void* source, int32_t sourceWidth, const void* target, int32_t targetWidth,
            int32_t targetRows) {
    return source && target && sourceWidth > 0 && sourceWidth <= kMaxSide && targetWidth > 0 &&
           targetWidth <= kMaxSide && targetRows > 0 && targetRows <= kMaxSide;
}

}  // namespace
}  // namespace dnr

extern "C" {

DNR_API int32_t DNR_CALL ResizeImage_Half_Byte(const uint8_t* source, int32_t sourceWidth, int32_t,
                                               uint8_t* target, int32_t targetWidth,
                                               int32_t targetRows, int32_t smooth) {
    if (!dnr::usable(source, sourceWidth, target, targetWidth, targetRows)) return 0;
    dnr::halve(source, sourceWidth, dnr::stride8(sourceWidth), target, targetWidth,
               dnr::stride8(targetWidth), targetRows, smooth == 1);
    return 1;
}

DNR_API int32_t DNR_CALL ResizeImage_Half_WORD(const uint16_t* source, int32_t sourceWidth, int32_t,
                                               uint16_t* target, int32_t targetWidth,
                                               int32_t targetRows, int32_t smooth) {
    if (!dnr::usable(source, sourceWidth, target, targetWidth, targetRows)) return 0;
    dnr::halve(source, sourceWidth, int64_t{sourceWidth} * 3, target, targetWidth,
               int64_t{targetWidth} * 3, targetRows, smooth == 1);
    return 1;
}

}  // extern "C"
