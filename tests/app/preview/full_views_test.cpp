// The viewing mode's full views in the window: the zoom box and commands, keeping the centre,
// both views scrolling and dragging together, comparing, and the frames mode.
#include <QAbstractScrollArea>
#include <QAction>
#include <QComboBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "app/main/main_form_commands.h"
#include "app/preview/full_view.h"
#include "app/preview/full_views.h"
#include "app_fixture.h"
#include "core/preview/full_view_geometry.h"
#include "core/preview/run_result.h"
#include "core/preview/zoom_list.h"

namespace apptest {

namespace {

// Waits for the run and then for the views' layout, which follows on the next turn of the event
// loop.
void settleViews(app::TMainForm& form) {
    for (int i = 0; i < 400 && (form.busy() || form.scheduler().restartPending() ||
                                form.scheduler().requestPending());
         ++i)
        QTest::qWait(25);
    QTest::qWait(20);
}

QScrollBar* hBar(const app::FullView* view) {
    return static_cast<QAbstractScrollArea*>(view->scrollBox())->horizontalScrollBar();
}
QScrollBar* vBar(const app::FullView* view) {
    return static_cast<QAbstractScrollArea*>(view->scrollBox())->verticalScrollBar();
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class FullViewsTest : public WindowTest {
  protected:
    app::FullViews& views() { return form->fullViews(); }
    const app::FullView* source() { return form->ui().imageSource; }
    const app::FullView* output() { return form->ui().imageOutput; }
    QAction* action(const char* name) { return form->ui().menu[QString::fromLatin1(name)]; }

    void openAndSettle(const QString& path) {
        open(path);
        settleViews(*form);
    }
    // A full run of the small picture, so that an output is shown beside the source.
    void runFull() {
        openAndSettle(smallPicture());
        form->menuRebuildClick();
        settleViews(*form);
        QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
        form->menuRebuildClick();
        ASSERT_TRUE(ended.wait(kWaitMs));
        ASSERT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
        settleViews(*form);
    }
    void choose(int32_t code) { views().selectZoomItem(core::viewZoomIndex(code)); }
};

}  // namespace

TEST_F(FullViewsTest, AnOpenedPictureFitsTheWindow) {
    openAndSettle(samplePicture());
    QComboBox* box = views().cmbZoom();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), form->commands()->toolBars().view);  // the view band
    EXPECT_EQ(box->count(), 17);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->itemText(0), language.message(QStringLiteral("ALS_FIT_WIN")));
    EXPECT_EQ(box->itemText(9), QStringLiteral("100%"));
    const core::PictureSize pane = source()->paneSize();
    const double fit = std::min(pane.width / 2560.0, pane.height / 1600.0);
    EXPECT_DOUBLE_EQ(source()->scale(), fit);
    // Nothing to scroll: the box is the picture, centred.
    EXPECT_EQ(hBar(source())->maximum(), 0);
    EXPECT_EQ(vBar(source())->maximum(), 0);
    EXPECT_EQ(source()->scrollBox()->width(), static_cast<int>(std::floor(2560 * fit + 1e-7)));
    EXPECT_TRUE(box->toolTip().endsWith(QStringLiteral("%1%").arg(std::lround(fit * 100))));
    // The caption names the file and its size.
    EXPECT_TRUE(form->ui().stxtRight->text().contains(QStringLiteral("sample.jpg")));
}

TEST_F(FullViewsTest, ZoomCommandsStepThroughTheListAndKeepTheCentre) {
    openAndSettle(samplePicture());
    choose(100);
    EXPECT_DOUBLE_EQ(source()->scale(), 1.0);
    hBar(source())->setValue(700);
    vBar(source())->setValue(400);
    const core::ViewGeometry before = views().state().geometry(core::ViewSide::Source);
    EXPECT_EQ(before.scrollX, 700);

    action("menuScaleMore")->trigger();
    EXPECT_EQ(views().state().zoomCode(), 150);
    EXPECT_EQ(views().cmbZoom()->currentText(), QStringLiteral("150%"));
    EXPECT_DOUBLE_EQ(source()->scale(), 1.5);
    const core::ViewGeometry after = views().state().geometry(core::ViewSide::Source);
    EXPECT_EQ(hBar(source())->value(),
              core::keptScroll(700, before.visible.width, 2560, 3840, after.visible.width));
    EXPECT_EQ(vBar(source())->value(),
              core::keptScroll(400, before.visible.height, 1600, 2400, after.visible.height));

    action("menuScaleLess")->trigger();
    EXPECT_EQ(views().state().zoomCode(), 100);
    EXPECT_NEAR(hBar(source())->value(), 700, 1);
    EXPECT_NEAR(vBar(source())->value(), 400, 1);

    // Stepping out ends at fit window, never below it.
    for (int i = 0; i < 10; ++i)
        action("menuScaleLess")->trigger();
    EXPECT_EQ(views().state().zoomCode(), core::kZoomFitWindow);
    EXPECT_EQ(views().cmbZoom()->currentIndex(), 0);
    // From the fit, the next larger entry.
    action("menuScaleMore")->trigger();
    const core::PictureSize pane = source()->paneSize();
    const double fit = std::min(pane.width / 2560.0, pane.height / 1600.0);
    EXPECT_EQ(views().state().zoomCode(), fit < 0.25 ? 25 : 50);
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(FullViewsTest, ZoomInStopsAtTheLargestEntry) {
    openAndSettle(smallPicture());
    choose(500);
    action("menuScaleMore")->trigger();
    EXPECT_EQ(views().state().zoomCode(), 1000);
    action("menuScaleMore")->trigger();
    EXPECT_EQ(views().state().zoomCode(), 1000);
    EXPECT_DOUBLE_EQ(source()->scale(), 10.0);
}

TEST_F(FullViewsTest, ZoomCommandsInTheTuningModeStepThePreviewZoom) {
    openAndSettle(smallPicture());
    form->menuRebuildClick();
    settleViews(*form);
    ASSERT_TRUE(form->tuningMode());
    QComboBox* preview = form->ui().cmbZoomPreview;
    const int before = preview->currentIndex();
    action("menuScaleMore")->trigger();
    EXPECT_EQ(preview->currentIndex(), before + 1);
    EXPECT_EQ(form->options().previewZoomIndex, before + 1);
    settleViews(*form);
    action("menuScaleLess")->trigger();
    settleViews(*form);
    action("menuScaleLess")->trigger();
    EXPECT_EQ(preview->currentIndex(), before - 1);
    settleViews(*form);
    // The viewing mode's zoom did not move.
    EXPECT_EQ(views().state().zoomCode(), core::kZoomFitWindow);
}

TEST_F(FullViewsTest, ScrollingOneViewMovesTheOther) {
    runFull();
    ASSERT_FALSE(output()->picture().isNull());
    choose(1000);
    ASSERT_GT(hBar(source())->maximum(), 300);
    hBar(source())->setValue(300);
    vBar(source())->setValue(120);
    EXPECT_EQ(hBar(output())->value(), 300);
    EXPECT_EQ(vBar(output())->value(), 120);
    hBar(output())->setValue(50);
    EXPECT_EQ(hBar(source())->value(), 50);
    EXPECT_EQ(vBar(source())->value(), 120);
}

TEST_F(FullViewsTest, DraggingAViewScrollsBothByTheAcceleratedDistance) {
    runFull();
    choose(1000);
    hBar(source())->setValue(500);
    vBar(source())->setValue(300);
    QWidget* layer = source()->layer();
    sendMouse(layer, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(layer, QEvent::MouseMove, {90, 96}, Qt::NoButton, Qt::LeftButton);
    const int a = form->options().accelerator;
    EXPECT_EQ(hBar(source())->value(), 500 + 10 * a);
    EXPECT_EQ(vBar(source())->value(), 300 + 4 * a);
    EXPECT_EQ(hBar(output())->value(), 500 + 10 * a);
    EXPECT_EQ(vBar(output())->value(), 300 + 4 * a);
    sendMouse(layer, QEvent::MouseButtonRelease, {90, 96}, Qt::LeftButton, Qt::NoButton);
}

TEST_F(FullViewsTest, PressingOnTheOutputShowsTheSourceUntilReleased) {
    runFull();
    QWidget* layer = output()->layer();
    const QString outputCaption = form->ui().stxtLeft->text();
    ASSERT_FALSE(outputCaption.isEmpty());
    sendMouse(layer, QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(output()->showsStandIn());
    EXPECT_EQ(form->ui().stxtLeft->text(), form->ui().stxtRight->text());
    sendMouse(layer, QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(output()->showsStandIn());
    EXPECT_EQ(form->ui().stxtLeft->text(), outputCaption);
    EXPECT_EQ(layer->toolTip(), language.message(QStringLiteral("ALS_IMG_TT_COMPARE")));
}

TEST_F(FullViewsTest, SingleFrameShowsTheOutputAloneOnceThereIsOne) {
    openAndSettle(smallPicture());
    action("menuFramesSingle")->trigger();
    EXPECT_EQ(views().framesMode(), core::FramesMode::SourceOnly);
    EXPECT_TRUE(source()->isVisible());
    EXPECT_FALSE(output()->isVisible());
    EXPECT_TRUE(action("menuFramesSingle")->isChecked());
    EXPECT_FALSE(action("menuFramesDouble")->isChecked());

    form->menuRebuildClick();
    settleViews(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    settleViews(*form);
    EXPECT_EQ(views().framesMode(), core::FramesMode::OutputOnly);
    EXPECT_FALSE(source()->isVisible());
    EXPECT_TRUE(output()->isVisible());
    // The output alone fills the viewing layer's width, less the margins.
    EXPECT_GT(output()->width(), form->ui().layer2->width() * 3 / 4);

    action("menuFramesDouble")->trigger();
    settleViews(*form);
    EXPECT_EQ(views().framesMode(), core::FramesMode::Both);
    EXPECT_TRUE(source()->isVisible());
    EXPECT_TRUE(output()->isVisible());
}

TEST_F(FullViewsTest, AZoomWithOneFrameMovesTheHiddenViewsPlaceToo) {
    runFull();
    choose(1000);
    hBar(source())->setValue(400);
    // The output alone, zoomed: the hidden source's stored place moves with it.
    action("menuFramesSingle")->trigger();
    settleViews(*form);
    ASSERT_EQ(views().framesMode(), core::FramesMode::OutputOnly);
    action("menuScaleLess")->trigger();
    EXPECT_EQ(views().state().zoomCode(), 500);
    hBar(output())->setValue(300);
    const core::ViewGeometry outputPlace = views().state().geometry(core::ViewSide::Output);
    EXPECT_EQ(views().state().geometry(core::ViewSide::Source), outputPlace);
    // Both again: the source, in its narrower pane, is centred on the output's place, and the
    // output follows it.
    action("menuFramesDouble")->trigger();
    settleViews(*form);
    const core::ViewGeometry sourcePlace = views().state().geometry(core::ViewSide::Source);
    EXPECT_EQ(sourcePlace.scrollX,
              core::zoomedGeometry(outputPlace, sourcePlace.control, sourcePlace.visible).scrollX);
    EXPECT_LT(sourcePlace.visible.width, outputPlace.visible.width);
    EXPECT_EQ(hBar(source())->value(), sourcePlace.scrollX);
    EXPECT_EQ(hBar(output())->value(), hBar(source())->value());
}

}  // namespace apptest
