#include "colour_steps.h"

#include <gtest/gtest.h>

#include "caller_picture.h"
#include "curves.h"
#include "equalizer_curve.h"
#include "hue.h"
#include "plane_fixture.h"
#include "progress.h"

namespace dnr {
namespace {

using testing::neutralParams;
using testing::rgbAt;
using testing::rgbPlanes;
using testing::yccAt;

const EqualizerCurve& toneTableFor(const ProcessingParams& p) {
    rebuildCurveTable(CurveKind::Brightness, p);
    return curveObject(CurveKind::Brightness);
}

TEST(ToneStep, NeutralTableCompressesWhite) {
    const EqualizerCurve& t = toneTableFor(neutralParams());
    // c = 65279, g = 65279 * 4096 / 65535 = 4079, Y' = 4079 * 65535 >> 12 = 65263.
    const Ycc white = applyTone(t, 65535, 0x8000 - 64, 0x8000 - 16);
    EXPECT_EQ(white.y, 65263);
    EXPECT_EQ(white.cb, 0x8000 + ((-64 * 4079) >> 12));  // -64
    EXPECT_EQ(white.cr, 0x8000 + ((-16 * 4079) >> 12));  // -16
    EXPECT_EQ(white.cb, 0x8000 - 64);
}

TEST(ToneStep, BlackStaysBlackWithNeutralChroma) {
    ProcessingParams p = neutralParams();
    p.Gamma = 80;
    const Ycc black = applyTone(toneTableFor(p), 0, 1000, 60000);
    EXPECT_EQ(black.y, 0);
    EXPECT_EQ(black.cb, 0x8000);
    EXPECT_EQ(black.cr, 0x8000);
}

TEST(ToneStep, LargeGainOnADarkPixelDoesNotWrap) {
    ProcessingParams p = neutralParams();
    p.BrightnessEqualizer[0] = 100;  // entry 0 becomes 65535
    const EqualizerCurve& t = toneTableFor(p);
    ASSERT_EQ(t.lookupTable[0], 65535);
    const int64_t c = t.tableLookup(1);
    const int64_t g = c * 4096;  // Y = 1
    const Ycc out = applyTone(t, 1, 0x8000 - 3000, 0x8000 + 1);
    EXPECT_EQ(out.y, std::min<int64_t>((g * 1) >> 12, 65535));
    EXPECT_EQ(out.cb, 0);      // -3000 * g is far below -2^31: the exact result clamps to 0
    EXPECT_EQ(out.cr, 65535);  // g >> 12 alone exceeds the scale
    const Ycc mild = applyTone(t, 1, 0x8000, 0x8000);
    EXPECT_EQ(mild.cb, 0x8000);
}

TEST(ToneStep, ChromaFollowsTheLuminanceGain) {
    ProcessingParams p = neutralParams();
    p.Gamma = 30;
    const EqualizerCurve& t = toneTableFor(p);
    const int32_t y = 20000;
    const int64_t g = int64_t{t.tableLookup(y)} * 4096 / y;
    EXPECT_GT(g, 4096);
    const Ycc out = applyTone(t, y, 0x8000 + 1000, 0x8000 - 1000);
    EXPECT_EQ(out.y, (g * y) >> 12);
    EXPECT_EQ(out.cb, 0x8000 + ((1000 * g) >> 12));
    EXPECT_EQ(out.cr, 0x8000 + ((-1000 * g) >> 12));
}

TEST(SaturationStep, SkippedWhenNeutral) {
    ProcessingParams p = neutralParams();
    PlaneSet s = rgbPlanes(2, 2, {{50000, 10000, 2000}});
    ASSERT_TRUE(saturationStep(s, p));
    EXPECT_TRUE(s.rgb);
    // Black and white without a mix is also neutral for this step.
    p.BWConversion = 1;
    ASSERT_TRUE(saturationStep(s, p));
    EXPECT_TRUE(s.rgb);
    EXPECT_EQ(rgbAt(s, 0).r, 50000);
}

TEST(SaturationStep, MinusHundredMakesGrey) {
    ProcessingParams p = neutralParams();
    p.Saturation = -100;
    PlaneSet s = rgbPlanes(3, 1, {{50000, 10000, 2000}, {0, 30000, 60000}, {40000, 40000, 40000}});
    ASSERT_TRUE(saturationStep(s, p));
    ASSERT_FALSE(s.rgb);
    EXPECT_EQ(s.model, ChromaModel::Relative);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(yccAt(s, i).cb, 0x8000) << i;
        EXPECT_EQ(yccAt(s, i).cr, 0x8000) << i;
    }
    ASSERT_TRUE(toRgb(s, false));
    const Rgb c = rgbAt(s, 1);
    EXPECT_EQ(c.r, c.g);
    EXPECT_EQ(c.g, c.b);
}

TEST(SaturationStep, ScalesChromaByTheCurve) {
    struct Case {
        int32_t saturation, cb, cr, expectedCb, expectedCr;
    };
    const Case cases[] = {
        {100, 0x8000 + 1000, 0x8000 - 3001, 0x8000 + 2000, 0x8000 - 6002},  // doubled
        {-50, 0x8000 + 1001, 0x8000 - 3001, 0x8000 + 500, 0x8000 - 1500},   // toward zero
        {100, 0x8000 + 30000, 0x8000, 65535, 0x8000},                       // clamped
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams();
        p.Saturation = c.saturation;
        PlaneSet s;
        s.allocate(1, 1);
        s.rgb = false;
        s.model = ChromaModel::Plain;  // a luma/chroma set is used as it is
        s.planes[PlaneSet::kY].data()[0] = 30000;
        s.planes[PlaneSet::kCb].data()[0] = static_cast<uint16_t>(c.cb);
        s.planes[PlaneSet::kCr].data()[0] = static_cast<uint16_t>(c.cr);
        ASSERT_TRUE(saturationStep(s, p));
        EXPECT_EQ(s.model, ChromaModel::Plain);
        EXPECT_EQ(yccAt(s, 0).cb, c.expectedCb) << c.saturation;
        EXPECT_EQ(yccAt(s, 0).cr, c.expectedCr) << c.saturation;
        EXPECT_EQ(yccAt(s, 0).y, 30000);
    }
}

TEST(SaturationStep, BlackAndWhiteMixLightensColouredPixels) {
    ProcessingParams p = neutralParams();
    p.BWConversion = 1;
    p.BWRed = 50;
    PlaneSet s;
    s.allocate(2, 1);
    s.rgb = false;
    s.model = ChromaModel::Relative;
    const uint16_t cb[2] = {0x8000 - 0x1000, 0x8000}, cr[2] = {0xF000, 0x8000};
    for (int i = 0; i < 2; ++i) {
        s.planes[PlaneSet::kY].data()[i] = 20000;
        s.planes[PlaneSet::kCb].data()[i] = cb[i];
        s.planes[PlaneSet::kCr].data()[i] = cr[i];
    }
    ASSERT_TRUE(saturationStep(s, p));
    // A red pixel: s is the mix at its hue; Y' = Y * ((chroma * s * 4 >> 16) + 100) / 100.
    const int64_t sv = hueLookup(CurveKind::Saturation, hueOf(cr[0], cb[0]));
    EXPECT_GT(sv, 40);
    const int64_t percent = ((chromaOf(cr[0], cb[0]) * sv * 4) >> 16) + 100;
    EXPECT_EQ(yccAt(s, 0).y, 20000 * percent / 100);
    EXPECT_EQ(yccAt(s, 0).cr, 0xF000);  // chroma stays
    // Grey has no chroma: unchanged.
    EXPECT_EQ(yccAt(s, 1).y, 20000);
}

TEST(ChannelGains, ShiftsWeighedBySaturation) {
    struct Case {
        int32_t saturation, shift, gain;
    };
    const Case cases[] = {
        {0, 0, 4096},      {0, 50, 6144},    {0, -100, 0},   {100, 50, 8192},
        {-100, 100, 4096}, {-50, 100, 6144}, {0, 100, 8192}, {100, -100, 0},
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams();
        p.Saturation = c.saturation;
        p.RedShift = c.shift;
        p.GreenShift = -c.shift;
        const ChannelGains g = channelGains(p);
        EXPECT_EQ(g.red, c.gain) << c.saturation << "," << c.shift;
        EXPECT_EQ(g.blue, 4096);
        EXPECT_EQ(g.luma, (g.red * 4899 + g.green * 9617 + 4096 * 1868) >> 14);
    }
}

TEST(ColourGainStep, ColourModeMultipliesEachChannel) {
    ProcessingParams p = neutralParams();
    p.RedShift = 50;
    p.BlueShift = -25;
    PlaneSet s = rgbPlanes(1, 1, {{50000, 10000, 2000}});
    ASSERT_TRUE(colourGainStep(s, p));
    EXPECT_EQ(rgbAt(s, 0).r, 65535);  // 50000 * 6144 >> 12 = 75000, clamped
    EXPECT_EQ(rgbAt(s, 0).g, 10000);
    EXPECT_EQ(rgbAt(s, 0).b, (2000 * 3072) >> 12);
}

TEST(ColourGainStep, BlackAndWhiteDefaultsGivePlainGrey) {
    ProcessingParams p = neutralParams();
    p.BWConversion = 1;
    const std::vector<Rgb> colours = {
        {50000, 10000, 2000}, {0, 30000, 60000}, {65535, 65535, 65535}};
    PlaneSet s = rgbPlanes(3, 1, colours);
    ASSERT_TRUE(colourGainStep(s, p));
    for (int i = 0; i < 3; ++i) {
        const Rgb& in = colours[i];
        const int32_t l = (in.g * 9617 + in.r * 4899 + in.b * 1868) >> 14;
        EXPECT_EQ(rgbAt(s, i).r, (l * 4096) >> 12) << i;
        EXPECT_EQ(rgbAt(s, i).g, l) << i;
        EXPECT_EQ(rgbAt(s, i).b, l) << i;
    }
}

TEST(ColourGainStep, BlackAndWhiteToningTintsTheShadows) {
    ProcessingParams p = neutralParams();
    p.BWConversion = 1;
    p.RedShift = 100;
    const int64_t o = (8192 * 4899 + 4096 * 9617 + 4096 * 1868) >> 14;
    PlaneSet s = rgbPlanes(2, 1, {{3000, 3000, 3000}, {65000, 65000, 65000}});
    ASSERT_TRUE(colourGainStep(s, p));
    for (int i = 0; i < 2; ++i) {
        const int64_t l = i == 0 ? 3000 : 65000;
        auto toned = [&](int64_t gain) {
            return std::min<int64_t>((l * (o + (((gain - o) * (65535 - l)) >> 16))) >> 12, 65535);
        };
        EXPECT_EQ(rgbAt(s, i).r, toned(8192)) << i;
        EXPECT_EQ(rgbAt(s, i).g, toned(4096)) << i;
        EXPECT_EQ(rgbAt(s, i).b, toned(4096)) << i;
    }
    // Shadows clearly red, near white nearly neutral.
    EXPECT_GT(rgbAt(s, 0).r, rgbAt(s, 0).g * 3 / 2);
    EXPECT_LT(rgbAt(s, 1).r - rgbAt(s, 1).g, 600);
}

TEST(ColourGainStep, ExposureMarks) {
    ProcessingParams p = neutralParams();
    p.ShowOverExposed = 1;
    PlaneSet s =
        rgbPlanes(4, 1, {{65535, 65535, 65535}, {0, 0, 0}, {30000, 30000, 30000}, {255, 255, 256}});
    ASSERT_TRUE(colourGainStep(s, p));
    EXPECT_EQ(rgbAt(s, 0).r, 65280);
    EXPECT_EQ(rgbAt(s, 0).g, 1);
    EXPECT_EQ(rgbAt(s, 0).b, 1);
    EXPECT_EQ(rgbAt(s, 1).r, 1);
    EXPECT_EQ(rgbAt(s, 1).g, 1);
    EXPECT_EQ(rgbAt(s, 1).b, 65280);
    EXPECT_EQ(rgbAt(s, 2).r, 30000);
    // Luminance (255 * 9617 + 255 * 4899 + 256 * 1868) >> 14 = 255: under-exposed.
    EXPECT_EQ(rgbAt(s, 3).b, 65280);
}

TEST(ColourGainStep, SkippedWithoutShiftsMarksOrBlackAndWhite) {
    ProcessingParams p = neutralParams();
    p.Saturation = 100;
    PlaneSet s = rgbPlanes(1, 1, {{65535, 65535, 65535}});
    ASSERT_TRUE(colourGainStep(s, p));
    EXPECT_EQ(rgbAt(s, 0).g, 65535);
}

TEST(ColourSteps, AbortEndsTheRowPasses) {
    ProcessingParams p = neutralParams();
    p.Saturation = 20;
    p.RedShift = 10;
    PlaneSet a = rgbPlanes(2, 2, {{1000, 2000, 3000}});
    gAbortFlag = true;
    EXPECT_FALSE(saturationStep(a, p));
    PlaneSet b = rgbPlanes(2, 2, {{1000, 2000, 3000}});
    EXPECT_FALSE(colourGainStep(b, p));
    EXPECT_EQ(rgbAt(b, 0).r, 1000);  // the first row was not reached
    clearAbort();
}

}  // namespace
}  // namespace dnr
