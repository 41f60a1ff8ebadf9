// TPrefForm: the modal preferences window. Its controls show the preferences record and the two
// cache folders; what they mean and how saving goes are core's (core/prefs), the window binds
// them to widgets and runs the clear buttons and the folder picker.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "core/main/registry_key.h"
#include "core/paths/program_folders.h"
#include "core/prefs/preference_saving.h"
#include "core/settings/program_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace core {
class Language;
}

namespace app {

// Asks for a folder: (parent, title, starting folder) -> the folder, empty when cancelled.
using FolderPicker = std::function<QString(QWidget*, const QString&, const QString&)>;

// The system folder picker.
QString pickFolderWithDialog(QWidget* parent, const QString& title, const QString& start);

class TPrefForm : public QDialog {
    Q_OBJECT
  public:
    // Saving writes into options, which must outlive the window. registryFile: the INI file of
    // the stored values; empty: cache folders are neither read nor stored.
    TPrefForm(const core::Language& language, const core::ProgramFolders& folders,
              const QString& registryFile, core::ProgramOptions& options,
              QWidget* parent = nullptr);

    void setFolderPicker(FolderPicker picker) { pickFolder_ = std::move(picker); }

    // What the window showed on opening, and what its controls hold now.
    const core::PreferenceState& opened() const { return opened_; }
    core::PreferenceState state() const;
    // What the last save asks the main window to redo.
    const core::PreferenceEffects& effects() const { return effects_; }

    QTabWidget* PageControl1 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // accelerator
    QComboBox* ComboBox2 = nullptr;  // opacity
    QComboBox* ComboBox3 = nullptr;  // histogram colour
    QComboBox* ComboBox4 = nullptr;  // resampling
    QComboBox* ComboBox5 = nullptr;  // brightness control
    QComboBox* ComboBox6 = nullptr;  // hint mode
    QCheckBox* CheckBox1 = nullptr;  // ignore EXIF orientation
    QCheckBox* CheckBox2 = nullptr;  // play sound
    QCheckBox* CheckBox3 = nullptr;  // thumbnail cache
    QCheckBox* CheckBox4 = nullptr;  // settings cache
    QLabel* Label4 = nullptr;        // thumbnail cache folder
    QLabel* Label9 = nullptr;        // settings cache folder
    QPushButton* sbCachePath = nullptr;
    QPushButton* sbClearCache = nullptr;
    QPushButton* sbFileSettingsCache = nullptr;
    QPushButton* sbClearFileSettingsCache = nullptr;
    QPlainTextEdit* Memo1 = nullptr;  // caption template
    QPushButton* sbResetTemplate = nullptr;
    QPushButton* BitBtn1 = nullptr;  // save
    QPushButton* BitBtn2 = nullptr;  // cancel

  signals:
    // The hint mode shows at once, before saving.
    void hintModeChosen(int hintMode);

  public slots:
    void sbCachePathClick();
    void sbFileSettingsCacheClick();
    void sbClearCacheClick();
    void sbClearFileSettingsCacheClick();
    void sbResetTemplateClick();
    void BitBtn1Click();

  private:
    void build();
    void showState(const core::PreferenceState& state);
    QString browse(QLabel* label);
    core::RegistryKey* key() { return key_ ? &*key_ : nullptr; }

    const core::Language& language_;
    core::ProgramFolders folders_;
    core::ProgramOptions& options_;
    std::optional<core::RegistryKey> key_;
    core::PreferenceState opened_;
    core::PreferenceEffects effects_;
    FolderPicker pickFolder_ = pickFolderWithDialog;
};

}  // namespace app
