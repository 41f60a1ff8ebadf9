// The caller's pixels as the engine sees them: rows counted from the bottom for both depths,
// samples in the 16-bit domain (8-bit samples times 256).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "dnr.h"

namespace dnr {

// Row stride of an 8-bit picture: three bytes a pixel, rounded up to four bytes.
inline int64_t stride8(int64_t width) {
    return ((width * 3 - 1) / 4) * 4 + 4;
}

struct View {
    uint8_t* bits8 = nullptr;    // 8-bit pictures: stored bottom-up, padded rows
    uint16_t* bits16 = nullptr;  // 16-bit pictures: stored top-down, packed rows
    int32_t width = 0;
    int32_t height = 0;

    bool is16() const { return bits16 != nullptr; }

    // Start of image row y (0 = bottom) as 8-bit bytes or 16-bit samples.
    uint8_t* row8(int32_t y) const { return bits8 + static_cast<ptrdiff_t>(stride8(width) * y); }
    uint16_t* row16(int32_t y) const {
        return bits16 + static_cast<ptrdiff_t>(int64_t{width} * 3 * (height - 1 - y));
    }

    // Sample c (0 blue, 1 green, 2 red) of pixel (x, y) in the 16-bit domain.
    uint32_t sample(int32_t x, int32_t y, int c) const {
        return is16() ? row16(y)[x * 3 + c] : uint32_t{row8(y)[x * 3 + c]} << 8;
    }
};

// The largest side the engine accepts; keeps every row and plane size well inside 64 bits and
// every per-row offset inside 32 bits.
inline constexpr int32_t kMaxSide = 1 << 20;

// Builds the view of a descriptor; empty when it describes no usable pixels (a null pointer,
// BytesPerSample other than 1 or 2, or a side outside 1..kMaxSide).
std::optional<View> makeView(const void* bits, int32_t width, int32_t bytesPerSample,
                             int32_t height);
inline std::optional<View> makeView(const ImageDesc* d) {
    if (!d) return std::nullopt;
    return makeView(d->Bits, d->Width, d->BytesPerSample, d->Height);
}
inline std::optional<View> makeView(const PixelView* v) {
    if (!v) return std::nullopt;
    return makeView(v->Bits, v->Width, v->BytesPerSample, v->Height);
}

}  // namespace dnr
