#include "core/main/close_order.h"

#include <initializer_list>

namespace core {

namespace {

class Recorder {
  public:
    Recorder(CloseStepRunner& runner, CloseOutcome& outcome) : runner_(runner), outcome_(outcome) {}
    bool operator()(CloseStep step) {
        outcome_.steps.push_back(step);
        return runner_.run(step);
    }

  private:
    CloseStepRunner& runner_;
    CloseOutcome& outcome_;
};

}  // namespace

CloseOutcome closeMainWindow(const CloseState& state, MessageAsker& asker, const Language& texts,
                             CloseStepRunner& runner) {
    CloseOutcome outcome;
    Recorder step(runner, outcome);
    step(CloseStep::StopTimers);
    // A settings file that cannot be written is skipped; the close goes on.
    step(CloseStep::SaveSettingsBlock);
    step(CloseStep::SetClosingFlag);

    if (state.outputUnsaved) {
        const int answer =
            askMessage(asker, texts, QStringLiteral("ALS_SAVE_RESULTS_IF_EXIT_QUEST"),
                       QStringLiteral("ALS_SAVING_RESULT"), kButtonsYesNoCancel);
        bool goOn = answer == kResultNo;
        if (answer == kResultYes) goOn = step(CloseStep::SaveOutput);
        if (!goOn) {
            step(CloseStep::ClearClosingFlag);
            step(CloseStep::RestartTimers);
            return outcome;
        }
    }

    // The sessions may be in use by a run on the engine thread; it ends before they go.
    if (state.processing) step(CloseStep::StopProcessing);
    for (CloseStep s :
         {CloseStep::DestroySessions, CloseStep::DestroyCursors, CloseStep::StoreFloatingWindows,
          CloseStep::StoreWindowState, CloseStep::SaveProgramOptions, CloseStep::StopNavigator,
          CloseStep::WriteNormalClose})
        step(s);
    outcome.closed = true;
    return outcome;
}

}  // namespace core
