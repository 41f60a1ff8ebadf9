// One memory colour as "mc.dat" stores it: 57 bytes, a length-prefixed name of up to 50 bytes
// and three 16-bit sRGB channels, little-endian, no header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

struct MemoryColor {
    std::string ColorName;  // UTF-8; at most kMemoryColorNameBytes bytes are stored
    uint16_t ColorRed = 0;
    uint16_t ColorGreen = 0;
    uint16_t ColorBlue = 0;

    bool operator==(const MemoryColor&) const = default;
};

// The list in stored order: the oldest entry first.
using TMemoryColorsArray = std::vector<MemoryColor>;

inline constexpr size_t kMemoryColorSize = 57;
inline constexpr size_t kMemoryColorNameBytes = 50;

using Rgb16 = std::array<uint16_t, 3>;  // red, green, blue

inline Rgb16 colourOf(const MemoryColor& c) {
    return {c.ColorRed, c.ColorGreen, c.ColorBlue};
}

std::vector<uint8_t> encodeMemoryColor(const MemoryColor& color);
// Nothing when the record is damaged: a name length beyond the name's 50 bytes.
std::optional<MemoryColor> decodeMemoryColor(const uint8_t* record);

}  // namespace core
