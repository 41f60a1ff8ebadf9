#include "core/batch/picture_job.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/batch/engine_run_scope.h"
#include "core/queue/queue_model.h"
#include "fake_pictures.h"

namespace {

using core::PictureJobEnd;
using testing_pictures::FakeSource;

class StepRecorder : public core::PictureJobObserver {
  public:
    void stepStarted(core::PictureJobStep step) override { steps.push_back(step); }
    void engineProgress(int32_t permille) override { progress.push_back(permille); }
    std::vector<core::PictureJobStep> steps;
    std::vector<int32_t> progress;
};

class PictureJobTest : public ::testing::Test {
  protected:
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    core::PictureJobResult run(const QString& source, const core::PictureOutput& output) {
        const core::QueueParams item =
            core::makeQueueItem(source, true, core::defaultSettingsBlock(), nullptr);
        return core::runPictureJob(pictures, item, core::defaultSettingsBlock(), output, steps,
                                   aborted, engine);
    }
    // The real engine; its own reports are throttled by time, so the job's wiring of the record's
    // callback is shown by one report made through it afterwards.
    core::EngineCall engine = [](ProcessingParams& p) {
        const int32_t processed = Grainwash2(&p);
        p.ProgressCallback(1000);
        return processed;
    };
    core::PictureOutput output(const char* name, bool overwrite = true) const {
        return {name ? file(name) : QString(), 4, 98, overwrite};
    }

    QTemporaryDir dir;
    FakeSource pictures;
    StepRecorder steps;
    std::atomic<bool> aborted{false};
};

// Stopping while the picture is read ends the job as stopped, not as a picture that cannot be
// read: the item stays in the queue without a failure in the log.
TEST_F(PictureJobTest, AStopWhileLoadingEndsTheJobAsStopped) {
    pictures.entries[file("a.jpg")] = {};
    pictures.readsInBands = true;
    pictures.duringLoad = [this] { aborted = true; };
    const auto r = run(file("a.jpg"), output("out/a.jpg"));
    EXPECT_EQ(r.end, PictureJobEnd::Aborted);
    EXPECT_TRUE(pictures.loaded.empty());
    EXPECT_FALSE(QFile::exists(file("out/a.jpg")));
}

TEST_F(PictureJobTest, AGoodPictureIsSavedWithItsNoiseMeasured) {
    pictures.entries[file("a.jpg")] = {};
    const auto r = run(file("a.jpg"), output("out/a.jpg"));
    EXPECT_EQ(r.end, PictureJobEnd::Saved);
    EXPECT_TRUE(r.status.ok());
    EXPECT_TRUE(r.done());
    ASSERT_TRUE(r.noise.has_value());
    EXPECT_GE(r.noise->midtones, 1);
    EXPECT_EQ(r.noise->relative, 1000);
    QFile saved(file("out/a.jpg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "saved 4 98");
    using S = core::PictureJobStep;
    EXPECT_EQ(steps.steps, (std::vector<S>{S::Loading, S::Processing, S::Saving}));
    ASSERT_FALSE(steps.progress.empty());
    EXPECT_EQ(steps.progress.back(), 1000);
    for (int32_t p : steps.progress) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 1000);
    }
}

// Each step's failure: its key, its detail, whether the noise was measured by then, and that
// nothing was written.
TEST_F(PictureJobTest, EachStepFailsWithItsOwnKey) {
    pictures.entries[file("thin.jpg")] = {9, 200, false, false};
    pictures.entries[file("a.jpg")] = {};
    pictures.entries[file("full.jpg")] = {64, 48, false, true};
    QFile blocker(file("blocked"));  // a file where the output folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    struct Case {
        const char* source;
        const char* output;
        const char* key;
        const char* detail;
        bool measured;
    };
    const Case cases[] = {
        {"missing.jpg", "out/m.jpg", "ER_CANNOT_LOAD_OR_SMALL", "no such file", false},
        {"thin.jpg", "out/t.jpg", "ER_CANNOT_LOAD_OR_SMALL", "the picture is 9 x 200 pixels",
         false},
        {"a.jpg", nullptr, "ER_CANNOT_SAVE", "no output path can be formed", true},
        {"a.jpg", "blocked/a.jpg", "ER_CANNOT_CREATE_FOLDER", "blocked", true},
        {"full.jpg", "out/f.jpg", "ER_CANNOT_SAVE", "No space left on device", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const auto r = run(file(c.source), output(c.output));
        EXPECT_EQ(r.end, PictureJobEnd::Failed);
        EXPECT_FALSE(r.done());
        ASSERT_FALSE(r.status.ok());
        EXPECT_EQ(r.status.failure().key, c.key);
        EXPECT_TRUE(r.status.failure().detail.contains(c.detail))
            << qPrintable(r.status.failure().detail);
        EXPECT_EQ(r.noise.has_value(), c.measured);
    }
    EXPECT_EQ(QDir(file("out")).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(PictureJobTest, AnExistingOutputIsKeptWithoutOverwrite) {
    pictures.entries[file("a.jpg")] = {};
    QFile existing(file("a_dnr.jpg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("mine");
    existing.close();
    const auto r = run(file("a.jpg"), output("a_dnr.jpg", false));
    EXPECT_EQ(r.end, PictureJobEnd::KeptExisting);
    EXPECT_TRUE(r.done());
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "mine");
    // Known before the picture is even loaded: nothing is loaded, processed or saved.
    EXPECT_TRUE(pictures.loaded.empty());
    EXPECT_TRUE(steps.steps.empty());
    EXPECT_FALSE(r.noise.has_value());
}

// Two runs writing into one folder: the other run finishes the same output while this one
// processes. Without overwrite its file stays and the job counts as kept; with overwrite the
// newer result replaces it. Either way no temporary is left behind.
TEST_F(PictureJobTest, AnOutputAnotherRunFinishedMeanwhileFollowsTheOverwriteRule) {
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite);
        QDir(file("out")).removeRecursively();
        pictures.entries[file("a.jpg")] = {};
        pictures.beforeSave = [this] {
            QDir().mkpath(file("out"));
            QFile other(file("out/a.jpg"));
            ASSERT_TRUE(other.open(QIODevice::WriteOnly));
            other.write("other run");
        };
        const auto r = run(file("a.jpg"), output("out/a.jpg", overwrite));
        EXPECT_EQ(r.end, overwrite ? PictureJobEnd::Saved : PictureJobEnd::KeptExisting);
        EXPECT_TRUE(r.done());
        QFile kept(file("out/a.jpg"));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll() == "other run", !overwrite);
        EXPECT_EQ(QDir(file("out")).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

TEST_F(PictureJobTest, AnAbortedJobSavesNothing) {
    pictures.entries[file("a.jpg")] = {};
    aborted = true;
    const auto r = run(file("a.jpg"), output("out/a.jpg"));
    EXPECT_EQ(r.end, PictureJobEnd::Aborted);
    EXPECT_FALSE(r.done());
    EXPECT_TRUE(r.noise.has_value());
    EXPECT_FALSE(QFile::exists(file("out")));
}

TEST_F(PictureJobTest, StopPressedDuringTheCropSavesNothing) {
    pictures.entries[file("a.jpg")] = {};
    pictures.duringResize = [this] { aborted = true; };
    core::SettingsBlock crop;
    crop.CropOn = 1;
    crop.CropPaperIndex = 2;
    crop.CropFitEachImage = 1;
    const core::QueueParams item = core::makeQueueItem(file("a.jpg"), true, crop, nullptr);
    const auto r = core::runPictureJob(pictures, item, core::defaultSettingsBlock(),
                                       output("out/a.jpg"), steps, aborted, engine);
    EXPECT_EQ(r.end, PictureJobEnd::Aborted);
    ASSERT_EQ(pictures.records.size(), 1u);
    EXPECT_EQ(pictures.records[0].resizes.size(), 1u);
    EXPECT_FALSE(QFile::exists(file("out")));
}

TEST_F(PictureJobTest, AnOutputNamingThePictureItselfIsRefused) {
    pictures.entries[file("a.jpg")] = {};
    for (const char* name : {"a.jpg", "A.JPG", "./a.jpg"}) {
        const auto r = run(file("a.jpg"), output(name, true));
        EXPECT_EQ(r.end, PictureJobEnd::Failed) << name;
        EXPECT_EQ(r.status.failure().key, "ER_CANNOT_SAVE") << name;
    }
    EXPECT_TRUE(pictures.loaded.empty());
}

// The engine's context-free progress callback reaches the innermost live scope and nothing after
// the scopes end.
TEST(EngineRunScope, ProgressReachesTheInnermostLiveScopeOnly) {
    std::vector<int32_t> outer, inner;
    {
        core::EngineRunScope a([&](int32_t p) { outer.push_back(p); });
        core::EngineRunScope::progress(1);
        {
            core::EngineRunScope b([&](int32_t p) { inner.push_back(p); });
            core::EngineRunScope::progress(2);
        }
        core::EngineRunScope::progress(3);
    }
    core::EngineRunScope::progress(4);
    EXPECT_EQ(outer, (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(inner, (std::vector<int32_t>{2}));
}

}  // namespace
