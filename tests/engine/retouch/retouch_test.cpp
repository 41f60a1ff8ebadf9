#include <gtest/gtest.h>

#include <cstdlib>

#include "brush_coverage.h"
#include "caller_picture.h"
#include "colour_space.h"
#include "progress.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;

constexpr int32_t kSide = 32;

// A brush record on a picture; y of the centres counted from the top.
RetouchParams brushOn(Picture& target, int32_t mode, int32_t x, int32_t yFromTop, int32_t radius) {
    RetouchParams p{};
    p.Unretouched = {nullptr, 0, -1, 0};
    p.Target = target.pixelView();
    p.X0 = x;
    p.Y0 = yFromTop;
    p.Stroke = 0;
    p.Radius = radius;
    p.Strength = 100;
    p.Mode = mode;
    return p;
}

// A 16-bit picture with a different colour at every pixel.
Picture varied(int32_t bytes = 2) {
    Picture p(kSide, kSide, bytes);
    const int32_t scale = bytes == 1 ? 1 : 256;
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x)
            p.set(x, y, {(40 + 5 * x) * scale, (60 + 3 * y) * scale, (90 + 2 * x + y) * scale});
    return p;
}

TEST(BrushFalloff, RunsFromFullAtTheCentreToNothingAtTheRim) {
    const int64_t q = 65535;
    EXPECT_EQ(brushFalloffEntry(q, 0), 1024);
    EXPECT_EQ(brushFalloffEntry(q, 256), 0);  // the argument is below 0 there
    EXPECT_EQ(brushFalloffEntry(q, 255), 0);  // sigma(1.5 logit(0.0039)) * 1024 = 0.26
    // Half way in squared distance the profile is at one half.
    EXPECT_EQ(brushFalloffEntry(q, 128), 511);  // 1 - 32768/65535 is just below 0.5
    for (int32_t i = 1; i < 257; ++i)
        EXPECT_LE(brushFalloffEntry(q, i), brushFalloffEntry(q, i - 1));
}

TEST(BrushCoverage, DabIsFullAtTheCentreScaledByStrengthAndEmptyOutside) {
    const auto& table = brushFalloff(8);
    BrushSegment dab;
    dab.endX = 10;
    dab.endY = 10;
    dab.radius = 8;
    dab.strength = 100;
    EXPECT_EQ(BrushCoverage(dab, table).at(10, 10), 25600);
    dab.strength = 50;
    EXPECT_EQ(BrushCoverage(dab, table).at(10, 10), 12800);
    EXPECT_EQ(BrushCoverage(dab, table).at(10 + 9, 10), 0);
    EXPECT_GT(BrushCoverage(dab, table).at(10 + 3, 10), BrushCoverage(dab, table).at(10 + 6, 10));
}

TEST(BrushCoverage, StrokeLeavesTheNewEndToTheNextSegment) {
    const auto& table = brushFalloff(6);
    BrushSegment s;
    s.stroke = true;
    s.startX = 4;
    s.startY = 10;
    s.endX = 24;
    s.endY = 10;
    s.radius = 6;
    s.strength = 100;
    const BrushCoverage c(s, table);
    EXPECT_EQ(c.at(4, 10), 25600);   // the start, far from the new end: full
    EXPECT_EQ(c.at(14, 10), 25600);  // on the axis
    EXPECT_EQ(c.at(24, 10), 0);      // the new end: its dab is given by the next segment
    EXPECT_EQ(c.at(14, 10 + 7), 0);  // beyond the radius beside the segment
    EXPECT_EQ(c.distanceSquared(14, 13), 9);
    EXPECT_EQ(c.distanceSquared(1, 14), 25);  // before the start: to the start point
    EXPECT_EQ(c.distanceSquared(27, 6), 25);  // beyond the end: to the end point
}

TEST(BrushCoverage, NothingIsLaidTwiceAroundTheNewEnd) {
    // A segment of no length lies wholly on its new end: what it would lay equals what the
    // previous end dab gave, at every distance and strength, so it lays nothing.
    const auto& table = brushFalloff(6);
    for (const int32_t strength : {100, 73, 30})
        for (int32_t d = 0; d <= 6; ++d) {
            BrushSegment s;
            s.stroke = true;
            s.startX = s.endX = 10;
            s.startY = s.endY = 10;
            s.radius = 6;
            s.strength = strength;
            EXPECT_EQ(BrushCoverage(s, table).at(10 + d, 10), 0) << strength << " at " << d;
            EXPECT_EQ(BrushCoverage(s, table).at(10, 10 - d), 0) << strength << " at " << d;
        }
}

TEST(Retouch, ModesWithoutAColourOfTheirOwnLeaveThePictureUnchanged) {
    for (const int32_t mode : {1, 3, 5, 12, -1}) {
        Picture p = varied();
        const Picture before = p;
        RetouchParams r = brushOn(p, mode, 16, 16, 6);
        EXPECT_EQ(Retouching_Draw(&r), 1) << mode;
        EXPECT_TRUE(p.samePixels(before)) << "mode " << mode;
    }
}

TEST(Retouch, NoTargetPixelsReturnsZero) {
    Picture p = varied();
    RetouchParams r = brushOn(p, 0, 16, 16, 6);
    r.Target = {nullptr, kSide, -1, kSide};
    EXPECT_EQ(Retouching_Draw(&r), 0);
    EXPECT_EQ(Retouching_Draw(nullptr), 0);
}

TEST(Retouch, LightenDoublesTheCentreAndLeavesTheRestAlone) {
    Picture p(kSide, kSide, 2);
    p.fill({10000, 20000, 40000});
    RetouchParams r = brushOn(p, 0, 16, kSide - 1 - 16, 5);  // centre at engine row 16
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_EQ(p.get(16, 16), (Colour{20000, 40000, 65535}));  // x (25600/100 + 256)/256, clamped
    EXPECT_EQ(p.get(16 + 6, 16), (Colour{10000, 20000, 40000}));
    const Colour half = p.get(16 + 2, 16);
    EXPECT_GT(half.r, 10000);
    EXPECT_LT(half.r, 20000);
}

TEST(Retouch, BlurTakesTheBoxMeanAtTheCentre) {
    // Columns alternate white and black; the 11-by-11 box around an even (white) column holds
    // five white columns and six black ones.
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = x % 2 == 0 ? 65535 : 0;
            p.set(x, y, {v, v, v});
        }
    const Picture before = p;
    RetouchParams r = brushOn(p, 2, 16, kSide - 1 - 16, 6);
    clearAbort();
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_EQ(p.get(16, 16).g, 5 * 65535 / 11);
    EXPECT_EQ(p.get(16, 16 + 7), before.get(16, 16 + 7));
    EXPECT_EQ(p.get(0, 0), before.get(0, 0));
}

TEST(Retouch, BlurOnASmallWorkRectangleRepeatsItsBorderSamples) {
    // Radius 3 makes a 7-by-7 work rectangle, columns 13..19. The 11-by-11 box around its centre
    // (column 16, white) reaches three samples past each side, which repeat the black border
    // columns 13 and 19: inside it are the white columns 14, 16 and 18, so 3 of 11 columns.
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = x % 2 == 0 ? 65535 : 0;
            p.set(x, y, {v, v, v});
        }
    RetouchParams r = brushOn(p, 2, 16, kSide - 1 - 16, 3);
    clearAbort();
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_EQ(p.get(16, 16).b, 3 * 65535 / 11);  // 17873
}

TEST(Retouch, ALeftOverAbortDoesNotStopTheBrush) {
    Picture expected(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = (x * 7 + y * 3) % 5 * 16000;
            expected.set(x, y, {v, v / 2, 65535 - v});
        }
    Picture brushed = expected;
    const Picture before = expected;
    // The blur mode smooths through the filter the pipeline's stages share.
    RetouchParams r = brushOn(expected, 2, 16, 16, 6);
    clearAbort();
    ASSERT_EQ(Retouching_Draw(&r), 1);
    r = brushOn(brushed, 2, 16, 16, 6);
    Abort();
    EXPECT_EQ(Retouching_Draw(&r), 1);
    EXPECT_TRUE(brushed.samePixels(expected));
    EXPECT_FALSE(brushed.samePixels(before));
    clearAbort();
}

TEST(Retouch, CloneCopiesFromTheOffsetWithRowsCountedDown) {
    // Engine rows 16 and up are blue-ish, below them red-ish.
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x)
            p.set(x, y, y >= 16 ? Colour{1000, 2000, 60000} : Colour{60000, 3000, 4000});
    // Dab at engine row 20 (row 11 from the top), cloning from 8 rows further down the picture.
    RetouchParams r = brushOn(p, 4, 10, kSide - 1 - 20, 4);
    r.CloneDX = 3;
    r.CloneDY = 8;
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_EQ(p.get(10, 20), (Colour{60000, 3000, 4000}));
    EXPECT_EQ(p.get(10, 25), (Colour{1000, 2000, 60000}));  // outside the brush
}

TEST(Retouch, SmudgeDragsColourAQuarterRadiusAlongTheStroke) {
    // Left of column 6 green, from column 6 on magenta; the stroke runs right from column 4.
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x)
            p.set(x, y, x < 6 ? Colour{0, 50000, 0} : Colour{50000, 0, 50000});
    RetouchParams r = brushOn(p, 6, 20, 16, 8);
    r.Stroke = 1;
    r.X1 = 4;
    r.Y1 = 16;
    ASSERT_EQ(Retouching_Draw(&r), 1);
    // Offset 8 * 16 / 16 / 4 = 2 columns: the start point takes the colour two columns on.
    EXPECT_EQ(p.get(4, kSide - 1 - 16), (Colour{50000, 0, 50000}));
    EXPECT_EQ(p.get(1, 2), (Colour{0, 50000, 0}));

    // A dab has no direction and moves nothing.
    Picture q = varied();
    const Picture before = q;
    RetouchParams d = brushOn(q, 6, 16, 16, 8);
    ASSERT_EQ(Retouching_Draw(&d), 1);
    EXPECT_TRUE(q.samePixels(before));
}

TEST(Retouch, PaintWritesThePaintColourAtTheCentre) {
    for (const int32_t bytes : {1, 2}) {
        Picture p = varied(bytes);
        RetouchParams r = brushOn(p, 7, 16, kSide - 1 - 16, 5);
        r.PaintRed = 200;
        r.PaintGreen = 100;
        r.PaintBlue = 50;
        ASSERT_EQ(Retouching_Draw(&r), 1);
        const int32_t scale = bytes == 1 ? 1 : 256;
        EXPECT_EQ(p.get(16, 16), (Colour{200 * scale, 100 * scale, 50 * scale}));
        EXPECT_EQ(p.get(16, 16 + 6), varied(bytes).get(16, 16 + 6));
    }
}

TEST(Retouch, ColourisingKeepsTheLumaOfEachPixel) {
    Picture p(kSide, kSide, 2);
    p.fill({30000, 30000, 30000});
    RetouchParams r = brushOn(p, 7, 16, kSide - 1 - 16, 5);
    r.PaintRed = 180;
    r.PaintGreen = 120;
    r.PaintBlue = 100;
    r.PaintOn = 1;
    ASSERT_EQ(Retouching_Draw(&r), 1);
    // Full coverage: the paint colour (46080, 30720, 25600), luma 34730, scaled to luma 30000.
    EXPECT_EQ(p.get(16, 16),
              (Colour{46080 * 30000 / 34730, 30720 * 30000 / 34730, 25600 * 30000 / 34730}));
    for (const int32_t x : {14, 17, 19}) {
        const Colour c = p.get(x, 16);
        EXPECT_GT(c.r, c.g) << x;
        EXPECT_GT(c.g, c.b) << x;
        EXPECT_NEAR(rgbToYcc(c.r, c.g, c.b, ChromaModel::Plain).y, 30000, 2) << x;
    }
    EXPECT_EQ(p.get(16, 16 + 6), (Colour{30000, 30000, 30000}));
}

TEST(Retouch, SaturateDoublesAndDesaturateRemovesChromaAtTheCentre) {
    const Colour start{30000, 24000, 20000};
    const Ycc in = rgbToYcc(start.r, start.g, start.b, ChromaModel::Plain);
    for (const int32_t mode : {8, 9}) {
        Picture p(kSide, kSide, 2);
        p.fill(start);
        RetouchParams r = brushOn(p, mode, 16, kSide - 1 - 16, 5);
        ASSERT_EQ(Retouching_Draw(&r), 1);
        const Colour c = p.get(16, 16);
        const Ycc out = rgbToYcc(c.r, c.g, c.b, ChromaModel::Plain);
        EXPECT_NEAR(out.y, in.y, 2) << mode;
        if (mode == 8) {
            // Twice the chroma, up to the rounding of the way through RGB.
            EXPECT_NEAR(out.cr - kChromaZero, 2 * (in.cr - kChromaZero), 40);
            EXPECT_NEAR(out.cb - kChromaZero, 2 * (in.cb - kChromaZero), 40);
        } else {
            // No chroma left: grey of the pixel's luma.
            EXPECT_EQ(c.r, in.y);
            EXPECT_EQ(c.g, in.y);
            EXPECT_EQ(c.b, in.y);
        }
        EXPECT_EQ(p.get(2, 2), start);
    }
}

TEST(Retouch, MirrorMixesAcrossTheStrokeAxis) {
    // Above engine row 16 light, below dark, the axis row grey: the stroke along row 16 mixes
    // the two sides near the axis. A picture symmetric about the axis stays as it is.
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = y > 16 ? 60000 : y < 16 ? 10000 : 35000;
            p.set(x, y, {v, v, v});
        }
    RetouchParams r = brushOn(p, 10, 24, kSide - 1 - 16, 6);
    r.Stroke = 1;
    r.X1 = 4;
    r.Y1 = kSide - 1 - 16;
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_LT(p.get(12, 17).g, 60000);
    EXPECT_GT(p.get(12, 17).g, 35000);  // mostly its own side
    EXPECT_GT(p.get(12, 15).g, 10000);
    EXPECT_LT(p.get(12, 15).g, 35000);
    EXPECT_EQ(p.get(12, 16).g, 35000);
    EXPECT_EQ(p.get(12, 28).g, 60000);

    Picture s(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = 20000 + 1500 * std::abs(y - 16) + 300 * x;
            s.set(x, y, {v, v / 2, v / 3});
        }
    const Picture before = s;
    RetouchParams m = brushOn(s, 10, 24, kSide - 1 - 16, 6);
    m.Stroke = 1;
    m.X1 = 4;
    m.Y1 = kSide - 1 - 16;
    ASSERT_EQ(Retouching_Draw(&m), 1);
    EXPECT_TRUE(s.samePixels(before));
}

TEST(Retouch, RestoreBringsBackTheUnretouchedPixels) {
    Picture original = varied(1);
    Picture p(kSide, kSide, 1);
    p.fill({0, 0, 0});
    RetouchParams r = brushOn(p, 11, 16, kSide - 1 - 16, 5);
    ASSERT_EQ(Retouching_Draw(&r), 1);  // no unretouched picture: nothing to restore
    EXPECT_EQ(p.get(16, 16), (Colour{0, 0, 0}));
    r.Unretouched = original.pixelView();
    ASSERT_EQ(Retouching_Draw(&r), 1);
    EXPECT_EQ(p.get(16, 16), original.get(16, 16));
    EXPECT_EQ(p.get(16 + 6, 16), (Colour{0, 0, 0}));
}

TEST(Retouch, BlurShortcutStrokesFromThePreviousPoint) {
    Picture p(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t v = (x + y) % 2 == 0 ? 65535 : 0;
            p.set(x, y, {v, v, v});
        }
    const Picture before = p;
    ImageDesc image = p.desc();
    clearAbort();
    // The first call strokes from its own point to itself: nothing is laid yet.
    ASSERT_EQ(Blur(&image, 8, 16, 4, 100, 0), 1);
    EXPECT_TRUE(p.samePixels(before));
    ASSERT_EQ(Blur(&image, 24, 16, 4, 100, 0), 1);
    const int32_t row = kSide - 1 - 16;
    EXPECT_NE(p.get(8, row), before.get(8, row));          // the previous point is blurred
    EXPECT_EQ(p.get(8, row + 6), before.get(8, row + 6));  // beyond the radius
    EXPECT_EQ(Blur(nullptr, 1, 1, 4, 100, 0), 0);
}

TEST(Retouch, OutOfRangeRadiusAndStrengthStayInsideThePicture) {
    Picture p = varied();
    RetouchParams r = brushOn(p, 0, 16, 16, 0);  // radius 0 counts as 1
    r.Strength = 250;
    EXPECT_EQ(Retouching_Draw(&r), 1);
    r.Radius = 5000;
    r.X0 = -100000;
    EXPECT_EQ(Retouching_Draw(&r), 1);
}

}  // namespace
}  // namespace dnr
