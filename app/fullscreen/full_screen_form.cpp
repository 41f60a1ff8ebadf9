#include "app/fullscreen/full_screen_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "app/editors/colour_ranges.h"
#include "app/fullscreen/full_screen_view.h"
#include "app/main/main_form.h"
#include "app/main/main_form_commands.h"
#include "app/settings/tuning_binder.h"
#include "app/settings/tuning_pages.h"
#include "core/fullscreen/adjustment_run.h"
#include "core/fullscreen/full_screen_geometry.h"
#include "core/fullscreen/full_screen_texts.h"
#include "core/fullscreen/screen_copy.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/message_box.h"
#include "core/preview/preview_tabs.h"
#include "core/preview/run_texts.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_controls.h"
#include "core/settings/tuning_engine_fill.h"
#include "dnr.h"

namespace app {

namespace {

constexpr char kProgramTitle[] = "Velmar Filter";

std::optional<core::PreviewTab> currentTab(const TMainForm& main) {
    return core::tabOfSheet(main.ui().pages->currentSheet());
}

}  // namespace

TFullScreenForm::TFullScreenForm(TMainForm& main, core::CropDisplayKind cropKind)
    : QDialog(&main, Qt::Window | Qt::FramelessWindowHint),
      main_(main),
      mode_(core::fullScreenModeOf(main.tuningMode(), currentTab(main))),
      cropKind_(cropKind) {
    setObjectName(QStringLiteral("TFullScreenForm"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setWindowModality(Qt::ApplicationModal);
    setFocusPolicy(Qt::StrongFocus);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(black);

    ImageFSView = new FullScreenView(Panel1);
    ImageFSView->hide();  // until the first picture is drawn
    ImageFSView->installEventFilter(this);
    Panel1->installEventFilter(this);

    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(20);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setStyleSheet(QStringLiteral("color: #32cd32; background: transparent;"));
    Label1->move(0, 0);
    Label1->hide();

    if (core::reprocesses(mode_)) {
        TuningPages* pages = main_.ui_.pages;
        QWidget* focus = main_.focusWidget();
        slider_ = core::focusedSlider([pages, focus](int number) {
            QSlider* s = pages->slider(number);
            return s && s == focus;
        });
    }
    // Maximised; without a window manager (or before it acts) the geometry says the same.
    if (const QScreen* s = main.screen()) setGeometry(s->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

TFullScreenForm::~TFullScreenForm() {
    QObject::disconnect(stepDone_);
}

QString TFullScreenForm::text(const char* key) const {
    return main_.language_.lookup(QString::fromLatin1(key));
}

core::ScreenMetrics TFullScreenForm::screenMetrics() const {
    if (metrics_) return *metrics_;
    core::ScreenMetrics m;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return m;
    m.pixelsWide = s->geometry().width();
    m.pixelsHigh = s->geometry().height();
    m.millimetresWide = s->physicalSize().width();
    m.millimetresHigh = s->physicalSize().height();
    m.logicalDpiX = s->logicalDotsPerInchX();
    m.logicalDpiY = s->logicalDotsPerInchY();
    return m;
}

void TFullScreenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
    setFocus();
    activate();
}

void TFullScreenForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Panel1->setGeometry(rect());
    placeView();
}

void TFullScreenForm::activate() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (main_.tuningMode()) {
        prepareScreenCopy();
        return;
    }
    showKind(core::ShownKind::Automatic);
}

void TFullScreenForm::prepareScreenCopy() {
    setCursor(Qt::WaitCursor);
    statusOn("ALS_FRM_FS_PREPARATION");
    ++pending_;
    core::ImageDocument& document = main_.document_;
    core::ScreenCopyRequest r;
    r.source = document.handle(core::ImageSlot::Source);
    r.copy = document.handle(core::ImageSlot::DialogPreview);
    r.mode = mode_;
    r.cropKind = cropKind_;
    r.settings = core::collectSettings(main_.tuning_);
    r.sourceWidth = document.width();
    r.sourceHeight = document.height();
    // The window fills its screen once shown; the copy is made for that size.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize area = s ? s->availableGeometry().size() : QSize(1024, 768);
    r.panelWidth = area.width();
    r.panelHeight = area.height();
    r.screen = screenMetrics();
    main_.executor_->post(
        this, [r](const core::EngineJobContext&) { return core::prepareScreenCopy(r); },
        [this](core::Result<core::ScreenCopy> copy) {
            --pending_;
            unsetCursor();
            statusOff();
            if (!copy) {
                main_.showError(core::languageLookup(main_.language_)(copy.failure().key) +
                                QLatin1Char(' ') + copy.failure().detail);
                close();
                return;
            }
            screenCopy_ = copy.value().display;
            prepared_ = true;
            showKind(core::ShownKind::Automatic);
        });
}

QString TFullScreenForm::hintFor(core::ShownKind kind) const {
    const MainFormLayout& ui = main_.ui_;
    core::HintInputs in;
    in.mode = mode_;
    in.shown = kind;
    in.tab = currentTab(main_);
    const bool tuning = main_.tuningMode();
    in.sourceLabel = tuning ? main_.sourceCaption() : ui.stxtRight->text();
    in.outputLabel = tuning ? ui.stxtOutput->text() : ui.stxtLeft->text();
    if (slider_) {
        in.sliderLabel = slider_->label;
        const QSlider* s = ui.pages->slider(slider_->number);
        const QLabel* value = ui.pages->valueLabel(slider_->number);
        in.sliderValue =
            core::sliderValueText(slider_->number, s ? s->value() : 0, value ? value->text() : "");
    }
    const ToolBars& bars = main_.commands_->toolBars();
    const QToolButton* up = bars[QStringLiteral("tbImgUp")];
    const QToolButton* down = bars[QStringLiteral("tbImgDown")];
    in.previousAndNext = up && down && up->isEnabled() && down->isEnabled();
    return core::fullScreenHint(core::languageLookup(main_.language_), in);
}

void TFullScreenForm::showKind(core::ShownKind requested, bool assign) {
    ++pending_;
    core::ImageDocument& document = main_.document_;
    const core::ShownKind kind = core::shownKindFor(requested, mode_, document.hasOutput());
    const QString hint = hintFor(kind);
    statusOn("ALS_DATATRANSFER");
    if (mode_ == core::FullScreenMode::Plain) {
        core::ImageDocument* doc = &document;
        main_.executor_->post(
            this,
            [doc, kind](const core::EngineJobContext&) {
                if (kind == core::ShownKind::Result)
                    return doc->displayImage(core::ImageSlot::Output);
                // The source with the result's crop and frame, when the result has them.
                if (!doc->pictureSlots().isEmpty(core::ImageSlot::DisplaySource))
                    return doc->displayImage(core::ImageSlot::DisplaySource);
                return doc->displayImage(core::ImageSlot::Source);
            },
            [this, kind, assign, hint](QImage picture) {
                finishShow(kind, picture, assign, hint);
            });
        return;
    }
    if (kind == core::ShownKind::Result && core::reprocesses(mode_) && processed_.isNull()) {
        runAdjustment(kind, assign, hint);
        return;
    }
    const bool result = kind == core::ShownKind::Result && core::reprocesses(mode_);
    finishShow(kind, result ? processed_ : screenCopy_, assign, hint);
}

void TFullScreenForm::runAdjustment(core::ShownKind kind, bool assign, const QString& hint) {
    TMainForm& m = main_;
    const auto tab = currentTab(m).value_or(core::PreviewTab::Colors);
    core::FillContext fill;
    fill.activeTab = m.binder_->activeTab();
    fill.tuningMode = true;
    fill.caTabShown = core::controlStates(m.tuning_, fill.activeTab).caTabVisible;
    fill.colourRangeWindowOpen = m.colourRanges_->windowOpen();
    fill.editedColourRange = m.colourRanges_->editedIndex();
    auto request = std::make_shared<core::AdjustmentRunRequest>();
    request->screenCopy = m.document_.handle(core::ImageSlot::DialogPreview);
    request->processed = m.document_.handle(core::ImageSlot::PreviewResult);
    request->tab = tab;
    request->record = core::RunRecord(core::fillEngineRecord(m.tuning_, fill));
    const bool histogram =
        (tab == core::PreviewTab::Colors && m.tuning_.buttons.sbHistogram &&
         fill.editedColourRange < 0) ||
        (tab == core::PreviewTab::Brightness && m.tuning_.buttons.sbHistogramBrightness);
    if (histogram) {
        const int32_t opacity = m.options_.opacity;
        const int32_t type =
            m.options_.histogramColour ? DNR_HISTOGRAM_COLOURS : DNR_HISTOGRAM_GREY;
        // As in the preview: the result's histogram over its own lower half.
        request->afterEngine = [opacity, type](imaging::Handle working, ProcessingParams& p) {
            const core::SlotPixels px = core::slotPixels(working, false);
            PixelView view{px.bits, px.width, px.bytesPerSample, px.height};
            if (view.Bits)
                Histogram(&view, &view, 0, 0, view.Width, view.Height / 2, opacity, 0, type, 0, &p);
        };
    }
    m.executor_->post(
        this,
        [request](const core::EngineJobContext& context) {
            return core::runAdjustment(*request, context);
        },
        [this, kind, assign, hint](core::AdjustmentOutcome outcome) {
            ++adjustmentRuns_;
            if (outcome.processed) {
                processed_ = outcome.display;
            } else {
                // The unprocessed copy is shown instead; the window stays open.
                main_.showError(core::engineStepFailureText(core::languageLookup(main_.language_),
                                                            outcome.lastStep));
            }
            finishShow(kind, outcome.display, assign, hint);
        });
}

void TFullScreenForm::finishShow(core::ShownKind kind, const QImage& picture, bool assign,
                                 const QString& hint) {
    display(picture);
    // The hint's line breaks as this platform writes them.
    QString shownHint = hint;
    shownHint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ImageFSView->setToolTip(shownHint);
    ImageFSView->setVisible(!picture.isNull());
    --pending_;
    if (pending_ == 0) statusOff();
    if (assign) shown_ = kind;
    emit pictureShown(kind);
}

void TFullScreenForm::display(const QImage& picture) {
    shownPicture_ = picture;
    ImageFSView->setPicture(picture, mode_ == core::FullScreenMode::Plain);
    placeView();
}

void TFullScreenForm::placeView() {
    if (shownPicture_.isNull()) return;
    const int w = shownPicture_.width(), h = shownPicture_.height();
    const QSize panel = Panel1->contentsRect().size();
    if (mode_ == core::FullScreenMode::Crop && cropKind_ == core::CropDisplayKind::RealSize) {
        const core::ViewPlacement v = core::centreInPanel(w, h, panel.width(), panel.height());
        ImageFSView->setGeometry(v.left, v.top, v.width, v.height);
        return;
    }
    if (const auto v = core::fitIntoPanel(w, h, panel.width(), panel.height()))
        ImageFSView->setGeometry(v->left, v->top, v->width, v->height);
}

void TFullScreenForm::statusOn(const char* key) {
    Label1->setText(core::fullScreenStatus(core::languageLookup(main_.language_), text(key)));
    Label1->adjustSize();
    Label1->show();
    Label1->raise();
}

void TFullScreenForm::statusOff() {
    Label1->hide();
}

bool TFullScreenForm::event(QEvent* event) {
    // Every key comes here first: no shortcut of the main window acts while this is open.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void TFullScreenForm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const core::FullScreenKey key =
        core::fullScreenKey(mode_, event->key(), event->modifiers(), buttons_ != Qt::NoButton);
    switch (key) {
        case core::FullScreenKey::None:
            return;
        case core::FullScreenKey::Close:
            close();
            return;
        default:
            // A command waits for the picture on screen.
            if (busy() || (!prepared_ && main_.tuningMode())) return;
            command(key, event->modifiers());
            return;
    }
}

void TFullScreenForm::command(core::FullScreenKey key, Qt::KeyboardModifiers modifiers) {
    using K = core::FullScreenKey;
    const bool step = key == K::NextImage || key == K::PreviousImage;
    if (step) {
        QAction* action =
            main_.ui_.menu[QString::fromLatin1(key == K::NextImage ? "menuNext" : "menuPrev")];
        if (core::stepAsksFirst(key, shown_, action && action->isEnabled()) &&
            core::askMessage(main_.asker_, main_.language_,
                             QStringLiteral("ALS_FRM_FS_REPLACE_QUEST"),
                             QStringLiteral("ALS_FRM_FS_CHANGING"),
                             core::kButtonsYesNo | core::kIconQuestion | core::kDefaultButton2) !=
                core::kResultYes)
            return;
    }
    if (key == K::SliderUp || key == K::SliderDown) {
        sliderStep(key == K::SliderUp, modifiers);
        return;
    }
    statusOn("ALS_FRM_FS_PREPARATION");
    const core::ShownKind next = core::shownAfter(key, shown_);
    if (step) {
        // The new picture opens on the engine thread; it is shown once it is there.
        ++pending_;
        QObject::disconnect(stepDone_);
        stepDone_ = connect(&main_, &TMainForm::pictureOpened, this, [this, next](bool) {
            QObject::disconnect(stepDone_);
            --pending_;
            if (!main_.document_.isOpen()) {
                close();
                return;
            }
            showKind(next);
        });
        if (key == K::NextImage)
            main_.menuNextClick();
        else
            main_.menuPrevClick();
        if (main_.document_.loadState() != core::ImageDocument::LoadState::Loading) {
            // Nothing was opened (the end of the folder, or a question said no).
            QObject::disconnect(stepDone_);
            --pending_;
            showKind(next);
        }
        return;
    }
    // The turn is posted before the pictures are fetched, so Show sees the turned picture.
    main_.menuRotateClick(key == K::RotateClockwise ? 1 : -1);
    showKind(next);
}

void TFullScreenForm::sliderStep(bool up, Qt::KeyboardModifiers modifiers) {
    if (!slider_) {
        core::askMessage(main_.asker_, main_.language_, QStringLiteral("ALS_FRM_FS_SELECT"),
                         QStringLiteral("ALS_INFORMATION"),
                         core::kButtonsOk | core::kIconInformation);
        return;
    }
    QSlider* s = main_.ui_.pages->slider(slider_->number);
    if (!s || !core::sliderCanStep(up, s->value(), s->minimum(), s->maximum())) return;
    statusOn("ALS_FRM_FS_PREPARATION");
    processed_ = QImage();  // the next Show processes again
    // The slider's own handling updates the settings and its value label.
    if (core::sliderStepMoves(modifiers))
        s->setValue(core::steppedSliderPosition(up, s->value(), s->minimum(), s->maximum()));
    showKind(shown_);
}

bool TFullScreenForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ImageFSView && watched != Panel1) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        buttons_ |= mouse->button();
        if (watched == ImageFSView && mouse->button() == Qt::LeftButton &&
            mode_ != core::FullScreenMode::Crop && shown_ == core::ShownKind::Result && !busy()) {
            held_ = true;
            showKind(core::ShownKind::Source, false);
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        buttons_ &= ~mouse->button();
        if (mouse->button() == Qt::LeftButton && held_) {
            held_ = false;
            showKind(core::ShownKind::Automatic, false);
        }
        return false;
    }
    return false;
}

void TFullScreenForm::closeEvent(QCloseEvent* event) {
    QObject::disconnect(stepDone_);
    // The screen copies are not kept; the tuning view's preview result shares its slot with the
    // processed copy and is made again.
    core::ImageDocument* doc = &main_.document_;
    main_.executor_->post(
        &main_,
        [doc](const core::EngineJobContext&) {
            doc->pictureSlots().unload(core::ImageSlot::DialogPreview);
            doc->pictureSlots().unload(core::ImageSlot::PreviewResult);
        },
        [] {});
    if (main_.tuningMode()) main_.requestProcessing();
    QDialog::closeEvent(event);
}

}  // namespace app
