#include "app/editors/equalizers.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>

#include "app/editors/equalizer_forms.h"
#include "app/main/main_form.h"
#include "app/preview/picture_view.h"
#include "app/settings/tuning_binder.h"
#include "core/main/window_placement.h"
#include "core/settings/tuning_engine_fill.h"

namespace app {

namespace {

// The tab each editor belongs to; it is shown only while that tab is the current one.
const char* sheetOf(core::CurveType type) {
    switch (type) {
        case core::CurveType::Brightness:
            return "tsBrightness";
        case core::CurveType::Saturation:
            return "tsColor";
        case core::CurveType::Noise:
            return "tsNoiseReduction";
        case core::CurveType::Sharpness:
            break;
    }
    return "tsSharpening";
}

size_t slot(core::CurveType type) {
    return static_cast<size_t>(type) - 1;
}

TEqualizerForm* makeWindow(core::CurveType type, const QString& caption, QWidget* parent) {
    switch (type) {
        case core::CurveType::Brightness:
            return new TEqBrightness(caption, parent);
        case core::CurveType::Saturation:
            return new TEqSaturation(caption, parent);
        case core::CurveType::Noise:
            return new TEqNoiseReduction(caption, parent);
        case core::CurveType::Sharpness:
            break;
    }
    return new TEqSharpening(caption, parent);
}

// What a drag step hands back: the record with the moved curve and the panel drawn from it.
struct StepResult {
    bool changed = false;
    ProcessingParams params{};
    QImage panel;
};

}  // namespace

Equalizers::Equalizers(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("Equalizers"));
    const QString hint = form_.text("ALS_LEFT_CLICK") +
                         QStringLiteral(" - %1;\r\n").arg(form_.text("ALS_EQ_SET_POSITION")) +
                         form_.text("ALS_RIGHT_CLICK") +
                         QStringLiteral(" - %1").arg(form_.text("ALS_EQ_RESET_DATA"));
    for (const core::CurveType type : core::kCurveTypes) {
        const core::CurveNames& names = core::curveNames(type);
        TEqualizerForm* window = makeWindow(type, form_.text(names.captionKey), &form_);
        windows_[slot(type)] = window;
        window->setHint(hint);
        window->hide();
        window->installEventFilter(this);
        connect(window, &TEqualizerForm::dragStep, this,
                [this, type](QPoint point, QSize panel) { step(type, point, panel); });
        connect(window, &TEqualizerForm::resetRequested, this, [this, type] { reset(type); });
        connect(window, &TEqualizerForm::redrawRequested, this,
                [this, type](core::RedrawReason reason) { redraw(type, reason); });
        // Closing a window releases its opener (and the opener's release hides the window).
        connect(window, &TEqualizerForm::closed, this, [this, type] {
            if (auto* button = form_.ui_.pages->control<QAbstractButton>(
                    QString::fromLatin1(core::curveNames(type).opener)))
                button->setChecked(false);
            opener(type) = false;
            form_.options_.floatingWindows[core::floatingWindowIndex(type)].visible = 0;
            follow();
        });
        if (auto* button =
                form_.ui_.pages->control<QAbstractButton>(QString::fromLatin1(names.opener))) {
            button->setChecked(opener(type));
            connect(button, &QAbstractButton::toggled, this, [this, type](bool down) {
                opener(type) = down;
                form_.options_.floatingWindows[core::floatingWindowIndex(type)].visible =
                    down ? 1 : 0;
                follow();
            });
        }
    }
    connect(form_.ui_.pages, &QTabWidget::currentChanged, this, [this] { follow(); });
    connect(form_.ui_.layers, &QStackedWidget::currentChanged, this, [this] { follow(); });
    connect(&form_, &TMainForm::previewShown, this, [this] {
        for (const core::CurveType type : core::kCurveTypes)
            if (windows_[slot(type)] && windows_[slot(type)]->isVisible())
                redraw(type, type == core::CurveType::Brightness
                                 ? core::RedrawReason::BrightnessRun
                                 : core::RedrawReason::SaturationRun);
    });
    follow();
}

TEqualizerForm* Equalizers::window(core::CurveType type) const {
    return windows_[slot(type)];
}

bool& Equalizers::opener(core::CurveType type) {
    core::TuningState& t = form_.tuning_;
    switch (type) {
        case core::CurveType::Brightness:
            return t.checks.cbEqBrightness;
        case core::CurveType::Saturation:
            return t.buttons.sbEqSaturation;
        case core::CurveType::Noise:
            return t.buttons.sbEqNoiseReduction;
        case core::CurveType::Sharpness:
            break;
    }
    return t.buttons.sbEqSharpening;
}

void Equalizers::fixMarkers() {
    for (const core::CurveType type : core::kCurveTypes)
        if (TEqualizerForm* w = window(type)) w->fixMarker(markerValues_.of(type));
}

bool Equalizers::anyShown() const {
    for (const core::CurveType type : core::kCurveTypes)
        if (TEqualizerForm* w = window(type); w && w->isVisible()) return true;
    return false;
}

void Equalizers::showValues(int32_t brightness, int32_t hue) {
    const QString brightnessLabel = form_.text("ALS_BRIGHTNESS");
    const QString hueLabel = form_.text("ALS_HUE");
    for (const core::CurveType type : core::kCurveTypes) {
        TEqualizerForm* w = window(type);
        if (!w || !w->isVisible()) continue;
        const int32_t value = type == core::CurveType::Brightness ? brightness : hue;
        markerValues_.remember(type, value);
        const QString title = type == core::CurveType::Noise       ? form_.text("ALS_NOISE")
                              : type == core::CurveType::Sharpness ? form_.text("ALS_SHARPENING")
                                                                   : w->curveName();
        w->showValue(value, core::markerCaption(type, value, title, brightnessLabel, hueLabel));
    }
}

void Equalizers::hideValueMarkers() {
    for (const core::CurveType type : core::kCurveTypes)
        if (TEqualizerForm* w = window(type); w && w->isVisible()) w->hideMarker();
}

void Equalizers::keepInside() {
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
    const QScreen* screen = form_.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    for (const core::CurveType type : core::kCurveTypes) {
        TEqualizerForm* w = window(type);
        if (!w || !w->isVisible()) continue;
        const QRect frame = w->frameGeometry().translated(-area.topLeft());
        const QPoint inside = core::keepEditorInside(frame, area.size()) + area.topLeft();
        if (inside != w->pos()) w->move(inside);
    }
}

void Equalizers::follow() {
    const QString sheet = form_.ui_.pages->currentSheet();
    for (const core::CurveType type : core::kCurveTypes) {
        TEqualizerForm* w = window(type);
        if (!w) continue;
        const bool wanted =
            opener(type) && form_.tuningMode() && sheet == QLatin1String(sheetOf(type));
        if (wanted && !w->isVisible()) {
            place(w);
            w->show();
            w->raise();
        } else if (!wanted && w->isVisible()) {
            storePlace(w);
            w->hide();
        }
    }
}

void Equalizers::place(TEqualizerForm* w) {
    const core::FloatingWindowPlace& stored =
        form_.options_.floatingWindows[core::floatingWindowIndex(w->type())];
    const QRect area = form_.geometry();
    if (const auto rect = core::storedEditorPlace(stored)) {
        // A place on a screen that is gone would hide the window.
        const QRect sized(rect->topLeft(), core::editorSizeAtLeastMinimum(rect->size()));
        const QRect shown =
            form_.screen() ? core::keepOnScreen(sized, form_.screen()->availableGeometry()) : sized;
        w->resize(shown.size());
        w->move(shown.topLeft());
        return;
    }
    // Never placed: its default size at the main window's upper right, over the preview.
    const QSize size = core::editorDefaultSize(w->type());
    w->resize(size);
    w->move(area.right() - size.width() - 24, area.top() + 96);
}

void Equalizers::storePlace(TEqualizerForm* w) {
    core::FloatingWindowPlace& stored =
        form_.options_.floatingWindows[core::floatingWindowIndex(w->type())];
    core::storeEditorPlace(stored, w->geometry(), opener(w->type()));
}

bool Equalizers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        if (auto* w = qobject_cast<TEqualizerForm*>(watched); w && w->isVisible()) storePlace(w);
    return QObject::eventFilter(watched, event);
}

ProcessingParams Equalizers::record() {
    core::FillContext fill;
    fill.activeTab = form_.binder_->activeTab();
    fill.tuningMode = true;
    return core::curveRecord(core::fillEngineRecord(form_.tuning_, fill));
}

void Equalizers::step(core::CurveType type, QPoint point, QSize panel) {
    TEqualizerForm* w = window(type);
    if (!w || w->busy()) return;
    w->setBusy(true);
    core::PanelRequest request;
    request.type = type;
    request.size = panel;
    request.brightnessManagement = form_.options_.brightnessManagement;
    request.noHistogram = core::panelWithoutHistogram(core::RedrawReason::DragStep,
                                                      form_.tuning_.buttons.sbHistogramBrightness);
    request.source = form_.ui_.imagePreviewSource->picture();
    request.processed = form_.ui_.imagePreviewOutput->picture();
    ProcessingParams params = record();
    form_.executor_->post(
        this,
        [type, point, panel, params, request](const core::EngineJobContext&) mutable {
            StepResult r;
            r.changed = core::dragStep(type, point.x(), point.y(), panel, params);
            r.params = params;
            r.panel = core::drawPanel(request, params);
            return r;
        },
        [this, type](StepResult r) {
            TEqualizerForm* w = window(type);
            if (!w) return;
            w->setBusy(false);
            if (!r.panel.isNull()) {
                w->image()->setPicture(r.panel);
                emit panelDrawn(type);
            }
            if (!r.changed) return;
            core::takeCurve(form_.tuning_.curves, r.params, type);
            curveTaken(type);
        });
}

void Equalizers::reset(core::CurveType type) {
    ProcessingParams params = record();
    const core::EqualizerCurves before = form_.tuning_.curves;
    core::resetCurve(form_.tuning_.curves, params, type);
    redraw(type, core::RedrawReason::Reset);
    if (form_.tuning_.curves != before) curveTaken(type);
}

// The curve reaches the settings block and the next preview; the tuning controls ask for that
// preview the same way, and the tab markers follow it.
void Equalizers::curveTaken(core::CurveType type) {
    core::storeCurve(form_.tuning_.block, form_.tuning_.curves, type);
    emit form_.binder_->processingRequested();
    emit curveChanged(type);
}

void Equalizers::redraw(core::CurveType type, core::RedrawReason reason) {
    TEqualizerForm* w = window(type);
    if (!w || !w->isVisible() || w->image()->size().isEmpty()) return;
    core::PanelRequest request;
    request.type = type;
    request.size = w->image()->size();
    request.brightnessManagement = form_.options_.brightnessManagement;
    request.noHistogram =
        core::panelWithoutHistogram(reason, form_.tuning_.buttons.sbHistogramBrightness);
    request.source = form_.ui_.imagePreviewSource->picture();
    request.processed = form_.ui_.imagePreviewOutput->picture();
    const ProcessingParams params = record();
    form_.executor_->post(
        this,
        [request, params](const core::EngineJobContext&) {
            return core::drawPanel(request, params);
        },
        [this, type](QImage panel) {
            TEqualizerForm* w = window(type);
            if (!w || panel.isNull()) return;
            w->image()->setPicture(panel);
            emit panelDrawn(type);
        });
}

}  // namespace app
