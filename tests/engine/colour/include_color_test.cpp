#include <gtest/gtest.h>

#include <cstdint>

#include "color_range.h"
#include "colour_space.h"
#include "dnr.h"

namespace dnr {
namespace {

Colors_ColorRangeParams greyRange(int32_t bright, int32_t dark, int32_t tolerance) {
    Colors_ColorRangeParams r{};
    for (int c = 0; c < 3; ++c) {
        r.Color1[c] = uint16_t(bright);
        r.Color2[c] = uint16_t(dark);
        r.TargetColor[c] = 32768;
    }
    r.Tolerance = tolerance;
    return r;
}

Ycc first(const Colors_ColorRangeParams& r) {
    return rgbToYcc(r.Color1[0], r.Color1[1], r.Color1[2], ChromaModel::Relative);
}
Ycc second(const Colors_ColorRangeParams& r) {
    return rgbToYcc(r.Color2[0], r.Color2[1], r.Color2[2], ChromaModel::Relative);
}

int32_t weightOf(const Colors_ColorRangeParams& r, int32_t red, int32_t green, int32_t blue) {
    const Ycc n = rgbToYcc(red, green, blue, ChromaModel::Relative);
    return rangeWeight(prepareRange(r), n.cb, n.y, n.cr);
}

// The record is packed, so its fields are compared by value.
// The ends are stored as the colours of their normalised form; that way back is not an exact
// inverse (grey drifts a little in chroma), so the expected record is built the same way from
// the expected normalised ends.
void expectEnds(const Colors_ColorRangeParams& r, const Ycc& e1, const Ycc& e2) {
    const Rgb c1 = yccToRgb(e1.y, e1.cb, e1.cr, ChromaModel::Relative);
    const Rgb c2 = yccToRgb(e2.y, e2.cb, e2.cr, ChromaModel::Relative);
    EXPECT_EQ(uint16_t{r.Color1[0]}, clamp16(c1.r));
    EXPECT_EQ(uint16_t{r.Color1[1]}, clamp16(c1.g));
    EXPECT_EQ(uint16_t{r.Color1[2]}, clamp16(c1.b));
    EXPECT_EQ(uint16_t{r.Color2[0]}, clamp16(c2.r));
    EXPECT_EQ(uint16_t{r.Color2[1]}, clamp16(c2.g));
    EXPECT_EQ(uint16_t{r.Color2[2]}, clamp16(c2.b));
}

Ycc withLuma(Ycc c, int32_t y) {
    c.y = y;
    return c;
}

TEST(IncludeThisColorIntoSelection, ABrighterColourBecomesTheBrightEnd) {
    Colors_ColorRangeParams r = greyRange(40000, 20000, 30);
    const Ycc before2 = second(r);
    EXPECT_EQ(IncludeThisColorIntoSelection(50000, 50000, 50000, &r, 1), 1);
    // p = 0 and e = 1024: the bright end is the colour itself, the dark end keeps its chroma.
    expectEnds(r, rgbToYcc(50000, 50000, 50000, ChromaModel::Relative), before2);
    // The new colour sits on the end of the axis, weighs 1024 and needs no more tolerance.
    EXPECT_EQ(int32_t{r.Tolerance}, 30);
    EXPECT_GT(weightOf(r, 50000, 50000, 50000), 1000);
}

TEST(IncludeThisColorIntoSelection, ADarkerColourBecomesTheDarkEnd) {
    Colors_ColorRangeParams r = greyRange(40000, 20000, 30);
    const Ycc before1 = first(r);
    const Ycc n = rgbToYcc(5000, 5000, 5000, ChromaModel::Relative);
    EXPECT_EQ(IncludeThisColorIntoSelection(5000, 5000, 5000, &r, 1), 1);
    // p = 35000 * 1024 / 35001 = 1023, e / 3 = 0: the dark end is the colour itself and the
    // bright end keeps its chroma.
    expectEnds(r, before1, n);
    EXPECT_EQ(int32_t{r.Tolerance}, 30);
}

// A colour of luma 31850 between greys 50000 and 10000: p = 18150 * 1024 / 40001 = 464 and
// e = 560, so the bright end's chroma moves 186/1024 and the dark end's 154/1024 of the way to
// the colour, then the tolerance rises until the colour weighs more than 1000.
TEST(IncludeThisColorIntoSelection, AColourInBetweenBendsTheRangeAndRaisesTheTolerance) {
    Colors_ColorRangeParams r = greyRange(50000, 10000, 10);
    const Ycc before1 = first(r), before2 = second(r);
    const Ycc n = rgbToYcc(40000, 30000, 20000, ChromaModel::Relative);
    ASSERT_EQ(n.y, 31850);
    EXPECT_EQ(IncludeThisColorIntoSelection(40000, 30000, 20000, &r, 1), 1);
    const Ycc e1{before1.y, before1.cb + ((186 * (n.cb - before1.cb)) >> 10),
                 before1.cr + ((186 * (n.cr - before1.cr)) >> 10)};
    const Ycc e2{before2.y, before2.cb + ((154 * (n.cb - before2.cb)) >> 10),
                 before2.cr + ((154 * (n.cr - before2.cr)) >> 10)};
    expectEnds(r, e1, e2);
    EXPECT_GT(int32_t{r.Tolerance}, 10);
    EXPECT_GT(weightOf(r, 40000, 30000, 20000), 1000);
    // The tolerance rose by single steps and stopped at the first that was enough.
    Colors_ColorRangeParams less = r;
    less.Tolerance = r.Tolerance - 1;
    EXPECT_LE(weightOf(less, 40000, 30000, 20000), 1000);
}

// Grey 12000 lies at p = 38000 * 1024 / 40001 = 972 > 900, near the dark end. With tolerance 40
// (wY = 30) the dark end's luma becomes min(Y1, 12000 + 122880 / 30) = 16096 and neither end's
// chroma changes: the range is shortened, not bent.
TEST(IncludeThisColorIntoSelection, RemovingAColourNearAnEndShortensTheRange) {
    Colors_ColorRangeParams r = greyRange(50000, 10000, 40);
    const Ycc before1 = first(r), before2 = second(r);
    EXPECT_EQ(IncludeThisColorIntoSelection(12000, 12000, 12000, &r, 0), 1);
    expectEnds(r, before1, withLuma(before2, 16096));
    // The tolerance fell until the colour weighs less than 10, and not further.
    EXPECT_LT(weightOf(r, 12000, 12000, 12000), 10);
    Colors_ColorRangeParams more = r;
    more.Tolerance = r.Tolerance + 1;
    if (r.Tolerance < 40) {
        EXPECT_GE(weightOf(more, 12000, 12000, 12000), 10);
    }
}

TEST(IncludeThisColorIntoSelection, RemovingAColourNearTheBrightEndShortensThatEnd) {
    // Grey 48000: p = 2000 * 1024 / 40001 = 51 < 100; Y1 = max(Y2, 48000 - 4096) = 43904.
    Colors_ColorRangeParams r = greyRange(50000, 10000, 40);
    const Ycc before1 = first(r), before2 = second(r);
    EXPECT_EQ(IncludeThisColorIntoSelection(48000, 48000, 48000, &r, 0), 1);
    expectEnds(r, withLuma(before1, 43904), before2);
}

TEST(IncludeThisColorIntoSelection, RemovingAColourInTheMiddleBendsTheEndsAway) {
    Colors_ColorRangeParams r = greyRange(50000, 10000, 60);
    const Ycc before1 = first(r), before2 = second(r);
    const Ycc n = rgbToYcc(40000, 30000, 20000, ChromaModel::Relative);
    ASSERT_GT(n.cr, before1.cr);
    EXPECT_EQ(IncludeThisColorIntoSelection(40000, 30000, 20000, &r, 0), 1);
    EXPECT_LT(first(r).cr, before1.cr);
    EXPECT_LT(second(r).cr, before2.cr);
    EXPECT_LE(int32_t{r.Tolerance}, 60);
}

TEST(IncludeThisColorIntoSelection, TheToleranceStaysWithinItsScale) {
    // Removing from a range at tolerance 0 cannot lower it further.
    Colors_ColorRangeParams r = greyRange(50000, 10000, 0);
    EXPECT_EQ(IncludeThisColorIntoSelection(30000, 30000, 30000, &r, 0), 1);
    EXPECT_EQ(int32_t{r.Tolerance}, 0);
    // Including a far colour raises it at most to 100, where every colour weighs 1024.
    Colors_ColorRangeParams wide = greyRange(30000, 29000, 1);
    EXPECT_EQ(IncludeThisColorIntoSelection(65535, 0, 30000, &wide, 1), 1);
    EXPECT_LE(int32_t{wide.Tolerance}, 100);
    EXPECT_GT(weightOf(wide, 65535, 0, 30000), 1000);
}

}  // namespace
}  // namespace dnr
