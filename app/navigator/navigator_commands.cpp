#include "app/navigator/navigator_commands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QSplitter>
#include <QStackedWidget>

#include "app/batch/queue_commands.h"
#include "app/files/renaming_form.h"
#include "app/main/main_form.h"
#include "app/navigator/navigator_panel.h"
#include "core/main/program_registry.h"
#include "core/prefs/cache_folders.h"

namespace app {

NavigatorCommands::NavigatorCommands(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("NavigatorCommands"));
    NavigatorHooks hooks;
    hooks.openPicture = [this](const QString& path) { form_.openScanned(path); };
    hooks.addToQueue = [this](const QStringList& files) {
        if (form_.queueCommands()) form_.queueCommands()->addFiles(files);
    };
    hooks.chooseFolder = [this](const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(&form_, title, start);
    };
    hooks.busy = [this] { return form_.busy(); };
    hooks.filesTurned = [this](const QStringList& files) {
        const QString open = form_.document_.fileName();
        for (const QString& file : files)
            if (QFileInfo(file) == QFileInfo(open)) {
                form_.menuReopenClick();
                break;
            }
    };
    hooks.folderShown = [this](const QString& folder) { folderShown(folder); };
    panel_ = new NavigatorPanel(form_.language_, form_.asker_, std::move(hooks));
    connect(panel_, &NavigatorPanel::renameRequested, this, &NavigatorCommands::renameFiles);
    core::RegistryKey key = core::programRegistryKey(form_.registryFile_);
    const core::RegistryKey* stored = form_.registryFile_.isEmpty() ? nullptr : &key;
    panel_->setThumbnailSettings({core::thumbnailCacheFolder(stored, form_.folders_),
                                  form_.options_.useThumbnailCache != 0,
                                  form_.options_.ignoreExif == 0});
    if (stored) recent_ = core::readRecentFolders(key);

    // Left of the layers, as wide as last time.
    QSplitter* outer = form_.ui_.splitter1;
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(QStringLiteral("SplitterNav"));
    outer->insertWidget(0, splitter_);
    splitter_->addWidget(panel_);
    splitter_->addWidget(form_.ui_.layers);
    splitter_->setStretchFactor(1, 1);
    splitter_->setCollapsible(0, false);
    outer->setStretchFactor(0, 1);
    const int width = std::max(form_.options_.navigatorWidth, 130);
    splitter_->setSizes({width, 1000});
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { form_.options_.navigatorWidth = splitter_->sizes().value(0); });

    QAction* inMain = form_.ui_.menu[QStringLiteral("menuNavPanelMain")];
    QAction* inPreview = form_.ui_.menu[QStringLiteral("menuNavPanelPreview")];
    inMain->setChecked(form_.options_.navigatorInMainView != 0);
    inPreview->setChecked(form_.options_.navigatorInPreviewView != 0);
    connect(inMain, &QAction::toggled, this, [this](bool on) {
        form_.options_.navigatorInMainView = on ? 1 : 0;
        updateVisibility();
    });
    connect(inPreview, &QAction::toggled, this, [this](bool on) {
        form_.options_.navigatorInPreviewView = on ? 1 : 0;
        updateVisibility();
    });
    connect(form_.ui_.layers, &QStackedWidget::currentChanged, this,
            &NavigatorCommands::updateVisibility);
    // The navigator follows the folder the window lists.
    connect(&form_, &TMainForm::folderListed, this, [this] {
        const QStringList& folders = form_.listing_.folders;
        if (folders.isEmpty()) return;
        const QString folder = QFileInfo(folders.first()).absolutePath();
        if (QFileInfo(folder) != QFileInfo(panel_->model().folder())) panel_->showFolder(folder);
    });
    for (int i = 1; i <= core::kRecentFolderCount; ++i)
        if (QAction* action = form_.ui_.menu[QStringLiteral("menuFolder%1").arg(i)])
            connect(action, &QAction::triggered, this, [this, i] { openRecent(i); });
    fillRecentMenu();
    // No thumbnails are made while the window runs.
    busyWatch_.setInterval(200);
    connect(&busyWatch_, &QTimer::timeout, this,
            [this] { panel_->thumbnails().setPaused(form_.busy() || !panel_->isVisible()); });
    busyWatch_.start();
    updateVisibility();
}

void NavigatorCommands::renameFiles(const QStringList& files) {
    if (form_.busy() || files.isEmpty()) return;
    const auto report =
        app::renameFiles(&form_, form_.language_, form_.asker_, form_.options_, files);
    if (!report) return;
    panel_->refresh();
    // The open picture got a new name: the window opens it under that name, unless a result
    // waits to be saved (it keeps the old name in its caption until then).
    const QString open = QFileInfo(form_.document_.fileName()).absoluteFilePath();
    for (const core::renaming::RenamedFile& r : report->renamed)
        if (QFileInfo(r.oldPath).absoluteFilePath() == open &&
            !form_.document_.hasUnsavedResult()) {
            form_.openScanned(r.newPath);
            break;
        }
}

void NavigatorCommands::updateVisibility() {
    const bool on = form_.tuningMode() ? form_.options_.navigatorInPreviewView != 0
                                       : form_.options_.navigatorInMainView != 0;
    panel_->setVisible(on);
}

void NavigatorCommands::folderShown(const QString& folder) {
    recent_ = core::withRecentFolder(recent_, folder);
    if (!form_.registryFile_.isEmpty()) {
        core::RegistryKey key = core::programRegistryKey(form_.registryFile_);
        core::writeRecentFolders(key, recent_);
    }
    fillRecentMenu();
}

void NavigatorCommands::fillRecentMenu() {
    const MainMenu& menu = form_.ui_.menu;
    for (int i = 1; i <= core::kRecentFolderCount; ++i) {
        QAction* action = menu[QStringLiteral("menuFolder%1").arg(i)];
        if (!action) continue;
        const QString folder = recent_.value(i - 1);
        action->setText(QStringLiteral("&%1 %2").arg(i).arg(folder));
        action->setVisible(!folder.isEmpty());
    }
    if (menu.folderSeparator) menu.folderSeparator->setVisible(!recent_.isEmpty());
}

void NavigatorCommands::openRecent(int number) {
    const QString folder = recent_.value(number - 1);
    if (folder.isEmpty() || form_.busy()) return;
    if (!QFileInfo(folder).isDir()) {
        recent_ = core::withoutRecentFolder(recent_, folder);
        if (!form_.registryFile_.isEmpty()) {
            core::RegistryKey key = core::programRegistryKey(form_.registryFile_);
            core::writeRecentFolders(key, recent_);
        }
        fillRecentMenu();
        return;
    }
    panel_->showFolder(folder);
    form_.openFolder(folder);
}

}  // namespace app
