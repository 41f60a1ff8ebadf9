// An archive processed by several velmarfilter-cli processes at once, as GNU parallel runs them
// across hosts (here the local machine only, the ":" login). Each picture's file must come out
// exactly as one process alone writes it, and processes writing into one output folder must never
// spoil each other's files or leave temporaries behind.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "cli_process.h"

namespace {

// The pictures of a small shoot in nested folders, as an archive is kept.
const char* const kTree[] = {"2024/kite.jpg", "2024/march/rocket.jpg", "2025/cups.jpg",
                             "2025/march/cups-again.jpg"};
const char* const kSources[] = {"imaging/Kite.jpg", "imaging/rocket.jpg", "cups-noisy-crop.jpg",
                                "cups-noisy-crop.jpg"};

void makeTree(const QString& root) {
    for (std::size_t i = 0; i < std::size(kTree); ++i) {
        const QString target = root + QLatin1Char('/') + QLatin1String(kTree[i]);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(VF_TEST_DATA "/") + QLatin1String(kSources[i]), target));
    }
}

// Every file under root by its path below root, with a hash of its bytes.
QMap<QString, QByteArray> filesUnder(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(
            QDir(root).relativeFilePath(path),
            QCryptographicHash::hash(cli::test::contents(path), QCryptographicHash::Sha256));
    }
    return files;
}

struct ParallelRun {
    int status = -1;
    QString err;
};

// GNU parallel reading the picture names from its standard input, one job each.
ParallelRun parallel(const QStringList& arguments, const QStringList& pictures) {
    QProcess p;
    p.start(QStringLiteral("parallel"), arguments);
    p.write(pictures.join(QLatin1Char('\n')).toUtf8() + '\n');
    p.closeWriteChannel();
    ParallelRun r;
    if (!p.waitForFinished(600000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList picturesUnder(const QString& root) {
    QStringList pictures;
    for (const char* name : kTree)
        pictures << root + QLatin1Char('/') + QLatin1String(name);
    return pictures;
}

class ParallelHosts : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("parallel")).isEmpty())
            GTEST_SKIP() << "GNU parallel is not installed (Debian package parallel)";
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

// The README's recipe: every picture of a folder tree as a job of its own on the listed hosts,
// each result in the "filtered" folder beside its picture. The results are those of one process
// doing the whole tree.
TEST_F(ParallelHosts, AFolderTreeGivesTheFilesOfASingleRun) {
    makeTree(path("alone"));
    makeTree(path("shared"));
    const cli::test::CliResult alone = cli::test::cli(picturesUnder(path("alone")));
    ASSERT_EQ(alone.status, 0) << qPrintable(alone.err);

    const ParallelRun shared =
        parallel({QStringLiteral("--will-cite"), QStringLiteral("--halt"),
                  QStringLiteral("now,fail=1"), QStringLiteral("--sshlogin"), QStringLiteral("2/:"),
                  QStringLiteral(VF_CLI), QStringLiteral("{}")},
                 picturesUnder(path("shared")));
    ASSERT_EQ(shared.status, 0) << qPrintable(shared.err);

    const QMap<QString, QByteArray> expected = filesUnder(path("alone"));
    EXPECT_EQ(expected.size(), 2 * int(std::size(kTree)));  // each picture and its result
    EXPECT_EQ(filesUnder(path("shared")), expected);
}

// Two runs of the same pictures into one output folder at the same time, without --overwrite:
// both succeed, each output is there once and whole, and no temporary file is left.
TEST_F(ParallelHosts, RunsWritingIntoOneFolderNeverClash) {
    makeTree(path("photos"));
    const QString out = path("out");
    const QStringList pictures = picturesUnder(path("photos"));
    // Each picture twice in a row, so that with two jobs at a time both copies run together.
    QStringList jobs;
    for (const QString& picture : pictures)
        jobs << picture << picture;
    const ParallelRun both =
        parallel({QStringLiteral("--will-cite"), QStringLiteral("-j2"), QStringLiteral(VF_CLI),
                  QStringLiteral("--output-dir"), out, QStringLiteral("{}")},
                 jobs);
    ASSERT_EQ(both.status, 0) << qPrintable(both.err);

    makeTree(path("check"));
    const cli::test::CliResult alone =
        cli::test::cli(QStringList{QStringLiteral("--output-dir"), path("check-out")} +
                       picturesUnder(path("check")));
    ASSERT_EQ(alone.status, 0) << qPrintable(alone.err);
    // "cups.jpg" and "cups-again.jpg" have their own names; every output once, nothing else.
    EXPECT_EQ(filesUnder(out), filesUnder(path("check-out")));
    EXPECT_EQ(filesUnder(out).size(), int(std::size(kTree)));
}

}  // namespace
