#include "core/caption/replace_field.h"

#include <gtest/gtest.h>

namespace {

struct ReplaceCase {
    const char* text;
    const char* field;
    const char* value;
    const char* expected;
};

class ReplaceFieldTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceFieldTest, GivesTheExpectedText) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(core::caption::replaceField(QString::fromUtf8(c.text), QString::fromUtf8(c.field),
                                          QString::fromUtf8(c.value)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceFieldTest,
    ::testing::Values(
        // A value replaces every occurrence, whatever the case of the field.
        ReplaceCase{"[date] and [DATE]", "[date]", "1.2.2024", "1.2.2024 and 1.2.2024"},
        ReplaceCase{"on [Date]!", "[date]", "today", "on today!"},
        // An empty value takes a following space, else a leading one, with the field.
        ReplaceCase{"[date] [time]", "[date]", "", "[time]"},
        ReplaceCase{"[time] [date]", "[date]", "", "[time]"},
        ReplaceCase{"a [date] b", "[date]", "", "a b"}, ReplaceCase{"[date]", "[date]", "", ""},
        ReplaceCase{"x[date]y", "[date]", "", "xy"},
        // The result is trimmed.
        ReplaceCase{"  [text]  ", "[text]", "Kite", "Kite"},
        ReplaceCase{"[text] [date]", "[text]", "", "[date]"}));

}  // namespace
