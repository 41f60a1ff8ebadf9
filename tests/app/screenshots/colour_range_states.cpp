// The colour-range window with a range picked in the preview and a target chosen in its palette,
// the preview showing the selection beside it, and the range list with three ranges. The ranges
// are deleted again, so that the pictures taken afterwards are not coloured by them.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QThread>
#include <QToolButton>

#include "app/editors/colour_range_list_form.h"
#include "app/editors/colour_range_window.h"
#include "app/editors/colour_ranges.h"
#include "app/main/main_form.h"
#include "core/preview/pointer_marks.h"
#include "shots.h"

namespace shots {

namespace {

// Lets events run until done() holds, for at most a minute.
template <typename Done>
void waitUntil(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    QApplication::processEvents();
}

void settleWindow(app::TMainForm& window) {
    waitUntil([&window] {
        return !window.busy() && !window.scheduler().requestPending() &&
               !window.scheduler().restartPending();
    });
}

void waitForDrawings(app::FWChangeColorRange* w) {
    waitUntil([w] { return !w->drawing() && !w->palette().isNull(); });
}

void press(QWidget* w, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                                           : Qt::MouseButtons(Qt::NoButton),
                          modifiers);
        QApplication::sendEvent(w, &event);
    }
}

}  // namespace

void saveColourRangeStates(app::TMainForm& window, const QString& folder, const QString& language) {
    QWidget* page = window.ui().pages->page(QStringLiteral("tsColor"));
    if (!page || !window.tuningMode()) return;
    window.ui().pages->setCurrentWidget(page);
    settleWindow(window);
    app::ColourRanges* ranges = window.colourRanges();
    app::FWChangeColorRange* w = ranges->window();

    // The most saturated spot of the preview, as one would pick a colour to correct.
    app::PictureView* view = window.ui().imagePreviewSource;
    const QRect r = view->pictureRect();
    const QImage shown = view->picture();
    QPoint best(shown.width() / 2, shown.height() / 2);
    int bestScore = -1;
    for (int y = 2; y < shown.height() - 2; y += 2)
        for (int x = 2; x < shown.width() - 2; x += 2) {
            const QColor c = shown.pixelColor(x, y);
            const int score = c.hsvSaturation() * std::min(c.value(), 200);
            if (score > bestScore) {
                bestScore = score;
                best = QPoint(x, y);
            }
        }
    const QPoint at = r.topLeft() + QPoint(best.x() * r.width() / std::max(1, shown.width()),
                                           best.y() * r.height() / std::max(1, shown.height()));
    press(view, at, Qt::RightButton, Qt::AltModifier);
    waitUntil([ranges] { return ranges->windowOpen(); });
    if (!ranges->windowOpen()) return;
    waitForDrawings(w);
    settleWindow(window);
    save(*w, folder, language + QStringLiteral("-colour-range-new"));
    save(window, folder, language + QStringLiteral("-colour-range-selection"));

    // A target a little toward blue-green in the palette, at zoom 2.
    w->btCCRZoomplus->click();
    waitForDrawings(w);
    press(w->ImPaleteCCR, QPoint(w->ImPaleteCCR->width() * 3 / 10, w->ImPaleteCCR->height() / 3),
          Qt::LeftButton, Qt::NoModifier);
    waitForDrawings(w);
    settleWindow(window);
    save(*w, folder, language + QStringLiteral("-colour-range-target"));
    w->CCR_Sb_Save->click();
    settleWindow(window);

    // Two more ranges, the second one edited, then the list.
    core::addColourRange(window.tuning(), core::colourRangeAround({36000, 30000, 14000}, 40));
    core::addColourRange(window.tuning(), core::colourRangeAround({12000, 22000, 36000}, 60));
    ranges->edit(1);
    settleWindow(window);
    if (ranges->showList()) {
        waitUntil([ranges] { return ranges->list() != nullptr; });
        if (app::TFormEditSavedCCR* list = ranges->list()) {
            QApplication::processEvents();
            save(*list, folder, language + QStringLiteral("-colour-range-list"));
            list->btDeleteAllClick();
        }
    }
    settleWindow(window);
}

}  // namespace shots
