#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "caller_picture.h"
#include "frame_effects.h"
#include "frame_layout.h"
#include "progress.h"
#include "smooth_step.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;

struct LayoutCase {
    int32_t w, h, ow, oh, proportional, effect, effectWidth, innerWidth;
    int32_t left, bottom, right, top, band, inner;
};

TEST(FrameLayout, MarginsCropsBandAndInnerLine) {
    const LayoutCase cases[] = {
        // A picture shrunk by equal margins: nothing to crop.
        {220, 100, 240, 120, 0, 1, 0, 0, 10, 10, 229, 109, 0, 0},
        // Wider margins at the sides: rows are cropped until all four margins are 20.
        {200, 100, 240, 120, 0, 1, 0, 0, 20, 20, 219, 99, 0, 0},
        {200, 100, 240, 120, 1, 1, 0, 0, 20, 10, 219, 109, 0, 0},
        {100, 200, 120, 240, 0, 1, 0, 0, 20, 20, 99, 219, 0, 0},
        // T = trunc(200 * 500 * 0.0001 + 0.9999) = 10, cut from the picture for effects 3 to 7.
        {200, 100, 240, 120, 1, 3, 500, 0, 30, 20, 209, 99, 10, 0},
        {200, 100, 240, 120, 1, 7, 500, 0, 30, 20, 209, 99, 10, 0},
        {200, 100, 240, 120, 1, 0, 500, 0, 20, 10, 219, 109, 10, 0},
        {200, 100, 240, 120, 1, 8, 500, 0, 20, 10, 219, 109, 10, 0},
        // T = trunc(0.02 + 0.9999) = 1; I = trunc(200 * 100 * 0.00005 + 0.99999) = 1.
        {200, 100, 240, 120, 1, 0, 1, 100, 20, 10, 219, 109, 1, 1},
        // I = trunc(1.5 + 0.99999) = 2.
        {200, 100, 240, 120, 1, 0, 0, 150, 20, 10, 219, 109, 0, 2},
    };
    for (const LayoutCase& c : cases) {
        AddTextParams p{};
        p.ProportionalMargin = c.proportional;
        p.FrameEffect = c.effect;
        p.EffectWidth = c.effectWidth;
        p.InnerWidth = c.innerWidth;
        const FrameLayout l = frameLayout(p, c.w, c.h, c.ow, c.oh);
        EXPECT_EQ(l.left, c.left) << c.w << "x" << c.h << " effect " << c.effect;
        EXPECT_EQ(l.bottom, c.bottom) << c.w << "x" << c.h << " effect " << c.effect;
        EXPECT_EQ(l.right, c.right) << c.w << "x" << c.h << " effect " << c.effect;
        EXPECT_EQ(l.top, c.top) << c.w << "x" << c.h << " effect " << c.effect;
        EXPECT_EQ(l.band, c.band) << c.w << "x" << c.h << " effect " << c.effect;
        EXPECT_EQ(l.inner, c.inner) << c.w << "x" << c.h << " effect " << c.effect;
    }
}

TEST(SmoothStep, TableAndInterpolation) {
    const auto& t = smoothStepTable();
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[128], 32767);  // sigma(0) * 65535
    EXPECT_EQ(t[256], 65534);  // taken at 65535/65536, just below 1
    for (int i = 1; i < 257; ++i)
        EXPECT_GT(t[i], t[i - 1]);
    EXPECT_EQ(smoothStep(128 * 256), 32767);
    EXPECT_EQ(smoothStep(128 * 256 + 128), (t[128] + t[129]) >> 1);
}

TEST(FrameRings, OpacityProfile) {
    // C_l = trunc(sigma(1.5 logit((T - l) / T)) * 60) with T = 4: 60, 50, 30, 9.
    EXPECT_EQ(ringOpacity(0, 4, 60), 60);
    EXPECT_EQ(ringOpacity(1, 4, 60), 50);
    EXPECT_EQ(ringOpacity(2, 4, 60), 30);
    EXPECT_EQ(ringOpacity(3, 4, 60), 9);
    EXPECT_EQ(ringOpacity(2, 4, 100), 50);
    EXPECT_EQ(ringOpacity(0, 0, 60), 0);
}

// A picture with a different colour at every pixel (8-bit values).
Picture variedPicture(int32_t w, int32_t h, int32_t bytes) {
    Picture p(w, h, bytes);
    const int32_t s = bytes == 1 ? 1 : 256;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            p.set(x, y, {(20 + 5 * x) * s, (30 + 7 * y) * s, (200 - 3 * x - y) * s});
    return p;
}

AddTextParams frameParams(Picture& picture, Picture& output, int32_t effect, int32_t effectWidth) {
    AddTextParams p{};
    p.Picture = picture.pixelView();
    p.TextMask = {nullptr, 0, -1, 0};
    p.Output = output.pixelView();
    p.FrameEffect = effect;
    p.EffectWidth = effectWidth;
    p.FrameRed = 40;
    p.FrameGreen = 90;
    p.FrameBlue = 140;
    p.InnerRed = 250;
    p.InnerGreen = 250;
    p.InnerBlue = 250;
    p.ProportionalMargin = 1;
    p.TextEffect = 1;
    return p;
}

TEST(AddText, NoBandGivesMarginAndPictureOnly) {
    // Picture 30x20 in 40x30: margins of 5 all round.
    for (int32_t effect = 0; effect <= 7; ++effect) {
        Picture picture = variedPicture(30, 20, 1);
        Picture output(40, 30, 1);
        AddTextParams p = frameParams(picture, output, effect, 0);
        clearAbort();
        ASSERT_EQ(AddText(&p), 1) << effect;
        for (int32_t y = 0; y < 30; ++y)
            for (int32_t x = 0; x < 40; ++x) {
                const bool inPicture = x >= 5 && x < 35 && y >= 5 && y < 25;
                const Colour expected = inPicture ? picture.get(x - 5, y - 5) : Colour{40, 90, 140};
                ASSERT_EQ(output.get(x, y), expected)
                    << "effect " << effect << " at " << x << "," << y;
            }
    }
}

TEST(AddText, InnerLineCoversTheOuterPixelsOfThePicture) {
    Picture picture = variedPicture(30, 20, 2);
    Picture output(40, 30, 2);
    AddTextParams p = frameParams(picture, output, 1, 0);
    p.InnerWidth = 500;  // I = trunc(30 * 500 * 0.00005 + 0.99999) = 1
    ASSERT_EQ(AddText(&p), 1);
    const Colour line{250 * 256, 250 * 256, 250 * 256};
    EXPECT_EQ(output.get(5, 5), line);
    EXPECT_EQ(output.get(20, 24), line);
    EXPECT_EQ(output.get(34, 10), line);
    EXPECT_EQ(output.get(6, 6), picture.get(1, 1));
    EXPECT_EQ(output.get(4, 10), (Colour{40 * 256, 90 * 256, 140 * 256}));
}

TEST(AddText, EqualMarginsWithoutCropping) {
    // A 2:1 picture shrunk by 10 on every side of a 2:1 output: margins equal, nothing cropped.
    Picture picture = variedPicture(220, 100, 1);
    Picture output(240, 120, 1);
    AddTextParams p = frameParams(picture, output, 1, 0);
    p.ProportionalMargin = 0;
    ASSERT_EQ(AddText(&p), 1);
    EXPECT_EQ(output.get(10, 10), picture.get(0, 0));
    EXPECT_EQ(output.get(229, 109), picture.get(219, 99));
    EXPECT_EQ(output.get(9, 60), (Colour{40, 90, 140}));
    EXPECT_EQ(output.get(230, 60), (Colour{40, 90, 140}));
    EXPECT_EQ(output.get(100, 9), (Colour{40, 90, 140}));
    EXPECT_EQ(output.get(100, 110), (Colour{40, 90, 140}));
}

TEST(AddText, UnequalMarginsCropThePicture) {
    // 200x100 in 240x120: side margins 20, so 10 rows are cropped at the top and the bottom.
    Picture picture = variedPicture(200, 100, 1);
    Picture output(240, 120, 1);
    AddTextParams p = frameParams(picture, output, 1, 0);
    p.ProportionalMargin = 0;
    ASSERT_EQ(AddText(&p), 1);
    EXPECT_EQ(output.get(20, 20), picture.get(0, 10));
    EXPECT_EQ(output.get(219, 99), picture.get(199, 89));
    EXPECT_EQ(output.get(100, 19), (Colour{40, 90, 140}));
    EXPECT_EQ(output.get(100, 100), (Colour{40, 90, 140}));
}

TEST(AddText, OvalCopiesNoRectangle) {
    Picture picture(40, 40, 1);
    picture.fill({200, 10, 10});
    Picture output(60, 60, 1);
    AddTextParams p = frameParams(picture, output, 8, 0);
    p.InnerWidth = 1000;  // the oval has no inner line
    ASSERT_EQ(AddText(&p), 1);
    const Colour frame{40, 90, 140};
    // Picture rectangle 10..49: its corners lie outside the inscribed circle.
    for (const auto& [x, y] : {std::pair{10, 10}, {49, 10}, {10, 49}, {49, 49}, {14, 14}})
        EXPECT_EQ(output.get(x, y), frame) << x << "," << y;
    for (const auto& [x, y] : {std::pair{30, 30}, {10, 30}, {49, 30}, {30, 10}, {30, 49}})
        EXPECT_EQ(output.get(x, y), (Colour{200, 10, 10})) << x << "," << y;
}

TEST(AddText, OvalEdgeFadesIntoTheFrame) {
    Picture picture(40, 40, 2);
    picture.fill({60000, 60000, 60000});
    Picture output(60, 60, 2);
    AddTextParams p = frameParams(picture, output, 8, 2500);  // T = 10
    p.FrameRed = p.FrameGreen = p.FrameBlue = 0;
    ASSERT_EQ(AddText(&p), 1);
    // Along the middle row from the centre outward: full picture, then falling to the frame.
    EXPECT_EQ(output.get(30, 30).g, 60000);
    EXPECT_EQ(output.get(39, 30).g, 60000);  // still inside R - T
    int32_t previous = 60000;
    for (int32_t x = 40; x <= 49; ++x) {
        const int32_t v = output.get(x, 30).g;
        EXPECT_LE(v, previous) << x;
        previous = v;
    }
    EXPECT_LT(output.get(48, 30).g, 30000);
    EXPECT_EQ(output.get(50, 30).g, 0);
}

TEST(AddText, OvalEdgeFollowsTheSmoothStepOfTheSquaredDistance) {
    // Picture 40x40 at 10..49 of a 60x60 output, T = trunc(40 * 2500 * 0.0001 + 0.9999) = 10:
    // R = 20, centre 29.5, rim R^2 = 400, inner (R - T)^2 = 100. Written out plainly: v the
    // squared distance truncated, A = trunc(65535 (400 - v) / 301), the S-curve x^1.5 / (x^1.5 +
    // (1 - x)^1.5) tabulated at x = i / 256 and read linearly, and the 16-bit blend in percent.
    auto entry = [](int i) {
        const double x = i == 256 ? 65535.0 / 65536.0 : i / 256.0;
        if (i == 0) return int64_t{0};
        const double a = std::pow(x, 1.5), b = std::pow(1.0 - x, 1.5);
        return static_cast<int64_t>(a / (a + b) * 65535.0);
    };
    Picture picture = variedPicture(40, 40, 2);
    Picture output(60, 60, 2);
    AddTextParams p = frameParams(picture, output, 8, 2500);
    ASSERT_EQ(AddText(&p), 1);
    const Colour frame{40 * 256, 90 * 256, 140 * 256};
    int blended = 0;
    for (int32_t y = 10; y < 50; ++y)
        for (int32_t x = 10; x < 50; ++x) {
            const int64_t twice =
                int64_t(2 * x - 59) * (2 * x - 59) + int64_t(2 * y - 59) * (2 * y - 59);
            const int64_t v = twice / 4;
            const Colour inside = picture.get(x - 10, y - 10);
            Colour want = frame;
            if (v <= 100) {
                want = inside;
            } else if (v <= 400) {
                const int64_t a = 65535 * (400 - v) / 301;
                const int64_t lo = entry(int(a >> 8)), hi = entry(std::min(int(a >> 8) + 1, 256));
                const int64_t smooth = lo + (hi - lo) * (a & 255) / 256;
                const int64_t percent = smooth * 100 / 65536;
                auto mix = [percent](int32_t c, int32_t old) {
                    return int32_t((percent * c + (100 - percent) * old) / 100);
                };
                want = {mix(inside.r, frame.r), mix(inside.g, frame.g), mix(inside.b, frame.b)};
                ++blended;
            }
            ASSERT_EQ(output.get(x, y), want) << x << "," << y;
        }
    EXPECT_GT(blended, 500);
}

TEST(AddText, DarkFrameGetsAGreyShadow) {
    // Picture 40x20 in 60x40 at (10..49, 10..29); T = trunc(40 * 1000 * 0.0001 + 0.9999) = 4,
    // k = 2: the ring rectangle is (13, 9, 50, 26).
    struct ShadowCase {
        int32_t frame, x, y, expected;
    };
    const ShadowCase cases[] = {
        // Frame 5: level 5 <= 10, mid-grey shade 32768 over 1280.
        {5, 30, 9, (60 * 32768 + 40 * 1280) / 100},
        {5, 30, 8, (50 * 32768 + 50 * 1280) / 100},
        {5, 30, 6, (9 * 32768 + 91 * 1280) / 100},
        {5, 30, 5, 1280},                             // beyond the band
        {5, 9, 30, 1280},                             // above the picture on the left: no shadow
        {5, 51, 20, (50 * 32768 + 50 * 1280) / 100},  // right of the ring rectangle
        // Frame 200: black shade.
        {200, 30, 9, (40 * 51200) / 100},
    };
    for (const ShadowCase& c : cases) {
        Picture picture = variedPicture(40, 20, 2);
        Picture output(60, 40, 2);
        AddTextParams p = frameParams(picture, output, 0, 1000);
        p.FrameRed = p.FrameGreen = p.FrameBlue = c.frame;
        ASSERT_EQ(AddText(&p), 1);
        EXPECT_EQ(output.get(c.x, c.y), (Colour{c.expected, c.expected, c.expected}))
            << "frame " << c.frame << " at " << c.x << "," << c.y;
    }
}

TEST(AddText, ThreeDFrameLightensBelowAndRightDarkensAboveAndLeft) {
    // Frame 128: 50 percent, D = 0. Ring 0 lies one pixel outside the picture (10..49, 10..29).
    Picture picture = variedPicture(40, 20, 2);
    Picture output(60, 40, 2);
    AddTextParams p = frameParams(picture, output, 1, 1000);
    p.FrameRed = p.FrameGreen = p.FrameBlue = 128;
    ASSERT_EQ(AddText(&p), 1);
    const int32_t f = 32768;
    EXPECT_EQ(output.get(30, 9).g, (13 * 65280 + 87 * f) / 100);             // bottom: +13
    EXPECT_EQ(output.get(30, 30).g, (13 * (65535 - 65280) + 87 * f) / 100);  // top: -13
    EXPECT_EQ(output.get(50, 20).g, (20 * 65280 + 80 * f) / 100);            // right: +20
    EXPECT_EQ(output.get(9, 20).g, (20 * (65535 - 65280) + 80 * f) / 100);   // left: -20
    EXPECT_EQ(output.get(30, 5).g, f);  // beyond the four rings

    // A dark frame (20: 7 percent) gets D = 30: even the top is lightened, by 17.
    Picture dark(60, 40, 2);
    AddTextParams q = frameParams(picture, dark, 1, 1000);
    q.FrameRed = q.FrameGreen = q.FrameBlue = 20;
    ASSERT_EQ(AddText(&q), 1);
    EXPECT_EQ(dark.get(30, 30).g, (17 * 65280 + 83 * 5120) / 100);
}

TEST(AddText, SmoothThreeDFrameScalesEachRingBySCurve) {
    // Effect 2 with T = 4 and D = 0: ring i is scaled by 2 x^1.5 / (x^1.5 + (1 - x)^1.5) with
    // x = (4 - i) / 8, that is 1, 0.6346, 0.3228 and 0.1025, so the bottom and top rings blend
    // 13, 8, 4, 1 percent and the right and left rings 20, 12, 6, 2 percent.
    Picture picture = variedPicture(40, 20, 2);
    Picture output(60, 40, 2);
    AddTextParams p = frameParams(picture, output, 2, 1000);
    p.FrameRed = p.FrameGreen = p.FrameBlue = 128;
    ASSERT_EQ(AddText(&p), 1);
    const int32_t f = 32768, light = 65280, dark = 65535 - 65280;
    const int32_t vertical[4] = {13, 8, 4, 1}, horizontal[4] = {20, 12, 6, 2};
    for (int32_t i = 0; i < 4; ++i) {
        const int32_t v = vertical[i], h = horizontal[i];
        EXPECT_EQ(output.get(30, 9 - i).g, (v * light + (100 - v) * f) / 100) << i;
        EXPECT_EQ(output.get(30, 30 + i).g, (v * dark + (100 - v) * f) / 100) << i;
        EXPECT_EQ(output.get(50 + i, 20).g, (h * light + (100 - h) * f) / 100) << i;
        EXPECT_EQ(output.get(9 - i, 20).g, (h * dark + (100 - h) * f) / 100) << i;
    }
}

TEST(AddText, BandEffectsCutTheBandFromThePicture) {
    // A uniform picture: the blurred and faded bands show its colour, the grey band half its
    // luminance. Picture 40x20 in 60x40, T = 4: picture rectangle 14..45, 14..25.
    const Colour colour{40000, 30000, 20000};
    const int32_t grey = ((9617 * 30000 + 4899 * 40000 + 1868 * 20000) >> 14) / 2;
    struct BandCase {
        int32_t effect;
        Colour band;
    };
    const BandCase cases[] = {
        {4, colour}, {5, colour}, {6, colour}, {7, {grey, grey, grey}}, {3, colour}};
    for (const BandCase& c : cases) {
        Picture picture(40, 20, 2);
        picture.fill(colour);
        Picture output(60, 40, 2);
        AddTextParams p = frameParams(picture, output, c.effect, 1000);
        clearAbort();
        ASSERT_EQ(AddText(&p), 1);
        EXPECT_EQ(output.get(30, 20), colour) << c.effect;
        EXPECT_EQ(output.get(13, 20), c.band) << c.effect;  // the first pixel of the band
        EXPECT_EQ(output.get(30, 13), c.band) << c.effect;
        EXPECT_EQ(output.get(8, 20), (Colour{40 * 256, 90 * 256, 140 * 256})) << c.effect;
    }
}

TEST(AddText, FadeOutMirrorsThePictureAndFades) {
    // Columns of the picture differ; the band left of it mirrors them, fading outward.
    Picture picture(40, 20, 2);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 40; ++x)
            picture.set(x, y, {1000 * x, 0, 0});
    Picture output(60, 40, 2);
    AddTextParams p = frameParams(picture, output, 3, 1000);  // T = 4, rectangle 14..45
    p.FrameRed = p.FrameGreen = p.FrameBlue = 0;
    ASSERT_EQ(AddText(&p), 1);
    // Column 13 mirrors column 14 (picture column 4) at full opacity.
    EXPECT_EQ(output.get(13, 20).r, 4000);
    // Column 12 mirrors column 15 (picture column 5) at ring 1, 50 percent of 100.
    EXPECT_EQ(output.get(12, 20).r, ringOpacity(1, 4, 100) * 5000 / 100);
    EXPECT_EQ(output.get(9, 20).r, 0);
}

// A caption mask: white block at columns 8..31, rows 2..17 (from the bottom) of a 40x24 mask.
Picture blockMask() {
    Picture m(40, 24, 1);
    for (int32_t y = 2; y < 18; ++y)
        for (int32_t x = 8; x < 32; ++x)
            m.set(x, y, {255, 255, 255});
    return m;
}

struct CaptionRun {
    Picture picture = variedPicture(60, 40, 2);
    Picture mask = blockMask();
    Picture output{80, 60, 2};
    AddTextParams p;

    explicit CaptionRun(int32_t effect, int32_t transparency = 0) {
        p = frameParams(picture, output, 1, 0);
        p.TextMask = mask.pixelView();
        p.TextX = 20;
        p.TextY = 25;  // mask bottom row on output row 60 - 1 - 25 = 34
        p.TextRed = 200;
        p.TextGreen = 0;
        p.TextBlue = 0;
        p.TextEffect = effect;
        p.TextTransparency = transparency;
    }
    // Output pixel under mask pixel (x, y).
    Colour at(int32_t x, int32_t y) { return output.get(20 + x, 34 + y); }
};

TEST(AddText, CaptionAtFullTransparencyLeavesTheOutputUnchanged) {
    for (int32_t effect = 1; effect <= 5; ++effect) {
        CaptionRun with(effect, 100);
        CaptionRun without(effect, 100);
        without.p.TextMask = {nullptr, 0, -1, 0};
        ASSERT_EQ(AddText(&with.p), 1);
        ASSERT_EQ(AddText(&without.p), 1);
        for (int32_t y = 0; y < 60; ++y)
            for (int32_t x = 0; x < 80; ++x)
                ASSERT_EQ(with.output.get(x, y), without.output.get(x, y)) << effect;
        // At no transparency the same caption does show.
        CaptionRun shown(effect, 0);
        ASSERT_EQ(AddText(&shown.p), 1);
        EXPECT_FALSE(shown.at(20, 12) == without.at(20, 12) && shown.at(8, 12) == without.at(8, 12))
            << effect;
    }
}

TEST(AddText, CaptionEffectsAtTheMiddleOfAGlyph) {
    CaptionRun background(1, 100);
    ASSERT_EQ(AddText(&background.p), 1);
    const Colour under = background.at(20, 12);

    CaptionRun over(1);
    ASSERT_EQ(AddText(&over.p), 1);
    // Coverage 255/256 at the middle of the block: the caption colour to within a level.
    EXPECT_NEAR(over.at(20, 12).r, 200 * 256, 256);
    EXPECT_NEAR(over.at(20, 12).g, 0, 256);
    // The mask's bottom row lands on output row 34 and its rows run upward.
    EXPECT_NEAR(over.at(20, 3).r, 200 * 256, 256);
    EXPECT_NEAR(over.at(20, 20).r, background.at(20, 20).r, 1500);
    EXPECT_EQ(over.at(0, 23), background.at(0, 23));  // far from the glyph

    CaptionRun invert(5);
    ASSERT_EQ(AddText(&invert.p), 1);
    EXPECT_NEAR(invert.at(20, 12).g, 65535 - under.g, 300);

    CaptionRun paper(4);
    ASSERT_EQ(AddText(&paper.p), 1);
    EXPECT_EQ(paper.at(20, 12), under);  // flat inside the glyph: no relief, no colour
    EXPECT_NE(paper.at(8, 12), background.at(8, 12));  // the glyph's edge is embossed

    CaptionRun emboss(3);
    ASSERT_EQ(AddText(&emboss.p), 1);
    EXPECT_NEAR(emboss.at(20, 12).r, 200 * 256, 256);

    // Shadowed, black text: below and right of the glyph the picture is darkened.
    CaptionRun shadowed(2);
    shadowed.p.TextRed = 0;
    ASSERT_EQ(AddText(&shadowed.p), 1);
    EXPECT_LT(shadowed.at(33, 1).g, background.at(33, 1).g);
    EXPECT_EQ(shadowed.at(4, 21), background.at(4, 21));  // above-left: no shadow
}

TEST(AddText, CaptionTransparencyHalvesTheChange) {
    CaptionRun background(1, 100);
    ASSERT_EQ(AddText(&background.p), 1);
    CaptionRun full(1, 0), half(1, 50);
    ASSERT_EQ(AddText(&full.p), 1);
    ASSERT_EQ(AddText(&half.p), 1);
    const int32_t under = background.at(20, 12).g;
    const int32_t v = full.at(20, 12).g;
    EXPECT_EQ(half.at(20, 12).g, (50 * v + 50 * under) / 100);
}

TEST(AddText, SmoothingZeroStillSoftensTheEdge) {
    CaptionRun run(1);
    run.p.TextSmoothing = 0;
    run.p.TextRed = run.p.TextGreen = run.p.TextBlue = 255;
    ASSERT_EQ(AddText(&run.p), 1);
    CaptionRun background(1, 100);
    ASSERT_EQ(AddText(&background.p), 1);
    // The corner pixel of the block is only partly covered after the radius-1 blur.
    const int32_t corner = run.at(8, 2).r;
    EXPECT_GT(corner, background.at(8, 2).r);
    EXPECT_LT(corner, 255 * 256 - 1000);
}

TEST(AddText, NoPixelsReturnZero) {
    Picture picture = variedPicture(10, 10, 1);
    Picture output(20, 20, 1);
    AddTextParams p = frameParams(picture, output, 0, 0);
    p.Picture.BytesPerSample = -1;
    EXPECT_EQ(AddText(&p), 0);
    p = frameParams(picture, output, 0, 0);
    p.Output.Bits = nullptr;
    EXPECT_EQ(AddText(&p), 0);
    EXPECT_EQ(AddText(nullptr), 0);
}

TEST(AddText, OutputSmallerThanThePictureIsClipped) {
    Picture picture = variedPicture(40, 30, 1);
    Picture output(20, 10, 1);
    for (int32_t effect = 0; effect <= 8; ++effect) {
        AddTextParams p = frameParams(picture, output, effect, 3000);
        p.InnerWidth = 300;
        clearAbort();
        EXPECT_EQ(AddText(&p), 1) << effect;
    }
}

TEST(AddText, ALeftOverAbortDoesNotStopTheFrame) {
    // The abort flag stays raised after an aborted run until the next run; drawing a frame
    // (whose blur effects share the pipeline's smoothing) must not notice it.
    Picture picture = variedPicture(30, 20, 2);
    for (int32_t effect = 0; effect <= 8; ++effect) {
        Picture expected(50, 40, 2), drawn(50, 40, 2);
        AddTextParams p = frameParams(picture, expected, effect, 2000);
        clearAbort();
        ASSERT_EQ(AddText(&p), 1) << effect;
        p = frameParams(picture, drawn, effect, 2000);
        Abort();
        EXPECT_EQ(AddText(&p), 1) << effect;
        EXPECT_TRUE(drawn.samePixels(expected)) << effect;
        EXPECT_TRUE(abortRequested()) << "the flag belongs to the next run";
    }
    clearAbort();
}

}  // namespace
}  // namespace dnr
