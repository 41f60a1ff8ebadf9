#include "app/navigator/navigator_panel.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/i18n/language.h"
#include "core/main/message_box.h"
#include "core/navigator/file_operations.h"

namespace app {

namespace {

constexpr int kIconSide = 96;
constexpr int kFileIndexRole = Qt::UserRole + 1;

QColor windowsColour(uint32_t packed) {
    return QColor(int(packed & 0xff), int((packed >> 8) & 0xff), int((packed >> 16) & 0xff));
}

// A square icon with the picture centred on the item's colour.
QIcon squareIcon(const QImage& image, const QColor& background) {
    QPixmap square(kIconSide, kIconSide);
    square.fill(background);
    if (!image.isNull()) {
        const QImage fitted =
            image.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter p(&square);
        p.drawImage((kIconSide - fitted.width()) / 2, (kIconSide - fitted.height()) / 2, fitted);
    }
    return QIcon(square);
}

}  // namespace

NavigatorPanel::NavigatorPanel(const core::Language& language, core::MessageAsker& asker,
                               NavigatorHooks hooks, QWidget* parent)
    : QWidget(parent), language_(language), asker_(asker), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("PanelNavLayer"));
    listings_.setMaxThreadCount(1);
    const QColor fileColour = windowsColour(core::kFileItemColour);
    waitingIcon_ = squareIcon({}, fileColour.lighter(130));
    greyIcon_ = squareIcon({}, fileColour);
    {
        QPixmap folder(kIconSide, kIconSide);
        folder.fill(windowsColour(core::kFolderItemColour));
        QPainter p(&folder);
        style()->standardIcon(QStyle::SP_DirIcon).paint(&p, QRect(16, 16, 64, 64));
        folderIcon_ = QIcon(folder);
    }

    sbNavFolderUp = new QToolButton;
    sbNavFolderUp->setObjectName(QStringLiteral("sbNavFolderUp"));
    sbNavFolderUp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    sbNavFolderUp->setToolTip(language_.message(QStringLiteral("ALS_NAV_PANEL_FOLDER_UP")));
    lblNavFolder = new QLabel;
    lblNavFolder->setObjectName(QStringLiteral("lblNavFolder"));
    lblNavFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblNavPanelSelected = new QLabel;
    lblNavPanelSelected->setObjectName(QStringLiteral("lblNavPanelSelected"));
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("ProgressNav"));
    progress_->setMaximumHeight(8);
    progress_->setTextVisible(false);
    progress_->hide();

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("PanelNav"));
    list_->verticalScrollBar()->setObjectName(QStringLiteral("ScrollBarNav"));
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setUniformItemSizes(true);
    list_->setIconSize(QSize(kIconSide, kIconSide));
    list_->setGridSize(QSize(kIconSide + 20, kIconSide + 40));
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(sbNavFolderUp);
    top->addWidget(lblNavFolder, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(lblNavPanelSelected);
    layout->addWidget(progress_);
    layout->addWidget(list_, 1);

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupNavPanelMenu"));
    const auto add = [this](const char* name, std::function<void()> slot) {
        QAction* action = menu_->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, std::move(slot));
        actions_.insert(QString::fromLatin1(name), action);
        return action;
    };
    add("menuNavQueue", [this] { queueSelected(); });
    add("menuNavRename", [this] { renameSelected(); });
    menu_->addSeparator();
    add("menuNavCopy", [this] { copySelected(); });
    add("menuNavMove", [this] { moveSelected(); });
    add("menuNavDelete", [this] { deleteSelected(); });
    menu_->addSeparator();
    add("menuNavRotateCCW", [this] {
        rotateSelected(3);
    })->setText(language_.message(QStringLiteral("ALS_LOSSLESS_ROT_CCW")));
    add("menuNavRotateCW", [this] {
        rotateSelected(1);
    })->setText(language_.message(QStringLiteral("ALS_LOSSLESS_ROT_CW")));
    menu_->addSeparator();
    add("menuNavCheckAll", [this] {
        checkAll();
    })->setText(language_.message(QStringLiteral("ALS_NAVPANEL_CHECK_ALL")));
    add("menuNavUncheckAll", [this] {
        uncheckAll();
    })->setText(language_.message(QStringLiteral("ALS_NAVPANEL_UNCHECK_ALL")));
    add("menuNavCheckReverse", [this] {
        reverseChecks();
    })->setText(language_.message(QStringLiteral("ALS_NAVPANEL_CHECK_REVERSE")));
    menu_->addSeparator();
    add("menuNavRefresh", [this] {
        refresh();
    })->setText(language_.message(QStringLiteral("ALS_REFRESH")));

    connect(sbNavFolderUp, &QToolButton::clicked, this, [this] {
        const QString up = model_.parentFolder();
        if (!up.isEmpty() && !isBusy()) showFolder(up);
    });
    connect(list_, &QListWidget::itemChanged, this, &NavigatorPanel::itemChanged);
    // A left click opens a file or shows a folder; a click on a file's check box only checks it.
    // The check state is taken as the button goes down and compared once the click has been
    // handled in full (the view turns the box during the click).
    connect(list_, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { pressedCheck_ = item->checkState(); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        const QVariant path = item->data(Qt::UserRole);
        const Qt::CheckState pressed = pressedCheck_;
        QTimer::singleShot(0, this, [this, row, path, pressed] {
            QListWidgetItem* clicked = list_->item(row);
            if (clicked && clicked->data(Qt::UserRole) == path && clicked->checkState() == pressed)
                itemClicked(clicked);
        });
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &NavigatorPanel::contextMenu);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &NavigatorPanel::updateVisibleRange);
    connect(&queue_, &core::ThumbnailQueue::thumbnailReady, this, &NavigatorPanel::thumbnailReady);
    updateSelection();
}

NavigatorPanel::~NavigatorPanel() {
    queue_.cancel();
    listings_.clear();
    listings_.waitForDone();
}

void NavigatorPanel::showFolder(const QString& folder) {
    const QString plain = QFileInfo(folder).absoluteFilePath();
    if (!QFileInfo(plain).isDir()) return;
    const int serial = ++listingSerial_;
    QPointer<NavigatorPanel> self(this);
    const bool keep = plain == model_.folder();
    // Listing reads every file's first bytes: off the window's thread.
    listings_.start([self, plain, serial, keep] {
        const core::FolderListing listing =
            core::listFolder(plain, QString(), core::imagingPictureCheck());
        QMetaObject::invokeMethod(
            qApp,
            [self, plain, serial, keep, listing] {
                if (self && serial == self->listingSerial_) self->listed(plain, listing, keep);
            },
            Qt::QueuedConnection);
    });
}

void NavigatorPanel::refresh() {
    if (!model_.folder().isEmpty()) showFolder(model_.folder());
}

void NavigatorPanel::listed(const QString& folder, const core::FolderListing& listing,
                            bool keepMarks) {
    if (keepMarks)
        model_.relist(listing);
    else
        model_.setListing(folder, listing);
    rebuildItems();
    if (hooks_.folderShown) hooks_.folderShown(folder);
    emit folderShown(folder);
}

void NavigatorPanel::rebuildItems() {
    filling_ = true;
    list_->clear();
    shown_ = 0;
    folderRows_ = 0;
    lblNavFolder->setText(model_.folder());
    lblNavFolder->setToolTip(model_.folder());
    sbNavFolderUp->setEnabled(!model_.parentFolder().isEmpty());
    const QColor folderColour = windowsColour(core::kFolderItemColour);
    const QColor fileColour = windowsColour(core::kFileItemColour);
    for (const core::NavigatorItem& entry : model_.items()) {
        auto* item = new QListWidgetItem(entry.caption);
        item->setData(Qt::UserRole, entry.path);
        item->setData(kFileIndexRole, entry.fileIndex);
        if (entry.kind == core::NavigatorItemKind::Folder) {
            ++folderRows_;
            item->setIcon(folderIcon_);
            item->setBackground(folderColour);
            item->setToolTip(entry.path);
        } else {
            item->setIcon(waitingIcon_);
            item->setBackground(fileColour.lighter(150));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(model_.checked(entry.fileIndex) ? Qt::Checked : Qt::Unchecked);
            item->setToolTip(QStringLiteral("%1: %2 \n%3")
                                 .arg(language_.message(QStringLiteral("ALS_FILE")), entry.caption,
                                      QFileInfo(entry.path).absolutePath()));
        }
        list_->addItem(item);
    }
    filling_ = false;
    updateSelection();
    generation_ = queue_.request(model_.files(), settings_);
    updateVisibleRange();
    queue_.setPaused(isBusy() || !isVisible());
    if (model_.files().isEmpty()) emit thumbnailsDone();
}

void NavigatorPanel::thumbnailReady(int generation, int index, const QImage& image) {
    if (generation != generation_) return;
    QListWidgetItem* item = list_->item(folderRows_ + index);
    if (!item) return;
    item->setIcon(image.isNull() ? greyIcon_ : squareIcon(image, Qt::transparent));
    ++shown_;
    if (shown_ == int(model_.files().size())) emit thumbnailsDone();
}

void NavigatorPanel::updateVisibleRange() {
    const QRect area = list_->viewport()->rect();
    const QModelIndex first = list_->indexAt(area.topLeft() + QPoint(4, 4));
    QModelIndex last = list_->indexAt(area.bottomRight() - QPoint(4, 4));
    const int firstRow = first.isValid() ? first.row() : 0;
    // The last row may be partly shown, or the grid may end before the corner.
    const int lastRow = last.isValid() ? last.row() : list_->count() - 1;
    queue_.setVisibleRange(firstRow - folderRows_, lastRow - folderRows_);
}

void NavigatorPanel::updateSelection() {
    lblNavPanelSelected->setText(model_.selectionText(language_));
}

void NavigatorPanel::itemChanged(QListWidgetItem* item) {
    if (filling_) return;
    const int index = item->data(kFileIndexRole).toInt();
    if (index < 0) return;
    model_.setChecked(index, item->checkState() == Qt::Checked);
    updateSelection();
}

void NavigatorPanel::itemClicked(QListWidgetItem* item) {
    if (isBusy()) return;
    const QString path = item->data(Qt::UserRole).toString();
    if (item->data(kFileIndexRole).toInt() < 0) {
        showFolder(path);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        core::showError(asker_, language_,
                        language_.message(QStringLiteral("ER_SRC_LOADING_NOTFOUND")) +
                            QStringLiteral("\n") + path);
        item->setText(item->text() + QStringLiteral(" (%1)").arg(
                                         language_.message(QStringLiteral("ALS_NOT_FOUND"))));
        return;
    }
    if (hooks_.openPicture) hooks_.openPicture(path);
}

void NavigatorPanel::prepareMenu() {
    const core::NavigatorMenuState state = core::navigatorMenuState(model_, language_);
    const std::pair<const char*, QString> files[] = {
        {"menuNavQueue", state.queueCaption},   {"menuNavRename", state.renameCaption},
        {"menuNavCopy", state.copyCaption},     {"menuNavMove", state.moveCaption},
        {"menuNavDelete", state.deleteCaption}, {"menuNavRotateCCW", QString()},
        {"menuNavRotateCW", QString()}};
    for (const auto& [name, caption] : files) {
        QAction* action = actions_.value(QString::fromLatin1(name));
        if (!caption.isEmpty()) action->setText(caption);
        action->setEnabled(state.fileCommands);
    }
    // Only checked files go to the queue.
    actions_.value(QStringLiteral("menuNavQueue"))
        ->setEnabled(state.uncheckAll && bool(hooks_.addToQueue));
    actions_.value(QStringLiteral("menuNavUncheckAll"))->setEnabled(state.uncheckAll);
}

void NavigatorPanel::contextMenu(const QPoint& pos) {
    if (isBusy()) return;
    QListWidgetItem* item = list_->itemAt(pos);
    if (item && item->data(kFileIndexRole).toInt() >= 0)
        model_.setCurrentFile(item->data(Qt::UserRole).toString());
    prepareMenu();
    menu_->popup(list_->viewport()->mapToGlobal(pos + QPoint(5, 5)));
}

void NavigatorPanel::checkAll() {
    model_.checkAll();
    rebuildItems();
}
void NavigatorPanel::uncheckAll() {
    model_.uncheckAll();
    rebuildItems();
}
void NavigatorPanel::reverseChecks() {
    model_.reverseChecks();
    rebuildItems();
}

void NavigatorPanel::queueSelected() {
    const QStringList files = model_.queueFiles();
    if (!files.isEmpty() && hooks_.addToQueue) hooks_.addToQueue(files);
}

void NavigatorPanel::renameSelected() {
    const QStringList files = model_.commandFiles();
    if (!files.isEmpty()) emit renameRequested(files);
}

void NavigatorPanel::copySelected() {
    transfer(false);
}
void NavigatorPanel::moveSelected() {
    transfer(true);
}

void NavigatorPanel::transfer(bool move) {
    const QStringList files = model_.commandFiles();
    if (files.isEmpty() || isBusy() || !hooks_.chooseFolder) return;
    const QString title = language_.message(move ? QStringLiteral("ALS_SELECT_FOLDER_TO_MOVE")
                                                 : QStringLiteral("ALS_SELECT_FOLDER_TO_COPY")) +
                          QStringLiteral(":");
    const QString target = hooks_.chooseFolder(title, model_.folder());
    if (target.isEmpty()) return;
    const core::FileOperationReport report = core::transferFiles(
        move ? core::TransferKind::Move : core::TransferKind::Copy, files, target, asker_,
        language_, [this](int done, int total) { setProgress(done, total); });
    afterOperation({});
    (void)report;
}

void NavigatorPanel::deleteSelected() {
    const QStringList files = model_.commandFiles();
    if (files.isEmpty() || isBusy()) return;
    core::MessageBoxRequest request;
    request.text =
        core::fillPlaceholders(language_.message(QStringLiteral("ALS_NAVPANEL_DELETE_QUEST")),
                               {QString::number(files.size())});
    request.title = language_.message(QStringLiteral("ALS_FILE_DELETING"));
    request.style = core::kButtonsYesNo | core::kIconQuestion | core::kDefaultButton2;
    if (asker_.ask(request) != core::kResultYes) return;
    core::deleteToTrash(files, [this](int done, int total) { setProgress(done, total); });
    afterOperation({});
}

void NavigatorPanel::rotateSelected(int quarterTurns) {
    const QStringList files = model_.commandFiles();
    if (files.isEmpty() || isBusy()) return;
    const core::FileOperationReport report = core::rotateFilesLossless(
        files, quarterTurns, [this](int done, int total) { setProgress(done, total); });
    afterOperation(report.changedFiles);
    if (!report.changedFiles.isEmpty() && hooks_.filesTurned)
        hooks_.filesTurned(report.changedFiles);
}

void NavigatorPanel::afterOperation(const QStringList& changed) {
    progress_->hide();
    if (!changed.isEmpty() && model_.files().size() == list_->count() - folderRows_) {
        // Turned in place: only their thumbnails change.
        for (const QString& file : changed) {
            const int index = int(model_.files().indexOf(file));
            if (index < 0) continue;
            if (QListWidgetItem* item = list_->item(folderRows_ + index))
                item->setIcon(waitingIcon_);
            --shown_;
            queue_.requeue(index);
        }
        return;
    }
    refresh();
}

void NavigatorPanel::setProgress(int done, int total) {
    progress_->setRange(0, 100);
    progress_->setValue(total > 0 ? (done * 100 + total / 2) / total : 0);
    progress_->setVisible(done < total);
}

void NavigatorPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    queue_.setPaused(isBusy());
    updateVisibleRange();
}

void NavigatorPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    queue_.setPaused(true);
}

}  // namespace app
