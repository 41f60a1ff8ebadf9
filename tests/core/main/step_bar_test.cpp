// The five-step work bar: presets, dialogs, clicks and pictures.
#include <gtest/gtest.h>

#include "core/main/step_bar.h"

namespace core {
namespace {

using S = StepState;

struct PresetCase {
    StepSituation situation;
    StepStates expected;  // save as it reads after the preset, from a bar whose save step was 0
};

class StepPresets : public ::testing::TestWithParam<PresetCase> {};

TEST_P(StepPresets, SetTheFourStepsAndSaveWhereNamed) {
    StepBar bar;
    bar.setState(Step::Save, S::Available);
    bar.applyPreset(GetParam().situation);
    EXPECT_EQ(bar.states(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, StepPresets,
    ::testing::Values(
        PresetCase{StepSituation::NoImage,
                   {S::Available, S::Unavailable, S::Unavailable, S::Unavailable, S::Available}},
        PresetCase{StepSituation::Viewing,
                   {S::Available, S::Current, S::Suggested, S::Unavailable, S::Available}},
        PresetCase{StepSituation::Tuning,
                   {S::Available, S::Available, S::Current, S::Suggested, S::Available}},
        PresetCase{StepSituation::FullRunInProgress,
                   {S::Locked, S::Locked, S::Locked, S::Current, S::Unavailable}},
        PresetCase{StepSituation::FullRunFinished,
                   {S::Available, S::Available, S::Available, S::Current, S::Suggested}}));

TEST(StepBar, StartsWithNothingButOpen) {
    const StepBar bar;
    EXPECT_EQ(bar.states(), (StepStates{S::Available, S::Unavailable, S::Unavailable,
                                        S::Unavailable, S::Unavailable}));
    StepBar cleared;
    cleared.applyPreset(StepSituation::FullRunFinished);
    cleared.outputCleared();
    EXPECT_EQ(cleared.state(Step::Save), S::Unavailable);
}

TEST(StepBar, OpenDialogShowsOpenCurrentAndCancelRestores) {
    StepBar bar;
    bar.applyPreset(StepSituation::Tuning);
    const StepStates before = bar.states();
    bar.beginOpenDialog();
    EXPECT_EQ(bar.states(),
              (StepStates{S::Current, S::Available, S::Available, S::Suggested, S::Unavailable}));
    bar.cancelOpenDialog();
    EXPECT_EQ(bar.states(), before);
}

TEST(StepBar, OpenDialogLeavesALockedOpenStepAlone) {
    StepBar bar;
    bar.applyPreset(StepSituation::FullRunInProgress);
    bar.beginOpenDialog();
    EXPECT_EQ(bar.state(Step::Open), S::Locked);
    EXPECT_EQ(bar.state(Step::Process), S::Available);
}

TEST(StepBar, SaveDialogShowsSaveCurrentAndLeavesItAvailable) {
    StepBar bar;
    bar.applyPreset(StepSituation::FullRunFinished);
    bar.beginSaveDialog();
    EXPECT_EQ(bar.states(),
              (StepStates{S::Available, S::Available, S::Available, S::Available, S::Current}));
    bar.endSaveDialog();
    EXPECT_EQ(bar.states(),
              (StepStates{S::Available, S::Available, S::Available, S::Current, S::Available}));
}

TEST(StepBar, SaveDialogWithoutOutputKeepsSaveUnavailableUntilItCloses) {
    StepBar bar;
    bar.applyPreset(StepSituation::Viewing);
    bar.beginSaveDialog();
    EXPECT_EQ(bar.state(Step::Save), S::Unavailable);
    EXPECT_EQ(bar.state(Step::View), S::Available);
    bar.endSaveDialog();
    EXPECT_EQ(bar.state(Step::View), S::Current);
    EXPECT_EQ(bar.state(Step::Save), S::Available);
}

TEST(StepBar, OnlyAvailableAndSuggestedTakeClicks) {
    EXPECT_TRUE(stepReactsToClick(S::Available));
    EXPECT_FALSE(stepReactsToClick(S::Current));
    EXPECT_FALSE(stepReactsToClick(S::Locked));
    EXPECT_TRUE(stepReactsToClick(S::Suggested));
    EXPECT_FALSE(stepReactsToClick(S::Unavailable));
}

TEST(StepBar, PictureIndexPerStep) {
    struct Case {
        Step step;
        StepState state;
        int index;
    };
    const Case cases[] = {{Step::Open, S::Available, 0},    {Step::Open, S::Unavailable, 4},
                          {Step::View, S::Current, 21},     {Step::Tune, S::Suggested, 18},
                          {Step::Process, S::Locked, 7},    {Step::Save, S::Available, 10},
                          {Step::Save, S::Unavailable, 14}, {Step::View, S::Unavailable, 24}};
    for (const Case& c : cases)
        EXPECT_EQ(stepPictureIndex(c.step, c.state), c.index)
            << static_cast<int>(c.step) << " " << static_cast<int>(c.state);
}

TEST(StepBar, HintsAndNames) {
    EXPECT_STREQ(stepHintKey(Step::Open), "ALS_TB_STEP1_TT");
    EXPECT_STREQ(stepHintKey(Step::Save), "ALS_TB_STEP5_TT");
    EXPECT_STREQ(stepControlName(Step::Tune), "imgTBTune");
    EXPECT_STREQ(stepControlName(Step::Process), "imgTBProcess");
}

}  // namespace
}  // namespace core
