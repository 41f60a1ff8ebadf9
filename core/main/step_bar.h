// The five-step work bar (open, view, tune, process, save): each step's state, the presets for
// the window's situations, what a shown open or save dialog does to the states, which states take
// a click and which picture of the bar's image list each step shows.
#pragma once

#include <array>
#include <cstddef>

namespace core {

enum class Step { Open = 0, View = 1, Tune = 2, Process = 3, Save = 4 };
inline constexpr std::size_t kStepCount = 5;

enum class StepState { Available = 0, Current = 1, Locked = 2, Suggested = 3, Unavailable = 4 };

enum class StepSituation { NoImage, Viewing, Tuning, FullRunInProgress, FullRunFinished };

using StepStates = std::array<StepState, kStepCount>;  // indexed by Step

class StepBar {
  public:
    StepBar();

    const StepStates& states() const { return states_; }
    StepState state(Step step) const { return states_[static_cast<std::size_t>(step)]; }
    void setState(Step step, StepState state) { states_[static_cast<std::size_t>(step)] = state; }

    // Sets open, view, tune and process for the situation; the save step changes only where the
    // situation names it (4 during a full run, 3 once it finished).
    void applyPreset(StepSituation situation);
    // The output was cleared: nothing to save.
    void outputCleared() { setState(Step::Save, StepState::Unavailable); }

    // While the open dialog shows, the current step among view .. save reads available and the
    // open step (when available) current; a cancel puts the earlier states back.
    void beginOpenDialog();
    void cancelOpenDialog();
    // While the save dialog shows, the current step among open .. process reads available and the
    // save step (when available or suggested) current; on closing the four come back and save
    // becomes available.
    void beginSaveDialog();
    void endSaveDialog();

  private:
    StepStates states_;
    StepStates saved_;
};

// Only available and suggested steps react to a click (hand cursor); the others show no-drop.
bool stepReactsToClick(StepState state);

// The picture of ImageList_TB for a step in a state: open = state, view = 20 + state,
// tune = 15 + state, process = 5 + state, save = 10 + state.
int stepPictureIndex(Step step, StepState state);

// The hint key of a step ("ALS_TB_STEP1_TT" .. "ALS_TB_STEP5_TT") and its control's name.
const char* stepHintKey(Step step);
const char* stepControlName(Step step);

}  // namespace core
