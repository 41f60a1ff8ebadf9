#include "core/queue/queue_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"

namespace {

using core::QueueParams;

QueueParams item(const char* path) {
    return core::makeQueueItem(QString::fromLatin1(path), true, core::defaultSettingsBlock(),
                               nullptr);
}

class QueueStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("vrq.dat");
    }
    std::vector<QueueParams> stored() const { return core::readQueueFile(file).items; }
    void append(std::vector<QueueParams>& items, const char* path) { items.push_back(item(path)); }
    QTemporaryDir dir;
    QString file;
};

TEST_F(QueueStoreTest, EveryChangeIsMirroredInTheFileAndAnEmptyQueueLeavesNone) {
    core::QueueStore store(file);
    EXPECT_TRUE(store.load().success);
    EXPECT_TRUE(store.items().empty());
    ASSERT_TRUE(store
                    .change([this](auto& items) {
                        append(items, "/p/a.jpg");
                        append(items, "/p/b.jpg");
                        append(items, "/p/c.jpg");
                    })
                    .ok());
    EXPECT_EQ(stored(), store.items());
    ASSERT_TRUE(store.removeAt(1).ok());
    EXPECT_EQ(stored(), (std::vector<QueueParams>{item("/p/a.jpg"), item("/p/c.jpg")}));
    EXPECT_EQ(stored(), store.items());
    // An index outside the queue changes nothing.
    EXPECT_TRUE(store.removeAt(2).ok());
    EXPECT_TRUE(store.removeAt(-1).ok());
    EXPECT_EQ(store.items().size(), 2u);

    core::QueueStore again(file);
    again.load();
    EXPECT_EQ(again.items(), store.items());

    ASSERT_TRUE(store.clear().ok());
    EXPECT_TRUE(store.items().empty());
    EXPECT_FALSE(QFile::exists(file));
}

// A command-line run works through the same file: what it finished is not brought back, and what
// another writer added is not lost.
TEST_F(QueueStoreTest, AChangeKeepsWhatOtherWritersDidToTheFile) {
    core::QueueStore store(file);
    ASSERT_TRUE(store
                    .change([this](auto& items) {
                        append(items, "/p/a.jpg");
                        append(items, "/p/b.jpg");
                    })
                    .ok());
    // Meanwhile a run finished a.jpg and another writer added x.jpg.
    ASSERT_TRUE(core::writeRecordFile({item("/p/b.jpg"), item("/p/x.jpg")}, file).ok());

    ASSERT_TRUE(store.change([this](auto& items) { append(items, "/p/c.jpg"); }).ok());
    const std::vector<QueueParams> expected = {item("/p/b.jpg"), item("/p/x.jpg"),
                                               item("/p/c.jpg")};
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(store.items(), expected);
}

TEST_F(QueueStoreTest, AFileThatCannotBeWrittenStillChangesTheQueueAndSaysWhy) {
    core::QueueStore store(dir.filePath("missing/vrq.dat"));
    const core::Status s = store.change([this](auto& items) { append(items, "/p/a.jpg"); });
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.failure().detail.isEmpty());
    EXPECT_EQ(store.items().size(), 1u);
}

}  // namespace
