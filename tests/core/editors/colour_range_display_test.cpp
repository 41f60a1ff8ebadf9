#include "core/editors/colour_range_display.h"

#include <gtest/gtest.h>

namespace {

using core::RangeBitmap;
using core::Rgb16;
using Rgb8 = std::array<uint8_t, 3>;

core::ColorRangeItem rangeOf(Rgb16 first, Rgb16 second, Rgb16 target, int32_t tolerance = 50) {
    core::ColorRangeItem r;
    r.Colors = {first[0],  first[1],  first[2],  second[0], second[1],
                second[2], target[0], target[1], target[2]};
    r.Tolerance = tolerance;
    return r;
}

// The engine's gradient row by row: start + i * (A - B) / H, clamped, as 8-bit.
Rgb8 gradientRow(const Rgb16& start, const Rgb16& a, const Rgb16& b, int32_t i, int32_t h) {
    Rgb8 c{};
    for (size_t k = 0; k < 3; ++k) {
        const int64_t v = start[k] + int64_t(i) * (int64_t(a[k]) - b[k]) / h;
        c[k] = uint8_t(std::clamp<int64_t>(v, 0, 65535) >> 8);
    }
    return c;
}

// A picture of one plain colour with the given marker pixels.
RangeBitmap plainWith(std::initializer_list<std::pair<std::pair<int, int>, Rgb8>> pixels) {
    RangeBitmap b(7, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            b.setPixel(x, y, {100, 110, 120});
    for (const auto& [at, rgb] : pixels)
        b.setPixel(at.first, at.second, rgb);
    return b;
}

constexpr Rgb8 kWhite{255, 255, 255};
constexpr Rgb8 kBlack{0, 0, 0};

TEST(ColourRangeDisplay, TheMeanIsTheIntegerMeanAndCorrectedMeansAnotherTarget) {
    struct Case {
        Rgb16 first, second, target;
        Rgb16 mean;
        bool corrected;
    };
    const Case cases[] = {
        {{101, 200, 3}, {100, 100, 0}, {100, 150, 1}, {100, 150, 1}, false},
        {{101, 200, 3}, {100, 100, 0}, {101, 150, 1}, {100, 150, 1}, true},  // the odd half drops
        {{65535, 65535, 65535}, {65534, 0, 1}, {65534, 32767, 32768}, {65534, 32767, 32768}, false},
        {{52000, 52000, 52000},
         {30769, 30769, 30769},
         {41384, 41384, 41384},
         {41384, 41384, 41384},
         false},
        {{52000, 52000, 52000},
         {30769, 30769, 30769},
         {41384, 41384, 41385},
         {41384, 41384, 41384},
         true},
    };
    for (const Case& c : cases) {
        const auto r = rangeOf(c.first, c.second, c.target);
        EXPECT_EQ(core::meanColour(r), c.mean);
        EXPECT_EQ(core::RangeIsCorrected(r), c.corrected) << c.target[0] << " " << c.target[2];
    }
}

TEST(ColourRangeDisplay, AStripIsTheGradientOneColumnWiderThanItsControl) {
    const Rgb16 a{50000, 40000, 30000}, b{20000, 30000, 25000}, target{10000, 60000, 65000};
    const auto range = rangeOf(a, b, target);
    for (const bool fromMean : {true, false}) {
        const RangeBitmap strip = core::DrawStrip(QSize(10, 8), range, fromMean);
        ASSERT_EQ(strip.width(), 11);
        ASSERT_EQ(strip.height(), 8);
        const Rgb16 start = fromMean ? core::meanColour(range) : target;
        for (int32_t i = 0; i < 8; ++i) {
            // Engine row i counts from the bottom; on screen it is row 7 - i.
            const Rgb8 expected = gradientRow(start, a, b, i, 8);
            EXPECT_EQ(strip.pixel(0, 7 - i), expected) << i;
            EXPECT_EQ(strip.pixel(9, 7 - i), expected) << i;
            // The engine leaves the extra column alone.
            EXPECT_EQ(strip.pixel(10, 7 - i), kBlack) << i;
        }
        // The window shows the control's width, the right way up.
        const QImage shown = strip.toImage(10);
        ASSERT_EQ(shown.size(), QSize(10, 8));
        const Rgb8 bottom = gradientRow(start, a, b, 0, 8);
        EXPECT_EQ(shown.pixelColor(3, 7), QColor(bottom[0], bottom[1], bottom[2]));
    }
    // A control without width or height gets nothing to draw into.
    EXPECT_TRUE(core::DrawStrip(QSize(0, 8), range, true).isNull());
    EXPECT_TRUE(core::DrawStrip(QSize(10, 0), range, true).isNull());
}

TEST(ColourRangeDisplay, TheWindowDrawsItsThreePicturesFromTheRange) {
    const auto range = rangeOf({50000, 40000, 30000}, {20000, 30000, 25000}, {30000, 45000, 20000});
    const core::RangeWindowSizes sizes{QSize(20, 60), QSize(20, 60), QSize(120, 60)};
    // The palette as the engine draws it for a centre colour and zoom.
    const auto palette = [&](const Rgb16& centre, int32_t tolerance, int32_t zoom) {
        RangeBitmap b(120, 60);
        const ImageDesc d = b.desc();
        const auto& c = range.Colors;
        DrawColorAndBrightnessMaps2(centre[0], centre[1], centre[2], c[0], c[1], c[2], c[3], c[4],
                                    c[5], tolerance, &d, zoom);
        return b.toImage();
    };
    struct Case {
        bool useTarget, skipSource;
        int32_t tolerance, zoom;
    };
    for (const Case& c : {Case{true, false, 40, 1}, Case{false, true, 40, 1},
                          Case{true, true, 70, 3}, Case{false, false, 0, 2}}) {
        const core::RangeWindowPictures p =
            core::DrawRangeWindow(sizes, c.useTarget, c.skipSource, c.tolerance, range, c.zoom);
        EXPECT_EQ(p.source.isNull(), c.skipSource);
        if (!c.skipSource)
            EXPECT_EQ(p.source.toImage(), core::DrawStrip(sizes.source, range, true).toImage());
        EXPECT_EQ(p.output.toImage(), core::DrawStrip(sizes.output, range, false).toImage());
        ASSERT_EQ(p.palette.width(), 120);
        ASSERT_EQ(p.palette.height(), 60);
        const Rgb16 centre = c.useTarget ? core::targetColour(range) : core::meanColour(range);
        EXPECT_EQ(p.palette.toImage(), palette(centre, c.tolerance, c.zoom));
    }
    // The zoom shows: a magnified palette is another picture.
    EXPECT_NE(core::DrawRangeWindow(sizes, true, true, 40, range, 1).palette.toImage(),
              core::DrawRangeWindow(sizes, true, true, 40, range, 3).palette.toImage());
}

TEST(ColourRangeDisplay, APaletteClickSkipsMarkersWithinTwoPixels) {
    struct Case {
        const char* what;
        RangeBitmap palette;
        int32_t x, y;
        std::optional<std::pair<int, int>> picked;  // where the colour comes from
    };
    const Case cases[] = {
        {"a plain pixel is itself", plainWith({}), 3, 3, std::pair{3, 3}},
        {"on a white marker: the pixel below", plainWith({{{3, 3}, kWhite}}), 3, 3,
         std::pair{3, 4}},
        {"on a black marker with white below: the pixel above",
         plainWith({{{3, 3}, kBlack}, {{3, 4}, kWhite}}), 3, 3, std::pair{3, 2}},
        {"a whole marker column: the next column to the right",
         plainWith({{{3, 1}, kWhite},
                    {{3, 2}, kBlack},
                    {{3, 3}, kWhite},
                    {{3, 4}, kBlack},
                    {{3, 5}, kWhite}}),
         3, 3, std::pair{4, 3}},
        {"in the corner, outside pixels are skipped", plainWith({{{0, 0}, kWhite}}), 0, 0,
         std::pair{0, 1}},
        {"two pixels outside still reaches the edge", plainWith({}), -2, 3, std::pair{0, 3}},
        {"three pixels outside reaches nothing", plainWith({}), -3, 3, std::nullopt},
        {"nothing but markers within reach", RangeBitmap(7, 7), 3, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<Rgb16> got = core::PickPaletteColour(c.palette, c.x, c.y);
        ASSERT_EQ(got.has_value(), c.picked.has_value()) << c.what;
        if (!got) continue;
        const Rgb8 v = c.palette.pixel(c.picked->first, c.picked->second);
        EXPECT_EQ(*got, (Rgb16{uint16_t(v[0] * 256 + 128), uint16_t(v[1] * 256 + 128),
                               uint16_t(v[2] * 256 + 128)}))
            << c.what;
    }
    // The 8-bit values widen to the middle of their 16-bit step.
    RangeBitmap nearBlack(1, 1);
    nearBlack.setPixel(0, 0, {0, 1, 254});
    EXPECT_EQ(core::PickPaletteColour(nearBlack, 0, 0), (Rgb16{128, 384, 65152}));
}

TEST(ColourRangeDisplay, AClickOnAnEngineMarkerTakesTheNearestPlainPixel) {
    // Zoom 1 draws 80 chroma units a pixel: tolerance 40 puts the white circle 10 pixels from the
    // colour map's centre (45, 30 from the bottom), the black one around the target's place.
    const auto range = rangeOf({40000, 30000, 30000}, {20000, 15000, 15000}, {38000, 20000, 10000});
    const core::RangeWindowPictures p = core::DrawRangeWindow(
        {QSize(10, 60), QSize(10, 60), QSize(120, 60)}, true, false, 40, range, 1);
    const int32_t x = 45, y = 59 - (30 + 10);  // the top white marker, on screen
    ASSERT_EQ(p.palette.pixel(x, y), kWhite);
    const Rgb8 below = p.palette.pixel(x, y + 1);
    ASSERT_NE(below, kWhite);
    ASSERT_NE(below, kBlack);
    EXPECT_EQ(core::PickPaletteColour(p.palette, x, y),
              (Rgb16{uint16_t(below[0] * 256 + 128), uint16_t(below[1] * 256 + 128),
                     uint16_t(below[2] * 256 + 128)}));
}

TEST(ColourRangeDisplay, APreviewedPaletteColourStartsTheOutputStrip) {
    const auto range = rangeOf({50000, 40000, 30000}, {20000, 30000, 25000}, {30000, 45000, 20000});
    RangeBitmap palette = plainWith({{{3, 3}, kWhite}});
    const RangeBitmap preview = core::PreviewPaletteColour(QSize(12, 20), range, palette, 3, 3);
    const Rgb16 picked = *core::PickPaletteColour(palette, 3, 3);
    EXPECT_EQ(preview.toImage(), core::drawStripFrom(QSize(12, 20), range, picked).toImage());
    EXPECT_NE(preview.toImage(), core::DrawStrip(QSize(12, 20), range, false).toImage());
    // Nothing to pick: nothing drawn.
    EXPECT_TRUE(core::PreviewPaletteColour(QSize(12, 20), range, palette, 30, 3).isNull());
}

}  // namespace
