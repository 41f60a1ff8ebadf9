#include "core/fullscreen/selectable_sliders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace core {
namespace {

TEST(SelectableSliders, TableHoldsEachNumberOnceWithItsLabel) {
    struct Row {
        int number;
        const char* label;
    };
    const Row expected[] = {
        {8, "ALS_LOCAL_CONTRAST"},    {9, "ALS_CONTRAST"},          {10, "ALS_GAMMA"},
        {11, "ALS_RED_CHANNEL"},      {12, "ALS_GREEN_CHANNEL"},    {13, "ALS_BLUE_CHANNEL"},
        {14, "ALS_CLR_AUTOCONTRAST"}, {20, "ALS_CLR_AUTOCONTRAST"}, {15, "ALS_SATURATION"},
        {21, "ALS_HIGHLIGHTS"},       {22, "ALS_SHADOWS"},          {28, "ALS_BARREL"},
        {29, "ALS_HPERSPECTIVE"},     {30, "ALS_VPERSPECTIVE"},     {31, "ALS_SQUEEZE"},
        {32, "ALS_VIGNETTING"},       {33, "ALS_BW_RED"},           {34, "ALS_BW_GREEN"},
        {35, "ALS_BW_BLUE"},
    };
    const auto table = selectableSliders();
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].number, expected[i].number);
        EXPECT_STREQ(table[i].label, expected[i].label);
    }
}

TEST(SelectableSliders, TheFocusedOneIsSelected) {
    const auto slider = focusedSlider([](int n) { return n == 30; });
    ASSERT_TRUE(slider.has_value());
    EXPECT_EQ(slider->number, 30);
    EXPECT_STREQ(slider->label, "ALS_VPERSPECTIVE");
}

TEST(SelectableSliders, TheFirstInTableOrderWins) {
    const auto slider = focusedSlider([](int n) { return n == 15 || n == 20; });
    ASSERT_TRUE(slider.has_value());
    EXPECT_EQ(slider->number, 20);
}

TEST(SelectableSliders, OtherSlidersSelectNothing) {
    EXPECT_FALSE(focusedSlider([](int n) { return n == 1 || n == 19 || n == 36; }));
    EXPECT_FALSE(focusedSlider([](int) { return false; }));
}

struct ValueCase {
    int number;
    int position;
    const char* label;
    const char* expected;
};

class SliderValueText : public testing::TestWithParam<ValueCase> {};

TEST_P(SliderValueText, ReadsTheLabelOrPosition) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(sliderValueText(c.number, c.position, QString::fromUtf8(c.label)),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderValueText,
                         testing::Values(ValueCase{14, 7, "anything", "7"},
                                         ValueCase{20, 93, "", "93"}, ValueCase{15, 40, "25", "25"},
                                         ValueCase{10, 0, "1.35", "1.35"},
                                         ValueCase{11, 0, "-12", "-12"},
                                         ValueCase{21, 0, " 30 %", "30"}, ValueCase{22, 5, "", "0"},
                                         ValueCase{28, 5, "off", "0"}));

struct StepCase {
    bool up;
    int position, minimum, maximum;
    bool moves;
    int expected;
};

class SliderStep : public testing::TestWithParam<StepCase> {};

TEST_P(SliderStep, MovesByFivePercent) {
    const StepCase& c = GetParam();
    EXPECT_EQ(sliderCanStep(c.up, c.position, c.minimum, c.maximum), c.moves);
    if (c.moves)
        EXPECT_EQ(steppedSliderPosition(c.up, c.position, c.minimum, c.maximum), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderStep,
                         testing::Values(StepCase{true, 0, -100, 100, true, 10},
                                         StepCase{false, 0, -100, 100, true, -10},
                                         StepCase{true, 95, -100, 100, true, 100},
                                         StepCase{true, 100, -100, 100, false, 0},
                                         StepCase{false, -95, -100, 100, true, -100},
                                         StepCase{false, -90, -100, 100, true, -100},
                                         StepCase{false, -100, -100, 100, false, 0},
                                         // A short range still steps by 1.
                                         StepCase{true, 3, 0, 10, true, 4},
                                         StepCase{false, 1, 0, 10, true, 0}));

TEST(SliderStep, PageStepIsFivePercentAtLeastOne) {
    EXPECT_EQ(sliderPageStep(-100, 100), 10);
    EXPECT_EQ(sliderPageStep(0, 100), 5);
    EXPECT_EQ(sliderPageStep(0, 30), 2);  // 1.5 rounds up
    EXPECT_EQ(sliderPageStep(0, 10), 1);
    EXPECT_EQ(sliderPageStep(0, 0), 1);
}

}  // namespace
}  // namespace core
