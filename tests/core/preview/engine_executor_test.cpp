// The engine thread: results on the GUI thread, newest preview wins, one restart, cancel reaches
// Abort, progress and engine warnings as queued signals.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/preview/engine_executor.h"
#include "dnr.h"
#include "event_loop.h"

namespace core {
namespace {

// A gate a job waits at until the test opens it.
class Gate {
  public:
    void open() {
        std::lock_guard lock(m_);
        open_ = true;
        cv_.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return open_; });
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    bool open_ = false;
};

class EngineExecutorTest : public ::testing::Test {
  protected:
    void SetUp() override { ensureApplication(); }
};

TEST_F(EngineExecutorTest, JobsRunOnTheEngineThreadAndResultsArriveOnTheGuiThread) {
    EngineExecutor executor;
    QObject receiver;
    QThread* jobThread = nullptr;
    QThread* doneThread = nullptr;
    int result = 0;
    executor.post(
        &receiver,
        [&](const EngineJobContext&) {
            jobThread = QThread::currentThread();
            return 42;
        },
        [&](int value) {
            doneThread = QThread::currentThread();
            result = value;
        });
    ASSERT_TRUE(processEventsUntil([&] { return result != 0; }));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(jobThread, executor.engineThread());
    EXPECT_NE(jobThread, QThread::currentThread());
    EXPECT_EQ(doneThread, QThread::currentThread());
}

TEST_F(EngineExecutorTest, JobsRunInTheOrderPosted) {
    EngineExecutor executor;
    QObject receiver;
    std::vector<int> order;  // written on the engine thread, read after the last delivery
    bool finished = false;
    for (int i = 0; i < 5; ++i)
        executor.post(
            &receiver, [&order, i](const EngineJobContext&) { order.push_back(i); },
            [&finished, i] {
                if (i == 4) finished = true;
            });
    ASSERT_TRUE(processEventsUntil([&] { return finished; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(EngineExecutorTest, PreviewsDuringARunLeaveOneRestartAndTheNewestWins) {
    EngineExecutor executor;
    QObject receiver;
    Gate gate;
    std::atomic<bool> firstStarted{false};
    std::vector<int> ran;        // previews that ran, in order (engine thread)
    std::vector<int> delivered;  // results received (GUI thread)
    const auto preview = [&](int id) {
        executor.requestPreview(
            &receiver,
            [&, id](const EngineJobContext&) {
                if (id == 0) {
                    firstStarted = true;
                    gate.wait();
                }
                ran.push_back(id);
                return id;
            },
            [&](int value) { delivered.push_back(value); });
    };
    preview(0);
    ASSERT_TRUE(processEventsUntil([&] { return firstStarted.load(); }));
    EXPECT_TRUE(executor.executing());
    for (int id = 1; id <= 4; ++id)
        preview(id);  // the slider moves and is released
    EXPECT_EQ(executor.waiting(), 1);
    gate.open();
    ASSERT_TRUE(processEventsUntil([&] { return delivered.size() == 2; }));
    // Nothing else arrives once the engine is idle.
    ASSERT_TRUE(
        processEventsUntil([&] { return !executor.executing() && executor.waiting() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{0, 4}));
    EXPECT_EQ(delivered, (std::vector<int>{0, 4}));
}

TEST_F(EngineExecutorTest, NewerPreviewGoesBehindWorkPostedBeforeIt) {
    EngineExecutor executor;
    QObject receiver;
    Gate gate;
    std::atomic<bool> started{false};
    std::vector<std::string> ran;
    bool finished = false;
    executor.post(
        &receiver,
        [&](const EngineJobContext&) {
            started = true;
            gate.wait();
            ran.push_back("busy");
        },
        [] {});
    ASSERT_TRUE(processEventsUntil([&] { return started.load(); }));
    executor.requestPreview(
        &receiver, [&](const EngineJobContext&) { ran.push_back("old"); }, [] {});
    executor.post(
        &receiver, [&](const EngineJobContext&) { ran.push_back("load"); }, [] {});
    executor.requestPreview(
        &receiver, [&](const EngineJobContext&) { ran.push_back("new"); },
        [&] { finished = true; });
    gate.open();
    ASSERT_TRUE(processEventsUntil([&] { return finished; }));
    EXPECT_EQ(ran, (std::vector<std::string>{"busy", "load", "new"}));
}

TEST_F(EngineExecutorTest, CancelCallsAbortAndMarksTheRunningJob) {
    std::atomic<int> aborts{0};
    std::atomic<bool> engineStopped{false};
    EngineExecutor executor([&] {
        ++aborts;
        engineStopped = true;
    });
    QObject receiver;
    std::atomic<bool> started{false};
    bool sawCancel = false;
    bool done = false;
    bool laterCancelled = true;
    executor.post(
        &receiver,
        [&](const EngineJobContext& context) {
            started = true;
            // Stands for an engine loop that tests the abort flag once per row.
            while (!engineStopped.load())
                QThread::yieldCurrentThread();
            return context.cancelled();
        },
        [&](bool cancelled) {
            sawCancel = cancelled;
            done = true;
        });
    ASSERT_TRUE(processEventsUntil([&] { return started.load(); }));
    executor.cancel();  // returns at once; the GUI thread does not wait
    ASSERT_TRUE(processEventsUntil([&] { return done; }));
    EXPECT_GE(aborts.load(), 1);
    EXPECT_TRUE(sawCancel);
    // A job posted after the cancel is not cancelled.
    done = false;
    executor.post(
        &receiver, [](const EngineJobContext& context) { return context.cancelled(); },
        [&](bool cancelled) {
            laterCancelled = cancelled;
            done = true;
        });
    ASSERT_TRUE(processEventsUntil([&] { return done; }));
    EXPECT_FALSE(laterCancelled);
}

TEST_F(EngineExecutorTest, CancelDropsWaitingPreviews) {
    EngineExecutor executor([] {});
    QObject receiver;
    Gate gate;
    std::atomic<bool> started{false};
    bool previewRan = false;
    bool finished = false;
    executor.post(
        &receiver,
        [&](const EngineJobContext&) {
            started = true;
            gate.wait();
        },
        [] {});
    ASSERT_TRUE(processEventsUntil([&] { return started.load(); }));
    executor.requestPreview(
        &receiver, [&](const EngineJobContext&) { previewRan = true; }, [] {});
    executor.cancel();
    executor.post(
        &receiver, [](const EngineJobContext&) {}, [&] { finished = true; });
    gate.open();
    ASSERT_TRUE(processEventsUntil([&] { return finished; }));
    EXPECT_FALSE(previewRan);
}

TEST_F(EngineExecutorTest, ProgressAndEngineWarningsArriveAsSignalsOnTheGuiThread) {
    EngineExecutor executor;
    QObject receiver;
    QSignalSpy progress(&executor, &EngineExecutor::progress);
    QSignalSpy messages(&executor, &EngineExecutor::engineMessage);
    QThread* progressThread = nullptr;
    QObject::connect(&executor, &EngineExecutor::progress, &receiver,
                     [&](int) { progressThread = QThread::currentThread(); });
    bool done = false;
    executor.post(
        &receiver,
        [](const EngineJobContext& context) {
            context.progress(250);
            context.progress(1000);
            // A map rectangle larger than its picture makes the engine warn.
            uint8_t pixels[12 * 4] = {};
            ImageDesc image{DNR_IMAGE_MAGIC, pixels, 4, 1, 4};
            DrawColorMap(30000, 30000, 30000, 0, 0, 0, 65535, 65535, 65535, 50, &image, 0, 0, 40,
                         40, 1);
        },
        [&] { done = true; });
    ASSERT_TRUE(processEventsUntil([&] { return done; }));
    QCoreApplication::processEvents();
    ASSERT_EQ(progress.count(), 2);
    EXPECT_EQ(progress.at(0).at(0).toInt(), 250);
    EXPECT_EQ(progress.at(1).at(0).toInt(), 1000);
    EXPECT_EQ(progressThread, QThread::currentThread());
    ASSERT_GE(messages.count(), 1);
    EXPECT_EQ(messages.at(0).at(0).toString(), QStringLiteral("Error while drawing"));
    EXPECT_EQ(messages.at(0).at(1).toString(), QStringLiteral("Error"));
}

TEST_F(EngineExecutorTest, ADeletedReceiverGetsNoResult) {
    EngineExecutor executor;
    Gate gate;
    std::atomic<bool> started{false};
    bool delivered = false;
    bool finished = false;
    QObject keeper;
    {
        auto* receiver = new QObject;
        executor.post(
            receiver,
            [&](const EngineJobContext&) {
                started = true;
                gate.wait();
                return 1;
            },
            [&](int) { delivered = true; });
        ASSERT_TRUE(processEventsUntil([&] { return started.load(); }));
        delete receiver;
    }
    executor.post(
        &keeper, [](const EngineJobContext&) {}, [&] { finished = true; });
    gate.open();
    ASSERT_TRUE(processEventsUntil([&] { return finished; }));
    EXPECT_FALSE(delivered);
}

TEST_F(EngineExecutorTest, DestructionStopsARunningJobAndJoins) {
    std::atomic<bool> stopped{false};
    std::atomic<bool> started{false};
    std::atomic<bool> ended{false};
    {
        EngineExecutor executor([&] { stopped = true; });
        QObject receiver;
        executor.post(
            &receiver,
            [&](const EngineJobContext&) {
                started = true;
                while (!stopped.load())
                    QThread::yieldCurrentThread();
                ended = true;
            },
            [] {});
        ASSERT_TRUE(processEventsUntil([&] { return started.load(); }));
    }
    EXPECT_TRUE(ended.load());
}

}  // namespace
}  // namespace core
