#include "core/main/skin_map.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinMap, StyleValueChoosesTheDrawingStyle) {
    const std::pair<int32_t, int> cases[] = {{1, 2}, {2, 1}, {3, 5},  {4, 0},
                                             {0, 3}, {5, 3}, {-1, 3}, {1000, 3}};
    for (const auto& [value, style] : cases)
        EXPECT_EQ(core::buttonDrawingStyle(value), style) << value;
}

TEST(SkinMap, ColoursArePackedRedFirst) {
    struct Case {
        int32_t r, g, b;
        uint32_t value;
    };
    const Case cases[] = {
        {255, 0, 0, 255},
        {0, 255, 0, 65280},
        {0, 0, 255, 16711680},
        {255, 255, 255, 16777215},
        {1, 2, 3, 1 + 2 * 256 + 3 * 65536},
        // Out of range components stay within their own byte.
        {300, 0, 0, 255},
        {-20, 7, 0, 7 * 256},
        {0, 0, 4096, 16711680},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::packColour(c.r, c.g, c.b), c.value) << c.r << " " << c.g << " " << c.b;
        const QColor colour = core::colourOfValue(c.value);
        EXPECT_EQ(core::packColour(colour.red(), colour.green(), colour.blue()), c.value);
    }
    EXPECT_EQ(core::colourOfValue(5949695), QColor(255, 200, 90));
}

}  // namespace
