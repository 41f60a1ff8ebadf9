// TMainForm: the program's one main window. It binds the widgets of its layout to the core's
// document, tuning state, run scheduler and engine executor; what it decides lives there. All
// picture work is posted to the engine thread; the window thread never waits for it.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "app/main/main_form_layout.h"
#include "core/document/image_document.h"
#include "core/document/undo_copy.h"
#include "core/files/folder_listing.h"
#include "core/main/image_stepping.h"
#include "core/main/message_box.h"
#include "core/main/registry_key.h"
#include "core/paths/program_folders.h"
#include "core/preview/engine_executor.h"
#include "core/preview/preview_region.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_result.h"
#include "core/preview/run_scheduler.h"
#include "core/queue/queue_params.h"
#include "core/settings/program_options.h"
#include "core/settings/tuning_state.h"

namespace core {
class Language;
}

namespace app {

class ColourRanges;
class CropTab;
class Equalizers;
class CropView;
class FileChooser;
class FullViews;
class TextTab;
class PointerTools;
class MainFormCommands;
class MemoryColors;
class NavigatorCommands;
class QueueCommands;
class SettingsFiles;
class TuningBinder;

struct MainFormSetup {
    const core::Language& language;
    core::MessageAsker& asker;
    FileChooser& files;
    core::ProgramFolders folders;
    core::SettingsBlock settings;  // as "vr.dat" held it at start
    core::ProgramOptions options;  // as "vri.dat" held it
    QString registryFile;          // the INI file of the stored values; empty: none are written
    int languageIndex = 0;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(const MainFormSetup& setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    const MainFormLayout& ui() const { return ui_; }
    core::ImageDocument& document() { return document_; }
    core::TuningState& tuning() { return tuning_; }
    const core::RunScheduler& scheduler() const { return scheduler_; }
    const core::ProgramOptions& options() const { return options_; }
    const core::PreviewRegion& previewRegion() const { return region_; }
    // The viewing mode's full views: cmbZoom, zoom steps, frames mode, scrolling together.
    FullViews& fullViews() const { return *fullViews_; }
    MainFormCommands* commands() const { return commands_; }
    // The queue's commands and its window.
    QueueCommands* queueCommands() const { return queueCommands_; }
    // Settings files, presets and the per-file settings cache.
    SettingsFiles* settingsFiles() const { return settingsFiles_; }
    // The memory-colour list, its file and its window.
    MemoryColors* memoryColors() const { return memoryColors_; }
    // The navigator panel beside the layers and the recent folders.
    NavigatorCommands* navigator() const { return navigator_; }
    // The colour range being edited with its floating window, and the range list.
    ColourRanges* colourRanges() const { return colourRanges_; }
    // The four curve editors.
    Equalizers* equalizers() const { return equalizers_; }

    // Busy: a run or a long operation (opening, saving) is under way; every command that
    // touches the picture is refused meanwhile.
    bool busy() const { return scheduler_.busy(); }
    bool tuningMode() const { return ui_.layers->currentWidget() == ui_.layer1; }

    CropTab* cropTab() const { return cropTab_; }
    CropView* cropView() const { return cropView_; }
    TextTab* textTab() const { return textTab_; }

    // Opens a picture (posted to the engine thread), turned clockwise by the quarter turns; false
    // when refused because busy.
    bool openFile(const QString& path, int quarterTurns = 0);
    // Plug-in mode: opens the host's picture from the exchange file of the temp folder. quiet:
    // the full run starts at once and its result goes straight back to the host. Without the
    // picture the window closes at the next tick.
    bool openExchangeImage(bool quiet);
    // Opens a picture after listing its folder (the list previous/next step through) and storing
    // the folder as the open dialog's; false when refused because busy.
    bool openScanned(const QString& path, int quarterTurns = 0);
    // A recent folder: lists it and opens its first picture, or runs the open dialog in it when
    // it holds none. False when busy or the folder no longer exists (the caller drops it).
    bool openFolder(const QString& folder);
    const core::FolderListing& folderListing() const { return listing_; }
    // An undo copy of a merge waits.
    bool undoAvailable() const { return undoAvailable_; }

    // Takes a queued item back for editing: its mode, settings and marks, its folder listed and
    // its picture opened with its quarter turns. False when refused because busy.
    bool openQueueItem(const core::QueueParams& item);

    // The full-screen preview (modal, closed by a key). The command and sbRealCrop store the crop
    // tab's choice of fitting (0) or real size (1) first; Enter opens with the kind last chosen.
    // False when refused (busy, no picture, or a tab that has no full-screen view).
    bool openFullScreen();
    bool openFullScreen(int cropDisplayKind);

    // Stores the skin of that name ("" for the plain look) and shows this window in it at once.
    core::Status chooseSkin(const QString& name);

  public slots:
    void menuOpenClick();
    void menuCloseClick();
    void menuSaveClick();
    void menuRebuildClick();
    void menuAbortClick();
    void menuRotateClick(int direction);
    void menuCopyClick();
    void menuPasteClick();
    void menuExpertModeClick(bool expert);
    void menuResetOptionsClick();
    void menuHelpClick();
    void menuHelpPanelClick(bool shown);
    void menuPrevClick() { stepImage(core::StepDirection::Previous); }
    void menuNextClick() { stepImage(core::StepDirection::Next); }
    void menuReopenClick();
    void menuDemoClick();
    void menuMergeImagesClick();
    void menuUndoClick();
    void menuExitClick() { close(); }
    // sbAutoBrightness: the brightness settings the engine finds for the picture.
    void autoBrightness();

  signals:
    void pictureOpened(bool ok);
    void previewShown();
    void fullRunEnded(core::RunEnd end);
    void saveEnded(bool ok);
    void folderListed();
    void mergeEnded(bool ok);
    void undoEnded(bool ok);
    // A queued item taken back for editing is open with its settings and marks.
    void queueItemOpened();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class MainFormCloser;
    friend class ColourRanges;
    friend class PointerTools;
    friend class MainFormCommands;
    friend class MemoryColors;
    friend class NavigatorCommands;
    friend class Equalizers;
    friend class QueueCommands;
    friend class SettingsFiles;
    friend class TFullScreenForm;

    void connectCommands();
    void installFullViews();
    void updateCommands();
    void setStatus(const QString& text);
    QString text(const char* key) const;
    void showError(const QString& message);

    // Tuning and preview.
    void setTuningMode(bool on);
    void launchRun(core::RunKind kind);
    void startPreviewRun();
    void startFullRun();
    void previewDone(const QImage& sourcePreview, core::RunResult result);
    void fullRunDone(core::RunResult result);
    void recomputeRegion(bool centre);
    void previewPaneResized();
    void tabChanged();
    void requestProcessing() { scheduler_.requestProcessing(); }
    void showThumbnailFrame();
    void connectPreviewDrag(PictureView* view);
    void pointThumbnail(QPoint point);
    void refreshHelpPanel();
    void fillLanguageMenu();
    void installSkin();

    // The crop and Text tabs.
    void installCropTab();
    void installTextTab();
    void showCropViewOrPreviews();
    // "ALS_SOURCE: name (size line)", with the plug-in note while the source holds its result.
    QString sourceCaption() const;
    // A full run or a long operation holds the picture; a preview run does not keep the crop and
    // Text tabs' settings from changing (the change restarts it).
    bool settingsLocked() const {
        return busy() && (!scheduler_.running() ||
                          scheduler_.runKind() == static_cast<int32_t>(core::RunKind::Full));
    }
    // Folder, stepping, merge and undo.
    void installFolderCommands();
    void updateFolderCommands();
    void listFolderThen(const QString& folder, const QString& current,
                        std::function<void(bool listed)> next);
    void storeOpenFolder(const QString& folder);
    void stepImage(core::StepDirection direction);
    // After a picture of a listed folder failed to open: on to the next one, or stop there.
    void askToGoOnAfterFailedOpen(const QString& message);
    void saveOutputThen(std::function<void()> next);
    void mergeWith(core::ImageSlot first, const QString& second);
    void showReloaded(core::ImageSlot slot, const QImage& picture, const QImage& thumbnail);

    // Picture.
    void pictureLoaded(bool ok, const QString& message, const QImage& source, const QImage& thumb);
    // Opens through open (run on the engine thread); loaded runs before the window shows the
    // outcome, shown after. name is the file named in the status line meanwhile.
    bool openWith(const QString& name, std::function<core::Status(core::ImageDocument&)> open,
                  std::function<void(bool ok)> loaded, std::function<void(bool ok)> shown = {});
    // Plug-in mode (main_form_plugin.cpp): the commands the host's picture allows, and what
    // follows a full run there.
    void setPluginMode(bool quiet);
    void pluginRunEnded(bool produced);
    void writeBackToHost();
    void saveTo(const QString& path, int formatIndex);

    const core::Language& language_;
    core::MessageAsker& asker_;
    FileChooser& files_;
    core::ProgramFolders folders_;
    core::ProgramOptions options_;
    QString registryFile_;
    int languageIndex_ = 0;
    int fullScreenCropKind_ = 0;  // the crop tab's full-screen view: 0 fitted, 1 real size
    MainFormLayout ui_;

    core::ImageDocument document_;
    core::TuningState tuning_;
    TuningBinder* binder_ = nullptr;
    FullViews* fullViews_ = nullptr;
    CropView* cropView_ = nullptr;
    CropTab* cropTab_ = nullptr;
    TextTab* textTab_ = nullptr;
    PointerTools* pointer_ = nullptr;       // the pick tools of the preview panes
    MainFormCommands* commands_ = nullptr;  // menu, tool bars, step bar, key and wheel routing
    QueueCommands* queueCommands_ = nullptr;
    SettingsFiles* settingsFiles_ = nullptr;
    MemoryColors* memoryColors_ = nullptr;
    NavigatorCommands* navigator_ = nullptr;
    ColourRanges* colourRanges_ = nullptr;
    Equalizers* equalizers_ = nullptr;
    core::RunScheduler scheduler_;
    std::unique_ptr<core::EngineExecutor> executor_;
    core::PreviewRegion region_;
    bool sourcePreviewStale_ = true;
    // A preview pane changed its size (window resized, splitter moved, frames switched): the
    // region follows once the layout has settled.
    QTimer paneResized_;
    core::StagesOn stagesShown_;  // the stages of the preview on screen
    bool activated_ = false;
    bool closed_ = false;
    QImage sourceDisplay_;
    QTimer counter_;  // Timer_counter: the scheduler's 500 ms tick
    // Dragging a preview: Timer_drag moves the region every 200 ms while the pointer moved.
    QTimer dragTimer_;
    std::optional<core::PreviewDrag> drag_;
    QPoint dragPointer_;
    bool dragMoved_ = false;
    qint64 runStartMs_ = 0;
    QString lastFolder_;
    core::FolderListing listing_;
    core::StepDirection lastStep_ = core::StepDirection::Next;  // the last direction of travel
    core::UndoCopy undo_;                                       // used on the engine thread only
    bool undoAvailable_ = false;
    core::ImageSlot undoSlot_ = core::ImageSlot::Template;
    bool pluginMode_ = false;   // started with "-plugin": the picture belongs to a host
    bool pluginQuiet_ = false;  // with "-q": run at once, hand back, close
};

}  // namespace app
