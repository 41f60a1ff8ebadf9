// The main window's folder commands: listing the folder of an opened picture, previous / next
// through it, reopen, the demo picture and opening a recent folder.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/main_form_commands.h"
#include "app/preview/full_views.h"
#include "core/document/document_texts.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/program_registry.h"
#include "core/settings/tuning_collect.h"

namespace app {

void TMainForm::installFolderCommands() {
    undo_.setTempFolder(folders_.tempFolder());
    const auto on = [this](const char* name, auto slot) {
        connect(ui_.menu[QString::fromLatin1(name)], &QAction::triggered, this, slot);
    };
    on("menuPrev", [this] { menuPrevClick(); });
    on("menuNext", [this] { menuNextClick(); });
    on("menuReopen", [this] { menuReopenClick(); });
    on("menuDemo", [this] { menuDemoClick(); });
    on("menuMergeImages", [this] { menuMergeImagesClick(); });
    on("menuUndo", [this] { menuUndoClick(); });
    // Opening another picture or closing this one ends the undo of a merge.
    const auto dropUndo = [this] {
        if (!undoAvailable_) return;
        undoAvailable_ = false;
        undoSlot_ = core::ImageSlot::Template;
        core::UndoCopy* undo = &undo_;
        executor_->post(
            this, [undo](const core::EngineJobContext&) { undo->clear(); }, [] {});
        updateCommands();
    };
    connect(this, &TMainForm::pictureOpened, this, dropUndo);
    connect(&document_, &core::ImageDocument::loadStateChanged, this,
            [dropUndo](core::ImageDocument::LoadState state) {
                if (state == core::ImageDocument::LoadState::Empty) dropUndo();
            });
}

// The enabling table decides; it needs the folder's file count and what the undo copy holds.
void TMainForm::updateFolderCommands() {
    if (!commands_) return;
    commands_->setFileCount(int(listing_.files.size()));
    commands_->setUndoSlot(!undoAvailable_                        ? core::UndoSlot::None
                           : undoSlot_ == core::ImageSlot::Output ? core::UndoSlot::Output
                                                                  : core::UndoSlot::Source);
}

void TMainForm::storeOpenFolder(const QString& folder) {
    lastFolder_ = folder.isEmpty() ? folders_.program() : folder;
    if (registryFile_.isEmpty()) return;
    core::RegistryKey key = core::programRegistryKey(registryFile_);
    core::writeDialogFolder(key, core::DialogFolder::Open, lastFolder_);
}

// The listing reads every file of the folder, so it runs on the engine thread, in turn with the
// picture work posted after it.
void TMainForm::listFolderThen(const QString& folder, const QString& current,
                               std::function<void(bool listed)> next) {
    executor_->post(
        this,
        [folder, current](const core::EngineJobContext&) {
            return core::listFolder(folder, current, core::imagingPictureCheck());
        },
        [this, next](core::FolderListing listing) {
            listing_ = std::move(listing);
            updateFolderCommands();
            emit folderListed();
            if (next) next(true);
        });
}

bool TMainForm::openScanned(const QString& path, int quarterTurns) {
    if (busy()) return false;
    const QString folder = QFileInfo(path).absolutePath();
    storeOpenFolder(folder);
    listFolderThen(folder, path, {});
    return openFile(path, quarterTurns);
}

bool TMainForm::openFolder(const QString& folder) {
    if (busy()) return false;
    if (!QFileInfo(folder).isDir()) return false;
    listFolderThen(folder, QString(), [this, folder](bool) {
        if (busy()) return;
        if (!listing_.files.isEmpty()) {
            listing_.current = 0;
            storeOpenFolder(folder);
            openFile(listing_.files.first());
        } else {
            lastFolder_ = folder;
            menuOpenClick();
        }
    });
    return true;
}

void TMainForm::saveOutputThen(std::function<void()> next) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &TMainForm::saveEnded, this, [this, connection, next](bool saved) {
        const std::function<void()> go = next;
        disconnect(*connection);
        if (saved) go();
    });
    menuSaveClick();
    // No save was started (the dialog was cancelled): the result stays and nothing follows.
    if (!busy()) disconnect(*connection);
}

void TMainForm::stepImage(core::StepDirection direction) {
    if (busy() || listing_.files.isEmpty()) return;
    lastStep_ = direction;
    const auto step = [this, direction] {
        if (busy()) return;
        core::collectSettings(tuning_);
        const int index =
            core::steppedIndex(listing_.current, int(listing_.files.size()), direction);
        if (index < 0) return;
        listing_.current = index;
        openFile(listing_.files[index]);
    };
    if (document_.hasUnsavedResult()) {
        const int answer = core::askMessage(
            asker_, language_, QStringLiteral("ALS_SAVE_RESULTS_IF_EXIT_QUEST"),
            QStringLiteral("ALS_SAVING_RESULT"), core::kButtonsYesNoCancel | core::kIconQuestion);
        if (answer == core::kResultYes) {
            saveOutputThen(step);
            return;
        }
        if (answer != core::kResultNo) return;
    }
    step();
}

void TMainForm::askToGoOnAfterFailedOpen(const QString& message) {
    core::MessageBoxRequest request;
    request.text =
        message + QLatin1Char('\n') + language_.message(QStringLiteral("ER_SRC_LOADING_END"));
    request.title = language_.capitalised(QStringLiteral("ALS_ERROR"));
    request.style = core::kButtonsOkCancel;
    if (asker_.ask(request) == core::kResultOk) {
        // After the failed open has been reported to whoever waits for it.
        QTimer::singleShot(0, this, [this] { stepImage(lastStep_); });
    } else {
        menuCloseClick();
    }
}

void TMainForm::menuReopenClick() {
    if (busy() || !document_.fromFile() || document_.fileName().isEmpty()) return;
    openFile(document_.fileName());
}

void TMainForm::menuDemoClick() {
    if (busy()) return;
    const QString sample = folders_.sampleImage();
    if (!QFileInfo::exists(sample)) return;
    if (document_.isOpen()) menuCloseClick();
    if (fullViews_) fullViews_->selectZoomItem(0);  // fit window
    listFolderThen(QFileInfo(sample).absolutePath(), sample, {});
    openFile(sample);
}

}  // namespace app
