#include "app/fullscreen/full_screen_view.h"

#include <QPainter>

namespace app {

FullScreenView::FullScreenView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageFSView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FullScreenView::setPicture(const QImage& picture, bool smooth) {
    picture_ = picture;
    smooth_ = smooth;
    update();
}

void FullScreenView::clearPicture() {
    picture_ = QImage();
    update();
}

void FullScreenView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
    painter.drawImage(rect(), picture_);
}

}  // namespace app
