// The whole loop of the program window: open, tune with a live preview, run in full, save, abort,
// refuse commands while busy, close with the stored files written.
#include <QCheckBox>
#include <QFileInfo>
#include <QSettings>
#include <QSlider>
#include <QTest>

#include "app_fixture.h"
#include "core/main/program_registry.h"
#include "core/main/start_stage.h"
#include "core/preview/run_result.h"

namespace apptest {

TEST_F(WindowTest, OpeningShowsTheSourceAndItsDetectedNoise) {
    open(samplePicture());
    EXPECT_EQ(form->document().width(), 2560);
    EXPECT_FALSE(form->ui().imageSource->picture().isNull());
    EXPECT_FALSE(form->ui().imgFullSrc->picture().isNull());
    EXPECT_GT(form->tuning().detected.midtones, 0);
    // The noise slider shows the detected level at the default factor.
    EXPECT_EQ(form->ui().pages->slider(1)->value(), form->tuning().detected.midtones);
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("sample.jpg")));
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(WindowTest, AMissingFileIsReportedAndLeavesNoPicture) {
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    ASSERT_TRUE(form->openFile(data.filePath(QStringLiteral("no such picture.jpg"))));
    ASSERT_TRUE(opened.wait(kWaitMs));
    EXPECT_FALSE(opened.first().first().toBool());
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_TRUE(asker.requests()[0].text.contains(QStringLiteral("no such picture.jpg")));
    EXPECT_FALSE(form->document().isOpen());
}

TEST_F(WindowTest, MovingASliderInTheTuningModeProducesExactlyOnePreview) {
    open(samplePicture());
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    form->menuRebuildClick();  // viewing -> tuning
    ASSERT_TRUE(form->tuningMode());
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    const int before = shown.count();
    EXPECT_FALSE(form->ui().imagePreviewOutput->picture().isNull());
    // The preview shows the region of the source the pane holds at the zoom.
    EXPECT_EQ(form->ui().imagePreviewSource->picture().width(), form->previewRegion().width);

    QSlider* radius = form->ui().pages->slider(1);
    radius->setFocus();
    radius->setValue(radius->value() + 5);  // a change without the mouse button held
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    QTest::qWait(600);  // one more tick of the scheduler: nothing else may follow
    EXPECT_EQ(shown.count(), before + 1);
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(WindowTest, AFullRunAndASaveWriteTheResultUnderTheProposedName) {
    open(smallPicture());
    form->menuRebuildClick();
    settle(*form);  // the full run is refused while the preview runs
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();  // tuning -> the full run
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
    EXPECT_FALSE(form->tuningMode());
    EXPECT_FALSE(form->ui().imageOutput->picture().isNull());
    EXPECT_TRUE(form->document().hasUnsavedResult());

    // A cancelled save keeps the question for later.
    form->menuSaveClick();
    EXPECT_EQ(files.saveAsked, 1);
    EXPECT_TRUE(files.proposedPath.endsWith(QStringLiteral("cups-noisy-crop_dnr")));
    EXPECT_TRUE(form->document().hasUnsavedResult());

    files.saveAnswer = data.filePath(QStringLiteral("cups-noisy-crop_dnr"));
    QSignalSpy saved(form.get(), &app::TMainForm::saveEnded);
    form->menuSaveClick();
    ASSERT_TRUE(saved.wait(kWaitMs));
    EXPECT_TRUE(saved.first().first().toBool());
    EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("cups-noisy-crop_dnr.JPG"))));
    EXPECT_FALSE(form->document().hasUnsavedResult());
    EXPECT_TRUE(asker.requests().empty());
}

// The frame is drawn on the output and on the source's view alike, so that both views line up.
TEST_F(WindowTest, AFullRunWithAFrameShowsTheSourceWithTheSameFrame) {
    open(smallPicture());
    const QImage plain = form->ui().imageSource->picture();
    form->ui().pages->control<QCheckBox>(QStringLiteral("cbEnableFrame"))->click();
    form->menuRebuildClick();
    settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
    const QImage output = form->ui().imageOutput->picture();
    const QImage source = form->ui().imageSource->picture();
    EXPECT_EQ(source.size(), output.size());
    // The corner holds the frame's colour (white by default) in both, not the photograph.
    EXPECT_EQ(output.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(source.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_NE(plain.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(WindowTest, AbortAnsweredYesLeavesNoOutputAndNoMessage) {
    open(samplePicture());
    form->menuRebuildClick();
    settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(form->busy());

    // Every command that touches the picture is refused meanwhile.
    EXPECT_FALSE(form->openFile(smallPicture()));
    form->menuSaveClick();
    form->menuOpenClick();
    form->menuRotateClick(1);
    EXPECT_EQ(files.saveAsked, 0);
    EXPECT_EQ(files.openAsked, 0);
    EXPECT_EQ(form->document().rotation(), 0);

    asker.answer(core::kResultYes);
    form->menuAbortClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Aborted);
    ASSERT_EQ(asker.requests().size(), 1u);  // the question, and no message after it
    EXPECT_EQ(asker.requests()[0].style & 0xF, core::kButtonsYesNo);
    EXPECT_TRUE(form->ui().imageOutput->picture().isNull());
    EXPECT_FALSE(form->document().hasOutput());
    EXPECT_FALSE(form->document().hasUnsavedResult());
    EXPECT_FALSE(form->busy());
}

TEST_F(WindowTest, ClosingWritesTheStoredRecordsAndANormalClose) {
    core::RegistryKey key = core::programRegistryKey(iniFile());
    ASSERT_TRUE(core::openProgramKey(key, QStringLiteral(VF_BUILD_FOLDER), QDate::currentDate()));
    EXPECT_EQ(key.readInt(QString::fromLatin1(core::kValueNormalClose), -1), 0);
    open(smallPicture());
    form->ui().pages->slider(9)->setValue(130);  // contrast +30
    form->close();
    EXPECT_EQ(key.readInt(QString::fromLatin1(core::kValueNormalClose), -1), 1);
    EXPECT_EQ(key.readString(QString::fromLatin1(core::kValueLastFile), {}), smallPicture());
    // The next start finds the settings, the options and the last folder again.
    const core::StartRecords records =
        core::loadStartRecords(core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()));
    EXPECT_TRUE(records.settingsFromFile);
    EXPECT_TRUE(records.optionsFromFile);
    EXPECT_EQ(records.settings.Contrast, 30);
    form = makeForm();
    form->menuOpenClick();
    EXPECT_EQ(files.openFolder, QFileInfo(smallPicture()).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("vr.dat"))));
    EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("vri.dat"))));
}

TEST_F(WindowTest, AnUnsavedResultAsksBeforeClosingAndCancelKeepsTheWindow) {
    open(smallPicture());
    form->menuRebuildClick();
    settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    asker.answer(core::kResultCancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].style & 0xF, core::kButtonsYesNoCancel);
    // No answers the question and the program closes without saving.
    asker.answer(core::kResultNo);
    EXPECT_TRUE(form->close());
}

}  // namespace apptest
