#include "core/main/step_bar.h"

namespace core {

namespace {

using S = StepState;

struct Preset {
    StepSituation situation;
    StepState open, view, tune, process;
    bool setsSave;
    StepState save;
};

constexpr Preset kPresets[] = {
    {StepSituation::NoImage, S::Available, S::Unavailable, S::Unavailable, S::Unavailable, false,
     S::Unavailable},
    {StepSituation::Viewing, S::Available, S::Current, S::Suggested, S::Unavailable, false,
     S::Unavailable},
    {StepSituation::Tuning, S::Available, S::Available, S::Current, S::Suggested, false,
     S::Unavailable},
    {StepSituation::FullRunInProgress, S::Locked, S::Locked, S::Locked, S::Current, true,
     S::Unavailable},
    {StepSituation::FullRunFinished, S::Available, S::Available, S::Available, S::Current, true,
     S::Suggested},
};

constexpr std::size_t index(Step step) {
    return static_cast<std::size_t>(step);
}

}  // namespace

StepBar::StepBar() {
    states_.fill(StepState::Unavailable);
    applyPreset(StepSituation::NoImage);
    saved_ = states_;
}

void StepBar::applyPreset(StepSituation situation) {
    for (const Preset& p : kPresets) {
        if (p.situation != situation) continue;
        setState(Step::Open, p.open);
        setState(Step::View, p.view);
        setState(Step::Tune, p.tune);
        setState(Step::Process, p.process);
        if (p.setsSave) setState(Step::Save, p.save);
        return;
    }
}

void StepBar::beginOpenDialog() {
    saved_ = states_;
    for (std::size_t i = index(Step::View); i <= index(Step::Save); ++i)
        if (states_[i] == StepState::Current) states_[i] = StepState::Available;
    if (state(Step::Open) == StepState::Available) setState(Step::Open, StepState::Current);
}

void StepBar::cancelOpenDialog() {
    states_ = saved_;
}

void StepBar::beginSaveDialog() {
    saved_ = states_;
    for (std::size_t i = index(Step::Open); i <= index(Step::Process); ++i)
        if (states_[i] == StepState::Current) states_[i] = StepState::Available;
    const StepState save = state(Step::Save);
    if (save == StepState::Available || save == StepState::Suggested)
        setState(Step::Save, StepState::Current);
}

void StepBar::endSaveDialog() {
    for (std::size_t i = index(Step::Open); i <= index(Step::Process); ++i)
        states_[i] = saved_[i];
    setState(Step::Save, StepState::Available);
}

bool stepReactsToClick(StepState state) {
    return state == StepState::Available || state == StepState::Suggested;
}

int stepPictureIndex(Step step, StepState state) {
    constexpr int kBase[kStepCount] = {0, 20, 15, 5, 10};
    return kBase[index(step)] + static_cast<int>(state);
}

const char* stepHintKey(Step step) {
    constexpr const char* kKeys[kStepCount] = {"ALS_TB_STEP1_TT", "ALS_TB_STEP2_TT",
                                               "ALS_TB_STEP3_TT", "ALS_TB_STEP4_TT",
                                               "ALS_TB_STEP5_TT"};
    return kKeys[index(step)];
}

const char* stepControlName(Step step) {
    constexpr const char* kNames[kStepCount] = {"imgTBOpen", "imgTBView", "imgTBTune",
                                                "imgTBProcess", "imgTBSave"};
    return kNames[index(step)];
}

}  // namespace core
