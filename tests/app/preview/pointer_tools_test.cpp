// Presses with modifiers on the preview panes store the marks of the active tab: eye boxes on the
// red-eye tab, noise colour picks, the fringe colour and the white point; simple mode keeps only
// the eye boxes; the context menu offers the tab's items.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/preview/pointer_tools.h"
#include "app/preview/preview_overlay.h"
#include "app_fixture.h"
#include "core/document/image_slots.h"
#include "core/preview/pane_mapping.h"

namespace apptest {

namespace {

// A mouse event with explicit buttons, as a real pointer sends it.
void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(w, &event);
}

void click(QWidget* w, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    send(w, QEvent::MouseButtonPress, at, button, button, modifiers);
    send(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

class PointerToolsTest : public WindowTest {
  protected:
    app::PointerTools* tools() { return form->findChild<app::PointerTools*>(); }
    app::PictureView* source() { return form->ui().imagePreviewSource; }

    // Opens the small picture in the tuning mode on the named tab, in expert mode or not.
    void tuneOn(const char* sheet, bool expert) {
        open(smallPicture());
        form->menuRebuildClick();
        ASSERT_TRUE(form->tuningMode());
        // The mode switch is offered in the tuning mode only.
        QAction* mode = form->ui().menu[QStringLiteral("menuExpertMode")];
        if (mode->isChecked() != expert) mode->trigger();
        ASSERT_EQ(form->tuning().expertMode, expert);
        QWidget* page = form->ui().pages->page(QString::fromLatin1(sheet));
        ASSERT_NE(page, nullptr);
        const int index = form->ui().pages->indexOf(page);
        form->ui().pages->setTabVisible(index, true);  // the red-eye tab shows only after a flash
        form->ui().pages->setCurrentIndex(index);
        settle(*form);
        ASSERT_FALSE(source()->pictureRect().isEmpty());
    }

    // A widget point at the given share of the shown picture.
    QPoint at(double fx, double fy) {
        const QRect r = source()->pictureRect();
        return r.topLeft() + QPoint(int(fx * (r.width() - 1)), int(fy * (r.height() - 1)));
    }
    QPoint pane(QPoint widgetPoint) { return widgetPoint - source()->pictureRect().topLeft(); }
    core::PictureSize paneSize() {
        const QRect r = source()->pictureRect();
        return {r.width(), r.height()};
    }

    // The same preview once more, as choosing the zoom box's item again asks for it.
    void rerunPreview() {
        QComboBox* zoom = form->ui().cmbZoomPreview;
        QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
        emit zoom->activated(zoom->currentIndex());
        ASSERT_TRUE(shown.wait(kWaitMs));
        settle(*form);
    }

    // Clicks and waits for the engine's sample to be stored.
    void sampleClick(QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QSignalSpy stored(tools(), &app::PointerTools::marksChanged);
        click(source(), p, button, modifiers);
        ASSERT_TRUE(stored.wait(kWaitMs));
        settle(*form);
    }
};

}  // namespace

TEST_F(PointerToolsTest, PlainRightClickOnTheRedEyeTabAddsAnAutomaticEye) {
    tuneOn("tsRedeye", false);
    const QPoint p = at(0.5, 0.5);
    // Where the click lands on the pane, as the pane lies when it is clicked (the row of the
    // eye list's buttons may shift the panes once the first eye is there).
    const QPoint clicked = pane(p);
    const core::PictureSize size = paneSize();
    click(source(), p, Qt::RightButton, Qt::NoModifier);
    ASSERT_EQ(form->tuning().redEyes.size(), 1u);
    const RedEyeEntry& eye = form->tuning().redEyes[0];
    const core::PreviewRegion& region = form->previewRegion();
    const double sx = double(region.width) / size.width;
    const double sy = double(region.height) / size.height;
    EXPECT_EQ(eye.EyeX, std::lround((clicked.x() * sx + region.left) * 1000));
    EXPECT_EQ(eye.EyeY, std::lround((clicked.y() * sy + region.top) * 1000));
    // The engine sized the eye itself during the preview that followed, or it still asks to.
    EXPECT_EQ(eye.EyeWidth, eye.EyeHeight);
    EXPECT_EQ(eye.Darkening, form->tuning().sliders[17].position);
    EXPECT_EQ(eye.PupilSize, form->tuning().sliders[18].position);
    EXPECT_TRUE(asker.requests().empty());
    EXPECT_EQ(tools()->tool(), 0);
}

TEST_F(PointerToolsTest, DraggedEyeBoxIsShownThenStoredWithItsSize) {
    tuneOn("tsRedeye", true);
    const QPoint start = at(0.5, 0.5);
    const QPoint end = start + QPoint(5, 5);
    send(source(), QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
    send(source(), QEvent::MouseMove, end, Qt::NoButton, Qt::RightButton);
    app::PreviewOverlay* overlay = tools()->overlay(source());
    const double perPane = double(form->previewRegion().width) / paneSize().width;
    if (15 * perPane >= 3) {
        ASSERT_TRUE(overlay->shape().has_value());
        EXPECT_EQ(*overlay->shape(), QRect(pane(start) - QPoint(7, 7), QSize(15, 15)));
        EXPECT_TRUE(overlay->shapeIsEllipse());
    }
    send(source(), QEvent::MouseButtonRelease, end, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(overlay->shape().has_value());
    ASSERT_EQ(form->tuning().redEyes.size(), 1u);
    const core::PreviewRegion& region = form->previewRegion();
    const double sx = double(region.width) / paneSize().width;
    const double sy = double(region.height) / paneSize().height;
    EXPECT_EQ(form->tuning().redEyes[0].EyeWidth, std::lround(1000 * sx * 15));
    EXPECT_EQ(form->tuning().redEyes[0].EyeHeight, std::lround(1000 * sy * 15));
    // The reset button counts the marks.
    auto* reset = form->findChild<QAbstractButton*>(QStringLiteral("sbREReset"));
    ASSERT_NE(reset, nullptr);
    EXPECT_TRUE(reset->isVisible());
    EXPECT_TRUE(reset->text().endsWith(QStringLiteral(" (1)")));
}

TEST_F(PointerToolsTest, EyeBoxReachingOutOfThePaneIsRefused) {
    tuneOn("tsRedeye", false);
    const QPoint start = source()->pictureRect().topLeft() + QPoint(2, 40);
    const QPoint end = start + QPoint(8, 8);
    send(source(), QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
    send(source(), QEvent::MouseMove, end, Qt::NoButton, Qt::RightButton);
    send(source(), QEvent::MouseButtonRelease, end, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(form->tuning().redEyes.empty());
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text, language.message(QStringLiteral("ER_SELECTION_OUT")));
}

TEST_F(PointerToolsTest, EyeBoxIsDroppedWhenThePointerLeavesThePane) {
    tuneOn("tsRedeye", false);
    const QRect shown = source()->pictureRect();
    const QPoint start = at(0.5, 0.5);
    const QPoint outside = shown.topRight() + QPoint(20, 10);
    send(source(), QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
    send(source(), QEvent::MouseMove, start + QPoint(6, 6), Qt::NoButton, Qt::RightButton);
    send(source(), QEvent::MouseMove, outside, Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(tools()->overlay(source())->shape().has_value());
    send(source(), QEvent::MouseButtonRelease, outside, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(form->tuning().redEyes.empty());
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(PointerToolsTest, HoldingTheLeftButtonOnTheOutputComparesWithTheSource) {
    tuneOn("tsColor", true);
    app::PictureView* output = form->ui().imagePreviewOutput;
    ASSERT_FALSE(output->picture().isNull());
    const QImage processed = output->picture();
    const QPoint p = output->pictureRect().center();
    send(output, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(output->picture().cacheKey(), source()->picture().cacheKey());
    send(output, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(output->picture().cacheKey(), processed.cacheKey());
}

TEST_F(PointerToolsTest, TheOutputCaptionShowsTheSourcesWhileAComparisonIsHeld) {
    tuneOn("tsColor", true);
    app::PictureView* output = form->ui().imagePreviewOutput;
    QLabel* caption = form->ui().stxtOutput;
    const QString applied = caption->text();
    ASSERT_TRUE(applied.startsWith(language.message(QStringLiteral("ALS_FILTERS_APPLIED"))))
        << qPrintable(applied);
    const QPoint p = output->pictureRect().center();
    send(output, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(caption->text().contains(QStringLiteral("cups-noisy-crop.jpg")))
        << qPrintable(caption->text());
    // A preview that ends during the comparison waits until the button is let go.
    rerunPreview();
    EXPECT_EQ(output->picture().cacheKey(), source()->picture().cacheKey());
    EXPECT_TRUE(caption->text().contains(QStringLiteral("cups-noisy-crop.jpg")));
    send(output, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(caption->text(), applied);
    EXPECT_NE(output->picture().cacheKey(), source()->picture().cacheKey());
}

TEST_F(PointerToolsTest, OneFrameLeavesTheOutputAloneAndTheFringeToolShowsTheSourceThere) {
    tuneOn("tsCA", true);
    app::PictureView* output = form->ui().imagePreviewOutput;
    const int bothRegionWidth = form->previewRegion().width;
    const int bothPaneWidth = output->width();
    form->ui().menu[QStringLiteral("menuFramesSingle")]->trigger();
    QTest::qWait(50);
    settle(*form);
    EXPECT_FALSE(source()->isVisible());
    EXPECT_GT(output->width(), bothPaneWidth * 3 / 2);
    // The wider pane shows more of the picture (all 320 columns of it at 150 %).
    EXPECT_GT(form->previewRegion().width, bothRegionWidth);
    EXPECT_EQ(form->previewRegion().width, std::min(320, output->width() * 2 / 3));
    ASSERT_FALSE(source()->picture().isNull());
    EXPECT_NE(output->picture().cacheKey(), source()->picture().cacheKey());

    // With the fringe colour tool down the output pane shows the unprocessed picture, also
    // when a new preview arrives, until the drag tool is back.
    auto* fringeTool = form->findChild<QAbstractButton*>(QStringLiteral("sbPreview_1"));
    ASSERT_NE(fringeTool, nullptr);
    fringeTool->click();
    ASSERT_EQ(tools()->tool(), 1);
    EXPECT_EQ(output->picture().cacheKey(), source()->picture().cacheKey());
    rerunPreview();
    EXPECT_EQ(output->picture().cacheKey(), source()->picture().cacheKey());
    tools()->setTool(0);
    EXPECT_NE(output->picture().cacheKey(), source()->picture().cacheKey());

    // A narrower window narrows the region, with one preview for it.
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    form->resize(800, 700);
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(form->previewRegion().width, std::min(320, output->width() * 2 / 3));
    EXPECT_LT(form->previewRegion().width, 320);
    form->resize(1200, 800);
    QTest::qWait(50);
    settle(*form);

    form->ui().menu[QStringLiteral("menuFramesDouble")]->trigger();
    QTest::qWait(50);
    settle(*form);
    EXPECT_TRUE(source()->isVisible());
    EXPECT_EQ(form->previewRegion().width, bothRegionWidth);
    // With both frames the tool picks from the source pane and the output stays processed.
    fringeTool->click();
    EXPECT_NE(output->picture().cacheKey(), source()->picture().cacheKey());
}

TEST_F(PointerToolsTest, ArmedRedEyeToolTakesTheLeftButtonOnceThenTheDragToolReturns) {
    tuneOn("tsRedeye", true);
    auto* tool = form->findChild<QAbstractButton*>(QStringLiteral("sbPreview_1"));
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(tool->isVisible());
    tool->click();
    EXPECT_EQ(tools()->tool(), 1);
    click(source(), at(0.4, 0.4), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(form->tuning().redEyes.size(), 1u);
    EXPECT_EQ(tools()->tool(), 0);
    // With the drag tool down the left button drags the preview and marks nothing.
    click(source(), at(0.6, 0.6), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(form->tuning().redEyes.size(), 1u);
}

TEST_F(PointerToolsTest, NoiseTabModifiersGiveIncreaseAndDecreasePicks) {
    tuneOn("tsNoiseReduction", true);
    const QPoint p = at(0.3, 0.6);
    sampleClick(p, Qt::RightButton, Qt::AltModifier);
    sampleClick(p, Qt::RightButton, Qt::ControlModifier);
    sampleClick(p, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier);
    const auto& picks = form->tuning().noiseAreas;
    ASSERT_EQ(picks.size(), 3u);
    EXPECT_EQ(picks[0].Strength, 50);
    EXPECT_EQ(picks[1].Strength, -50);
    EXPECT_EQ(picks[2].Strength, 50);
    // The same block was sampled each time; the picture is not black.
    EXPECT_GT(picks[0].Luma, 0);
    for (const auto& pick : picks) {
        EXPECT_EQ(pick.Luma, picks[0].Luma);
        EXPECT_EQ(pick.ChromaRed, picks[0].ChromaRed);
        EXPECT_EQ(pick.ChromaBlue, picks[0].ChromaBlue);
    }
    // The sampling frame marks the block on the pane.
    ASSERT_TRUE(tools()->overlay(source())->samplingFrame().has_value());
    EXPECT_TRUE(tools()->overlay(source())->samplingFrame()->contains(pane(p)));
    auto* undo = form->findChild<QAbstractButton*>(QStringLiteral("sbNoiseAreaUndo"));
    ASSERT_NE(undo, nullptr);
    undo->click();
    EXPECT_EQ(form->tuning().noiseAreas.size(), 2u);
}

TEST_F(PointerToolsTest, SimpleModeRightButtonDoesNothingOnTheNoiseTab) {
    tuneOn("tsNoiseReduction", false);
    for (auto modifiers :
         {Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier, Qt::ShiftModifier}) {
        click(source(), at(0.5, 0.5), Qt::RightButton, modifiers);
    }
    QTest::qWait(100);
    settle(*form);
    EXPECT_TRUE(form->tuning().noiseAreas.empty());
    EXPECT_FALSE(tools()->contextMenu()->isVisible());
    EXPECT_FALSE(form->findChild<QAbstractButton*>(QStringLiteral("sbPreview_1"))->isVisible());
}

TEST_F(PointerToolsTest, PlainRightClickOpensTheMenuAndItsItemAdjustsTheNoise) {
    tuneOn("tsNoiseReduction", true);
    click(source(), at(0.5, 0.5), Qt::RightButton, Qt::NoModifier);
    QMenu* menu = tools()->contextMenu();
    ASSERT_TRUE(menu->isVisible());
    const auto item = [menu](const char* name) {
        return menu->findChild<QAction*>(QString::fromLatin1(name));
    };
    EXPECT_TRUE(item("pmAdjustNoise")->isVisible());
    EXPECT_TRUE(item("pmNoiseIncrease")->isVisible());
    EXPECT_TRUE(item("pmCancel")->isVisible());
    EXPECT_FALSE(item("pmWhiteBalance")->isVisible());
    EXPECT_FALSE(item("pmSetCAColor")->isVisible());
    QSignalSpy stored(tools(), &app::PointerTools::marksChanged);
    item("pmAdjustNoise")->trigger();
    menu->hide();
    ASSERT_TRUE(stored.wait(kWaitMs));
    settle(*form);
    // The measured levels are slider positions within the noise sliders' range.
    for (int n = 1; n <= 3; ++n) {
        EXPECT_GE(form->tuning().sliders[size_t(n)].position, 0);
        EXPECT_LE(form->tuning().sliders[size_t(n)].position, 200);
        EXPECT_EQ(form->ui().pages->slider(n)->value(), form->tuning().sliders[size_t(n)].position);
    }
    EXPECT_TRUE(form->tuning().noiseAreas.empty());
}

TEST_F(PointerToolsTest, ShiftRightOnTheCATabPicksTheFringeColour) {
    tuneOn("tsCA", true);
    form->tuning().checks.cbEnableCA = true;
    const int32_t before = form->tuning().block.CAColorRed;
    sampleClick(at(0.5, 0.5), Qt::RightButton, Qt::ShiftModifier);
    const core::SettingsBlock& b = form->tuning().block;
    EXPECT_NE(std::tuple(b.CAColorRed, b.CAColorGreen, b.CAColorBlue),
              std::tuple(before, 3000, 32500));
    // Without CA the pick does nothing.
    form->tuning().checks.cbEnableCA = false;
    form->tuning().block.CAColorRed = 7;
    click(source(), at(0.5, 0.5), Qt::RightButton, Qt::ShiftModifier);
    QTest::qWait(100);
    settle(*form);
    EXPECT_EQ(form->tuning().block.CAColorRed, 7);
}

TEST_F(PointerToolsTest, ShiftRightOnTheColourTabSetsTheWhitePoint) {
    tuneOn("tsColor", true);
    const QPoint p = at(0.59, 0.17);
    sampleClick(p, Qt::RightButton, Qt::ShiftModifier);
    const core::TuningState& s = form->tuning();
    // The shifts that carry the pixel under the pointer to white at its own brightness.
    const QImage picture = form->document().displayImage(core::ImageSlot::Source);
    const core::PicturePoint q = core::mapWholePicturePoint(pane(p).x(), pane(p).y(), paneSize(),
                                                            {picture.width(), picture.height()});
    const QRgb c = picture.pixel(q.x, q.y);
    const long r = qRed(c) << 8, g = qGreen(c) << 8, b = qBlue(c) << 8;
    const double x = std::max(0.1, 65535.0 / (((4899 * r + 9617 * g + 1868 * b) >> 14) + 1));
    // A channel of 0 counts as 1, as the engine takes it.
    const auto shift = [x](long v) {
        const double s = std::trunc((1 / x) * (65535 * 100.5 / double(std::max(v, 1L)))) - 100;
        return int(std::clamp(s, -100.0, 100.0));
    };
    EXPECT_NEAR(s.block.RedShift, shift(r), 2) << qRed(c) << "," << qGreen(c) << "," << qBlue(c);
    EXPECT_NEAR(s.block.GreenShift, shift(g), 2);
    EXPECT_NEAR(s.block.BlueShift, shift(b), 2);
    EXPECT_EQ(s.block.RedShift, s.sliders[11].position - 100);
    EXPECT_EQ(s.block.GreenShift, s.sliders[12].position - 100);
    EXPECT_EQ(s.block.BlueShift, s.sliders[13].position - 100);
    EXPECT_EQ(form->ui().pages->slider(11)->value(), s.sliders[11].position);
    ASSERT_TRUE(tools()->overlay(source())->samplingFrame().has_value());
    // Leaving the tab hides the frame.
    form->ui().pages->setCurrentIndex(0);
    EXPECT_FALSE(tools()->overlay(source())->samplingFrame().has_value());
}

TEST_F(PointerToolsTest, FringeColourIsTheMeanOfTheBlockUnderThePointer) {
    tuneOn("tsCA", true);
    form->tuning().checks.cbEnableCA = true;
    const QPoint p = at(0.25, 0.2);
    sampleClick(p, Qt::RightButton, Qt::ShiftModifier);
    // The block as the picture shows it, rows from the top: the 4 by 4 square around the mapped
    // point, which the engine addresses from the bottom row.
    const QImage picture = form->document()
                               .displayImage(core::ImageSlot::Source)
                               .convertToFormat(QImage::Format_RGB888);
    const core::PictureSize size{picture.width(), picture.height()};
    const core::PicturePoint centre =
        core::clampBlockCentre(core::mapRegionPoint(pane(p).x(), pane(p).y(), paneSize(),
                                                    form->previewRegion().rect(), size),
                               4, size);
    const int yb = core::rowFromBottom(centre.y, size.height);
    const int x0 = std::clamp(centre.x - 2, 0, size.width - 5);
    const int yb0 = std::clamp(yb - 2, 0, size.height - 5);
    long sum[3] = {0, 0, 0};
    for (int j = yb0; j < yb0 + 4; ++j)
        for (int i = x0; i < x0 + 4; ++i) {
            const QRgb c = picture.pixel(i, core::rowFromBottom(j, size.height));
            sum[0] += qRed(c) << 8;
            sum[1] += qGreen(c) << 8;
            sum[2] += qBlue(c) << 8;
        }
    const core::SettingsBlock& b = form->tuning().block;
    EXPECT_NEAR(b.CAColorRed, sum[0] / 16, 512);
    EXPECT_NEAR(b.CAColorGreen, sum[1] / 16, 512);
    EXPECT_NEAR(b.CAColorBlue, sum[2] / 16, 512);
}

}  // namespace apptest
