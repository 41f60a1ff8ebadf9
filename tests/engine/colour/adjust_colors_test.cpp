#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "caller_picture.h"
#include "colour_space.h"
#include "curves.h"
#include "plane_fixture.h"
#include "progress.h"
#include "stages.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::neutralParams;
using testing::Picture;
using testing::rgbAt;
using testing::rgbPlanes;

ProcessingParams colourParams() {
    ProcessingParams p = neutralParams();
    p.ColorAdjustOn = 1;
    return p;
}

TEST(AdjustColors, OffOrNeutralLeavesThePlanes) {
    struct Case {
        const char* name;
        void (*set)(ProcessingParams&);
    };
    const Case cases[] = {
        {"off", [](ProcessingParams& p) { p.ColorAdjustOn = 0, p.Gamma = 50; }},
        {"neutral", [](ProcessingParams&) {}},
        {"only ShowOverExposed", [](ProcessingParams& p) { p.ShowOverExposed = 1; }},
        {"range being edited", [](ProcessingParams& p) { p.SelectedColorRange = 0, p.Gamma = 50; }},
    };
    for (const Case& c : cases) {
        ProcessingParams p = colourParams();
        c.set(p);
        PlaneSet s = rgbPlanes(2, 2, {{65535, 65535, 65535}, {0, 0, 0}, {1000, 20000, 300}});
        ASSERT_TRUE(adjustColors(s, p)) << c.name;
        EXPECT_TRUE(s.rgb) << c.name;
        EXPECT_EQ(rgbAt(s, 0).r, 65535) << c.name;
        EXPECT_EQ(rgbAt(s, 1).b, 0) << c.name;
        EXPECT_EQ(rgbAt(s, 2).g, 20000) << c.name;
    }
}

TEST(AdjustColors, ToneThenGainsInThatOrder) {
    ProcessingParams p = colourParams();
    p.RedShift = 50;
    p.ShowOverExposed = 1;
    const Rgb in{30000, 20000, 10000};
    PlaneSet s = rgbPlanes(1, 1, {in});
    ASSERT_TRUE(adjustColors(s, p));
    ASSERT_TRUE(s.rgb);
    // By hand: plain luma/chroma, the neutral tone table, back to RGB, red gain 6144.
    const Ycc y = rgbToYcc(in.r, in.g, in.b, ChromaModel::Plain);
    const int32_t k = y.y >> 8, f = y.y & 255;
    const int64_t c =
        (int64_t{k * 65535 / 256} * (256 - f) + int64_t{(k + 1) * 65535 / 256} * f) >> 8;
    const int64_t g = c * 4096 / y.y;
    const Rgb toned =
        yccToRgb(static_cast<int32_t>((g * y.y) >> 12),
                 static_cast<int32_t>((((y.cb - 0x8000) * g) >> 12) + 0x8000),
                 static_cast<int32_t>((((y.cr - 0x8000) * g) >> 12) + 0x8000), ChromaModel::Plain);
    EXPECT_EQ(rgbAt(s, 0).r, (toned.r * 6144) >> 12);
    EXPECT_EQ(rgbAt(s, 0).g, toned.g);
    EXPECT_EQ(rgbAt(s, 0).b, toned.b);
}

TEST(AdjustColors, WhiteIsMarkedOnlyWhenTheToneStepRuns) {
    ProcessingParams p = colourParams();
    p.ShowOverExposed = 1;
    p.BlueShift = -1;  // now the tone step runs and compresses white to 65263
    PlaneSet s = rgbPlanes(1, 1, {{65535, 65535, 65535}});
    ASSERT_TRUE(adjustColors(s, p));
    // The compressed white's luminance stays below 65280: not marked.
    const Rgb out = rgbAt(s, 0);
    EXPECT_LT((out.g * 9617 + out.r * 4899 + out.b * 1868) >> 14, 65280);
    EXPECT_FALSE(out.r == 65280 && out.g == 1 && out.b == 1);
    EXPECT_EQ(out.g, 65296);  // 65263 + 33 on the way back to RGB
}

TEST(AdjustColors, SaturationMinusHundredNeutralisesTheShifts) {
    ProcessingParams p = colourParams();
    p.Saturation = -100;
    p.RedShift = 100;
    p.GreenShift = -60;
    PlaneSet s = rgbPlanes(2, 1, {{50000, 20000, 5000}, {1000, 40000, 30000}});
    ASSERT_TRUE(adjustColors(s, p));
    for (int i = 0; i < 2; ++i) {
        const Rgb c = rgbAt(s, i);
        // Grey to within the colour conversion's rounding; the shifts did nothing.
        EXPECT_NEAR(c.r, c.g, 40) << i;
        EXPECT_NEAR(c.b, c.g, 80) << i;
    }
}

TEST(AdjustColors, AbortFailsTheStage) {
    ProcessingParams p = colourParams();
    p.Gamma = 20;
    PlaneSet s = rgbPlanes(4, 4, {{1000, 2000, 3000}});
    gAbortFlag = true;
    EXPECT_FALSE(adjustColors(s, p));
    clearAbort();
}

// Through the whole pipeline, with the stage in its slot.
TEST(AdjustColorsPipeline, NeutralColourSettingsSkipTheStage) {
    Picture on(5, 3, 1), off(5, 3, 1);
    for (Picture* pic : {&on, &off})
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                pic->set(x, y, {x * 50 + 5, y * 80 + 3, 200 - x * 20});
    ProcessingParams pOn = colourParams(), pOff = neutralParams();
    pOn.FinalRun = pOff.FinalRun = 1;
    on.attach(pOn);
    off.attach(pOff);
    ASSERT_EQ(Grainwash2(&pOn), 1);
    ASSERT_EQ(Grainwash2(&pOff), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(on.get(x, y), off.get(x, y)) << x << "," << y;
}

TEST(AdjustColorsPipeline, ColourSettingsChangePixelsAsTheStageComputes) {
    const Colour in{120, 64, 200};
    Picture pic(4, 2, 1);
    pic.fill(in);
    ProcessingParams p = colourParams();
    p.FinalRun = 1;
    p.GreenShift = -40;
    pic.attach(p);
    ASSERT_EQ(Grainwash2(&p), 1);

    // By hand: 8-bit samples times 256, plain luma/chroma, neutral tone, back, green gain.
    const Ycc y = rgbToYcc(in.r * 256, in.g * 256, in.b * 256, ChromaModel::Plain);
    const int32_t k = y.y >> 8, f = y.y & 255;
    const int64_t c =
        (int64_t{k * 65535 / 256} * (256 - f) + int64_t{(k + 1) * 65535 / 256} * f) >> 8;
    const int64_t g = c * 4096 / y.y;
    const Rgb toned =
        yccToRgb(static_cast<int32_t>((g * y.y) >> 12),
                 static_cast<int32_t>((((y.cb - 0x8000) * g) >> 12) + 0x8000),
                 static_cast<int32_t>((((y.cr - 0x8000) * g) >> 12) + 0x8000), ChromaModel::Plain);
    const int32_t green = (toned.g * ((60 * 4096) / 100)) >> 12;
    const Colour expected{std::clamp(toned.r, 0, 65535) >> 8, std::clamp(green, 0, 65535) >> 8,
                          std::clamp(toned.b, 0, 65535) >> 8};
    for (int yy = 0; yy < 2; ++yy)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pic.get(x, yy), expected);
    EXPECT_NE(expected, in);
}

TEST(AdjustColorsPipeline, AbortDuringTheStageLeavesThePicture) {
    const progress::ClockScope clock([]() -> uint32_t {
        static uint32_t t = 0;
        return t += 1000;
    });
    progress::resetReportState();
    Picture pic(8, 64, 1);
    pic.fill({100, 150, 200});
    ProcessingParams p = colourParams();
    p.FinalRun = 1;
    p.Contrast = 40;
    // The first report inside the colour share asks the run to stop.
    p.ProgressCallback = [](int32_t v) {
        if (v > 0) Abort();
    };
    pic.attach(p);
    EXPECT_EQ(Grainwash2(&p), 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pic.get(x, y), (Colour{100, 150, 200}));
}

TEST(AdjustColorsPipeline, ProgressStaysInsideTheColourShare) {
    static std::vector<int32_t> reports;
    reports.clear();
    const progress::ClockScope clock([]() -> uint32_t {
        static uint32_t t = 0;
        return t += 1000;
    });
    progress::resetReportState();
    Picture pic(8, 64, 1);
    pic.fill({100, 100, 100});
    ProcessingParams p = colourParams();
    p.FinalRun = 1;
    p.Gamma = 10;
    p.ProgressCallback = [](int32_t v) { reports.push_back(v); };
    pic.attach(p);
    ASSERT_EQ(Grainwash2(&p), 1);
    // Colour share of a run with only colour on: weights 1076 and 200 of 1277.
    const int32_t start = 0, end = 1076 * 1000 / 1277;
    int colourReports = 0;
    for (int32_t v : reports)
        if (v > start && v <= end) ++colourReports;
    // 128 units in steps of 16: eight reports, some of which may repeat a value.
    EXPECT_GE(colourReports, 4);
}

}  // namespace
}  // namespace dnr
