#include <gtest/gtest.h>

#include "caller_picture.h"
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::grey;
using testing::neutralParams;
using testing::Picture;

constexpr int32_t kGround = 0x8000;

// A 16x16 source of one grey level: 256 samples, all in one luminance bin.
Picture greySource(int32_t level) {
    Picture source(16, 16, 1);
    source.fill(grey(level));
    return source;
}

Picture ground(int32_t w, int32_t h) {
    Picture t(w, h, 2);
    t.fill(grey(kGround));
    return t;
}

TEST(HistogramDrawing, NothingToDrawOrNothingToDrawFrom) {
    Picture target = ground(8, 8);
    PixelView t = target.pixelView();
    PixelView none{nullptr, 8, 1, 8};
    EXPECT_EQ(Histogram(&none, &t, 0, 0, 0, 0, 30, 0, 0, 0, nullptr), 1);
    EXPECT_EQ(Histogram(&none, &t, 0, 0, 0, 0, 30, 0, 2, 0, nullptr), 0);
    EXPECT_EQ(Histogram(&t, &none, 0, 0, 0, 0, 30, 0, 2, 0, nullptr), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(target.get(x, y), grey(kGround));
}

TEST(HistogramDrawing, LuminanceBarFillAndOutline) {
    // Width 256: column c shows level c. Height 11: unit (11 - 1) * 0.2 = 2, so the bin of 256
    // samples is capped at 10 rows.
    Picture source = greySource(100);
    Picture target = ground(256, 11);
    PixelView s = source.pixelView(), t = target.pixelView();
    ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, 30, 0, 2, 0, nullptr), 1);
    const int32_t blended = (30 * 0x4000 + 70 * kGround) / 100;
    // The bar's bottom row keeps the fill; the outline climbs at column 99 and falls at 100.
    EXPECT_EQ(target.get(100, 0), grey(blended));
    EXPECT_EQ(target.get(99, 5), grey(0));
    EXPECT_EQ(target.get(100, 10), grey(0));
    EXPECT_EQ(target.get(100, 1), grey(0));
    // Elsewhere only the outline along the bottom row.
    EXPECT_EQ(target.get(50, 0), grey(0));
    EXPECT_EQ(target.get(50, 1), grey(kGround));
    EXPECT_EQ(target.get(255, 0), grey(kGround));  // the outline ends before the last column
}

TEST(HistogramDrawing, OpacityZeroDrawsOnlyTheOutline) {
    Picture source = greySource(100);
    Picture target = ground(256, 11);
    PixelView s = source.pixelView(), t = target.pixelView();
    ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, 0, 0, 2, 0, nullptr), 1);
    EXPECT_EQ(target.get(100, 0), grey(kGround));
    EXPECT_EQ(target.get(99, 5), grey(0));
}

TEST(HistogramDrawing, ColouredTypesFillTheirChannels) {
    struct Case {
        int32_t type;
        Colour fill, outline;
    };
    const int32_t on = (50 * 0x4000 + 50 * kGround) / 100, off = (50 * 0 + 50 * kGround) / 100;
    const Case cases[] = {
        {3, {on, off, off}, {0x8000, 0, 0}},
        {4, {off, on, off}, {0, 0x8000, 0}},
        {5, {off, off, on}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Picture source = greySource(100);
        Picture target = ground(256, 11);
        PixelView s = source.pixelView(), t = target.pixelView();
        ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, 50, 0, c.type, 0, nullptr), 1);
        EXPECT_EQ(target.get(100, 0), c.fill) << c.type;
        EXPECT_EQ(target.get(99, 5), c.outline) << c.type;
    }
}

TEST(HistogramDrawing, ColourHistogramsStackTheirChannels) {
    // Blue at level 50, red at 200: each bin of 256 samples is capped at 10 rows, then smoothed
    // forward and back (10 -> 5, 2, 1 -> 1, 3, 1 around the level).
    Picture source(16, 16, 1);
    source.fill({200, 120, 50});
    Picture target = ground(256, 11);
    PixelView s = source.pixelView(), t = target.pixelView();
    ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, 100, 0, 1, 0, nullptr), 1);
    // Column 50: three rows, blue up to the blue bar; its top rows carry the outlines.
    EXPECT_EQ(target.get(50, 1), (Colour{0, 0, 0x4000}));
    EXPECT_EQ(target.get(50, 2), (Colour{0, 0, 0xB400}));  // the blue outline over the black
    EXPECT_EQ(target.get(50, 0), (Colour{0xB400, 0, 0}));  // the zero red bar's outline, last
    EXPECT_EQ(target.get(50, 3), (Colour{0, 0, 0xB400}));  // the falling blue outline
    EXPECT_EQ(target.get(50, 4), grey(kGround));
    // Column 200: the red bar; row 0 lies at the (zero) blue bar and is filled blue.
    EXPECT_EQ(target.get(200, 1), (Colour{0x4000, 0, 0}));
    // A column without any bar is one row high: its black outline runs along row 1 and the
    // three channel outlines along row 0.
    EXPECT_EQ(target.get(10, 1), grey(0));
    EXPECT_EQ(target.get(10, 0), (Colour{0xB400, 0, 0}));
    EXPECT_EQ(target.get(10, 2), grey(kGround));
}

TEST(HistogramDrawing, NegativeOpacityBlendsTheComplement) {
    Picture source = greySource(100);
    Picture target = ground(256, 11);
    PixelView s = source.pixelView(), t = target.pixelView();
    ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, -100, 0, 2, 0, nullptr), 1);
    EXPECT_EQ(target.get(100, 0), grey(65535 - 0x4000));
}

TEST(HistogramDrawing, LevelMarkersShowTheAutomaticCuts) {
    Picture source = greySource(100);
    ProcessingParams p = neutralParams();
    p.AutoContrast = 1;
    p.AutoContrastDarkest = 50;    // e = 200 * 50 / 200 = 50
    p.AutoContrastBrightest = 60;  // f = 200 * 160 / 200 = 160
    const Colour red{0xFFFF, 0, 0};
    {
        Picture target = ground(200, 40);
        PixelView s = source.pixelView(), t = target.pixelView();
        ASSERT_EQ(Histogram(&s, &t, 0, 20, 200, 20, 0, 1, 2, 0, &p), 1);
        EXPECT_EQ(target.get(50, 24), red);  // up a quarter of the height from row 20
        EXPECT_EQ(target.get(50, 25), grey(kGround));
        EXPECT_EQ(target.get(160, 22), red);
        EXPECT_EQ(target.get(10, 20), red);       // along row 20 from column 0 to e
        EXPECT_EQ(target.get(100, 20), grey(0));  // between the cuts: the histogram's outline
        EXPECT_EQ(target.get(170, 20), red);
    }
    {
        // In the lower rectangle (y = 0) the markers stand at both ends of its upper quarter.
        Picture target = ground(200, 40);
        PixelView s = source.pixelView(), t = target.pixelView();
        ASSERT_EQ(Histogram(&s, &t, 0, 0, 200, 20, 0, 0, 2, 0, &p), 1);
        EXPECT_EQ(target.get(0, 15), red);
        EXPECT_EQ(target.get(199, 19), red);
        EXPECT_EQ(target.get(199, 14), grey(kGround));
        EXPECT_EQ(target.get(199, 20), grey(kGround));
    }
}

TEST(HistogramDrawing, OverlayShowsTheDiagonalOnlyForTheLowerPart) {
    Picture source = greySource(100);
    ProcessingParams p = neutralParams();
    curveObject(CurveKind::Brightness).rebuildTable(p);
    for (int32_t part : {0, 1}) {
        Picture target = ground(64, 64);
        PixelView s = source.pixelView(), t = target.pixelView();
        ASSERT_EQ(Histogram(&s, &t, 0, 0, 0, 0, 0, part, 0, 1, nullptr), 1);
        // The dotted diagonal: even steps 0x8000, odd steps black (dim level 0).
        EXPECT_EQ(target.get(32, 32), grey(part == 0 ? 0x8000 : kGround));
        EXPECT_EQ(target.get(33, 33), grey(part == 0 ? 0 : kGround));
    }
}

TEST(HistogramDrawing, BrightnessPanelAddsTheTwoHistograms) {
    Picture image(16, 16, 1), result(16, 16, 1);
    image.fill(grey(20));
    result.fill(grey(200));
    ProcessingParams p = neutralParams();
    image.attach(p);
    Picture plain = ground(256, 40), with = ground(256, 40);
    PixelView tp = plain.pixelView(), tw = with.pixelView(), second = result.pixelView();
    ASSERT_EQ(DrawEqualizerCurve_and_Histogram(&tp, &second, &p, 1, 1, 1), 1);
    ASSERT_EQ(DrawEqualizerCurve_and_Histogram(&tw, &second, &p, 1, 1, 0), 1);
    auto blend = [](int32_t old) { return (30 * 0x4000 + 70 * old) / 100; };
    // The input's bar at column 20 of the lower half, the result's at column 200 of the upper.
    EXPECT_EQ(with.get(20, 0).g, blend(plain.get(20, 0).g));
    EXPECT_EQ(with.get(200, 20).g, blend(plain.get(200, 20).g));
    EXPECT_EQ(with.get(120, 30), plain.get(120, 30));
    // DrawEqualizerCurve is the same with the record's image as both pictures.
    Picture same = ground(256, 40);
    PixelView ts = same.pixelView();
    ASSERT_EQ(DrawEqualizerCurve(&ts, &p, 1), 1);
    EXPECT_EQ(same.get(20, 0).g, blend(plain.get(20, 0).g));
    EXPECT_EQ(same.get(20, 20).g, blend(plain.get(20, 20).g));
}

}  // namespace
}  // namespace dnr
