// The main window's commands: enabling with and without a picture and while busy, the keys that
// must reach edit boxes, the work bar's clicks and the wheel.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "app/main/main_form_commands.h"
#include "app/main/step_bar.h"
#include "app_fixture.h"
#include "core/preview/run_result.h"

namespace apptest {

namespace {

using S = core::StepState;

}  // namespace

class CommandsTest : public WindowTest {
  protected:
    QAction* action(const char* name) const {
        QAction* a = form->ui().menu[QString::fromLatin1(name)];
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    bool enabled(const char* name) const {
        QAction* a = action(name);
        return a && a->isEnabled();
    }
    QToolButton* toolButton(const char* name) const {
        return form->commands()->toolBars()[QString::fromLatin1(name)];
    }
    app::StepButton* step(core::Step s) const { return form->commands()->stepBar()->button(s); }
    void click(core::Step s) { QTest::mouseClick(step(s), Qt::LeftButton); }
    // Opens the first of `count` pictures of a folder, the way the open command does, so that
    // the folder listing gives previous and next their files.
    void openFirstOf(int count) {
        const QString folder = data.filePath(QStringLiteral("pictures"));
        ASSERT_TRUE(QDir().mkpath(folder));
        for (int i = 1; i <= count; ++i)
            ASSERT_TRUE(QFile::copy(smallPicture(), folder + QStringLiteral("/p%1.jpg").arg(i)));
        QSignalSpy listed(form.get(), &app::TMainForm::folderListed);
        QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
        ASSERT_TRUE(form->openScanned(folder + QStringLiteral("/p1.jpg")));
        ASSERT_TRUE(listed.count() > 0 || listed.wait(kWaitMs));
        ASSERT_TRUE(opened.count() > 0 || opened.wait(kWaitMs));
        ASSERT_TRUE(opened.first().first().toBool());
    }
};

TEST_F(CommandsTest, WithoutAPictureOnlyOpeningCommandsAreOffered) {
    EXPECT_TRUE(enabled("menuOpen"));
    EXPECT_TRUE(enabled("menuDemo"));
    for (const char* name :
         {"menuSave", "menuRebuild", "menuResetOptions", "menuRotateCW", "menuReopen", "menuPrev",
          "menuNext", "menuMergeImages", "menuScaleMore", "menuUndo", "menuFullScreen"})
        EXPECT_FALSE(enabled(name)) << name;
    ASSERT_NE(toolButton("tbRotateLeft"), nullptr);
    EXPECT_FALSE(toolButton("tbRotateLeft")->isEnabled());
    EXPECT_FALSE(toolButton("tbResetOptions")->isEnabled());
}

TEST_F(CommandsTest, APictureEnablesItsCommandsAndTheButtonsFollow) {
    open(samplePicture());
    for (const char* name : {"menuSave", "menuRebuild", "menuResetOptions", "menuRotateCW",
                             "menuRotateCCW", "menuReopen", "menuScaleMore", "menuClose"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_TRUE(toolButton("tbRotateLeft")->isEnabled());
    EXPECT_TRUE(toolButton("tbZoomIn")->isEnabled());
    // Previous and next need a second file in the folder listing.
    EXPECT_FALSE(enabled("menuNext"));
    form->menuCloseClick();
    openFirstOf(2);
    EXPECT_TRUE(enabled("menuNext"));
    EXPECT_TRUE(toolButton("tbImgDown")->isEnabled());
    // The full-screen preview of the viewing mode needs only the picture.
    EXPECT_TRUE(enabled("menuFullScreen"));
    EXPECT_TRUE(toolButton("tbFullScreen")->isEnabled());

    // The text tab of the tuning mode takes away rotation and zoom.
    form->menuRebuildClick();
    settle(*form);
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsText")));
    settle(*form);
    EXPECT_FALSE(enabled("menuRotateCW"));
    EXPECT_FALSE(enabled("menuScaleMore"));
    EXPECT_TRUE(enabled("menuExpertMode"));
    // The text tab has no full-screen view; the colours tab has.
    EXPECT_FALSE(enabled("menuFullScreen"));
    EXPECT_FALSE(toolButton("tbFullScreen")->isEnabled());
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsColor")));
    settle(*form);
    EXPECT_TRUE(enabled("menuFullScreen"));
}

TEST_F(CommandsTest, BusyDisablesThePictureCommandsAndEnablesAbort) {
    open(samplePicture());
    form->menuRebuildClick();
    settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(form->busy());
    for (const char* name : {"menuOpen", "menuSave", "menuRebuild", "menuRotateCW", "menuClose",
                             "menuResetOptions", "menuCopy"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("menuAbort"));
    EXPECT_FALSE(toolButton("tbRotateRight")->isEnabled());
    // The work bar shows the run and refuses clicks meanwhile.
    EXPECT_EQ(step(core::Step::Open)->state(), S::Locked);
    EXPECT_EQ(step(core::Step::Process)->state(), S::Current);
    click(core::Step::Open);
    EXPECT_EQ(files.openAsked, 0);

    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_TRUE(enabled("menuOpen"));
    EXPECT_TRUE(enabled("menuSave"));
    EXPECT_FALSE(enabled("menuAbort"));
    EXPECT_EQ(step(core::Step::Save)->state(), S::Suggested);
}

TEST_F(CommandsTest, SpaceInTheCaptionBoxTypesABlank) {
    openFirstOf(3);
    QSignalSpy next(action("menuNext"), &QAction::triggered);
    form->menuRebuildClick();
    settle(*form);
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsText")));
    settle(*form);
    auto* caption = form->ui().pages->control<QLineEdit>(QStringLiteral("editTextCaption"));
    ASSERT_NE(caption, nullptr);
    // Short-cuts reach only the active window.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    caption->setFocus();
    ASSERT_TRUE(caption->hasFocus());
    QTest::keyClicks(caption, QStringLiteral("a"));
    QTest::keyClick(caption, Qt::Key_Space);
    QTest::keyClicks(caption, QStringLiteral("b"));
    EXPECT_EQ(caption->text(), QStringLiteral("a b"));
    QTest::keyClick(caption, Qt::Key_Backspace);
    EXPECT_EQ(caption->text(), QStringLiteral("a "));
    EXPECT_EQ(next.count(), 0);

    // Enter after a change only commits the box: the focus leaves it. (The typing asked for
    // previews, and keys wait while one runs.)
    settle(*form);
    QTest::keyClick(caption, Qt::Key_Return);
    EXPECT_FALSE(caption->hasFocus());

    // Elsewhere Space is the next-picture command.
    settle(*form);
    form->ui().pages->setFocus();
    QTest::keyClick(form->ui().pages, Qt::Key_Space);
    EXPECT_EQ(next.count(), 1);
}

TEST_F(CommandsTest, StepBarFollowsTheModesAndTakesItsClicks) {
    EXPECT_EQ(step(core::Step::Open)->state(), S::Available);
    EXPECT_EQ(step(core::Step::Tune)->state(), S::Unavailable);
    EXPECT_EQ(step(core::Step::Open)->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(step(core::Step::Tune)->cursor().shape(), Qt::ForbiddenCursor);

    // Open with a cancelled dialog puts the states back.
    click(core::Step::Open);
    EXPECT_EQ(files.openAsked, 1);
    EXPECT_EQ(step(core::Step::Open)->state(), S::Available);

    // A click on an unavailable step does nothing.
    click(core::Step::Tune);
    EXPECT_FALSE(form->tuningMode());

    open(samplePicture());
    EXPECT_EQ(step(core::Step::View)->state(), S::Current);
    EXPECT_EQ(step(core::Step::Tune)->state(), S::Suggested);
    click(core::Step::Tune);
    EXPECT_TRUE(form->tuningMode());
    EXPECT_EQ(step(core::Step::Tune)->state(), S::Current);
    EXPECT_EQ(step(core::Step::Process)->state(), S::Suggested);
    settle(*form);

    // View leaves the tuning mode.
    click(core::Step::View);
    EXPECT_FALSE(form->tuningMode());
    EXPECT_EQ(step(core::Step::View)->state(), S::Current);

    // Process from the tuning mode runs the picture in full; save is suggested afterwards.
    click(core::Step::Tune);
    settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    click(core::Step::Process);
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
    EXPECT_EQ(step(core::Step::Process)->state(), S::Current);
    EXPECT_EQ(step(core::Step::Save)->state(), S::Suggested);

    // Save runs the save dialog (cancelled here) and leaves the save step available.
    click(core::Step::Save);
    EXPECT_EQ(files.saveAsked, 1);
    EXPECT_EQ(step(core::Step::Save)->state(), S::Available);
    EXPECT_EQ(step(core::Step::Process)->state(), S::Current);
}

TEST_F(CommandsTest, WheelZoomsOnRegionTabsAndWaitsWhileBusy) {
    open(samplePicture());
    QSignalSpy zoomIn(action("menuScaleMore"), &QAction::triggered);
    QSignalSpy zoomOut(action("menuScaleLess"), &QAction::triggered);
    form->menuRebuildClick();
    settle(*form);
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsNoiseReduction")));
    settle(*form);
    QWidget* pane = form->ui().imagePreviewSource;
    const auto turn = [pane](int delta) {
        const QPointF at(pane->width() / 2.0, pane->height() / 2.0);
        QWheelEvent wheel(at, pane->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane, &wheel);
    };
    turn(120);
    EXPECT_EQ(zoomIn.count(), 1);
    settle(*form);  // the zoom asked for a preview; turns wait while it runs
    turn(-120);
    EXPECT_EQ(zoomOut.count(), 1);

    // On a whole-image tab the wheel does not zoom.
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsColor")));
    settle(*form);
    turn(120);
    EXPECT_EQ(zoomIn.count(), 1);
}

TEST_F(CommandsTest, ExpertModeShowsTheMergeCommandAndRenamesTheItem) {
    open(samplePicture());
    form->menuRebuildClick();
    settle(*form);
    QAction* expert = action("menuExpertMode");
    const bool before = form->tuning().expertMode;
    expert->trigger();
    settle(*form);
    EXPECT_NE(form->tuning().expertMode, before);
    EXPECT_EQ(action("menuMergeImages")->isVisible(), form->tuning().expertMode);
    EXPECT_EQ(expert->text(),
              language.lookup(QString::fromLatin1(
                  form->tuning().expertMode ? "ALS_PREVIEW_SIMPLE" : "ALS_PREVIEW_EXPERT")));
    // Leaving expert mode on the chromatic-aberration tab goes to the first tab.
    if (!form->tuning().expertMode) expert->trigger();
    settle(*form);
    ASSERT_TRUE(form->tuning().expertMode);
    QWidget* ca = form->ui().pages->page(QStringLiteral("tsCA"));
    ASSERT_NE(ca, nullptr);
    form->ui().pages->setCurrentWidget(ca);
    settle(*form);
    ASSERT_EQ(form->ui().pages->currentSheet(), QStringLiteral("tsCA"));
    expert->trigger();
    settle(*form);
    EXPECT_FALSE(form->tuning().expertMode);
    EXPECT_EQ(form->ui().pages->currentIndex(), 0);

    // Outside the tuning mode the toggle is not offered.
    form->menuAbortClick();
    EXPECT_FALSE(expert->isEnabled());
    EXPECT_FALSE(toolButton("tbExpMode")->isEnabled());
}

TEST_F(CommandsTest, ToolButtonHintsNameTheCommandAndItsShortCut) {
    QAction* rotate = action("menuRotateCW");
    EXPECT_EQ(toolButton("tbRotateRight")->defaultAction(), rotate);
    EXPECT_EQ(toolButton("tbRotateRight")->toolTip(),
              language.lookup(QStringLiteral("ALS_ROT_CW")) + QStringLiteral(" (") +
                  QKeySequence(Qt::CTRL | Qt::Key_R).toString(QKeySequence::NativeText) +
                  QLatin1Char(')'));
    EXPECT_EQ(toolButton("tbHelpPanel")->toolTip(),
              language.lookup(QStringLiteral("ALS_HELP_PANEL")));
}

TEST_F(CommandsTest, WebLinksOpenOurAddresses) {
    QList<QUrl> opened;
    form->commands()->setUrlOpener([&opened](const QUrl& url) { opened << url; });
    action("menuHelpHome")->trigger();
    action("menuHelpForum")->trigger();
    action("menuHelpVelmar")->trigger();
    EXPECT_EQ(opened, (QList<QUrl>{QUrl(QStringLiteral("https://velmarfilter.org/")),
                                   QUrl(QStringLiteral("https://velmarfilter.org/forum/")),
                                   QUrl(QStringLiteral("https://velmar.example/"))}));
}

}  // namespace apptest
