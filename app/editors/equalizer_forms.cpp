#include "app/editors/equalizer_forms.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kDragTimerMs = 400;

QFrame* markerPanel(const char* name, const char* colour, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedWidth(1);
    panel->setStyleSheet(QStringLiteral("background-color: %1;").arg(QLatin1String(colour)));
    // The pointer belongs to the panel underneath.
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->hide();
    return panel;
}

}  // namespace

EqualizerImage::EqualizerImage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(false);
    setMinimumSize(1, 1);
}

void EqualizerImage::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void EqualizerImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPoint(0, 0), picture_);
}

void EqualizerImage::mousePressEvent(QMouseEvent* event) {
    emit pressed(event);
}
void EqualizerImage::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event);
}
void EqualizerImage::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event);
}
void EqualizerImage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

TEqualizerForm::TEqualizerForm(core::CurveType type, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Tool), type_(type) {
    const core::CurveNames& names = core::curveNames(type);
    setObjectName(QString::fromLatin1(names.window));
    setMinimumSize(core::kEditorMinimumSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    image_ = new EqualizerImage(this);
    image_->setObjectName(QString::fromLatin1(names.image));
    layout->addWidget(image_);
    marker_ = markerPanel(names.marker, "#00ff00", this);
    fixedMarker_ = markerPanel(names.fixedMarker, "#ffff00", this);
    resize(core::editorDefaultSize(type));
    setCurveName(caption);
    dragTimer_.setInterval(kDragTimerMs);
    connect(&dragTimer_, &QTimer::timeout, this, &TEqualizerForm::checkPointerInside);
    connect(image_, &EqualizerImage::pressed, this, [this](QMouseEvent* e) {
        raise();
        mouse(e);
    });
    connect(image_, &EqualizerImage::moved, this, &TEqualizerForm::mouse);
    connect(image_, &EqualizerImage::released, this, &TEqualizerForm::release);
    connect(image_, &EqualizerImage::resized, this, [this] {
        placeFixedMarker();
        if (isVisible()) emit redrawRequested(core::RedrawReason::Resized);
    });
}

void TEqualizerForm::setCurveName(const QString& name) {
    curveName_ = name;
    if (!marker_->isVisible()) setWindowTitle(name);
}

void TEqualizerForm::setHint(const QString& hint) {
    image_->setToolTip(hint);
    if (isVisible()) emit redrawRequested(core::RedrawReason::Shown);
}

void TEqualizerForm::mouse(QMouseEvent* event) {
    if (marker_->isVisible()) hideMarker();
    const Qt::MouseButtons buttons = event->buttons();
    if (!core::editorPressed(buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
                             busy_, !image_->picture().isNull()))
        return;
    dragTimer_.start();
    const QPoint point = event->position().toPoint();
    // A point off the panel stops the timer and shows the curve as it stands.
    if (!core::pointOnPanel(point.x(), point.y(), image_->size())) {
        dragTimer_.stop();
        emit redrawRequested(core::RedrawReason::PointerLeft);
        return;
    }
    emit dragStep(point, image_->size());
}

void TEqualizerForm::release(QMouseEvent* event) {
    dragTimer_.start();
    if (event->button() == Qt::RightButton) emit resetRequested();
}

void TEqualizerForm::checkPointerInside() {
    const QRect onScreen(image_->mapToGlobal(QPoint(0, 0)), image_->size());
    if (onScreen.contains(QCursor::pos())) return;
    dragTimer_.stop();
    emit redrawRequested(core::RedrawReason::PointerLeft);
}

void TEqualizerForm::showValue(int value, const QString& caption) {
    core::MarkerPlace now{marker_->x(), marker_->height(), marker_->isVisible()};
    const core::MarkerPlace place = core::placeMarker(now, value, image_->size(), false,
                                                      image_->x(), core::markerMaximum(type_));
    marker_->setGeometry(place.left, image_->y() + 1, 1, place.height);
    marker_->setVisible(place.visible);
    marker_->raise();
    setWindowTitle(caption);
}

void TEqualizerForm::hideMarker() {
    marker_->move(0, marker_->y());
    marker_->hide();
    setWindowTitle(curveName_);
}

void TEqualizerForm::fixMarker(int value) {
    fixedValue_ = value;
    if (value < 0) {
        fixedMarker_->hide();
        return;
    }
    fixedMarker_->hide();  // takes the panel's height afresh
    placeFixedMarker();
}

void TEqualizerForm::placeFixedMarker() {
    if (fixedValue_ < 0) return;
    core::MarkerPlace now{fixedMarker_->x(), fixedMarker_->height(), fixedMarker_->isVisible()};
    const core::MarkerPlace place = core::placeMarker(now, fixedValue_, image_->size(), false,
                                                      image_->x(), core::markerMaximum(type_));
    const int height = now.visible ? image_->height() - 2 : place.height;
    fixedMarker_->setGeometry(place.left, image_->y() + 1, 1, height);
    fixedMarker_->setVisible(place.visible);
    fixedMarker_->raise();
}

void TEqualizerForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit redrawRequested(core::RedrawReason::Shown);
}

void TEqualizerForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    dragTimer_.stop();
}

void TEqualizerForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void TEqualizerForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize at = core::editorSizeAtLeastMinimum(size());
    if (at != size()) resize(at);
}

}  // namespace app
