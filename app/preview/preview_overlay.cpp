#include "app/preview/preview_overlay.h"

#include <QEvent>
#include <QPainter>

#include "app/preview/picture_view.h"

namespace app {

PreviewOverlay::PreviewOverlay(PictureView* view) : QWidget(view), view_(view) {
    setObjectName(view->objectName() + QStringLiteral("Overlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(view->rect());
    view->installEventFilter(this);
    show();
}

void PreviewOverlay::setSamplingFrame(const QRect& frame) {
    frame_ = frame;
    update();
}

void PreviewOverlay::hideSamplingFrame() {
    frame_.reset();
    update();
}

void PreviewOverlay::setShape(const QRect& shape, bool ellipse) {
    shape_ = shape;
    ellipse_ = ellipse;
    update();
}

void PreviewOverlay::hideShape() {
    shape_.reset();
    update();
}

void PreviewOverlay::hideAll() {
    frame_.reset();
    shape_.reset();
    update();
}

bool PreviewOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Resize) {
        setGeometry(view_->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewOverlay::paintEvent(QPaintEvent*) {
    if (!frame_ && !shape_) return;
    const QPoint origin = view_->pictureRect().topLeft();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A dark line under a light one, so the marks read on bright and dark pictures alike.
    const auto outline = [&painter](const QRect& r, bool ellipse) {
        for (const auto& [colour, width] :
             {std::pair{QColor(0, 0, 0, 160), 3}, {QColor(Qt::white), 1}}) {
            painter.setPen(QPen(colour, width));
            painter.setBrush(Qt::NoBrush);
            if (ellipse)
                painter.drawEllipse(r);
            else
                painter.drawRect(r);
        }
    };
    if (frame_) outline(frame_->translated(origin).adjusted(0, 0, -1, -1), false);
    if (shape_) outline(shape_->translated(origin).adjusted(0, 0, -1, -1), ellipse_);
}

}  // namespace app
