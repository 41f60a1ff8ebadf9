#include "core/queue/shared_queue_file.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/queue/queue_run_lock.h"

namespace {

using core::QueueParams;

QueueParams item(const char* path) {
    return core::makeQueueItem(QString::fromLatin1(path), true, core::defaultSettingsBlock(),
                               nullptr);
}

class SharedQueueFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("vrq.dat");
    }
    std::vector<QueueParams> stored() const { return core::readQueueFile(file).items; }
    QTemporaryDir dir;
    QString file;
};

// The window adds an item while the run works on the file's first two; the run's write-back
// removes only what it finished.
TEST_F(SharedQueueFileTest, AnItemAddedDuringARunIsKept) {
    const std::vector<QueueParams> atStart = {item("/p/a.jpg"), item("/p/b.jpg")};
    ASSERT_TRUE(core::writeRecordFile(atStart, file).ok());
    core::RunQueueWriter run(file, atStart);

    ASSERT_TRUE(core::updateQueueFile(file, [](std::vector<QueueParams>& items) {
                    items.push_back(item("/p/c.jpg"));
                }).ok());
    ASSERT_TRUE(run.store({item("/p/b.jpg")}).ok());
    EXPECT_EQ(stored(), (std::vector<QueueParams>{item("/p/b.jpg"), item("/p/c.jpg")}));
    ASSERT_TRUE(run.store({}).ok());
    EXPECT_EQ(stored(), (std::vector<QueueParams>{item("/p/c.jpg")}));
    // The last item leaves: the file goes, as an empty queue leaves no file.
    ASSERT_TRUE(
        core::updateQueueFile(file, [](std::vector<QueueParams>& items) { items.clear(); }).ok());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(file + ".writing"));
}

TEST_F(SharedQueueFileTest, FinishedItemsAreRemovedOnceEach) {
    const struct {
        std::vector<const char*> items, finished, left;
    } cases[] = {
        {{"a", "b", "a"}, {"a"}, {"b", "a"}},
        {{"a", "b"}, {"c"}, {"a", "b"}},
        {{"a", "b", "c"}, {"c", "a"}, {"b"}},
        {{}, {"a"}, {}},
    };
    auto list = [](const std::vector<const char*>& names) {
        std::vector<QueueParams> out;
        for (const char* n : names)
            out.push_back(item(n));
        return out;
    };
    for (const auto& c : cases) {
        std::vector<QueueParams> items = list(c.items);
        core::removeFinishedItems(items, list(c.finished));
        EXPECT_EQ(items, list(c.left));
    }
}

// A file that cannot be read is never written over.
TEST_F(SharedQueueFileTest, AnUnreadableFileIsKept) {
    ASSERT_TRUE(core::writeRecordFile({item("/p/a.jpg")}, file).ok());
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::WriteOwner));
    if (QFile(file).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with privileges";
    const core::Status s =
        core::updateQueueFile(file, [](std::vector<QueueParams>& items) { items.clear(); });
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.failure().detail.contains("Permission denied")) << qPrintable(s.failure().detail);
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(SharedQueueFileTest, ASecondRunLockIsRefusedNamingTheHolder) {
    auto first = core::QueueRunLock::acquire(file);
    ASSERT_TRUE(first.ok()) << qPrintable(first.failure().detail);
    EXPECT_TRUE(QFile::exists(file + ".lock"));
    const auto second = core::QueueRunLock::acquire(file);
    ASSERT_FALSE(second.ok());
    EXPECT_TRUE(second.failure().detail.contains("is being run by another process"))
        << qPrintable(second.failure().detail);
    EXPECT_TRUE(
        second.failure().detail.contains(QString::number(QCoreApplication::applicationPid())))
        << qPrintable(second.failure().detail);
    first.value().reset();
    EXPECT_FALSE(QFile::exists(file + ".lock"));
    EXPECT_TRUE(core::QueueRunLock::acquire(file).ok());
}

}  // namespace
