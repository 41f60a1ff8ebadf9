// The main window's picture commands: open, close, save, turn, copy and paste.
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/settings/tuning_binder.h"
#include "core/document/clipboard_picture.h"
#include "core/document/document_texts.h"
#include "core/document/save_names.h"
#include "core/document/thumbnail_picture.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/program_registry.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_record.h"
#include "core/settings/tuning_apply.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_controls.h"
#include "core/settings/tuning_engine_fill.h"
#include "dnr.h"

namespace app {

namespace {

struct Loaded {
    core::Status status;
    QImage source;
    QImage thumbnail;
};

// The pictures the window shows of a freshly opened source, made on the engine thread.
Loaded pictures(core::ImageDocument& document, core::Status status) {
    Loaded loaded{std::move(status), {}, {}};
    if (loaded.status) {
        loaded.source = document.displayImage(core::ImageSlot::Source);
        loaded.thumbnail = core::thumbnailPicture(loaded.source);
    }
    return loaded;
}

}  // namespace

void TMainForm::menuOpenClick() {
    if (busy()) return;
    const QString path = files_.openPicture(this, lastFolder_);
    if (!path.isEmpty()) openScanned(path);
}

bool TMainForm::openFile(const QString& path, int quarterTurns) {
    return openWith(
        path,
        [path, quarterTurns](core::ImageDocument& document) {
            core::Status opened = document.open(path);
            for (int i = 0; opened && i < quarterTurns % 4; ++i)
                opened = document.rotate(+1);
            return opened;
        },
        [this, path](bool ok) {
            lastFolder_ = QFileInfo(path).absolutePath();
            if (!registryFile_.isEmpty() && ok) {
                core::RegistryKey key = core::programRegistryKey(registryFile_);
                core::writeDialogFolder(key, core::DialogFolder::Open, lastFolder_);
            }
        });
}

bool TMainForm::openExchangeImage(bool quiet) {
    setPluginMode(quiet);
    const QString temp = folders_.tempFolder();
    return openWith(
        QString::fromLatin1(core::kExchangeFileName),
        [temp](core::ImageDocument& document) { return document.openExchange(temp); },
        [this](bool ok) {
            // The host waits for its picture: without one there is nothing to do here.
            if (!ok) QTimer::singleShot(counter_.interval(), this, &QWidget::close);
        },
        [this](bool ok) {
            // Quiet: the full run of the settings as they are, at once.
            if (!ok || !pluginQuiet_) return;
            scheduler_.setRunKind(static_cast<int32_t>(core::RunKind::Full));
            scheduler_.startRun();
        });
}

bool TMainForm::openWith(const QString& name,
                         std::function<core::Status(core::ImageDocument&)> open,
                         std::function<void(bool ok)> loaded, std::function<void(bool ok)> shown) {
    if (busy()) return false;
    core::collectSettings(tuning_);
    if (tuningMode()) setTuningMode(false);
    scheduler_.setLongOperation(true);
    updateCommands();
    setStatus(core::loadingStatus(name, true, core::languageLookup(language_)));
    core::ImageDocument* document = &document_;
    // The record the automatic contrast detection reads, filled from the controls as they are.
    auto record = std::make_shared<core::RunRecord>(core::fillEngineRecord(tuning_, {}));
    executor_->post(
        this,
        [document, open = std::move(open), record](const core::EngineJobContext&) {
            core::Status opened = open(*document);
            if (opened) {
                const core::SlotPixels px =
                    core::slotPixels(document->handle(core::ImageSlot::Source));
                ProcessingParams& p = record->params;
                core::attachPixels(p, PixelView{px.bits, px.width, px.bytesPerSample, px.height});
                core::setWholeView(p, {px.width, px.height});
                document->detectAutoContrast(p);
            }
            return pictures(*document, std::move(opened));
        },
        [this, loaded = std::move(loaded), shown = std::move(shown)](Loaded result) {
            const bool ok = result.status.ok();
            loaded(ok);
            pictureLoaded(ok,
                          ok ? QString()
                             : core::documentMessage(result.status.failure(),
                                                     core::languageLookup(language_)),
                          result.source, result.thumbnail);
            if (shown) shown(ok);
        });
    return true;
}

void TMainForm::pictureLoaded(bool ok, const QString& message, const QImage& source,
                              const QImage& thumbnail) {
    scheduler_.setLongOperation(false);
    setStatus(QString());
    ui_.imageOutput->clearPicture();
    if (!ok) {
        sourceDisplay_ = QImage();
        ui_.imageSource->clearPicture();
        ui_.imgFullSrc->clearPicture();
        scheduler_.setSourceSize(0, 0);
        setWindowTitle(QStringLiteral("Velmar Filter"));
        updateCommands();
        if (listing_.files.size() > 1) {
            emit pictureOpened(false);
            askToGoOnAfterFailedOpen(message);
            return;
        }
        showError(message);
        emit pictureOpened(false);
        return;
    }
    sourceDisplay_ = source;
    ui_.imageSource->setPicture(source);
    ui_.imgFullSrc->setPicture(thumbnail);
    scheduler_.setSourceSize(document_.width(), document_.height());
    const core::NoiseLevels noise = document_.noiseLevels();
    tuning_.detected.shadows = noise.shadows;
    tuning_.detected.midtones = noise.overall;
    tuning_.detected.highlights = noise.highlights;
    tuning_.detected.darkest = document_.darkest();
    tuning_.detected.brightest = document_.brightest();
    tuning_.redEyes.clear();
    tuning_.noiseAreas.clear();
    tuning_.colorRanges.clear();
    scheduler_.setApplying(true);
    core::applySettings(tuning_, core::ResetCode::All);
    binder_->refresh();
    scheduler_.setApplying(false);
    if (QWidget* redEye = ui_.pages->page(QStringLiteral("tsRedeye")))
        ui_.pages->setTabVisible(ui_.pages->indexOf(redEye), document_.redEyeTabShown());
    const core::TextLookup lookup = core::languageLookup(language_);
    setWindowTitle(core::windowTitle(
        QStringLiteral("Velmar Filter"), QFileInfo(document_.fileName()).fileName(),
        document_.information().sizeLine, document_.modifiedByPlugin(), lookup));
    ui_.stxtRight->setText(text("ALS_SOURCE"));
    ui_.stxtLeft->setText(QString());
    if (!registryFile_.isEmpty() && document_.fromFile())
        core::programRegistryKey(registryFile_)
            .writeString(QString::fromLatin1(core::kValueLastFile), document_.fileName());
    region_ = {};
    recomputeRegion(true);
    refreshHelpPanel();
    updateCommands();
    emit pictureOpened(true);
}

void TMainForm::autoBrightness() {
    if (busy() || !document_.isOpen()) return;
    core::applySettings(tuning_, core::ResetCode::Brightness);
    binder_->refresh();
    auto record = std::make_shared<core::RunRecord>(core::fillEngineRecord(tuning_, {}));
    core::ImageDocument* document = &document_;
    scheduler_.setLongOperation(true);
    updateCommands();
    executor_->post(
        this,
        [document, record](const core::EngineJobContext&) {
            const core::SlotPixels px = core::slotPixels(document->handle(core::ImageSlot::Source));
            ProcessingParams p = record->params;
            core::attachPixels(p, PixelView{px.bits, px.width, px.bytesPerSample, px.height});
            core::setWholeView(p, {px.width, px.height});
            const bool found = px.bits && Brightness_AutoDetect(&p) != 0;
            return std::make_pair(found, p);
        },
        [this](std::pair<bool, ProcessingParams> detected) {
            scheduler_.setLongOperation(false);
            if (detected.first) {
                core::takeAutoBrightness(tuning_, detected.second);
                binder_->refresh();
            }
            updateCommands();
            requestProcessing();
        });
}

void TMainForm::menuCloseClick() {
    if (busy() || !document_.isOpen()) return;
    if (tuningMode()) setTuningMode(false);
    document_.close();
    sourceDisplay_ = QImage();
    ui_.imageSource->clearPicture();
    ui_.imageOutput->clearPicture();
    ui_.imgFullSrc->clearPicture();
    scheduler_.setSourceSize(0, 0);
    setWindowTitle(QStringLiteral("Velmar Filter"));
    refreshHelpPanel();
    updateCommands();
}

void TMainForm::menuSaveClick() {
    if (busy() || !document_.isOpen()) return;
    const QString folder = lastFolder_.isEmpty() ? folders_.defaultOutputFolder() : lastFolder_;
    const std::optional<SaveChoice> choice = files_.savePicture(
        this, folder + QLatin1Char('/') + document_.proposedSaveName(), options_.outputFormat);
    if (!choice) return;
    const QString path = core::chosenSavePath(choice->path, choice->formatIndex);
    if (QFileInfo::exists(path)) {
        const QString question =
            language_.message(QStringLiteral("ALS_SAVE_RESULTS_IF_EXISTS_QUEST"))
                .replace(QStringLiteral("%s"), path);
        core::MessageBoxRequest request;
        request.text = question;
        request.title = text("ALS_SAVING_RESULT");
        request.style = core::kButtonsYesNo | core::kIconQuestion;
        if (asker_.ask(request) != core::kResultYes) return;
    }
    options_.outputFormat = static_cast<uint8_t>(choice->formatIndex);
    saveTo(path, choice->formatIndex);
}

void TMainForm::saveTo(const QString& path, int formatIndex) {
    scheduler_.setLongOperation(true);
    updateCommands();
    setStatus(core::savingStatus(core::languageLookup(language_)));
    core::SaveRequest request{path, formatIndex, options_.jpegQualityIndex, true};
    core::ImageDocument* document = &document_;
    executor_->post(
        this,
        [document, request](const core::EngineJobContext&) { return document->save(request); },
        [this](core::Status status) {
            scheduler_.setLongOperation(false);
            setStatus(QString());
            updateCommands();
            if (!status)
                showError(core::documentMessage(status.failure(), core::languageLookup(language_)));
            emit saveEnded(status.ok());
        });
}

void TMainForm::menuRotateClick(int direction) {
    if (busy() || !document_.isOpen()) return;
    scheduler_.setLongOperation(true);
    updateCommands();
    setStatus(core::rotationStatus(document_.hasOutput(), core::languageLookup(language_)));
    core::ImageDocument* document = &document_;
    struct Turned {
        core::Status status;
        Loaded pictures;
        QImage output;
    };
    executor_->post(
        this,
        [document, direction](const core::EngineJobContext&) {
            Turned t{document->rotate(direction), {}, {}};
            t.pictures = pictures(*document, t.status);
            if (t.status && document->hasOutput())
                t.output = document->displayImage(core::ImageSlot::Output);
            return t;
        },
        [this](Turned t) {
            scheduler_.setLongOperation(false);
            setStatus(QString());
            if (t.status) {
                sourceDisplay_ = t.pictures.source;
                ui_.imageSource->setPicture(t.pictures.source);
                ui_.imgFullSrc->setPicture(t.pictures.thumbnail);
                if (!t.output.isNull()) ui_.imageOutput->setPicture(t.output);
                scheduler_.setSourceSize(document_.width(), document_.height());
                recomputeRegion(true);
                if (tuningMode()) requestProcessing();
            } else {
                showError(
                    core::documentMessage(t.status.failure(), core::languageLookup(language_)));
            }
            updateCommands();
        });
}

void TMainForm::menuCopyClick() {
    if (busy() || !document_.isOpen()) return;
    core::ImageDocument* document = &document_;
    executor_->post(
        this,
        [document](const core::EngineJobContext&) {
            return document->hasOutput() ? document->clipboardImage()
                                         : document->displayImage(core::ImageSlot::Source);
        },
        [](QImage picture) { core::putOnClipboard(picture); });
}

void TMainForm::menuPasteClick() {
    if (busy() || !core::clipboardHasPicture()) return;
    const QImage picture = core::clipboardPicture();
    core::collectSettings(tuning_);
    scheduler_.setLongOperation(true);
    updateCommands();
    core::ImageDocument* document = &document_;
    executor_->post(
        this,
        [document, picture](const core::EngineJobContext&) {
            return pictures(*document, document->openPicture(picture));
        },
        [this](Loaded loaded) {
            pictureLoaded(loaded.status.ok(),
                          loaded.status ? QString()
                                        : core::documentMessage(loaded.status.failure(),
                                                                core::languageLookup(language_)),
                          loaded.source, loaded.thumbnail);
        });
}

}  // namespace app
