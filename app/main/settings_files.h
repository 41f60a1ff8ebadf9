// The main window's settings files: saving and loading the general settings and the settings
// kept beside the picture (menuSaveOptions, menuLoadOptions, menuSaveFileOptions,
// menuLoadFileOptions), the presets box of the tuning tabs (cbPresets) and the per-file settings
// cache (kept after every full run, offered when the picture is opened again). The files, names
// and rules are the core's (core/presets); this binds them to the window.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/preview/preview_tabs.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_params.h"

class QComboBox;
class QWidget;

namespace app {

class TMainForm;

class SettingsFiles : public QObject {
    Q_OBJECT
  public:
    explicit SettingsFiles(TMainForm& form);

    QWidget* presetsPanel() const { return panel_; }
    QComboBox* presetsBox() const { return box_; }
    // The untranslated preset names, parallel to the box's items.
    const QStringList& presetNames() const { return names_; }

    void menuSaveOptionsClick();
    void menuLoadOptionsClick();
    void menuSaveFileOptionsClick();
    void menuLoadFileOptionsClick();
    void cbPresetsSelect(int index);

    // The box for the active tab, and shown only where the mode and the tab allow.
    void fillPresetsBox();
    void refreshPresetsPanel();

    // The folder of the per-file cache, by the stored value or the default.
    QString fileSettingsCacheFolder() const;

  private:
    QString presetsGroupFolder(const QString& group) const;
    // Makes the folder when missing; false (and the user told) when it cannot be made.
    bool ensureFolder(const QString& folder);
    core::QueueParams currentRecord();
    // Collects the controls (and keeps them in "vr.dat"), then writes the file; a failure is
    // reported.
    bool writeSettings(const QString& path);
    // Reads and applies; a failure reports "ER_CANNOT_LOAD_SETTINGS" with the path.
    bool loadSettings(const QString& path, std::optional<core::PreviewTab> onlyTab,
                      core::UnreadableFile unreadable);
    void applyRecord(const core::QueueParams& record, std::optional<core::PreviewTab> onlyTab);
    void showPictureMessage(const char* key, const QString& path);
    std::optional<core::PreviewTab> activeTab() const;
    // The per-file cache.
    void storeFileSettings();
    void offerFileSettings();

    TMainForm& form_;
    QWidget* panel_ = nullptr;
    QComboBox* box_ = nullptr;
    QStringList names_;
    // A preset was just loaded: the box shows it until the next preview has been shown.
    bool presetJustChosen_ = false;
};

}  // namespace app
