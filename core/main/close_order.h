// Closing the main window: the steps in their order, the one question (an unsaved result) and
// what each answer leads to. The window carries the steps out; the order and the decisions are
// here.
#pragma once

#include <vector>

#include "core/i18n/language.h"
#include "core/main/message_box.h"

namespace core {

enum class CloseStep {
    StopTimers,         // Timer_params and Timer_counter
    SaveSettingsBlock,  // collect the controls, save "vr.dat" (save mode 1)
    SetClosingFlag,
    SaveOutput,        // save the result (in plug-in mode: write it back to the exchange file)
    ClearClosingFlag,  // the close was cancelled ...
    RestartTimers,     // ... and the program goes on
    StopProcessing,    // abort a preview, full or batch run and wait until it has ended
    DestroySessions,   // every imaging session, slots 0 to 12
    DestroyCursors,
    StoreFloatingWindows,
    StoreWindowState,    // maximized always; size and place unless minimized
    SaveProgramOptions,  // save mode 3: "vri.dat" and the recent folders
    StopNavigator,
    WriteNormalClose,  // "NormalClose" = 1, the very last step
};

struct CloseState {
    bool outputUnsaved = false;  // the output has changes that were not saved
    bool processing = false;     // a run (preview, full run, batch) is under way
};

// Carries out one step; false when it failed. Only a failed SaveOutput changes the course.
class CloseStepRunner {
  public:
    virtual ~CloseStepRunner() = default;
    virtual bool run(CloseStep step) = 0;
};

struct CloseOutcome {
    bool closed = false;           // false: the program keeps running
    std::vector<CloseStep> steps;  // the steps that were run, in order
};

// Runs the close: asks "ALS_SAVE_RESULTS_IF_EXIT_QUEST" (title "ALS_SAVING_RESULT",
// Yes/No/Cancel) when the output is unsaved. Cancel, a box that could not be shown, and a save
// that failed all keep the program running, so no result is lost unasked.
CloseOutcome closeMainWindow(const CloseState& state, MessageAsker& asker, const Language& texts,
                             CloseStepRunner& runner);

}  // namespace core
