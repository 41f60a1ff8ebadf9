#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "caller_picture.h"
#include "colour_space.h"
#include "dnr.h"
#include "noise_fixtures.h"
#include "progress.h"
#include "stage_caches.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::neutralParams;
using testing::Picture;

TEST(Grainwash2, RefusesRecordsWithoutPixels) {
    Picture pic = Picture::random(4, 4, 1, 1);
    const Picture before = pic;
    struct Case {
        const char* what;
        void (*spoil)(ProcessingParams&);
    };
    const Case cases[] = {
        {"no image", [](ProcessingParams& p) { p.BytesPerSample = -1; }},
        {"bitmap handle", [](ProcessingParams& p) { p.BytesPerSample = 0; }},
        {"three bytes a sample", [](ProcessingParams& p) { p.BytesPerSample = 3; }},
        {"null pixels", [](ProcessingParams& p) { p.Bits = nullptr; }},
        {"zero width", [](ProcessingParams& p) { p.Width = 0; }},
        {"negative height", [](ProcessingParams& p) { p.Height = -2; }},
    };
    for (const Case& c : cases) {
        ProcessingParams p = neutralParams(pic);
        p.NoiseReductionOn = 1;
        c.spoil(p);
        EXPECT_EQ(Grainwash2(&p), 0) << c.what;
        EXPECT_TRUE(pic.samePixels(before)) << c.what;
    }
    EXPECT_EQ(Grainwash2(nullptr), 0);
}

// With every correction off a pixel still makes the trip to luma/chroma and back.
TEST(Grainwash2, NeutralRunChangesPixelsOnlyByTheConversionsRounding) {
    for (int32_t bps : {1, 2}) {
        Picture pic = Picture::random(9, 5, bps, 2);
        const Picture before = pic;
        ProcessingParams p = neutralParams(pic);
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);
        const View in = *makeView(const_cast<Picture&>(before).bits(), 9, bps, 5);
        const View out = *makeView(pic.bits(), 9, bps, 5);
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 9; ++x) {
                const Ycc c = rgbToYcc(in.sample(x, y, 2), in.sample(x, y, 1), in.sample(x, y, 0),
                                       ChromaModel::Plain);
                const Rgb e = yccToRgb(c.y, c.cb, c.cr, ChromaModel::Plain);
                const int shift = bps == 1 ? 8 : 0;
                EXPECT_EQ(out.sample(x, y, 2) >> shift, uint32_t(clamp16(e.r)) >> shift);
                EXPECT_EQ(out.sample(x, y, 1) >> shift, uint32_t(clamp16(e.g)) >> shift);
                EXPECT_EQ(out.sample(x, y, 0) >> shift, uint32_t(clamp16(e.b)) >> shift);
            }
    }
    Picture grey(1, 1, 1);
    grey.set16(0, 0, {128 << 8, 128 << 8, 128 << 8});
    ProcessingParams p = neutralParams(grey);
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(grey.samples8()[0], 127);  // blue
    EXPECT_EQ(grey.samples8()[1], 128);  // green
    EXPECT_EQ(grey.samples8()[2], 127);  // red
}

TEST(Grainwash2, LeavesTheRecordAsTheCallerWroteIt) {
    Picture pic = Picture::random(8, 8, 2, 3);
    std::vector<NoiseAreaEntry> areas = {{100, 200, 300, 50}};
    ProcessingParams p = neutralParams(pic);
    p.NoiseReductionOn = 1;
    p.NoiseAreaCount = 1;
    p.NoiseAreas = areas.data();
    p.ColorAdjustOn = 1;
    p.SharpenAmount = 10;
    const ProcessingParams before = p;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
}

uint32_t gNow = 0;
std::vector<int32_t> gReports;
int32_t gAbortAt = -1;

class PipelineProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        gNow = 0;
        gReports.clear();
        gAbortAt = -1;
        progress::resetReportState();
    }

    static void onProgress(int32_t v) {
        gReports.push_back(v);
        if (gAbortAt >= 0 && v >= gAbortAt) Abort();
    }
    // Every report is at least 100 ms after the last one, so none is dropped for time.
    const progress::ClockScope clock_{[] { return gNow += 1000; }};
};

TEST_F(PipelineProgress, ReportsRiseAndStayBelowAThousand) {
    Picture pic = Picture::random(16, 200, 1, 4);
    ProcessingParams p = neutralParams(pic);
    p.NoiseReductionOn = 1;
    p.ColorAdjustOn = 1;
    p.FinalRun = 1;
    p.ProgressCallback = onProgress;
    ASSERT_EQ(Grainwash2(&p), 1);
    ASSERT_FALSE(gReports.empty());
    for (size_t i = 1; i < gReports.size(); ++i)
        EXPECT_GT(gReports[i], gReports[i - 1]);
    EXPECT_LT(gReports.back(), 1000);
    EXPECT_EQ(gReports.back() % 10, 0);
}

TEST_F(PipelineProgress, AbortFromTheCallbackLeavesThePixelsUntouched) {
    // Copy-in reports from 0, the conversion from 30 (of the default noise shares).
    for (int32_t abortAt : {0, 30}) {
        Picture pic = Picture::random(16, 200, 2, 5);
        const Picture before = pic;
        ProcessingParams p = neutralParams(pic);
        p.NoiseReductionOn = 1;
        p.ColorAdjustOn = 1;
        p.FinalRun = 1;
        p.ProgressCallback = onProgress;
        gAbortAt = abortAt;
        EXPECT_EQ(Grainwash2(&p), 0) << "abort at " << abortAt;
        EXPECT_TRUE(pic.samePixels(before)) << "abort at " << abortAt;
    }
    // The flag is cleared by the next run.
    gAbortAt = -1;
    Picture pic = Picture::random(4, 4, 1, 6);
    ProcessingParams p = neutralParams(pic);
    EXPECT_EQ(Grainwash2(&p), 1);
}

TEST(Grainwash2, AbortBeforeTheRunHasNoEffect) {
    Picture pic = Picture::random(4, 4, 1, 7);
    ProcessingParams p = neutralParams(pic);
    Abort();
    EXPECT_EQ(Grainwash2(&p), 1);
}

// The program's record with louder noise levels.
ProcessingParams previewParams(Picture& pic) {
    ProcessingParams p = defaultParams(pic);
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 40;
    return p;
}

TEST(StageCaches, PreviewThenFinalGivesTheFinalRunAlonesPixels) {
    for (int32_t bps : {1, 2}) {
        const Picture source = Picture::random(12, 10, bps, 8);

        Picture alone = source;
        ProcessingParams p = previewParams(alone);
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);

        Picture preview = source;
        p = previewParams(preview);
        ASSERT_EQ(Grainwash2(&p), 1);
        EXPECT_NE(stageCaches().input.key(), 0u);
        EXPECT_NE(stageCaches().result.key(), 0u);
        EXPECT_NE(stageCaches().blur.key(), 0u);

        Picture final = source;
        p = previewParams(final);
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);
        EXPECT_TRUE(final.samePixels(alone));
        EXPECT_TRUE(final.samePixels(preview));
        // A final run stores nothing: the result and blur caches are emptied.
        EXPECT_EQ(stageCaches().result.key(), 0u);
        EXPECT_TRUE(stageCaches().result.planes[0].empty());
        EXPECT_EQ(stageCaches().blur.key(), 0u);
    }
}

// A repeated preview takes its planes from the caches: spoiling the cached result shows in the
// output, which proves that nothing before it was recomputed.
TEST(StageCaches, SecondPreviewIsServedFromTheResultCache) {
    const Picture source = Picture::random(6, 6, 2, 9);
    Picture first = source;
    ProcessingParams p = previewParams(first);
    ASSERT_EQ(Grainwash2(&p), 1);

    PlaneSet& cached = stageCaches().result;
    ASSERT_FALSE(cached.planes[0].empty());
    std::fill_n(cached.planes[PlaneSet::kY].data(), cached.planes[1].size(), uint16_t{0});
    std::fill_n(cached.planes[PlaneSet::kCb].data(), cached.planes[0].size(), uint16_t{0x8000});
    std::fill_n(cached.planes[PlaneSet::kCr].data(), cached.planes[2].size(), uint16_t{0x8000});

    // Only sharpening and colour changed: the result cache still matches.
    Picture second = source;
    p = previewParams(second);
    p.SharpenAmount = 30;
    p.Saturation = 10;
    ASSERT_EQ(Grainwash2(&p), 1);
    for (uint16_t s : second.samples16())
        EXPECT_EQ(s, 0);

    // A noise setting changed: the result is recomputed, the smoothed planes are reused.
    const uint64_t blurKey = stageCaches().blur.key();
    Picture third = source;
    p = previewParams(third);
    p.NoiseLevel = 55;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(stageCaches().blur.key(), blurKey);
    Picture alone = source;
    p = previewParams(alone);
    p.NoiseLevel = 55;
    p.FinalRun = 1;
    emptyCache(stageCaches().input);
    emptyCache(stageCaches().blur);
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_TRUE(third.samePixels(alone));

    // Another picture of the same size misses every cache.
    Picture other = Picture::random(6, 6, 2, 10);
    p = previewParams(other);
    const uint64_t inputKey = stageCaches().input.key();
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_NE(stageCaches().input.key(), inputKey);
    EXPECT_NE(stageCaches().blur.key(), blurKey);
}

// A change anywhere in the picture, not only where a sparse fingerprint would look, misses the
// input cache; a stale picture must never come back.
TEST(StageCaches, AnyChangedPixelMissesTheInputCache) {
    Picture pic = Picture::random(20, 20, 1, 11);
    ProcessingParams p = previewParams(pic);
    p.NoiseReductionOn = 0;
    const Picture source = pic;
    ASSERT_EQ(Grainwash2(&p), 1);

    Picture edited = source;
    edited.set16(3, 17, {0, 0, 0});  // far from the middle row
    Picture expected = edited;
    p = previewParams(edited);
    p.NoiseReductionOn = 0;
    ASSERT_EQ(Grainwash2(&p), 1);
    ProcessingParams q = previewParams(expected);
    q.NoiseReductionOn = 0;
    q.FinalRun = 1;
    emptyCache(stageCaches().input);
    ASSERT_EQ(Grainwash2(&q), 1);
    EXPECT_TRUE(edited.samePixels(expected));
}

TEST(Grainwash2, NoiseModesZeroTwoAndFourGiveTheSamePixels) {
    const Picture source = Picture::random(10, 7, 1, 12);
    std::vector<Picture> out;
    for (int32_t mode : {0, 2, 4}) {
        Picture pic = source;
        ProcessingParams p = previewParams(pic);
        p.NoiseMode = mode;
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);
        out.push_back(pic);
    }
    EXPECT_TRUE(out[0].samePixels(out[1]));
    EXPECT_TRUE(out[2].samePixels(out[1]));
}

}  // namespace
}  // namespace dnr
