#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "dnr.h"

namespace dnr {
namespace {

struct ShiftCase {
    int32_t r1, g1, b1, r2, g2, b2, keepBrightness, bw;
    int32_t red, green, blue;
};

// Worked by hand from shift = clamp(trunc((1/x) * c2 * 100.5 / c1) - 100, -100, 100).
TEST(SetMemoryColor, ShiftsCarryThePickedColourToTheWantedOne) {
    const ShiftCase cases[] = {
        // Grey to white keeping brightness: x = 65535 / 32769, each channel trunc(100.50) - 100.
        {32768, 32768, 32768, 65535, 65535, 65535, 1, 0, 0, 0, 0},
        // Without brightness: red trunc(200.997) - 100 = 100, green 0, blue trunc(50.25) - 100.
        {32768, 32768, 32768, 65535, 32768, 16384, 0, 0, 100, 0, -50},
        // A colour far too bright for its target clamps at -100.
        {65535, 65535, 65535, 100, 100, 100, 0, 0, -100, -100, -100},
        // Black and white: the pick becomes grey 32768 and brightness is kept, so white needs
        // no shift whatever was picked.
        {1000, 50000, 7, 65535, 65535, 65535, 0, 1, 0, 0, 0},
        // x has a floor of 0.1: a black target with brightness kept gives 1/x = 10, and
        // trunc(10 * 0) - 100 = -100.
        {32768, 32768, 32768, 0, 0, 0, 1, 0, -100, -100, -100},
    };
    for (const ShiftCase& c : cases) {
        ProcessingParams p{};
        p.BWConversion = c.bw;
        p.RedShift = p.GreenShift = p.BlueShift = 77;
        EXPECT_EQ(SetMemoryColor(&p, c.r1, c.g1, c.b1, c.r2, c.g2, c.b2, c.keepBrightness), 1);
        EXPECT_EQ(p.RedShift, c.red) << c.r1 << "," << c.g1 << "," << c.b1;
        EXPECT_EQ(p.GreenShift, c.green) << c.r1 << "," << c.g1 << "," << c.b1;
        EXPECT_EQ(p.BlueShift, c.blue) << c.r1 << "," << c.g1 << "," << c.b1;
    }
}

// A picked channel of 0 would divide by zero; it counts as 1, so the shift stays finite and
// within -100..100.
TEST(SetMemoryColor, AZeroChannelCountsAsTheSmallestSample) {
    ProcessingParams p{};
    EXPECT_EQ(SetMemoryColor(&p, 0, 32768, 0, 100, 32768, 0, 0), 1);
    EXPECT_EQ(p.RedShift, 100);  // trunc(100 * 100.5 / 1) - 100, clamped
    EXPECT_EQ(p.GreenShift, 0);
    EXPECT_EQ(p.BlueShift, -100);  // trunc(0 / 1) - 100
    EXPECT_EQ(SetMemoryColor(&p, 0, 0, 0, 65535, 65535, 65535, 1), 1);
    for (int32_t s : {p.RedShift, p.GreenShift, p.BlueShift}) {
        EXPECT_GE(s, -100);
        EXPECT_LE(s, 100);
    }
}

TEST(SetMemoryColor, WritesOnlyTheThreeShifts) {
    ProcessingParams p;
    std::memset(&p, 0, sizeof p);
    p.Saturation = 12;
    p.Contrast = -5;
    ProcessingParams before;
    std::memcpy(&before, &p, sizeof p);
    SetMemoryColor(&p, 30000, 30000, 30000, 40000, 30000, 20000, 0);
    before.RedShift = p.RedShift;
    before.GreenShift = p.GreenShift;
    before.BlueShift = p.BlueShift;
    EXPECT_EQ(std::memcmp(&before, &p, sizeof p), 0);
}

struct NormalizeCase {
    uint16_t r, g, b;
    int32_t refR, refG, refB;
    uint16_t outR, outG, outB;
};

// f = M / L with L = (4899 R + 9617 G + 1868 B) >> 14; each channel trunc(f * (v + 0.5)).
TEST(NormalizeBrightness, ScalesTheColourToTheReferenceLuminance) {
    const NormalizeCase cases[] = {
        // Grey 16384 to grey 32768: f = 2, 16384.5 * 2 = 32769.
        {16384, 16384, 16384, 32768, 32768, 32768, 32769, 32769, 32769},
        // Black has L 0, taken as 1: f = 32768, every channel trunc(32768 * 0.5).
        {0, 0, 0, 32768, 32768, 32768, 16384, 16384, 16384},
        // Raising a colour past the top clamps channel by channel: L(65535, 16384, 0) = 29212,
        // f = 65535 / 29212; red overflows, green trunc(2.2434 * 16384.5) = 36757, blue 1.
        {65535, 16384, 0, 65535, 65535, 65535, 65535, 36757, 1},
        // A black reference gives f = 0.
        {1000, 2000, 3000, 0, 0, 0, 0, 0, 0},
    };
    for (const NormalizeCase& c : cases) {
        uint16_t r = c.r, g = c.g, b = c.b;
        EXPECT_EQ(NormalizeBrightness(&r, &g, &b, c.refR, c.refG, c.refB), 1);
        EXPECT_EQ(r, c.outR) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(g, c.outG) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(b, c.outB) << c.r << "," << c.g << "," << c.b;
    }
}

}  // namespace
}  // namespace dnr
