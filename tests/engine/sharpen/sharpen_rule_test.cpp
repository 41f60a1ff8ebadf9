#include "sharpen_rule.h"

#include <gtest/gtest.h>

namespace dnr {
namespace {

SharpenSettings settingsFor(int32_t noiseLevel, int32_t edgeContrast, int32_t whiteHalo,
                            int32_t suppressHalos) {
    ProcessingParams p{};
    p.NoiseLevel = noiseLevel;
    p.EdgeContrast = edgeContrast;
    p.WhiteHalo = whiteHalo;
    p.SuppressHalos = suppressHalos;
    return sharpenSettings(p);
}

TEST(SharpenRule, Settings) {
    struct Case {
        int32_t noiseLevel, edgeContrast, whiteHalo, suppress;
        int64_t threshold, haloWeight;
    };
    const Case cases[] = {
        {0, 20, 100, 0, 220, 1024},    // 11 * EdgeContrast with the user ranges
        {250, 100, 50, 0, 1100, 512},  // the level is at least 550
        {600, 20, 0, 0, 240, 0},       // above 550 the level counts
        {0, 0, 30, 1, 0, 1024},        // halo suppression takes brightening at full strength
        {0, 10, 33, 2, 110, 337},      // only SuppressHalos 1 counts
    };
    for (const Case& c : cases) {
        const SharpenSettings k =
            settingsFor(c.noiseLevel, c.edgeContrast, c.whiteHalo, c.suppress);
        EXPECT_EQ(k.threshold, c.threshold) << c.noiseLevel << " " << c.edgeContrast;
        EXPECT_EQ(k.haloWeight, c.haloWeight) << c.whiteHalo << " " << c.suppress;
        EXPECT_EQ(k.suppressHalos, c.suppress == 1);
    }
}

TEST(SharpenRule, PerPixel) {
    struct Case {
        const char* what;
        int32_t edgeContrast, whiteHalo;
        int32_t y, s, c;
        int64_t d, a;
        int32_t out;
    };
    const Case cases[] = {
        {"no threshold, brightening x8*C/100", 0, 100, 1100, 1000, 50, 400, 100, 1500},
        {"no threshold, darkening", 0, 100, 1000, 1100, 50, 400, -100, 600},
        {"WhiteHalo 0 leaves brightening", 0, 0, 1100, 1000, 50, 0, 100, 1100},
        {"WhiteHalo 0 still darkens", 0, 0, 1000, 1100, 50, 400, -100, 600},
        {"half the threshold: unchanged", 20, 100, 1110, 1000, 50, 400, 0, 1110},
        // t = 220, A = 55: q = 512 - 1024 < 0, so D flips to -400 (clamped to -100) and
        // A = 55*512 >> 10 = 27.
        {"quarter threshold softens", 20, 100, 1055, 1000, 50, -100, 27, 1028},
        // A = -55: (-55*512) >> 10 floors to -28.
        {"quarter threshold, darkening", 20, 100, 1000, 1055, 50, -100, -28, 1028},
        // A = 11: q = 102 - 1024 = -922, A = 11*922 >> 10 = 9: almost back to the smoothed value.
        {"smallest differences soften most", 20, 100, 1011, 1000, 50, -100, 9, 1002},
        // A = 165: q = 1536 - 1024 = 512, A = 82.
        {"three quarters of the threshold", 20, 100, 1165, 1000, 50, 400, 82, 1493},
        {"at the threshold: full strength", 20, 100, 1220, 1000, 50, 400, 220, 2100},
        {"C -50 gives the smoothed value", 20, 100, 1100, 1000, -50, -100, 100, 1000},
        {"C -100 is clamped to -100", 20, 100, 900, 1000, -100, -100, -100, 1000},
        {"C 100 clamps the result", 0, 100, 30000, 20000, 100, 800, 10000, 65535},
        {"C 100 darkening clamps at 0", 0, 100, 20000, 30000, 100, 800, -10000, 0},
        // D*A/100 = -5150/100 truncates to -51 (a floor would give -52).
        {"division truncates toward zero", 0, 100, 1103, 1000, -25, -50, 103, 1052},
        {"C 0 changes nothing", 0, 100, 1500, 1000, 0, 0, 500, 1500},
    };
    for (const Case& c : cases) {
        const SharpenSettings k = settingsFor(0, c.edgeContrast, c.whiteHalo, 0);
        const SharpenChange change = sharpenChange(c.y, c.s, c.c, k);
        EXPECT_EQ(change.d, c.d) << c.what;
        EXPECT_EQ(change.a, c.a) << c.what;
        EXPECT_EQ(sharpenedLuma(c.y, change, k, 0, 65535), c.out) << c.what;
    }
}

TEST(SharpenRule, HaloSuppressionKeepsInsideTheEnvelopes) {
    const SharpenSettings k = settingsFor(0, 0, 0, 1);
    struct Case {
        int32_t y, s, lo, hi, out;
    };
    const Case cases[] = {
        {1100, 1000, 900, 1200, 1200},   // 1100 + 8*50*100/100 = 1500 above hi
        {1000, 1100, 900, 1200, 900},    // 600 below lo
        {1010, 1000, 900, 1200, 1050},   // inside: unchanged by the envelopes
        {1000, 1100, 1300, 1200, 1200},  // crossed envelopes: hi wins
    };
    for (const Case& c : cases) {
        const SharpenChange change = sharpenChange(c.y, c.s, 50, k);
        const int32_t out = sharpenedLuma(c.y, change, k, c.lo, c.hi);
        EXPECT_EQ(out, c.out) << c.y << " " << c.s;
    }
    // Without suppression the envelopes are ignored.
    const SharpenSettings free = settingsFor(0, 0, 100, 0);
    EXPECT_EQ(sharpenedLuma(1100, sharpenChange(1100, 1000, 50, free), free, 900, 1200), 1500);
}

TEST(SharpenRule, MapPixel) {
    struct Case {
        int32_t suppress, whiteHalo, y, s, c, lo, hi;
        uint16_t mapY, mapCb, mapCr;
    };
    const Case cases[] = {
        // Sharpened by 400: Y shows the change, Cr 4*|E| above neutral, Cb neutral.
        {0, 100, 1100, 1000, 50, 0, 65535, 0x8000 + 400, 0x8000, 0x8000 + 1600},
        // Softened (D = -100, E = -100): both chroma 2*(0x4000 - 400).
        {0, 100, 1100, 1000, -50, 0, 65535, 0x8000 - 100, 2 * (0x4000 - 400), 2 * (0x4000 - 400)},
        // A big softening drives the chroma to 0.
        {0, 100, 11000, 1000, -50, 0, 65535, 0x8000 - 10000, 0, 0},
        // With suppression the change is the clamped one: 1200 - 1100.
        {1, 0, 1100, 1000, 50, 900, 1200, 0x8000 + 100, 0x8000, 0x8000 + 400},
    };
    for (const Case& c : cases) {
        const SharpenSettings k = settingsFor(0, 0, c.whiteHalo, c.suppress);
        const SharpenChange change = sharpenChange(c.y, c.s, c.c, k);
        const int32_t out = sharpenedLuma(c.y, change, k, c.lo, c.hi);
        const SharpenMapPixel m = sharpenMapPixel(c.y, out, change, k);
        EXPECT_EQ(m.y, c.mapY) << c.y << " " << c.c;
        EXPECT_EQ(m.cb, c.mapCb) << c.y << " " << c.c;
        EXPECT_EQ(m.cr, c.mapCr) << c.y << " " << c.c;
    }
}

}  // namespace
}  // namespace dnr
