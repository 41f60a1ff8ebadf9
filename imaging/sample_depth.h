// A picture's pixels addressed by sample type, so that one loop written as a template serves both
// depths: std::uint8_t names the 8-bit layout (the display copy of a 16-bit picture), std::uint16_t
// the 16-bit one.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "imaging/image.h"

namespace imaging {

template <typename Sample>
concept PixelSample = std::is_same_v<Sample, std::uint8_t> || std::is_same_v<Sample, std::uint16_t>;

// White: the largest value a sample holds.
template <PixelSample Sample>
inline constexpr Sample kWhiteSample = std::numeric_limits<Sample>::max();

// Whether pictures of this sample type keep 16-bit pixels.
template <PixelSample Sample>
inline constexpr bool kSixteenBit = std::is_same_v<Sample, std::uint16_t>;

// All pixel memory of one depth, rows and padding as the layout has them.
template <PixelSample Sample>
std::vector<Sample>& pixelsOf(Image& image) {
    if constexpr (kSixteenBit<Sample>)
        return image.bits16;
    else
        return image.bits8;
}

// One row, counted from the top, as blue-green-red samples.
template <PixelSample Sample>
Sample* rowOf(Image& image, int topRow) {
    if constexpr (kSixteenBit<Sample>)
        return image.row16(topRow);
    else
        return image.row8(topRow);
}
template <PixelSample Sample>
const Sample* rowOf(const Image& image, int topRow) {
    if constexpr (kSixteenBit<Sample>)
        return image.row16(topRow);
    else
        return image.row8(topRow);
}

}  // namespace imaging
