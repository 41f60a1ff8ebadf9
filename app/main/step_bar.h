// The work bar ToolBar_Process: five step pictures (imgTBOpen .. imgTBSave) that show the steps'
// states, take clicks only in the available and suggested states and show the hand cursor there
// (the no-drop cursor elsewhere).
#pragma once

#include <QLabel>
#include <QToolBar>
#include <array>

#include "core/main/step_bar.h"

namespace app {

class StepButton : public QLabel {
    Q_OBJECT
  public:
    StepButton(core::Step step, QWidget* parent = nullptr);
    core::Step step() const { return step_; }
    core::StepState state() const { return state_; }
    void showState(core::StepState state);

  signals:
    void clicked(core::Step step);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    core::Step step_;
    core::StepState state_ = core::StepState::Unavailable;
};

class StepBarWidget : public QToolBar {
    Q_OBJECT
  public:
    explicit StepBarWidget(QWidget* parent = nullptr);
    void showStates(const core::StepStates& states);
    StepButton* button(core::Step step) const { return buttons_[static_cast<size_t>(step)]; }

  signals:
    void stepClicked(core::Step step);

  private:
    std::array<StepButton*, core::kStepCount> buttons_{};
};

}  // namespace app
