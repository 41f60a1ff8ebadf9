// The navigator panel in the main window: a folder of photographs with two checked, and its pop-up
// menu on the checked files.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

#include "app/main/main_form.h"
#include "app/navigator/navigator_commands.h"
#include "app/navigator/navigator_panel.h"
#include "shots.h"

namespace shots {

namespace {

void waitUntil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A small landscape: sky, sun, hills, in colours that change from picture to picture.
QImage landscape(int seed, bool upright) {
    const int w = upright ? 300 : 400, h = upright ? 400 : 300;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 23) % 360, 160, 240));
    sky.setColorAt(1, QColor::fromHsv((30 + seed * 17) % 360, 90, 250));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(255, 220, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * (0.2 + 0.06 * (seed % 10)), h * 0.25), h * 0.08, h * 0.08);
    p.setBrush(QColor::fromHsv((90 + seed * 11) % 360, 150, 120));
    QPainterPath hills;
    hills.moveTo(0, h);
    hills.lineTo(0, h * 0.65);
    hills.cubicTo(w * 0.3, h * (0.45 + 0.02 * (seed % 5)), w * 0.6, h * 0.8, w, h * 0.6);
    hills.lineTo(w, h);
    p.drawPath(hills);
    return image;
}

}  // namespace

void saveNavigatorStates(app::TMainForm& window, const QString& folder, const QString& language) {
    QTemporaryDir photos;
    const QString pictures = photos.filePath(QStringLiteral("Holiday 2024"));
    QDir().mkpath(pictures + QStringLiteral("/Beach"));
    QDir().mkpath(pictures + QStringLiteral("/Mountains"));
    for (int i = 0; i < 14; ++i)
        landscape(i, i % 5 == 3)
            .save(pictures + QStringLiteral("/IMG_%1.jpg").arg(4100 + i), "JPG", 90);
    landscape(20, false).save(pictures + QStringLiteral("/Beach/IMG_5000.jpg"), "JPG", 90);
    app::NavigatorPanel* panel = window.navigator()->panel();
    QAction* inMain = window.ui().menu[QStringLiteral("menuNavPanelMain")];
    const bool wasShown = inMain->isChecked();
    inMain->setChecked(true);
    const QString previous = window.document().fileName();
    window.openScanned(pictures + QStringLiteral("/IMG_4102.jpg"));
    waitUntil([&] {
        return !window.busy() && panel->model().files().size() == 14 &&
               panel->thumbnailsShown() == 14;
    });
    for (int row = 0; row < panel->list()->count(); ++row) {
        QListWidgetItem* item = panel->list()->item(row);
        if (item->text() == QStringLiteral("IMG_4103.jpg") ||
            item->text() == QStringLiteral("IMG_4105.jpg"))
            item->setCheckState(Qt::Checked);
    }
    save(window, folder, language + QStringLiteral("-navigator-folder"));
    panel->prepareMenu();
    panel->popupMenu()->popup(panel->mapToGlobal(QPoint(120, 200)));
    QApplication::processEvents();
    save(*panel->popupMenu(), folder, language + QStringLiteral("-navigator-menu"));
    panel->popupMenu()->hide();
    // Back to the picture the other pictures show.
    inMain->setChecked(wasShown);
    if (!previous.isEmpty()) {
        window.openScanned(previous);
        waitUntil([&] { return !window.busy() && window.document().fileName() == previous; });
    }
}

}  // namespace shots
