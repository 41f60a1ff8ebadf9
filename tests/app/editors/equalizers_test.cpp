// The curve editors over the main window: opened by their tab's button in the tuning mode, a drag
// on the panel moves the curve in the tuning state through the engine and asks for exactly one
// preview per step that changed it, events during a step are ignored, a right click resets the
// curve, and closing a window releases its button and keeps its place.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "app/editors/equalizer_forms.h"
#include "app/editors/equalizers.h"
#include "app/preview/picture_view.h"
#include "app/settings/tuning_binder.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/settings/tab_markers.h"

namespace apptest {

namespace {

using core::CurveType;

bool flat(std::span<const int32_t> values) {
    return std::ranges::all_of(values, [](int32_t v) { return v == 0; });
}

class EqualizersTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        form->menuExpertModeClick(true);
        open(smallPicture());
        form->menuRebuildClick();
        settle(*form);
    }

    app::Equalizers* equalizers() { return form->equalizers(); }

    void showTab(const char* sheet) {
        app::TuningPages* pages = form->ui().pages;
        pages->setCurrentWidget(pages->page(QString::fromLatin1(sheet)));
    }
    QAbstractButton* opener(CurveType type) {
        return form->ui().pages->control<QAbstractButton>(
            QString::fromLatin1(core::curveNames(type).opener));
    }
    // Waits until the window's panel has a picture and no step runs.
    void waitForPanel(app::TEqualizerForm* w) {
        for (int i = 0; i < kWaitMs / 25 && (w->image()->picture().isNull() || w->busy()); ++i)
            QTest::qWait(25);
        ASSERT_FALSE(w->image()->picture().isNull());
        ASSERT_FALSE(w->busy());
    }
};

TEST_F(EqualizersTest, TheTabsButtonOpensItsWindowOnItsTabOnly) {
    app::TEqualizerForm* noise = equalizers()->window(CurveType::Noise);
    ASSERT_NE(noise, nullptr);
    EXPECT_EQ(noise->objectName(), QStringLiteral("EqNoiseReduction"));
    EXPECT_EQ(QString::fromLatin1(noise->metaObject()->className()),
              QStringLiteral("app::TEqNoiseReduction"));
    EXPECT_FALSE(noise->isVisible());
    showTab("tsNoiseReduction");
    ASSERT_TRUE(opener(CurveType::Noise)->isVisible());
    opener(CurveType::Noise)->click();
    EXPECT_TRUE(form->tuning().buttons.sbEqNoiseReduction);
    EXPECT_TRUE(noise->isVisible());
    EXPECT_EQ(noise->windowTitle(), QStringLiteral("Equalizer"));
    waitForPanel(noise);
    EXPECT_EQ(noise->image()->picture().size(), noise->image()->size());
    EXPECT_EQ(form->options().floatingWindows[3].visible, 1);
    // Another tab hides it; coming back shows it again.
    showTab("tsSharpening");
    EXPECT_FALSE(noise->isVisible());
    showTab("tsNoiseReduction");
    EXPECT_TRUE(noise->isVisible());
    // The brightness equalizer's check box is on in expert mode: its window is there on its tab.
    showTab("tsBrightness");
    EXPECT_TRUE(equalizers()->window(CurveType::Brightness)->isVisible());
    EXPECT_EQ(equalizers()->window(CurveType::Brightness)->windowTitle(),
              QStringLiteral("Brightness equalizer"));
}

// The pointer over the preview: an open window's live marker goes to the hue (or brightness) of
// the picture there and its caption says the value; leaving the preview hides it again.
TEST_F(EqualizersTest, TheLiveMarkerFollowsThePointerOverThePreview) {
    struct Case {
        const char* sheet;
        CurveType type;
        const char* caption;  // with the value in place of %1
    };
    const Case cases[] = {{"tsNoiseReduction", CurveType::Noise, "Noise (Hue=%1)"},
                          {"tsBrightness", CurveType::Brightness, "Brightness=%1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        showTab(c.sheet);
        if (c.type != CurveType::Brightness) opener(c.type)->click();
        app::TEqualizerForm* w = equalizers()->window(c.type);
        ASSERT_TRUE(w->isVisible());
        waitForPanel(w);
        settle(*form);
        app::PictureView* pane = form->ui().imagePreviewSource;
        const QRect shown = pane->pictureRect();
        ASSERT_FALSE(shown.isEmpty());
        const QString name = w->windowTitle();
        QMouseEvent move(QEvent::MouseMove, QPointF(shown.center()),
                         pane->mapToGlobal(QPointF(shown.center())), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(pane, &move);
        for (int i = 0; i < kWaitMs / 25 && !w->marker()->isVisible(); ++i)
            QTest::qWait(25);
        ASSERT_TRUE(w->marker()->isVisible());
        const int value = equalizers()->markerValues().of(c.type);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, core::markerMaximum(c.type));
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(c.caption).arg(value));
        const core::MarkerPlace place = core::placeMarker(
            {}, value, w->image()->size(), false, w->image()->x(), core::markerMaximum(c.type));
        EXPECT_EQ(w->marker()->x(), place.left);

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(pane, &leave);
        EXPECT_FALSE(w->marker()->isVisible());
        EXPECT_EQ(w->windowTitle(), name);
    }
}

// A window pushed out of the work area comes back in on the main window's tick.
TEST_F(EqualizersTest, AWindowOutsideTheWorkAreaComesBackIn) {
    showTab("tsBrightness");
    app::TEqualizerForm* w = equalizers()->window(CurveType::Brightness);
    ASSERT_TRUE(w->isVisible());
    const QRect area = form->screen()->availableGeometry();
    w->move(area.right() - w->width() / 2, area.top() + 10);
    equalizers()->keepInside();
    const QRect frame = w->frameGeometry();
    EXPECT_LE(frame.right(), area.right());
    EXPECT_EQ(frame.left() - area.left(), std::max(0, area.width() - frame.width() - 1));
    EXPECT_EQ(frame.top(), area.top() + 10);  // inside on that axis: left alone
}

TEST_F(EqualizersTest, ADragMovesTheCurveAndAsksForOnePreview) {
    showTab("tsNoiseReduction");
    opener(CurveType::Noise)->click();
    app::TEqualizerForm* w = equalizers()->window(CurveType::Noise);
    waitForPanel(w);
    settle(*form);
    auto* binder = form->findChild<app::TuningBinder*>();
    ASSERT_NE(binder, nullptr);
    QSignalSpy requested(binder, &app::TuningBinder::processingRequested);
    QSignalSpy changed(equalizers(), &app::Equalizers::curveChanged);
    QSignalSpy drawn(equalizers(), &app::Equalizers::panelDrawn);
    ASSERT_TRUE(flat(form->tuning().curves.NoiseEqualizer));

    app::EqualizerImage* image = w->image();
    const int h = image->height();
    // Pressed on the flat curve: the step changes nothing and asks for nothing.
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(60, h / 2));
    waitForPanel(w);
    EXPECT_EQ(requested.count(), 0);
    // Dragged upwards: the nearest points rise, once.
    QTest::mouseMove(image, QPoint(60, 8));
    ASSERT_TRUE(changed.wait(kWaitMs));
    waitForPanel(w);
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(60, 8));
    QTest::qWait(50);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_GE(drawn.count(), 1);
    const auto& curve = form->tuning().curves.NoiseEqualizer;
    EXPECT_FALSE(flat(curve));
    // Column 60 of a 40-point curve is nearest to point round(60 * 39 / width).
    const size_t near = static_cast<size_t>((60 * 39 + image->width() / 2) / image->width());
    EXPECT_GT(*std::ranges::max_element(curve), 0);
    EXPECT_GT(curve[near] + curve[near > 0 ? near - 1 : 0] + curve[near + 1], 0);
    // The curve has reached the settings block and the record of the next preview.
    settle(*form);
    EXPECT_EQ(form->tuning().block.NoiseEqualizer, curve);
    // The button shows that its curve is shaped.
    EXPECT_EQ(opener(CurveType::Noise)->property("equalizerPicture").toInt(),
              core::kEqualizerPictureShaped);
}

TEST_F(EqualizersTest, EventsDuringAStepAreIgnoredAndARightClickResets) {
    showTab("tsColor");
    opener(CurveType::Saturation)->click();
    app::TEqualizerForm* w = equalizers()->window(CurveType::Saturation);
    waitForPanel(w);
    settle(*form);
    QSignalSpy changed(equalizers(), &app::Equalizers::curveChanged);
    app::EqualizerImage* image = w->image();

    w->setBusy(true);
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(image, QPoint(110, 12));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(110, 12));
    QTest::qWait(200);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(flat(form->tuning().curves.SaturationEqualizer));
    w->setBusy(false);

    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(100, image->height() - 6));
    ASSERT_TRUE(changed.wait(kWaitMs));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(100, image->height() - 6));
    waitForPanel(w);
    EXPECT_FALSE(flat(form->tuning().curves.SaturationEqualizer));
    EXPECT_LT(*std::ranges::min_element(form->tuning().curves.SaturationEqualizer), 0);
    // The preview that follows counts the colours among the filters applied for the curve alone.
    const QString colours = language.message(QStringLiteral("ALS_COLORS")).trimmed();
    settle(*form);
    EXPECT_TRUE(form->ui().stxtOutput->text().contains(colours))
        << qPrintable(form->ui().stxtOutput->text());

    auto* binder = form->findChild<app::TuningBinder*>();
    QSignalSpy requested(binder, &app::TuningBinder::processingRequested);
    QTest::mouseClick(image, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(flat(form->tuning().curves.SaturationEqualizer));
    EXPECT_EQ(requested.count(), 1);
    // A second reset of a flat curve asks for nothing.
    QTest::mouseClick(image, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(EqualizersTest, ClosingReleasesTheButtonAndKeepsThePlace) {
    showTab("tsSharpening");
    opener(CurveType::Sharpness)->click();
    app::TEqualizerForm* w = equalizers()->window(CurveType::Sharpness);
    ASSERT_TRUE(w->isVisible());
    w->setGeometry(QRect(120, 140, 300, 200));
    w->resize(90, 60);  // below the smallest size
    QTest::qWait(20);
    EXPECT_EQ(w->size(), core::kEditorMinimumSize);
    const core::FloatingWindowPlace& place = form->options().floatingWindows[4];
    EXPECT_EQ(place.width, 150);
    EXPECT_EQ(place.height, 100);
    w->close();
    EXPECT_FALSE(opener(CurveType::Sharpness)->isChecked());
    EXPECT_FALSE(form->tuning().buttons.sbEqSharpening);
    EXPECT_EQ(place.visible, 0);
    // Opened again, it comes back where it was.
    opener(CurveType::Sharpness)->click();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(150, 100));
}

}  // namespace

}  // namespace apptest
