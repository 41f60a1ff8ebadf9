#include "core/files/file_replacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/queue/queue_file.h"
#include "core/settings/record_file.h"
#include "imaging/file_io.h"

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class FileReplacementTest : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Every entry of the folder, hidden temporaries included.
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void expectFullDiskFailure(const core::Status& s) const {
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.failure().key, "ER_CANNOT_SAVE");
        EXPECT_TRUE(s.failure().detail.contains("No space left on device"))
            << qPrintable(s.failure().detail);
    }
    QTemporaryDir dir;
};

TEST_F(FileReplacementTest, ACompleteWriteReplacesTheFile) {
    ASSERT_TRUE(core::replaceFile(path("a.dat"), {'o', 'l', 'd'}));
    ASSERT_TRUE(core::replaceFile(path("a.dat"), {'n', 'e', 'w', '!'}));
    EXPECT_EQ(contentOf(path("a.dat")), "new!");
    EXPECT_EQ(entries(), QStringList{"a.dat"});
}

// A disk that fills up before, during or at the end of the new content: the previous file stays
// byte for byte, no temporary is left, and the failure names the reason.
TEST_F(FileReplacementTest, AFullDiskKeepsThePreviousFileAndSaysSo) {
    const std::vector<uint8_t> next(5000, 'x');
    for (size_t allowed : {size_t(0), size_t(1), size_t(4096), next.size() - 1}) {
        SCOPED_TRACE(allowed);
        ASSERT_TRUE(core::replaceFile(path("a.dat"), {'o', 'l', 'd'}));
        {
            imaging::ScopedWriteFailure full(allowed);
            expectFullDiskFailure(core::replaceFile(path("a.dat"), next));
        }
        EXPECT_EQ(contentOf(path("a.dat")), "old");
        EXPECT_EQ(entries(), QStringList{"a.dat"});
    }
    // Once the disk has room again the same write succeeds.
    ASSERT_TRUE(core::replaceFile(path("a.dat"), next));
    EXPECT_EQ(contentOf(path("a.dat")).size(), qsizetype(next.size()));
}

TEST_F(FileReplacementTest, AFolderThatDoesNotExistIsReported) {
    const core::Status s = core::replaceFile(path("no/such/a.dat"), {1});
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.failure().key, "ER_CANNOT_SAVE");
    EXPECT_TRUE(s.failure().detail.contains("No such file or directory"))
        << qPrintable(s.failure().detail);
}

// The queue file on a full disk: the items of the previous queue are still there afterwards.
TEST_F(FileReplacementTest, AQueueWrittenToAFullDiskKeepsThePreviousQueue) {
    core::QueueParams one, two;
    one.SourcePath = "/photos/one.jpg";
    two.SourcePath = "/photos/two.jpg";
    ASSERT_TRUE(core::writeRecordFile({one, two}, path("vrq.dat")));
    const QByteArray before = contentOf(path("vrq.dat"));
    {
        imaging::ScopedWriteFailure full(700);
        expectFullDiskFailure(core::writeRecordFile({two}, path("vrq.dat")));
    }
    EXPECT_EQ(contentOf(path("vrq.dat")), before);
    EXPECT_EQ(core::readQueueFile(path("vrq.dat")).items.size(), 2u);
}

// One of the program's own settings files of the previous version is rewritten when read; on a
// full disk it stays as it was and the reading says why.
TEST_F(FileReplacementTest, APreviousVersionSettingsFileOnAFullDiskIsKept) {
    core::QueueParams old;
    old.SourcePath = "/photos/one.jpg";
    old.Settings.Version = core::SettingsBlock::kPreviousVersion;
    ASSERT_TRUE(core::writeRecordFile({old}, path("old.vrs")));
    const QByteArray before = contentOf(path("old.vrs"));
    core::RecordFileContent read;
    {
        imaging::ScopedWriteFailure full(10);
        read = core::readSettingsFile(path("old.vrs"), core::UnreadableFile::Delete);
    }
    EXPECT_FALSE(read.success);
    EXPECT_TRUE(read.problem.contains("No space left on device")) << qPrintable(read.problem);
    EXPECT_EQ(contentOf(path("old.vrs")), before);
    EXPECT_EQ(entries(), QStringList{"old.vrs"});
}

TEST_F(FileReplacementTest, TheProgramsRecordsOnAFullDiskKeepThePreviousFile) {
    core::SettingsBlock block;
    block.SharpenAmount = 33;
    ASSERT_TRUE(core::saveSettingsBlock(path("vr.dat"), block));
    ASSERT_TRUE(core::saveProgramOptions(path("vri.dat"), core::defaultProgramOptions()));
    const QByteArray settings = contentOf(path("vr.dat"));
    const QByteArray options = contentOf(path("vri.dat"));
    {
        imaging::ScopedWriteFailure full(100);
        expectFullDiskFailure(core::saveSettingsBlock(path("vr.dat"), core::SettingsBlock{}));
    }
    {
        imaging::ScopedWriteFailure full(100);
        core::ProgramOptions changed = core::defaultProgramOptions();
        changed.opacity = 7;
        expectFullDiskFailure(core::saveProgramOptions(path("vri.dat"), changed));
    }
    EXPECT_EQ(contentOf(path("vr.dat")), settings);
    EXPECT_EQ(contentOf(path("vri.dat")), options);
    EXPECT_EQ(core::loadSettingsBlock(path("vr.dat")).SharpenAmount, 33);
}

// The new file gets the usual permissions under the process's file-creation mask, not the
// private mode of its temporary.
TEST_F(FileReplacementTest, TheNewFileFollowsTheFileCreationMask) {
    for (mode_t mask : {mode_t(022), mode_t(027), mode_t(077)}) {
        SCOPED_TRACE(mask);
        QFile::remove(path("a.dat"));  // a file that is replaced keeps its own mode
        const mode_t previous = ::umask(mask);
        const core::Status written = core::replaceFile(path("a.dat"), {1, 2, 3});
        ::umask(previous);
        ASSERT_TRUE(written);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path("a.dat")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
    }
}

TEST_F(FileReplacementTest, RemovingAFileThatIsNotThereIsNoFailure) {
    EXPECT_TRUE(core::removeFile(path("none.dat")));
    ASSERT_TRUE(core::replaceFile(path("a.dat"), {1}));
    EXPECT_TRUE(core::removeFile(path("a.dat")));
    EXPECT_FALSE(QFile::exists(path("a.dat")));
}

}  // namespace

namespace {

// A read that fails part-way (a failing disk) is a failure with the system's reason, never a
// shorter file taken for the whole one.
TEST(WholeFileReading, AFailedReadIsReportedAndGivesNothing) {
    QTemporaryDir dir;
    const std::string file = QFile::encodeName(dir.filePath("picture.raw")).toStdString();
    imaging::Bytes written(10000);
    for (std::size_t i = 0; i < written.size(); ++i)
        written[i] = uint8_t(i * 7 + 3);
    std::string error;
    ASSERT_TRUE(imaging::writeFileAtomically(file, written, error)) << error;
    for (const std::size_t before : {std::size_t(0), std::size_t(100), written.size() - 1}) {
        SCOPED_TRACE(before);
        imaging::Bytes read = {1, 2, 3};
        error.clear();
        {
            imaging::ScopedReadFailure failing(before);
            EXPECT_FALSE(imaging::readWholeFile(file, read, error));
        }
        EXPECT_TRUE(read.empty());
        EXPECT_EQ(error, "Cannot read \"" + file + "\": Input/output error");
    }
    imaging::Bytes read;
    ASSERT_TRUE(imaging::readWholeFile(file, read, error)) << error;
    EXPECT_EQ(read, written);
}

}  // namespace

// A name of 250 bytes is legal (the limit is 255); its temporary beside it must be too.
TEST_F(FileReplacementTest, ALongButLegalNameCanBeReplaced) {
    const QString name = QString(246, u'n') + QStringLiteral(".jpg");
    ASSERT_EQ(QFile::encodeName(name).size(), 250);
    const QString target = dir.filePath(name);
    const core::Status first = core::replaceFile(target, {'o', 'n', 'e'});
    ASSERT_TRUE(first.ok()) << qPrintable(first.failure().detail);
    ASSERT_TRUE(core::replaceFile(target, {'t', 'w', 'o'}).ok());
    EXPECT_EQ(contentOf(target), "two");
    EXPECT_EQ(entries(), QStringList{name});
}

// Replacing a file keeps its permissions; a new file gets the usual ones.
TEST_F(FileReplacementTest, AReplacedFileKeepsItsMode) {
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0755)}) {
        ASSERT_TRUE(core::replaceFile(path("a.jpg"), {'o', 'l', 'd'}).ok());
        ASSERT_EQ(::chmod(QFile::encodeName(path("a.jpg")).constData(), mode), 0);
        ASSERT_TRUE(core::replaceFile(path("a.jpg"), {'n', 'e', 'w'}).ok());
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path("a.jpg")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(st.st_uid, ::getuid());
        EXPECT_EQ(contentOf(path("a.jpg")), "new");
        ASSERT_TRUE(QFile::remove(path("a.jpg")));
    }
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(core::replaceFile(path("fresh.jpg"), {'x'}).ok());
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path("fresh.jpg")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode_t(0644));
}

// A process that no longer exists, as a pid.
pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void makeFile(const QString& path, qint64 secondsOld) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("partial");
    f.close();
    const QDateTime when = QDateTime::currentDateTime().addSecs(-secondsOld);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

// A temporary left by a process that was killed during a save is removed by the next write in
// that folder; one of a live process, a recent one and other people's hidden files stay.
TEST_F(FileReplacementTest, StaleTemporariesOfOursAreRemovedOnTheNextWrite) {
    const pid_t dead = deadProcess();
    ASSERT_GT(dead, 0);
    const QString stale = QStringLiteral(".vf%1-a1B2c3").arg(dead);
    const QString fresh = QStringLiteral(".vf%1-zzzzzz").arg(dead);
    const QString live = QStringLiteral(".vf%1-q1w2e3").arg(::getppid());
    makeFile(dir.filePath(stale), 3600);
    makeFile(dir.filePath(fresh), 0);
    makeFile(dir.filePath(live), 3600);
    makeFile(dir.filePath(".vfsomething-abcdef"), 3600);
    makeFile(dir.filePath(".hidden"), 3600);
    ASSERT_TRUE(core::replaceFile(path("vrq.dat"), {'q'}).ok());
    QStringList expected = {fresh, live, ".vfsomething-abcdef", ".hidden", "vrq.dat"};
    expected.sort();
    QStringList found = entries();
    found.sort();
    EXPECT_EQ(found, expected);
}
