#include "core/queue/add_to_queue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/queue/queue_model.h"
#include "core/settings/settings_block.h"

namespace {

using core::AddPrecheck;
using core::AddToQueueRequest;
using core::QueueParams;
using core::ScriptedAsker;

class AddToQueueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(texts.load(QStringLiteral(VF_LANGUAGE_FOLDER "/english.lng")));
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        settings = core::defaultSettingsBlock();
        settings.ShadowsNoiseFactor = 900;
        settings.HighlightsNoiseFactor = 1100;
        settings.AutoContrastDarkest = 3;
        settings.AutoContrastBrightest = 97;
        settings.CropImageWidth = 4000;
        settings.CropImageHeight = 3000;
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    AddToQueueRequest many(QStringList paths) const {
        AddToQueueRequest r;
        r.many = true;
        r.paths = std::move(paths);
        r.settings = settings;
        r.expertMode = true;
        return r;
    }

    QTemporaryDir dir;
    core::Language texts;
    core::SettingsBlock settings;
    std::vector<QueueParams> queue;
};

TEST_F(AddToQueueTest, ThePrecheckAsksForThePreviewAndRefusesPicturesNotFromAFile) {
    struct Case {
        bool tuning, fromFile;
        std::deque<int> answers;
        AddPrecheck expected;
        size_t boxes;
    };
    const Case cases[] = {
        {true, true, {}, AddPrecheck::GoOn, 0},
        {false, true, {core::kResultYes}, AddPrecheck::ShowPreview, 1},
        {false, true, {core::kResultNo}, AddPrecheck::GoOn, 1},
        {false, true, {core::kResultCancel}, AddPrecheck::Stop, 1},
        {false, true, {core::kResultNone}, AddPrecheck::Stop, 1},  // no box could be shown
        {true, false, {core::kResultOk}, AddPrecheck::Stop, 1},
        {false, false, {core::kResultNo, core::kResultOk}, AddPrecheck::Stop, 2},
    };
    for (const Case& c : cases) {
        ScriptedAsker asker(c.answers);
        EXPECT_EQ(core::checkBeforeAdding(c.tuning, c.fromFile, asker, texts), c.expected)
            << c.tuning << c.fromFile;
        ASSERT_EQ(asker.requests().size(), c.boxes);
        if (!c.fromFile) {
            EXPECT_EQ(asker.requests().back().text,
                      "Only pictures opened from a file can be added to the queue.");
        }
    }
}

TEST_F(AddToQueueTest, OnePictureKeepsItsMarksAndTheExpertLevels) {
    AddToQueueRequest r;
    r.paths = {path("a.jpg")};
    r.settings = settings;
    r.marks.redEyes = {{1, 2, 3, 4, 5, 6}};
    r.marks.noiseAreas = {{7, 8, 9, 10}};
    r.marks.rotation = 1;
    for (const bool expert : {true, false}) {
        queue.clear();
        r.expertMode = expert;
        ScriptedAsker asker;
        const core::AddToQueueOutcome out = core::addToQueue(queue, r, asker, texts);
        EXPECT_TRUE(out.succeeded);
        EXPECT_EQ(out.added, 1);
        EXPECT_TRUE(asker.requests().empty());
        ASSERT_EQ(queue.size(), 1u);
        const QueueParams& item = queue[0];
        EXPECT_EQ(item.ExpertMode, expert ? 1 : 0);
        EXPECT_EQ(item.RedEyeCount(), 1);
        EXPECT_EQ(item.NoiseAreaCount(), 1);
        EXPECT_EQ(item.Rotation, 1);
        // Simple mode derives the shadow and highlight levels from each picture's own noise.
        EXPECT_EQ(item.Settings.ShadowsNoiseFactor, expert ? 900 : -1);
        EXPECT_EQ(item.Settings.HighlightsNoiseFactor, expert ? 1100 : -1);
        EXPECT_EQ(item.Settings.AutoContrastDarkest, 3);
        EXPECT_EQ(item.Settings.AutoContrastBrightest, 97);
    }
}

TEST_F(AddToQueueTest, ManyPicturesCarryNoMarksAndDeriveNoiseAndContrast) {
    AddToQueueRequest r = many({path("a.jpg"), path("missing.jpg"), path("b.jpg")});
    r.marks.redEyes = {{1, 2, 3, 4, 5, 6}};
    r.marks.rotation = 2;
    ScriptedAsker asker;
    const core::AddToQueueOutcome out = core::addToQueue(queue, r, asker, texts);
    EXPECT_TRUE(out.succeeded);
    EXPECT_EQ(out.added, 2);
    EXPECT_EQ(out.skipped, 1);
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(core::itemSourcePath(queue[0]), path("a.jpg"));
    EXPECT_EQ(core::itemSourcePath(queue[1]), path("b.jpg"));
    for (const QueueParams& item : queue) {
        EXPECT_EQ(item.RedEyeCount(), 0);
        EXPECT_EQ(item.Rotation, 0);
        EXPECT_EQ(item.Settings.ShadowsNoiseFactor, -1);
        EXPECT_EQ(item.Settings.HighlightsNoiseFactor, -1);
        EXPECT_EQ(item.Settings.AutoContrastDarkest, -1);
        EXPECT_EQ(item.Settings.AutoContrastBrightest, -1);
    }
}

TEST_F(AddToQueueTest, TheCaptionQuestionNamesTheReferenceSizeAndItsAnswerDecides) {
    settings.InsertDate = 1;
    settings.InsertText = 1;
    settings.CaptionText = "Kite";
    struct Case {
        int answer;
        bool added;
        int32_t insertDate;
    };
    for (const Case& c : {Case{core::kResultYes, true, 1}, Case{core::kResultNo, true, 0},
                          Case{core::kResultCancel, false, 0}}) {
        queue.clear();
        ScriptedAsker asker({c.answer});
        const core::AddToQueueOutcome out =
            core::addToQueue(queue, many({path("a.jpg")}), asker, texts);
        ASSERT_EQ(asker.requests().size(), 1u);
        EXPECT_EQ(asker.requests()[0].text,
                  "The settings add a caption made on a picture of 4000 x 3000 pixels. Add the "
                  "caption to every queued picture?");
        EXPECT_EQ(asker.requests()[0].title, "Queue");
        EXPECT_EQ(out.succeeded, c.added);
        ASSERT_EQ(queue.size(), c.added ? 1u : 0u);
        if (c.added) {
            EXPECT_EQ(queue[0].Settings.InsertDate, c.insertDate);
            EXPECT_EQ(queue[0].Settings.InsertText, c.insertDate);
        }
    }
    // A blank caption text with nothing else on asks nothing.
    settings.InsertDate = 0;
    settings.CaptionText = "   ";
    ScriptedAsker asker;
    EXPECT_TRUE(core::addToQueue(queue, many({path("b.jpg")}), asker, texts).succeeded);
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(AddToQueueTest, TheCropQuestionNamesTheProportion) {
    struct Case {
        int32_t kind, paper, web, resizeOn, userWidth, userHeight;
        QString proportion;  // empty: the crop goes off without a question
    };
    const Case cases[] = {
        {0, 2, 0, 0, 0, 0, QStringLiteral("4x6\"  (10x15cm),  1200x1800 px")},
        {0, 0, 0, 0, 0, 0, QStringLiteral("3:2")},
        {0, 14, 0, 0, 0, 0, QStringLiteral("3:2")},  // out of the table: the first row
        {1, 0, 3, 0, 0, 0, QStringLiteral("1024x768")},
        {1, 0, 0, 0, 0, 0, QStringLiteral("4:3")},
        {2, 0, 0, 1, 1600, 0, QStringLiteral("1600:?")},
        {2, 0, 0, 1, 1600, 1200, QStringLiteral("1600:1200")},
        {2, 0, 0, 1, 0, 0, QString()},
        {2, 0, 0, 0, 1600, 1200, QString()},
    };
    for (const Case& c : cases) {
        settings.CropOn = 1;
        settings.CropSizeKind = c.kind;
        settings.CropPaperIndex = c.paper;
        settings.CropWebIndex = c.web;
        settings.CropUserResizeOn = c.resizeOn;
        settings.CropUserWidth = c.userWidth;
        settings.CropUserHeight = c.userHeight;
        EXPECT_EQ(core::queueCropProportionText(settings, texts), c.proportion) << c.kind;
        queue.clear();
        ScriptedAsker asker({core::kResultYes});
        ASSERT_TRUE(core::addToQueue(queue, many({path("a.jpg")}), asker, texts).succeeded);
        ASSERT_EQ(queue.size(), 1u);
        if (c.proportion.isEmpty()) {
            EXPECT_TRUE(asker.requests().empty());
            EXPECT_EQ(queue[0].Settings.CropOn, 0);
        } else {
            ASSERT_EQ(asker.requests().size(), 1u);
            EXPECT_EQ(asker.requests()[0].text,
                      "The settings crop the picture to the proportion " + c.proportion +
                          ". Crop every queued picture to fit this proportion?");
            EXPECT_EQ(queue[0].Settings.CropOn, 1);
            EXPECT_EQ(queue[0].Settings.CropFitEachImage, 1);
        }
    }
}

TEST_F(AddToQueueTest, TheCropAnswersNoAndCancel) {
    settings.CropOn = 1;
    settings.CropSizeKind = 0;
    settings.CropPaperIndex = 2;
    ScriptedAsker no({core::kResultNo});
    ASSERT_TRUE(core::addToQueue(queue, many({path("a.jpg")}), no, texts).succeeded);
    EXPECT_EQ(queue.at(0).Settings.CropOn, 0);
    EXPECT_EQ(queue.at(0).Settings.CropFitEachImage, 0);

    ScriptedAsker cancel({core::kResultCancel});
    EXPECT_FALSE(core::addToQueue(queue, many({path("b.jpg")}), cancel, texts).succeeded);
    EXPECT_EQ(queue.size(), 1u);
}

TEST_F(AddToQueueTest, TheReplaceQuestionComesOncePerCommand) {
    ScriptedAsker first;
    core::addToQueue(queue, many({path("a.jpg"), path("b.jpg"), path("c.jpg")}), first, texts);
    settings.Gamma = 42;
    for (const int answer : {core::kResultYes, core::kResultNo}) {
        std::vector<QueueParams> q = queue;
        ScriptedAsker asker({answer});
        // a and c are queued already; b twice in the list.
        const core::AddToQueueOutcome out =
            core::addToQueue(q, many({path("c.jpg"), path("a.jpg"), path("c.jpg")}), asker, texts);
        ASSERT_EQ(asker.requests().size(), 1u);
        EXPECT_EQ(asker.requests()[0].text,
                  "This picture is already in the queue. Replace it with the new settings?");
        EXPECT_EQ(asker.requests()[0].title, "Update the queue");
        ASSERT_EQ(q.size(), 3u);
        if (answer == core::kResultYes) {
            EXPECT_EQ(out.replaced, 3);
            // Replaced items move to the end, in the order of the list.
            EXPECT_EQ(core::itemSourcePath(q[0]), path("b.jpg"));
            EXPECT_EQ(core::itemSourcePath(q[1]), path("a.jpg"));
            EXPECT_EQ(core::itemSourcePath(q[2]), path("c.jpg"));
            EXPECT_EQ(q[2].Settings.Gamma, 42);
        } else {
            EXPECT_EQ(out.added, 0);
            EXPECT_EQ(out.skipped, 3);
            EXPECT_EQ(q, queue);
        }
    }
}

}  // namespace
