// The full run: the whole source through the engine into the output, then the finishing hook.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "core/preview/full_run.h"
#include "core/preview/picture_copy.h"
#include "core/preview/run_preparation.h"
#include "imaging/image.h"
#include "synthetic_pictures.h"

namespace core {
namespace {

struct FullRunFixture {
    imaging::Handle source;
    imaging::Handle output = imaging::cNewSession();
    std::atomic<bool> cancelled{false};
    std::vector<int32_t> progress;
    EngineJobContext context{[this] { return cancelled.load(); },
                             [this](int32_t v) { progress.push_back(v); }};

    explicit FullRunFixture(bool sixteen = false) : source(patternSession(40, 28, sixteen)) {}
    ~FullRunFixture() {
        imaging::cDestroySession(source);
        imaging::cDestroySession(output);
    }
    FullRunRequest request() {
        FullRunRequest r;
        r.source = source;
        r.output = output;
        ProcessingParams p = processingRecord();
        p.ShowNoiseMap = p.ShowGrid = p.ShowOverExposed = 1;
        r.record = RunRecord(p);
        return r;
    }
};

TEST(FullRun, ProcessesTheWholeSourceIntoTheOutput) {
    FullRunFixture f;
    // Expected: the source's bytes through the engine with the full run's record.
    const std::size_t bytes = imaging::stride8(40) * 28;
    std::vector<uint8_t> expected(imaging::cGetBitsPtr(f.source),
                                  imaging::cGetBitsPtr(f.source) + bytes);
    const std::vector<uint8_t> unprocessed = expected;
    ProcessingParams direct = processingRecord();
    attachPixels(direct, PixelView{expected.data(), 40, 1, 28});
    prepareFullRun(direct, {40, 28});
    ReleaseCaches();
    ASSERT_EQ(Grainwash2(&direct), 1);
    ASSERT_NE(expected, unprocessed);

    ReleaseCaches();
    FullRunRequest r = f.request();
    bool finished = false;
    r.finishOutput = [&](imaging::Handle output) {
        finished = output == f.output;
        return Status{};
    };
    const RunResult result = runFull(r, f.context);
    ASSERT_EQ(result.end, RunEnd::Done) << result.detail.toStdString();
    EXPECT_EQ(result.lastStep, 6);
    EXPECT_TRUE(finished);
    EXPECT_EQ(r.record.params.FinalRun, DNR_FINAL_RUN);
    EXPECT_EQ(
        r.record.params.ShowNoiseMap + r.record.params.ShowGrid + r.record.params.ShowOverExposed,
        0);
    ASSERT_NE(imaging::cGetBitsPtr(f.output), nullptr);
    EXPECT_EQ(std::memcmp(imaging::cGetBitsPtr(f.output), expected.data(), bytes), 0);
    // The source is left as it was.
    EXPECT_EQ(std::memcmp(imaging::cGetBitsPtr(f.source), unprocessed.data(), bytes), 0);
    EXPECT_EQ(result.display.size(), QSize(40, 28));
}

TEST(FullRun, SixteenBitOutputGetsFreshDisplayData) {
    FullRunFixture f(true);
    FullRunRequest r = f.request();
    const RunResult result = runFull(r, f.context);
    ASSERT_EQ(result.end, RunEnd::Done);
    for (int y = 0; y < 28; y += 9)
        for (int x = 0; x < 40; x += 7) {
            uint16_t red, green, blue;
            imaging::cGetPixelColor(f.output, x, y, red, green, blue);
            EXPECT_EQ(result.display.pixel(x, y), qRgb(red >> 8, green >> 8, blue >> 8));
        }
}

TEST(FullRun, AbortLeavesNoOutput) {
    FullRunFixture f;
    FullRunRequest r = f.request();
    const RunResult result = runFull(r, f.context, [&](ProcessingParams&) {
        f.cancelled = true;
        return 0;
    });
    EXPECT_EQ(result.end, RunEnd::Aborted);
    EXPECT_TRUE(result.detail.isEmpty());  // no message for an abort
    EXPECT_TRUE(result.display.isNull());
    EXPECT_FALSE(holdsPicture(f.output));
}

TEST(FullRun, FailuresNameTheLastStepAndLeaveNoOutput) {
    {
        FullRunFixture f;
        FullRunRequest r = f.request();
        const RunResult result = runFull(r, f.context, [](ProcessingParams&) { return 0; });
        EXPECT_EQ(result.end, RunEnd::Failed);
        EXPECT_EQ(result.lastStep, 3);
        EXPECT_FALSE(holdsPicture(f.output));
    }
    {
        FullRunFixture f;
        FullRunRequest r = f.request();
        r.finishOutput = [](imaging::Handle) { return Status(failure("ER_CROP", "too small")); };
        const RunResult result = runFull(r, f.context, [](ProcessingParams&) { return 1; });
        EXPECT_EQ(result.end, RunEnd::Failed);
        EXPECT_EQ(result.lastStep, 5);
        EXPECT_EQ(result.detail, QStringLiteral("too small"));
        EXPECT_FALSE(holdsPicture(f.output));
    }
    {
        FullRunFixture f;
        imaging::cUnload(f.source);
        FullRunRequest r = f.request();
        const RunResult result = runFull(r, f.context, [](ProcessingParams&) { return 1; });
        EXPECT_EQ(result.end, RunEnd::Failed);
        EXPECT_EQ(result.lastStep, 0);
    }
}

TEST(FullRun, RedEyeSizesFoundByTheEngineComeBack) {
    FullRunFixture f;
    RedEyeEntry eyes[1] = {{20000, 14000, 0, 0, 50, 100}};
    ProcessingParams p = processingRecord();
    p.RedEyeOn = 1;
    p.RedEyeCount = 1;
    p.RedEyes = eyes;
    FullRunRequest r;
    r.source = f.source;
    r.output = f.output;
    r.record = RunRecord(p);
    const RunResult result = runFull(r, f.context, [](ProcessingParams& q) {
        q.RedEyes[0].EyeWidth = q.RedEyes[0].EyeHeight = 6000;
        return 1;
    });
    ASSERT_EQ(result.end, RunEnd::Done);
    ASSERT_EQ(result.redEyes.size(), 1u);
    EXPECT_EQ(result.redEyes[0].EyeWidth, 6000);
    EXPECT_EQ(eyes[0].EyeWidth, 0);  // the window's marks are not written by the run
}

}  // namespace
}  // namespace core
