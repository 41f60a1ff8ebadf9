#include <gtest/gtest.h>

#include "caller_picture.h"
#include "colour_from_hue.h"
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::grey;
using testing::neutralParams;
using testing::Picture;

TEST(CurvePanel, CentreLineAndFlatCurveDots) {
    Picture pic(40, 20, 2);
    ProcessingParams p = neutralParams();
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawNoiseEqualizerCurve(&target, &p, 1), 1);
    // Centre row 10: the dotted centre line (0x8000, then half of it) at both ends ...
    EXPECT_EQ(pic.get(0, 10), grey(0x8000));
    EXPECT_EQ(pic.get(39, 10), grey(0x4000));
    // ... and the flat curve's dots over it from column 1 to 38, light grey first.
    EXPECT_EQ(pic.get(1, 10), grey(0xFF00));
    EXPECT_EQ(pic.get(2, 10), grey(0));
    EXPECT_EQ(pic.get(3, 10), grey(0xFF00));
    EXPECT_EQ(pic.get(38, 10), grey(0));
}

TEST(CurvePanel, RaisedCurveIsDrawnAboveTheCentre) {
    Picture pic(30, 100, 2);
    ProcessingParams p = neutralParams();
    p.SharpenAmount = 50;  // table 51200 everywhere
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawSharpnessEqualizerCurve(&target, &p, 1), 1);
    // Offset 51200 * 5 / (2560000 / 300) = 30 rows above row 50.
    EXPECT_EQ(curveObject(CurveKind::Sharpness).curveOffset(7, 30, 100), 30);
    EXPECT_EQ(pic.get(1, 80), grey(0xFF00));
    EXPECT_EQ(pic.get(2, 80), grey(0));
    EXPECT_EQ(pic.get(0, 50), grey(0x8000));
    EXPECT_EQ(pic.get(1, 50), grey(0x4000));
}

TEST(CurvePanel, NoiseColumnsAreChequered) {
    Picture pic(12, 12, 2);
    ProcessingParams p = neutralParams();
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawNoiseEqualizerCurve(&target, &p, 1), 1);
    // Column 0, hue 0: a neutral curve gives p = 30 in both halves: colour * 115 / 100, dim 70 %.
    const Rgb c = colourFromHue(0, 6553, 0x7FFF);
    const Colour bright{c.r * 115 / 100, c.g * 115 / 100, c.b * 115 / 100};
    const Colour dim{bright.r * 70 / 100, bright.g * 70 / 100, bright.b * 70 / 100};
    // (0 / 3) is even: the column starts dim, in cells of three rows.
    EXPECT_EQ(pic.get(0, 0), dim);
    EXPECT_EQ(pic.get(0, 2), dim);
    EXPECT_EQ(pic.get(0, 3), bright);
    EXPECT_EQ(pic.get(0, 5), bright);
    // The upper half starts again at its own first row (row 6, under the centre line).
    EXPECT_EQ(pic.get(0, 7), dim);
    EXPECT_EQ(pic.get(0, 9), bright);
    // Column 3: (3 / 3) odd, bright first.
    const Rgb c3 = colourFromHue((3 * 360 / 12) * 128, 6553, 0x7FFF);
    EXPECT_EQ(pic.get(3, 0), (Colour{c3.r * 115 / 100, c3.g * 115 / 100, c3.b * 115 / 100}));
}

TEST(CurvePanel, SharpnessColumnsAreStriped) {
    Picture pic(8, 8, 2);
    ProcessingParams p = neutralParams();
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawSharpnessEqualizerCurve(&target, &p, 1), 1);
    // p = -30: whole columns, bright when (i / 2) is odd.
    const Rgb c0 = colourFromHue(0, 6553, 0x7FFF);
    const Rgb c2 = colourFromHue(90 * 128, 6553, 0x7FFF);
    EXPECT_EQ(pic.get(0, 1), (Colour{c0.r * 115 / 100 * 70 / 100, c0.g * 115 / 100 * 70 / 100,
                                     c0.b * 115 / 100 * 70 / 100}));
    EXPECT_EQ(pic.get(2, 1), (Colour{c2.r * 115 / 100, c2.g * 115 / 100, c2.b * 115 / 100}));
    EXPECT_EQ(pic.get(2, 6), pic.get(2, 1));
}

TEST(CurvePanel, SaturationColumnsArePlainHueColours) {
    Picture pic(10, 10, 2);
    ProcessingParams p = neutralParams();
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawColorEqualizerCurve(&target, &p, 1), 1);
    // Neutral curve: v = 0, saturation 0.1 in both halves, brightness 0.5.
    const Rgb c = colourFromHue(36 * 128, 6553, 32767);
    EXPECT_EQ(pic.get(1, 0), (Colour{c.r, c.g, c.b}));
    EXPECT_EQ(pic.get(1, 9), (Colour{c.r, c.g, c.b}));
    // Black and white: the lower half is the grey (v + 100) * 0.3 %.
    p.BWConversion = 1;
    ASSERT_EQ(DrawColorEqualizerCurve(&target, &p, 1), 1);
    EXPECT_EQ(pic.get(1, 0), grey(static_cast<int32_t>(100 * 0.3 * 0.01 * 65535)));
}

TEST(CurvePanel, BrightnessColumnsAreGreyLevels) {
    Picture pic(16, 8, 2);
    ProcessingParams p = neutralParams();
    PixelView target = pic.pixelView();
    ASSERT_EQ(DrawEqualizerCurve_and_Histogram(&target, nullptr, &p, 1, 0, 1), 1);
    for (int32_t i : {0, 5, 15}) {
        // Upper half: the input level; lower half: the output level of the neutral table.
        EXPECT_EQ(pic.get(i, 7), grey(i * 65536 / 16)) << i;
        const int32_t v = i * 65535 / 16, k = v >> 8, f = v & 255;
        const int64_t lookup =
            (int64_t{k * 65535 / 256} * (256 - f) + int64_t{(k + 1) * 65535 / 256} * f) >> 8;
        const int64_t level = (16 * lookup) >> 16;
        EXPECT_EQ(pic.get(i, 0), grey(static_cast<int32_t>(level * 65536 / 16))) << i;
    }
}

TEST(CurvePanel, TargetsWithoutPixelsAreRefused) {
    ProcessingParams p = neutralParams();
    PixelView none{nullptr, 10, 2, 10};
    EXPECT_EQ(DrawNoiseEqualizerCurve(&none, &p, 1), 0);
    EXPECT_EQ(DrawColorEqualizerCurve(&none, &p, 1), 0);
    EXPECT_EQ(DrawSharpnessEqualizerCurve(&none, &p, 1), 0);
    EXPECT_EQ(DrawEqualizerCurve(&none, &p, 1), 0);
    EXPECT_EQ(DrawEqualizerCurve_and_Histogram(&none, &none, &p, 1, 1, 0), 0);
    EXPECT_EQ(DrawNoiseEqualizerCurve(nullptr, &p, 1), 0);
}

}  // namespace
}  // namespace dnr
