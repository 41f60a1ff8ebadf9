// The main window's tuning mode, previews and full run.
#include <QApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>

#include "app/editors/colour_ranges.h"
#include "app/main/main_form.h"
#include "app/preview/full_views.h"
#include "app/preview/pointer_tools.h"
#include "app/settings/crop_tab.h"
#include "app/settings/text_tab.h"
#include "app/settings/tuning_binder.h"
#include "core/caption/caption_and_frame.h"
#include "core/caption/caption_source.h"
#include "core/crop/crop_and_resize.h"
#include "core/crop/session_crop_picture.h"
#include "core/document/image_slots.h"
#include "core/editors/equalizer_curve.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/preview/full_run.h"
#include "core/preview/output_caption.h"
#include "core/preview/preview_run.h"
#include "core/preview/preview_tabs.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_texts.h"
#include "core/preview/thumbnail_frame.h"
#include "core/preview/whole_image_view.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_controls.h"
#include "core/settings/tuning_engine_fill.h"
#include "dnr.h"

namespace app {

namespace {

core::PictureSize sizeOf(const QSize& s) {
    return {s.width(), s.height()};
}

core::PictureSize workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? sizeOf(screen->availableGeometry().size()) : core::PictureSize{1920, 1080};
}

struct FullOutcome {
    core::RunResult result;
    QImage sourceView;  // the source with the output's crop and frame; null: the source itself
};

// The display copy of the source gets the output's crop and frame, so that the two views of the
// viewing mode line up. Runs on the engine thread after the full run.
QImage framedSourceView(core::ImageDocument& document, const core::SettingsBlock& block) {
    core::ImageSlots& pictureSlots = document.pictureSlots();
    if (!pictureSlots.duplicate(core::ImageSlot::Source, core::ImageSlot::DisplaySource)) return {};
    const imaging::Handle copy = document.handle(core::ImageSlot::DisplaySource);
    if (block.CropOn != 0) {
        core::SessionCropPicture picture(copy);
        if (!core::applyCropGroupToDisplayCopy(block, document.width(), document.height(), picture))
            return {};
    }
    core::SessionCropPicture framed(copy);
    if (!core::caption::drawFrame(framed.pixels(), block, core::caption::CaptionView::FinalRun))
        return {};
    if (framed.is16Bit()) framed.refreshDisplayData();
    return document.displayImage(core::ImageSlot::DisplaySource);
}

struct PreviewOutcome {
    QImage source;
    core::RunResult result;
};

}  // namespace

void TMainForm::setTuningMode(bool on) {
    ui_.layers->setCurrentWidget(on ? ui_.layer1 : ui_.layer2);
    scheduler_.setTuningMode(on);
    binder_->setTuningMode(on);
    if (!on) {
        ui_.imagePreviewSource->clearPicture();
        ui_.imagePreviewOutput->clearPicture();
        sourcePreviewStale_ = true;
    }
    refreshHelpPanel();
    updateCommands();
}

void TMainForm::menuRebuildClick() {
    if (busy() || !document_.isOpen()) return;
    if (!tuningMode()) {
        setTuningMode(true);
        recomputeRegion(true);
        requestProcessing();
        return;
    }
    setTuningMode(false);
    scheduler_.setRunKind(static_cast<int32_t>(core::RunKind::Full));
    scheduler_.startRun();
}

void TMainForm::menuAbortClick() {
    if (scheduler_.running() && scheduler_.runKind() == static_cast<int32_t>(core::RunKind::Full)) {
        if (core::askMessage(asker_, language_, QStringLiteral("ALS_ABORT_QUEST"),
                             QStringLiteral("ALS_INFO_PROCESS"),
                             core::kButtonsYesNo | core::kIconQuestion | core::kDefaultButton2) ==
                core::kResultYes &&
            scheduler_.running()) {
            scheduler_.markAborted();
            executor_->cancel();
        }
        return;
    }
    if (tuningMode() && !busy()) setTuningMode(false);
}

void TMainForm::tabChanged() {
    sourcePreviewStale_ = true;
    const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
    const bool fit = tab && (*tab == core::PreviewTab::Text || *tab == core::PreviewTab::Crop);
    ui_.imagePreviewSource->setFitMargin(fit ? 1.0 - core::kMarginFitFactor : 0);
    ui_.imagePreviewOutput->setFitMargin(fit ? 1.0 - core::kMarginFitFactor : 0);
    refreshHelpPanel();
    if (tuningMode()) {
        recomputeRegion(false);
        requestProcessing();
    }
}

void TMainForm::recomputeRegion(bool centre) {
    if (!document_.isOpen()) return;
    const core::PictureSize source{document_.width(), document_.height()};
    // The source pane, or with one frame the output pane, which then fills the area.
    const PictureView* shown =
        !fullViews_ || fullViews_->doubleFrames() ? ui_.imagePreviewSource : ui_.imagePreviewOutput;
    const core::PictureSize pane = sizeOf(shown->size());
    const int32_t zoom = core::previewZoomPercent(ui_.cmbZoomPreview->currentIndex());
    region_ = centre ? core::centredRegion(source, pane, zoom)
                     : core::regionAround(region_.centreX, region_.centreY, source, pane, zoom);
    const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
    const bool whole = tab && core::isWholeImageTab(*tab);
    ui_.imagePreviewSource->setZoom(whole ? 0 : zoom);
    ui_.imagePreviewOutput->setZoom(whole ? 0 : zoom);
    sourcePreviewStale_ = true;
    showThumbnailFrame();
}

void TMainForm::previewPaneResized() {
    if (!tuningMode() || !document_.isOpen()) return;
    const core::PreviewRegion before = region_;
    recomputeRegion(false);
    if (region_.left != before.left || region_.top != before.top || region_.width != before.width ||
        region_.height != before.height)
        requestProcessing();
}

void TMainForm::showThumbnailFrame() {
    const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
    if (!document_.isOpen() || !tab || core::isWholeImageTab(*tab)) {
        ui_.imgFullSrc->setFrame({});
        return;
    }
    const core::PictureSize source{document_.width(), document_.height()};
    const QImage& thumb = ui_.imgFullSrc->picture();
    const core::PixelRect f =
        core::thumbnailFrame(region_, source, {thumb.width(), thumb.height()});
    ui_.imgFullSrc->setFrame(QRect(f.left, f.top, f.width, f.height));
    const QString hint = core::thumbnailHint(core::languageLookup(language_), region_);
    ui_.imgFullSrc->setToolTip(hint);
}

void TMainForm::pointThumbnail(QPoint point) {
    const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
    if (!tuningMode() || busy() || !tab || core::isWholeImageTab(*tab)) return;
    const QImage& thumb = ui_.imgFullSrc->picture();
    region_ =
        core::regionFromThumbnail(region_, point.x(), point.y(), {thumb.width(), thumb.height()},
                                  {document_.width(), document_.height()});
    ui_.imagePreviewOutput->clearPicture();
    showThumbnailFrame();
}

void TMainForm::connectPreviewDrag(PictureView* view) {
    connect(view, &PictureView::pointerPressed, this, [this](QPoint at, Qt::MouseButtons buttons) {
        const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
        if (!(buttons & Qt::LeftButton) || !tuningMode() || busy() || !tab ||
            core::isWholeImageTab(*tab))
            return;
        drag_ = core::PreviewDrag{region_, at.x(), at.y()};
        dragPointer_ = at;
        dragMoved_ = false;
        dragTimer_.start();
    });
    connect(view, &PictureView::pointerMoved, this, [this](QPoint at) {
        if (drag_) {
            dragPointer_ = at;
            dragMoved_ = true;
        }
    });
    connect(view, &PictureView::pointerReleased, this, [this, view](QPoint) {
        if (!drag_) return;
        dragTimer_.stop();
        const QRect shown = view->pictureRect();
        region_ = core::draggedRegion(*drag_, dragPointer_.x(), dragPointer_.y(), shown.width(),
                                      shown.height(), options_.accelerator,
                                      {document_.width(), document_.height()});
        drag_.reset();
        showThumbnailFrame();
        sourcePreviewStale_ = true;
        requestProcessing();
    });
    dragTimer_.setInterval(200);
    connect(&dragTimer_, &QTimer::timeout, this, [this, view] {
        if (!drag_ || !dragMoved_) return;
        dragMoved_ = false;
        const QRect shown = view->pictureRect();
        region_ = core::draggedRegion(*drag_, dragPointer_.x(), dragPointer_.y(), shown.width(),
                                      shown.height(), options_.accelerator,
                                      {document_.width(), document_.height()});
        showThumbnailFrame();
    });
}

void TMainForm::launchRun(core::RunKind kind) {
    updateCommands();
    switch (kind) {
        case core::RunKind::Preview:
            startPreviewRun();
            return;
        case core::RunKind::Full:
            startFullRun();
            return;
        default:
            // The crop and caption overlays are redrawn by the next preview.
            scheduler_.finishRun();
            updateCommands();
            return;
    }
}

void TMainForm::startPreviewRun() {
    const auto tab = core::tabOfSheet(ui_.pages->currentSheet()).value_or(core::PreviewTab::Noise);
    const core::ControlStates controls = core::controlStates(tuning_, binder_->activeTab());
    core::FillContext fill;
    fill.activeTab = binder_->activeTab();
    fill.tuningMode = true;
    fill.caTabShown = controls.caTabVisible;
    colourRanges_->checkEditedRange();
    fill.colourRangeWindowOpen = colourRanges_->windowOpen();
    fill.editedColourRange = colourRanges_->editedIndex();
    auto request = std::make_shared<core::PreviewRunRequest>();
    request->sessions = {document_.handle(core::ImageSlot::Source),
                         document_.handle(core::ImageSlot::PreviewRegion),
                         document_.handle(core::ImageSlot::ReducedCopy),
                         document_.handle(core::ImageSlot::PreviewResult),
                         document_.handle(core::ImageSlot::CaptionPreview),
                         document_.handle(core::ImageSlot::CropPreview)};
    request->tab = tab;
    request->region = region_;
    request->record = core::RunRecord(core::fillEngineRecord(tuning_, fill));
    const bool histogram =
        (tab == core::PreviewTab::Colors && tuning_.buttons.sbHistogram &&
         fill.editedColourRange < 0) ||
        (tab == core::PreviewTab::Brightness && tuning_.buttons.sbHistogramBrightness);
    if (histogram) {
        const int32_t opacity = options_.opacity;
        const int32_t type = options_.histogramColour ? DNR_HISTOGRAM_COLOURS : DNR_HISTOGRAM_GREY;
        // The histogram of the result, over the lower half of the result itself.
        request->afterEngine = [opacity, type](imaging::Handle working, ProcessingParams& p) {
            const core::SlotPixels px = core::slotPixels(working, false);
            PixelView view{px.bits, px.width, px.bytesPerSample, px.height};
            if (view.Bits)
                Histogram(&view, &view, 0, 0, view.Width, view.Height / 2, opacity, 0, type, 0, &p);
        };
    }
    if (tab == core::PreviewTab::Crop) request->afterEngine = cropTab_->afterEngine();
    if (tab == core::PreviewTab::Text) {
        core::caption::CaptionRequest caption;
        caption.captionTemplate = QString::fromStdString(options_.captionTemplate);
        caption.source =
            core::caption::captionSource(document_.fileName(), document_.information());
        caption.view = core::caption::CaptionView::TuningView;
        caption.parts = core::caption::CaptionParts::CaptionAndFrame;
        caption.rule = core::caption::CaptionRule::Interactive;
        const core::PictureSize screen = workArea();
        request->afterEngine = textTab_->afterEngine(caption, document_.width(), document_.height(),
                                                     QSize(screen.width, screen.height));
    }
    stagesShown_ = core::stagesOn(request->record.params);
    const bool rebuild = sourcePreviewStale_;
    sourcePreviewStale_ = false;
    const core::PictureSize area = workArea();
    setStatus(core::workingStatus(core::languageLookup(language_), "ALS_CREATION_PREVIEW"));
    ui_.progressPreview->setValue(0);
    executor_->requestPreview(
        this,
        [request, rebuild, area](const core::EngineJobContext& context) {
            PreviewOutcome outcome;
            if (rebuild) {
                auto source = core::rebuildSourcePreview(request->sessions, request->tab,
                                                         request->region, area);
                if (!source) {
                    outcome.result.end = core::RunEnd::Failed;
                    outcome.result.detail = source.failure().key;
                    return outcome;
                }
                outcome.source = source.value();
            }
            outcome.result = core::runPreview(*request, context);
            return outcome;
        },
        [this](PreviewOutcome outcome) { previewDone(outcome.source, std::move(outcome.result)); });
}

void TMainForm::previewDone(const QImage& sourcePreview, core::RunResult result) {
    scheduler_.finishRun();
    ui_.progressPreview->hide();
    setStatus(QString());
    if (!sourcePreview.isNull()) ui_.imagePreviewSource->setPicture(sourcePreview);
    if (result.done()) {
        pointer_->showOutput(result.display);
        // Each tab's marker: shown, and its stage in use by the settings of this preview.
        const auto tab =
            core::tabOfSheet(ui_.pages->currentSheet()).value_or(core::PreviewTab::Noise);
        const core::SettingsBlock& b = tuning_.block;
        core::TabMarkers markers{};
        for (size_t i = 0; i < markers.size(); ++i) {
            const char* sheet = core::sheetNameOf(static_cast<core::PreviewTab>(i));
            QWidget* page = ui_.pages->page(QString::fromLatin1(sheet));
            markers[i].visible = page && ui_.pages->isTabVisible(ui_.pages->indexOf(page));
        }
        using T = core::PreviewTab;
        const auto mark = [&markers](T t, bool inUse) {
            markers[static_cast<size_t>(t)].inUse = inUse;
        };
        mark(T::Noise, stagesShown_.noise || b.NoiseReductionOn != 0);
        mark(T::Sharpening,
             b.SharpenAmount != 0 || core::curveShaped(tuning_.curves, core::CurveType::Sharpness));
        mark(T::RedEye, !tuning_.redEyes.empty());
        mark(T::Colors, b.RedShift != 0 || b.GreenShift != 0 || b.BlueShift != 0 ||
                            b.Saturation != 0 || b.BWConversion != 0 ||
                            !tuning_.colorRanges.empty() ||
                            core::curveShaped(tuning_.curves, core::CurveType::Saturation));
        mark(T::Brightness, b.AutoContrast != 0 || b.LocalContrast != 0 || b.Contrast != 0 ||
                                b.Gamma != 0 || b.Highlights != 0 || b.Shadows != 0 ||
                                core::curveShaped(tuning_.curves, core::CurveType::Brightness));
        mark(T::CA, b.CAOn != 0);
        mark(T::Distortions, b.DistortionsOn != 0);
        mark(T::Crop, b.CropOn != 0);
        mark(T::Text, b.FrameOn != 0 || b.InsertText != 0 || b.InsertDate != 0 ||
                          b.InsertTime != 0 || b.InsertInfo != 0);
        pointer_->showOutputCaption(
            core::outputCaption(core::languageLookup(language_), markers, true, tab));
        emit previewShown();
    } else if (result.end == core::RunEnd::Failed) {
        showError(core::engineStepFailureText(core::languageLookup(language_), result.lastStep));
    }
    updateCommands();
}

void TMainForm::startFullRun() {
    core::FillContext fill;
    fill.activeTab = binder_->activeTab();
    fill.tuningMode = false;
    fill.caTabShown = core::controlStates(tuning_, fill.activeTab).caTabVisible;
    auto request = std::make_shared<core::FullRunRequest>();
    request->source = document_.handle(core::ImageSlot::Source);
    request->output = document_.handle(core::ImageSlot::Output);
    request->record = core::RunRecord(core::fillEngineRecord(tuning_, fill));
    const core::SettingsBlock block = core::collectSettings(tuning_);
    core::caption::CaptionRequest caption;
    caption.captionTemplate = QString::fromStdString(options_.captionTemplate);
    caption.source = core::caption::captionSource(document_.fileName(), document_.information());
    caption.view = core::caption::CaptionView::FinalRun;
    caption.parts = core::caption::CaptionParts::CaptionAndFrame;
    caption.rule = core::caption::CaptionRule::Interactive;
    // After the engine: crop and resize, then caption and frame, on the output.
    request->finishOutput = [block, caption](imaging::Handle output) -> core::Status {
        core::SessionCropPicture picture(output);
        const core::Result<bool> cropped =
            core::applyCropAndResize(block, picture, core::CropMode::Final);
        if (!cropped) return cropped.failure();
        if (core::caption::captionAndFrameWanted(block)) {
            core::SessionCropPicture finished(output);
            if (core::Status drawn =
                    core::caption::applyCaptionAndFrame(finished.pixels(), block, caption);
                !drawn)
                return drawn;
            if (finished.is16Bit()) finished.refreshDisplayData();
        }
        return {};
    };
    setStatus(core::workingStatus(core::languageLookup(language_), "ALS_CREATION_OUTPUT"));
    runStartMs_ = QDateTime::currentMSecsSinceEpoch();
    ui_.lblElapsedTime->setText(core::elapsedText(core::languageLookup(language_), 1));
    ui_.progress->setValue(0);
    ui_.progress->show();
    updateCommands();
    core::ImageDocument* document = &document_;
    executor_->post(
        this,
        [request, document, block](const core::EngineJobContext& context) {
            FullOutcome outcome{core::runFull(*request, context), {}};
            if (outcome.result.done() && (block.CropOn != 0 || block.FrameOn != 0))
                outcome.sourceView = framedSourceView(*document, block);
            return outcome;
        },
        [this](FullOutcome outcome) {
            if (!outcome.sourceView.isNull()) sourceDisplay_ = outcome.sourceView;
            fullRunDone(std::move(outcome.result));
        });
}

void TMainForm::fullRunDone(core::RunResult result) {
    const bool aborted = scheduler_.finishRun();
    scheduler_.setRunKind(static_cast<int32_t>(core::RunKind::Preview));
    ui_.progress->hide();
    ui_.lblElapsedTime->clear();
    runStartMs_ = 0;
    setStatus(QString());
    if (result.done() && !aborted) {
        document_.setOutputProduced();
        ui_.imageOutput->setPicture(result.display);
        ui_.imageSource->setPicture(sourceDisplay_);
        ui_.stxtLeft->setText(QStringLiteral("%1 (%2x%3 %4)")
                                  .arg(text("ALS_OUTPUT"))
                                  .arg(result.display.width())
                                  .arg(result.display.height())
                                  .arg(text("ALS_PX")));
        if (options_.playSound) QApplication::beep();
    } else {
        ui_.imageOutput->clearPicture();
        if (result.end == core::RunEnd::Failed)
            showError(
                core::engineStepFailureText(core::languageLookup(language_), result.lastStep));
    }
    setTuningMode(false);
    updateCommands();
    emit fullRunEnded(aborted ? core::RunEnd::Aborted : result.end);
    if (pluginMode_) pluginRunEnded(result.done() && !aborted);
}

}  // namespace app
