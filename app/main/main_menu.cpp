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
    add(menu, file, {"menuPrev", "ALS_PREVIOUS", QKeySequence(Qt::Key_Backspace)});
    add(menu, file, {"menuNext", "ALS_NEXT", QKeySequence(Qt::Key_Space)});
    add(menu, file, {"menuDemo", "ALS_DEMO", {}});
    add(menu, file, {"menuClose", "ALS_CLOSE", QKeySequence(Qt::CTRL | Qt::Key_W)});
    add(menu, file, {"menuSave", "ALS_SAVE...", QKeySequence(Qt::CTRL | Qt::Key_S)});
    add(menu, file,
        {"menuSaveAs", "ALS_SAVE_AS...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    file->addSeparator();
    add(menu, file, {"menuExit", "ALS_EXIT", QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* edit = submenu(window, "menuEdit", "ALS_EDIT");
    add(menu, edit, {"menuUndo", "ALS_UNDO", QKeySequence(Qt::CTRL | Qt::Key_Z)});
    add(menu, edit, {"menuCopy", "ALS_COPY", QKeySequence(Qt::CTRL | Qt::Key_C)});
    add(menu, edit, {"menuPaste", "ALS_PASTE", QKeySequence(Qt::CTRL | Qt::Key_V)});
    edit->addSeparator();
    add(menu, edit, {"menuRotateCCW", "ALS_ROT_CCW", QKeySequence(Qt::CTRL | Qt::Key_L)});
    add(menu, edit, {"menuRotateCW", "ALS_ROT_CW", QKeySequence(Qt::CTRL | Qt::Key_R)});

    QMenu* process = submenu(window, "menuProcess", "ALS_MENU_PROCESS");
    QAction* rebuild = add(menu, process, {"menuRebuild", "ALS_APPLY", QKeySequence(Qt::Key_F8)});
    rebuild->setStatusTip(QStringLiteral("ALS_START_TT"));
    add(menu, process, {"menuAbort", "ALS_ABORT", QKeySequence(Qt::Key_Escape)});
    process->addSeparator();
    QAction* expert = add(menu, process, {"menuExpertMode", "ALS_PREVIEW_EXPERT", {}});
    expert->setCheckable(true);
    add(menu, process, {"menuResetOptions", "ALS_RESET_OPT", {}});
    add(menu, process,
        {"menuMergeImages", "ALS_MERGE_IMAGE...", QKeySequence(Qt::CTRL | Qt::Key_D)});

    QMenu* view = submenu(window, "menuView", "ALS_VIEW");
    QAction* single = add(
        menu, view, {"menuFramesSingle", "ALS_FRAMES_SINGLE", QKeySequence(Qt::CTRL | Qt::Key_F1)});
    QAction* both = add(
        menu, view, {"menuFramesDouble", "ALS_FRAMES_DOUBLE", QKeySequence(Qt::CTRL | Qt::Key_F2)});
    single->setCheckable(true);
    both->setCheckable(true);
    QAction* helpPanel = add(menu, view, {"menuHelpPanel", "ALS_HELP_PANEL", {}});
    helpPanel->setCheckable(true);

    menu.languageMenu = submenu(window, "menuLanguage", "ALS_LANGUAGE");
    for (int i = 0; i < 9; ++i) {
        QAction* lang = menu.languageMenu->addAction(QString());
        lang->setObjectName(QStringLiteral("menuLang%1").arg(i));
        lang->setCheckable(true);
        menu.actions.insert(lang->objectName(), lang);
    }

    QMenu* help = submenu(window, "menuHelpTop", "ALS_HELP");
    add(menu, help, {"menuHelp", "ALS_HELP_SHOW", QKeySequence(Qt::Key_F1)});
    add(menu, help, {"menuAbout", "ALS_ABOUT_PROGRAM", {}});
    return menu;
}

}  // namespace app
