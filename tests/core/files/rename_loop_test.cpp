#include "core/files/rename_loop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/files/file_renaming.h"
#include "core/files/path_bytes.h"
#include "core/files/rename_preview.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"

namespace {

using namespace core::renaming;

const QDateTime kShot(QDate(2024, 2, 3), QTime(14, 5, 9));

class RenameLoop : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // A file holding its own name, so that a test can tell which file ended where.
    QString make(const QString& name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name.toUtf8());
        f.close();
        EXPECT_TRUE(core::setModificationTime(path, {kShot.toSecsSinceEpoch(), 123456789}));
        return path;
    }
    QByteArray content(const QString& name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList names() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    const Dating dating{true, kShot};
};

TEST_F(RenameLoop, TwelveFilesGetTwoDigitNumbersAndKeepTheirExtensions) {
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << make(QStringLiteral("IMG_%1.%2").arg(100 + i).arg(i % 2 ? "jpg" : "TIF"));
    std::vector<std::pair<int, int>> progress;
    RenameHooks hooks;
    hooks.progress = [&](int handled, int total) { progress.emplace_back(handled, total); };
    const RenameReport report = renameFiles(paths, QStringLiteral("#[counter]"), hooks, dating);
    ASSERT_EQ(report.renamed.size(), 12u);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.renamed[0], (RenamedFile{paths[0], dir.filePath(QStringLiteral("#01.TIF"))}));
    EXPECT_EQ(report.renamed[11].newPath, dir.filePath(QStringLiteral("#12.jpg")));
    EXPECT_EQ(content(QStringLiteral("#05.TIF")), "IMG_104.TIF");
    EXPECT_EQ(names().size(), 12);
    EXPECT_FALSE(names().contains(QStringLiteral("IMG_100.TIF")));
    ASSERT_EQ(progress.size(), 12u);
    EXPECT_EQ(progress.back(), std::make_pair(12, 12));
    // The renamed file keeps its modification time to the nanosecond.
    const auto time = core::modificationTime(dir.filePath(QStringLiteral("#12.jpg")));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->seconds, kShot.toSecsSinceEpoch());
    EXPECT_EQ(time->nanoseconds, 123456789);
}

// When the third of five files keeps its name, the fourth gets the number 3 (and, that name
// being the third file's, " [1]"), while the preview shows 4 for it.
TEST_F(RenameLoop, AFileThatKeepsItsNameDoesNotAdvanceTheCounter) {
    const QStringList paths = {make(QStringLiteral("a.jpg")), make(QStringLiteral("b.jpg")),
                               make(QStringLiteral("x3.jpg")), make(QStringLiteral("d.jpg")),
                               make(QStringLiteral("e.jpg"))};
    const QString pattern = QStringLiteral("x[counter]");
    RenamePreview preview(paths, dating);
    preview.update(pattern);
    EXPECT_EQ(preview.rows()[3].newName, QStringLiteral("x4.jpg"));

    const RenameReport report = renameFiles(paths, pattern, {}, dating);
    EXPECT_EQ(report.unchanged, QStringList{paths[2]});
    ASSERT_EQ(report.renamed.size(), 4u);
    EXPECT_EQ(report.renamed[2],
              (RenamedFile{paths[3], dir.filePath(QStringLiteral("x3 [1].jpg"))}));
    EXPECT_EQ(report.renamed[3].newPath, dir.filePath(QStringLiteral("x4.jpg")));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("x1.jpg"), QStringLiteral("x2.jpg"),
                                    QStringLiteral("x3 [1].jpg"), QStringLiteral("x3.jpg"),
                                    QStringLiteral("x4.jpg")}));
    EXPECT_EQ(content(QStringLiteral("x3.jpg")), "x3.jpg");
    EXPECT_EQ(content(QStringLiteral("x3 [1].jpg")), "d.jpg");
}

// Two files whose names come out the same: the second gets " [1]", and the file that had the name
// before is never replaced.
TEST_F(RenameLoop, ATakenNameIsNeverReplaced) {
    const QString other = make(QStringLiteral("N.jpg"));
    const QStringList paths = {make(QStringLiteral("a.jpg")), make(QStringLiteral("b.jpg"))};
    const RenameReport report = renameFiles(paths, QStringLiteral("N"), {}, dating);
    ASSERT_EQ(report.renamed.size(), 2u);
    EXPECT_EQ(report.renamed[0].newPath, dir.filePath(QStringLiteral("N [1].jpg")));
    EXPECT_EQ(report.renamed[1].newPath, dir.filePath(QStringLiteral("N [2].jpg")));
    EXPECT_EQ(content(QStringLiteral("N.jpg")), "N.jpg");
    EXPECT_EQ(content(QStringLiteral("N [1].jpg")), "a.jpg");
    EXPECT_EQ(content(QStringLiteral("N [2].jpg")), "b.jpg");

    // The rename itself refuses a name that is taken, even one the expansion did not see.
    const QString c = make(QStringLiteral("c.jpg"));
    const core::Status refused = core::renameNoReplace(c, other);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().key, QStringLiteral("ER_NAME_TAKEN"));
    EXPECT_EQ(content(QStringLiteral("N.jpg")), "N.jpg");
    EXPECT_EQ(content(QStringLiteral("c.jpg")), "c.jpg");
    // Nor does it take the place of a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    EXPECT_FALSE(core::renameNoReplace(c, dir.filePath(QStringLiteral("sub"))).ok());
    EXPECT_EQ(content(QStringLiteral("c.jpg")), "c.jpg");
}

// A name that differs only in letter case is left alone; so is a missing file, and an empty
// template renames nothing.
TEST_F(RenameLoop, CaseOnlyChangesMissingFilesAndEmptyTemplatesLeaveNamesAlone) {
    const QString photo = make(QStringLiteral("Photo.jpg"));
    const QString gone = dir.filePath(QStringLiteral("gone.jpg"));
    const RenameReport report = renameFiles({photo, gone}, QStringLiteral("PHOTO"), {}, dating);
    EXPECT_TRUE(report.renamed.empty());
    EXPECT_EQ(report.unchanged, QStringList{photo});
    EXPECT_EQ(report.missing, QStringList{gone});
    EXPECT_EQ(names(), QStringList{QStringLiteral("Photo.jpg")});
    const RenameReport empty = renameFiles({photo}, QStringLiteral("   "), {}, dating);
    EXPECT_TRUE(empty.renamed.empty() && empty.unchanged.isEmpty());
    EXPECT_EQ(names(), QStringList{QStringLiteral("Photo.jpg")});
}

// A file that cannot be renamed (its new path would pass the system's path limit) is asked
// about: yes goes on without using up a number, no stops and leaves the rest alone.
TEST_F(RenameLoop, AFailureAsksWhetherToGoOn) {
    // A folder whose path leaves room for a short name only.
    QString deep = dir.path();
    while (core::encodePath(deep).size() < 3900)
        deep += QLatin1Char('/') + QString(200, u'd');
    deep.truncate(deep.lastIndexOf(u'/'));
    while (core::encodePath(deep).size() < 3990)
        deep += QStringLiteral("/dd");
    ASSERT_TRUE(core::makeFolders(deep));
    const QString stuck = deep + QStringLiteral("/s.jpg");
    {
        QFile f(stuck);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList paths = {make(QStringLiteral("a.jpg")), stuck, make(QStringLiteral("b.jpg")),
                               make(QStringLiteral("c.jpg"))};
    const QString pattern = QStringLiteral("[counter]") + QString(200, u'z');

    core::Language english;
    ASSERT_TRUE(english.load(QStringLiteral(VF_LANGUAGE_FOLDER "/english.lng")));
    core::ScriptedAsker asker({core::kResultYes});
    RenameHooks hooks;
    hooks.goOn = [&](const RenameFailure& f) { return askGoOnAfterFailure(asker, english, f); };
    const RenameReport report = renameFiles(paths, pattern, hooks, dating);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].oldPath, stuck);
    EXPECT_EQ(report.failures[0].why.key, QStringLiteral("ER_CANNOT_RENAME"));
    EXPECT_FALSE(report.stopped);
    ASSERT_EQ(report.renamed.size(), 3u);
    // The failed file used no number: the next file is the second.
    EXPECT_TRUE(report.renamed[1].newPath.endsWith(QStringLiteral("/2") + QString(200, u'z') +
                                                   QStringLiteral(".jpg")));
    EXPECT_TRUE(QFile::exists(stuck));

    ASSERT_EQ(asker.requests().size(), 1u);
    const core::MessageBoxRequest& question = asker.requests()[0];
    EXPECT_EQ(question.title, QStringLiteral("Renaming files"));
    EXPECT_EQ(question.style, core::kButtonsYesNo | core::kIconQuestion);
    EXPECT_TRUE(question.text.startsWith(QStringLiteral("The file ") + stuck +
                                         QStringLiteral(" could not be renamed.")));
    EXPECT_TRUE(
        question.text.contains(QStringLiteral("cannot rename the file: File name too long")))
        << qPrintable(question.text);

    // No: the files after it keep their names.
    const QStringList again = {stuck, make(QStringLiteral("d.jpg"))};
    core::ScriptedAsker no({core::kResultNo});
    hooks.goOn = [&](const RenameFailure& f) { return askGoOnAfterFailure(no, english, f); };
    const RenameReport stopped = renameFiles(again, pattern, hooks, dating);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.renamed.empty());
    EXPECT_TRUE(QFile::exists(again[1]));
}

}  // namespace
