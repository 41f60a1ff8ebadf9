// Previous / next through the folder of an opened picture, the merge of two exposures and its
// undo, in the program window.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "app_fixture.h"
#include "core/main/program_registry.h"
#include "imaging/imaging.h"

namespace apptest {

namespace {

QString testData(const char* relative) {
    return QStringLiteral(VF_TEST_DATA "/") + QLatin1String(relative);
}

class FolderWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        folder = data.filePath(QStringLiteral("pictures"));
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    void copyIn(const QString& from, const char* name) {
        ASSERT_TRUE(QFile::copy(from, folder + QLatin1Char('/') + QLatin1String(name)))
            << qPrintable(from);
    }
    QString in(const char* name) const { return folder + QLatin1Char('/') + QLatin1String(name); }
    // Triggers the menu command and waits for the picture it opens.
    void stepAndWait(const char* command) {
        QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
        QAction* action = form->ui().menu[QLatin1String(command)];
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        ASSERT_TRUE(opened.wait(kWaitMs));
        ASSERT_TRUE(opened.first().first().toBool());
    }
    QString shownName() const { return QFileInfo(form->document().fileName()).fileName(); }
    // The program's stored values exist, so that the window may write into them.
    void createRegistryKey() {
        core::RegistryKey key = core::programRegistryKey(iniFile());
        ASSERT_TRUE(key.create({{QStringLiteral("openFolder"), data.path()}}));
    }

    QString folder;
};

TEST_F(FolderWindowTest, PreviousAndNextStepThroughAFolderOfMixedPicturesAndWrap) {
    createRegistryKey();
    copyIn(testData("cups-noisy-crop.jpg"), "b2.jpg");
    copyIn(testData("imaging/pngsuite/basn2c16.png"), "B10.png");
    copyIn(testData("imaging/pngsuite/basn2c08.png"), "a1.png");
    copyIn(testData("cups-noisy-crop.jpg"), "Thumbs.db");
    ASSERT_TRUE(QFile(in("notes.txt")).open(QIODevice::WriteOnly));

    files.openAnswer = in("b2.jpg");
    QSignalSpy listed(form.get(), &app::TMainForm::folderListed);
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    form->menuOpenClick();
    ASSERT_TRUE(opened.wait(kWaitMs));
    ASSERT_EQ(listed.count(), 1);
    EXPECT_EQ(form->folderListing().files,
              QStringList({in("a1.png"), in("b2.jpg"), in("B10.png")}));
    EXPECT_EQ(form->folderListing().current, 1);
    EXPECT_EQ(core::programRegistryKey(iniFile()).readString(QStringLiteral("openFolder"), {}),
              QFileInfo(folder).absoluteFilePath());

    stepAndWait("menuNext");
    EXPECT_EQ(shownName(), QStringLiteral("B10.png"));
    EXPECT_TRUE(form->document().is16Bit());
    stepAndWait("menuNext");  // the last wraps to the first
    EXPECT_EQ(shownName(), QStringLiteral("a1.png"));
    stepAndWait("menuPrev");  // the first wraps to the last
    EXPECT_EQ(shownName(), QStringLiteral("B10.png"));
    stepAndWait("menuPrev");
    EXPECT_EQ(shownName(), QStringLiteral("b2.jpg"));
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(FolderWindowTest, AnUnsavedResultIsAskedForBeforeTheNextPictureAndCancelStays) {
    copyIn(testData("cups-noisy-crop.jpg"), "one.jpg");
    copyIn(testData("imaging/pngsuite/basn2c08.png"), "two.png");
    files.openAnswer = in("one.jpg");
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    form->menuOpenClick();
    ASSERT_TRUE(opened.wait(kWaitMs));
    form->menuRebuildClick();
    for (int i = 0; i < 400 && (form->scheduler().running() || form->scheduler().restartPending() ||
                                form->scheduler().requestPending());
         ++i)
        QTest::qWait(25);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_TRUE(form->document().hasUnsavedResult());

    asker.answer(core::kResultCancel);
    form->menuNextClick();
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].style & 0xF, core::kButtonsYesNoCancel);
    EXPECT_FALSE(form->busy());
    EXPECT_EQ(shownName(), QStringLiteral("one.jpg"));
    EXPECT_TRUE(form->document().hasUnsavedResult());

    // Yes with the save dialog cancelled: nothing was saved, so the result stays.
    asker.answer(core::kResultYes);
    form->menuNextClick();
    EXPECT_EQ(files.saveAsked, 1);
    EXPECT_EQ(shownName(), QStringLiteral("one.jpg"));
    EXPECT_TRUE(form->document().hasUnsavedResult());

    // Yes and a save: the result is written, then the next picture opens.
    asker.answer(core::kResultYes);
    files.saveAnswer = data.filePath(QStringLiteral("one_dnr"));
    stepAndWait("menuNext");
    EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("one_dnr.JPG"))));
    EXPECT_EQ(shownName(), QStringLiteral("two.png"));
}

TEST_F(FolderWindowTest, MergingAPictureOfAnotherSizeIsRefusedAndLeavesThePicture) {
    open(smallPicture());
    const QImage before = form->ui().imageSource->picture();
    asker.answer(core::kResultOk);  // the notice
    files.openAnswer = testData("imaging/pngsuite/basn2c08.png");
    QSignalSpy ended(form.get(), &app::TMainForm::mergeEnded);
    form->menuMergeImagesClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_FALSE(ended.first().first().toBool());
    ASSERT_EQ(asker.requests().size(), 2u);
    EXPECT_TRUE(
        asker.requests()[0].text.contains(language.message(QStringLiteral("ALS_SHADWMASTER_2"))));
    EXPECT_TRUE(asker.requests()[1].text.startsWith(
        language.message(QStringLiteral("ALS_MERGE_IMAGE_ERROR"))))
        << qPrintable(asker.requests()[1].text);
    EXPECT_TRUE(form->document().isOpen());
    EXPECT_EQ(form->ui().imageSource->picture(), before);
    EXPECT_EQ(form->document().displayImage(core::ImageSlot::Source), before);
    EXPECT_FALSE(form->undoAvailable());
    EXPECT_FALSE(form->ui().menu[QStringLiteral("menuUndo")]->isEnabled());
    // The command itself shows only in expert mode.
    QAction* merge = form->ui().menu[QStringLiteral("menuMergeImages")];
    form->menuExpertModeClick(false);
    EXPECT_FALSE(merge->isVisible());
    form->menuExpertModeClick(true);
    EXPECT_TRUE(merge->isVisible());
    EXPECT_TRUE(merge->isEnabled());
}

TEST_F(FolderWindowTest, MergeThenUndoRestoresTheEarlierPicture) {
    createRegistryKey();
    open(smallPicture());  // 320 x 200
    const QImage before = form->ui().imageSource->picture();
    // The second exposure: the same scene, turned upside down, so that the merge shows.
    const QImage other = before.mirrored(true, true);
    ASSERT_EQ(other.size(), QSize(320, 200));
    const QString second = data.filePath(QStringLiteral("second.png"));
    ASSERT_TRUE(other.save(second));

    asker.answer(7);  // do not show the notice again
    files.openAnswer = second;
    QSignalSpy merged(form.get(), &app::TMainForm::mergeEnded);
    form->menuMergeImagesClick();
    ASSERT_TRUE(merged.wait(kWaitMs));
    ASSERT_TRUE(merged.first().first().toBool())
        << (asker.requests().size() > 1 ? qPrintable(asker.requests()[1].text) : "");
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(core::programRegistryKey(iniFile()).readInt(QStringLiteral("Ask_shadow_master"), 1),
              0);
    EXPECT_NE(form->ui().imageSource->picture(), before);
    EXPECT_EQ(form->ui().imageSource->picture().size(), before.size());
    EXPECT_TRUE(form->undoAvailable());
    QAction* undo = form->ui().menu[QStringLiteral("menuUndo")];
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));

    QSignalSpy undone(form.get(), &app::TMainForm::undoEnded);
    undo->trigger();
    ASSERT_TRUE(undone.wait(kWaitMs));
    EXPECT_TRUE(undone.first().first().toBool());
    EXPECT_EQ(form->ui().imageSource->picture(), before);
    EXPECT_EQ(form->document().displayImage(core::ImageSlot::Source), before);
    EXPECT_FALSE(form->undoAvailable());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("temp/undoBuf.dat"))));

    // The notice is not shown again.
    files.openAnswer = second;
    QSignalSpy again(form.get(), &app::TMainForm::mergeEnded);
    form->menuMergeImagesClick();
    ASSERT_TRUE(again.wait(kWaitMs));
    EXPECT_TRUE(again.first().first().toBool());
    EXPECT_EQ(asker.requests().size(), 1u);
}

TEST_F(FolderWindowTest, ARecentFolderOpensItsFirstPictureOrTheDialogInIt) {
    copyIn(testData("imaging/pngsuite/basn2c08.png"), "z 10.png");
    copyIn(testData("cups-noisy-crop.jpg"), "z 9.jpg");
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    ASSERT_TRUE(form->openFolder(folder));
    ASSERT_TRUE(opened.wait(kWaitMs));
    EXPECT_EQ(form->document().fileName(), in("z 9.jpg"));
    EXPECT_EQ(form->folderListing().current, 0);
    EXPECT_EQ(files.openAsked, 0);

    const QString empty = data.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    QSignalSpy listed(form.get(), &app::TMainForm::folderListed);
    ASSERT_TRUE(form->openFolder(empty));
    ASSERT_TRUE(listed.wait(kWaitMs));
    EXPECT_EQ(files.openAsked, 1);  // cancelled: the picture stays
    EXPECT_EQ(files.openFolder, empty);
    EXPECT_TRUE(form->document().isOpen());

    EXPECT_FALSE(form->openFolder(data.filePath(QStringLiteral("gone"))));
}

TEST_F(FolderWindowTest, DemoOpensTheSampleInItsFolderAndReopenReadsTheFileAgain) {
    open(smallPicture());
    stepAndWait("menuDemo");
    EXPECT_EQ(form->document().fileName(), samplePicture());
    ASSERT_GE(form->folderListing().current, 0);
    EXPECT_EQ(form->folderListing().files[form->folderListing().current], samplePicture());
    stepAndWait("menuReopen");
    EXPECT_EQ(form->document().fileName(), samplePicture());
    EXPECT_TRUE(asker.requests().empty());
}

// A listed picture that cannot be opened asks whether to go on: OK opens the next one in the
// direction of travel, Cancel closes the picture.
TEST_F(FolderWindowTest, APictureThatFailsToOpenAsksToGoOnWithTheNext) {
    copyIn(testData("cups-noisy-crop.jpg"), "a.jpg");
    copyIn(testData("imaging/pngsuite/basn2c08.png"), "c.png");
    {
        // Its header is whole, so it is listed; its picture data is cut short.
        QFile whole(testData("cups-noisy-crop.jpg"));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        QFile cut(in("b.jpg"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(whole.size() * 9 / 10));
    }
    files.openAnswer = in("a.jpg");
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    form->menuOpenClick();
    ASSERT_TRUE(opened.wait(kWaitMs));
    ASSERT_EQ(form->folderListing().files.size(), 3);
    opened.clear();

    asker.answer(core::kResultOk);
    form->menuNextClick();
    while (opened.count() < 2 && opened.wait(kWaitMs)) {
    }
    ASSERT_EQ(opened.count(), 2);
    EXPECT_FALSE(opened[0][0].toBool());
    EXPECT_TRUE(opened[1][0].toBool());
    EXPECT_EQ(shownName(), QStringLiteral("c.png"));
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].style & 0xF, core::kButtonsOkCancel);
    EXPECT_TRUE(asker.requests()[0].text.endsWith(
        QLatin1Char('\n') + language.message(QStringLiteral("ER_SRC_LOADING_END"))))
        << qPrintable(asker.requests()[0].text);

    opened.clear();
    asker.answer(core::kResultCancel);
    form->menuPrevClick();
    ASSERT_TRUE(opened.wait(kWaitMs));
    EXPECT_FALSE(opened[0][0].toBool());
    EXPECT_EQ(asker.requests().size(), 2u);
    EXPECT_FALSE(form->document().isOpen());
}

}  // namespace

}  // namespace apptest
