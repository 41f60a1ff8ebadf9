#include "hue.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "colour_from_hue.h"
#include "colour_space.h"

namespace dnr {
namespace {

struct HueCase {
    int32_t u, v;  // top bytes minus 128: red and blue difference
    int32_t hue, chroma;
};

int32_t sampleOf(int32_t d) {
    return (d + 128) << 8;
}

TEST(HueAndChroma, TableValues) {
    // hue = 359 - (trunc(atan2(v, u) * 57.3248 [+360] + 20) mod 360); chroma = trunc(362 * |(u,
    // v)|)
    const HueCase cases[] = {
        {0, 0, 339, 0},            // grey
        {127, 0, 339, 45974},      // angle 0
        {0, 127, 249, 45974},      // 90.05 degrees
        {-128, 0, 159, 46336},     // 180.09 degrees
        {0, -128, 70, 46336},      // -90.05 + 360 = 269.95
        {3, 4, 286, 1810},         // 53.16 degrees
        {-128, -128, 115, 65528},  // the largest chroma: 362 * 181.019 = 65528.99
    };
    for (const HueCase& c : cases) {
        const int32_t cr = sampleOf(c.u), cb = sampleOf(c.v);
        EXPECT_EQ(hueOf(cr, cb), c.hue) << c.u << "," << c.v;
        EXPECT_EQ(hue128Of(cr, cb), c.hue * 128 + 127) << c.u << "," << c.v;
        EXPECT_EQ(chromaOf(cr, cb), c.chroma) << c.u << "," << c.v;
        // Only the top byte of each sample counts.
        EXPECT_EQ(hue128Of(cr + 255, cb + 255), c.hue * 128 + 127);
        EXPECT_EQ(chromaOf(cr | 0xFF, cb | 0xFF), c.chroma);
    }
}

TEST(HueAndChroma, PrimariesLieNearTheirAngles) {
    struct Primary {
        int32_t r, g, b, hue;
    };
    const Primary primaries[] = {{65535, 0, 0, 0}, {0, 65535, 0, 120}, {0, 0, 65535, 240}};
    for (const Primary& p : primaries) {
        const Ycc c = rgbToYcc(p.r, p.g, p.b, ChromaModel::Plain);
        int32_t d = std::abs(hueOf(c.cr, c.cb) - p.hue);
        d = std::min(d, 360 - d);
        EXPECT_LE(d, 20) << p.r << "," << p.g << "," << p.b;
    }
}

TEST(HueAndChroma, ColourFromHueInvertsHueOf) {
    // Within one degree at full saturation; weaker colours have fewer chroma steps to tell
    // neighbouring hues apart.
    struct Case {
        int32_t saturation, tolerance;
    };
    for (const Case c : {Case{0xFFFF, 1}, Case{0x4000, 3}})
        for (int32_t hue = 0; hue < 360; ++hue) {
            const ChromaPair pair = chromaOfHue(hue * 128, c.saturation);
            int32_t d = std::abs(hueOf(pair.cr, pair.cb) - hue);
            d = std::min(d, 360 - d);
            EXPECT_LE(d, c.tolerance) << hue;
        }
    // The colour itself keeps the hue's neighbourhood after the way through RGB.
    for (int32_t hue : {0, 120, 240}) {
        const Rgb c = colourFromHue(hue * 128, 0x4000, 0x4000);
        const Ycc back = rgbToYcc(c.r, c.g, c.b, ChromaModel::Relative);
        int32_t d = std::abs(hueOf(back.cr, back.cb) - hue);
        EXPECT_LE(std::min(d, 360 - d), 5) << hue;
    }
}

TEST(HueAndChroma, ColourFromHueWithoutSaturationIsGrey) {
    const Rgb c = colourFromHue(200 * 128, 0, 0x7FFF);
    EXPECT_EQ(c.r, 0x7FFF);
    EXPECT_EQ(c.g, 0x7FFF);
    EXPECT_EQ(c.b, 0x7FFF);
}

}  // namespace
}  // namespace dnr
