// Closing the main window: the steps in order, the unsaved-result question and its answers.
#include "core/main/close_order.h"

#include <gtest/gtest.h>

#include <set>

#include "core/main/scripted_asker.h"

namespace {

using core::CloseStep;
using Steps = std::vector<CloseStep>;

class RecordingRunner : public core::CloseStepRunner {
  public:
    std::set<CloseStep> failing;
    Steps done;
    bool run(CloseStep step) override {
        done.push_back(step);
        return !failing.contains(step);
    }
};

const Steps kOpening = {CloseStep::StopTimers, CloseStep::SaveSettingsBlock,
                        CloseStep::SetClosingFlag};
const Steps kClosing = {CloseStep::DestroySessions,      CloseStep::DestroyCursors,
                        CloseStep::StoreFloatingWindows, CloseStep::StoreWindowState,
                        CloseStep::SaveProgramOptions,   CloseStep::StopNavigator,
                        CloseStep::WriteNormalClose};
const Steps kCancelled = {CloseStep::ClearClosingFlag, CloseStep::RestartTimers};

Steps join(std::initializer_list<Steps> parts) {
    Steps all;
    for (const Steps& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct CloseCase {
    const char* name;
    core::CloseState state;
    std::deque<int> answers;
    std::set<CloseStep> failing;
    bool closed;
    Steps steps;
    size_t questions;
};

TEST(CloseOrder, StepsFollowTheStateAndTheAnswers) {
    const CloseCase cases[] = {
        {"nothing unsaved", {}, {}, {}, true, join({kOpening, kClosing}), 0},
        {"unsaved, no", {true, false}, {core::kResultNo}, {}, true, join({kOpening, kClosing}), 1},
        {"unsaved, yes",
         {true, false},
         {core::kResultYes},
         {},
         true,
         join({kOpening, {CloseStep::SaveOutput}, kClosing}),
         1},
        {"unsaved, cancel",
         {true, false},
         {core::kResultCancel},
         {},
         false,
         join({kOpening, kCancelled}),
         1},
        {"unsaved, the box could not be shown",
         {true, false},
         {core::kResultNone},
         {},
         false,
         join({kOpening, kCancelled}),
         1},
        {"unsaved, yes, the save fails",
         {true, false},
         {core::kResultYes},
         {CloseStep::SaveOutput},
         false,
         join({kOpening, {CloseStep::SaveOutput}, kCancelled}),
         1},
        {"a run under way ends before the sessions go",
         {false, true},
         {},
         {},
         true,
         join({kOpening, {CloseStep::StopProcessing}, kClosing}),
         0},
        {"a settings file that cannot be written does not stop the close",
         {},
         {},
         {CloseStep::SaveSettingsBlock, CloseStep::SaveProgramOptions},
         true,
         join({kOpening, kClosing}),
         0},
    };
    core::Language texts;
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        core::ScriptedAsker asker(c.answers);
        RecordingRunner runner;
        runner.failing = c.failing;
        const core::CloseOutcome outcome = core::closeMainWindow(c.state, asker, texts, runner);
        EXPECT_EQ(outcome.closed, c.closed);
        EXPECT_EQ(outcome.steps, c.steps);
        EXPECT_EQ(runner.done, c.steps);
        ASSERT_EQ(asker.requests().size(), c.questions);
        if (c.closed) {
            EXPECT_EQ(outcome.steps.back(), CloseStep::WriteNormalClose);
        } else {
            EXPECT_EQ(
                std::count(outcome.steps.begin(), outcome.steps.end(), CloseStep::WriteNormalClose),
                0);
        }
    }
}

TEST(CloseOrder, TheQuestionIsYesNoCancelWithItsTexts) {
    core::Language texts;
    texts.setText(
        "ALS_SAVE_RESULTS_IF_EXIT_QUEST=Save the result?\r\n"
        "ALS_SAVING_RESULT=Saving the result\r\n");
    core::ScriptedAsker asker({core::kResultNo});
    RecordingRunner runner;
    (void)core::closeMainWindow({true, false}, asker, texts, runner);
    ASSERT_EQ(asker.requests().size(), 1u);
    const core::MessageBoxRequest& r = asker.requests()[0];
    EXPECT_EQ(r.text.toStdString(), "Save the result?");
    EXPECT_EQ(r.title.toStdString(), "Saving the result");
    EXPECT_EQ(r.style, uint32_t(core::kButtonsYesNoCancel));
}

}  // namespace
