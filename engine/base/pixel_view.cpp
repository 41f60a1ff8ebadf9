#include "pixel_view.h"

namespace dnr {

std::optional<View> makeView(const void* bits, int32_t width, int32_t bytesPerSample,
                             int32_t height) {
    // BytesPerSample 0 would be a platform bitmap handle; there is no such object here.
    if (!bits || (bytesPerSample != 1 && bytesPerSample != 2)) return std::nullopt;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    View v;
    v.width = width;
    v.height = height;
    if (bytesPerSample == 1)
        v.bits8 = static_cast<uint8_t*>(const_cast<void*>(bits));
    else
        v.bits16 = static_cast<uint16_t*>(const_cast<void*>(bits));
    return v;
}

}  // namespace dnr
