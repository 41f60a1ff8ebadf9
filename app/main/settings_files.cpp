#include "app/main/settings_files.h"

#include <QAbstractButton>
#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/settings/crop_tab.h"
#include "app/settings/presets_panel.h"
#include "app/settings/tuning_binder.h"
#include "core/errors/failure_text.h"
#include "core/files/path_bytes.h"
#include "core/i18n/language.h"
#include "core/main/program_registry.h"
#include "core/presets/file_settings_cache.h"
#include "core/presets/settings_file.h"
#include "core/presets/settings_file_names.h"
#include "core/presets/settings_record_apply.h"
#include "core/settings/record_file.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_controls.h"

namespace app {

namespace {

const char* equalizerButtonName(core::EqualizerButton button) {
    switch (button) {
        case core::EqualizerButton::Noise:
            return "sbEqNoiseReduction";
        case core::EqualizerButton::Saturation:
            return "sbEqSaturation";
        case core::EqualizerButton::Sharpening:
            return "sbEqSharpening";
    }
    return "";
}

}  // namespace

SettingsFiles::SettingsFiles(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("SettingsFiles"));
    panel_ = buildPresetsPanel();
    box_ = panel_->findChild<QComboBox*>(QStringLiteral("cbPresets"));
    // The box sits under the tab pages, in the tuning layer's column.
    TuningPages* pages = form_.ui_.pages;
    auto* column = pages->parentWidget()
                       ? qobject_cast<QBoxLayout*>(pages->parentWidget()->layout())
                       : nullptr;
    if (column)
        column->insertWidget(column->indexOf(pages) + 1, panel_);
    else
        panel_->setParent(pages);

    const MainMenu& menu = form_.ui_.menu;
    const auto on = [this, &menu](const char* name, void (SettingsFiles::*slot)()) {
        if (QAction* action = menu[QString::fromLatin1(name)])
            connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    };
    on("menuSaveOptions", &SettingsFiles::menuSaveOptionsClick);
    on("menuLoadOptions", &SettingsFiles::menuLoadOptionsClick);
    on("menuSaveFileOptions", &SettingsFiles::menuSaveFileOptionsClick);
    on("menuLoadFileOptions", &SettingsFiles::menuLoadFileOptionsClick);
    connect(box_, &QComboBox::activated, this, &SettingsFiles::cbPresetsSelect);
    connect(pages, &QTabWidget::currentChanged, this, [this] { fillPresetsBox(); });
    if (QAction* expert = menu[QStringLiteral("menuExpertMode")])
        connect(expert, &QAction::triggered, this, [this] { refreshPresetsPanel(); });
    // After a preview the box invites to load again, except right after a preset was chosen and
    // on the crop tab (whose frame a preset may have set).
    connect(&form_, &TMainForm::previewShown, this, [this] {
        if (presetJustChosen_) {
            presetJustChosen_ = false;
            return;
        }
        if (form_.ui_.pages->currentSheet() == QLatin1String("tsCrop")) return;
        if (box_->currentIndex() != 0) {
            const QSignalBlocker block(box_);
            box_->setCurrentIndex(0);
        }
    });
    connect(&form_, &TMainForm::fullRunEnded, this, [this](core::RunEnd end) {
        if (end == core::RunEnd::Done) storeFileSettings();
    });
    connect(&form_, &TMainForm::pictureOpened, this, [this](bool ok) {
        if (ok) offerFileSettings();
    });
    fillPresetsBox();
}

std::optional<core::PreviewTab> SettingsFiles::activeTab() const {
    return core::tabOfSheet(form_.ui_.pages->currentSheet());
}

QString SettingsFiles::presetsGroupFolder(const QString& group) const {
    return core::presetGroupFolder(form_.folders_.presetsFolder(), group);
}

void SettingsFiles::showPictureMessage(const char* key, const QString& path) {
    form_.showError(core::pathMessage(form_.text(key), path));
}

bool SettingsFiles::ensureFolder(const QString& folder) {
    if (core::makeFolders(folder)) return true;
    showPictureMessage("ER_CANNOT_CREATE_FOLDER", folder);
    return false;
}

core::QueueParams SettingsFiles::currentRecord() {
    core::TuningState& tuning = form_.tuning_;
    const core::SettingsBlock& block = core::collectSettings(tuning);
    // "vr.dat" follows the controls whenever they are collected; a failure there is the close's
    // to report, not this command's.
    (void)core::saveSettingsBlock(form_.folders_.settingsFile(), block);
    const core::ImageDocument& document = form_.document_;
    core::ImageMarks marks{tuning.noiseAreas, tuning.colorRanges, tuning.redEyes,
                           static_cast<uint8_t>(((document.rotation() % 4) + 4) % 4)};
    const QString picture =
        document.isOpen() && document.fromFile() ? document.fileName() : QString();
    return core::settingsRecord(block, tuning.expertMode, picture, marks);
}

bool SettingsFiles::writeSettings(const QString& path) {
    const core::Status written = core::writeSettingsFile(path, currentRecord());
    if (!written) {
        form_.showError(core::failureText(form_.language_, written.failure()));
        return false;
    }
    return true;
}

bool SettingsFiles::loadSettings(const QString& path, std::optional<core::PreviewTab> onlyTab,
                                 core::UnreadableFile unreadable) {
    const core::Result<core::QueueParams> read = core::readSettingsRecord(path, unreadable);
    if (!read) {
        showPictureMessage("ER_CANNOT_LOAD_SETTINGS", path);
        return false;
    }
    applyRecord(read.value(), onlyTab);
    return true;
}

void SettingsFiles::applyRecord(const core::QueueParams& record,
                                std::optional<core::PreviewTab> onlyTab) {
    if (core::recordNeedsExpertMode(record, form_.tuning_.expertMode))
        form_.menuExpertModeClick(true);
    form_.scheduler_.setApplying(true);
    core::applySettingsRecord(form_.tuning_, record, onlyTab);
    form_.binder_->refresh();
    form_.scheduler_.setApplying(false);
    // The crop tab keeps a stored frame only for a picture of the stored size.
    if (!onlyTab || *onlyTab == core::PreviewTab::Crop) form_.cropTab_->valuesApplied();
    // A preset that shapes a curve opens its equalizer, so the curve is seen.
    if (onlyTab)
        if (const auto eq = core::equalizerToShow(*onlyTab, form_.tuning_.curves))
            if (auto* button = form_.ui_.pages->findChild<QAbstractButton*>(
                    QString::fromLatin1(equalizerButtonName(*eq))))
                if (button->isCheckable() && !button->isChecked()) button->click();
    form_.updateCommands();
    refreshPresetsPanel();
    if (form_.tuningMode()) form_.requestProcessing();
}

void SettingsFiles::menuSaveOptionsClick() {
    if (form_.settingsLocked()) return;
    const QString folder = presetsGroupFolder(QString::fromLatin1(core::kCommonPresetGroup));
    if (!ensureFolder(folder)) return;
    const QString chosen = form_.files_.saveSettings(&form_, folder, form_.text("ALS_MY_SETTINGS"));
    if (!chosen.isEmpty()) writeSettings(core::withSettingsExtension(chosen));
}

void SettingsFiles::menuLoadOptionsClick() {
    if (form_.settingsLocked()) return;
    QString folder = presetsGroupFolder(QString::fromLatin1(core::kCommonPresetGroup));
    if (!QFileInfo(folder).isDir()) folder = form_.folders_.program();
    const QString chosen = form_.files_.openSettings(&form_, folder, QString());
    if (!chosen.isEmpty()) loadSettings(chosen, std::nullopt, core::UnreadableFile::Keep);
}

void SettingsFiles::menuSaveFileOptionsClick() {
    const core::ImageDocument& document = form_.document_;
    if (form_.settingsLocked() || !document.isOpen()) return;
    const QString picture = document.fromFile() ? document.fileName() : QString();
    QString folder = picture.isEmpty() ? QString() : QFileInfo(picture).absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = presetsGroupFolder(QString::fromLatin1(core::kCommonPresetGroup));
        if (!ensureFolder(folder)) return;
    }
    const QString proposed =
        picture.isEmpty() ? form_.text("ALS_MY_SETTINGS") : core::settingsFileNameOf(picture);
    const QString chosen = form_.files_.saveSettings(&form_, folder, proposed);
    if (!chosen.isEmpty()) writeSettings(core::withSettingsExtension(chosen));
}

void SettingsFiles::menuLoadFileOptionsClick() {
    const core::ImageDocument& document = form_.document_;
    if (form_.settingsLocked() || !document.isOpen()) return;
    const QString picture = document.fromFile() ? document.fileName() : QString();
    QString folder = picture.isEmpty() ? QString() : QFileInfo(picture).absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = presetsGroupFolder(QString::fromLatin1(core::kCommonPresetGroup));
        if (!QFileInfo(folder).isDir()) folder = form_.folders_.program();
    }
    const QString proposed = picture.isEmpty() ? QString() : core::settingsFileNameOf(picture);
    const QString chosen = form_.files_.openSettings(&form_, folder, proposed);
    if (!chosen.isEmpty()) loadSettings(chosen, std::nullopt, core::UnreadableFile::Keep);
}

void SettingsFiles::cbPresetsSelect(int index) {
    const auto backToFirst = [this] {
        const QSignalBlocker block(box_);
        box_->setCurrentIndex(0);
    };
    const std::optional<core::PreviewTab> tab = activeTab();
    if (form_.settingsLocked() || !tab) {
        backToFirst();
        return;
    }
    const QString folder = presetsGroupFolder(form_.ui_.pages->currentSheet());
    switch (core::presetsBoxAction(index, box_->count())) {
        case core::PresetsBoxAction::None:
            return;
        case core::PresetsBoxAction::Save: {
            backToFirst();
            if (!ensureFolder(folder)) return;
            const QString chosen =
                form_.files_.saveSettings(&form_, folder, form_.text("ALS_MY_SETTINGS"));
            if (!chosen.isEmpty() && writeSettings(core::withSettingsExtension(chosen)))
                fillPresetsBox();
            return;
        }
        case core::PresetsBoxAction::Load: {
            const QString path = core::presetFile(folder, names_.value(index));
            // The program's own preset folder: a damaged file of the current version is removed
            // by the reader; one of another version is somebody's settings and stays.
            if (!loadSettings(path, tab, core::UnreadableFile::Delete)) {
                if (!QFile::exists(path))
                    fillPresetsBox();
                else
                    backToFirst();
                return;
            }
            presetJustChosen_ = true;
            return;
        }
    }
}

void SettingsFiles::fillPresetsBox() {
    presetJustChosen_ = false;
    const QString sheet = form_.ui_.pages->currentSheet();
    const QStringList names =
        activeTab() ? core::presetNames(presetsGroupFolder(sheet)) : QStringList();
    const core::PresetsBoxItems items =
        core::presetsBoxItems(names, core::languageLookup(form_.language_));
    names_ = items.names;
    showPresetsItems(box_, items);
    refreshPresetsPanel();
}

void SettingsFiles::refreshPresetsPanel() {
    const bool shown =
        activeTab() &&
        core::controlStates(form_.tuning_, form_.binder_->activeTab()).presetsVisible;
    panel_->setVisible(shown);
}

QString SettingsFiles::fileSettingsCacheFolder() const {
    const QString stored =
        form_.registryFile_.isEmpty()
            ? QString()
            : core::programRegistryKey(form_.registryFile_)
                  .readString(QString::fromLatin1(core::kValueFileSettingsCachePath), QString());
    return core::fileSettingsCacheFolder(stored, form_.folders_.tempFolder());
}

void SettingsFiles::storeFileSettings() {
    const core::ImageDocument& document = form_.document_;
    if (!form_.options_.useFileSettingsCache || !document.isOpen() || !document.fromFile() ||
        !QFileInfo(document.fileName()).isFile())
        return;
    // The cache is a convenience: a full run that cannot keep its settings is not a failure.
    (void)core::storeFileSettings(fileSettingsCacheFolder(), document.fileName(), currentRecord());
}

void SettingsFiles::offerFileSettings() {
    const core::ImageDocument& document = form_.document_;
    if (!form_.options_.useFileSettingsCache || !document.fromFile()) return;
    const QString picture = document.fileName();
    const std::optional<QString> file =
        core::fileSettingsCacheFile(fileSettingsCacheFolder(), picture);
    if (!file || !QFile::exists(*file)) return;
    const QString value = QString::fromLatin1(core::kValueReloadLastUsedSettings);
    std::optional<core::RegistryKey> key;
    if (!form_.registryFile_.isEmpty()) key = core::programRegistryKey(form_.registryFile_);
    const core::FileSettingsOffer offer =
        core::offerFileSettings(key ? key->readInt(value, core::kReloadAsk) : core::kReloadAsk,
                                form_.asker_, form_.language_, picture);
    if (offer.remember && key) key->writeInt(value, *offer.remember);
    if (!offer.apply) return;
    // A cache file that cannot be read is the program's own: it goes, silently.
    const core::Result<core::QueueParams> read =
        core::readSettingsRecord(*file, core::UnreadableFile::Delete);
    if (read) applyRecord(read.value(), std::nullopt);
}

}  // namespace app
