// The full-screen preview over the main window: opened in each mode, its keys, the slider steps
// that process the screen copy again, and the crop tab's fitted and real print sizes.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "app/fullscreen/full_screen_form.h"
#include "app/fullscreen/full_screen_view.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/fullscreen/real_size.h"
#include "core/fullscreen/selectable_sliders.h"

namespace apptest {

using core::FullScreenMode;
using core::ShownKind;

class FullScreenTest : public WindowTest {
  protected:
    app::TFullScreenForm* fullScreen() const {
        return form->findChild<app::TFullScreenForm*>(QString(), Qt::FindDirectChildrenOnly);
    }
    // Opens the preview through the command and waits for its first picture.
    app::TFullScreenForm* openAndWait(int cropKind = 0) {
        EXPECT_TRUE(form->openFullScreen(cropKind));
        app::TFullScreenForm* fs = fullScreen();
        EXPECT_NE(fs, nullptr);
        if (!fs) return nullptr;
        waitShown(fs);
        return fs;
    }
    static void waitShown(app::TFullScreenForm* fs) {
        for (int i = 0; i < kWaitMs / 25 && (fs->busy() || !fs->view()->isVisible()); ++i)
            QTest::qWait(25);
        EXPECT_FALSE(fs->busy());
    }
    // Sends a key and waits until what it started is on screen.
    static void key(app::TFullScreenForm* fs, int k,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(fs, static_cast<Qt::Key>(k), modifiers);
        waitShown(fs);
    }
    static bool closes(QPointer<app::TFullScreenForm> fs) {
        for (int i = 0; i < 200 && fs && fs->isVisible(); ++i)
            QTest::qWait(10);
        return !fs || !fs->isVisible();
    }
    void enterTuningOn(const char* sheet) {
        QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
        form->menuRebuildClick();
        ASSERT_TRUE(shown.wait(kWaitMs));
        settle(*form);
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QString::fromLatin1(sheet)));
        settle(*form);
    }
    QAbstractButton* cropButton(const char* name) const {
        return form->ui().pages->control<QAbstractButton>(QString::fromLatin1(name));
    }
    // The first of two pictures of a folder, listed so that stepping has somewhere to go.
    void openFirstOfTwo() {
        const QString folder = data.filePath(QStringLiteral("pictures"));
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(smallPicture(), folder + QStringLiteral("/p1.jpg")));
        ASSERT_TRUE(QFile::copy(samplePicture(), folder + QStringLiteral("/p2.jpg")));
        QSignalSpy listed(form.get(), &app::TMainForm::folderListed);
        QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
        ASSERT_TRUE(form->openScanned(folder + QStringLiteral("/p1.jpg")));
        ASSERT_TRUE(listed.count() > 0 || listed.wait(kWaitMs));
        ASSERT_TRUE(opened.count() > 0 || opened.wait(kWaitMs));
        ASSERT_TRUE(opened.first().first().toBool());
        settle(*form);
    }
    static void expectFitted(app::TFullScreenForm* fs) {
        const QImage& picture = fs->view()->picture();
        ASSERT_FALSE(picture.isNull());
        const QRect view = fs->view()->geometry();
        const QSize panel = fs->findChild<QWidget*>(QStringLiteral("Panel1"))->size();
        // Touches two opposite sides of the panel and keeps the picture's proportion.
        EXPECT_TRUE(view.width() == panel.width() || view.height() == panel.height());
        EXPECT_LE(view.width(), panel.width());
        EXPECT_LE(view.height(), panel.height());
        EXPECT_NEAR(double(view.width()) / view.height(),
                    double(picture.width()) / picture.height(), 0.02);
    }
};

TEST_F(FullScreenTest, TheCommandNeedsAPicture) {
    EXPECT_FALSE(form->openFullScreen(0));
    EXPECT_EQ(fullScreen(), nullptr);
}

TEST_F(FullScreenTest, ViewingModeShowsTheSourceAndEscapeCloses) {
    open(smallPicture());
    QAction* command = form->ui().menu[QStringLiteral("menuFullScreen")];
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    QPointer<app::TFullScreenForm> fs = fullScreen();
    ASSERT_NE(fs, nullptr);
    waitShown(fs);
    EXPECT_EQ(fs->mode(), FullScreenMode::Plain);
    EXPECT_EQ(fs->shownKind(), ShownKind::Source);
    EXPECT_TRUE(fs->isModal());
    EXPECT_EQ(fs->windowTitle(), QStringLiteral("Velmar Filter"));
    EXPECT_EQ(fs->view()->picture().size(),
              QSize(form->document().width(), form->document().height()));
    expectFitted(fs);
    EXPECT_TRUE(fs->view()->toolTip().startsWith(QStringLiteral("File: ")))
        << qPrintable(fs->view()->toolTip());
    EXPECT_FALSE(fs->statusLabel()->isVisible());
    // Only one at a time.
    EXPECT_FALSE(form->openFullScreen(0));
    QTest::keyClick(fs, Qt::Key_Escape);
    EXPECT_TRUE(closes(fs));
}

TEST_F(FullScreenTest, AModifierAloneKeepsItOpenAndEnterCloses) {
    open(smallPicture());
    QPointer<app::TFullScreenForm> fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt})
        QTest::keyClick(fs, k);
    QTest::keyClick(fs, Qt::Key_X, Qt::ShiftModifier);
    QTest::qWait(20);
    ASSERT_TRUE(fs);
    EXPECT_TRUE(fs->isVisible());
    QTest::keyClick(fs, Qt::Key_Return);
    EXPECT_TRUE(closes(fs));
}

TEST_F(FullScreenTest, SpaceAndBackspaceStepThroughTheFolder) {
    openFirstOfTwo();
    QPointer<app::TFullScreenForm> fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    EXPECT_TRUE(fs->view()->toolTip().contains(
        language.lookup(QStringLiteral("ALS_FRM_FS_KEYS_PREVNEXT"))));
    const QSize first = fs->view()->picture().size();
    key(fs, Qt::Key_Space);
    EXPECT_TRUE(form->document().fileName().endsWith(QStringLiteral("p2.jpg")))
        << qPrintable(form->document().fileName());
    EXPECT_EQ(fs->shownKind(), ShownKind::Source);
    EXPECT_EQ(fs->view()->picture().size(),
              QSize(form->document().width(), form->document().height()));
    EXPECT_NE(fs->view()->picture().size(), first);
    key(fs, Qt::Key_Backspace);
    EXPECT_TRUE(form->document().fileName().endsWith(QStringLiteral("p1.jpg")));
    EXPECT_EQ(fs->view()->picture().size(), first);
    // Without a result nothing was asked.
    EXPECT_TRUE(asker.requests().empty());
    ASSERT_TRUE(fs);
    EXPECT_TRUE(fs->isVisible());
}

TEST_F(FullScreenTest, CtrlRAndCtrlLTurnThePicture) {
    open(smallPicture());
    const int w = form->document().width(), h = form->document().height();
    ASSERT_NE(w, h);
    app::TFullScreenForm* fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    key(fs, Qt::Key_R, Qt::ControlModifier);
    settle(*form);
    EXPECT_EQ(form->document().rotation(), 1);
    EXPECT_EQ(fs->view()->picture().size(), QSize(h, w));
    expectFitted(fs);
    key(fs, Qt::Key_L, Qt::ControlModifier);
    settle(*form);
    EXPECT_EQ(form->document().rotation(), 0);
    EXPECT_EQ(fs->view()->picture().size(), QSize(w, h));
    EXPECT_TRUE(fs->isVisible());
}

TEST_F(FullScreenTest, ColoursTabProcessesTheScreenCopyOncePerPageKey) {
    open(smallPicture());
    enterTuningOn("tsColor");
    QSlider* saturation = form->ui().pages->slider(15);
    ASSERT_NE(saturation, nullptr);
    form->activateWindow();
    saturation->setFocus();
    ASSERT_EQ(form->focusWidget(), saturation);
    const int before = saturation->value();
    app::TFullScreenForm* fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->mode(), FullScreenMode::Adjust);
    EXPECT_EQ(fs->shownKind(), ShownKind::Result);
    ASSERT_TRUE(fs->selectedSlider().has_value());
    EXPECT_EQ(fs->selectedSlider()->number, 15);
    EXPECT_EQ(fs->adjustmentRuns(), 1);
    EXPECT_FALSE(fs->view()->picture().isNull());
    const QString saturationText = language.lookup(QStringLiteral("ALS_SATURATION"));
    EXPECT_TRUE(fs->view()->toolTip().contains(saturationText));

    key(fs, Qt::Key_PageUp);
    const int step = core::sliderPageStep(saturation->minimum(), saturation->maximum());
    EXPECT_EQ(saturation->value(), std::min(before + step, saturation->maximum()));
    EXPECT_EQ(fs->adjustmentRuns(), 2);
    EXPECT_TRUE(fs->view()->toolTip().contains(QStringLiteral("(=%1)").arg(
        core::sliderValueText(15, saturation->value(), form->ui().pages->valueLabel(15)->text()))))
        << qPrintable(fs->view()->toolTip());
    key(fs, Qt::Key_PageDown);
    EXPECT_EQ(saturation->value(), before);
    EXPECT_EQ(fs->adjustmentRuns(), 3);
    // With Ctrl the copy is processed again, the slider stays.
    key(fs, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(saturation->value(), before);
    EXPECT_EQ(fs->adjustmentRuns(), 4);
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(FullScreenTest, APageKeyWithoutASelectedSliderOnlyExplains) {
    open(smallPicture());
    enterTuningOn("tsDistortions");
    form->activateWindow();
    form->ui().pages->setFocus();
    app::TFullScreenForm* fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->mode(), FullScreenMode::Distortion);
    EXPECT_FALSE(fs->selectedSlider().has_value());
    const int runs = fs->adjustmentRuns();
    key(fs, Qt::Key_PageUp);
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text, language.lookup(QStringLiteral("ALS_FRM_FS_SELECT")));
    EXPECT_EQ(fs->adjustmentRuns(), runs);
    EXPECT_TRUE(fs->isVisible());
}

TEST_F(FullScreenTest, CropTabShowsTheCroppedPictureFitted) {
    open(smallPicture());
    enterTuningOn("tsCrop");
    ASSERT_FALSE(cropButton("sbRealCrop")->isEnabled());  // the crop is off
    cropButton("cbEnableCrop")->click();
    settle(*form);
    EXPECT_TRUE(cropButton("sbRealCrop")->isEnabled());
    QPointer<app::TFullScreenForm> fs = openAndWait(0);
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->mode(), FullScreenMode::Crop);
    EXPECT_EQ(fs->cropKind(), core::CropDisplayKind::Fit);
    EXPECT_EQ(fs->shownKind(), ShownKind::Source);
    expectFitted(fs);
    // The crop frame's proportion, 3:2 for paper row 0.
    const QImage& picture = fs->view()->picture();
    EXPECT_NEAR(double(picture.width()) / picture.height(), 1.5, 0.02);
    // In the crop mode the page keys close like any other key.
    QTest::keyClick(fs, Qt::Key_PageUp);
    EXPECT_TRUE(closes(fs));
}

TEST_F(FullScreenTest, RealSizeShowsThePrintAtItsSizeOnThisScreen) {
    open(smallPicture());
    enterTuningOn("tsCrop");
    cropButton("cbEnableCrop")->click();
    auto* paper = form->ui().pages->control<QComboBox>(QStringLiteral("cmbPaperResize"));
    ASSERT_NE(paper, nullptr);
    paper->setCurrentIndex(2);
    emit paper->activated(2);
    settle(*form);
    ASSERT_EQ(form->tuning().crop.CropTargetWidth, 1800);
    ASSERT_EQ(form->tuning().crop.CropTargetHeight, 1200);
    cropButton("sbRealCrop")->click();
    app::TFullScreenForm* fs = fullScreen();
    ASSERT_NE(fs, nullptr);
    waitShown(fs);
    EXPECT_EQ(fs->cropKind(), core::CropDisplayKind::RealSize);
    const QScreen* screen = fs->screen();
    const double ppi = core::screenPixelsPerInch(
        screen->geometry().width(), screen->physicalSize().width(), screen->logicalDotsPerInchX());
    const int expectedWidth = static_cast<int>(std::lround(1800 * ppi / 300));
    EXPECT_EQ(fs->view()->picture().width(), expectedWidth);
    EXPECT_EQ(fs->view()->width(), expectedWidth);
    // Centred in the panel.
    const QWidget* panel = fs->findChild<QWidget*>(QStringLiteral("Panel1"));
    if (expectedWidth <= panel->width()) {
        EXPECT_EQ(fs->view()->x(), (panel->width() - expectedWidth) / 2);
    }
    QPointer<app::TFullScreenForm> closing = fs;
    QTest::keyClick(fs, Qt::Key_Escape);
    ASSERT_TRUE(closes(closing));
    QTest::qWait(20);  // the closed window is deleted
    settle(*form);

    // Enter opens it directly, with the kind last chosen.
    form->activateWindow();
    form->ui().pages->setFocus();
    form->ui().menu[QStringLiteral("menuKeyReturn")]->trigger();
    app::TFullScreenForm* again = fullScreen();
    ASSERT_NE(again, nullptr);
    waitShown(again);
    EXPECT_EQ(again->cropKind(), core::CropDisplayKind::RealSize);
    EXPECT_EQ(again->view()->width(), expectedWidth);
}

TEST_F(FullScreenTest, RealSizeOnAScreenWithoutPhysicalSizeUsesTheLogicalResolution) {
    open(smallPicture());
    enterTuningOn("tsCrop");
    cropButton("cbEnableCrop")->click();
    auto* paper = form->ui().pages->control<QComboBox>(QStringLiteral("cmbPaperResize"));
    paper->setCurrentIndex(2);
    emit paper->activated(2);
    settle(*form);
    // A virtual screen: 0 mm across.
    auto* fs = new app::TFullScreenForm(*form, core::CropDisplayKind::RealSize);
    fs->setAttribute(Qt::WA_DeleteOnClose);
    core::ScreenMetrics metrics;
    metrics.pixelsWide = 1600;
    metrics.pixelsHigh = 1200;
    metrics.logicalDpiX = 96;
    metrics.logicalDpiY = 96;
    fs->setScreenMetrics(metrics);
    fs->show();
    waitShown(fs);
    EXPECT_EQ(fs->view()->picture().size(), QSize(576, 384));
    fs->close();
}

TEST_F(FullScreenTest, WithAResultSteppingAsksFirstAndTheMouseComparesWithTheSource) {
    openFirstOfTwo();
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();  // into the tuning view
    settle(*form);
    form->menuRebuildClick();  // the full run
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_TRUE(form->document().hasOutput());
    settle(*form);
    app::TFullScreenForm* fs = openAndWait();
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->shownKind(), ShownKind::Result);
    EXPECT_TRUE(
        fs->view()->toolTip().contains(language.lookup(QStringLiteral("ALS_FRM_FS_KEYS_COMPARE"))));
    const QImage result = fs->view()->picture();

    // The left button shows the source while it is held; the kind shown stays the result.
    QTest::mousePress(fs->view(), Qt::LeftButton);
    waitShown(fs);
    EXPECT_EQ(fs->shownKind(), ShownKind::Result);
    EXPECT_NE(fs->view()->picture().cacheKey(), result.cacheKey());
    // No key acts while the button is down.
    QTest::keyClick(fs, Qt::Key_Escape);
    EXPECT_TRUE(fs->isVisible());
    QTest::mouseRelease(fs->view(), Qt::LeftButton);
    waitShown(fs);
    EXPECT_EQ(fs->view()->picture().size(), result.size());

    // No keeps the picture.
    asker.answer(core::kResultNo);
    key(fs, Qt::Key_Space);
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text,
              language.lookup(QStringLiteral("ALS_FRM_FS_REPLACE_QUEST")));
    EXPECT_TRUE(form->document().fileName().endsWith(QStringLiteral("p1.jpg")));
    EXPECT_EQ(fs->shownKind(), ShownKind::Result);
    EXPECT_TRUE(fs->isVisible());
}

}  // namespace apptest
