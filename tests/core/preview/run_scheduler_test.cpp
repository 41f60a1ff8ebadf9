// When runs start: ignored requests, restarts during a run, pending requests and the run kind.
#include <gtest/gtest.h>

#include <vector>

#include "core/preview/run_scheduler.h"

namespace core {
namespace {

struct Scheduled {
    std::vector<RunKind> launched;
    RunScheduler scheduler{[this](RunKind k) { launched.push_back(k); }};

    // Ready for previews: activated, tuning mode, a picture of 100 x 80.
    Scheduled() {
        scheduler.markActivated();
        scheduler.setTuningMode(true);
        scheduler.setSourceSize(100, 80);
    }
};

TEST(RunScheduler, RequestStartsAPreviewRun) {
    Scheduled s;
    s.scheduler.requestProcessing(17);
    ASSERT_EQ(s.launched, std::vector<RunKind>{RunKind::Preview});
    EXPECT_TRUE(s.scheduler.running());
    EXPECT_TRUE(s.scheduler.busy());
    EXPECT_FALSE(s.scheduler.finishRun());
    EXPECT_FALSE(s.scheduler.running());
    EXPECT_FALSE(s.scheduler.busy());
}

struct IgnoredCase {
    const char* name;
    bool tuning, applying, activated;
    int32_t width, height;
};

class IgnoredRequests : public ::testing::TestWithParam<IgnoredCase> {};

TEST_P(IgnoredRequests, StartNothingAndLeaveNothingPending) {
    const IgnoredCase& c = GetParam();
    std::vector<RunKind> launched;
    RunScheduler s([&](RunKind k) { launched.push_back(k); });
    if (c.activated) s.markActivated();
    s.setTuningMode(c.tuning);
    s.setApplying(c.applying);
    s.setSourceSize(c.width, c.height);
    s.requestProcessing();
    s.tick();
    s.tick();
    EXPECT_TRUE(launched.empty()) << c.name;
    EXPECT_FALSE(s.running());
    EXPECT_FALSE(s.restartPending());
    EXPECT_FALSE(s.requestPending());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IgnoredRequests,
    ::testing::Values(IgnoredCase{"viewing mode", false, false, true, 100, 80},
                      IgnoredCase{"applying settings", true, true, true, 100, 80},
                      IgnoredCase{"before the first activation", true, false, false, 100, 80},
                      IgnoredCase{"too narrow", true, false, true, 9, 80},
                      IgnoredCase{"too low", true, false, true, 100, 9},
                      IgnoredCase{"no picture", true, false, true, 0, 0}));

TEST(RunScheduler, SmallestProcessedSourceIsTenByTen) {
    Scheduled s;
    s.scheduler.setSourceSize(10, 10);
    s.scheduler.requestProcessing();
    EXPECT_EQ(s.launched.size(), 1u);
}

TEST(RunScheduler, ReleaseDuringARunStartsExactlyOneFurtherRun) {
    Scheduled s;
    s.scheduler.requestProcessing();  // the slider moves: a run starts
    ASSERT_EQ(s.launched.size(), 1u);
    // More moves and the release while it executes only mark a restart.
    for (int i = 0; i < 5; ++i)
        s.scheduler.requestProcessing();
    EXPECT_TRUE(s.scheduler.restartPending());
    EXPECT_EQ(s.launched.size(), 1u);
    // Ticks during the run change nothing.
    s.scheduler.tick();
    EXPECT_EQ(s.launched.size(), 1u);
    EXPECT_TRUE(s.scheduler.restartPending());
    s.scheduler.finishRun();
    EXPECT_EQ(s.launched.size(), 1u);  // the restart waits for the tick
    s.scheduler.tick();
    EXPECT_EQ(s.launched.size(), 2u);
    EXPECT_FALSE(s.scheduler.restartPending());
    s.scheduler.finishRun();
    s.scheduler.tick();
    s.scheduler.tick();
    EXPECT_EQ(s.launched.size(), 2u);
}

TEST(RunScheduler, RequestWhileOneIsHandledIsPickedUpByTheTick) {
    std::vector<RunKind> launched;
    RunScheduler* self = nullptr;
    RunScheduler s([&](RunKind k) {
        launched.push_back(k);
        // A control changing while the run is being started asks again.
        self->requestProcessing();
    });
    self = &s;
    s.markActivated();
    s.setTuningMode(true);
    s.setSourceSize(100, 80);
    s.requestProcessing();
    EXPECT_EQ(launched.size(), 1u);
    EXPECT_TRUE(s.requestPending());
    EXPECT_FALSE(s.restartPending());
    s.finishRun();
    // The tick requests again; the nested request of that launch is pending once more.
    s.tick();
    EXPECT_EQ(launched.size(), 2u);
    EXPECT_TRUE(s.requestPending());
}

TEST(RunScheduler, KindReturnsToPreviewAfterEveryRunButAFullOne) {
    for (RunKind kind : {RunKind::Preview, RunKind::CropOverlay, RunKind::CaptionOverlay}) {
        Scheduled s;
        s.scheduler.setRunKind(static_cast<int32_t>(kind));
        s.scheduler.startRun();
        ASSERT_EQ(s.launched, std::vector<RunKind>{kind});
        s.scheduler.finishRun();
        EXPECT_EQ(s.scheduler.runKind(), static_cast<int32_t>(RunKind::Preview));
    }
    Scheduled s;
    s.scheduler.setRunKind(static_cast<int32_t>(RunKind::Full));
    s.scheduler.startRun();
    ASSERT_EQ(s.launched, std::vector<RunKind>{RunKind::Full});
    s.scheduler.finishRun();
    EXPECT_EQ(s.scheduler.runKind(), static_cast<int32_t>(RunKind::Full));
}

TEST(RunScheduler, KindAboveThreeStartsNothing) {
    Scheduled s;
    s.scheduler.setRunKind(4);
    s.scheduler.requestProcessing();
    EXPECT_TRUE(s.launched.empty());
    EXPECT_FALSE(s.scheduler.running());
    EXPECT_FALSE(s.scheduler.restartPending());
}

TEST(RunScheduler, AbortedIsSetDuringARunAndClearedAtItsEnd) {
    Scheduled s;
    s.scheduler.markAborted();  // nothing runs: ignored
    EXPECT_FALSE(s.scheduler.aborted());
    s.scheduler.setRunKind(static_cast<int32_t>(RunKind::Full));
    s.scheduler.startRun();
    s.scheduler.markAborted();
    EXPECT_TRUE(s.scheduler.aborted());
    EXPECT_TRUE(s.scheduler.finishRun());
    EXPECT_FALSE(s.scheduler.aborted());
    EXPECT_FALSE(s.scheduler.finishRun());  // nothing ran
}

TEST(RunScheduler, LongOperationHoldsBusyWithoutRunning) {
    Scheduled s;
    s.scheduler.setLongOperation(true);
    EXPECT_TRUE(s.scheduler.busy());
    EXPECT_FALSE(s.scheduler.running());
    s.scheduler.setLongOperation(false);
    EXPECT_FALSE(s.scheduler.busy());
}

}  // namespace
}  // namespace core
