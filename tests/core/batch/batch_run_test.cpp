#include "core/batch/batch_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/batch/batch_texts.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "fake_pictures.h"
#include "gui_application.h"

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
    void itemWarning(const QString& path, const QString& detail) override {
        warnings.push_back(path + ": " + detail);
    }
    void queueFileProblem(const QString& detail) override { queueProblems.push_back(detail); }

    std::vector<QString> statuses, log, problems, warnings, queueProblems;
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

// What loading and saving went past reaches the user, named by the item's picture; the item is
// done as any other.
TEST_F(BatchRunTest, WarningsOfLoadingAndSavingAreReportedForTheirItem) {
    FakeSource::Entry repaired;
    repaired.loadWarnings = {QStringLiteral("the file lacked its end marker")};
    repaired.saveWarnings = {QStringLiteral("the profile was left out"),
                             QStringLiteral("a second note")};
    source.entries[picture("repaired.jpg")] = repaired;
    source.entries[picture("plain.jpg")] = {};
    std::vector<core::QueueParams> queue = {item(picture("repaired.jpg")),
                                            item(picture("plain.jpg"))};
    const auto s = run(queue);
    EXPECT_EQ(s.done, 2);
    EXPECT_EQ(observer.warnings,
              (std::vector<QString>{picture("repaired.jpg") + ": the file lacked its end marker",
                                    picture("repaired.jpg") + ": the profile was left out",
                                    picture("repaired.jpg") + ": a second note"}));
    EXPECT_TRUE(observer.problems.empty());
    ASSERT_EQ(observer.log.size(), 3u);
    EXPECT_TRUE(observer.log[0].endsWith("] > OK")) << qPrintable(observer.log[0]);
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

// Paper row 2 (4x6", 1800 x 1200) fitted to each picture, landscape and portrait alike.
TEST_F(BatchRunTest, CropItemsAreCroppedAndResizedBeforeTheyAreSaved) {
    source.entries[picture("wide.jpg")] = {400, 300, false, false};
    source.entries[picture("tall.tif")] = {300, 400, true, false};
    core::SettingsBlock crop;
    crop.CropOn = 1;
    crop.CropPaperIndex = 2;
    crop.CropFitEachImage = 1;
    std::vector<core::QueueParams> queue = {item(picture("wide.jpg"), crop),
                                            item(picture("tall.tif"), crop)};
    EXPECT_EQ(run(queue).done, 2);
    EXPECT_TRUE(queue.empty());
    ASSERT_EQ(source.records.size(), 2u);
    const auto& wide = source.records[0];
    ASSERT_EQ(wide.crops.size(), 1u);
    EXPECT_EQ(wide.crops[0], (std::array<int32_t, 4>{0, 17, 399, 282}));
    ASSERT_EQ(wide.resizes.size(), 1u);
    EXPECT_EQ(wide.resizes[0], (std::array<int32_t, 3>{1800, 1200, 5}));
    EXPECT_EQ(wide.savedWidth, 1800);
    EXPECT_EQ(wide.savedHeight, 1200);
    const auto& tall = source.records[1];
    ASSERT_EQ(tall.crops.size(), 1u);
    EXPECT_EQ(tall.crops[0], (std::array<int32_t, 4>{17, 0, 282, 399}));
    EXPECT_EQ(tall.savedWidth, 1200);
    EXPECT_EQ(tall.savedHeight, 1800);
    EXPECT_TRUE(observer.log[0].endsWith("> OK")) << qPrintable(observer.log[0]);
}

TEST_F(BatchRunTest, AStoredFrameForAnotherSizeLeavesThePictureUncropped) {
    source.entries[picture("a.jpg")] = {64, 48, false, false};
    core::SettingsBlock crop;
    crop.CropOn = 1;
    crop.CropImageWidth = 640;
    crop.CropImageHeight = 480;
    crop.CropRect = {320, 240, 10, 10};
    crop.CropTargetWidth = 100;
    crop.CropTargetHeight = 75;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"), crop)};
    EXPECT_EQ(run(queue).done, 1);
    ASSERT_EQ(source.records.size(), 1u);
    EXPECT_TRUE(source.records[0].crops.empty());
    EXPECT_TRUE(source.records[0].resizes.empty());
    EXPECT_EQ(source.records[0].savedWidth, 64);
}

TEST_F(BatchRunTest, AFailedResizeFailsTheItemAsAnEngineError) {
    source.entries[picture("a.jpg")] = {64, 48, false, false, false, true};
    core::SettingsBlock crop;
    crop.CropOn = 1;
    crop.CropPaperIndex = 2;
    crop.CropFitEachImage = 1;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"), crop)};
    EXPECT_EQ(run(queue).done, 0);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered/a_dnr.jpg")));
    ASSERT_EQ(observer.log.size(), 2u);
    EXPECT_TRUE(observer.log[0].endsWith(
        "> " + core::resultText(english_, "ALS_ERROR", "ALS_DLL_EXCEPTION")))
        << qPrintable(observer.log[0]);
    ASSERT_EQ(observer.problems.size(), 1u);
    EXPECT_TRUE(observer.problems[0].contains("out of memory for the resize"));
}

// Saving into the picture's own folder with no prefix or suffix would replace the photograph.
TEST_F(BatchRunTest, AnOutputThatWouldReplaceThePictureIsRefusedEvenWithOverwriteOn) {
    QFile original(picture("a.jpg"));
    ASSERT_TRUE(original.open(QIODevice::WriteOnly));
    original.write("the photograph");
    original.close();
    source.entries[picture("a.jpg")] = {};
    setup.options.outputFolderKind = core::ProgramOptions::kOutputToSourceFolder;
    setup.options.outputPrefix.clear();
    setup.options.outputSuffix.clear();
    setup.options.outputOverwrite = 1;
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"))};
    EXPECT_EQ(run(queue).done, 0);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_TRUE(source.loaded.empty());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), "the photograph");
    EXPECT_TRUE(observer.log[0].contains("cannot save")) << qPrintable(observer.log[0]);
    ASSERT_EQ(observer.problems.size(), 1u);
    EXPECT_TRUE(observer.problems[0].contains("would be the picture itself"));
}

TEST_F(BatchRunTest, FrameAndCaptionItemsAreDrawnSavedAndLeaveTheQueue) {
    coretest::ensureGuiApplication();
    source.entries[picture("a.jpg")] = {};
    source.entries[picture("b.jpg")] = {};
    source.entries[picture("c.tif")] = {64, 48, true, false};
    core::SettingsBlock frame, caption, textOnly;
    frame.FrameOn = 1;
    caption.InsertDate = 1;
    caption.FrameOn = 1;
    // A caption text with every switch off draws nothing, and the item is still saved.
    textOnly.CaptionText = "Kite";
    std::vector<core::QueueParams> queue = {item(picture("a.jpg"), frame),
                                            item(picture("b.jpg"), textOnly),
                                            item(picture("c.tif"), caption)};
    EXPECT_EQ(run(queue).done, 3);
    EXPECT_TRUE(queue.empty());
    ASSERT_EQ(observer.log.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(observer.log[size_t(i)].endsWith("> OK"))
            << qPrintable(observer.log[size_t(i)]);
    // The 16-bit picture's display copy follows the engine and the caption.
    ASSERT_EQ(source.records.size(), 3u);
    EXPECT_EQ(source.records[2].refreshes, 2);
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
    // A scripted engine reports every tenth of its work and, as the engine does at its next row,
    // gives up once the run has asked it to stop; no timing decides when that is.
    int engineCalls = 0;
    setup.engine = [&](ProcessingParams& p) {
        ++engineCalls;
        for (int32_t permille = 100; permille <= 1000; permille += 100) {
            if (abortedAt >= 0) return 0;
            p.ProgressCallback(permille);
        }
        return 1;
    };
    const auto s = r.run(queue, setup);
    EXPECT_EQ(abortedAt, 100);
    EXPECT_EQ(engineCalls, 1);
    EXPECT_TRUE(s.aborted);
    EXPECT_EQ(s.done, 0);
    EXPECT_EQ(s.handled, 1);
    EXPECT_EQ(queue.size(), 2u);
    EXPECT_EQ(source.loaded.size(), 1u);  // the second item never started
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered")));
    ASSERT_EQ(observer.log.size(), 2u);
    EXPECT_TRUE(observer.log[0].endsWith("> Aborted")) << qPrintable(observer.log[0]);
    EXPECT_EQ(observer.log[1], "Aborted by the user. Finished: 0 of 2 pictures done");
    EXPECT_EQ(core::readQueueFile(queueFile).items.size(), 2u);
    EXPECT_TRUE(observer.problems.empty());
}

TEST_F(BatchRunTest, ProgressGoesFromTheItemToTheWholeRun) {
    source.entries[picture("a.tif")] = {800, 600, true, false};
    source.entries[picture("b.tif")] = {800, 600, true, false};
    std::vector<core::QueueParams> queue = {item(picture("a.tif")), item(picture("b.tif"))};
    // A clock the test moves, and an engine that reports chosen values at chosen times: each
    // report is (seconds since the start, permille). A repeated value is not passed on.
    using namespace std::chrono_literals;
    const auto base = std::chrono::steady_clock::time_point() + 1000h;
    auto now = base;
    setup.clock = [&] { return now; };
    const std::vector<std::vector<std::pair<int, int32_t>>> reports = {
        {{4, 250}, {8, 1000}}, {{12, 500}, {12, 500}, {70, 1000}}};
    size_t call = 0;
    setup.engine = [&](ProcessingParams& p) {
        for (const auto& [seconds, permille] : reports.at(call)) {
            now = base + std::chrono::seconds(seconds);
            p.ProgressCallback(permille);
        }
        ++call;
        return 1;
    };
    EXPECT_EQ(run(queue).done, 2);
    EXPECT_EQ(call, 2u);
    // Elapsed counts from a second before the start; the remaining time is
    // elapsed x (100 - percent) x 1.1 / percent, rounded.
    const struct {
        int32_t current, overall;
        const char *elapsed, *remaining;
    } expected[] = {{0, 0, "1 sec", "?"},
                    {250, 125, "5 sec", "40 sec"},
                    {1000, 500, "9 sec", "10 sec"},
                    {500, 750, "13 sec", "5 sec"},
                    {1000, 1000, "1 min 11 sec", "0 sec"}};
    ASSERT_EQ(observer.progress.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(observer.progress[i].current, expected[i].current);
        EXPECT_EQ(observer.progress[i].overall, expected[i].overall);
        EXPECT_EQ(observer.progress[i].elapsed, expected[i].elapsed);
        EXPECT_EQ(observer.progress[i].remaining, expected[i].remaining);
    }
    // The queue was stored after each item without complaint.
    EXPECT_TRUE(observer.queueProblems.empty());
    EXPECT_FALSE(QFile::exists(queueFile));
    // The status line names the file being worked on.
    EXPECT_NE(std::find(observer.statuses.begin(), observer.statuses.end(),
                        "Current file: b.tif (processing...)"),
              observer.statuses.end());
    EXPECT_EQ(observer.statuses.back(), "Current file: ");
}

// The queue cannot be stored after the first item: the run goes on, and the user hears once per
// item that a finished picture may be processed again.
TEST_F(BatchRunTest, AQueueThatCannotBeStoredIsReportedForEachFinishedItem) {
    source.entries[picture("a.jpg")] = {};
    source.entries[picture("b.jpg")] = {};
    std::vector<core::QueueParams> queue = {item(picture("a.jpg")), item(picture("b.jpg"))};
    ASSERT_TRUE(core::writeRecordFile(queue, queueFile));
    std::vector<size_t> stored;
    setup.storeQueue = [&](const std::vector<core::QueueParams>& q) -> core::Status {
        stored.push_back(q.size());
        return core::failure("ER_CANNOT_SAVE", QStringLiteral("the disk is full"));
    };
    core::BatchRun r(english_, source, observer);
    EXPECT_EQ(r.run(queue, setup).done, 2);
    EXPECT_EQ(stored, (std::vector<size_t>{1, 0}));
    const QString said =
        "the queue could not be stored (the disk is full); the finished item may "
        "be processed again by a later run";
    EXPECT_EQ(observer.queueProblems, (std::vector<QString>{said, said}));
    EXPECT_TRUE(observer.problems.empty());
}

// Failures after the picture was loaded: the item stays queued, nothing new is written and an
// existing output survives even with overwriting on.
TEST_F(BatchRunTest, FailuresKeepTheItemQueuedAndAnyExistingOutput) {
    const QString target = dir.filePath("filtered/a_dnr.jpg");
    const struct {
        const char* name;
        testing_pictures::FakeSource::Entry entry;
        int32_t engineResult;
        bool emptyOutputPath;
        const char* log;      // the end of the log line
        const char* problem;  // contained in what the user is told
    } cases[] = {
        {"the engine fails",
         {},
         0,
         false,
         "> Error: the processing library raised an error",
         "the engine could not process the picture"},
        {"the load throws",
         {64, 48, false, false, true},
         1,
         false,
         "> Error: cannot load the picture, or it is smaller than 10 x 10 pixels",
         "the decoder gave up"},
        {"the save fails", {64, 48, false, true}, 1, false, nullptr, "No space left on device"},
        {"no output path", {}, 1, true, nullptr, "no output path can be formed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = Recorder();
        source.entries.clear();
        source.entries[picture("a.jpg")] = c.entry;
        ASSERT_TRUE(QDir(dir.path()).mkpath("filtered"));
        QFile existing(target);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
        existing.close();
        setup.options = core::defaultProgramOptions();
        setup.options.outputOverwrite = 1;
        setup.defaultUserFolder = dir.filePath("out");
        if (c.emptyOutputPath) {
            setup.options.outputFolderKind = core::ProgramOptions::kOutputToUserFolder;
            setup.options.outputFolder.clear();
            setup.defaultUserFolder.clear();
        }
        int engineCalls = 0;
        setup.engine = [&](ProcessingParams&) {
            ++engineCalls;
            return c.engineResult;
        };
        std::vector<core::QueueParams> queue = {item(picture("a.jpg"))};
        const auto s = run(queue);
        EXPECT_EQ(s.done, 0);
        EXPECT_EQ(queue.size(), 1u);
        EXPECT_EQ(core::readQueueFile(queueFile).items.size(), 1u);
        EXPECT_EQ(engineCalls, c.entry.throwOnLoad ? 0 : 1);
        ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
        EXPECT_EQ(existing.readAll(), "mine");
        existing.close();
        EXPECT_EQ(QDir(dir.filePath("filtered")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"a_dnr.jpg"});
        EXPECT_FALSE(QFile::exists(dir.filePath("out")));
        ASSERT_EQ(observer.log.size(), 2u);
        if (c.log)
            EXPECT_TRUE(observer.log[0].endsWith(c.log)) << qPrintable(observer.log[0]);
        else
            EXPECT_TRUE(observer.log[0].contains("> Error: cannot save the file"))
                << qPrintable(observer.log[0]);
        ASSERT_EQ(observer.problems.size(), 1u);
        EXPECT_TRUE(observer.problems[0].contains(c.problem)) << qPrintable(observer.problems[0]);
    }
}

}  // namespace

// photo.jpg and photo.png both give filtered/photo_dnr.jpg: the second must not replace the
// first's result (with overwriting on) nor count as done beside it (with overwriting off).
TEST_F(BatchRunTest, TwoSourcesWithOneOutputNameTheSecondFailsNamingTheFirst) {
    for (const uint8_t overwrite : {uint8_t(1), uint8_t(0)}) {
        QDir(dir.filePath("filtered")).removeRecursively();
        observer.log.clear();
        observer.problems.clear();
        source.entries[picture("photo.jpg")] = {};
        source.entries[picture("photo.png")] = {};
        setup.options.outputOverwrite = overwrite;
        std::vector<core::QueueParams> queue = {item(picture("photo.jpg")),
                                                item(picture("photo.png"))};
        const auto s = run(queue);
        EXPECT_EQ(s.done, 1) << int(overwrite);
        EXPECT_EQ(s.total, 2);
        ASSERT_EQ(queue.size(), 1u);
        EXPECT_EQ(core::itemSourcePath(queue[0]), picture("photo.png"));
        EXPECT_EQ(core::readQueueFile(queueFile).items.size(), 1u);
        const QString out = dir.filePath("filtered/photo_dnr.jpg");
        ASSERT_EQ(observer.log.size(), 3u);
        EXPECT_TRUE(observer.log[1].startsWith("photo.png > Error: cannot save the file \"" + out))
            << qPrintable(observer.log[1]);
        ASSERT_EQ(observer.problems.size(), 1u);
        EXPECT_TRUE(observer.problems[0].contains(picture("photo.jpg")))
            << qPrintable(observer.problems[0]);
        EXPECT_EQ(observer.log[2], "Finished: 1 of 2 pictures done");
    }
}
