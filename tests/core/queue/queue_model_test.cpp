#include "core/queue/queue_model.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using core::AddResult;
using core::QueueParams;

class QueueModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a.jpg", "b.jpg"}) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
    }
    QTemporaryDir dir;
};

TEST_F(QueueModelTest, AnItemWithMarksCopiesThemAndTheRotation) {
    core::ImageMarks marks;
    marks.noiseAreas = {{1, 2, 3, 4}};
    core::ColorRangeItem range;
    range.Areas = {{0, 1, 2, 3, 4}};
    marks.colorRanges = {range};
    marks.redEyes = {{1, 2, 3, 4, 5, 6}};
    marks.rotation = 3;
    core::SettingsBlock settings;
    settings.Gamma = 17;
    const QueueParams item = core::makeQueueItem("  /p/x.jpg ", true, settings, &marks);
    EXPECT_EQ(item.ExpertMode, 1);
    EXPECT_EQ(item.SourcePath, "/p/x.jpg");
    EXPECT_EQ(item.SourcePathLength(), 8);
    EXPECT_EQ(item.Settings, settings);
    EXPECT_EQ(item.NoiseAreaCount(), 1);
    EXPECT_EQ(item.ColorRangeCount(), 1);
    EXPECT_EQ(item.RedEyeCount(), 1);
    EXPECT_EQ(item.Rotation, 3);

    // Copies are deep: changing the copy's areas leaves the original alone.
    QueueParams copy = item;
    copy.ColorRanges[0].Areas[0].Kind = 9;
    EXPECT_EQ(item.ColorRanges[0].Areas[0].Kind, 0);
}

TEST_F(QueueModelTest, AnItemWithoutMarksHasNone) {
    const QueueParams item = core::makeQueueItem("", false, core::SettingsBlock{}, nullptr);
    EXPECT_EQ(item.SourcePathLength(), 0);
    EXPECT_EQ(item.NoiseAreaCount() + item.ColorRangeCount() + item.RedEyeCount(), 0);
    EXPECT_EQ(item.Rotation, 0);
}

TEST_F(QueueModelTest, AddingSkipsMissingFilesAndAsksAboutDuplicatesOnce) {
    std::vector<QueueParams> queue;
    int asked = 0;
    core::AddCommand first([&](const QString&) {
        ++asked;
        return true;
    });
    const QString a = dir.filePath("a.jpg"), b = dir.filePath("b.jpg");
    EXPECT_EQ(core::addQueueItem(queue, a, false, {}, nullptr, first), AddResult::Added);
    EXPECT_EQ(core::addQueueItem(queue, b, false, {}, nullptr, first), AddResult::Added);
    EXPECT_EQ(core::addQueueItem(queue, dir.filePath("none.jpg"), false, {}, nullptr, first),
              AddResult::SkippedMissing);
    EXPECT_EQ(core::addQueueItem(queue, "", false, {}, nullptr, first), AddResult::SkippedMissing);
    EXPECT_EQ(asked, 0);

    core::AddCommand second([&](const QString&) {
        ++asked;
        return true;
    });
    core::SettingsBlock changed;
    changed.Contrast = 5;
    EXPECT_EQ(core::addQueueItem(queue, a, false, changed, nullptr, second), AddResult::Replaced);
    EXPECT_EQ(core::addQueueItem(queue, b, false, changed, nullptr, second), AddResult::Replaced);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(core::findQueueItem(queue, a), 0);  // the replaced items moved to the end in order
    EXPECT_EQ(queue[1].Settings.Contrast, 5);

    core::AddCommand declined([&](const QString&) { return false; });
    EXPECT_EQ(core::addQueueItem(queue, a, false, {}, nullptr, declined),
              AddResult::SkippedDuplicate);
    EXPECT_EQ(queue.size(), 2u);
    EXPECT_EQ(core::findQueueItem(queue, dir.filePath("none.jpg")), -1);
}

}  // namespace
