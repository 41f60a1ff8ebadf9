// The tool bars of the main window: ToolBar_Standart ("Edit") and ToolBar_View ("Standart").
// Each button repeats a menu action (it is that action's button), so it is enabled, checked and
// captioned with it.
#pragma once

#include <QHash>
#include <QString>

class QMainWindow;
class QToolBar;
class QToolButton;

namespace app {

struct MainMenu;

struct ToolBars {
    QToolBar* standard = nullptr;          // ToolBar_Standart
    QToolBar* view = nullptr;              // ToolBar_View
    QHash<QString, QToolButton*> buttons;  // by name: "tbImgUp", "tbRotateLeft", ...

    QToolButton* operator[](const QString& name) const { return buttons.value(name); }
};

// Fills the window's existing "Edit" bar (its earlier buttons are replaced) and adds the view
// bar after it. The menu's actions get the buttons' pictures.
ToolBars installToolBars(QMainWindow* window, QToolBar* standard, const MainMenu& menu);

// The menu action each tool button repeats.
const char* toolButtonAction(const QString& button);

}  // namespace app
