#include "app/main/command_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace app {

namespace {

constexpr int kIconSize = 24;
constexpr int kStepWidth = 64;
constexpr int kStepHeight = 40;
const QColor kInk(40, 60, 90);

QPixmap blank(int w = kIconSize, int h = kIconSize) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    const QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    if (len == 0) return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const QPolygonF head{tip, tip - u * 6 + n * 4, tip - u * 6 - n * 4};
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void straightArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to - (to - from) * (5.0 / std::hypot((to - from).x(), (to - from).y())));
    arrowHead(p, to, from);
}

void turnArrow(QPainter& p, bool clockwise) {
    const QRectF r(5, 5, 14, 14);
    p.drawArc(r, clockwise ? 200 * 16 : -20 * 16, clockwise ? -250 * 16 : 250 * 16);
    if (clockwise)
        arrowHead(p, QPointF(19, 14), QPointF(19, 8));
    else
        arrowHead(p, QPointF(5, 14), QPointF(5, 8));
}

void magnifier(QPainter& p, bool plus) {
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus) p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

void sheet(QPainter& p, QRectF r) {
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
}

void drawTool(QPainter& p, const QString& name) {
    if (name == QLatin1String("tbImgUp")) {
        straightArrow(p, QPointF(20, 12), QPointF(4, 12));
    } else if (name == QLatin1String("tbImgDown")) {
        straightArrow(p, QPointF(4, 12), QPointF(20, 12));
    } else if (name == QLatin1String("tbResetOptions")) {
        p.drawArc(QRectF(4, 4, 16, 16), 90 * 16, 300 * 16);
        arrowHead(p, QPointF(12, 4), QPointF(17, 4.5));
        p.drawEllipse(QPointF(12, 12), 1.5, 1.5);
    } else if (name == QLatin1String("tbUndo")) {
        QPainterPath path(QPointF(18, 19));
        path.cubicTo(QPointF(22, 10), QPointF(14, 6), QPointF(6, 9));
        p.drawPath(path);
        arrowHead(p, QPointF(4, 10), QPointF(10, 7.5));
    } else if (name == QLatin1String("tbCopy")) {
        sheet(p, QRectF(4, 3, 11, 13));
        sheet(p, QRectF(9, 8, 11, 13));
    } else if (name == QLatin1String("tbPaste")) {
        sheet(p, QRectF(5, 5, 14, 16));
        p.setBrush(kInk);
        p.drawRect(QRectF(9, 3, 6, 4));
        p.setBrush(Qt::NoBrush);
    } else if (name == QLatin1String("tbQAdd")) {
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(3, 6 + i * 5), QPointF(13, 6 + i * 5));
        p.drawLine(QPointF(17, 10), QPointF(17, 20));
        p.drawLine(QPointF(12, 15), QPointF(22, 15));
    } else if (name == QLatin1String("tbRotateLeft")) {
        turnArrow(p, false);
    } else if (name == QLatin1String("tbRotateRight")) {
        turnArrow(p, true);
    } else if (name == QLatin1String("tbZoomIn")) {
        magnifier(p, true);
    } else if (name == QLatin1String("tbZoomOut")) {
        magnifier(p, false);
    } else if (name == QLatin1String("tbFullScreen")) {
        p.drawRect(QRectF(3, 5, 18, 14));
        straightArrow(p, QPointF(10, 12), QPointF(5, 7));
        straightArrow(p, QPointF(14, 12), QPointF(19, 17));
    } else if (name == QLatin1String("tbDoubleWin")) {
        p.drawRect(QRectF(2, 6, 9, 12));
        p.drawRect(QRectF(13, 6, 9, 12));
    } else if (name == QLatin1String("tbExpMode")) {
        for (int i = 0; i < 3; ++i) {
            const double y = 6 + i * 6;
            p.drawLine(QPointF(3, y), QPointF(21, y));
            p.setBrush(kInk);
            p.drawRect(QRectF(i == 1 ? 13 : 6, y - 2.5, 4, 5));
            p.setBrush(Qt::NoBrush);
        }
    } else if (name == QLatin1String("tbHelp")) {
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(18);
        p.setFont(f);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    } else if (name == QLatin1String("tbHelpPanel")) {
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(QColor(255, 230, 140));
        p.drawRect(QRectF(3, 14, 18, 7));
        p.setBrush(Qt::NoBrush);
    }
}

// Each state has its own ground so that the bar reads at a glance: current bright, suggested
// green, available plain, locked and unavailable faded.
QColor stepGround(core::StepState state) {
    switch (state) {
        case core::StepState::Available:
            return QColor(214, 226, 242);
        case core::StepState::Current:
            return QColor(255, 190, 70);
        case core::StepState::Locked:
            return QColor(200, 200, 200);
        case core::StepState::Suggested:
            return QColor(140, 210, 120);
        case core::StepState::Unavailable:
            return QColor(235, 235, 235);
    }
    return Qt::white;
}

void stepGlyph(QPainter& p, core::Step step, QRectF box) {
    const QPointF c = box.center();
    switch (step) {
        case core::Step::Open: {  // a folder
            QPolygonF folder{c + QPointF(-10, -6), c + QPointF(-4, -6), c + QPointF(-2, -3),
                             c + QPointF(10, -3),  c + QPointF(10, 7),  c + QPointF(-10, 7)};
            p.drawPolygon(folder);
            break;
        }
        case core::Step::View: {  // an eye
            QPainterPath eye(c + QPointF(-11, 0));
            eye.quadTo(c + QPointF(0, -10), c + QPointF(11, 0));
            eye.quadTo(c + QPointF(0, 10), c + QPointF(-11, 0));
            p.drawPath(eye);
            p.setBrush(p.pen().color());
            p.drawEllipse(c, 3, 3);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case core::Step::Tune:  // sliders
            for (int i = -1; i <= 1; ++i) {
                const double y = c.y() + i * 5;
                p.drawLine(QPointF(c.x() - 10, y), QPointF(c.x() + 10, y));
                p.setBrush(p.pen().color());
                p.drawRect(QRectF(c.x() + i * 5 - 2, y - 2, 4, 4));
                p.setBrush(Qt::NoBrush);
            }
            break;
        case core::Step::Process: {  // a play triangle
            QPolygonF play{c + QPointF(-6, -8), c + QPointF(8, 0), c + QPointF(-6, 8)};
            p.setBrush(p.pen().color());
            p.drawPolygon(play);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case core::Step::Save:  // a disk
            p.drawRect(QRectF(c.x() - 9, c.y() - 9, 18, 18));
            p.drawRect(QRectF(c.x() - 5, c.y() - 9, 10, 6));
            p.drawRect(QRectF(c.x() - 6, c.y() + 2, 12, 7));
            break;
    }
}

}  // namespace

QIcon toolButtonIcon(const QString& name) {
    QPixmap pixmap = blank();
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        drawTool(p, name);
    }
    const QImage image = pixmap.toImage();
    // A name without a picture leaves the pixmap empty.
    bool any = false;
    for (int y = 0; y < image.height() && !any; ++y)
        for (int x = 0; x < image.width() && !any; ++x)
            any = qAlpha(image.pixel(x, y)) != 0;
    return any ? QIcon(pixmap) : QIcon();
}

QPixmap stepPicture(core::Step step, core::StepState state) {
    QPixmap pixmap = blank(kStepWidth, kStepHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const bool faded = state == core::StepState::Unavailable || state == core::StepState::Locked;
    const QColor ink = faded ? QColor(150, 150, 150) : kInk;
    p.setPen(QPen(faded ? QColor(180, 180, 180) : QColor(90, 110, 140), 1));
    p.setBrush(stepGround(state));
    p.drawRoundedRect(QRectF(1.5, 1.5, kStepWidth - 3, kStepHeight - 3), 6, 6);
    if (state == core::StepState::Current) {
        p.setPen(QPen(QColor(200, 110, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2, 2, kStepWidth - 4, kStepHeight - 4), 6, 6);
    }
    // The step's number on the left, its glyph on the right.
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRectF(4, 0, 20, kStepHeight), Qt::AlignCenter,
               QString::number(static_cast<int>(step) + 1));
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    stepGlyph(p, step, QRectF(24, 4, kStepWidth - 28, kStepHeight - 8));
    if (state == core::StepState::Locked) {  // a small padlock
        p.setPen(QPen(QColor(110, 110, 110), 1.5));
        p.setBrush(QColor(110, 110, 110));
        p.drawRect(QRectF(kStepWidth - 14, kStepHeight - 13, 9, 7));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(kStepWidth - 12.5, kStepHeight - 18, 6, 8), 0, 180 * 16);
    }
    return pixmap;
}

QIcon tabMarkerIcon(bool inUse) {
    QPixmap pixmap = blank(12, 12);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (inUse) {
        p.setPen(QPen(QColor(20, 110, 20), 1));
        p.setBrush(QColor(60, 190, 60));
    } else {
        p.setPen(QPen(QColor(160, 160, 160), 1.5));
        p.setBrush(Qt::NoBrush);
    }
    p.drawEllipse(QRectF(2, 2, 8, 8));
    return QIcon(pixmap);
}

QIcon equalizerIcon(bool shaped) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(shaped ? QColor(200, 60, 30) : kInk, 2));
    if (shaped) {
        QPainterPath curve(QPointF(4, 14));
        curve.cubicTo(QPointF(9, 2), QPointF(14, 22), QPointF(20, 8));
        p.drawPath(curve);
    } else {
        p.drawLine(QPointF(4, 12), QPointF(20, 12));
    }
    return QIcon(pixmap);
}

}  // namespace app
