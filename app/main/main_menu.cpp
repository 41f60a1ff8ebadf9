#include "app/main/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
};

QAction* add(MainMenu& menu, QMenu* parent, const Item& item) {
    auto* action = parent->addAction(QString::fromLatin1(item.caption));
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcut(item.shortcut);
    menu.actions.insert(action->objectName(), action);
    return action;
}

QMenu* submenu(QMainWindow* window, const char* name, const char* caption) {
    QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

MainMenu buildMainMenu(QMainWindow* window) {
    MainMenu menu;
    QMenu* file = submenu(window, "menuFile", "ALS_FILE");
    add(menu, file, {"menuOpen", "ALS_OPEN...", QKeySequence(Qt::CTRL | Qt::Key_O)});
    add(menu, file, {"menuReopen", "ALS_REOPEN", {}});
    add(menu, file, {"menuClose", "ALS_CLOSE", QKeySequence(Qt::CTRL | Qt::Key_W)});
    add(menu, file, {"menuSave", "ALS_SAVE...", QKeySequence(Qt::CTRL | Qt::Key_S)});
    add(menu, file,
        {"menuSaveAs", "ALS_SAVE_AS...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    file->addSeparator();
    add(menu, file, {"menuPrev", "ALS_PREVIOUS", QKeySequence(Qt::Key_Backspace)});
    add(menu, file, {"menuNext", "ALS_NEXT", QKeySequence(Qt::Key_Space)});
    add(menu, file, {"menuDemo", "ALS_DEMO", {}});
    // The recent folders stay hidden until the navigator fills them.
    menu.folderSeparator = file->addSeparator();
    menu.folderSeparator->setVisible(false);
    for (int i = 1; i <= 7; ++i) {
        const QByteArray name = "menuFolder" + QByteArray::number(i);
        add(menu, file, {name.constData(), "", {}})->setVisible(false);
    }
    file->addSeparator();
    add(menu, file, {"menuExit", "ALS_EXIT", QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* edit = submenu(window, "menuEdit", "ALS_EDIT");
    add(menu, edit, {"menuUndo", "ALS_UNDO", QKeySequence(Qt::CTRL | Qt::Key_Z)});
    edit->addSeparator();
    add(menu, edit, {"menuCopy", "ALS_COPY", QKeySequence(Qt::CTRL | Qt::Key_C)});
    add(menu, edit, {"menuPaste", "ALS_PASTE", QKeySequence(Qt::CTRL | Qt::Key_V)});
    edit->addSeparator();
    add(menu, edit, {"menuRotateCCW", "ALS_ROT_CCW", QKeySequence(Qt::CTRL | Qt::Key_L)});
    add(menu, edit, {"menuRotateCW", "ALS_ROT_CW", QKeySequence(Qt::CTRL | Qt::Key_R)});
    // Shown only in expert mode, with the separator before it.
    menu.mergeSeparator = edit->addSeparator();
    add(menu, edit, {"menuMergeImages", "ALS_MERGE_IMAGE...", QKeySequence(Qt::CTRL | Qt::Key_D)});

    QMenu* process = submenu(window, "menuProcess", "ALS_MENU_PROCESS");
    QAction* rebuild = add(menu, process, {"menuRebuild", "ALS_APPLY", QKeySequence(Qt::Key_F8)});
    rebuild->setStatusTip(QStringLiteral("ALS_START_TT"));
    add(menu, process, {"menuAbort", "ALS_ABORT", QKeySequence(Qt::Key_Escape)});
    process->addSeparator();
    QAction* expert = add(menu, process, {"menuExpertMode", "ALS_PREVIEW_EXPERT", {}});
    expert->setCheckable(true);
    add(menu, process, {"menuResetOptions", "ALS_RESET_OPT", {}});
    // Settings files, presets and preferences come with their own windows; until then the
    // items are shown disabled.
    // The general settings and the settings kept beside the picture, each a sub-menu.
    process->addSeparator();
    const auto group = [&menu, process](const char* name, const char* caption) {
        QMenu* sub = process->addMenu(QString::fromLatin1(caption));
        sub->setObjectName(QString::fromLatin1(name));
        menu.actions.insert(sub->objectName(), sub->menuAction());
        return sub;
    };
    QMenu* common = group("menuCommonPresets", "ALS_GENERAL");
    add(menu, common, {"menuSaveOptions", "ALS_SAVE_OPT", {}});
    add(menu, common, {"menuLoadOptions", "ALS_LOAD_OPT", {}});
    QMenu* beside = group("menuFilePresets", "ALS_CURRENT_IMAGE");
    add(menu, beside, {"menuSaveFileOptions", "ALS_SAVE_OPT", {}});
    add(menu, beside, {"menuLoadFileOptions", "ALS_LOAD_OPT", {}});
    process->addSeparator();
    add(menu, process, {"menuPrefs", "ALS_PREFERENCES...", {}});

    QMenu* view = submenu(window, "menuView", "ALS_VIEW");
    QAction* single = add(
        menu, view, {"menuFramesSingle", "ALS_FRAMES_SINGLE", QKeySequence(Qt::CTRL | Qt::Key_F1)});
    QAction* both = add(
        menu, view, {"menuFramesDouble", "ALS_FRAMES_DOUBLE", QKeySequence(Qt::CTRL | Qt::Key_F2)});
    single->setCheckable(true);
    both->setCheckable(true);
    QMenu* scale = view->addMenu(QStringLiteral("ALS_ZOOM_SHORT"));
    scale->setObjectName(QStringLiteral("menuScale"));
    add(menu, scale, {"menuScaleMore", "ALS_ZOOM_IN", {}});
    add(menu, scale, {"menuScaleLess", "ALS_ZOOM_OUT", {}});
    view->addSeparator();
    add(menu, view, {"menuFullScreen", "ALS_FULL_SCREEN", {}});
    view->addSeparator();
    add(menu, view, {"menuNavPanelMain", "ALS_NAV_PANEL_MAIN", {}})->setCheckable(true);
    add(menu, view, {"menuNavPanelPreview", "ALS_NAV_PANEL_PREVIEW", {}})->setCheckable(true);
    QAction* helpPanel = add(menu, view, {"menuHelpPanel", "ALS_HELP_PANEL", {}});
    helpPanel->setCheckable(true);

    // The queue's commands belong to the queue window, which is not part of this build yet.
    QMenu* queue = submenu(window, "menuQ", "ALS_QUEUE");
    menu.queueMenu = queue;
    add(menu, queue, {"menuAddToQueue", "ALS_QUEUE_ADD", QKeySequence(Qt::Key_F5)});
    add(menu, queue, {"menuAddToQueueAndNext", "ALS_QUEUE_NEXT", QKeySequence(Qt::Key_F6)});
    add(menu, queue, {"menuAddAllToQueue", "ALS_QUEUE_ALL", {}});
    queue->addSeparator();
    add(menu, queue, {"menuQueue", "ALS_QUEUE_EDIT...", QKeySequence(Qt::Key_F7)});
    add(menu, queue, {"menuClearQueue", "ALS_QUEUE_CLEAR", {}});

    // Filled from the plug-in folders by the plug-in host (not built yet).
    QMenu* plugins = submenu(window, "menuPlugins", "Plug-ins");
    menu.pluginsMenu = plugins;

    menu.languageMenu = submenu(window, "menuLanguage", "ALS_LANGUAGE");
    for (int i = 0; i < 9; ++i) {
        QAction* lang = menu.languageMenu->addAction(QString());
        lang->setObjectName(QStringLiteral("menuLang%1").arg(i));
        lang->setCheckable(true);
        menu.actions.insert(lang->objectName(), lang);
    }

    QMenu* help = submenu(window, "menuHelpTop", "ALS_HELP");
    add(menu, help, {"menuHelp", "ALS_HELP_SHOW", QKeySequence(Qt::Key_F1)});
    help->addSeparator();
    add(menu, help, {"menuHelpHome", "ALS_HELP_HOME", {}});
    add(menu, help, {"menuHelpForum", "ALS_HELP_FORUM", {}});
    add(menu, help, {"menuHelpVelmar", "ALS_HELP_VELMAR", {}});
    help->addSeparator();
    add(menu, help, {"menuAbout", "ALS_ABOUT_PROGRAM", {}});

    // The hidden key handler: numeric-pad plus and minus and Enter, routed by the window.
    QMenu* keys = new QMenu(QStringLiteral("KeyHandler"), window);
    keys->setObjectName(QStringLiteral("menuHiddenKeyHandler"));
    for (const Item& item :
         {Item{"menuKeyAdd", "K_ADD", QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)},
          Item{"menuKeySubtract", "K_SUBTRACT", QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)},
          Item{"menuKeyReturn", "K_RETURN", QKeySequence(Qt::Key_Return)}}) {
        QAction* action = add(menu, keys, item);
        window->addAction(action);  // an invisible menu's short-cuts still act on the window
    }
    menu.actions.value(QStringLiteral("menuKeyReturn"))
        ->setShortcuts(
            {QKeySequence(Qt::Key_Return), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
    return menu;
}

}  // namespace app
