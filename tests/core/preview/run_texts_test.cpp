// The texts around a run: elapsed time, status lines and the engine failure with its step.
#include <gtest/gtest.h>

#include "core/preview/run_texts.h"
#include "text_table.h"

namespace core {
namespace {

TextLookup runTexts() {
    return textTable({{"ALS_MINUTES_SHORT_3", "min"},
                      {"ALS_SECONDS_SHORT_3", "sec"},
                      {"ALS_CREATION_PREVIEW", "Creating the preview"},
                      {"ALS_CREATION_OUTPUT", "Creating the output"},
                      {"ALS_WAIT", "please wait"},
                      {"ER_DLL", "The processing library raised an error (step %s)."}});
}

struct ElapsedCase {
    int64_t seconds;
    const char* text;
};

class ElapsedTexts : public ::testing::TestWithParam<ElapsedCase> {};

TEST_P(ElapsedTexts, MinutesOnlyWhenAboveZero) {
    EXPECT_EQ(elapsedText(runTexts(), GetParam().seconds), QLatin1String(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElapsedTexts,
    ::testing::Values(ElapsedCase{0, "0 sec"}, ElapsedCase{1, "1 sec"}, ElapsedCase{59, "59 sec"},
                      ElapsedCase{60, "1 min 0 sec"}, ElapsedCase{125, "2 min 5 sec"},
                      ElapsedCase{3600, "60 min 0 sec"}, ElapsedCase{-4, "0 sec"}));

TEST(RunTexts, TheFullRunsClockStartsOneSecondEarly) {
    EXPECT_EQ(elapsedTextSince(runTexts(), 5000, 5000), QStringLiteral("1 sec"));
    EXPECT_EQ(elapsedTextSince(runTexts(), 5000, 5999), QStringLiteral("1 sec"));
    EXPECT_EQ(elapsedTextSince(runTexts(), 5000, 64000), QStringLiteral("1 min 0 sec"));
}

TEST(RunTexts, StatusAndStepFailure) {
    EXPECT_EQ(workingStatus(runTexts(), "ALS_CREATION_PREVIEW"),
              QStringLiteral("Creating the preview... please wait"));
    EXPECT_EQ(workingStatus(runTexts(), "ALS_CREATION_OUTPUT"),
              QStringLiteral("Creating the output... please wait"));
    EXPECT_EQ(engineStepFailureText(runTexts(), stepNumber(PreviewRunStep::EngineReturned)),
              QStringLiteral("The processing library raised an error (step 4)."));
    EXPECT_EQ(engineStepFailureText(runTexts(), stepNumber(FullRunStep::OutputTransferred)),
              QStringLiteral("The processing library raised an error (step 6)."));
}

TEST(RunSteps, NumbersAsReported) {
    EXPECT_EQ(stepNumber(PreviewRunStep::BeforeWorkingCopy), 0);
    EXPECT_EQ(stepNumber(PreviewRunStep::WorkingCopyMade), 1);
    EXPECT_EQ(stepNumber(PreviewRunStep::EngineCalled), 3);
    EXPECT_EQ(stepNumber(PreviewRunStep::EngineReturned), 4);
    EXPECT_EQ(stepNumber(PreviewRunStep::Display), 5);
    EXPECT_EQ(stepNumber(FullRunStep::BeforeCopy), 0);
    EXPECT_EQ(stepNumber(FullRunStep::CopyMade), 1);
    EXPECT_EQ(stepNumber(FullRunStep::EngineCalled), 3);
    EXPECT_EQ(stepNumber(FullRunStep::AfterEngine), 5);
    EXPECT_EQ(stepNumber(FullRunStep::OutputTransferred), 6);
}

}  // namespace
}  // namespace core
