#include "core/batch/batch_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "fake_pictures.h"

namespace {

using testing_pictures::FakeSource;

core::Language english() {
    core::Language l;
    QFile f(QStringLiteral(VF_TEST_DATA "/../../data/languages/english.txt"));
    if (f.open(QIODevice::ReadOnly)) l.setText(QString::fromUtf8(f.readAll()));
    return l;
}

class Recorder : public core::BatchObserver {
  public:
    void statusChanged(const QString& s) override { statuses.push_back(s); }
    void progressChanged(const core::BatchProgress& p) override {
        progress.push_back(p);
        if (onProgress) onProgress(p);
    }
    void logLine(const QString& line) override { log.push_back(line); }
    void itemProblem(const QString& path, const QString& detail) override {
        problems.push_back(path + ": " + detail);
    }
    void queueFileProblem(const QString& detail) override { queueProblems.push_back(detail); }

    std::vector<QString> statuses, log, problems, queueProblems;
    std::vector<core::BatchProgress> progress;
    std::function<void(const core::BatchProgress&)> onProgress;
};

class BatchRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(english_.loaded());
        setup.options = core::defaultProgramOptions();
        setup.defaultUserFolder = dir.filePath("out");
        queueFile = dir.filePath("vrq.dat");
        setup.storeQueue = [this](const std::vector<core::QueueParams>& q) {
            return core::writeRecordFile(q, queueFile);
        };
    }
    QString picture(const char* name) { return dir.filePath(name); }
    core::QueueParams item(const QString& path, core::SettingsBlock settings = {}) {
        return core::makeQueueItem(path, true, settings, nullptr);
    }
    core::BatchSummary run(std::vector<core::QueueParams>& queue) {
        ASSERT_TRUE_RETURN(core::writeRecordFile(queue, queueFile).ok());
        core::BatchRun r(english_, source, observer);
        return r.run(queue, setup);
    }
    // gtest's ASSERT cannot return a value.
    static bool ASSERT_TRUE_RETURN(bool ok) {
        EXPECT_TRUE(ok);
        return ok;
    }

    QTemporaryDir dir;
    core::Language english_ = english();
    FakeSource source;
    Recorder observer;
    core::BatchSetup setup;
    QString queueFile;
};

TEST_F(BatchRunTest, AnEmptyQueueWritesOnlyTheSummary) {
    std::vector<core::QueueParams> queue;
    const auto s = run(queue);
    EXPECT_EQ(s.done, 0);
    EXPECT_EQ(s.total, 0);
    ASSERT_EQ(observer.log.size(), 1u);
    EXPECT_EQ(observer.log[0], "Finished: 0 of 0 pictures done");
}

TEST_F(BatchRunTest, TheSecondOfTwoFailsAndStaysInTheQueueFile) {
    source.entries[picture("first.jpg")] = {};
    std::vector<core::QueueParams> queue = {item(picture("first.jpg")),
                                            item(picture("missing.jpg"))};
    const auto s = run(queue);
    EXPECT_EQ(s.done, 1);
    EXPECT_EQ(s.handled, 2);
    EXPECT_FALSE(s.aborted);

    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(core::itemSourcePath(queue[0]), picture("missing.jpg"));
    const auto stored = core::readQueueFile(queueFile);
    ASSERT_EQ(stored.items.size(), 1u);
    EXPECT_EQ(stored.items[0], queue[0]);

    EXPECT_TRUE(QFile::exists(dir.filePath("filtered/first_dnr.jpg")));
    ASSERT_EQ(observer.log.size(), 3u);
    EXPECT_TRUE(observer.log[0].startsWith("first.jpg [noise=")) << qPrintable(observer.log[0]);
    EXPECT_TRUE(observer.log[0].endsWith("] > OK")) << qPrintable(observer.log[0]);
    EXPECT_EQ(observer.log[1],
              "missing.jpg > Error: cannot load the picture, or it is smaller than 10 x 10 pixels");
    EXPECT_EQ(observer.log[2], "Finished: 1 of 2 pictures done");
    ASSERT_EQ(observer.problems.size(), 1u);
    EXPECT_TRUE(observer.problems[0].contains("missing.jpg"));
    // The saved file was written with the default JPEG quality.
    QFile saved(dir.filePath("filtered/first_dnr.jpg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "saved 4 98");
}

TEST_F(BatchRunTest, WhenEverythingIsDoneTheQueueFileIsGone) {
    source.entries[picture("a.jpg")] = {};
    source.entries[picture("b.tif")] = {80, 60, true, false};
    std::vector<core::QueueParams> queue = {item(picture("a.jpg")), item(picture("b.tif"))};
    const auto s = run(queue);
    EXPECT_EQ(s.done, 2);
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(QFile::exists(queueFile));
    EXPECT_TRUE(QFile::exists(dir.filePath("filtered/b_dnr.jpg")));
    // The 16-bit picture kept its depth and had its display data refreshed.
    ASSERT_EQ(source.records.size(), 2u);
    EXPECT_EQ(source.records[0].conversions, 1);
    EXPECT_EQ(source.records[0].refreshes, 0);
    EXPECT_EQ(source.records[1].conversions, 0);
    EXPECT_EQ(source.records[1].refreshes, 1);
}

TEST_F(BatchRunTest, AnExistingOutputWithOverwriteOffIsKeptAndTheItemDone) {
    source.entries[picture("a.jpg")] = {};
    ASSERT_TRUE(QDir(dir.path()).mkpath("filtered"));
    QFile existing(dir.filePath("filtered/a_dnr.jpg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("mine");
    existing.close();
    setup.options.outputOverwrite = 0;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"))};
    const auto s = run(queue);
    EXPECT_EQ(s.done, 1);
    EXPECT_TRUE(queue.empty());
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "mine");
    EXPECT_TRUE(observer.log[0].endsWith(
        "> the output file already exists and overwriting is switched off"))
        << qPrintable(observer.log[0]);
}

TEST_F(BatchRunTest, AFailedSaveLeavesNoFileAndTheItemQueued) {
    source.entries[picture("a.jpg")] = {64, 48, false, true};
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"))};
    const auto s = run(queue);
    EXPECT_EQ(s.done, 0);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(QDir(dir.filePath("filtered")).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_TRUE(observer.log[0].endsWith(QStringLiteral("> Error: cannot save the file \"%1\"")
                                             .arg(dir.filePath("filtered/a_dnr.jpg"))))
        << qPrintable(observer.log[0]);
    ASSERT_EQ(observer.problems.size(), 1u);
    EXPECT_TRUE(observer.problems[0].contains("No space left on device"));
}

TEST_F(BatchRunTest, AnOutputFolderThatCannotBeCreatedFailsTheItem) {
    source.entries[picture("a.jpg")] = {};
    QFile blocker(dir.filePath("filtered"));  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"))};
    EXPECT_EQ(run(queue).done, 0);
    EXPECT_EQ(queue.size(), 1u);
    ASSERT_EQ(observer.problems.size(), 1u);
    EXPECT_TRUE(observer.problems[0].contains("Cannot create the folder"))
        << qPrintable(observer.problems[0]);
}

TEST_F(BatchRunTest, TooSmallPicturesAreRefused) {
    source.entries[picture("thin.jpg")] = {9, 200, false, false};
    std::vector<core::QueueParams> queue = {item(picture("thin.jpg"))};
    EXPECT_EQ(run(queue).done, 0);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(observer.log[0],
              "thin.jpg > Error: cannot load the picture, or it is smaller than 10 x 10 pixels");
}

TEST_F(BatchRunTest, RotationAndConversionHappenBeforeTheEngine) {
    source.entries[picture("a.jpg")] = {};
    core::QueueParams turned = item(picture("a.jpg"));
    turned.Rotation = 3;
    std::vector<core::QueueParams> queue = {turned};
    EXPECT_EQ(run(queue).done, 1);
    ASSERT_EQ(source.records.size(), 1u);
    EXPECT_EQ(source.records[0].rotations, std::vector<int32_t>{270});
    EXPECT_EQ(source.records[0].conversions, 1);
}

TEST_F(BatchRunTest, StagesThatAreNotBuiltKeepTheItemQueued) {
    source.entries[picture("a.jpg")] = {};
    core::SettingsBlock crop, frame, caption;
    crop.CropOn = 1;
    frame.FrameOn = 1;
    caption.InsertDate = 1;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"), crop),
                                            item(picture("a.jpg"), frame),
                                            item(picture("a.jpg"), caption)};
    EXPECT_EQ(run(queue).done, 0);
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_TRUE(source.loaded.empty());
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered")));
    EXPECT_TRUE(observer.log[0].contains("Crop and resize")) << qPrintable(observer.log[0]);
    EXPECT_TRUE(observer.log[1].contains("Frame and text")) << qPrintable(observer.log[1]);
    EXPECT_TRUE(observer.log[2].contains("Frame and text")) << qPrintable(observer.log[2]);
}

TEST_F(BatchRunTest, StoredNoiseZeroLogsMinusOneHundredPercent) {
    source.entries[picture("a.jpg")] = {};
    core::SettingsBlock off;
    off.NoiseLevelFactor = 0;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"), off)};
    EXPECT_EQ(run(queue).done, 1);
    EXPECT_TRUE(observer.log[0].contains(", correction=-100%] > OK"))
        << qPrintable(observer.log[0]);
}

TEST_F(BatchRunTest, AbortDuringTheEngineStageKeepsTheItemAndSavesNothing) {
    source.entries[picture("big.tif")] = {2400, 1600, true, false};
    source.entries[picture("next.jpg")] = {};
    std::vector<core::QueueParams> queue = {item(picture("big.tif")), item(picture("next.jpg"))};
    ASSERT_TRUE(core::writeRecordFile(queue, queueFile));
    core::BatchRun r(english_, source, observer);
    int32_t abortedAt = -1;
    observer.onProgress = [&](const core::BatchProgress& p) {
        if (abortedAt < 0 && p.current > 0) {
            abortedAt = p.current;
            r.abort();
        }
    };
    const auto s = r.run(queue, setup);
    ASSERT_GT(abortedAt, 0);
    ASSERT_LT(abortedAt, 1000) << "the engine finished before it could be stopped";
    EXPECT_TRUE(s.aborted);
    EXPECT_EQ(s.done, 0);
    EXPECT_EQ(queue.size(), 2u);
    EXPECT_EQ(source.loaded.size(), 1u);  // the second item never started
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered")));
    ASSERT_EQ(observer.log.size(), 2u);
    EXPECT_TRUE(observer.log[0].endsWith("> Aborted")) << qPrintable(observer.log[0]);
    EXPECT_EQ(observer.log[1], "Aborted by the user. Finished: 0 of 2 pictures done");
    EXPECT_EQ(core::readQueueFile(queueFile).items.size(), 2u);
}

TEST_F(BatchRunTest, ProgressGoesFromTheItemToTheWholeRun) {
    source.entries[picture("a.tif")] = {800, 600, true, false};
    source.entries[picture("b.tif")] = {800, 600, true, false};
    std::vector<core::QueueParams> queue = {item(picture("a.tif")), item(picture("b.tif"))};
    EXPECT_EQ(run(queue).done, 2);
    ASSERT_FALSE(observer.progress.empty());
    EXPECT_EQ(observer.progress[0].remaining, "?");
    EXPECT_EQ(observer.progress[0].elapsed, "1 sec");
    for (const auto& p : observer.progress) {
        EXPECT_GE(p.overall, 0);
        EXPECT_LE(p.overall, 1000);
    }
    // The status line names the file being worked on.
    EXPECT_NE(std::find(observer.statuses.begin(), observer.statuses.end(),
                        "Current file: b.tif (processing...)"),
              observer.statuses.end());
    EXPECT_EQ(observer.statuses.back(), "Current file: ");
}

}  // namespace
