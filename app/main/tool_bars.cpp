#include "app/main/tool_bars.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include "app/main/command_pictures.h"
#include "app/main/main_menu.h"

namespace app {

namespace {

struct Button {
    const char* name;
    const char* action;
};

constexpr Button kStandard[] = {
    {"tbImgUp", "menuPrev"},
    {"tbImgDown", "menuNext"},
    {"tbResetOptions", "menuResetOptions"},
    {"tbUndo", "menuUndo"},
    {"tbCopy", "menuCopy"},
    {"tbPaste", "menuPaste"},
    {"tbQAdd", "menuAddToQueueAndNext"},
};

constexpr Button kView[] = {
    {"tbRotateLeft", "menuRotateCCW"},  {"tbRotateRight", "menuRotateCW"},
    {"tbZoomOut", "menuScaleLess"},     {"tbZoomIn", "menuScaleMore"},
    {"tbFullScreen", "menuFullScreen"}, {"tbDoubleWin", "menuFramesDouble"},
    {"tbExpMode", "menuExpertMode"},    {"tbHelp", "menuHelp"},
    {"tbHelpPanel", "menuHelpPanel"},
};

void addButton(ToolBars& bars, QToolBar* bar, const MainMenu& menu, const Button& b) {
    QAction* action = menu[QString::fromLatin1(b.action)];
    if (!action) return;
    const QString name = QString::fromLatin1(b.name);
    action->setIcon(toolButtonIcon(name));
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (!button) return;
    button->setObjectName(name);
    bars.buttons.insert(name, button);
}

}  // namespace

ToolBars installToolBars(QMainWindow* window, QToolBar* standard, const MainMenu& menu) {
    ToolBars bars;
    bars.standard = standard;
    standard->clear();
    standard->setWindowTitle(QStringLiteral("Edit"));
    standard->setObjectName(QStringLiteral("ToolBar_Standart"));
    standard->setMovable(true);
    for (const Button& b : kStandard)
        addButton(bars, standard, menu, b);

    bars.view = new QToolBar(QStringLiteral("Standart"), window);
    bars.view->setObjectName(QStringLiteral("ToolBar_View"));
    window->addToolBar(Qt::TopToolBarArea, bars.view);
    for (const Button& b : kView)
        addButton(bars, bars.view, menu, b);
    return bars;
}

const char* toolButtonAction(const QString& button) {
    for (const Button& b : kStandard)
        if (button == QLatin1String(b.name)) return b.action;
    for (const Button& b : kView)
        if (button == QLatin1String(b.name)) return b.action;
    return nullptr;
}

}  // namespace app
