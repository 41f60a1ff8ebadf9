// The main menu of the program window: every command as a QAction with its object name, caption
// key and short-cut, so that the tool bars, tests and the busy rules find them by name.
#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace app {

struct MainMenu {
    QHash<QString, QAction*> actions;  // by object name: "menuOpen", "menuRebuild", ...
    QMenu* languageMenu = nullptr;
    QMenu* queueMenu = nullptr;
    QMenu* pluginsMenu = nullptr;
    QAction* folderSeparator = nullptr;  // before menuFolder1 .. menuFolder7
    QAction* mergeSeparator = nullptr;   // before menuMergeImages (expert mode only)

    QAction* operator[](const QString& name) const { return actions.value(name); }
};

// Builds the menu bar of the window; the actions are not connected yet.
MainMenu buildMainMenu(QMainWindow* window);

}  // namespace app
