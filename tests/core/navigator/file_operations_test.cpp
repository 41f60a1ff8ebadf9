#include "core/navigator/file_operations.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/navigator/thumbnail_cache.h"
#include "gui_application.h"
#include "navigator/navigator_fixtures.h"

namespace {

using core::TransferKind;
using core::TransferOutcome;

struct Folders : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("from")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("to")));
        from = dir.filePath(QStringLiteral("from"));
        to = dir.filePath(QStringLiteral("to"));
    }
    QString src(const char* name) const { return from + QLatin1Char('/') + QLatin1String(name); }
    QString dst(const char* name) const { return to + QLatin1Char('/') + QLatin1String(name); }
    QTemporaryDir dir;
    QString from, to;
    core::Language texts = [] {
        core::Language l;
        l.setText(QStringLiteral(
            "ALS_NAVPANEL_OVERWRITE_PROMPT=The file %s already exists. Overwrite it?\r\n"
            "ALS_NAVPANEL_CANNOT_MOVE_QUEST=The file %s could not be moved. Go on?"));
        return l;
    }();
};

// Neither a copy nor a move replaces a file of the same name unless replacing was agreed; the
// target then holds the source's bytes and modification time.
TEST_F(Folders, AnExistingTargetIsReplacedOnlyWhenAgreed) {
    const QDateTime old(QDate(2019, 3, 4), QTime(5, 6, 8));
    struct Case {
        TransferKind kind;
        bool replace;
        TransferOutcome expected;
        QByteArray target;
        bool sourceLeft;
    };
    const Case cases[] = {
        {TransferKind::Copy, false, TransferOutcome::TargetExists, "other", true},
        {TransferKind::Move, false, TransferOutcome::TargetExists, "other", true},
        {TransferKind::Copy, true, TransferOutcome::Done, "mine", true},
        {TransferKind::Move, true, TransferOutcome::Done, "mine", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind) * 10 + int(c.replace));
        ASSERT_TRUE(navtest::writeText(src("p.jpg"), "mine"));
        ASSERT_TRUE(navtest::setModified(src("p.jpg"), old));
        ASSERT_TRUE(navtest::writeText(dst("p.jpg"), "other"));
        EXPECT_EQ(core::transferFile(c.kind, src("p.jpg"), to, c.replace), c.expected);
        EXPECT_EQ(navtest::contents(dst("p.jpg")), c.target);
        EXPECT_EQ(QFileInfo::exists(src("p.jpg")), c.sourceLeft);
        if (c.expected == TransferOutcome::Done) {
            EXPECT_EQ(QFileInfo(dst("p.jpg")).lastModified(), old);
        }
        // No partial file is left beside the target.
        EXPECT_EQ(QDir(to).entryList(QDir::Files), QStringList{QStringLiteral("p.jpg")});
    }
    // Into a free name: done, with the time kept.
    ASSERT_TRUE(navtest::writeText(src("q.jpg"), "q"));
    ASSERT_TRUE(navtest::setModified(src("q.jpg"), old));
    EXPECT_EQ(core::transferFile(TransferKind::Copy, src("q.jpg"), to, false),
              TransferOutcome::Done);
    EXPECT_EQ(QFileInfo(dst("q.jpg")).lastModified(), old);
    EXPECT_EQ(core::transferFile(TransferKind::Move, src("q.jpg"), dir.path(), false),
              TransferOutcome::Done);
    EXPECT_EQ(navtest::contents(dir.filePath(QStringLiteral("q.jpg"))), QByteArray("q"));
    EXPECT_FALSE(QFileInfo::exists(src("q.jpg")));
}

// Moving or copying a file onto itself does nothing and loses nothing.
TEST_F(Folders, TheFilesOwnFolderIsNoTarget) {
    ASSERT_TRUE(navtest::writeText(src("p.jpg"), "mine"));
    EXPECT_FALSE(core::isTransferTarget(from, from));
    EXPECT_FALSE(core::isTransferTarget(from + QStringLiteral("/"), from));
    EXPECT_FALSE(core::isTransferTarget(dir.filePath(QStringLiteral("none")), from));
    EXPECT_TRUE(core::isTransferTarget(to, from));
    for (TransferKind kind : {TransferKind::Copy, TransferKind::Move})
        for (bool replace : {false, true})
            EXPECT_EQ(core::transferFile(kind, src("p.jpg"), from, replace),
                      TransferOutcome::SameFile);
    core::ScriptedAsker asker;
    const core::FileOperationReport r =
        core::transferFiles(TransferKind::Move, {src("p.jpg")}, from, asker, texts);
    EXPECT_EQ(r.done, 0);
    EXPECT_TRUE(asker.requests().empty());
    EXPECT_EQ(navtest::contents(src("p.jpg")), QByteArray("mine"));
}

TEST_F(Folders, TheOverwriteQuestionSkipsStopsOrAnswersForTheRest) {
    struct Case {
        std::deque<int> answers;
        QByteArray a, b, c;  // the targets afterwards
        int done, skipped;
        bool stopped;
    };
    const Case cases[] = {
        {{core::kResultNo, core::kResultYes}, "old a", "new b", "new c", 2, 1, false},
        {{core::kResultCancel}, "old a", "old b", "", 0, 0, true},
        {{100}, "new a", "new b", "new c", 3, 0, false},  // "ALS_ALWAYS": asked once
        {{core::kResultNone}, "old a", "old b", "", 0, 0, true},
    };
    for (const Case& c : cases) {
        for (const char* n : {"a.jpg", "b.jpg", "c.jpg"})
            QFile::remove(dst(n));
        ASSERT_TRUE(navtest::writeText(dst("a.jpg"), "old a"));
        ASSERT_TRUE(navtest::writeText(dst("b.jpg"), "old b"));
        for (const char* n : {"a", "b", "c"})
            ASSERT_TRUE(navtest::writeText(from + QStringLiteral("/%1.jpg").arg(QLatin1String(n)),
                                           QByteArray("new ") + n));
        core::ScriptedAsker asker(c.answers);
        int calls = 0;
        const core::FileOperationReport r =
            core::transferFiles(TransferKind::Copy, {src("a.jpg"), src("b.jpg"), src("c.jpg")}, to,
                                asker, texts, [&](int, int) { ++calls; });
        EXPECT_EQ(navtest::contents(dst("a.jpg")), c.a);
        EXPECT_EQ(navtest::contents(dst("b.jpg")), c.b);
        EXPECT_EQ(navtest::contents(dst("c.jpg")), c.c);
        EXPECT_EQ(r.done, c.done);
        EXPECT_EQ(r.skipped, c.skipped);
        EXPECT_EQ(r.stopped, c.stopped);
        EXPECT_EQ(asker.requests().size(), c.answers.size());
        EXPECT_GE(calls, 2);
        if (!asker.requests().empty()) {
            const core::MessageBoxRequest& q = asker.requests().front();
            EXPECT_EQ(q.style, uint32_t(core::kButtonsYesNoCancel | core::kIconQuestion));
            ASSERT_EQ(q.customButtons.size(), 1u);
            EXPECT_EQ(q.customButtons[0].captionKey, QStringLiteral("ALS_ALWAYS"));
            EXPECT_TRUE(q.text.contains(dst("a.jpg")));
        }
    }
}

TEST_F(Folders, AFailedMoveAsksWhetherToGoOn) {
    ASSERT_TRUE(navtest::writeText(src("a.jpg"), "a"));
    ASSERT_TRUE(navtest::writeText(src("b.jpg"), "b"));
    // A folder of the name in the target: the first file cannot go there.
    ASSERT_TRUE(QDir(to).mkdir(QStringLiteral("a.jpg")));
    core::ScriptedAsker asker({core::kResultYes, core::kResultYes});
    const core::FileOperationReport r =
        core::transferFiles(TransferKind::Move, {src("a.jpg"), src("b.jpg")}, to, asker, texts);
    EXPECT_EQ(r.failed, QStringList{src("a.jpg")});
    EXPECT_EQ(r.done, 1);
    EXPECT_TRUE(QFileInfo::exists(src("a.jpg")));
    EXPECT_EQ(navtest::contents(dst("b.jpg")), QByteArray("b"));
    ASSERT_FALSE(asker.requests().empty());
    EXPECT_TRUE(asker.requests().back().text.contains(src("a.jpg")));
}

TEST_F(Folders, DeletingMovesFilesToTheTrash) {
    // The user's own trash stays untouched: the trash of this test lives in its folder.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    // Qt makes the trash only inside an existing data folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    ASSERT_TRUE(navtest::writeText(src("a.jpg"), "a"));
    const core::FileOperationReport r = core::deleteToTrash({src("a.jpg"), src("gone.jpg")});
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(r.done, 1);
    EXPECT_TRUE(r.failed.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(src("a.jpg")));
    const QStringList trashed =
        QDir(dir.filePath(QStringLiteral("data/Trash/files"))).entryList(QDir::Files);
    EXPECT_EQ(trashed, QStringList{QStringLiteral("a.jpg")});
}

// A quarter turn to the right turns the picture, gives it the next packed time and so a new cache
// file; the old cache file stays where it was, unused.
TEST_F(Folders, LosslessTurnChangesThePictureAndItsCacheName) {
    coretest::ensureGuiApplication();
    const QString picture = src("turn.jpg");
    ASSERT_TRUE(navtest::writeJpeg(picture, 64, 48));
    const QDateTime old(QDate(2020, 1, 2), QTime(3, 4, 6));
    ASSERT_TRUE(navtest::setModified(picture, old));
    const core::ThumbnailSettings settings{dir.filePath(QStringLiteral("cache")), true, true};
    const uint32_t before = core::thumbnailCacheKey(picture);
    ASSERT_TRUE(core::loadNavigatorThumbnail(picture, settings).stored);
    const QString oldCache = core::thumbnailCacheFile(settings.cacheFolder, picture, before);

    QString error;
    ASSERT_TRUE(core::rotateFileLossless(picture, 1, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(picture).lastModified(), old.addSecs(2));
    const uint32_t after = core::thumbnailCacheKey(picture);
    EXPECT_EQ(after, before + 1);
    EXPECT_TRUE(QFileInfo::exists(oldCache));
    const core::NavigatorThumbnail turned = core::loadNavigatorThumbnail(picture, settings);
    EXPECT_EQ(turned.source, core::NavigatorThumbnail::Source::Decoded);
    EXPECT_EQ(turned.image.size(), QSize(48, 64));
    // Clockwise: the bottom-left quadrant (blue) is now top-left.
    EXPECT_TRUE(navtest::near(turned.image, 0.25, 0.25, Qt::blue));
    EXPECT_TRUE(navtest::near(turned.image, 0.75, 0.25, Qt::red));

    // And back to the left.
    const core::FileOperationReport back = core::rotateFilesLossless({picture}, 3);
    EXPECT_EQ(back.done, 1);
    QImage shown(picture);
    EXPECT_EQ(shown.size(), QSize(64, 48));
    EXPECT_TRUE(navtest::near(shown, 0.25, 0.25, Qt::red));
    // Not a JPEG: refused, the file unchanged.
    ASSERT_TRUE(navtest::writeText(src("x.txt"), "text"));
    EXPECT_FALSE(core::rotateFileLossless(src("x.txt"), 1));
    EXPECT_EQ(navtest::contents(src("x.txt")), QByteArray("text"));
}

}  // namespace
