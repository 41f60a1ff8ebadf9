// A stop signal that arrives while the result is being written: the program is frozen the moment
// its temporary file appears in the output folder, signalled, and let go. The file it was writing
// is finished and put in place whole (or not at all), no temporary is left, and nothing after it
// starts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <csignal>

#include "tests/cli/cli_process.h"
#include "tests/cli/stopped_process.h"

namespace {

using cli::test::identify;
using cli::test::tool;
using cli::test::waitUntilStopped;

QStringList temporaries(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".vf*")}, QDir::Files | QDir::Hidden);
}

// Waits for a file whose name starts with ".vf" to be made in the folder watched by `watch`.
bool waitForTemporary(int watch) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        pollfd p{watch, POLLIN, 0};
        if (::poll(&p, 1, 300000) <= 0) return false;
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0) return false;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            if (e->len > 0 && qstrncmp(e->name, ".vf", 3) == 0) return true;
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    }
}

TEST(CliSignals, AStopDuringTheSaveFinishesThatFileWholeAndLeavesNoTemporary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // An uncompressed TIFF of this size takes the program long enough to write and sync that
    // the freeze lands inside the write.
    ASSERT_EQ(tool(QStringLiteral("convert"),
                   {"-size", "6000x4000", "xc:gray50", "-seed", "5", "-attenuate", "0.2", "+noise",
                    "Gaussian", dir.filePath("big.jpg")}),
              "");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg"), dir.filePath("cups.jpg")));
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(out).constData(), IN_CREATE), 0);

    QProcess p;
    p.start(QStringLiteral(VF_CLI), {"--format", "tif", "--output-dir", out,
                                     dir.filePath("big.jpg"), dir.filePath("cups.jpg")});
    ASSERT_TRUE(p.waitForStarted());
    const auto pid = pid_t(p.processId());
    const bool appeared = waitForTemporary(watch);
    ::close(watch);
    ASSERT_TRUE(appeared) << "the program never began to write its result";
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    ASSERT_TRUE(waitUntilStopped(pid));
    ASSERT_FALSE(temporaries(out).isEmpty()) << "the write ended before the program was frozen";

    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    ASSERT_EQ(::kill(pid, SIGCONT), 0);
    ASSERT_TRUE(p.waitForFinished(300000));
    const QString stdOut = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);

    EXPECT_TRUE(temporaries(out).isEmpty()) << qPrintable(temporaries(out).join(' '));
    const QStringList results = QDir(out).entryList(QDir::Files | QDir::Hidden);
    // The second picture never started.
    EXPECT_FALSE(results.contains(QStringLiteral("cups_dnr.tif"))) << qPrintable(stdOut);
    if (results.contains(QStringLiteral("big_dnr.tif"))) {
        EXPECT_EQ(identify(QDir(out).filePath("big_dnr.tif")), "TIFF 6000 4000");
        EXPECT_TRUE(
            stdOut.trimmed().endsWith("Aborted by the user. Finished: 1 of 2 pictures done"))
            << qPrintable(stdOut);
    } else {
        EXPECT_TRUE(results.isEmpty()) << qPrintable(results.join(' '));
        EXPECT_TRUE(
            stdOut.trimmed().endsWith("Aborted by the user. Finished: 0 of 2 pictures done"))
            << qPrintable(stdOut);
    }
}

}  // namespace
