// The main window's exposure merge and its undo. The merge and the undo run on the engine
// thread; the window asks its questions before and shows the result after.
#include <QAction>
#include <QFileInfo>
#include <QUrl>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/settings/tuning_binder.h"
#include "core/document/document_texts.h"
#include "core/document/merge_images.h"
#include "core/document/thumbnail_picture.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/language_choice.h"
#include "core/main/program_registry.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_record.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_engine_fill.h"

namespace app {

namespace {

struct Reloaded {
    core::Status status;
    QImage picture;
    QImage thumbnail;
    bool undoKept = false;
};

// The pictures the window shows of a replaced slot, made on the engine thread.
Reloaded reloaded(core::ImageDocument& document, core::ImageSlot slot, core::Status status) {
    Reloaded r{std::move(status), {}, {}, false};
    if (r.status && !document.pictureSlots().isEmpty(slot)) {
        r.picture = document.displayImage(slot);
        if (slot == core::ImageSlot::Source) r.thumbnail = core::thumbnailPicture(r.picture);
    }
    return r;
}

// A replaced source is measured again like a newly opened one.
void detectAutoContrast(core::ImageDocument& document, core::RunRecord& record) {
    const core::SlotPixels px = core::slotPixels(document.handle(core::ImageSlot::Source));
    if (!px.bits) return;
    ProcessingParams& p = record.params;
    core::attachPixels(p, PixelView{px.bits, px.width, px.bytesPerSample, px.height});
    core::setWholeView(p, {px.width, px.height});
    document.detectAutoContrast(p);
}

}  // namespace

void TMainForm::menuMergeImagesClick() {
    if (busy() || !document_.isOpen() || document_.fileName() == QLatin1String(core::kPluginName))
        return;
    if (ui_.helpBrowser->isVisible())
        ui_.helpBrowser->setSource(
            QUrl::fromLocalFile(folders_.helpFolder(QString::fromLatin1(
                                    core::languageTable()[languageIndex_].fileName)) +
                                QStringLiteral("/effects.html")));
    const QString askName = QString::fromLatin1(core::kValueAskShadowMaster);
    if (core::programRegistryKey(registryFile_).readInt(askName, 1) == 1) {
        const int answer = asker_.ask(core::mergeNoticeRequest(language_));
        if (answer == core::kMergeNoticeDontShow) {
            if (!registryFile_.isEmpty())
                core::programRegistryKey(registryFile_).writeInt(askName, 0);
        } else if (answer != core::kResultOk) {
            return;
        }
    }
    const core::ImageSlots& pictures = document_.pictureSlots();
    const core::MergeStart start = core::mergeStart(
        !tuningMode(), document_.hasOutput(), document_.hasUnsavedResult(), document_.width(),
        document_.height(), pictures.width(core::ImageSlot::Output),
        pictures.height(core::ImageSlot::Output));
    const auto choose = [this, first = start.first] {
        if (busy() || document_.pictureSlots().isEmpty(first)) return;
        const QString status = ui_.status->text();
        setStatus(text("ALS_MERGE_IMAGE_TT"));
        const QString second = files_.openPicture(this, lastFolder_);
        if (second.isEmpty() || !QFileInfo::exists(second)) {
            setStatus(status);
            return;
        }
        mergeWith(first, second);
    };
    if (start.askToSaveOutput) {
        const int answer = core::askMessage(
            asker_, language_, QStringLiteral("ALS_SAVE_RESULTS_IF_EXIT_QUEST"),
            QStringLiteral("ALS_SAVING_RESULT"), core::kButtonsYesNoCancel | core::kIconQuestion);
        if (answer == core::kResultYes) {
            saveOutputThen(choose);
            return;
        }
        if (answer != core::kResultNo) return;
    }
    choose();
}

void TMainForm::mergeWith(core::ImageSlot first, const QString& second) {
    if (first == core::ImageSlot::Source) core::collectSettings(tuning_);
    if (tuningMode() && first == core::ImageSlot::Source) setTuningMode(false);
    scheduler_.setLongOperation(true);
    updateCommands();
    core::ImageDocument* document = &document_;
    core::UndoCopy* undo = &undo_;
    const core::MergeRequest request{first, second, folders_.tempFolder()};
    auto record = std::make_shared<core::RunRecord>(core::fillEngineRecord(tuning_, {}));
    executor_->post(
        this,
        [document, undo, request, record](const core::EngineJobContext&) {
            core::Status merged = core::mergeImages(*document, *undo, request);
            if (merged && request.first == core::ImageSlot::Source)
                detectAutoContrast(*document, *record);
            Reloaded r = reloaded(*document, request.first, std::move(merged));
            r.undoKept = undo->available();
            return r;
        },
        [this, first](Reloaded r) {
            scheduler_.setLongOperation(false);
            setStatus(QString());
            undoAvailable_ = r.undoKept;
            undoSlot_ = r.undoKept ? first : core::ImageSlot::Template;
            if (r.status) {
                showReloaded(first, r.picture, r.thumbnail);
                if (first == core::ImageSlot::Output)
                    ui_.stxtLeft->setText(ui_.stxtLeft->text() + QStringLiteral("; Plug-in"));
            } else if (first == core::ImageSlot::Source && !document_.isOpen()) {
                // The merged picture could not be read back: the source is gone.
                pictureLoaded(
                    false,
                    core::documentMessage(r.status.failure(), core::languageLookup(language_)), {},
                    {});
            } else {
                if (!document_.hasOutput()) ui_.imageOutput->clearPicture();
                showError(
                    core::documentMessage(r.status.failure(), core::languageLookup(language_)));
            }
            updateCommands();
            emit mergeEnded(r.status.ok());
        });
}

void TMainForm::menuUndoClick() {
    if (busy() || !undoAvailable_) return;
    const core::ImageSlot slot = undoSlot_;
    undoAvailable_ = false;
    undoSlot_ = core::ImageSlot::Template;
    if (slot == core::ImageSlot::Source) {
        core::collectSettings(tuning_);
        if (tuningMode()) setTuningMode(false);
    }
    scheduler_.setLongOperation(true);
    updateCommands();
    core::ImageDocument* document = &document_;
    core::UndoCopy* undo = &undo_;
    auto record = std::make_shared<core::RunRecord>(core::fillEngineRecord(tuning_, {}));
    executor_->post(
        this,
        [document, undo, slot, record](const core::EngineJobContext&) {
            const bool wasOpen = document->isOpen();
            core::Status restored = undo->restore(*document);
            if (restored && slot == core::ImageSlot::Source) detectAutoContrast(*document, *record);
            // A copy that was taken in but could not be read leaves nothing worth showing.
            if (!restored && wasOpen && document->pictureSlots().isEmpty(slot) &&
                slot == core::ImageSlot::Source)
                document->close();
            return reloaded(*document, slot, std::move(restored));
        },
        [this, slot](Reloaded r) {
            scheduler_.setLongOperation(false);
            setStatus(QString());
            if (r.status) {
                showReloaded(slot, r.picture, r.thumbnail);
            } else {
                if (!document_.isOpen()) {
                    sourceDisplay_ = QImage();
                    ui_.imageSource->clearPicture();
                    ui_.imgFullSrc->clearPicture();
                    scheduler_.setSourceSize(0, 0);
                    setWindowTitle(QStringLiteral("Velmar Filter"));
                }
                if (!document_.hasOutput()) ui_.imageOutput->clearPicture();
                showError(
                    core::documentMessage(r.status.failure(), core::languageLookup(language_)));
            }
            updateCommands();
            emit undoEnded(r.status.ok());
        });
}

void TMainForm::showReloaded(core::ImageSlot slot, const QImage& picture, const QImage& thumbnail) {
    if (slot == core::ImageSlot::Output) {
        ui_.imageOutput->setPicture(picture);
        return;
    }
    sourceDisplay_ = picture;
    ui_.imageSource->setPicture(picture);
    ui_.imgFullSrc->setPicture(thumbnail);
    ui_.imageOutput->clearPicture();
    scheduler_.setSourceSize(document_.width(), document_.height());
    const core::NoiseLevels noise = document_.noiseLevels();
    tuning_.detected.shadows = noise.shadows;
    tuning_.detected.midtones = noise.overall;
    tuning_.detected.highlights = noise.highlights;
    tuning_.detected.darkest = document_.darkest();
    tuning_.detected.brightest = document_.brightest();
    binder_->refresh();
    setWindowTitle(core::windowTitle(QStringLiteral("Velmar Filter"),
                                     QFileInfo(document_.fileName()).fileName(),
                                     document_.information().sizeLine, document_.modifiedByPlugin(),
                                     core::languageLookup(language_)));
    ui_.stxtRight->setText(text("ALS_SOURCE"));
    ui_.stxtLeft->setText(QString());
    region_ = {};
    recomputeRegion(true);
}

}  // namespace app
