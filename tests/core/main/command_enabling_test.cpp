// The command-enabling table of the main window.
#include <gtest/gtest.h>

#include "core/main/command_enabling.h"

namespace core {
namespace {

CommandInputs withPicture(const char* name = "/photos/a.jpg") {
    CommandInputs in;
    in.image = true;
    in.name = QString::fromLatin1(name);
    in.fileCount = 3;
    return in;
}

TEST(CommandEnabling, NoPictureLeavesOnlyOpeningCommands) {
    const CommandEnabling e = commandEnabling(CommandInputs{});
    EXPECT_TRUE(e.open);
    EXPECT_TRUE(e.demo);
    EXPECT_TRUE(e.queueMenu);
    EXPECT_FALSE(e.apply);
    EXPECT_FALSE(e.save);
    EXPECT_FALSE(e.resetOptions);
    EXPECT_FALSE(e.close);
    EXPECT_FALSE(e.reopen);
    EXPECT_FALSE(e.rotate);
    EXPECT_FALSE(e.zoom);
    EXPECT_FALSE(e.fullScreen);
    EXPECT_FALSE(e.previousNext);
    EXPECT_FALSE(e.mergeImages);
    EXPECT_FALSE(e.paste);
}

TEST(CommandEnabling, BusyRefusesEveryPictureCommand) {
    CommandInputs in = withPicture();
    in.clipboardHasPicture = true;
    in.busy = true;
    in.running = true;
    CommandEnabling expected;
    expected.abort = true;  // the run can still be stopped
    EXPECT_EQ(commandEnabling(in), expected);
    in.running = false;
    EXPECT_EQ(commandEnabling(in), CommandEnabling{});
}

struct NameCase {
    const char* name;
    bool reopen, rotate, plugins, queueAdd, previousNext;
};

class EnablingByName : public ::testing::TestWithParam<NameCase> {};

TEST_P(EnablingByName, FollowsTheKindOfPicture) {
    const NameCase& c = GetParam();
    const CommandEnabling e = commandEnabling(withPicture(c.name));
    EXPECT_EQ(e.reopen, c.reopen);
    EXPECT_EQ(e.rotate, c.rotate);
    EXPECT_EQ(e.plugins, c.plugins);
    EXPECT_EQ(e.queueAdd, c.queueAdd);
    EXPECT_EQ(e.previousNext, c.previousNext);
    EXPECT_TRUE(e.apply);
    EXPECT_TRUE(e.save);
    EXPECT_TRUE(e.resetOptions);
}

INSTANTIATE_TEST_SUITE_P(Names, EnablingByName,
                         ::testing::Values(NameCase{"/photos/a.jpg", true, true, true, true, true},
                                           NameCase{"clipboard", false, true, true, false, false},
                                           NameCase{"plugin", false, false, false, false, false},
                                           NameCase{"", false, true, true, true, true}));

struct ModeCase {
    bool tuning;
    std::optional<PreviewTab> tab;
    bool fullScreen, zoom, rotate, expert;
};

class EnablingByModeAndTab : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EnablingByModeAndTab, FollowsTheView) {
    const ModeCase& c = GetParam();
    CommandInputs in = withPicture();
    in.tuningMode = c.tuning;
    in.tab = c.tab;
    const CommandEnabling e = commandEnabling(in);
    EXPECT_EQ(e.fullScreen, c.fullScreen);
    EXPECT_EQ(e.zoom, c.zoom);
    EXPECT_EQ(e.rotate, c.rotate);
    EXPECT_EQ(e.expertMode, c.expert);
}

using T = PreviewTab;
INSTANTIATE_TEST_SUITE_P(Views, EnablingByModeAndTab,
                         ::testing::Values(ModeCase{false, std::nullopt, true, true, true, false},
                                           ModeCase{false, T::Text, true, true, true,
                                                    false},  // tab counts only tuning
                                           ModeCase{true, T::Noise, false, true, true, true},
                                           ModeCase{true, T::RedEye, false, true, true, true},
                                           ModeCase{true, T::CA, false, true, true, true},
                                           ModeCase{true, T::Colors, true, false, true, true},
                                           ModeCase{true, T::Brightness, true, false, true, true},
                                           ModeCase{true, T::Crop, true, false, true, true},
                                           ModeCase{true, T::Distortions, true, false, true, true},
                                           ModeCase{true, T::Text, false, false, false, true}));

TEST(CommandEnabling, PreviousAndNextNeedTwoFiles) {
    CommandInputs in = withPicture();
    in.fileCount = 1;
    EXPECT_FALSE(commandEnabling(in).previousNext);
    in.fileCount = 2;
    EXPECT_TRUE(commandEnabling(in).previousNext);
}

TEST(CommandEnabling, UndoSlotOfTheSourceStopsQueueAdding) {
    CommandInputs in = withPicture();
    EXPECT_FALSE(commandEnabling(in).undo);
    in.undoSlot = UndoSlot::Output;
    EXPECT_TRUE(commandEnabling(in).queueAdd);
    EXPECT_TRUE(commandEnabling(in).undo);
    in.undoSlot = UndoSlot::Source;
    EXPECT_FALSE(commandEnabling(in).queueAdd);
    EXPECT_TRUE(commandEnabling(in).undo);
}

TEST(CommandEnabling, PluginStartTakesAwayOpeningClosingPasteAndMerge) {
    CommandInputs in = withPicture("plugin");
    in.pluginMode = true;
    in.clipboardHasPicture = true;
    const CommandEnabling e = commandEnabling(in);
    EXPECT_FALSE(e.open);
    EXPECT_FALSE(e.close);
    EXPECT_FALSE(e.demo);
    EXPECT_FALSE(e.queueMenu);
    EXPECT_FALSE(e.paste);
    EXPECT_FALSE(e.mergeImages);
    EXPECT_FALSE(e.rotate);
    EXPECT_FALSE(e.reopen);
    EXPECT_TRUE(e.apply);
    EXPECT_TRUE(e.save);
}

TEST(CommandEnabling, PasteFollowsTheClipboard) {
    CommandInputs in;
    EXPECT_FALSE(commandEnabling(in).paste);
    in.clipboardHasPicture = true;
    EXPECT_TRUE(commandEnabling(in).paste);
}

TEST(CommandEnabling, AbortDuringRunsAndToLeaveTheTuningMode) {
    CommandInputs in = withPicture();
    EXPECT_FALSE(commandEnabling(in).abort);
    in.tuningMode = true;
    in.tab = PreviewTab::Noise;
    EXPECT_TRUE(commandEnabling(in).abort);
    in.busy = true;
    EXPECT_FALSE(commandEnabling(in).abort);
    in.running = true;
    EXPECT_TRUE(commandEnabling(in).abort);
}

}  // namespace
}  // namespace core
