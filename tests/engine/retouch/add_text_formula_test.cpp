// AddText's caption and blurred bands against their formulas written out plainly, pixel by pixel
// over the whole output, on small pictures where every sample differs. The smoothing filter is
// taken as given (its own tests work its sweeps by hand); everything around it, the padding, the
// radius, the coverage scale, the relief's diagonal, the shadow's offset and direction, the
// effect formulas and the blend, is restated here from the caption's and the band's definitions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "caller_picture.h"
#include "dnr.h"
#include "plane.h"
#include "progress.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;

constexpr Colour kFrame{40 * 256, 90 * 256, 140 * 256};

Picture randomPicture(int32_t w, int32_t h, uint32_t seed) {
    return Picture::random(w, h, 2, seed);
}

AddTextParams noCaption(Picture& picture, Picture& output) {
    AddTextParams p{};
    p.Picture = picture.pixelView();
    p.TextMask = {nullptr, 0, -1, 0};
    p.Output = output.pixelView();
    p.FrameRed = kFrame.r / 256;
    p.FrameGreen = kFrame.g / 256;
    p.FrameBlue = kFrame.b / 256;
    p.ProportionalMargin = 1;
    p.TextEffect = 1;
    p.FrameEffect = 1;
    return p;
}

// The engine's opacity blend of one channel, on 16-bit pixels.
int32_t blend16(int64_t colour, int64_t old, int64_t percent) {
    return static_cast<int32_t>(
        std::min<int64_t>(65535, (percent * colour + (100 - percent) * old) / 100));
}

// A glyph 12 wide and 31 high (8-bit, white on black) touching the mask's left and top edges,
// with a separate dot: not symmetric along either diagonal, so a shift the wrong way shows.
Picture glyphMask() {
    Picture m(12, 31, 1);
    for (int32_t y = 0; y < 31; ++y)
        for (int32_t x = 0; x < 12; ++x) {
            const bool stem = x < 5 && y >= 6;
            const bool foot = y >= 6 && y < 10 && x < 9;
            const bool dot = x >= 8 && x < 11 && y >= 20 && y < 24;
            const int32_t v = stem || foot ? 255 : dot ? 180 : 0;
            m.set(x, y, {v / 2, v, 255 - v});  // only green counts
        }
    return m;
}

struct CaptionCase {
    const char* what;
    int32_t effect, smoothing, transparency;
};

TEST(AddTextFormula, CaptionFollowsItsFormulasAtEveryPixel) {
    // Mask height 31: padding d = 31 / 4 = 7, shadow offset k = trunc(31 / 30 + 0.9999) = 2,
    // radius max(1, smoothing * 31 / 400): 7 at 100, 1 at 0 and at 10, 3 at 40.
    const CaptionCase cases[] = {
        {"print over", 1, 100, 0}, {"shadowed", 2, 100, 0},     {"shadowed, sharp", 2, 10, 30},
        {"emboss text", 3, 40, 0}, {"emboss paper", 4, 100, 0}, {"emboss paper, sharp", 4, 0, 20},
        {"invert", 5, 40, 30},
    };
    const int32_t ow = 100, oh = 100;
    const int32_t textX = 40, textY = 40;
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.what);
        Picture picture = randomPicture(80, 80, 5);
        Picture mask = glyphMask();
        Picture output(ow, oh, 2);
        AddTextParams p = noCaption(picture, output);
        p.TextMask = mask.pixelView();
        p.TextX = textX;
        p.TextY = textY;
        p.TextRed = 200;
        p.TextGreen = 30;
        p.TextBlue = 90;
        p.TextEffect = c.effect;
        p.TextSmoothing = c.smoothing;
        p.TextTransparency = c.transparency;
        ASSERT_EQ(AddText(&p), 1);

        // Under the caption: the 80x80 picture with margins of 10, frame colour around it.
        auto under = [&](int32_t x, int32_t y) {
            if (x >= 10 && x < 90 && y >= 10 && y < 90) return picture.get(x - 10, y - 10);
            return kFrame;
        };

        const int32_t mw = mask.width(), mh = mask.height();
        const int32_t d = mh / 4, k = 2;
        Plane plane;
        ASSERT_TRUE(plane.allocate(mw + 2 * d, mh + 2 * d, true));
        for (int32_t y = 0; y < mh; ++y)
            for (int32_t x = 0; x < mw; ++x)
                plane.row(y + d)[x + d] = static_cast<uint16_t>(mask.get(x, y).g * 256);
        progress::setSuppressed(true);
        ASSERT_TRUE(
            velmarBlur(plane, nullptr, std::max(1, c.smoothing * mh / 400), BlurVariant::Average));
        progress::setSuppressed(false);
        const int64_t largest = *std::max_element(plane.data(), plane.data() + plane.size());
        const int64_t f = 67107840 / largest;
        auto at = [&](int32_t row, int32_t col) -> int64_t {
            if (row < 0 || col < 0 || row >= plane.height || col >= plane.width) return 0;
            return plane.row(row)[col];
        };
        const int64_t colour[3] = {200 * 256, 30 * 256, 90 * 256};  // red, green, blue
        const int64_t colourLuma = (9617 * colour[1] + 4899 * colour[0] + 1868 * colour[2]) >> 14;
        const int64_t opacity = 100 - c.transparency;

        // Output pixel (x, y) covered by plane (row, col): x = TextX - d + col,
        // y = oh - 1 - TextY - d + row.
        const int32_t x0 = textX - d, y0 = oh - 1 - textY - d;
        int shadowed = 0, relief = 0;
        for (int32_t y = 0; y < oh; ++y)
            for (int32_t x = 0; x < ow; ++x) {
                const int32_t col = x - x0, row = y - y0;
                const Colour l = under(x, y);
                Colour want = l;
                if (col >= 0 && row >= 0 && col < plane.width && row < plane.height) {
                    int64_t value = at(row, col), m = 0;
                    if (c.effect == 3 || c.effect == 4) {
                        m = ((at(row - 1, col + 1) - at(row + 1, col - 1)) * f) >> 19;
                        value = (256 - std::abs(m)) * value / 256;
                        relief += m != 0;
                    }
                    const int64_t alpha = (value * f) >> 18;
                    const int64_t s = (((at(row + k, col - k) * f) >> 18) * (256 - alpha)) >> 9;
                    if (c.effect == 2 && s > 0 && alpha == 0) ++shadowed;
                    const int64_t old[3] = {l.r, l.g, l.b};
                    int32_t now[3];
                    for (int i = 0; i < 3; ++i) {
                        const int64_t over = (alpha * colour[i] + (256 - alpha) * old[i]) >> 8;
                        int64_t v = over;
                        if (c.effect == 2) v = (s * colourLuma + over * (256 - s)) >> 8;
                        if (c.effect == 3) v = over + 256 * m;
                        if (c.effect == 4) v = old[i] + 256 * m;
                        if (c.effect == 5)
                            v = ((256 - alpha) * old[i] + (65535 - old[i]) * alpha) >> 8;
                        now[i] = blend16(std::clamp<int64_t>(v, 0, 65535), old[i], opacity);
                    }
                    want = {now[0], now[1], now[2]};
                }
                ASSERT_EQ(output.get(x, y), want) << "at " << x << "," << y;
            }
        // The cases reach what they are about: a shadow beside the glyph, a relief at its edges.
        if (c.effect == 2) {
            EXPECT_GT(shadowed, 20);
        }
        if (c.effect == 3 || c.effect == 4) {
            EXPECT_GT(relief, 40);
        }
    }
}

TEST(AddTextFormula, CaptionOfASmallMaskHasAShadowOfOnePixel) {
    // Mask height 4: padding 1, radius 1, shadow offset trunc(4 / 30 + 0.9999) = 1. A single
    // white pixel at mask (1, 2) of a 3x4 mask: its shadow is read from one row up and one column
    // left, so it falls on the pixel to the right of and below the glyph. Black text on a white
    // picture: that pixel darkens by about half, its mirror to the upper left keeps only the
    // glyph's softening.
    Picture picture(20, 20, 2);
    picture.fill({65535, 65535, 65535});
    Picture mask(3, 4, 1);
    mask.set(1, 2, {255, 255, 255});
    Picture output(20, 20, 2);
    AddTextParams p = noCaption(picture, output);
    p.TextMask = mask.pixelView();
    p.TextX = 8;
    p.TextY = 8;  // mask row 0 on output row 11
    p.TextEffect = 2;
    ASSERT_EQ(AddText(&p), 1);
    // Plane 5x6 with the glyph at (2, 3). Beyond the padded plane nothing is drawn.
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) {
            const bool onPlane = x >= 7 && x <= 11 && y >= 10 && y <= 15;
            if (!onPlane) {
                ASSERT_EQ(output.get(x, y), (Colour{65535, 65535, 65535})) << x << "," << y;
            }
        }
    const int32_t glyph = output.get(9, 13).g;
    const int32_t lowerRight = output.get(10, 12).g;  // shadow read at the glyph itself
    const int32_t upperLeft = output.get(8, 14).g;    // its mirror: softening only
    EXPECT_LT(glyph, 1000);                           // the glyph itself, black
    EXPECT_GT(upperLeft, 50000);
    EXPECT_LT(lowerRight + 15000, upperLeft);
}

struct BlurBandCase {
    int32_t effect, radius;
};

TEST(AddTextFormula, BlurredBandsUseTheRadiusOfThePictureSize) {
    // Picture 40x20 in 60x40, T = trunc(40 * 1000 * 0.0001 + 0.9999) = 4: the picture rectangle
    // 14..45 x 14..25 shows the cropped picture, the rectangle enlarged by T (10..49 x 10..29)
    // the whole picture blurred at radius trunc(40 * u * 3 + 0.99999): 1, 2 and 8 for
    // u = 0.005, 0.015, 0.065.
    const BlurBandCase cases[] = {{4, 1}, {5, 2}, {6, 8}};
    for (const BlurBandCase& c : cases) {
        SCOPED_TRACE(c.effect);
        Picture picture = randomPicture(40, 20, 11);
        Picture output(60, 40, 2);
        AddTextParams p = noCaption(picture, output);
        p.FrameEffect = c.effect;
        p.EffectWidth = 1000;
        clearAbort();
        ASSERT_EQ(AddText(&p), 1);

        Plane planes[3];
        for (Plane& plane : planes)
            ASSERT_TRUE(plane.allocate(40, 20));
        for (int32_t y = 0; y < 20; ++y)
            for (int32_t x = 0; x < 40; ++x) {
                const Colour s = picture.get(x, y);
                planes[0].row(y)[x] = static_cast<uint16_t>(s.r);
                planes[1].row(y)[x] = static_cast<uint16_t>(s.g);
                planes[2].row(y)[x] = static_cast<uint16_t>(s.b);
            }
        progress::setSuppressed(true);
        for (Plane& plane : planes)
            ASSERT_TRUE(velmarBlur(plane, nullptr, c.radius, BlurVariant::Average));
        progress::setSuppressed(false);

        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 60; ++x) {
                Colour want = kFrame;
                if (x >= 14 && x <= 45 && y >= 14 && y <= 25) {
                    want = picture.get(x - 10, y - 10);
                } else if (x >= 10 && x <= 49 && y >= 10 && y <= 29) {
                    want = {planes[0].row(y - 10)[x - 10], planes[1].row(y - 10)[x - 10],
                            planes[2].row(y - 10)[x - 10]};
                }
                ASSERT_EQ(output.get(x, y), want) << "at " << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace dnr
