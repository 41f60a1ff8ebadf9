#include "app/preview/picture_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace app {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(32, 32);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureView::clearPicture() {
    picture_ = QImage();
    update();
}

void PictureView::setFrame(const QRect& frame) {
    frame_ = frame;
    update();
}

void PictureView::setZoom(int percent) {
    zoom_ = std::max(0, percent);
    update();
}

void PictureView::setFitMargin(double share) {
    fitMargin_ = std::clamp(share, 0.0, 0.5);
    update();
}

QRect PictureView::pictureRect() const {
    if (picture_.isNull()) return {};
    double scale;
    if (zoom_ > 0) {
        scale = zoom_ / 100.0;
    } else {
        const double room = 1.0 - fitMargin_;
        scale = std::min(width() * room / picture_.width(), height() * room / picture_.height());
        scale = std::min(scale, 1.0);  // a small picture is shown at its own size
    }
    const int w = std::max(1, static_cast<int>(std::lround(picture_.width() * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(picture_.height() * scale)));
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

void PictureView::paintEvent(QPaintEvent* event) {
    ++paintCount_;
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    if (picture_.isNull()) return;
    const QRect target = pictureRect();
    const QRect visible = target.intersected(event->rect());
    if (visible.isEmpty()) return;
    // The part of the picture behind the visible part of the target, so that a huge picture
    // is never scaled as a whole.
    const double sx = double(picture_.width()) / target.width();
    const double sy = double(picture_.height()) / target.height();
    const QRectF source((visible.left() - target.left()) * sx, (visible.top() - target.top()) * sy,
                        visible.width() * sx, visible.height() * sy);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sx < 4 && sy < 4);
    painter.drawImage(QRectF(visible), picture_, source);
    if (!frame_.isEmpty()) {
        const QRectF f(target.left() + frame_.left() / sx, target.top() + frame_.top() / sy,
                       frame_.width() / sx, frame_.height() / sy);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(f.adjusted(0, 0, -1, -1));
    }
}

QPoint PictureView::toPicture(QPoint widgetPoint) const {
    const QRect target = pictureRect();
    if (target.isEmpty()) return {};
    const int x = (widgetPoint.x() - target.left()) * picture_.width() / target.width();
    const int y = (widgetPoint.y() - target.top()) * picture_.height() / target.height();
    return {std::clamp(x, 0, picture_.width() - 1), std::clamp(y, 0, picture_.height() - 1)};
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    emit pressed(toPicture(event->position().toPoint()), event->buttons(), event->modifiers());
    emit pointerPressed(event->position().toPoint(), event->buttons());
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) {
        emit dragged(toPicture(event->position().toPoint()), event->buttons());
        emit pointerMoved(event->position().toPoint());
    }
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    emit released(toPicture(event->position().toPoint()));
    emit pointerReleased(event->position().toPoint());
}

}  // namespace app
