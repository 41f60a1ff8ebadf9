// Hue and chroma of a chroma pair, read from two tables indexed by the top bytes of Cr and Cb.
// The trigonometry runs once, when a table is first used.
#include <cmath>
#include <cstdint>
#include <memory>

#include "hue.h"

namespace dnr {
namespace {

// Degrees per radian and the hue turn as the format fixes them (pi taken as 3.14).
constexpr double kDegreesPerRadian = 57.324840764331206;
constexpr int32_t kHueTurn = 20;

int tableIndex(int32_t cr, int32_t cb) {
    return ((cr >> 8) & 255) << 8 | ((cb >> 8) & 255);
}

std::unique_ptr<uint16_t[]> buildHueTable() {
    auto table = std::make_unique<uint16_t[]>(65536);
    for (int i = 0; i < 65536; ++i) {
        const int u = (i >> 8) - 128;   // red difference
        const int v = (i & 255) - 128;  // blue difference
        double theta = std::atan2(double(v), double(u)) * kDegreesPerRadian;
        if (theta < 0) theta += 360.0;
        const int32_t hue = 359 - (static_cast<int32_t>(theta + kHueTurn) % 360);
        table[i] = static_cast<uint16_t>(hue * 128 + 127);
    }
    return table;
}

std::unique_ptr<uint16_t[]> buildChromaTable() {
    auto table = std::make_unique<uint16_t[]>(65536);
    for (int i = 0; i < 65536; ++i) {
        const int u = (i >> 8) - 128;
        const int v = (i & 255) - 128;
        table[i] = static_cast<uint16_t>(362.0 * std::sqrt(double(u * u + v * v)));
    }
    return table;
}

}  // namespace

int32_t hue128Of(int32_t cr, int32_t cb) {
    static const std::unique_ptr<uint16_t[]> table = buildHueTable();
    return table[tableIndex(cr, cb)];
}

int32_t chromaOf(int32_t cr, int32_t cb) {
    static const std::unique_ptr<uint16_t[]> table = buildChromaTable();
    return table[tableIndex(cr, cb)];
}

}  // namespace dnr
