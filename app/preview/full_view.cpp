#include "app/preview/full_view.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace app {

namespace {

// The background behind and around the picture: 8421504, a middle grey.
const QColor kBackground(128, 128, 128);

}  // namespace

// The scroll box: its bars give the range, its viewport is the layer the picture is drawn on.
class FullViewArea : public QAbstractScrollArea {
  public:
    explicit FullViewArea(FullView* view) : QAbstractScrollArea(view), view_(view) {
        setFrameShape(QFrame::NoFrame);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        viewport()->setMouseTracking(false);
        const auto moved = [this] { emit view_->scrolled(view_->scrollPosition()); };
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, moved);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this, moved);
    }

  protected:
    void paintEvent(QPaintEvent* event) override { view_->paintLayer(event); }
    // The view scrolls by its bars' values; the layer is redrawn rather than moved.
    void scrollContentsBy(int, int) override { viewport()->update(); }
    void mousePressEvent(QMouseEvent* event) override {
        emit view_->pointerPressed(event->position().toPoint(), event->buttons());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() != Qt::NoButton)
            emit view_->pointerMoved(event->position().toPoint(), event->buttons());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        emit view_->pointerReleased(event->position().toPoint(), event->button());
    }

  private:
    FullView* view_;
};

FullView::FullView(const QString& paneName, const QString& areaName, const QString& layerName,
                   QWidget* parent)
    : QWidget(parent), area_(new FullViewArea(this)) {
    setObjectName(paneName);
    area_->setObjectName(areaName);
    area_->viewport()->setObjectName(layerName);
    setMinimumSize(32, 32);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    area_->setGeometry(rect());
}

void FullView::setPicture(const QImage& picture) {
    picture_ = picture;
    area_->viewport()->update();
    emit pictureChanged();
}

void FullView::clearPicture() {
    setPicture(QImage());
}

void FullView::setStandIn(const QImage& picture) {
    standIn_ = picture;
    area_->viewport()->update();
}

core::PictureSize FullView::paneSize() const {
    const QRect r = contentsRect();
    return {r.width(), r.height()};
}

int FullView::scrollBarRoom() const {
    return area_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area_);
}

void FullView::applyLayout(const core::ViewLayout& layout) {
    scale_ = layout.scale;
    control_ = layout.control;
    const core::PixelRect& b = layout.box.box;
    area_->setHorizontalScrollBarPolicy(layout.box.horizontalBar ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    area_->setVerticalScrollBarPolicy(layout.box.verticalBar ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
    area_->setGeometry(contentsRect().left() + b.left, contentsRect().top() + b.top, b.width,
                       b.height);
    QScrollBar* h = area_->horizontalScrollBar();
    QScrollBar* v = area_->verticalScrollBar();
    const QSignalBlocker blockH(h);
    const QSignalBlocker blockV(v);
    h->setRange(0, core::maxScroll(layout.control.width, layout.box.visible.width));
    v->setRange(0, core::maxScroll(layout.control.height, layout.box.visible.height));
    h->setPageStep(std::max(1, layout.box.visible.width));
    v->setPageStep(std::max(1, layout.box.visible.height));
    h->setSingleStep(20);
    v->setSingleStep(20);
    h->setValue(layout.geometry.scrollX);
    v->setValue(layout.geometry.scrollY);
    area_->viewport()->update();
}

QPoint FullView::scrollPosition() const {
    return {area_->horizontalScrollBar()->value(), area_->verticalScrollBar()->value()};
}

void FullView::setScrollPosition(QPoint position) {
    const QSignalBlocker blockH(area_->horizontalScrollBar());
    const QSignalBlocker blockV(area_->verticalScrollBar());
    area_->horizontalScrollBar()->setValue(position.x());
    area_->verticalScrollBar()->setValue(position.y());
    area_->viewport()->update();
}

QWidget* FullView::layer() const {
    return area_->viewport();
}

QWidget* FullView::scrollBox() const {
    return area_;
}

void FullView::setSmooth(bool smooth) {
    smooth_ = smooth;
    area_->viewport()->update();
}

void FullView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit paneResized();
}

void FullView::paintLayer(QPaintEvent* event) {
    ++paintCount_;
    QWidget* layer = area_->viewport();
    QPainter painter(layer);
    painter.fillRect(event->rect(), kBackground);
    const QImage& shown = standIn_.isNull() ? picture_ : standIn_;
    if (shown.isNull() || scale_ <= 0) return;
    core::ViewGeometry g;
    g.scrollX = area_->horizontalScrollBar()->value();
    g.scrollY = area_->verticalScrollBar()->value();
    g.control = core::zoomedSize({shown.width(), shown.height()}, scale_);
    g.visible = {layer->width(), layer->height()};
    const core::VisiblePart part = core::visiblePart({shown.width(), shown.height()}, scale_, g);
    if (part.empty()) return;
    // Only the visible part of the picture is scaled.
    const QRectF target(part.target.left, part.target.top, part.sourceWidth * scale_,
                        part.sourceHeight * scale_);
    const QRectF source(part.sourceLeft, part.sourceTop, part.sourceWidth, part.sourceHeight);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_ && scale_ != 1.0);
    painter.drawImage(target, shown, source);
}

}  // namespace app
