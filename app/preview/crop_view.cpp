#include "app/preview/crop_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/crop/crop_view_limits.h"
#include "core/crop/straightening.h"

namespace app {

namespace {

constexpr int kTurnSampleMs = 100;
constexpr int kDarkening = 140;  // alpha of the black laid over the picture outside the frame

Qt::CursorShape cursorFor(core::CropGrip grip) {
    using G = core::CropGrip;
    switch (grip) {
        case G::Move:
            return Qt::SizeAllCursor;
        case G::Left:
        case G::Right:
            return Qt::SizeHorCursor;
        case G::Top:
        case G::Bottom:
            return Qt::SizeVerCursor;
        case G::TopLeft:
        case G::BottomRight:
            return Qt::SizeFDiagCursor;
        case G::TopRight:
        case G::BottomLeft:
            return Qt::SizeBDiagCursor;
        case G::None:
            break;
    }
    return Qt::CrossCursor;
}

}  // namespace

CropView::CropView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CropView"));
    setMouseTracking(true);
    setMinimumSize(120, 90);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
    turnTimer_.setInterval(kTurnSampleMs);
    connect(&turnTimer_, &QTimer::timeout, this, [this] { turnTick(); });
}

void CropView::setPicture(const QImage& shown, core::PixelSize pictureSize) {
    shown_ = shown;
    pictureSize_ = pictureSize;
    rescale();
    update();
}

void CropView::clearPicture() {
    shown_ = QImage();
    scaled_ = QImage();
    update();
}

void CropView::setFrame(const core::CropFrame& frame) {
    if (frame == frame_) return;
    frame_ = frame;
    if (zoomToSelection_ && grip_ == core::CropGrip::None) rescale();
    update();
}

void CropView::setProportion(const core::CropProportion& proportion) {
    proportion_ = proportion;
}

void CropView::setZoomToSelection(bool on) {
    if (on == zoomToSelection_) return;
    zoomToSelection_ = on;
    rescale();
    update();
}

core::CropViewMapping CropView::mapping() const {
    if (grip_ != core::CropGrip::None) return dragMapping_;
    const QRectF whole(0, 0, pictureSize_.width, pictureSize_.height);
    const QRectF area =
        zoomToSelection_ && !frame_.empty()
            ? QRectF(core::selectionArea(frame_, pictureSize_.width, pictureSize_.height))
            : whole;
    return core::fitAreaIntoView(area, QSizeF(size()));
}

core::PixelSize CropView::minimumOnScreen() const {
    return core::minimumFrameOnScreen(mapping().scale, proportion_);
}

core::PixelSize CropView::minimumInPicture(const core::CropViewMapping& m) const {
    const core::PixelSize screen = core::minimumFrameOnScreen(m.scale, proportion_);
    if (m.scale <= 0) return {core::kMinimumFrameSide, core::kMinimumFrameSide};
    return {int32_t(std::ceil(screen.width / m.scale)),
            int32_t(std::ceil(screen.height / m.scale))};
}

core::PixelSize CropView::viewArea() const {
    if (!zoomToSelection_) return {width(), height()};
    const core::CropViewMapping m = mapping();
    const QRectF picture(m.toScreen(QPointF(0, 0)),
                         m.toScreen(QPointF(pictureSize_.width, pictureSize_.height)));
    const QRectF covered = picture.intersected(QRectF(rect()));
    return {int32_t(std::floor(covered.width())), int32_t(std::floor(covered.height()))};
}

void CropView::rescale() {
    scaled_ = QImage();
    if (shown_.isNull() || pictureSize_.width <= 0 || pictureSize_.height <= 0) return;
    const core::CropViewMapping m = mapping();
    const double toShown = double(shown_.width()) / pictureSize_.width;
    const QSize target(std::max(1, int(std::lround(shown_.width() * m.scale / toShown))),
                       std::max(1, int(std::lround(shown_.height() * m.scale / toShown))));
    scaled_ = shown_.size() == target
                  ? shown_
                  : shown_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void CropView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rescale();
}

void CropView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (scaled_.isNull()) return;
    const core::CropViewMapping m = mapping();
    const QPointF origin = m.toScreen(QPointF(0, 0));
    if (grip_ != core::CropGrip::None && zoomToSelection_) {
        // The scaled copy belongs to the view before the drag; draw the whole picture afresh.
        const QRectF target(origin, m.toScreen(QPointF(pictureSize_.width, pictureSize_.height)));
        painter.drawImage(target, shown_);
    } else {
        painter.drawImage(origin, scaled_);
    }
    if (frame_.empty()) return;
    const QRectF frame = m.toScreen(frame_);
    QPainterPath outside;
    outside.addRect(QRectF(rect()));
    outside.addRect(frame);
    painter.fillPath(outside, QColor(0, 0, 0, kDarkening));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    const double h = core::kFrameHandleSize;
    const QPointF handles[] = {frame.topLeft(),
                               frame.topRight(),
                               frame.bottomLeft(),
                               frame.bottomRight(),
                               {frame.center().x(), frame.top()},
                               {frame.center().x(), frame.bottom()},
                               {frame.left(), frame.center().y()},
                               {frame.right(), frame.center().y()}};
    painter.setPen(QPen(Qt::black, 1));
    for (const QPointF& at : handles)
        painter.fillRect(QRectF(at.x() - h / 2 - 1, at.y() - h / 2 - 1, h + 2, h + 2), Qt::black);
    for (const QPointF& at : handles)
        painter.fillRect(QRectF(at.x() - h / 2, at.y() - h / 2, h, h), Qt::white);
}

void CropView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !hasPicture() ||
        (event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier)))
        return;
    const core::CropViewMapping m = mapping();
    pressAt_ = pointer_ = event->position();
    const core::CropGrip grip =
        frame_.empty() ? core::CropGrip::None : core::gripAt(m.toScreen(frame_), pressAt_);
    if (grip == core::CropGrip::None) {
        const QRectF picture(m.toScreen(QPointF(0, 0)),
                             m.toScreen(QPointF(pictureSize_.width, pictureSize_.height)));
        if (!picture.contains(pressAt_)) return;
        turning_ = true;
        turned_ = 0;
        turnTimer_.start();
        return;
    }
    dragMapping_ = m;
    startFrame_ = frame_;
    grip_ = grip;
}

void CropView::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position();
    if (turning_) return;
    if (grip_ == core::CropGrip::None) {
        setCursor(hasPicture() && !frame_.empty()
                      ? cursorFor(core::gripAt(frameOnScreen(), pointer_))
                      : Qt::ArrowCursor);
        return;
    }
    const core::CropViewMapping& m = dragMapping_;
    if (m.scale <= 0) return;
    const QPointF d = (pointer_ - pressAt_) / m.scale;
    frame_ = core::draggedFrame(startFrame_, grip_, d.x(), d.y(), proportion_, minimumInPicture(m),
                                pictureSize_.width, pictureSize_.height);
    update();
}

void CropView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pointer_ = event->position();
    if (turning_) {
        turnTick();
        turnTimer_.stop();
        turning_ = false;
        return;
    }
    if (grip_ == core::CropGrip::None) return;
    mouseMoveEvent(event);
    grip_ = core::CropGrip::None;
    if (zoomToSelection_) rescale();
    update();
    if (frame_ != startFrame_) emit frameChanged(frame_);
}

void CropView::turnTick() {
    if (!turning_) return;
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double snapped = core::snapTurn(core::pointerTurn(centre, pressAt_, pointer_));
    const double turn = snapped - turned_;
    if (std::fabs(turn) < 1e-9) return;
    turned_ = snapped;
    emit turnRequested(turn);
}

}  // namespace app
