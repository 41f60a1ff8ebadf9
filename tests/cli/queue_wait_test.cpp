// --queue-wait: a run waits for another run of the same queue to end instead of refusing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/queue/queue_run_lock.h"
#include "tests/cli/cli_process.h"

namespace {

using cli::test::cli;
using cli::test::CliResult;
using cli::test::identify;

class QueueWait : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg"),
                                dir.filePath("cups.jpg")));
        queue = dir.filePath("vrq.dat");
        ASSERT_TRUE(core::writeRecordFile(
                        {core::makeQueueItem(dir.filePath("cups.jpg"), true, {}, nullptr)}, queue)
                        .ok());
    }
    QTemporaryDir dir;
    QString queue;
};

TEST_F(QueueWait, BadWaitsAreRefusedWithStatusTwo) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--queue-wait", "-1", "--queue", "q.dat"}, "--queue-wait must be 0 to 86400 seconds"},
        {{"--queue-wait", "86401", "--queue", "q.dat"}, "--queue-wait must be 0 to 86400 seconds"},
        {{"--queue-wait", "soon", "--queue", "q.dat"}, "--queue-wait must be 0 to 86400 seconds"},
        {{"--queue-wait", "5", "photo.jpg"}, "--queue-wait applies to --queue"},
        {{"--queue", "q.dat", "--queue-wait"}, "--queue-wait needs a value"},
    };
    for (const Case& c : cases) {
        const CliResult r = cli(c.arguments);
        EXPECT_EQ(r.status, 2) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
    }
}

// While another run holds the queue, the second one waits (it neither refuses nor processes);
// when the first ends, it runs the queue to the end.
TEST_F(QueueWait, WaitsForTheRunHoldingTheQueue) {
    auto held = core::QueueRunLock::acquire(queue);
    ASSERT_TRUE(held.ok()) << qPrintable(held.failure().detail);
    QProcess second;
    second.start(QStringLiteral(VF_CLI), {"--queue-wait", "600", "--queue", queue});
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_FALSE(second.waitForFinished(3000)) << qPrintable(second.readAllStandardError());
    EXPECT_TRUE(QFile::exists(queue));
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered")));
    held.value().reset();  // the first run ends
    ASSERT_TRUE(second.waitForFinished(300000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << qPrintable(second.readAllStandardError());
    EXPECT_EQ(identify(dir.filePath("filtered/cups_dnr.jpg")), "JPEG 320 200");
    EXPECT_FALSE(QFile::exists(queue));
}

// A wait that runs out refuses as a run without waiting does, and changes nothing.
TEST_F(QueueWait, AWaitThatRunsOutRefuses) {
    auto held = core::QueueRunLock::acquire(queue);
    ASSERT_TRUE(held.ok()) << qPrintable(held.failure().detail);
    const CliResult r = cli({"--queue-wait", "1", "--queue", queue});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("is being run by another process")) << qPrintable(r.err);
    EXPECT_TRUE(QFile::exists(queue));
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered")));
}

}  // namespace
