// The Text tab in the window: the caption preview, the caption dragged to a new place with one
// preview for the move, and the Ctrl keys and buttons that move it and size its font.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/settings/text_tab.h"
#include "app_fixture.h"

namespace apptest {

namespace {

void drag(QWidget* widget, QPoint from, QPoint to) {
    const auto send = [widget](QEvent::Type type, QPoint at, Qt::MouseButton button,
                               Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

class TextTabTest : public WindowTest {
  protected:
    void showCaption() {
        open(smallPicture());
        QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
        form->menuRebuildClick();
        ASSERT_TRUE(shown.wait(kWaitMs));
        settle(*form);
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsText")));
        settle(*form);
        button("cbInsertText")->click();
        QTest::keyClicks(form->ui().pages->control<QLineEdit>(QStringLiteral("editTextCaption")),
                         QStringLiteral("Velmar"));
        for (int i = 0; i < 400 && !form->textTab()->captionDrawn(); ++i)
            QTest::qWait(25);
        settle(*form);
        ASSERT_TRUE(form->textTab()->captionDrawn());
    }
    QAbstractButton* button(const char* name) {
        return form->ui().pages->control<QAbstractButton>(QString::fromLatin1(name));
    }
    // A point of the shown preview picture in the view's own coordinates.
    QPoint onView(QPoint picturePoint) const {
        const app::PictureView* view = form->ui().imagePreviewOutput;
        const QRect shown = view->pictureRect();
        const double f = double(shown.width()) / view->picture().width();
        return shown.topLeft() + QPoint(int(picturePoint.x() * f), int(picturePoint.y() * f));
    }
};

TEST_F(TextTabTest, TheCaptionPreviewShowsTheCaptionOnThePicture) {
    showCaption();
    const QImage& preview = form->ui().imagePreviewOutput->picture();
    const QRect caption = form->textTab()->captionRect();
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_TRUE(QRect(QPoint(0, 0), preview.size()).contains(caption));
    // The right alignment puts it at the right, near the bottom.
    EXPECT_GT(caption.center().x(), preview.width() / 2);
    EXPECT_GT(caption.center().y(), preview.height() / 2);
}

TEST_F(TextTabTest, ADraggedCaptionMovesWithOnePreview) {
    showCaption();
    const QImage& preview = form->ui().imagePreviewOutput->picture();
    const int w = preview.width(), h = preview.height();
    const QRect before = form->textTab()->captionRect();
    const int32_t x0 = form->tuning().block.TextPosX, y0 = form->tuning().block.TextPosY;
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    const QPoint from = before.center();
    const QPoint to = from - QPoint(w / 4, h / 4);  // a quarter to the left and up
    drag(form->ui().imagePreviewOutput, onView(from), onView(to));
    // A quarter of the picture is 2500 of 10 000, give or take the view's scale.
    EXPECT_NEAR(form->tuning().block.TextPosX, x0 - 2500, 60);
    EXPECT_NEAR(form->tuning().block.TextPosY, y0 + 2500, 60);
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    QTest::qWait(1100);  // two ticks of the scheduler: nothing further is pending
    settle(*form);
    EXPECT_EQ(shown.count(), 1);
    const QRect after = form->textTab()->captionRect();
    EXPECT_LT(after.center().x(), before.center().x() - w / 8);
    EXPECT_LT(after.center().y(), before.center().y() - h / 8);
}

TEST_F(TextTabTest, APressBesideTheCaptionMovesNothing) {
    showCaption();
    const int32_t x0 = form->tuning().block.TextPosX, y0 = form->tuning().block.TextPosY;
    drag(form->ui().imagePreviewOutput, onView(QPoint(2, 2)), onView(QPoint(40, 40)));
    EXPECT_EQ(form->tuning().block.TextPosX, x0);
    EXPECT_EQ(form->tuning().block.TextPosY, y0);
}

TEST_F(TextTabTest, CtrlKeysAndTheFontButtonsMoveAndSizeTheCaption) {
    showCaption();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const int32_t x0 = form->tuning().block.TextPosX, y0 = form->tuning().block.TextPosY;
    const int32_t size0 = form->tuning().font.size;
    QTest::keyClick(form.get(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(form->tuning().block.TextPosX, x0 - 50);
    QTest::keyClick(form.get(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(form->tuning().block.TextPosY, y0 + 50);
    QTest::keyClick(form.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(form->tuning().font.size, size0 + 1);
    button("sbDecreaseFont")->click();
    button("sbDecreaseFont")->click();
    EXPECT_EQ(form->tuning().font.size, size0 - 1);
    // The alignment buttons put the caption at their side.
    button("sbTextAlignCenter")->click();
    EXPECT_EQ(form->tuning().block.TextPosX, 5000);
    settle(*form);
}

TEST_F(TextTabTest, TheFontAndColourChoicesReachTheSettings) {
    showCaption();
    form->textTab()->setFontChooser([](const QFont&) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPointSize(20);
        f.setBold(true);
        return std::optional<QFont>(f);
    });
    QString asked;
    form->textTab()->setColourChooser([&asked](const QColor&, const QString& button) {
        asked = button;
        return std::optional<QColor>(QColor(10, 20, 30));
    });
    button("sbFont")->click();
    EXPECT_EQ(form->tuning().font.name, "DejaVu Serif");
    EXPECT_EQ(form->tuning().font.size, 20);
    EXPECT_TRUE(form->tuning().font.bold);
    button("sbColorText")->click();
    EXPECT_EQ(asked, QStringLiteral("sbColorText"));
    EXPECT_EQ(form->tuning().colours.text, 10u | (20u << 8) | (30u << 16));
    settle(*form);
}

}  // namespace

}  // namespace apptest
