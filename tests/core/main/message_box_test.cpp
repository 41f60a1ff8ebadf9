// The message box as data: buttons of a style value, custom buttons, rows, default and cancel.
#include "core/main/message_box.h"

#include <gtest/gtest.h>

#include "core/main/scripted_asker.h"

namespace {

std::vector<int> results(const core::MessageBoxLayout& layout) {
    std::vector<int> r;
    for (const auto& b : layout.buttons)
        r.push_back(b.result);
    return r;
}

std::vector<std::string> captions(const core::MessageBoxLayout& layout) {
    std::vector<std::string> r;
    for (const auto& b : layout.buttons)
        r.push_back(b.caption.toStdString());
    return r;
}

core::Language english() {
    core::Language texts;
    texts.setText(
        "ALS_MESSAGE_BUTTON_YES=Yes\r\nALS_MESSAGE_BUTTON_NO=No\r\nALS_MESSAGE_BUTTON_CANCEL="
        "Cancel\r\n"
        "ALS_MESSAGE_BUTTON_OK=OK\r\nALS_MESSAGE_BUTTON_RETRY=Retry\r\n"
        "ALS_MESSAGE_BUTTON_ABORT=Abort\r\nALS_MESSAGE_BUTTON_IGNORE=Ignore\r\n"
        "ALS_ALWAYS=Always\r\nALS_NEVER=Never\r\nALS_MESSAGE_BUTTON_DONTSHOW=Don't show again\r\n"
        "ALS_ERROR=error\r\nALS_SAVING_RESULT=Saving the result\r\n"
        "ALS_SAVE_RESULTS_IF_EXIT_QUEST=Save the result? \"*\" It is not saved yet.\r\n");
    return texts;
}

struct SetCase {
    uint32_t style;
    std::vector<int> results;
    int cancel;
};

TEST(MessageBoxLayout, EachButtonSetInItsOrder) {
    const SetCase cases[] = {
        {0, {1}, -1},    {1, {1, 2}, 1}, {2, {3, 4, 5}, -1}, {3, {6, 7, 2}, 2},
        {4, {6, 7}, -1}, {5, {4, 2}, 1}, {6, {1}, -1},  // sets the box does not know show OK
        {15, {1}, -1},
    };
    const core::Language texts = english();
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.style);
        const auto layout = core::layoutMessageBox({"text", "title", true, c.style, {}}, texts);
        EXPECT_EQ(results(layout), c.results);
        EXPECT_EQ(layout.cancelButton, c.cancel);
        EXPECT_EQ(layout.defaultButton, 0);
        EXPECT_EQ(layout.icon, core::MessageIcon::None);
        EXPECT_DOUBLE_EQ(layout.widthFactor, 1.4);
        EXPECT_DOUBLE_EQ(layout.heightFactor, 1.2);
    }
}

TEST(MessageBoxLayout, YesNoWithTheSecondDefaultFocusesNo) {
    const auto layout = core::layoutMessageBox({"t", "", true, 4 + 256, {}}, english());
    EXPECT_EQ(captions(layout), (std::vector<std::string>{"Yes", "No"}));
    EXPECT_EQ(layout.defaultButton, 1);
    EXPECT_EQ(layout.buttons[size_t(layout.defaultButton)].result, core::kResultNo);
    EXPECT_TRUE(layout.title.isEmpty());  // the active window's caption
}

TEST(MessageBoxLayout, DefaultsBeyondTheLastButtonFallBackToTheFirst) {
    const core::Language texts = english();
    EXPECT_EQ(core::layoutMessageBox({"t", "", true, 3 + 512, {}}, texts).defaultButton, 2);
    EXPECT_EQ(core::layoutMessageBox({"t", "", true, 3 + 768, {}}, texts).defaultButton, 0);
    EXPECT_EQ(core::layoutMessageBox({"t", "", true, 0 + 256, {}}, texts).defaultButton, 0);
    const auto withCustom =
        core::layoutMessageBox({"t", "", true, 3 + 768, {{"ALS_ALWAYS", 10, 1.4}}}, texts);
    EXPECT_EQ(withCustom.defaultButton, 3);
}

TEST(MessageBoxLayout, OkWithTwoCustomButtonsIsWidenedByTheLargerFactor) {
    const auto layout = core::layoutMessageBox(
        {"t",
         "",
         true,
         0,
         {{"ALS_MESSAGE_BUTTON_CANCEL", 2, 1.0}, {"ALS_MESSAGE_BUTTON_DONTSHOW", 7, 1.8}}},
        english());
    EXPECT_EQ(captions(layout), (std::vector<std::string>{"OK", "Cancel", "Don't show again"}));
    EXPECT_EQ(results(layout), (std::vector<int>{1, 2, 7}));
    EXPECT_DOUBLE_EQ(layout.widthFactor, 1.8);
    EXPECT_EQ(layout.rowSizes, (std::vector<int>{3}));
    // Esc presses the custom Cancel.
    EXPECT_EQ(layout.cancelButton, 1);
}

TEST(MessageBoxLayout, WidthFactors) {
    struct Case {
        std::vector<double> factors;
        double width;
    };
    const Case cases[] = {
        {{}, 1.4},    {{1.0}, 1.0},  // one custom button: its own factor
        {{1.8}, 1.8}, {{1.0, 1.2}, 1.4}, {{1.4, 1.4}, 1.4}, {{1.0, 1.8}, 1.8},
    };
    for (const Case& c : cases) {
        std::vector<core::CustomButton> custom;
        for (double f : c.factors)
            custom.push_back({"ALS_ALWAYS", 10, f});
        EXPECT_DOUBLE_EQ(core::layoutMessageBox({"t", "", true, 4, custom}, english()).widthFactor,
                         c.width);
    }
}

TEST(MessageBoxLayout, RowsOfThreeAndFourAsTwoByTwo) {
    struct Case {
        uint32_t style;
        size_t custom;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {0, 0, {1}},    {4, 0, {2}},       {3, 0, {3}},       {4, 2, {2, 2}}, {3, 2, {3, 2}},
        {3, 3, {3, 3}}, {3, 5, {3, 3, 2}}, {3, 7, {3, 3, 2}},  // at most five custom buttons
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " + " << c.custom);
        std::vector<core::CustomButton> custom(c.custom, {"ALS_ALWAYS", 10, 1.4});
        const auto layout = core::layoutMessageBox({"t", "", true, c.style, custom}, english());
        EXPECT_EQ(layout.rowSizes, c.rows);
    }
}

TEST(MessageBoxLayout, TheFileSettingsQuestionHasAlwaysAndNever) {
    const auto layout = core::layoutMessageBox(
        {"t", "x", true, 4, {{"ALS_ALWAYS", 10, 1.4}, {"ALS_NEVER", 9, 1.4}}}, english());
    EXPECT_EQ(captions(layout), (std::vector<std::string>{"Yes", "No", "Always", "Never"}));
    EXPECT_EQ(results(layout), (std::vector<int>{6, 7, 10, 9}));
    EXPECT_EQ(layout.rowSizes, (std::vector<int>{2, 2}));
}

TEST(MessageBoxLayout, IconsSoundAndStayOnTop) {
    struct Case {
        uint32_t style;
        core::MessageIcon icon;
    };
    const Case cases[] = {{16, core::MessageIcon::Error},
                          {32 + 4, core::MessageIcon::Question},
                          {48, core::MessageIcon::Warning},
                          {64 + 1, core::MessageIcon::Information},
                          {0, core::MessageIcon::None}};
    for (const Case& c : cases)
        EXPECT_EQ(core::layoutMessageBox({"t", "", true, c.style, {}}, english()).icon, c.icon);
    const auto loud = core::layoutMessageBox({"t", "", false, 48 + 65536, {}}, english());
    EXPECT_TRUE(loud.playSound);
    EXPECT_TRUE(loud.stayOnTop);
    EXPECT_EQ(results(loud), (std::vector<int>{1}));
    const auto quiet = core::layoutMessageBox({"t", "", true, 48, {}}, english());
    EXPECT_FALSE(quiet.playSound);
    EXPECT_FALSE(quiet.stayOnTop);
}

TEST(MessageBoxLayout, EmptyCaptionsFallBackToTheBuiltInOnes) {
    core::Language texts;
    texts.setText(
        "ALS_MESSAGE_BUTTON_YES=\"_\"\r\nALS_MESSAGE_BUTTON_NO=\"_\"\r\n"
        "ALS_MESSAGE_BUTTON_CANCEL=Abbrechen\r\n");
    const auto layout = core::layoutMessageBox({"t", "", true, 3, {}}, texts);
    EXPECT_EQ(captions(layout), (std::vector<std::string>{"&Yes", "&No", "Abbrechen"}));
}

TEST(MessageBoxAsk, ShowErrorUsesTheCapitalisedTitleAndOk) {
    const core::Language texts = english();
    core::ScriptedAsker asker({core::kResultOk});
    core::showError(asker, texts, "");
    EXPECT_TRUE(asker.requests().empty());
    core::showError(asker, texts, "The file cannot be read.");
    ASSERT_EQ(asker.requests().size(), 1u);
    const core::MessageBoxRequest& r = asker.requests()[0];
    EXPECT_EQ(r.text.toStdString(), "The file cannot be read.");
    EXPECT_EQ(r.title.toStdString(), "Error");
    EXPECT_EQ(r.style, 0u);
    EXPECT_TRUE(r.silent);
    EXPECT_TRUE(r.customButtons.empty());
}

TEST(MessageBoxAsk, AskLooksUpTheTextAndTitleAsMessages) {
    const core::Language texts = english();
    core::ScriptedAsker asker({core::kResultCancel});
    EXPECT_EQ(core::askMessage(asker, texts, "ALS_SAVE_RESULTS_IF_EXIT_QUEST", "ALS_SAVING_RESULT",
                               core::kButtonsYesNoCancel),
              core::kResultCancel);
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text.toStdString(), "Save the result?\r\nIt is not saved yet.");
    EXPECT_EQ(asker.requests()[0].title.toStdString(), "Saving the result");
    // A script that ran out answers as a box that could not be shown.
    EXPECT_EQ(core::askMessage(asker, texts, "ALS_X", "", 4), core::kResultNone);
}

}  // namespace
