#include "app/preview/pointer_tools.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <cmath>

#include "app/editors/colour_ranges.h"
#include "app/editors/equalizers.h"
#include "app/editors/memory_colors.h"
#include "app/main/main_form.h"
#include "app/preview/full_views.h"
#include "app/preview/picture_view.h"
#include "app/preview/preview_overlay.h"
#include "app/settings/tuning_binder.h"
#include "core/document/image_slots.h"
#include "core/editors/memory_colour_apply.h"
#include "core/i18n/language.h"
#include "core/main/message_box.h"
#include "core/settings/tuning_controls.h"
#include "core/settings/tuning_engine_fill.h"
#include "dnr.h"

namespace app {

namespace {

using A = core::PointerAction;

constexpr int kMinimumFrameSide = 7;

// The context menu's items in their order, with the action each performs.
struct MenuItem {
    const char* name;
    const char* captionKey;
    A action;
};
constexpr std::array<MenuItem, 12> kMenuItems = {{
    {"pmWhiteBalance", "ALS_PM_WHITEBALANCE", A::WhitePoint},
    {"pmColorRange", "ALS_PM_CCR", A::NewColourRange},
    {"pmMemoryColors", "ALS_PM_MEMORYCOLOR", A::MemoryColour},
    {"pmExcludeRect", "ALS_PM_ADDRECTANGLE", A::StartRectangle},
    {"pmExcludeEllipce", "ALS_PM_ADDELLIPCE", A::StartEllipse},
    {"pmInclude", "ALS_PM_INCLUDECCR", A::IncludeColour},
    {"pmExclude", "ALS_PM_EXCLUDECCR", A::ExcludeColour},
    {"pmSetCAColor", "ALS_PM_SETCACOLOR", A::SetCAColour},
    {"pmAdjustNoise", "ALS_PM_ADJUSTNOISE_SMALL", A::AdjustNoise},
    {"pmNoiseIncrease", "ALS_PM_INCREASENOISE", A::IncreaseNoisePick},
    {"pmNoiseDecrease", "ALS_PM_DECREASENOISE", A::DecreaseNoisePick},
    {"pmCancel", "ALS_FRM_CANCEL", A::None},
}};

bool isSampling(A action) {
    switch (action) {
        case A::AdjustNoise:
        case A::IncreaseNoisePick:
        case A::DecreaseNoisePick:
        case A::SetCAColour:
        case A::WhitePoint:
        case A::MemoryColour:
        case A::NewColourRange:
        case A::IncludeColour:
        case A::ExcludeColour:
            return true;
        default:
            return false;
    }
}

// The range as the engine reads it, and what IncludeThisColorIntoSelection changed in it.
core::ColorRangeItem includedColour(core::ColorRangeItem range, const std::array<uint16_t, 3>& rgb,
                                    bool include) {
    core::EngineColorRanges record({range});
    IncludeThisColorIntoSelection(rgb[0], rgb[1], rgb[2], record.data(), include ? 1 : 0);
    const Colors_ColorRangeParams& r = *record.data();
    for (size_t c = 0; c < 3; ++c) {
        range.Colors[c] = r.Color1[c];
        range.Colors[3 + c] = r.Color2[c];
        range.Colors[6 + c] = r.TargetColor[c];
    }
    range.Tolerance = r.Tolerance;
    return range;
}

core::PickKind pickKindOf(A action) {
    switch (action) {
        case A::AdjustNoise:
            return core::PickKind::AdjustNoise;
        case A::IncreaseNoisePick:
            return core::PickKind::NoiseIncrease;
        case A::DecreaseNoisePick:
            return core::PickKind::NoiseDecrease;
        case A::SetCAColour:
            return core::PickKind::CAColour;
        default:
            return core::PickKind::ColourSample;
    }
}

// The tool buttons' glyphs, drawn here: a hand-free set of simple marks, one per picture index.
QIcon toolGlyph(int index) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    const QPointF c(10, 10);
    switch (index) {
        case 12:  // compare or drag: four arrows
        case 13:  // move the text
            p.drawLine(QPointF(3, 10), QPointF(17, 10));
            p.drawLine(QPointF(10, 3), QPointF(10, 17));
            for (const auto& [a, b, d] : {std::tuple{QPointF(3, 10), QPointF(6, 7), QPointF(6, 13)},
                                          {QPointF(17, 10), QPointF(14, 7), QPointF(14, 13)},
                                          {QPointF(10, 3), QPointF(7, 6), QPointF(13, 6)},
                                          {QPointF(10, 17), QPointF(7, 14), QPointF(13, 14)}}) {
                p.drawLine(a, b);
                p.drawLine(a, d);
            }
            if (index == 13) p.drawText(QRectF(11, 0, 9, 9), Qt::AlignCenter, QStringLiteral("T"));
            break;
        case 15:  // an eye
            p.drawEllipse(QRectF(2, 6, 16, 8));
            p.setBrush(QColor(200, 30, 30));
            p.drawEllipse(c, 3, 3);
            break;
        case 10:  // a rectangle
            p.drawRect(QRectF(3, 5, 14, 10));
            break;
        case 11:  // an ellipse
            p.drawEllipse(QRectF(2, 5, 16, 10));
            break;
        default: {  // the sampling tools: a pipette with a sign for its action
            QPainterPath pipette;
            pipette.moveTo(3, 17);
            pipette.lineTo(12, 8);
            p.drawPath(pipette);
            p.drawEllipse(QPointF(14, 6), 3, 3);
            const QString sign = index == 3 || index == 8   ? QStringLiteral("+")
                                 : index == 4 || index == 9 ? QStringLiteral("-")
                                 : index == 5               ? QStringLiteral("W")
                                                            : QString();
            if (!sign.isEmpty()) p.drawText(QRectF(0, 0, 9, 9), Qt::AlignCenter, sign);
            break;
        }
    }
    return QIcon(pixmap);
}

}  // namespace

PointerTools::PointerTools(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("PointerTools"));
    PictureView* views[] = {form_.ui_.imagePreviewSource, form_.ui_.imagePreviewOutput};
    for (size_t i = 0; i < 2; ++i) {
        overlays_[i] = new PreviewOverlay(views[i]);
        views[i]->installEventFilter(this);
        // Moves with no button held reach the tools too: an area being drawn follows the
        // pointer, and so do the curve editors' live markers.
        views[i]->setMouseTracking(true);
    }
    buildPanel();
    buildMenu();
    connect(form_.ui_.pages, &QTabWidget::currentChanged, this, [this] { refresh(); });
    connect(form_.ui_.layers, &QStackedWidget::currentChanged, this, [this] { refresh(); });
    connect(form_.ui_.menu[QStringLiteral("menuExpertMode")], &QAction::triggered, this,
            [this] { refresh(); });
    connect(&form_, &TMainForm::pictureOpened, this, [this] { refresh(); });
    refresh();
}

void PointerTools::buildPanel() {
    panel_ = form_.ui_.panelOpt15_1;
    auto* layout = new QHBoxLayout(panel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* group = new QButtonGroup(panel_);
    group->setExclusive(true);
    const char* names[] = {"sbPreview_Drag", "sbPreview_1", "sbPreview_2", "sbPreview_3",
                           "sbPreview_4"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QToolButton(panel_);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIconSize(QSize(20, 20));
        group->addButton(b, i);
        layout->addWidget(b);
        toolButtons_[size_t(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { setTool(i); });
    }
    layout->addSpacing(8);
    const struct {
        core::PickList list;
        const char* reset;
        const char* undo;
    } lists[] = {{core::PickList::NoisePicks, "sbNoiseAreaReset", "sbNoiseAreaUndo"},
                 {core::PickList::RedEyes, "sbREReset", "sbREUndo"},
                 {core::PickList::ColourRanges, "sbColorsAreaReset", "sbColorsAreaUndo"}};
    for (size_t i = 0; i < 3; ++i) {
        PickButtons& pb = pickButtons_[i];
        pb.list = lists[i].list;
        pb.reset = new QToolButton(panel_);
        pb.reset->setObjectName(QString::fromLatin1(lists[i].reset));
        pb.undo = new QToolButton(panel_);
        pb.undo->setObjectName(QString::fromLatin1(lists[i].undo));
        pb.undo->setText(form_.language_.message(QStringLiteral("ALS_UNDO")));
        layout->addWidget(pb.reset);
        layout->addWidget(pb.undo);
        const core::PickList list = pb.list;
        connect(pb.reset, &QToolButton::clicked, this, [this, list] {
            if (!allowed()) return;
            if (core::resetPickList(form_.tuning_, list)) changed(true);
        });
        connect(pb.undo, &QToolButton::clicked, this, [this, list] {
            if (!allowed()) return;
            if (core::undoPickList(form_.tuning_, list)) changed(true);
        });
    }
    layout->addStretch(1);
}

void PointerTools::buildMenu() {
    menu_ = new QMenu(&form_);
    menu_->setObjectName(QStringLiteral("PopupPreviewMenu"));
    for (size_t i = 0; i < kMenuItems.size(); ++i) {
        if (i == 3 || i == 11) menu_->addSeparator();
        QAction* item = menu_->addAction(
            form_.language_.message(QString::fromLatin1(kMenuItems[i].captionKey)));
        item->setObjectName(QString::fromLatin1(kMenuItems[i].name));
        const A action = kMenuItems[i].action;
        connect(item, &QAction::triggered, this, [this, action] {
            const std::optional<Press> press = menuPress_;
            menuPress_.reset();
            hideFrames();
            if (action == A::None || !press || !allowed()) return;
            perform(action, *press);
        });
        menuItems_[i] = item;
    }
}

bool PointerTools::allowed() const {
    // A preview run may be under way: the picks queue behind it on the engine thread. A full run
    // or a long operation refuses them.
    const core::RunScheduler& s = form_.scheduler();
    const bool previewRunning =
        s.running() && s.runKind() != static_cast<int32_t>(core::RunKind::Full);
    return form_.tuningMode() && form_.document().isOpen() && (!form_.busy() || previewRunning);
}

std::optional<core::PreviewTab> PointerTools::tab() const {
    return core::tabOfSheet(form_.ui_.pages->currentSheet());
}

PreviewOverlay* PointerTools::overlay(const PictureView* view) const {
    if (view == form_.ui_.imagePreviewSource) return overlays_[0];
    if (view == form_.ui_.imagePreviewOutput) return overlays_[1];
    return nullptr;
}

void PointerTools::setTool(int tool) {
    tool_ = std::clamp(tool, 0, 4);
    if (QToolButton* b = toolButtons_[size_t(tool_)]) b->setChecked(true);
    refreshCursor();
    refreshPickFromSource();
}

void PointerTools::refreshPickFromSource() {
    pickingFromSource_ = form_.tuningMode() && tab() == core::PreviewTab::CA &&
                         toolActions_[size_t(tool_)] == A::SetCAColour && form_.fullViews_ &&
                         !form_.fullViews_->doubleFrames();
    showSourceInOutput();
}

void PointerTools::showSourceInOutput() {
    PictureView* output = form_.ui_.imagePreviewOutput;
    const QImage& source = form_.ui_.imagePreviewSource->picture();
    if ((comparing_ || pickingFromSource_) && !source.isNull()) {
        if (!heldOutput_) heldOutput_ = output->picture();
        output->setPicture(source);
    } else if (heldOutput_) {
        output->setPicture(*heldOutput_);
        heldOutput_.reset();
    }
}

void PointerTools::showOutput(const QImage& picture) {
    if (!heldOutput_) {
        form_.ui_.imagePreviewOutput->setPicture(picture);
        return;
    }
    heldOutput_ = picture;
    form_.ui_.imagePreviewOutput->setPicture(form_.ui_.imagePreviewSource->picture());
}

void PointerTools::showOutputCaption(const QString& caption) {
    if (comparing_)
        heldCaption_ = caption;
    else
        form_.ui_.stxtOutput->setText(caption);
}

bool PointerTools::rangeWindowOpen() const {
    return form_.colourRanges_ && form_.colourRanges_->windowOpen();
}

void PointerTools::refresh() {
    eye_.reset();
    area_.reset();
    menuPress_.reset();
    hideShapes();
    hideFrames();
    const auto t = tab();
    const bool expert = form_.tuning_.expertMode;
    const bool tuning = form_.tuningMode();
    const std::vector<core::ToolButton> buttons =
        t ? core::toolButtons(*t, rangeWindowOpen()) : std::vector<core::ToolButton>{};
    for (size_t i = 0; i < toolButtons_.size(); ++i) {
        QToolButton* b = toolButtons_[i];
        const bool shown = i < buttons.size() && expert;
        b->setVisible(shown);
        toolActions_[i] = i < buttons.size() ? buttons[i].action : A::None;
        if (i < buttons.size()) {
            b->setToolTip(form_.language_.message(QString::fromLatin1(buttons[i].hintKey)));
            b->setIcon(toolGlyph(buttons[i].imageIndex));
        }
    }
    panel_->setVisible(tuning);
    if (comparing_) {
        comparing_ = false;
        form_.ui_.stxtOutput->setText(heldCaption_);
    }
    setTool(core::kDragTool);
    refreshPickButtons();
}

void PointerTools::refreshPickButtons() {
    const auto t = tab();
    for (const PickButtons& pb : pickButtons_) {
        const core::PreviewTab home =
            pb.list == core::PickList::NoisePicks ? core::PreviewTab::Noise
            : pb.list == core::PickList::RedEyes  ? core::PreviewTab::RedEye
                                                  : core::PreviewTab::Colors;
        const core::PickListButtons state = core::pickListButtons(
            form_.tuning_, pb.list,
            form_.language_.message(QString::fromLatin1(core::pickListResetKey(pb.list))));
        // The range list's pair hides while a range is edited.
        const bool shown = state.visible && t == home &&
                           !(pb.list == core::PickList::ColourRanges && rangeWindowOpen());
        pb.reset->setText(state.resetCaption);
        pb.reset->setEnabled(state.enabled);
        pb.undo->setEnabled(state.enabled);
        pb.reset->setVisible(shown);
        pb.undo->setVisible(shown);
    }
}

void PointerTools::refreshCursor() {
    const auto t = tab();
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (eye_ || area_) {
        shape = Qt::CrossCursor;
    } else if (t && tool_ != core::kDragTool && form_.tuning_.expertMode) {
        const A action = core::toolAction(*t, tool_, rangeWindowOpen());
        shape = action == A::EyeBox || action == A::StartRectangle || action == A::StartEllipse
                    ? Qt::CrossCursor
                    : Qt::PointingHandCursor;
    }
    form_.ui_.imagePreviewSource->setCursor(shape);
    form_.ui_.imagePreviewOutput->setCursor(shape);
}

void PointerTools::hideShapes() {
    for (PreviewOverlay* o : overlays_)
        o->hideShape();
}

void PointerTools::hideFrames() {
    for (PreviewOverlay* o : overlays_)
        o->hideSamplingFrame();
}

std::optional<PointerTools::Press> PointerTools::pressAt(PictureView* view,
                                                         QPoint widgetPoint) const {
    const QRect shown = view->pictureRect();
    if (shown.isEmpty() || !shown.contains(widgetPoint)) return std::nullopt;
    return Press{view, widgetPoint - shown.topLeft(), {shown.width(), shown.height()}};
}

core::PicturePoint PointerTools::mapped(const Press& press) const {
    const core::PictureSize picture{form_.document().width(), form_.document().height()};
    const auto t = tab();
    if (t && core::isWholeImageTab(*t))
        return core::mapWholePicturePoint(press.pane.x(), press.pane.y(), press.paneSize, picture);
    return core::mapRegionPoint(press.pane.x(), press.pane.y(), press.paneSize,
                                form_.previewRegion().rect(), picture);
}

bool PointerTools::eventFilter(QObject* watched, QEvent* event) {
    auto* view = qobject_cast<PictureView*>(watched);
    if (!view) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            return pressed(view, static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return moved(view, static_cast<QMouseEvent*>(event));
        case QEvent::Leave:
            nextValues_.reset();
            pointerOver_ = false;
            if (form_.equalizers_) form_.equalizers_->hideValueMarkers();
            return false;
        case QEvent::MouseButtonRelease:
            return released(view, static_cast<QMouseEvent*>(event));
        default:
            return false;
    }
}

bool PointerTools::pressed(PictureView* view, QMouseEvent* event) {
    const auto t = tab();
    // The text tab's caption placement has its own handler.
    if (!t || *t == core::PreviewTab::Text || !allowed()) return false;
    core::PointerSituation s;
    s.tab = *t;
    s.button = event->button() == Qt::LeftButton    ? core::PointerButton::Left
               : event->button() == Qt::RightButton ? core::PointerButton::Right
                                                    : core::PointerButton::Other;
    s.modifiers.shift = event->modifiers() & Qt::ShiftModifier;
    s.modifiers.alt = event->modifiers() & Qt::AltModifier;
    s.modifiers.ctrl = event->modifiers() & Qt::ControlModifier;
    s.expertMode = form_.tuning_.expertMode;
    s.tool = tool_;
    s.noiseReductionOn = form_.tuning_.checks.cbEnableNR;
    s.chromaticAberrationOn = form_.tuning_.checks.cbEnableCA;
    s.outputPane = view == form_.ui_.imagePreviewOutput;
    s.colourRangeWindowOpen = s.colourRangeSelected = rangeWindowOpen();
    s.drawingArea = area_.has_value();
    const core::PointerDecision d = core::dispatchPress(s);

    if (d.startsComparison && !view->picture().isNull() &&
        !form_.ui_.imagePreviewSource->picture().isNull()) {
        comparing_ = true;
        heldCaption_ = form_.ui_.stxtOutput->text();
        form_.ui_.stxtOutput->setText(form_.sourceCaption());
        showSourceInOutput();
    }
    if (d.action == A::None || d.action == A::Drag) return false;  // the view's own handlers

    if (d.action == A::FinishArea || d.action == A::CancelArea) {
        finishArea(d.action == A::FinishArea);
        return true;
    }
    const std::optional<Press> press = pressAt(view, event->position().toPoint());
    if (d.toolUsed) setTool(core::kDragTool);
    if (!press) return true;
    if (d.action == A::ContextMenu) {
        showMenu(*press, event->globalPosition().toPoint());
        return true;
    }
    if (d.action == A::EyeBox) {
        eye_ = EyeDrawing{
            *press, event->button(),
            core::eyeBoxAt(press->pane.x(), press->pane.y(), press->pane.x(), press->pane.y())};
        overlay(view)->setShape(QRect(press->pane, QSize(0, 0)), true);
        refreshCursor();
        return true;
    }
    perform(d.action, *press);
    return true;
}

bool PointerTools::moved(PictureView* view, QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton && form_.equalizers_ && form_.equalizers_->anyShown() &&
        form_.document().isOpen())
        if (const std::optional<Press> press = pressAt(view, event->position().toPoint())) {
            pointerOver_ = true;
            showCurveValues(*press);
        }
    if (area_ && event->buttons() == Qt::NoButton) {
        followArea(view, event->position().toPoint());
        return false;
    }
    if (!eye_ || eye_->press.view != view) return false;
    const QRect shown = view->pictureRect();
    const QPoint at = event->position().toPoint() - shown.topLeft();
    // Leaving the pane with the right button held drops the box.
    if ((event->buttons() & Qt::RightButton) && !QRect(QPoint(0, 0), shown.size()).contains(at)) {
        eye_.reset();
        hideShapes();
        refreshCursor();
        return true;
    }
    eye_->box = core::eyeBoxAt(eye_->press.pane.x(), eye_->press.pane.y(), at.x(), at.y());
    const core::PixelRect r = eye_->box.rect();
    if (core::eyeBoxVisible(eye_->box, eye_->press.paneSize, form_.previewRegion().width))
        overlay(view)->setShape(QRect(r.left, r.top, r.width, r.height), true);
    else
        overlay(view)->hideShape();
    return true;
}

bool PointerTools::released(PictureView* view, QMouseEvent* event) {
    if (comparing_ && event->button() == Qt::LeftButton) {
        comparing_ = false;
        form_.ui_.stxtOutput->setText(heldCaption_);
        showSourceInOutput();
    }
    if (!eye_ || eye_->press.view != view || event->button() != eye_->button) return false;
    const EyeDrawing drawing = *eye_;
    eye_.reset();
    hideShapes();
    setTool(core::kDragTool);
    finishEyeBox(drawing);
    return true;
}

void PointerTools::finishEyeBox(const EyeDrawing& drawing) {
    const core::TuningState& s = form_.tuning_;
    const auto entry =
        core::redEyeEntryForBox(drawing.box, drawing.press.paneSize, form_.previewRegion().rect(),
                                s.sliders[17].position, s.sliders[18].position);
    if (!entry) {
        core::showError(form_.asker_, form_.language_,
                        form_.language_.message(QStringLiteral("ER_SELECTION_OUT")));
        return;
    }
    core::addRedEye(form_.tuning_, *entry);
    changed(true);
}

void PointerTools::showMenu(const Press& press, QPoint globalPoint) {
    const auto t = tab();
    if (!t) return;
    const bool open = rangeWindowOpen();
    const core::ContextMenuItems items = core::contextMenuItems(*t, open, open);
    const bool shown[] = {items.whiteBalance,   items.colourRange, items.memoryColour,
                          items.areaItems,      items.areaItems,   items.includeExclude,
                          items.includeExclude, items.caColour,    items.noiseItems,
                          items.noiseItems,     items.noiseItems,  true};
    for (size_t i = 0; i < menuItems_.size(); ++i) {
        QAction* item = menuItems_[i];
        const A action = kMenuItems[i].action;
        item->setVisible(shown[i]);
        item->setCheckable(action != A::None);
        item->setChecked(action != A::None && tool_ != core::kDragTool &&
                         core::toolAction(*t, tool_, open) == action);
    }
    menuPress_ = press;
    // On the colour tab the menu sits half a sampling frame to the right.
    int offset = 0;
    if (*t == core::PreviewTab::Colors && form_.document().width() > 0) {
        const core::PixelRect f =
            core::samplingFrame(press.pane.x(), press.pane.y(), core::kColourSampleBlock,
                                press.paneSize, form_.document().width());
        offset = f.width / 2;
    }
    menu_->popup(globalPoint + QPoint(offset, 0));
}

void PointerTools::perform(A action, const Press& press) {
    if (isSampling(action)) samplePick(action, press);
    if (action == A::StartRectangle || action == A::StartEllipse)
        startArea(action == A::StartRectangle ? core::AreaKind::Rectangle : core::AreaKind::Ellipse,
                  press);
}

void PointerTools::startArea(core::AreaKind kind, const Press& press) {
    if (!rangeWindowOpen()) return;
    hideFrames();
    const core::PictureSize picture{form_.document().width(), form_.document().height()};
    area_ = AreaDrawing{press.view, press.paneSize, {}};
    area_->drawing.kind = kind;
    area_->drawing.start =
        core::mapWholePicturePoint(press.pane.x(), press.pane.y(), press.paneSize, picture);
    for (PreviewOverlay* o : overlays_)
        o->hideShape();
    overlay(press.view)->setShape(QRect(press.pane, QSize(0, 0)), kind == core::AreaKind::Ellipse);
    refreshCursor();
}

void PointerTools::followArea(PictureView* view, QPoint widgetPoint) {
    if (!area_ || area_->view != view) return;
    const core::PictureSize picture{form_.document().width(), form_.document().height()};
    const QRect shown = view->pictureRect();
    const QPoint at = widgetPoint - shown.topLeft();
    area_->drawing = core::areaFollowing(
        area_->drawing, core::mapWholePicturePoint(at.x(), at.y(), area_->paneSize, picture));
    if (picture.width < 1 || picture.height < 1) return;
    // Picture pixels to pane pixels, the outline grown by a margin so that it shows around the
    // pixels it takes.
    const core::PixelRect r = area_->drawing.outline();
    const double sx = double(area_->paneSize.width) / picture.width;
    const double sy = double(area_->paneSize.height) / picture.height;
    const int32_t margin = core::areaScreenMargin(area_->paneSize.width, picture.width);
    const QRect onScreen(
        int(std::lround(r.left * sx)) - margin, int(std::lround(r.top * sy)) - margin,
        int(std::lround(r.width * sx)) + 2 * margin, int(std::lround(r.height * sy)) + 2 * margin);
    overlay(view)->setShape(onScreen, area_->drawing.kind == core::AreaKind::Ellipse);
}

void PointerTools::finishArea(bool store) {
    const std::optional<AreaDrawing> drawing = area_;
    area_.reset();
    hideShapes();
    setTool(core::kDragTool);
    if (!store || !drawing) return;
    const std::optional<XcludedArea> area = core::finishedArea(drawing->drawing);
    ColourRanges* ranges = form_.colourRanges_;
    if (!area || !ranges || !ranges->windowOpen()) return;
    core::ColorRangeItem range = ranges->editing().range();
    range.Areas.push_back(*area);
    range.AreaCount = int32_t(range.Areas.size());
    if (ranges->replaceRange(ranges->editedIndex(), range)) changed(false);
}

void PointerTools::showCurveValues(const Press& press) {
    if (valuesPending_) {
        nextValues_ = press;
        return;
    }
    const core::PictureSize picture{form_.document().width(), form_.document().height()};
    const int32_t block = core::pickBlockSize(core::PickKind::ColourSample, picture);
    const core::PicturePoint at = core::clampBlockCentre(mapped(press), block, picture);
    const int32_t yb = core::rowFromBottom(at.y, picture.height);
    const imaging::Handle source = form_.document().handle(core::ImageSlot::Source);
    valuesPending_ = true;
    form_.executor_->post(
        this,
        [source, at, yb, block](const core::EngineJobContext&) {
            std::optional<std::pair<int32_t, int32_t>> values;
            const core::SlotPixels px = core::slotPixels(source);
            if (!px.bits || px.width <= at.x || px.height <= at.y) return values;
            const ImageDesc image{DNR_IMAGE_MAGIC, px.bits, px.width, px.bytesPerSample, px.height};
            values = std::make_pair(GetBrightness(&image, at.x, yb, block),
                                    GetHue(&image, at.x, yb, block));
            return values;
        },
        [this](std::optional<std::pair<int32_t, int32_t>> values) {
            valuesPending_ = false;
            // A reading that comes back after the pointer left shows nothing.
            if (values && pointerOver_ && form_.equalizers_)
                form_.equalizers_->showValues(values->first, values->second);
            if (nextValues_) {
                const Press next = *nextValues_;
                nextValues_.reset();
                showCurveValues(next);
            }
        });
}

void PointerTools::samplePick(A action, const Press& press) {
    const core::PictureSize picture{form_.document().width(), form_.document().height()};
    const int32_t block = core::pickBlockSize(pickKindOf(action), picture);
    const core::PicturePoint at = core::clampBlockCentre(mapped(press), block, picture);
    const int32_t yb = core::rowFromBottom(at.y, picture.height);

    // The frame around the sampled block, on the pane that was pressed.
    const auto t = tab();
    const int32_t regionWidth =
        t && core::isWholeImageTab(*t) ? picture.width : form_.previewRegion().width;
    const core::PixelRect f =
        core::samplingFrame(press.pane.x(), press.pane.y(), block, press.paneSize, regionWidth);
    hideFrames();
    // A block smaller than a few screen pixels (a single picture pixel on a reduced picture)
    // still gets a frame one can see, centred on the same place.
    QRect frame(f.left, f.top, f.width, f.height);
    if (frame.width() < kMinimumFrameSide)
        frame = QRect(frame.center() - QPoint(kMinimumFrameSide / 2, kMinimumFrameSide / 2),
                      QSize(kMinimumFrameSide, kMinimumFrameSide));
    overlay(press.view)->setSamplingFrame(frame);

    // The record only carries the settings and the picture: the lists stay with the window.
    core::FillContext fill;
    fill.activeTab = form_.binder_->activeTab();
    fill.tuningMode = true;
    fill.caTabShown = core::controlStates(form_.tuning_, fill.activeTab).caTabVisible;
    ProcessingParams record = core::fillEngineRecord(form_.tuning_, fill);
    record.NoiseAreaCount = 0;
    record.NoiseAreas = nullptr;
    record.RedEyeCount = 0;
    record.RedEyes = nullptr;
    record.ColorRangeCount = 0;
    record.ColorRanges = nullptr;

    struct Sample {
        bool ok = false;
        std::array<uint16_t, 3> values{};
        std::array<int32_t, 3> levels{};  // noise, shadows, highlights
        std::array<int32_t, 3> shifts{};  // red, green, blue
        core::Rgb16 srgb{};               // a memory colour's pick, as the list keeps colours
        core::ColorRangeItem range;       // the edited range with a colour included or excluded
    };
    // Including or excluding works on the range being edited, as it is now.
    core::ColorRangeItem edited;
    int32_t editedIndex = -1;
    if (action == A::IncludeColour || action == A::ExcludeColour) {
        if (!rangeWindowOpen()) return;
        edited = form_.colourRanges_->editing().range();
        editedIndex = form_.colourRanges_->editedIndex();
    }
    const imaging::Handle source = form_.document().handle(core::ImageSlot::Source);
    const imaging::Handle templ = form_.document().handle(core::ImageSlot::Template);
    const int32_t width = picture.width;
    const int32_t height = picture.height;
    form_.executor_->post(
        this,
        [source, templ, record, action, at, yb, block,
         edited](const core::EngineJobContext&) mutable {
            Sample sample;
            const core::SlotPixels px = core::slotPixels(source);
            if (!px.bits || px.width <= at.x || px.height <= at.y) return sample;
            ImageDesc image{DNR_IMAGE_MAGIC, px.bits, px.width, px.bytesPerSample, px.height};
            record.Magic = DNR_IMAGE_MAGIC;
            record.Bits = px.bits;
            record.Width = px.width;
            record.BytesPerSample = px.bytesPerSample;
            record.Height = px.height;
            auto& v = sample.values;
            switch (action) {
                case A::AdjustNoise:
                    sample.ok = AdjustNoise(&record, at.x, yb, block) == 1;
                    sample.levels = {record.NoiseLevel, record.ShadowsNoiseLevel,
                                     record.HighlightsNoiseLevel};
                    break;
                case A::IncreaseNoisePick:
                case A::DecreaseNoisePick:
                    GetYUV(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.ok = true;
                    break;
                case A::SetCAColour:
                    GetRGB(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.ok = true;
                    break;
                case A::WhitePoint:
                    GetRGB(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.ok =
                        SetMemoryColor(&record, v[0], v[1], v[2], 65535, 65535, 65535, 1) == 1;
                    sample.shifts = {record.RedShift, record.GreenShift, record.BlueShift};
                    break;
                case A::MemoryColour:
                    GetRGB(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.srgb = core::pictureColourToSrgb(templ, source, v);
                    sample.ok = true;
                    break;
                case A::NewColourRange:
                    GetRGB(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.ok = true;
                    break;
                case A::IncludeColour:
                case A::ExcludeColour:
                    GetRGB(&image, at.x, yb, block, &v[0], &v[1], &v[2]);
                    sample.range = includedColour(edited, v, action == A::IncludeColour);
                    sample.ok = true;
                    break;
                default:
                    break;
            }
            return sample;
        },
        [this, action, width, height, editedIndex](Sample sample) {
            // The picture changed meanwhile (another one opened): the sample belongs to no mark.
            if (!sample.ok || form_.document().width() != width ||
                form_.document().height() != height)
                return;
            core::TuningState& state = form_.tuning_;
            const auto& v = sample.values;
            switch (action) {
                case A::AdjustNoise:
                    core::takeAdjustedNoiseLevels(state, sample.levels[0], sample.levels[1],
                                                  sample.levels[2]);
                    break;
                case A::IncreaseNoisePick:
                case A::DecreaseNoisePick:
                    core::addNoisePick(state, v[0], v[1], v[2], action == A::IncreaseNoisePick);
                    break;
                case A::SetCAColour:
                    core::setCAColour(state, v[0], v[1], v[2]);
                    break;
                case A::WhitePoint:
                    core::takeWhitePointShifts(state, sample.shifts[0], sample.shifts[1],
                                               sample.shifts[2]);
                    break;
                case A::MemoryColour:
                    // The window requests the preview when it closes.
                    form_.memoryColors()->showForPickedColour(v, sample.srgb);
                    return;
                case A::NewColourRange:
                    // The range window opens for it and asks for the preview.
                    if (!rangeWindowOpen()) form_.colourRanges_->newRange(v);
                    changed(false);
                    return;
                case A::IncludeColour:
                case A::ExcludeColour:
                    form_.colourRanges_->replaceRange(editedIndex, sample.range);
                    hideFrames();
                    changed(false);
                    return;
                default:
                    return;
            }
            changed(true);
        });
}

void PointerTools::changed(bool request) {
    form_.binder_->refresh();
    refreshPickButtons();
    emit marksChanged();
    if (request) form_.requestProcessing();
}

}  // namespace app
