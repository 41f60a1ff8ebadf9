#include "core/settings/slider_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/settings/settings_fields.h"

namespace {

using core::SliderConfig;
using core::SliderLabel;
using core::StoredAs;

// Each slider edits one settings field; the slider's range and default are the field's, shifted
// by 100 where the field stores position - 100. The noise sliders store per mille of the detected
// level instead and take their default from the picture.
TEST(SliderTable, AgreesWithTheSettingsFields) {
    std::set<std::string> fields;
    for (const SliderConfig& c : core::sliderConfigs()) {
        SCOPED_TRACE(c.number);
        const core::SettingsField* f = core::findSettingsField(c.field);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(fields.insert(c.field).second) << "two sliders edit " << c.field;
        EXPECT_EQ(std::string(f->control), "SlideBar" + std::to_string(c.number));
        if (c.defaultIsDetected) {
            EXPECT_EQ(f->stored, StoredAs::Permille);
            EXPECT_EQ(c.minimum, 0);
            EXPECT_EQ(c.maximum, 200);
            continue;
        }
        ASSERT_TRUE(f->ranged);
        const int32_t shift = f->stored == StoredAs::SliderMinus100 ? 100 : 0;
        EXPECT_EQ(c.minimum, f->minimum + shift);
        EXPECT_EQ(c.maximum, f->maximum + shift);
        EXPECT_EQ(c.defaultPosition, f->defaultValue + shift);
        EXPECT_EQ(c.label == SliderLabel::Signed, shift == 100);
    }
    EXPECT_EQ(fields.size(), 37u);
}

TEST(SliderTable, RowsOfTheTable) {
    struct Row {
        int n;
        int32_t min, max, def;
        SliderLabel label;
    };
    const Row rows[] = {
        {1, 0, 200, 0, SliderLabel::Position},    {4, 1, 16, 6, SliderLabel::Position},
        {5, 0, 300, 100, SliderLabel::Percent},   {6, 0, 200, 100, SliderLabel::Signed},
        {14, 0, 100, 100, SliderLabel::None},     {16, 0, 6, 2, SliderLabel::Position},
        {18, 1, 100, 100, SliderLabel::Percent},  {20, 0, 100, 0, SliderLabel::None},
        {24, 0, 255, 245, SliderLabel::Position}, {27, 0, 100, 0, SliderLabel::Percent},
        {36, 0, 100, 50, SliderLabel::Percent},   {37, 0, 100, 30, SliderLabel::Position},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.n);
        const SliderConfig& c = core::sliderConfig(r.n);
        EXPECT_EQ(c.number, r.n);
        EXPECT_EQ(c.minimum, r.min);
        EXPECT_EQ(c.maximum, r.max);
        EXPECT_EQ(c.defaultPosition, r.def);
        EXPECT_EQ(c.label, r.label);
    }
    for (int n = 1; n <= 37; ++n)
        EXPECT_EQ(core::sliderConfig(n).defaultIsDetected, n <= 3) << n;
}

TEST(SliderTable, LabelTexts) {
    EXPECT_EQ(core::sliderLabelText(SliderLabel::Position, 60), "60");
    EXPECT_EQ(core::sliderLabelText(SliderLabel::Percent, 15), "15%");
    EXPECT_EQ(core::sliderLabelText(SliderLabel::Signed, 150), "+50");
    EXPECT_EQ(core::sliderLabelText(SliderLabel::Signed, 100), "0");
    EXPECT_EQ(core::sliderLabelText(SliderLabel::Signed, 30), "-70");
    EXPECT_EQ(core::sliderLabelText(SliderLabel::None, 30), "");
}

TEST(SliderTable, HelpLabelKeys) {
    EXPECT_STREQ(core::helpLabelKey(2), "ALS_HLP_MIDTONES");
    EXPECT_STREQ(core::helpLabelKey(11), "ALS_HLP_EDGE_WIDTH");
    EXPECT_STREQ(core::helpLabelKey(12), "ALS_HLP_NOTAVAILABLE");
    EXPECT_STREQ(core::helpLabelKey(15), "ALS_HLP_NOTAVAILABLE");
    EXPECT_STREQ(core::helpLabelKey(28), "ALS_HLP_CA_COLOR");
    EXPECT_STREQ(core::helpLabelKey(40), "ALS_HLP_CURVESTEEPNESS");
    EXPECT_STREQ(core::helpLabelKey(1), "ALS_HLP_NOTAVAILABLE");
    EXPECT_STREQ(core::helpLabelKey(41), "ALS_HLP_NOTAVAILABLE");
    std::set<std::string> keys;
    int own = 0;
    for (int n = core::kFirstHelpLabel; n <= core::kLastHelpLabel; ++n) {
        const std::string key = core::helpLabelKey(n);
        EXPECT_EQ(key.rfind("ALS_HLP_", 0), 0u) << n;
        if (key != "ALS_HLP_NOTAVAILABLE") {
            ++own;
            EXPECT_TRUE(keys.insert(key).second) << key;
        }
    }
    EXPECT_EQ(own, 37);  // 2..40 without 12 and 15
}

}  // namespace
