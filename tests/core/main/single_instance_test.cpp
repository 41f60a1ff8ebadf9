// One program per user: the first object takes the lock, a second one is refused and hands its
// command line over; a lock left by a process that is gone is taken over.
#include "core/main/single_instance.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "gui_application.h"

namespace {

void ensureApplication() {
    coretest::ensureGuiApplication();
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};

TEST_F(SingleInstanceTest, TheSecondInstanceIsRefused) {
    core::SingleInstance first(dir.path());
    core::SingleInstance second(dir.path());
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(first.isFirst());
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.isFirst());
    EXPECT_TRUE(first.acquire());  // asking again changes nothing
    EXPECT_TRUE(first.lockFilePath().endsWith("/MYPROGRAM_CHECKEXIST.lock"));
    EXPECT_TRUE(QFile::exists(first.lockFilePath()));
}

TEST_F(SingleInstanceTest, TheLockIsFreeAgainWhenTheFirstEnds) {
    {
        core::SingleInstance first(dir.path());
        ASSERT_TRUE(first.acquire());
    }
    core::SingleInstance next(dir.path());
    EXPECT_TRUE(next.acquire());
}

TEST_F(SingleInstanceTest, ALockOfAProcessThatIsGoneIsTakenOver) {
    core::SingleInstance probe(dir.path());
    // What a killed program leaves: a lock of this host naming a process that does not run.
    QFile lock(probe.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("2147483646\nVelmarFilter\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    EXPECT_TRUE(probe.acquire());
}

TEST_F(SingleInstanceTest, ASecondInstanceHandsOverItsCommandLine) {
    core::SingleInstance first(dir.path());
    ASSERT_TRUE(first.acquire());
    QStringList received;
    QEventLoop loop;
    QObject::connect(&first, &core::SingleInstance::commandLineReceived,
                     [&](const QStringList& arguments) {
                         received = arguments;
                         loop.quit();
                     });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);

    core::SingleInstance second(dir.path());
    ASSERT_FALSE(second.acquire());
    const QStringList arguments{"/photos/Trip 2024/Beach Day.JPG", "-q", "ünïcødé"};
    ASSERT_TRUE(second.sendToRunning(arguments));
    loop.exec();
    EXPECT_EQ(received, arguments);
}

TEST_F(SingleInstanceTest, WithoutARunningInstanceNothingTakesTheCommandLine) {
    core::SingleInstance lonely(dir.path());
    EXPECT_FALSE(lonely.sendToRunning({"a.jpg"}, 200));
}

}  // namespace
