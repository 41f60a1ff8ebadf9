#include "core/main/skin_map.h"

#include <algorithm>

namespace core {

int buttonDrawingStyle(int32_t styleValue) {
    switch (styleValue) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 3:
            return 5;
        case 4:
            return 0;
        default:
            return 3;
    }
}

uint32_t packColour(int32_t red, int32_t green, int32_t blue) {
    const auto component = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return component(red) + component(green) * 256u + component(blue) * 65536u;
}

QColor colourOfValue(uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace core
