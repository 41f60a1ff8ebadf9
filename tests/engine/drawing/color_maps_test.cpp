#include <gtest/gtest.h>

#include <cstdint>

#include "caller_picture.h"
#include "colour_space.h"
#include "dnr.h"
#include "warning_catcher.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;
using testing::WarningCatcher;

constexpr Colour kWhite{65535, 65535, 65535};
constexpr Colour kBlack{0, 0, 0};

Ycc normalised(int32_t r, int32_t g, int32_t b) {
    return rgbToYcc(r, g, b, ChromaModel::Relative);
}

Colour back(int32_t y, int32_t cb, int32_t cr) {
    const Rgb c = yccToRgb(y, cb, cr, ChromaModel::Relative);
    return {clamp16(c.r), clamp16(c.g), clamp16(c.b)};
}

TEST(DrawGradient, RowsStepFromTheStartColourAndLeaveTheLastColumn) {
    for (int32_t bytes : {2, 1}) {
        Picture pic(5, 4, bytes);
        pic.fill({7, 7, 7});
        ImageDesc d = pic.desc();
        // A - B = (40000, 0, -10001) over 4 rows, from (1000, 2000, 5000); the division
        // truncates toward zero: blue of row 1 is 5000 - 2500, row 2 hits 0 and row 3 is held
        // at 0.
        ASSERT_EQ(DrawGradient(&d, 40000, 0, 0, 0, 0, 10001, 1000, 2000, 5000), 1);
        const Colour rows[4] = {
            {1000, 2000, 5000}, {11000, 2000, 2500}, {21000, 2000, 0}, {31000, 2000, 0}};
        for (int32_t i = 0; i < 4; ++i) {
            const Colour want =
                bytes == 2 ? rows[i] : Colour{rows[i].r >> 8, rows[i].g >> 8, rows[i].b >> 8};
            for (int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(pic.get(x, i), want) << x << "," << i;
            EXPECT_EQ(pic.get(4, i), (Colour{7, 7, 7})) << i;
        }
    }
}

TEST(DrawGradient, ClampsToTheSampleScale) {
    Picture pic(3, 2, 2);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawGradient(&d, 40000, 40000, 40000, 0, 0, 0, 60000, 60000, 60000), 1);
    EXPECT_EQ(pic.get(0, 0), (Colour{60000, 60000, 60000}));
    EXPECT_EQ(pic.get(0, 1), kWhite);  // 60000 + 20000
}

TEST(DrawColorMaps, NoPixelsNoDrawing) {
    ImageDesc none{DNR_IMAGE_MAGIC, nullptr, 10, -1, 10};
    EXPECT_EQ(DrawGradient(&none, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(DrawColorMap(0, 0, 0, 0, 0, 0, 0, 0, 0, 10, &none, 0, 0, 10, 10, 40), 0);
    EXPECT_EQ(DrawBrightnessMap(0, 0, 0, 0, 0, 0, 0, 0, 0, 10, &none, 0, 0, 10, 10, 40), 0);
    EXPECT_EQ(DrawColorAndBrightnessMaps2(0, 0, 0, 0, 0, 0, 0, 0, 0, 10, &none, 1), 0);
}

// Centre colour = both range colours = (40000, 30000, 20000) on a 40 by 30 map with step 40:
// every pixel has the centre's luma, Cr grows by 40 a column to the right and Cb by 40 a row
// upward from the middle (20, 15). Tolerance 10 gives r = 200 / 40 = 5 and s = trunc(5 * 0.7071
// + 0.5) = 4; the black circle lies on the white one and covers it.
TEST(DrawColorMap, ASliceThroughTheChromaPlaneWithCoincidingMarkers) {
    Picture pic(40, 30, 2);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawColorMap(40000, 30000, 20000, 40000, 30000, 20000, 40000, 30000, 20000, 10, &d, 0,
                           0, 40, 30, 40),
              1);
    const Ycc c = normalised(40000, 30000, 20000);
    EXPECT_EQ(pic.get(20, 15), back(c.y, c.cb, c.cr));
    EXPECT_EQ(pic.get(21, 15), back(c.y, c.cb, c.cr + 40));
    EXPECT_EQ(pic.get(20, 17), back(c.y, c.cb + 80, c.cr));
    EXPECT_EQ(pic.get(0, 0), back(c.y, c.cb - 15 * 40, c.cr - 20 * 40));
    EXPECT_EQ(pic.get(39, 29), back(c.y, c.cb + 14 * 40, c.cr + 19 * 40));
    for (const auto& m :
         {std::pair{25, 15}, {15, 15}, {20, 20}, {20, 10}, {24, 19}, {16, 11}, {16, 19}, {24, 11}})
        EXPECT_EQ(pic.get(m.first, m.second), kBlack) << m.first << "," << m.second;
    EXPECT_NE(pic.get(23, 15), kBlack);
}

TEST(DrawColorMap, ToleranceZeroPutsTheMarkersOnTheCentre) {
    Picture pic(20, 20, 2);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawColorMap(40000, 30000, 20000, 32768, 32768, 32768, 32768, 32768, 32768, 0, &d, 0,
                           0, 20, 20, 40),
              1);
    // The white markers all sit on (10, 10); the black ones are shifted away from it (by
    // (1495 / 40, -1720 / 40) = (37, -43), outside this picture), so the centre stays white.
    EXPECT_EQ(pic.get(10, 10), kWhite);
    EXPECT_NE(pic.get(11, 10), kWhite);
}

// Range colours grey 32768 (normalised Cb 32760, Cr 32766) and centre (40000, 30000, 20000)
// (Cb 31040, Cr 34261): with step 80 the black circle is the white one moved by
// (1495 / 80, -1720 / 80) = (18, -21) pixels. Tolerance 20 gives r = 5, s = 4.
TEST(DrawColorMap, TheBlackCircleMarksTheCentreColour) {
    const Ycc c = normalised(40000, 30000, 20000);
    const Ycc m = normalised(32768, 32768, 32768);
    ASSERT_EQ((c.cr - m.cr) / 80, 18);
    ASSERT_EQ((c.cb - m.cb) / 80, -21);
    Picture pic(60, 60, 2);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawColorMap(40000, 30000, 20000, 32768, 32768, 32768, 32768, 32768, 32768, 20, &d, 0,
                           0, 60, 60, 80),
              1);
    EXPECT_EQ(pic.get(31, 30), back(c.y, m.cb, m.cr + 80));
    for (const auto& o :
         {std::pair{0, 5}, {0, -5}, {5, 0}, {-5, 0}, {4, 4}, {-4, -4}, {-4, 4}, {4, -4}}) {
        EXPECT_EQ(pic.get(30 + o.first, 30 + o.second), kWhite) << o.first << "," << o.second;
        EXPECT_EQ(pic.get(30 + o.first + 18, 30 + o.second - 21), kBlack)
            << o.first << "," << o.second;
    }
}

TEST(DrawColorMap, ARectangleBeyondThePictureIsReportedAndClipped) {
    WarningCatcher warnings;
    Picture pic(10, 10, 1);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawColorMap(40000, 30000, 20000, 40000, 30000, 20000, 40000, 30000, 20000, 0, &d, 5,
                           5, 10, 10, 40),
              1);
    EXPECT_EQ(warnings.count(), 1);
    EXPECT_EQ(pic.get(4, 4), kBlack);  // outside the rectangle: untouched
    EXPECT_NE(pic.get(9, 9), kBlack);
}

// Range greys 50000 and 10000 (mean 30000: Y 30000) and centre (40000, 30000, 20000) (Y 31850,
// Cb 31040, Cr 34261) on a 40 by 100 map with step 80: b = 560 luma a row around row 50. The
// white markers sit at column 20 - 5 in rows 50 + 20000 / 560 = 85 and 50 - 35 = 15; the black
// ones at column 25, moved up by 1850 / 560 = 3 rows.
TEST(DrawBrightnessMap, ALumaRampWithTheCentreColoursChroma) {
    Picture pic(40, 100, 2);
    ImageDesc d = pic.desc();
    ASSERT_EQ(DrawBrightnessMap(40000, 30000, 20000, 50000, 50000, 50000, 10000, 10000, 10000, 0,
                                &d, 0, 0, 40, 100, 80),
              1);
    const Ycc c = normalised(40000, 30000, 20000);
    ASSERT_EQ(c.cb, 31040);
    ASSERT_EQ(c.cr, 34261);
    EXPECT_EQ(pic.get(0, 50), back(30000, c.cb, c.cr));
    EXPECT_EQ(pic.get(39, 0), back(2000, c.cb, c.cr));
    EXPECT_EQ(pic.get(7, 99), back(57440, c.cb, c.cr));
    EXPECT_EQ(pic.get(15, 85), kWhite);
    EXPECT_EQ(pic.get(15, 15), kWhite);
    EXPECT_EQ(pic.get(25, 88), kBlack);
    EXPECT_EQ(pic.get(25, 18), kBlack);
    EXPECT_EQ(pic.get(25, 85), back(30000 + 35 * 560, c.cb, c.cr));
}

// A step of 0 would divide by zero in the markers; it draws as step 1.
TEST(DrawColorMap, StepZeroDrawsAsStepOne) {
    Picture zero(20, 20, 2), one(20, 20, 2);
    ImageDesc a = zero.desc(), b = one.desc();
    ASSERT_EQ(DrawColorMap(40000, 30000, 20000, 32768, 32768, 32768, 32768, 32768, 32768, 1, &a, 0,
                           0, 20, 20, 0),
              1);
    ASSERT_EQ(DrawBrightnessMap(40000, 30000, 20000, 50000, 50000, 50000, 10000, 10000, 10000, 1,
                                &a, 10, 0, 10, 20, 0),
              1);
    DrawColorMap(40000, 30000, 20000, 32768, 32768, 32768, 32768, 32768, 32768, 1, &b, 0, 0, 20, 20,
                 1);
    DrawBrightnessMap(40000, 30000, 20000, 50000, 50000, 50000, 10000, 10000, 10000, 1, &b, 10, 0,
                      10, 20, 1);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(zero.get(x, y), one.get(x, y));
}

TEST(DrawColorAndBrightnessMaps2, SplitsThePictureAndClampsTheZoom) {
    struct ZoomCase {
        int32_t zoom, step;
    };
    for (const ZoomCase z : {ZoomCase{0, 80}, {1, 80}, {2, 60}, {3, 40}, {9, 40}}) {
        Picture both(80, 40, 2), apart(80, 40, 2);
        ImageDesc a = both.desc(), b = apart.desc();
        ASSERT_EQ(DrawColorAndBrightnessMaps2(40000, 30000, 20000, 50000, 50000, 50000, 10000,
                                              10000, 10000, 30, &a, z.zoom),
                  1);
        DrawColorMap(40000, 30000, 20000, 50000, 50000, 50000, 10000, 10000, 10000, 30, &b, 0, 0,
                     60, 40, z.step);
        DrawBrightnessMap(40000, 30000, 20000, 50000, 50000, 50000, 10000, 10000, 10000, 30, &b, 60,
                          0, 20, 40, z.step);
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 80; ++x)
                ASSERT_EQ(both.get(x, y), apart.get(x, y))
                    << "zoom " << z.zoom << " at " << x << "," << y;
    }
}

}  // namespace
}  // namespace dnr
