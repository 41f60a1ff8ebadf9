// The preview run over real sessions and the real engine: the region a region tab previews comes
// out as the engine makes it, whole-image tabs work on the reduced copy, and a cancel or a
// failure leaves no picture.
#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "core/preview/engine_executor.h"
#include "core/preview/picture_copy.h"
#include "core/preview/preview_run.h"
#include "core/preview/run_preparation.h"
#include "event_loop.h"
#include "imaging/image.h"
#include "synthetic_pictures.h"

namespace core {
namespace {

// The document's sessions for one test.
struct Sessions {
    PreviewSessions s;
    explicit Sessions(imaging::Handle source) {
        s.source = source;
        s.sourcePreview = imaging::cNewSession();
        s.reduced = imaging::cNewSession();
        s.working = imaging::cNewSession();
        s.textWorking = imaging::cNewSession();
        s.cropWorking = imaging::cNewSession();
    }
    ~Sessions() {
        for (imaging::Handle h :
             {s.source, s.sourcePreview, s.reduced, s.working, s.textWorking, s.cropWorking})
            imaging::cDestroySession(h);
    }
};

PictureSize sizeOf(imaging::Handle h) {
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(h, info)) return {};
    return {info.width, info.height};
}

struct ContextFlags {
    std::atomic<bool> cancelled{false};
    EngineJobContext context{[this] { return cancelled.load(); }, [](int32_t) {}};
};

class RegionPreview : public ::testing::TestWithParam<bool> {};

TEST_P(RegionPreview, GivesTheEnginesBytesForTheRegion) {
    const bool sixteen = GetParam();
    const PictureSize sourceSize{48, 36};
    Sessions d(patternSession(sourceSize.width, sourceSize.height, sixteen));
    const PreviewRegion region = regionAround(38, 15, sourceSize, {20, 16}, 100);
    ASSERT_EQ(region.rect(), (PixelRect{28, 7, 20, 16}));  // reaches the last column

    Result<QImage> shown = rebuildSourcePreview(d.s, PreviewTab::Noise, region, {1920, 1080});
    ASSERT_TRUE(shown.ok());
    EXPECT_EQ(shown.value().size(), QSize(20, 16));

    // The expected bytes: the same rectangle, processed by the engine with the same record.
    const int w = region.width, h = region.height;
    std::vector<uint8_t> expected8(imaging::stride8(w) * h);
    std::vector<uint16_t> expected16(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint16_t r, g, b;
            imaging::cGetPixelColor(d.s.source, region.left + x, region.top + y, r, g, b);
            if (sixteen) {
                uint16_t* px = &expected16[(size_t(y) * w + x) * 3];
                px[0] = b, px[1] = g, px[2] = r;
            } else {
                uint8_t* px = &expected8[size_t(h - 1 - y) * imaging::stride8(w) + size_t(x) * 3];
                px[0] = uint8_t(b >> 8), px[1] = uint8_t(g >> 8), px[2] = uint8_t(r >> 8);
            }
        }
    const std::vector<uint8_t> unprocessed8 = expected8;
    const std::vector<uint16_t> unprocessed16 = expected16;
    ProcessingParams direct = processingRecord();
    attachPixels(direct, PixelView{sixteen ? static_cast<void*>(expected16.data())
                                           : static_cast<void*>(expected8.data()),
                                   w, sixteen ? 2 : 1, h});
    preparePreviewRun(direct, PreviewTab::Noise, region, sourceSize, {w, h});
    ReleaseCaches();
    ASSERT_EQ(Grainwash2(&direct), 1);
    if (sixteen)
        ASSERT_NE(expected16, unprocessed16);
    else
        ASSERT_NE(expected8, unprocessed8);

    ReleaseCaches();
    PreviewRunRequest request;
    request.sessions = d.s;
    request.tab = PreviewTab::Noise;
    request.region = region;
    request.record = RunRecord(processingRecord());
    ContextFlags flags;
    const RunResult result = runPreview(request, flags.context);
    ASSERT_EQ(result.end, RunEnd::Done) << result.detail.toStdString();
    EXPECT_EQ(result.lastStep, 5);
    EXPECT_EQ(request.record.params.DistortionsOn, 0);  // the noise tab runs no distortions
    ASSERT_EQ(sizeOf(d.s.working), (PictureSize{w, h}));
    if (sixteen) {
        const uint16_t* got = imaging::cGetBits16Ptr(d.s.working);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(std::memcmp(got, expected16.data(), expected16.size() * 2), 0);
    } else {
        const uint8_t* got = imaging::cGetBitsPtr(d.s.working);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(std::memcmp(got, expected8.data(), expected8.size()), 0);
    }
    // The display picture is the working picture the right way up.
    ASSERT_EQ(result.display.size(), QSize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint16_t r, g, b;
            imaging::cGetPixelColor(d.s.working, x, y, r, g, b);
            ASSERT_EQ(result.display.pixel(x, y), qRgb(r >> 8, g >> 8, b >> 8)) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, RegionPreview, ::testing::Bool());

TEST(PreviewRun, WholeImageTabsProcessTheReducedCopyWithoutProgress) {
    Sessions d(patternSession(60, 40, false));
    const PreviewRegion region = centredRegion({60, 40}, {20, 20}, 100);
    ASSERT_TRUE(rebuildSourcePreview(d.s, PreviewTab::Colors, region, {30, 20}).ok());
    EXPECT_EQ(sizeOf(d.s.reduced), (PictureSize{30, 20}));
    EXPECT_EQ(sizeOf(d.s.sourcePreview), (PictureSize{30, 20}));

    ProcessingParams seen{};
    int calls = 0;
    const EngineCall engine = [&](ProcessingParams& p) {
        seen = p;
        ++calls;
        return 1;
    };
    PreviewRunRequest request;
    request.sessions = d.s;
    request.tab = PreviewTab::Colors;
    request.region = region;
    request.record = RunRecord(processingRecord());
    ContextFlags flags;
    const RunResult result = runPreview(request, flags.context, engine);
    ASSERT_EQ(result.end, RunEnd::Done);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen.Width, 30);
    EXPECT_EQ(seen.Height, 20);
    EXPECT_EQ(seen.BytesPerSample, 1);
    EXPECT_EQ(seen.Bits, imaging::cGetBitsPtr(d.s.working));
    EXPECT_EQ(seen.ViewWidth, 30);
    EXPECT_EQ(seen.ViewLeft, 0);
    EXPECT_EQ(seen.FullWidth, 30);
    EXPECT_EQ(seen.FinalRun, 0);
    EXPECT_EQ(seen.ProgressCallback, nullptr);
    EXPECT_EQ(seen.NoiseReductionOn, 0);
    EXPECT_EQ(seen.DistortionsOn, 1);
    EXPECT_EQ(result.display.size(), QSize(30, 20));
}

TEST(PreviewRun, TextAndCropTabsUseTheirOwnWorkingCopies) {
    Sessions d(patternSession(60, 40, false));
    const PreviewRegion region = centredRegion({60, 40}, {20, 20}, 100);
    ASSERT_TRUE(rebuildSourcePreview(d.s, PreviewTab::Text, region, {30, 20}).ok());
    const EngineCall engine = [](ProcessingParams&) { return 1; };
    struct Case {
        PreviewTab tab;
        bool fullCaption;
        imaging::Handle working;
        PictureSize size;
    };
    for (const Case& c : {Case{PreviewTab::Text, false, d.s.textWorking, {30, 20}},
                          Case{PreviewTab::Text, true, d.s.textWorking, {60, 40}},
                          Case{PreviewTab::Crop, false, d.s.cropWorking, {60, 40}}}) {
        PreviewRunRequest request;
        request.sessions = d.s;
        request.tab = c.tab;
        request.region = region;
        request.captionNeedsFullImage = c.fullCaption;
        request.record = RunRecord(processingRecord());
        bool drawn = false;
        request.afterEngine = [&](imaging::Handle working, ProcessingParams&) {
            drawn = working == c.working;
        };
        ContextFlags flags;
        const RunResult result = runPreview(request, flags.context, engine);
        ASSERT_EQ(result.end, RunEnd::Done);
        EXPECT_TRUE(drawn);
        EXPECT_EQ(sizeOf(c.working), c.size);
        EXPECT_EQ(result.display.size(), QSize(c.size.width, c.size.height));
    }
}

TEST(PreviewRun, AbortGivesAbortedAndNoOutput) {
    Sessions d(patternSession(40, 30, false));
    const PreviewRegion region = centredRegion({40, 30}, {20, 16}, 100);
    ASSERT_TRUE(rebuildSourcePreview(d.s, PreviewTab::Sharpening, region, {1920, 1080}).ok());
    struct Case {
        const char* name;
        bool before;  // cancelled before the run reached the engine
        int32_t engineResult;
        int32_t step;
    };
    for (const Case& c : {Case{"engine stopped by Abort", false, 0, 3},
                          Case{"engine finished just before the abort", false, 1, 3},
                          Case{"cancelled before the run", true, 1, 0}}) {
        ContextFlags flags;
        flags.cancelled = c.before;
        int calls = 0;
        const EngineCall engine = [&](ProcessingParams&) {
            ++calls;
            flags.cancelled = true;  // the user's Abort arrives during the engine call
            return c.engineResult;
        };
        PreviewRunRequest request;
        request.sessions = d.s;
        request.tab = PreviewTab::Sharpening;
        request.region = region;
        request.record = RunRecord(processingRecord());
        const RunResult result = runPreview(request, flags.context, engine);
        EXPECT_EQ(result.end, RunEnd::Aborted) << c.name;
        EXPECT_EQ(result.lastStep, c.step) << c.name;
        EXPECT_TRUE(result.display.isNull()) << c.name;
        EXPECT_TRUE(result.detail.isEmpty()) << c.name;
        EXPECT_FALSE(holdsPicture(d.s.working)) << c.name;
        EXPECT_EQ(calls, c.before ? 0 : 1) << c.name;
    }
}

TEST(PreviewRun, AnEngineFailureUnloadsTheWorkingCopyAndNamesTheStep) {
    Sessions d(patternSession(40, 30, false));
    const PreviewRegion region = centredRegion({40, 30}, {20, 16}, 100);
    ASSERT_TRUE(rebuildSourcePreview(d.s, PreviewTab::CA, region, {1920, 1080}).ok());
    PreviewRunRequest request;
    request.sessions = d.s;
    request.tab = PreviewTab::CA;
    request.region = region;
    request.record = RunRecord(processingRecord());
    ContextFlags flags;
    const RunResult result =
        runPreview(request, flags.context, [](ProcessingParams&) { return 0; });
    EXPECT_EQ(result.end, RunEnd::Failed);
    EXPECT_EQ(result.lastStep, 3);
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_FALSE(holdsPicture(d.s.working));
    // Without a source preview there is nothing to copy: step 0.
    imaging::cUnload(d.s.sourcePreview);
    const RunResult none = runPreview(request, flags.context, [](ProcessingParams&) { return 1; });
    EXPECT_EQ(none.end, RunEnd::Failed);
    EXPECT_EQ(none.lastStep, 0);
}

TEST(PreviewRun, RegionOutsideTheSourceIsRefused) {
    Sessions d(patternSession(40, 30, false));
    PreviewRegion region;
    region.left = 30;
    region.top = 0;
    region.width = 20;
    region.height = 10;
    EXPECT_FALSE(rebuildSourcePreview(d.s, PreviewTab::Noise, region, {1920, 1080}).ok());
}

TEST(PreviewRun, OnTheExecutorACancelEndsTheRunAsAbortedOnTheGuiThread) {
    ensureApplication();
    std::atomic<bool> engineAborted{false};
    std::atomic<bool> engineEntered{false};
    EngineExecutor executor([&] { engineAborted = true; });
    Sessions d(patternSession(40, 30, false));
    const PreviewRegion region = centredRegion({40, 30}, {20, 16}, 100);
    bool rebuilt = false;
    executor.post(
        &executor,
        [&](const EngineJobContext&) {
            return rebuildSourcePreview(d.s, PreviewTab::Noise, region, {1920, 1080}).ok();
        },
        [&](bool ok) { rebuilt = ok; });
    auto request = std::make_shared<PreviewRunRequest>();
    request->sessions = d.s;
    request->tab = PreviewTab::Noise;
    request->region = region;
    request->record = RunRecord(processingRecord());
    // Stands for an engine run that stops at its next row once Abort was called.
    const EngineCall engine = [&](ProcessingParams&) {
        engineEntered = true;
        while (!engineAborted.load())
            QThread::yieldCurrentThread();
        return 0;
    };
    bool received = false;
    RunResult result;
    QThread* receivedOn = nullptr;
    executor.requestPreview(
        &executor,
        [request, engine](const EngineJobContext& context) {
            return runPreview(*request, context, engine);
        },
        [&](RunResult r) {
            result = std::move(r);
            receivedOn = QThread::currentThread();
            received = true;
        });
    ASSERT_TRUE(processEventsUntil([&] { return engineEntered.load(); }));
    executor.cancel();
    ASSERT_TRUE(processEventsUntil([&] { return received; }));
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(result.end, RunEnd::Aborted);
    EXPECT_TRUE(result.display.isNull());
    EXPECT_EQ(receivedOn, QThread::currentThread());
    bool empty = false;
    executor.post(
        &executor, [&](const EngineJobContext&) { return !holdsPicture(d.s.working); },
        [&](bool e) {
            empty = e;
            received = false;
        });
    ASSERT_TRUE(processEventsUntil([&] { return !received; }));
    EXPECT_TRUE(empty);
}

}  // namespace
}  // namespace core
