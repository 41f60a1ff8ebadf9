// A queue file on a file system that is full: the run cannot write the shortened queue back, says
// so, and the queue file keeps every item byte for byte (the finished one may be done again). A
// real (small) tmpfs is mounted for it, which needs privileges; without them the test is skipped.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "tests/cli/cli_process.h"

namespace {

using cli::test::cli;
using cli::test::contents;

// A tmpfs of a few pages, unmounted when the test ends.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const QString& folder) : folder_(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64k") == 0;
        error_ = errno;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    int error() const { return error_; }

  private:
    QByteArray folder_;
    bool mounted_ = false;
    int error_ = 0;
};

// Fills the folder's file system with one-page files until it is full, then frees `pages` pages:
// room for small files (the run's locks) but not for a new copy of the queue.
bool fillLeaving(const QString& folder, int pages) {
    int count = 0;
    const QByteArray page(4096, 'x');
    for (;; ++count) {
        const QByteArray name = QFile::encodeName(folder + QStringLiteral("/fill%1").arg(count));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) break;
        const ssize_t n = ::write(fd, page.constData(), size_t(page.size()));
        ::close(fd);
        if (n != page.size()) {
            ::unlink(name.constData());
            break;
        }
    }
    if (count < pages) return false;
    for (int i = 0; i < pages; ++i)
        if (::unlink(QFile::encodeName(folder + QStringLiteral("/fill%1").arg(i)).constData()) != 0)
            return false;
    return true;
}

// With one page free only the run's lock fits and the write-back cannot lock the file; with two
// the write-back's own lock fits too and the new copy of the queue is what cannot be written.
class CliFullDisk : public ::testing::TestWithParam<int> {};

TEST_P(CliFullDisk, AQueueOnAFullFileSystemKeepsEveryItemAndTheRunSaysSo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString small = dir.filePath("q");
    SmallFileSystem fs(small);
    if (!fs.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(fs.error()) << ")";

    const QString photo = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");
    // One picture that is done, so the run writes the shortened queue back, and four that are
    // missing, so it writes nothing more.
    std::vector<core::QueueParams> queue;
    ASSERT_TRUE(QFile::copy(photo, dir.filePath("a.jpg")));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
        queue.push_back(
            core::makeQueueItem(dir.filePath(name), true, core::SettingsBlock{}, nullptr));
    const QString queueFile = small + QStringLiteral("/vrq.dat");
    ASSERT_TRUE(core::writeRecordFile(queue, queueFile));
    const QByteArray before = contents(queueFile);
    // Four items need more than one page.
    ASSERT_GT(before.size() * 4 / 5, 4096);
    ASSERT_TRUE(fillLeaving(small, GetParam()));

    const auto r = cli({"--queue", queueFile, "--output-dir", dir.filePath("out")});
    EXPECT_NE(r.status, 0) << qPrintable(r.out);
    EXPECT_TRUE((r.out + r.err).contains("No space left on device"))
        << qPrintable(r.out) << qPrintable(r.err);
    EXPECT_EQ(contents(queueFile), before);
    EXPECT_EQ(core::readQueueFile(queueFile).items.size(), 5u);
    EXPECT_TRUE(QFile::exists(dir.filePath("out/a_dnr.jpg")));
    EXPECT_TRUE(
        QDir(small).entryList({QStringLiteral(".vf*")}, QDir::Files | QDir::Hidden).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(PagesLeft, CliFullDisk, ::testing::Values(1, 2));

}  // namespace
