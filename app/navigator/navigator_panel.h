// The navigator panel (PanelNavLayer): the sub-folders and pictures of a folder as thumbnails in
// the scrolling list PanelNav, check boxes on the pictures, the selection label, the way up and the
// pop-up menu PopupNavPanelMenu with the file commands. The thumbnails are made by the thumbnail
// queue's workers, the items on screen first, so the list scrolls freely while a large folder
// fills in. What the panel decides lives in core's navigator model; this binds it.
#pragma once

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QStringList>
#include <QThreadPool>
#include <QWidget>
#include <functional>

#include "core/navigator/navigator_model.h"
#include "core/navigator/thumbnail_queue.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QProgressBar;
class QToolButton;

namespace core {
class Language;
class MessageAsker;
}  // namespace core

namespace app {

struct NavigatorHooks {
    // Opens a picture in the main window.
    std::function<void(const QString&)> openPicture;
    // Adds the checked pictures to the queue.
    std::function<void(const QStringList&)> addToQueue;
    // The folder picker for copy and move (title, start folder); empty: cancelled.
    std::function<QString(const QString&, const QString&)> chooseFolder;
    // True while the main window runs: the panel takes no clicks and makes no thumbnails then.
    std::function<bool()> busy;
    // Files turned in place; the main window reopens its picture when it is one of them.
    std::function<void(const QStringList&)> filesTurned;
    // The folder shown changed (for the recent folders).
    std::function<void(const QString&)> folderShown;
};

class NavigatorPanel : public QWidget {
    Q_OBJECT
  public:
    NavigatorPanel(const core::Language& language, core::MessageAsker& asker, NavigatorHooks hooks,
                   QWidget* parent = nullptr);
    ~NavigatorPanel() override;

    void setThumbnailSettings(const core::ThumbnailSettings& settings) { settings_ = settings; }
    // Lists the folder (off the window's thread) and rebuilds the items.
    void showFolder(const QString& folder);
    // ALS_REFRESH: lists the current folder again, keeping the marks.
    void refresh();

    const core::NavigatorModel& model() const { return model_; }
    core::NavigatorModel& model() { return model_; }
    core::ThumbnailQueue& thumbnails() { return queue_; }
    QListWidget* list() const { return list_; }
    QMenu* popupMenu() const { return menu_; }
    // Thumbnails drawn for the folder shown.
    int thumbnailsShown() const { return shown_; }

    // The pop-up commands (on the checked files, else the file right-clicked).
    void checkAll();
    void uncheckAll();
    void reverseChecks();
    void queueSelected();
    void renameSelected();
    void copySelected();
    void moveSelected();
    void deleteSelected();
    void rotateSelected(int quarterTurns);
    // Prepares the menu's captions and enabling, as before it opens.
    void prepareMenu();

  signals:
    // The listing of a folder is in and its items are built.
    void folderShown(const QString& folder);
    // The rename command: the files to rename; the renaming window takes them from here.
    void renameRequested(const QStringList& files);
    // Every thumbnail of the folder shown is drawn.
    void thumbnailsDone();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void listed(const QString& folder, const core::FolderListing& listing, bool keepMarks);
    void rebuildItems();
    void thumbnailReady(int generation, int index, const QImage& image);
    void updateVisibleRange();
    void updateSelection();
    void itemChanged(QListWidgetItem* item);
    void itemClicked(QListWidgetItem* item);
    void contextMenu(const QPoint& pos);
    void transfer(bool move);
    void afterOperation(const QStringList& changed);
    void setProgress(int done, int total);
    bool isBusy() const { return hooks_.busy && hooks_.busy(); }

    const core::Language& language_;
    core::MessageAsker& asker_;
    NavigatorHooks hooks_;
    core::ThumbnailSettings settings_;
    core::NavigatorModel model_;
    core::ThumbnailQueue queue_;
    // The listings run here, not in the shared pool, where long jobs of others could hold them up.
    QThreadPool listings_;
    int generation_ = 0;
    int folderRows_ = 0;  // items before the first picture
    int shown_ = 0;
    int listingSerial_ = 0;
    bool filling_ = false;
    QIcon folderIcon_, waitingIcon_, greyIcon_;

    QToolButton* sbNavFolderUp = nullptr;
    QLabel* lblNavFolder = nullptr;
    QLabel* lblNavPanelSelected = nullptr;
    QProgressBar* progress_ = nullptr;
    QListWidget* list_ = nullptr;                  // PanelNav
    Qt::CheckState pressedCheck_ = Qt::Unchecked;  // the clicked item's box at the press
    QMenu* menu_ = nullptr;                        // PopupNavPanelMenu
    QHash<QString, QAction*> actions_;
};

}  // namespace app
