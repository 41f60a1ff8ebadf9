// The four curve editors, each over its tab in the tuning mode with its curve shaped by two drags,
// saved alone and drawn over the main window where it stands. The curves are reset afterwards and
// the windows closed, so that the pictures taken later are not changed by them.
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "app/editors/equalizer_forms.h"
#include "app/editors/equalizers.h"
#include "app/main/main_form.h"
#include "app/settings/tuning_pages.h"
#include "shots.h"

namespace shots {

namespace {

void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void settleWindow(app::TMainForm& window) {
    for (int i = 0;
         i < 400 && (window.scheduler().running() || window.scheduler().requestPending() ||
                     window.scheduler().restartPending());
         ++i)
        pause(25);
}

void waitForPanel(app::TEqualizerForm* w) {
    for (int i = 0; i < 400 && (w->busy() || w->image()->picture().isNull()); ++i)
        pause(10);
    pause(50);
}

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A left drag from one point to another, waiting for each step.
void drag(app::TEqualizerForm* w, QPoint from, QPoint to) {
    QWidget* image = w->image();
    send(image, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    waitForPanel(w);
    send(image, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    waitForPanel(w);
    send(image, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

void saveEqualizerStates(app::TMainForm& window, const QString& folder, const QString& language) {
    struct Shot {
        core::CurveType type;
        const char* sheet;
        const char* name;
    };
    const Shot shots[] = {{core::CurveType::Brightness, "tsBrightness", "brightness"},
                          {core::CurveType::Saturation, "tsColor", "saturation"},
                          {core::CurveType::Noise, "tsNoiseReduction", "noise"},
                          {core::CurveType::Sharpness, "tsSharpening", "sharpness"}};
    app::TuningPages* pages = window.ui().pages;
    for (const Shot& s : shots) {
        pages->setCurrentWidget(pages->page(QString::fromLatin1(s.sheet)));
        auto* opener =
            pages->control<QAbstractButton>(QString::fromLatin1(core::curveNames(s.type).opener));
        if (!opener) continue;
        if (!opener->isChecked()) opener->click();
        app::TEqualizerForm* w = window.equalizers()->window(s.type);
        if (!w || !w->isVisible()) continue;
        w->resize(320, 200);
        waitForPanel(w);
        const int width = w->image()->width(), height = w->image()->height();
        drag(w, QPoint(width / 4, height / 2), QPoint(width / 4, height / 5));
        drag(w, QPoint(width * 3 / 4, height / 2), QPoint(width * 3 / 4, height * 4 / 5));
        settleWindow(window);
        waitForPanel(w);
        w->fixMarker(s.type == core::CurveType::Brightness ? 128 : 120);
        w->showValue(s.type == core::CurveType::Brightness ? 200 : 240, w->curveName());
        const QString name = language + QStringLiteral("-equalizer-") + QLatin1String(s.name);
        save(*w, folder, name);
        // The editor where it floats over the main window, its caption written above it.
        QImage whole = window.grab().toImage();
        {
            QPainter painter(&whole);
            const QPoint at = w->geometry().topLeft() - window.geometry().topLeft();
            const QRect title(at.x(), at.y() - 22, w->width(), 22);
            painter.fillRect(title, QColor(60, 60, 70));
            painter.setPen(Qt::white);
            painter.drawText(title.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                             w->windowTitle());
            painter.drawPixmap(at, w->grab());
        }
        whole.save(folder + QLatin1Char('/') + name + QStringLiteral("-over-window.png"));
        // Back to flat, and closed.
        send(w->image(), QEvent::MouseButtonRelease, QPoint(10, 10), Qt::RightButton, Qt::NoButton);
        w->fixMarker(-1);
        w->hideMarker();
        w->close();
        settleWindow(window);
    }
}

}  // namespace shots
