#include "app/main/step_bar.h"

#include <QCursor>
#include <QMouseEvent>

#include "app/main/command_pictures.h"

namespace app {

StepButton::StepButton(core::Step step, QWidget* parent) : QLabel(parent), step_(step) {
    setObjectName(QString::fromLatin1(core::stepControlName(step)));
    setToolTip(QString::fromLatin1(core::stepHintKey(step)));
    setContentsMargins(2, 1, 2, 1);
    showState(core::StepState::Unavailable);
}

void StepButton::showState(core::StepState state) {
    state_ = state;
    setPixmap(stepPicture(step_, state));
    setProperty("stepPicture", core::stepPictureIndex(step_, state));
    setCursor(core::stepReactsToClick(state) ? Qt::PointingHandCursor : Qt::ForbiddenCursor);
}

void StepButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        core::stepReactsToClick(state_))
        emit clicked(step_);
}

StepBarWidget::StepBarWidget(QWidget* parent) : QToolBar(QStringLiteral("Process"), parent) {
    setObjectName(QStringLiteral("ToolBar_Process"));
    for (size_t i = 0; i < core::kStepCount; ++i) {
        auto* button = new StepButton(static_cast<core::Step>(i), this);
        buttons_[i] = button;
        addWidget(button);
        connect(button, &StepButton::clicked, this, &StepBarWidget::stepClicked);
    }
}

void StepBarWidget::showStates(const core::StepStates& states) {
    for (size_t i = 0; i < core::kStepCount; ++i)
        if (buttons_[i]->state() != states[i]) buttons_[i]->showState(states[i]);
}

}  // namespace app
