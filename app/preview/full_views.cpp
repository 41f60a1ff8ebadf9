#include "app/preview/full_views.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>

#include "app/preview/full_view.h"
#include "core/preview/zoom_list.h"

namespace app {

namespace {

core::PictureSize sizeOf(const QImage& image) {
    return {image.width(), image.height()};
}

// A scale compared with the zoom list's ends.
constexpr double kScaleTolerance = 1e-9;

}  // namespace

FullViews::FullViews(const FullViewsSetup& setup, QObject* parent)
    : QObject(parent), setup_(setup) {
    cmbZoom_ = new QComboBox(setup_.toolBar ? static_cast<QWidget*>(setup_.toolBar)
                                            : static_cast<QWidget*>(setup_.source));
    cmbZoom_->setObjectName(QStringLiteral("cmbZoom"));
    for (const int32_t code : core::kViewZoomCodes)
        cmbZoom_->addItem(core::viewZoomItemText(code, setup_.lookup));
    cmbZoom_->setCurrentIndex(core::viewZoomIndex(state_.zoomCode()));
    cmbZoom_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (setup_.toolBar && !setup_.zoomLabel.isEmpty()) {
        auto* label = new QLabel(setup_.zoomLabel, setup_.toolBar);
        label->setObjectName(QStringLiteral("lblZoom"));
        label->setContentsMargins(6, 0, 4, 0);
        zoomLabelAction_ = setup_.toolBarBefore
                               ? setup_.toolBar->insertWidget(setup_.toolBarBefore, label)
                               : setup_.toolBar->addWidget(label);
    }
    if (setup_.toolBar)
        zoomBoxAction_ = setup_.toolBarBefore
                             ? setup_.toolBar->insertWidget(setup_.toolBarBefore, cmbZoom_)
                             : setup_.toolBar->addWidget(cmbZoom_);
    else
        cmbZoom_->hide();
    connect(cmbZoom_, &QComboBox::activated, this, [this](int index) { selectZoomItem(index); });

    relayout_.setSingleShot(true);
    relayout_.setInterval(0);
    connect(&relayout_, &QTimer::timeout, this, [this] { zoom(core::ZoomChange::Recompute); });

    for (const core::ViewSide side : {core::ViewSide::Source, core::ViewSide::Output}) {
        FullView* view = viewOf(side);
        connect(view, &FullView::pictureChanged, this, [this] {
            if (comparing_) released(core::ViewSide::Output, Qt::LeftButton);
            updateZoomBoxEnabled();
            applyFramesMode();
            relayoutSoon();
        });
        connect(view, &FullView::paneResized, this, [this] { relayoutSoon(); });
        connect(view, &FullView::scrolled, this,
                [this, side](QPoint position) { viewScrolled(side, position); });
        connect(view, &FullView::pointerPressed, this,
                [this, side](QPoint point, Qt::MouseButtons buttons) {
                    pressed(side, point, buttons);
                });
        connect(view, &FullView::pointerMoved, this,
                [this](QPoint point, Qt::MouseButtons) { moved(point); });
        connect(view, &FullView::pointerReleased, this,
                [this, side](QPoint, Qt::MouseButton button) { released(side, button); });
    }
    if (setup_.layers)
        connect(setup_.layers, &QStackedWidget::currentChanged, this, [this] { modeChanged(); });
    applyFramesMode();
    modeChanged();
}

FullView* FullViews::viewOf(core::ViewSide side) const {
    return side == core::ViewSide::Source ? setup_.source : setup_.output;
}

bool FullViews::tuningMode() const {
    return setup_.layers && setup_.layers->currentWidget() != setup_.viewingLayer;
}

bool FullViews::outputPresent() const {
    return !setup_.output->picture().isNull();
}

void FullViews::bindCommands(QAction* scaleMore, QAction* scaleLess, QAction* framesSingle,
                             QAction* framesDouble) {
    scaleMore_ = scaleMore;
    scaleLess_ = scaleLess;
    framesSingle_ = framesSingle;
    framesDouble_ = framesDouble;
    if (scaleMore_)
        connect(scaleMore_, &QAction::triggered, this, [this] { menuScaleMoreClick(); });
    if (scaleLess_)
        connect(scaleLess_, &QAction::triggered, this, [this] { menuScaleLessClick(); });
    if (framesSingle_) {
        framesSingle_->setCheckable(true);
        connect(framesSingle_, &QAction::triggered, this, [this] { setDoubleFrames(false); });
    }
    if (framesDouble_) {
        framesDouble_->setCheckable(true);
        connect(framesDouble_, &QAction::triggered, this, [this] { setDoubleFrames(true); });
    }
    applyFramesMode();
}

void FullViews::relayoutSoon() {
    if (!tuningMode()) relayout_.start();
}

void FullViews::modeChanged() {
    const bool tuning = tuningMode();
    // The tuning mode has its own zoom box beside its previews.
    if (zoomBoxAction_) zoomBoxAction_->setVisible(!tuning);
    if (zoomLabelAction_) zoomLabelAction_->setVisible(!tuning);
    updateZoomBoxEnabled();
    if (!tuning) relayoutSoon();
}

void FullViews::zoom(core::ZoomChange change) {
    relayout_.stop();
    const bool withSource = core::sourceShown(framesMode_) && !setup_.source->picture().isNull();
    const bool withOutput = core::outputShown(framesMode_) && outputPresent();
    const core::ViewInput source{withSource, setup_.source->paneSize(),
                                 sizeOf(setup_.source->picture())};
    const core::ViewInput output{withOutput, setup_.output->paneSize(),
                                 sizeOf(setup_.output->picture())};
    const core::FullViewsState::Zoomed z =
        state_.zoom(change, source, output, setup_.source->scrollBarRoom());
    // A view without a picture shows its empty pane.
    const auto empty = [](FullView* view) {
        core::ViewLayout none;
        none.box.box = {0, 0, view->paneSize().width, view->paneSize().height};
        none.box.visible = view->paneSize();
        return none;
    };
    setup_.source->applyLayout(z.source ? *z.source : empty(setup_.source));
    setup_.output->applyLayout(z.output ? *z.output : empty(setup_.output));
    if (withSource && setup_.sourceCaption && setup_.sourceCaptionText && !comparing_)
        setup_.sourceCaption->setText(setup_.sourceCaptionText());
    updateZoomBox();
    if (withSource || withOutput) {
        cmbZoom_->setToolTip(core::viewZoomHint(state_.lastScale(), setup_.lookup));
        emit zoomed(state_.lastScale());
    }
}

void FullViews::updateZoomBox() {
    const QSignalBlocker block(cmbZoom_);
    cmbZoom_->setCurrentIndex(core::viewZoomIndex(state_.zoomCode()));
}

void FullViews::updateZoomBoxEnabled() {
    cmbZoom_->setEnabled(!setup_.zoomAllowed || setup_.zoomAllowed());
}

void FullViews::selectZoomItem(int index) {
    if (setup_.busy && setup_.busy()) {
        updateZoomBox();
        return;
    }
    state_.setZoomCode(core::viewZoomCode(index));
    zoom(core::ZoomChange::Recompute);
}

void FullViews::menuScaleMoreClick() {
    stepZoom(true);
}

void FullViews::menuScaleLessClick() {
    stepZoom(false);
}

void FullViews::stepZoom(bool in) {
    QAction* own = in ? scaleMore_ : scaleLess_;
    if ((own && !own->isEnabled()) || (setup_.busy && setup_.busy())) return;
    if (setup_.zoomAllowed && !setup_.zoomAllowed()) return;
    if (tuningMode()) {
        // The previews' own zoom box, one item on, as if chosen there.
        QComboBox* box = setup_.cmbZoomPreview;
        if (!box) return;
        const int next = box->currentIndex() + (in ? 1 : -1);
        if (next < 0 || next >= box->count()) return;
        box->setCurrentIndex(next);
        emit box->activated(next);
        return;
    }
    if (setup_.source->picture().isNull() && !outputPresent()) return;
    const double scale = state_.lastScale();
    if (in && scale < core::kLargestViewZoom / 100.0 - kScaleTolerance)
        zoom(core::ZoomChange::In);
    else if (!in && scale > core::kSmallestViewZoom / 100.0 + kScaleTolerance)
        zoom(core::ZoomChange::Out);
}

void FullViews::setDoubleFrames(bool both) {
    if (setup_.busy && setup_.busy()) {
        applyFramesMode();  // the check marks go back
        return;
    }
    const bool changed = both != doubleFrames_;
    doubleFrames_ = both;
    applyFramesMode();
    relayoutSoon();
    if (changed) emit framesChanged();
}

void FullViews::applyFramesMode() {
    const core::FramesMode mode = core::framesModeFor(doubleFrames_, outputPresent());
    const bool changed = mode != framesMode_;
    framesMode_ = mode;
    if (setup_.sourcePane) setup_.sourcePane->setVisible(core::sourceShown(mode));
    if (setup_.outputPane) setup_.outputPane->setVisible(core::outputShown(mode));
    if (framesSingle_) framesSingle_->setChecked(!doubleFrames_);
    if (framesDouble_) framesDouble_->setChecked(doubleFrames_);
    if (changed && mode == core::FramesMode::Both) shareWidthEqually();
    if (changed) relayoutSoon();
}

void FullViews::shareWidthEqually() {
    // Side by side, each pane takes half of the width.
    auto* splitter =
        setup_.sourcePane ? qobject_cast<QSplitter*>(setup_.sourcePane->parentWidget()) : nullptr;
    if (!splitter || splitter->count() != 2) return;
    const int half = std::max(1, splitter->width() / 2);
    splitter->setSizes({half, half});
}

void FullViews::setResampling(int resampling) {
    // 0 nearest neighbour; bilinear and Mitchell both draw smoothly.
    setup_.source->setSmooth(resampling != 0);
    setup_.output->setSmooth(resampling != 0);
}

void FullViews::viewScrolled(core::ViewSide side, QPoint position) {
    if (following_) return;
    const std::optional<core::ScrollPosition> follow =
        state_.scrolled(side, position.x(), position.y());
    if (!follow) return;
    following_ = true;
    FullView* other =
        viewOf(side == core::ViewSide::Source ? core::ViewSide::Output : core::ViewSide::Source);
    other->setScrollPosition({follow->x, follow->y});
    following_ = false;
}

void FullViews::pressed(core::ViewSide side, QPoint point, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton) || tuningMode()) return;
    dragSide_ = side;
    state_.startDrag(side, point.x(), point.y());
    if (side == core::ViewSide::Output && core::comparesOnPress(outputPresent(), framesMode_) &&
        !setup_.source->picture().isNull()) {
        comparing_ = true;
        setup_.output->setStandIn(setup_.source->picture());
        if (setup_.outputCaption && setup_.sourceCaption) {
            outputCaptionBeforeCompare_ = setup_.outputCaption->text();
            setup_.outputCaption->setText(setup_.sourceCaption->text());
        }
    }
}

void FullViews::moved(QPoint point) {
    if (!state_.dragging()) return;
    const std::optional<core::ScrollPosition> to =
        state_.dragTo(point.x(), point.y(), setup_.accelerator ? setup_.accelerator() : 1);
    if (!to) return;
    viewOf(dragSide_)->setScrollPosition({to->x, to->y});
    viewScrolled(dragSide_, {to->x, to->y});
}

void FullViews::released(core::ViewSide side, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    state_.endDrag();
    if (side != core::ViewSide::Output || !comparing_) return;
    comparing_ = false;
    setup_.output->setStandIn(QImage());
    if (setup_.outputCaption) setup_.outputCaption->setText(outputCaptionBeforeCompare_);
    setup_.output->layer()->setToolTip(setup_.lookup(QStringLiteral("ALS_IMG_TT_COMPARE")));
}

}  // namespace app
