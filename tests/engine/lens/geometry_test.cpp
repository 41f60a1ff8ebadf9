#include <gtest/gtest.h>

#include "geometry_display.h"
#include "geometry_mapping.h"
#include "plane_fixture.h"
#include "progress.h"
#include "stages.h"
#include "vignetting.h"

namespace dnr {
namespace {

using testing::randomRgbSet;
using testing::samePlanes;

PlaneSet flatRgb(int32_t w, int32_t h, uint16_t v) {
    PlaneSet s;
    EXPECT_TRUE(s.allocate(w, h));
    for (Plane& p : s.planes)
        std::fill_n(p.data(), p.size(), v);
    return s;
}

ProcessingParams geometryParams() {
    ProcessingParams p{};
    p.DistortionsOn = 1;
    return p;
}

TEST(Geometry, NeutralSlidersChangeNothingAndNeedNoCopy) {
    struct Case {
        int32_t autoCrop, finalRun, showGrid, steepness;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 100}, {1, 1, 1, 200}};
    for (const Case& c : cases) {
        ProcessingParams p = geometryParams();
        p.AutoCrop = c.autoCrop;
        p.FinalRun = c.finalRun;
        p.ShowGrid = c.showGrid;
        p.CurveSteepness = c.steepness;
        const PlaneSet before = randomRgbSet(37, 23, 7);
        PlaneSet planes;
        ASSERT_TRUE(planes.copyFrom(before));
        EXPECT_FALSE(makeGeometryMapping(37, 23, p).movesPixels());
        ASSERT_TRUE(correctGeometry(planes, p));
        EXPECT_TRUE(samePlanes(planes, before)) << c.autoCrop << c.finalRun << c.showGrid;
    }
}

TEST(Geometry, SwitchedOffLeavesThePlanes) {
    ProcessingParams p = geometryParams();
    p.DistortionsOn = 0;
    p.Barrel = 60;
    p.Vignetting = 100;
    const PlaneSet before = randomRgbSet(20, 16, 3);
    PlaneSet planes;
    ASSERT_TRUE(planes.copyFrom(before));
    ASSERT_TRUE(correctGeometry(planes, p));
    EXPECT_TRUE(samePlanes(planes, before));
}

TEST(Vignetting, StrengthFromSlider) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {7, 71}, {100, 1024}, {200, 2048}};
    for (auto [slider, gv] : cases)
        EXPECT_EQ(vignettingStrength(slider), gv) << slider;
}

TEST(Vignetting, CurveEntries) {
    // Steepness 0: s = 0, every entry 65535. Steepness 5: s = 1, a straight line.
    const VignettingCurve flat(0);
    for (int32_t i : {0, 1, 512, 1023, 1024})
        EXPECT_EQ(flat.entry(i), 65535) << i;
    const VignettingCurve linear(5);
    EXPECT_EQ(linear.entry(0), 0);
    EXPECT_EQ(linear.entry(512), 32767);
    EXPECT_EQ(linear.entry(1024), 65534);  // (65535/65536)*65535
    EXPECT_EQ(linear.at(0), 0);
    EXPECT_EQ(linear.at(1.0), (65534 * 63 + 65471 * 1) >> 6);  // t = 65535: a = 1023, b = 63
}

TEST(Vignetting, Vignetting100WithSteepness0DoublesEveryPixel) {
    EXPECT_EQ(vignettingGain(65535, 1024), 2047);
    struct Case {
        uint16_t in, out;
    };
    const Case cases[] = {{0, 0}, {1000, 1999}, {32768, 65504}, {40000, 65535}};
    for (const Case& c : cases) {
        ProcessingParams p = geometryParams();
        p.Vignetting = 100;
        p.CurveSteepness = 0;
        PlaneSet planes = flatRgb(15, 9, c.in);
        ASSERT_TRUE(correctGeometry(planes, p));
        for (const Plane& plane : planes.planes)
            for (size_t i = 0; i < plane.size(); ++i)
                ASSERT_EQ(plane.data()[i], c.out) << c.in;
    }
}

TEST(Vignetting, CornersBrightenMoreThanTheCentre) {
    ProcessingParams p = geometryParams();
    p.Vignetting = 100;
    p.CurveSteepness = 10;  // s = 2
    PlaneSet planes = flatRgb(41, 31, 20000);
    ASSERT_TRUE(correctGeometry(planes, p));
    const Plane& g = planes.planes[1];
    EXPECT_EQ(g.row(15)[20], 20000);  // the centre: rn 0, curve 0, gain 1024
    EXPECT_GT(g.row(0)[0], g.row(15)[0]);
    EXPECT_GT(g.row(15)[0], g.row(15)[10]);
    EXPECT_LT(g.row(0)[0], 40000);
}

TEST(Bilinear, WeightsAndMirroredTaps) {
    Plane plane;
    ASSERT_TRUE(plane.allocate(4, 2));
    const uint16_t values[] = {0, 1000, 2000, 3000, 100, 1100, 2100, 3100};
    std::copy(std::begin(values), std::end(values), plane.data());
    struct Case {
        int64_t x256, y256;
        uint16_t expected;
    };
    const Case cases[] = {
        {0, 0, 0},
        {256, 0, 1000},
        {3 * 256, 256, 3100},
        // Half way along a row: weights (127*255)>>4 = 2024 and (128*255)>>4 = 2040.
        {128, 0, 2040 * 1000 / 4064},
        // Half a pixel left of the picture: the tap at -1 is mirrored to 1.
        {-128, 0, 2024 * 1000 / 4064},
        // Half a pixel right of the last column: the tap at 4 is mirrored to 3.
        {3 * 256 + 128, 0, 3000},
        // Far outside: mirrored, then clamped to the picture.
        {-100 * 256, 0, 0},
        {256, 10 * 256, 1000},
    };
    for (const Case& c : cases) {
        const BilinearTaps taps = bilinearTaps(c.x256, c.y256, 4, 2);
        EXPECT_EQ(sampleBilinear(plane, taps), c.expected) << c.x256 << "," << c.y256;
    }
}

TEST(Bilinear, SubpixelTruncatesTowardZero) {
    EXPECT_EQ(toSubpixel(1.999), 511);
    EXPECT_EQ(toSubpixel(-0.5), -128);
    EXPECT_EQ(toSubpixel(-0.001), 0);
    EXPECT_EQ(toSubpixel(std::nan("")), 0);
    EXPECT_EQ(toSubpixel(1e300), int64_t{1} << 40);
}

// Every tap the sample uses (weight above 0) lies in the picture.
bool filledFromInside(const GeometryMapping& m, int32_t w, int32_t h) {
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
            const MappedPoint at = mapBack(m, i, j, true);
            const int64_t x = toSubpixel(at.x);
            const int64_t y = toSubpixel(at.y);
            if (x < 0 || y < 0) return false;
            if ((x >> 8) > w - 1 || ((x >> 8) == w - 1 && (x & 255) != 0)) return false;
            if ((y >> 8) > h - 1 || ((y >> 8) == h - 1 && (y & 255) != 0)) return false;
        }
    return true;
}

TEST(GeometryMapping, BarrelMinus100WithAutoCropKeepsTheCornersFilled) {
    ProcessingParams p = geometryParams();
    p.Barrel = -100;
    p.AutoCrop = 1;
    const GeometryMapping m = makeGeometryMapping(200, 200, p);
    EXPECT_DOUBLE_EQ(m.k, -0.5);
    // E = 99/sqrt(2*100^2), r0 = (sqrt(1.5^2 - 2E) - 1.5)/-1, zoom E/r0.
    EXPECT_NEAR(m.scaleX, 1.2109579, 1e-6);
    EXPECT_NEAR(m.scaleY, 1.2109579, 1e-6);
    for (auto [w, h] : {std::pair{200, 200}, {64, 40}, {33, 71}})
        EXPECT_TRUE(filledFromInside(makeGeometryMapping(w, h, p), w, h)) << w << "x" << h;

    p.AutoCrop = 0;  // without the zoom the corners come from outside
    const GeometryMapping bare = makeGeometryMapping(200, 200, p);
    EXPECT_DOUBLE_EQ(bare.scaleX, 1.0);
    EXPECT_FALSE(filledFromInside(bare, 200, 200));
}

TEST(GeometryMapping, PerspectiveAndSqueezeWithAutoCropStayInside) {
    struct Case {
        int32_t barrel, hp, vp, squeeze;
    };
    const Case cases[] = {
        {0, 100, 0, 0}, {0, -100, 0, 0}, {0, 0, 100, 0}, {0, 0, -100, 0}, {-100, 60, -60, 0}};
    for (const Case& c : cases) {
        ProcessingParams p = geometryParams();
        p.AutoCrop = 1;
        p.Barrel = c.barrel;
        p.HPerspective = c.hp;
        p.VPerspective = c.vp;
        p.Squeeze = c.squeeze;
        EXPECT_TRUE(filledFromInside(makeGeometryMapping(120, 90, p), 120, 90))
            << c.barrel << " " << c.hp << " " << c.vp;
    }
}

TEST(GeometryMapping, ScalesFollowTheSqueezeRule) {
    struct Case {
        int32_t squeeze, autoCrop;
        double scaleX, scaleY;
    };
    const Case cases[] = {
        {50, 1, 1 / 0.75, 1.0},
        {-50, 1, 1.0, 1 / 0.75},
        {50, 0, 1.0, 0.75},
        {-50, 0, 0.75, 1.0},
    };
    for (const Case& c : cases) {
        ProcessingParams p = geometryParams();
        p.Squeeze = c.squeeze;
        p.AutoCrop = c.autoCrop;
        const GeometryMapping m = makeGeometryMapping(100, 80, p);
        EXPECT_DOUBLE_EQ(m.scaleX, c.scaleX) << c.squeeze << " " << c.autoCrop;
        EXPECT_DOUBLE_EQ(m.scaleY, c.scaleY) << c.squeeze << " " << c.autoCrop;
    }
}

TEST(GeometryMapping, CentreMapsToItself) {
    ProcessingParams p = geometryParams();
    p.Barrel = 70;
    p.HPerspective = -30;
    p.VPerspective = 40;
    p.Squeeze = 20;
    const GeometryMapping m = makeGeometryMapping(90, 60, p);
    EXPECT_TRUE(m.movesPixels());
    const MappedPoint at = mapBack(m, 45, 30, true);
    EXPECT_DOUBLE_EQ(at.rn, 0.0);
    // Perspective shifts the centre by a factor only; with x0 = y0 = 0 nothing moves.
    EXPECT_DOUBLE_EQ(at.x, 45.0);
    EXPECT_DOUBLE_EQ(at.y, 30.0);
}

TEST(Geometry, TinyPicturesDoNotBreakTheMapping) {
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {2, 1}, {1, 3}, {3, 2}, {4, 4}};
    for (auto [w, h] : sizes)
        for (int32_t barrel : {-100, 100}) {
            ProcessingParams p = geometryParams();
            p.Barrel = barrel;
            p.HPerspective = 50;
            p.VPerspective = -50;
            p.AutoCrop = barrel < 0;
            p.Vignetting = 100;
            PlaneSet planes = flatRgb(w, h, 1000);
            ASSERT_TRUE(correctGeometry(planes, p)) << w << "x" << h;
            const double z = barrelZoom(barrel * 0.005, 0, barrel < 0);
            EXPECT_EQ(z, 1.0);
        }
}

TEST(CompareLayout, PlacesOfASample) {
    // 8 by 8: cx = cy = 4, three quarters of the half sizes a = d = 3.
    const CompareLayout layout(8, 8, 4, 4);
    struct Case {
        int32_t i, j, count;
        int32_t x[4], y[4];
    };
    const Case cases[] = {
        // u = (3*768) >> 10 = 2, X1 = 6, X2 = 2*3 - 2 + 4 - 1 = 7; v = 0: Y2 = 4 - 6 = -2 is
        // outside, so only (X2, Y1) and (X1, Y1).
        {7, 4, 2, {7, 6}, {4, 4}},
        // u = v = (-4*768) >> 10 = -3: X1 = Y1 = 1, X2 = Y2 = 4 - 6 + 3 = 1.
        {0, 0, 4, {1, 1, 1, 1}, {1, 1, 1, 1}},
        // u = v = 2: X1 = Y1 = 6, X2 = Y2 = 7.
        {7, 7, 4, {7, 7, 6, 6}, {6, 7, 7, 6}},
        // u = v = 0: X2 = Y2 = -2, only the centre itself.
        {4, 4, 1, {4}, {4}},
    };
    for (const Case& c : cases) {
        const CompareLayout::Places got = layout.places(c.i, c.j);
        ASSERT_EQ(got.count, c.count) << c.i << "," << c.j;
        for (int32_t n = 0; n < c.count; ++n) {
            EXPECT_EQ(got.x[n], c.x[n]) << c.i << "," << c.j << " place " << n;
            EXPECT_EQ(got.y[n], c.y[n]) << c.i << "," << c.j << " place " << n;
        }
    }
}

TEST(Geometry, CompareModeOnlyInPreview) {
    ProcessingParams p = geometryParams();
    p.Barrel = 40;
    const PlaneSet source = randomRgbSet(48, 32, 11);

    PlaneSet plain;
    ASSERT_TRUE(plain.copyFrom(source));
    p.FinalRun = 1;
    ASSERT_TRUE(correctGeometry(plain, p));

    PlaneSet finalCompare;
    ASSERT_TRUE(finalCompare.copyFrom(source));
    p.CompareMode = 1;
    ASSERT_TRUE(correctGeometry(finalCompare, p));
    EXPECT_TRUE(samePlanes(finalCompare, plain));

    PlaneSet previewCompare;
    ASSERT_TRUE(previewCompare.copyFrom(source));
    p.FinalRun = 0;
    ASSERT_TRUE(correctGeometry(previewCompare, p));
    EXPECT_FALSE(samePlanes(previewCompare, plain));
    // The centre of the reduced picture is written last by output pixel (25, 17), whose offsets
    // (1, 1) shrink to (0, 0).
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(previewCompare.planes[c].row(16)[24], plain.planes[c].row(17)[25]);
}

TEST(Geometry, CompareModeWithIdentityShowsThePictureReduced) {
    ProcessingParams p = geometryParams();
    p.CompareMode = 1;
    PlaneSet planes;
    ASSERT_TRUE(planes.allocate(8, 8));
    for (Plane& plane : planes.planes)
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                plane.row(y)[x] = uint16_t(100 * x + y);
    ASSERT_TRUE(correctGeometry(planes, p));
    // Offsets 0 and 1 both shrink to 0, so row 4 is written last by row 5. Column 6 comes from
    // column 7 (u = 2), column 7 is column 7's mirror, the centre comes from column 5.
    EXPECT_EQ(planes.planes[0].row(4)[6], 100 * 7 + 5);
    EXPECT_EQ(planes.planes[0].row(4)[7], 100 * 7 + 5);
    EXPECT_EQ(planes.planes[2].row(4)[4], 100 * 5 + 5);
}

TEST(Geometry, GridOnlyInPreview) {
    const uint16_t v = 1000;
    const uint16_t inv = uint16_t(~v);
    ProcessingParams p = geometryParams();
    p.ShowGrid = 1;
    p.FinalRun = 1;
    PlaneSet finalRun = flatRgb(21, 21, v);
    ASSERT_TRUE(correctGeometry(finalRun, p));
    EXPECT_TRUE(samePlanes(finalRun, flatRgb(21, 21, v)));

    p.FinalRun = 0;
    PlaneSet preview = flatRgb(21, 21, v);
    ASSERT_TRUE(correctGeometry(preview, p));
    // 21 by 21: lines at rows and columns 0, 2, ..., 20; dots at 1, 9, 17 along each line.
    struct Case {
        int32_t x, y;
        uint16_t expected;
    };
    const Case cases[] = {{0, 0, v},    {1, 0, inv},  {9, 0, inv}, {17, 20, inv}, {2, 0, v},
                          {0, 1, inv},  {2, 9, inv},  {1, 1, v},   {3, 2, v},     {1, 3, v},
                          {4, 17, inv}, {20, 1, inv}, {19, 10, v}, {9, 10, inv}};
    for (const Case& c : cases)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(preview.planes[k].row(c.y)[c.x], c.expected) << c.x << "," << c.y;
}

TEST(Geometry, AbortEndsTheStage) {
    ProcessingParams p = geometryParams();
    p.Barrel = 30;
    PlaneSet planes = randomRgbSet(16, 16, 5);
    gAbortFlag.store(true);
    EXPECT_FALSE(correctGeometry(planes, p));
    clearAbort();
    EXPECT_TRUE(correctGeometry(planes, p));
}

}  // namespace
}  // namespace dnr
