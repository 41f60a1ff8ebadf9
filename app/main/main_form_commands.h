// The main window's command surface: the enabling of every menu item and tool button, the work
// bar and its clicks, the tab markers and equalizer button pictures, the expert-mode menu rules,
// the about window and web links, and the application-wide key and wheel routing. What it decides
// comes from core (command_enabling.h, step_bar.h, key_routing.h, tab_markers.h).
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>

#include "app/main/tool_bars.h"
#include "core/main/command_enabling.h"
#include "core/main/key_routing.h"
#include "core/main/step_bar.h"

class QWidget;

namespace app {

class TMainForm;
class StepBarWidget;

// The addresses of the three web links.
QUrl webLinkAddress(const QString& actionName);

class MainFormCommands : public QObject {
    Q_OBJECT
  public:
    explicit MainFormCommands(TMainForm& form);
    ~MainFormCommands() override;

    // Re-evaluates the enabling, the work bar and the markers; the form calls it on every change
    // of busy, mode, tab or picture.
    void refresh();
    void refreshTabMarkers();

    // Inputs that other parts of the window own.
    void setPluginMode(bool on);
    void setFileCount(int count);
    void setUndoSlot(core::UndoSlot slot);
    // Opens a web link; by default the system's browser.
    void setUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }

    core::CommandInputs inputs() const;
    const core::CommandEnabling& enabling() const { return enabling_; }
    const core::StepBar& steps() const { return steps_; }
    StepBarWidget* stepBar() const { return stepBar_; }
    const ToolBars& toolBars() const { return toolBars_; }

    void stepClicked(core::Step step);
    void showAbout();
    // The preferences window; saving applies its changes to this window.
    void showPreferences();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectActions();
    void applyEnabling();
    void followSituation();
    void showSteps();
    core::RoutingState routingState() const;
    core::FocusKind focusKind(const QWidget* widget) const;
    bool wheel(QWidget* target, QEvent* event);
    void keyReturn();
    void keypadZoom(bool in);
    void clickCropButton(const char* name);
    bool cropOn() const;

    TMainForm& form_;
    ToolBars toolBars_;
    StepBarWidget* stepBar_ = nullptr;
    core::StepBar steps_;
    core::CommandEnabling enabling_;
    bool pluginMode_ = false;
    int fileCount_ = 0;
    core::UndoSlot undoSlot_ = core::UndoSlot::None;
    std::function<void(const QUrl&)> openUrl_;

    // What the last refresh saw, to apply the step presets on changes.
    bool sawImage_ = false;
    bool sawTuning_ = false;
    bool sawFullRun_ = false;
    QString sheetBeforeExpertToggle_;

    // The edit box that has the focus and its text when it got it.
    QPointer<QWidget> focusEdit_;
    QString focusText_;
};

}  // namespace app
