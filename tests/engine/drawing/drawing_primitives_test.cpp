#include <gtest/gtest.h>

#include "caller_picture.h"
#include "dashed_line.h"
#include "pixel_paint.h"
#include "warning_catcher.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;
using testing::WarningCatcher;

TEST(DashedLine, AlternatesBrightAndDimAndLeavesTheEndPoint) {
    Picture pic(8, 4, 2);
    const View v = pic.view();
    drawDashedLine(v, 0, 1, 6, 1, {1000, 2000, 3000}, 50, 2, DashPhase::BrightFirst);
    const Colour bright{1000, 2000, 3000}, dim{500, 1000, 1500}, none{0, 0, 0};
    const Colour expected[8] = {bright, bright, dim, dim, bright, bright, none, none};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(pic.get(x, 1), expected[x]) << x;
    EXPECT_EQ(dashCounter(), 6);
}

TEST(DashedLine, PhasesAndTheSharedCounter) {
    Picture pic(8, 4, 2);
    const View v = pic.view();
    // Dim first: the counter starts at the dash length.
    drawDashedLine(v, 0, 0, 3, 0, {100, 100, 100}, 0, 3, DashPhase::DimFirst);
    EXPECT_EQ(pic.get(0, 0), (Colour{0, 0, 0}));
    EXPECT_EQ(dashCounter(), 6);
    // Continue: the next line starts where the last one stopped (6 / 3 even: bright).
    drawDashedLine(v, 0, 2, 4, 2, {100, 100, 100}, 0, 3, DashPhase::Continue);
    EXPECT_EQ(pic.get(0, 2), (Colour{100, 100, 100}));
    EXPECT_EQ(pic.get(2, 2), (Colour{100, 100, 100}));
    EXPECT_EQ(pic.get(3, 2), (Colour{0, 0, 0}));
    EXPECT_EQ(dashCounter(), 10);
}

TEST(DashedLine, DiagonalStepsAndUntouchedChannels) {
    Picture pic(4, 4, 1);
    pic.fill({9, 9, 9});
    const View v = pic.view();
    // Red -1 stays; 0x1234 in an 8-bit picture keeps its high byte.
    drawDashedLine(v, 0, 0, 4, 4, {-1, 0x1234, 0xFFFF}, 100, 1, DashPhase::BrightFirst);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(pic.get(k, k), (Colour{9, 0x12, 0xFF})) << k;
    EXPECT_EQ(pic.get(1, 0), (Colour{9, 9, 9}));
    // Dim levels above 100 are capped at 0xFFFF.
    drawDashedLine(v, 0, 3, 2, 3, {0xF000, 0, 0}, 200, 1, DashPhase::DimFirst);
    EXPECT_EQ(pic.get(0, 3).r, 0xFF);
}

TEST(DashedLine, LinesLeavingTheTargetWarnAndDrawNothing) {
    struct Case {
        int32_t x0, y0, x1, y1;
        bool drawn;
    };
    const Case cases[] = {
        {0, 0, 4, 4, true},  {3, 3, -1, -1, true}, {-1, 0, 2, 2, false},
        {4, 0, 2, 2, false}, {0, 0, 5, 2, false},  {0, 0, -2, 2, false},
        {0, 4, 2, 2, false}, {0, 0, 2, 5, false},  {0, -1, 2, 2, false},
    };
    for (const Case& c : cases) {
        Picture pic(4, 4, 2);
        WarningCatcher warnings;
        drawDashedLine(pic.view(), c.x0, c.y0, c.x1, c.y1, {7, 7, 7}, 100, 1,
                       DashPhase::BrightFirst);
        EXPECT_EQ(warnings.count(), c.drawn ? 0 : 1) << c.x0 << "," << c.y0;
        if (!c.drawn) {
            EXPECT_EQ(warnings.last(), "Error while drawing|Error");
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(pic.get(x, y), (Colour{0, 0, 0}));
        }
    }
}

TEST(OpacityBlend, SixteenBit) {
    struct Case {
        int32_t old, colour, opacity, expected;
    };
    const Case cases[] = {
        {1234, 0x4000, 0, 1234},               // opacity 0 leaves the pixel
        {1234, 0x4000, 100, 0x4000},           // full opacity writes the colour
        {1234, 0x4000, -100, 65535 - 0x4000},  // negative: the complement
        {1000, 3000, 50, 2000},
        {1000, 3000, -30, (30 * 62535 + 70 * 1000) / 100},
        {1000, 3000, 250, 3000},  // opacity beyond 100 counts as 100
    };
    for (const Case& c : cases) {
        Picture pic(1, 1, 2);
        pic.set(0, 0, {c.old, c.old, c.old});
        blendChannel(pic.view(), 0, 0, 2, c.colour, c.opacity);
        EXPECT_EQ(pic.get(0, 0).r, c.expected) << c.opacity;
        EXPECT_EQ(pic.get(0, 0).g, c.old);
    }
}

TEST(OpacityBlend, EightBit) {
    struct Case {
        int32_t old, colour, opacity, expected;
    };
    const Case cases[] = {
        {100, 0x4000, 0, (100 * 100 * 256 + 12700) / 25600},  // 100: unchanged
        {100, 0x4000, 30, (70 * 100 * 256 + 30 * 0x4000 + 12700) / 25600},
        {100, 0, -100, 255},                                 // 256 clamped
        {100, 0x4000, -100, (100 * 49151 + 12700) / 25600},  // 192
        {0, 65535, 100, 255},                                // 256 clamped
    };
    for (const Case& c : cases) {
        Picture pic(1, 1, 1);
        pic.set(0, 0, {c.old, c.old, c.old});
        blendChannel(pic.view(), 0, 0, 0, c.colour, c.opacity);
        EXPECT_EQ(pic.get(0, 0).b, c.expected) << c.opacity;
    }
    EXPECT_EQ((100 * 49151 + 12700) / 25600, 192);
}

}  // namespace
}  // namespace dnr
