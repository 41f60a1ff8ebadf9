#include "colour_space.h"

#include <gtest/gtest.h>

#include "picture_planes.h"
#include "plane_fixture.h"
#include "progress.h"

namespace dnr {
namespace {

using testing::randomRgbSet;

struct YccCase {
    int r, g, b;
    ChromaModel model;
    int y, cb, cr;
};

TEST(ColourSpace, RgbToLumaChroma) {
    const YccCase cases[] = {
        {65535, 65535, 65535, ChromaModel::Plain, 65535, 0x8000 - 64, 0x8000 - 16},
        {32768, 32768, 32768, ChromaModel::Plain, 32768, 0x8000 - 32, 0x8000 - 8},
        {0, 0, 0, ChromaModel::Plain, 0, 0x8000, 0x8000},
        {0, 0, 0, ChromaModel::Relative, 0, 0x8000, 0x8000},
        // Relative: ((db >> 12) << 13) / Y; for grey 32768 that is (-32 * 8192) / 32768 = -8.
        {32768, 32768, 32768, ChromaModel::Relative, 32768, 0x8000 - 8, 0x8000 - 2},
    };
    for (const YccCase& c : cases) {
        const Ycc out = rgbToYcc(c.r, c.g, c.b, c.model);
        EXPECT_EQ(out.y, c.y) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(out.cb, c.cb) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(out.cr, c.cr) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(ColourSpace, WayBackKeepsWhiteAndShiftsGreyByTheFormatsRounding) {
    const Rgb white = yccToRgb(65535, 0x8000 - 64, 0x8000 - 16, ChromaModel::Plain);
    EXPECT_EQ(white.r, 65535);
    EXPECT_EQ(white.g, 65535);
    EXPECT_EQ(white.b, 65535);

    const Rgb grey = yccToRgb(32768, 0x8000 - 32, 0x8000 - 8, ChromaModel::Plain);
    EXPECT_EQ(grey.r, 32756);
    EXPECT_EQ(grey.g, 32784);
    EXPECT_EQ(grey.b, 32711);
    EXPECT_EQ(grey.r >> 8, 127);
    EXPECT_EQ(grey.g >> 8, 128);
    EXPECT_EQ(grey.b >> 8, 127);
}

TEST(ColourSpace, SaturatedColoursStayInsideTheCube) {
    const int primaries[][3] = {{65535, 0, 0},     {0, 65535, 0},     {0, 0, 65535},
                                {65535, 65535, 0}, {0, 65535, 65535}, {65535, 0, 65535}};
    for (const auto& c : primaries)
        for (ChromaModel m : {ChromaModel::Plain, ChromaModel::Relative}) {
            const Ycc ycc = rgbToYcc(c[0], c[1], c[2], m);
            const Rgb back = yccToRgb(ycc.y, ycc.cb, ycc.cr, m);
            for (int v : {back.r, back.g, back.b}) {
                EXPECT_GE(v, 0);
                EXPECT_LE(v, 65535);
            }
        }
}

// An out-of-gamut colour loses saturation, not luma: all three differences shrink together.
TEST(ColourSpace, GamutFactorKeepsLuma) {
    const Rgb c = yccToRgb(60000, 0x8000 + 20000, 0x8000 + 20000, ChromaModel::Plain);
    const Ycc back = rgbToYcc(c.r, c.g, c.b, ChromaModel::Plain);
    EXPECT_NEAR(back.y, 60000, 3);
    EXPECT_LE(std::max({c.r, c.g, c.b}), 65535);
}

TEST(ColourSpace, PlaneSetConversionMatchesPerPixelFormula) {
    PlaneSet set = randomRgbSet(7, 5, 1);
    PlaneSet original;
    ASSERT_TRUE(original.copyFrom(set));
    ASSERT_TRUE(toLumaChroma(set, false, ChromaModel::Plain));
    EXPECT_FALSE(set.rgb);
    for (size_t i = 0; i < set.planes[0].size(); ++i) {
        const Ycc e = rgbToYcc(original.planes[2].data()[i], original.planes[1].data()[i],
                               original.planes[0].data()[i], ChromaModel::Plain);
        ASSERT_EQ(set.planes[PlaneSet::kY].data()[i], e.y);
        ASSERT_EQ(set.planes[PlaneSet::kCb].data()[i], e.cb);
        ASSERT_EQ(set.planes[PlaneSet::kCr].data()[i], e.cr);
    }
    ASSERT_TRUE(toRgb(set, false));
    EXPECT_TRUE(set.rgb);
    for (size_t i = 0; i < set.planes[0].size(); ++i) {
        const Ycc e = rgbToYcc(original.planes[2].data()[i], original.planes[1].data()[i],
                               original.planes[0].data()[i], ChromaModel::Plain);
        const Rgb back = yccToRgb(e.y, e.cb, e.cr, ChromaModel::Plain);
        ASSERT_EQ(set.planes[2].data()[i], back.r);
        ASSERT_EQ(set.planes[1].data()[i], back.g);
        ASSERT_EQ(set.planes[0].data()[i], back.b);
    }
}

TEST(ColourSpace, ModelChange) {
    PlaneSet set = randomRgbSet(9, 3, 2);
    ASSERT_TRUE(toLumaChroma(set, false, ChromaModel::Plain));
    PlaneSet plain;
    ASSERT_TRUE(plain.copyFrom(set));

    // The requested model already in place: nothing changes.
    ASSERT_TRUE(toLumaChroma(set, false, ChromaModel::Plain));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(std::equal(set.planes[k].data(), set.planes[k].data() + set.planes[k].size(),
                               plain.planes[k].data()));

    // Plain to relative with the brightness-dependent divisor; luma untouched.
    ASSERT_TRUE(toLumaChroma(set, false, ChromaModel::Relative));
    EXPECT_EQ(set.model, ChromaModel::Relative);
    for (size_t i = 0; i < set.planes[0].size(); ++i) {
        const int y = plain.planes[PlaneSet::kY].data()[i];
        const int d = std::max(1, ((1524 - (y >> 6)) * y) >> 10);
        const int cb = plain.planes[PlaneSet::kCb].data()[i];
        EXPECT_EQ(set.planes[PlaneSet::kY].data()[i], y);
        EXPECT_EQ(set.planes[PlaneSet::kCb].data()[i],
                  std::clamp((cb - 0x8000) * 8192 / d + 0x8000, 0, 65535));
    }
}

TEST(ColourSpace, AbortStopsAConversion) {
    PlaneSet set = randomRgbSet(4, 4, 3);
    Abort();
    EXPECT_FALSE(toLumaChroma(set, false, ChromaModel::Plain));
    clearAbort();
}

}  // namespace
}  // namespace dnr
