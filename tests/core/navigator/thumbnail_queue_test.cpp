#include "core/navigator/thumbnail_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "gui_application.h"
#include "navigator/navigator_fixtures.h"

namespace {

std::vector<bool> waiting(const char* marks) {
    std::vector<bool> out;
    for (const char* p = marks; *p; ++p)
        out.push_back(*p == 'x');
    return out;
}

TEST(NavigatorThumbnailQueue, VisibleItemsFirstThenBelowThenAbove) {
    struct Case {
        const char* waiting;
        int first, last, expected;
    };
    const Case cases[] = {
        {"xxxxxxxx", 3, 5, 3}, {"xxx...xx", 3, 5, 6}, {"xx......", 3, 5, 1}, {"........", 3, 5, -1},
        {"xxxx", 0, -1, 0},    {"x..x", 2, 9, 3},     {".x", -4, 0, 1},      {"", 0, 3, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::nextThumbnailIndex(waiting(c.waiting), c.first, c.last), c.expected)
            << c.waiting << " " << c.first << ".." << c.last;
}

struct QueueFixture : ::testing::Test {
    void SetUp() override {
        coretest::ensureGuiApplication();
        for (int i = 0; i < 12; ++i) {
            paths << dir.filePath(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
            ASSERT_TRUE(navtest::writeJpeg(paths.last(), 80, 60));
        }
        settings = {dir.filePath(QStringLiteral("cache")), true, true};
    }
    // Lets queued signals arrive until the condition holds (at most 20 s).
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return done();
    }
    QTemporaryDir dir;
    QStringList paths;
    core::ThumbnailSettings settings;
};

// One worker, paused while the request and the visible range are set: the order of the results
// is the priority order.
TEST_F(QueueFixture, PausedQueueWorksInPriorityOrderOnceResumed) {
    core::ThumbnailQueue queue(1);
    QSignalSpy ready(&queue, &core::ThumbnailQueue::thumbnailReady);
    queue.setPaused(true);
    const int generation = queue.request(paths, settings);
    queue.setVisibleRange(4, 6);
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(ready.count(), 0);
    EXPECT_EQ(queue.waiting(), 12);
    queue.setPaused(false);
    ASSERT_TRUE(waitFor([&] { return ready.count() == 12; }));
    QList<int> order;
    for (const QList<QVariant>& args : ready) {
        EXPECT_EQ(args[0].toInt(), generation);
        EXPECT_FALSE(args[2].value<QImage>().isNull());
        order << args[1].toInt();
    }
    EXPECT_EQ(order, (QList<int>{4, 5, 6, 7, 8, 9, 10, 11, 3, 2, 1, 0}));
    EXPECT_EQ(queue.decodedCount(), 12);
    EXPECT_EQ(queue.cachedCount(), 0);

    // The second visit comes from the cache: no picture is decoded.
    ready.clear();
    queue.request(paths, settings);
    ASSERT_TRUE(waitFor([&] { return ready.count() == 12; }));
    EXPECT_EQ(queue.decodedCount(), 12);
    EXPECT_EQ(queue.cachedCount(), 12);
}

TEST_F(QueueFixture, CancelDropsWhatWaitsAndANewRequestReplacesIt) {
    core::ThumbnailQueue queue(2);
    QSignalSpy ready(&queue, &core::ThumbnailQueue::thumbnailReady);
    queue.setPaused(true);
    queue.request(paths, settings);
    queue.cancel();
    EXPECT_EQ(queue.waiting(), 0);
    queue.setPaused(false);
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(ready.count(), 0);

    // A request for the first folder replaced by one for three pictures: only the three arrive,
    // all with the newer generation.
    queue.request(paths, settings);
    const int newer = queue.request(paths.mid(0, 3), settings);
    QSignalSpy idle(&queue, &core::ThumbnailQueue::idle);
    ASSERT_TRUE(waitFor([&] { return !idle.isEmpty() && idle.last()[0].toInt() == newer; }));
    QThread::msleep(50);
    QCoreApplication::processEvents();
    int current = 0;
    for (const QList<QVariant>& args : ready)
        if (args[0].toInt() == newer) ++current;
    EXPECT_EQ(current, 3);
    for (const QList<QVariant>& args : ready)
        if (args[0].toInt() == newer) {
            EXPECT_LT(args[1].toInt(), 3);
        }
}

// A picture that changed is made again alone.
TEST_F(QueueFixture, ARequeuedPictureIsMadeAgain) {
    core::ThumbnailQueue queue(1);
    QSignalSpy ready(&queue, &core::ThumbnailQueue::thumbnailReady);
    queue.request(paths.mid(0, 2), settings);
    ASSERT_TRUE(waitFor([&] { return ready.count() == 2; }));
    queue.requeue(1);
    ASSERT_TRUE(waitFor([&] { return ready.count() == 3; }));
    EXPECT_EQ(ready.last()[1].toInt(), 1);
}

}  // namespace
