// The crop tab in the window: the frame dragged in the crop view and snapped to its proportion,
// straightening by the buttons, and a proportion the view cannot show.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <cmath>

#include "app/preview/crop_view.h"
#include "app/settings/crop_tab.h"
#include "app_fixture.h"
#include "core/crop/crop_values.h"

namespace apptest {

namespace {

// A left-button drag as the pointer does it: press, a few moves with the button held, release.
void drag(QWidget* widget, QPointF from, QPointF to) {
    const auto send = [widget](QEvent::Type type, QPointF at, Qt::MouseButton button,
                               Qt::MouseButtons held) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i)
        send(QEvent::MouseMove, from + (to - from) * i / 4.0, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

class CropTabTest : public WindowTest {
  protected:
    // The small picture open, the crop on and the crop tab shown with its straightened picture.
    void showCropTab() {
        open(smallPicture());
        QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
        form->menuRebuildClick();
        ASSERT_TRUE(shown.wait(kWaitMs));
        settle(*form);
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsCrop")));
        button("cbEnableCrop")->click();
        settle(*form);
        ASSERT_TRUE(form->cropView()->isVisible());
        for (int i = 0; i < 200 && !form->cropView()->hasPicture(); ++i)
            QTest::qWait(25);
        ASSERT_TRUE(form->cropView()->hasPicture());
    }
    QAbstractButton* button(const char* name) {
        return form->ui().pages->control<QAbstractButton>(QString::fromLatin1(name));
    }
    core::CropFrame frame() const { return core::cropControlsOf(form->tuning().crop).frame; }
};

TEST_F(CropTabTest, TheFrameIsFittedToTheProportionWhenThePictureOpens) {
    showCropTab();
    // Paper row 0 keeps 3:2; the 320 x 200 picture gives the widest such frame, centred.
    EXPECT_EQ(frame(), (core::CropFrame{300, 200, 10, 0}));
    EXPECT_EQ(form->cropView()->frame(), frame());
    EXPECT_EQ(form->ui().stxtOutput->text(), QStringLiteral("Crop: 300x200 px (3:2); 0.0 degrees"));
    EXPECT_EQ(button("RadioButton_crop_0")->text(), QStringLiteral("Paper (3:2)"));
    // The real-size view is offered while the crop is on.
    EXPECT_TRUE(button("sbRealCrop")->isEnabled());
    button("cbEnableCrop")->click();
    EXPECT_FALSE(button("sbRealCrop")->isEnabled());
}

TEST_F(CropTabTest, ADraggedCornerSnapsToTheProportionAndKeepsTheOppositeCorner) {
    showCropTab();
    app::CropView* view = form->cropView();
    const core::CropFrame before = frame();
    const double scale = view->mapping().scale;
    ASSERT_GT(scale, 0);
    const QRectF onScreen = view->frameOnScreen();
    // Narrower by about 60 picture pixels and a little lower than the proportion wants.
    drag(view, onScreen.bottomRight(), onScreen.bottomRight() + QPointF(-60 * scale, -10 * scale));
    const core::CropFrame after = frame();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_NEAR(after.width, 240, 2);
    // 3:2 holds: the height is the one the width implies.
    EXPECT_EQ(after.height, core::roundToInt(after.width / 1.5));
    EXPECT_EQ(view->frame(), after);
    EXPECT_EQ(
        form->ui().stxtOutput->text(),
        QStringLiteral("Crop: %1x%2 px (3:2); 0.0 degrees").arg(after.width).arg(after.height));
    // The reference size is the picture's, so the stored frame applies to it.
    EXPECT_EQ(form->tuning().crop.CropImageWidth, 320);
    EXPECT_EQ(form->tuning().crop.CropImageHeight, 200);
}

TEST_F(CropTabTest, AMovedFrameStopsAtThePicturesEdge) {
    showCropTab();
    app::CropView* view = form->cropView();
    const QRectF onScreen = view->frameOnScreen();
    // Shrink first, so there is room to move.
    const double scale = view->mapping().scale;
    drag(view, onScreen.topLeft(), onScreen.topLeft() + QPointF(100 * scale, 60 * scale));
    const core::CropFrame small = frame();
    ASSERT_LT(small.width, 300);
    drag(view, view->frameOnScreen().center(),
         view->frameOnScreen().center() + QPointF(2000, 2000));
    const core::CropFrame moved = frame();
    EXPECT_EQ(moved.width, small.width);
    EXPECT_EQ(moved.height, small.height);
    EXPECT_EQ(moved.left + moved.width, 320);
    EXPECT_EQ(moved.top + moved.height, 200);
}

TEST_F(CropTabTest, TheButtonsStraightenByHalfDegrees) {
    showCropTab();
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    for (int i = 0; i < 3; ++i)
        button("sbRotateCropRight")->click();
    EXPECT_EQ(form->tuning().crop.CropAngle, 1500);
    button("sbRotateCropLeft")->click();
    EXPECT_EQ(form->tuning().crop.CropAngle, 1000);
    EXPECT_TRUE(form->ui().stxtOutput->text().endsWith(QStringLiteral("; 1.0 degrees")));
    // The view is drawn again from the picture straightened by the new angle.
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    EXPECT_TRUE(form->cropView()->hasPicture());
    // With the crop off the buttons do nothing.
    button("cbEnableCrop")->click();
    EXPECT_FALSE(button("sbRotateCropRight")->isEnabled());
    form->cropTab()->turn(0.5);
    EXPECT_EQ(form->tuning().crop.CropAngle, 1000);
}

TEST_F(CropTabTest, ADragOutsideTheFrameStraightensThePicture) {
    showCropTab();
    app::CropView* view = form->cropView();
    // The strip left of the frame belongs to the picture but not to the frame.
    const core::CropViewMapping m = view->mapping();
    const QPointF from = m.toScreen(QPointF(4, 150));
    ASSERT_EQ(core::gripAt(view->frameOnScreen(), from), core::CropGrip::None);
    // The same point turned 10 degrees clockwise about the view's centre.
    const QPointF centre(view->width() / 2.0, view->height() / 2.0);
    const double a = 10.0 * 3.14159265358979 / 180.0;
    const QPointF d = from - centre;
    const QPointF to = centre + QPointF(d.x() * std::cos(a) - d.y() * std::sin(a),
                                        d.x() * std::sin(a) + d.y() * std::cos(a));
    drag(view, from, to);
    EXPECT_EQ(form->tuning().crop.CropAngle, 10000);
    EXPECT_EQ(form->tuning().crop.CropRect[0], 300);  // the frame keeps its size
}

TEST_F(CropTabTest, TheSelectionZoomShowsTheFrameLarger) {
    showCropTab();
    app::CropView* view = form->cropView();
    const QRectF onScreen = view->frameOnScreen();
    const double scale = view->mapping().scale;
    drag(view, onScreen.bottomRight(), onScreen.bottomRight() - QPointF(200 * scale, 150 * scale));
    ASSERT_LT(frame().width, 150);
    auto* zoom = form->ui().pages->control<QComboBox>(QStringLiteral("cmbZoomCrop"));
    ASSERT_EQ(zoom->count(), 2);
    EXPECT_EQ(zoom->itemText(1), QStringLiteral("Fit selection"));
    zoom->setCurrentIndex(1);
    emit zoom->activated(1);
    EXPECT_TRUE(view->zoomToSelection());
    EXPECT_GT(view->mapping().scale, 1.5 * scale);
    // The frame with its margin fills the view across or down.
    const QRectF zoomed = view->frameOnScreen();
    EXPECT_TRUE(zoomed.width() > 0.6 * view->width() || zoomed.height() > 0.6 * view->height());
    zoom->setCurrentIndex(0);
    emit zoom->activated(0);
    EXPECT_DOUBLE_EQ(view->mapping().scale, scale);
}

TEST_F(CropTabTest, AProportionTheViewCannotShowIsRefused) {
    showCropTab();
    auto* width = form->ui().pages->control<QSpinBox>(QStringLiteral("Edit_crop_userwidth"));
    auto* height = form->ui().pages->control<QSpinBox>(QStringLiteral("Edit_crop_userheight"));
    button("cbApplyUserResize")->click();
    width->setValue(5000);
    height->setValue(10);
    ASSERT_TRUE(asker.requests().empty());
    button("RadioButton_crop_2")->click();  // the user's size: 500 : 1
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_TRUE(
        asker.requests()[0].text.startsWith(QStringLiteral("The proportion must lie between ")))
        << qPrintable(asker.requests()[0].text);
    // The height field is emptied and the frame fitted to what is left: the picture's own shape.
    EXPECT_EQ(form->tuning().crop.CropUserHeight, 0);
    EXPECT_EQ(height->value(), 0);
    EXPECT_EQ(frame(), (core::CropFrame{320, 200, 0, 0}));
}

}  // namespace

}  // namespace apptest
