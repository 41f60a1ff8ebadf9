#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "color_range.h"
#include "color_range_areas.h"
#include "color_range_step.h"
#include "colour_space.h"
#include "dnr.h"
#include "plane.h"

namespace dnr {
namespace {

Colors_ColorRangeParams makeRange(Rgb first, Rgb second, Rgb target, int32_t tolerance,
                                  std::vector<XcludedArea>* areas = nullptr,
                                  int32_t areasInclude = 0) {
    Colors_ColorRangeParams r{};
    r.Color1[0] = uint16_t(first.r);
    r.Color1[1] = uint16_t(first.g);
    r.Color1[2] = uint16_t(first.b);
    r.Color2[0] = uint16_t(second.r);
    r.Color2[1] = uint16_t(second.g);
    r.Color2[2] = uint16_t(second.b);
    r.TargetColor[0] = uint16_t(target.r);
    r.TargetColor[1] = uint16_t(target.g);
    r.TargetColor[2] = uint16_t(target.b);
    r.Tolerance = tolerance;
    r.AreaCount = areas ? int32_t(areas->size()) : 0;
    r.Areas = areas && !areas->empty() ? areas->data() : nullptr;
    r.AreasInclude = areasInclude;
    return r;
}

constexpr Rgb kGrey{32768, 32768, 32768};

// Grey 32768 in the normalised form: Y 32768, Cb 0x8000-8, Cr 0x8000-2.
constexpr int32_t kGreyY = 32768, kGreyCb = 32760, kGreyCr = 32766;

struct WeightCase {
    int32_t cb, y, cr;
    int32_t weight;
};

// Tolerance 50: wCb = wCr = 100, wY = 25. The fall-off table gives F[625] = 1020 and 0 from
// about 1000 on.
TEST(ColorRangeWeight, EqualColoursMakeASphereWhereLumaCountsFourTimesLess) {
    const PreparedRange r = prepareRange(makeRange(kGrey, kGrey, kGrey, 50));
    EXPECT_EQ(r.h, 0);
    EXPECT_EQ(r.cY, kGreyY);
    EXPECT_EQ(r.cCb, kGreyCb);
    EXPECT_EQ(r.cCr, kGreyCr);
    const WeightCase cases[] = {
        {kGreyCb, kGreyY, kGreyCr, 1024},
        {kGreyCb + 1024, kGreyY, kGreyCr, 1020},  // dCb = 100, D = 10000 >> 4 = 625
        {kGreyCb, kGreyY, kGreyCr - 1024, 1020},  // dCr = -100
        {kGreyCb, kGreyY + 4096, kGreyCr, 1020},  // dY = 4096 * 25 >> 10 = 100
        {kGreyCb, kGreyY - 4096, kGreyCr, 1020},
        {kGreyCb + 2048, kGreyY, kGreyCr, 0},  // D = 2500, beyond the table
    };
    for (const WeightCase& c : cases)
        EXPECT_EQ(rangeWeight(r, c.cb, c.y, c.cr), c.weight) << c.cb << "," << c.y << "," << c.cr;
}

// Greys 60000 and 10000 have Y 60000 and 10000 and the same chroma (Cb 32760, Cr 32766): the
// range is a tube along the luma axis from 10000 to 60000.
TEST(ColorRangeWeight, TheRangeIsATubeAroundTheSegment) {
    const PreparedRange r =
        prepareRange(makeRange({60000, 60000, 60000}, {10000, 10000, 10000}, kGrey, 50));
    EXPECT_EQ(r.cY, 35000);
    EXPECT_EQ(r.h, 25000);
    EXPECT_EQ(r.sCb, 0);
    const WeightCase cases[] = {
        {32760, 20000, 32766, 1024},  // on the axis, inside the segment
        {32760, 60000, 32766, 1024},  // at the bright end
        {32760, 64096, 32766, 1020},  // 4096 past the bright end: dY = 100
        {32760, 1808, 32766, 0},      // 8192 below the dark end: dY = -200, D = 2500
        {33784, 30000, 32766, 1020},  // 1024 off the axis in chroma
    };
    for (const WeightCase& c : cases)
        EXPECT_EQ(rangeWeight(r, c.cb, c.y, c.cr), c.weight) << c.cb << "," << c.y << "," << c.cr;
}

TEST(ColorRangeWeight, ToleranceHundredWeighsEveryColourFully) {
    const PreparedRange r = prepareRange(makeRange(kGrey, kGrey, kGrey, 100));
    EXPECT_EQ(r.wCb, 0);
    EXPECT_EQ(r.wY, 0);
    for (int32_t v : {0, 1000, 40000, 65535})
        EXPECT_EQ(rangeWeight(r, v, 65535 - v, v), 1024);
}

// A range whose chroma lies at the bottom of the scale: the axis point below the centre must not
// wrap to the top of the scale, which would make the range's own colours weigh nothing.
TEST(ColorRangeWeight, AxisNearTheEndOfTheChromaScaleDoesNotWrap) {
    PreparedRange r;
    r.cCb = 0;
    r.cCr = 32768;
    r.cY = 30000;
    r.h = 10000;
    r.sCb = 10;  // the axis point at the dark end is 0 + (10 * -10000 >> 10) = -98
    r.wCb = r.wCr = 200;
    r.wY = 50;
    EXPECT_EQ(rangeWeight(r, 0, 20000, 32768), 1024);
}

// A 20 by 10 picture of which the part from column 5, row 2 (from the top), 10 wide and 6 high
// is processed. An area centred at (10, 4) lands at (5, 6 + 2 - 4 - 1) = (5, 3) of the part.
TEST(ColorRangeAreas, AreasAreMappedThroughTheViewFields) {
    ProcessingParams p{};
    p.ViewLeft = 5;
    p.ViewTop = 2;
    p.ViewWidth = 10;
    p.ViewHeight = 6;
    p.FullWidth = p.ScaledFullWidth = 20;
    p.FullHeight = p.ScaledFullHeight = 10;
    std::vector<XcludedArea> areas = {{1, 10, 4, 4, 2}, {0, 10, 4, 4, 2}};
    const auto mapped = mapAreas(makeRange(kGrey, kGrey, kGrey, 0, &areas, 1), p, 6);
    ASSERT_EQ(mapped.size(), 2u);
    EXPECT_EQ(mapped[0].x, 5);
    EXPECT_EQ(mapped[0].y, 3);
    EXPECT_EQ(mapped[0].rx, 2);
    EXPECT_EQ(mapped[0].ry, 1);

    // Rectangle: columns 3..7, rows 2..4. Ellipse with rx 2, ry 1: ix = 524288, iy = 1048576;
    // a step of 1 row already gives 1024^2 > 1048575, so only row 3 at columns 4..6.
    for (int32_t i = 0; i < 6; ++i)
        for (int32_t j = 0; j < 10; ++j) {
            EXPECT_EQ(insideArea(mapped[0], j, i), j >= 3 && j <= 7 && i >= 2 && i <= 4)
                << j << "," << i;
            EXPECT_EQ(insideArea(mapped[1], j, i), i == 3 && j >= 4 && j <= 6) << j << "," << i;
        }

    // Positions given in a picture twice the size are halved.
    p.FullWidth = 40;
    p.FullHeight = 20;
    std::vector<XcludedArea> big = {{1, 20, 8, 8, 4}};
    const auto halved = mapAreas(makeRange(kGrey, kGrey, kGrey, 0, &big, 1), p, 6);
    ASSERT_EQ(halved.size(), 1u);
    EXPECT_EQ(halved[0].x, 5);
    EXPECT_EQ(halved[0].y, 3);
    EXPECT_EQ(halved[0].rx, 2);
    EXPECT_EQ(halved[0].ry, 1);
}

// Planes of a small RGB picture; pixel (j, i) gets a colour of its own.
PlaneSet picture(int32_t w, int32_t h) {
    PlaneSet s;
    EXPECT_TRUE(s.allocate(w, h));
    for (int32_t i = 0; i < h; ++i)
        for (int32_t j = 0; j < w; ++j) {
            s.planes[0].row(i)[j] = uint16_t(8000 + 3000 * j);   // blue
            s.planes[1].row(i)[j] = uint16_t(20000 + 5000 * i);  // green
            s.planes[2].row(i)[j] = uint16_t(30000 + 1000 * j);  // red
        }
    return s;
}

Ycc normalisedAt(const PlaneSet& rgb, int32_t j, int32_t i) {
    return rgbToYcc(rgb.planes[2].row(i)[j], rgb.planes[1].row(i)[j], rgb.planes[0].row(i)[j],
                    ChromaModel::Relative);
}

ProcessingParams paramsWith(std::vector<Colors_ColorRangeParams>& ranges, int32_t w, int32_t h) {
    ProcessingParams p{};
    p.ColorRangeCount = int32_t(ranges.size());
    p.ColorRanges = ranges.data();
    p.SelectedColorRange = -1;
    p.FinalRun = 1;
    p.ViewWidth = p.FullWidth = p.ScaledFullWidth = w;
    p.ViewHeight = p.FullHeight = p.ScaledFullHeight = h;
    return p;
}

// Whether the step moved pixel (j, i) by the full shift of the range (target minus centre) or
// left it at its own normalised colour.
enum Expect { Unchanged, Shifted };

void expectPixels(const PlaneSet& before, const PlaneSet& after, const Ycc& shift,
                  const std::vector<Expect>& expected) {
    ASSERT_FALSE(after.rgb);
    ASSERT_EQ(after.model, ChromaModel::Relative);
    for (int32_t i = 0; i < after.height(); ++i)
        for (int32_t j = 0; j < after.width(); ++j) {
            const Ycc c = normalisedAt(before, j, i);
            const bool moved = expected[size_t(i) * after.width() + j] == Shifted;
            EXPECT_EQ(after.planes[PlaneSet::kCb].row(i)[j], clamp16(c.cb + (moved ? shift.cb : 0)))
                << j << "," << i;
            EXPECT_EQ(after.planes[PlaneSet::kY].row(i)[j], clamp16(c.y + (moved ? shift.y : 0)))
                << j << "," << i;
            EXPECT_EQ(after.planes[PlaneSet::kCr].row(i)[j], clamp16(c.cr + (moved ? shift.cr : 0)))
                << j << "," << i;
        }
}

Ycc shiftOf(Rgb target) {
    const Ycc t = rgbToYcc(target.r, target.g, target.b, ChromaModel::Relative);
    return {t.y - kGreyY, t.cb - kGreyCb, t.cr - kGreyCr};
}

TEST(ColorRangeStep, NoRangesLeavesThePlanesAlone) {
    std::vector<Colors_ColorRangeParams> none;
    PlaneSet s = picture(3, 2);
    const PlaneSet before = picture(3, 2);
    ProcessingParams p = paramsWith(none, 3, 2);
    p.ColorRanges = nullptr;
    EXPECT_TRUE(colorRangeStep(s, p));
    EXPECT_TRUE(s.rgb);
    for (int k = 0; k < 3; ++k)
        for (int32_t i = 0; i < 2; ++i)
            for (int32_t j = 0; j < 3; ++j)
                EXPECT_EQ(s.planes[k].row(i)[j], before.planes[k].row(i)[j]);
}

TEST(ColorRangeStep, ToleranceHundredShiftsTheWholePictureFully) {
    const Rgb target{50000, 30000, 10000};
    std::vector<Colors_ColorRangeParams> ranges = {makeRange(kGrey, kGrey, target, 100)};
    PlaneSet s = picture(4, 3);
    const PlaneSet before = picture(4, 3);
    ASSERT_TRUE(colorRangeStep(s, paramsWith(ranges, 4, 3)));
    expectPixels(before, s, shiftOf(target), std::vector<Expect>(12, Shifted));
}

struct AreaCase {
    const char* what;
    int32_t areasInclude;
    std::vector<XcludedArea> areas;
    std::vector<Expect> expected;  // rows from the bottom, 5 pixels each
};

// A 5 by 3 picture; the rectangle centred at column 2, row 1 from the top (row 1 from the bottom
// too), 2 wide and 2 high, covers columns 1..3 and rows 0..2.
TEST(ColorRangeStep, IncludedAndExcludedAreas) {
    const Expect U = Unchanged, S = Shifted;
    const AreaCase cases[] = {
        {"include without areas changes nothing", 1, {}, std::vector<Expect>(15, U)},
        {"exclude without areas applies everywhere", 0, {}, std::vector<Expect>(15, S)},
        {"include a rectangle",
         1,
         {{1, 2, 1, 2, 2}},
         {U, S, S, S, U, U, S, S, S, U, U, S, S, S, U}},
        {"exclude a rectangle",
         0,
         {{1, 2, 1, 2, 2}},
         {S, U, U, U, S, S, U, U, U, S, S, U, U, U, S}},
        // An ellipse of half sizes 1 and 1: a neighbour of the centre gives
        // (1 * 1048576 >> 10)^2 = 1048576 > 1048575, so only the centre is inside.
        {"include an ellipse", 1, {{0, 2, 1, 2, 2}}, {U, U, U, U, U, U, U, S, U, U, U, U, U, U, U}},
        // Two single-pixel rectangles: (0, 2 from the top) is (0, 0); (4, 0) is (4, 2).
        {"include two areas",
         1,
         {{1, 0, 2, 0, 0}, {1, 4, 0, 0, 0}},
         {S, U, U, U, U, U, U, U, U, U, U, U, U, U, S}},
    };
    const Rgb target{50000, 30000, 10000};
    for (const AreaCase& c : cases) {
        std::vector<XcludedArea> areas = c.areas;
        std::vector<Colors_ColorRangeParams> ranges = {
            makeRange(kGrey, kGrey, target, 100, &areas, c.areasInclude)};
        PlaneSet s = picture(5, 3);
        const PlaneSet before = picture(5, 3);
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(colorRangeStep(s, paramsWith(ranges, 5, 3)));
        expectPixels(before, s, shiftOf(target), c.expected);
    }
}

TEST(ColorRangeStep, OnATieTheLaterRangeWins) {
    const Rgb first{60000, 10000, 10000};
    const Rgb second{10000, 10000, 60000};
    std::vector<Colors_ColorRangeParams> ranges = {makeRange(kGrey, kGrey, first, 100),
                                                   makeRange(kGrey, kGrey, second, 100)};
    PlaneSet s = picture(3, 2);
    const PlaneSet before = picture(3, 2);
    ASSERT_TRUE(colorRangeStep(s, paramsWith(ranges, 3, 2)));
    expectPixels(before, s, shiftOf(second), std::vector<Expect>(6, Shifted));
}

TEST(ColorRangeStep, TheHigherWeightWinsOverALaterRange) {
    // The first range covers everything; the second is a sharp sphere around grey 60000 that no
    // pixel of the picture comes near, so its weight 0 loses to 1024.
    const Rgb first{60000, 10000, 10000};
    std::vector<Colors_ColorRangeParams> ranges = {
        makeRange(kGrey, kGrey, first, 100),
        makeRange({60000, 60000, 60000}, {60000, 60000, 60000}, {0, 0, 0}, 0)};
    PlaneSet s = picture(3, 2);
    const PlaneSet before = picture(3, 2);
    ASSERT_TRUE(colorRangeStep(s, paramsWith(ranges, 3, 2)));
    expectPixels(before, s, shiftOf(first), std::vector<Expect>(6, Shifted));
}

// Show mode on a flat picture: the relief is flat (blurred Y equals Y), so Y becomes 32768; the
// selected range weighs every pixel 1024, so Cr glows at 32768 + 4 * 1024; pixels its areas
// keep it out of get Cb = Cr = 0x7C00.
TEST(ColorRangeStep, ShowModePaintsTheSelection) {
    const int32_t w = 5, h = 3;
    PlaneSet flat;
    ASSERT_TRUE(flat.allocate(w, h));
    for (Plane& pl : flat.planes)
        std::fill_n(pl.data(), pl.size(), uint16_t{20000});
    std::vector<XcludedArea> areas = {{1, 2, 1, 2, 2}};
    std::vector<Colors_ColorRangeParams> ranges = {
        makeRange(kGrey, kGrey, {0, 0, 0}, 100),
        makeRange(kGrey, kGrey, {0, 0, 0}, 100, &areas, 1)};
    for (int32_t selected : {0, 1}) {
        PlaneSet s;
        ASSERT_TRUE(s.copyFrom(flat));
        ProcessingParams p = paramsWith(ranges, w, h);
        p.FinalRun = 0;
        p.SelectedColorRange = selected;
        ASSERT_TRUE(colorRangeStep(s, p));
        for (int32_t i = 0; i < h; ++i)
            for (int32_t j = 0; j < w; ++j) {
                const bool excluded = selected == 1 && (j == 0 || j == 4);
                EXPECT_EQ(s.planes[PlaneSet::kY].row(i)[j], 32768);
                EXPECT_EQ(s.planes[PlaneSet::kCb].row(i)[j], excluded ? 0x7C00 : 32768);
                EXPECT_EQ(s.planes[PlaneSet::kCr].row(i)[j], excluded ? 0x7C00 : 32768 + 4096);
            }
    }
}

TEST(ColorRangeStep, ShowModeDrawsARelief) {
    // A bright column in a dark picture: next to it the blurred luma is higher than the pixel's
    // own, so the relief rises above 32768 there; on it, it sinks below.
    const int32_t w = 15, h = 3;
    PlaneSet s;
    ASSERT_TRUE(s.allocate(w, h));
    for (int32_t i = 0; i < h; ++i)
        for (int32_t j = 0; j < w; ++j)
            for (Plane& pl : s.planes)
                pl.row(i)[j] = j == 7 ? 60000 : 5000;
    std::vector<Colors_ColorRangeParams> ranges = {makeRange(kGrey, kGrey, kGrey, 0)};
    ProcessingParams p = paramsWith(ranges, w, h);
    p.FinalRun = 0;
    p.SelectedColorRange = 0;
    ASSERT_TRUE(colorRangeStep(s, p));
    EXPECT_LT(s.planes[PlaneSet::kY].row(1)[7], 32768);
    EXPECT_GT(s.planes[PlaneSet::kY].row(1)[6], 32768);
    EXPECT_GT(s.planes[PlaneSet::kY].row(1)[8], 32768);
    // Far from the column the picture is flat: the relief stays at mid grey but for rounding.
    EXPECT_NEAR(s.planes[PlaneSet::kY].row(1)[0], 32768, 1);
    for (int32_t j = 0; j < w; ++j) {
        EXPECT_GE(s.planes[PlaneSet::kY].row(1)[j], 32768 - 4000);
        EXPECT_LE(s.planes[PlaneSet::kY].row(1)[j], 32768 + 4000);
    }
}

TEST(ColorRangeStep, AFinalRunNeverShowsTheSelection) {
    const Rgb target{50000, 30000, 10000};
    std::vector<Colors_ColorRangeParams> ranges = {makeRange(kGrey, kGrey, target, 100)};
    PlaneSet s = picture(4, 3);
    const PlaneSet before = picture(4, 3);
    ProcessingParams p = paramsWith(ranges, 4, 3);
    p.SelectedColorRange = 0;
    p.FinalRun = 1;
    ASSERT_TRUE(colorRangeStep(s, p));
    expectPixels(before, s, shiftOf(target), std::vector<Expect>(12, Shifted));
}

}  // namespace
}  // namespace dnr
