// Key and wheel routing of the main window.
#include <gtest/gtest.h>

#include "core/main/key_routing.h"

namespace core {
namespace {

using T = PreviewTab;
using W = WheelAction;

RoutingState viewing() {
    RoutingState s;
    s.sourceHasSize = true;
    return s;
}

RoutingState tuning(T tab) {
    RoutingState s = viewing();
    s.tuningMode = true;
    s.tab = tab;
    return s;
}

TEST(KeyRouting, SpaceAndBackspaceOnlyWithoutAnEditFocused) {
    EXPECT_TRUE(stepKeysGoToCommands(FocusKind::Other));
    EXPECT_FALSE(stepKeysGoToCommands(FocusKind::EditBox));
    EXPECT_FALSE(stepKeysGoToCommands(FocusKind::Memo));
}

struct EnterCase {
    RoutingState state;
    FocusKind focus;
    bool changed;
    EnterAction expected;
};

class EnterRouting : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterRouting, CommitsFirstThenFullScreen) {
    const EnterCase& c = GetParam();
    EXPECT_EQ(enterAction(c.state, c.focus, c.changed), c.expected);
}

RoutingState busyViewing() {
    RoutingState s = viewing();
    s.busy = true;
    return s;
}
RoutingState runningTuning() {
    RoutingState s = tuning(T::Colors);
    s.running = true;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnterRouting,
    ::testing::Values(
        EnterCase{viewing(), FocusKind::EditBox, true, EnterAction::CommitEditBox},
        EnterCase{viewing(), FocusKind::EditBox, false, EnterAction::Ignore},
        EnterCase{viewing(), FocusKind::Memo, true, EnterAction::Ignore},
        EnterCase{viewing(), FocusKind::Other, false, EnterAction::FullScreen},
        EnterCase{RoutingState{}, FocusKind::Other, false, EnterAction::Ignore},
        EnterCase{tuning(T::Colors), FocusKind::Other, false, EnterAction::FullScreen},
        EnterCase{tuning(T::Crop), FocusKind::Other, false, EnterAction::FullScreen},
        EnterCase{tuning(T::Text), FocusKind::Other, false, EnterAction::Ignore},
        EnterCase{tuning(T::Noise), FocusKind::Other, false, EnterAction::Ignore},
        EnterCase{tuning(T::Text), FocusKind::EditBox, true, EnterAction::CommitEditBox},
        EnterCase{busyViewing(), FocusKind::EditBox, true, EnterAction::Ignore},
        EnterCase{runningTuning(), FocusKind::Other, false, EnterAction::Ignore}));

TEST(KeyRouting, KeypadZoomOutsideWholeImageTabs) {
    EXPECT_TRUE(keypadZoomActs(viewing()));
    EXPECT_TRUE(keypadZoomActs(tuning(T::Sharpening)));
    EXPECT_FALSE(keypadZoomActs(tuning(T::Brightness)));
    EXPECT_FALSE(keypadZoomActs(busyViewing()));
    EXPECT_FALSE(keypadZoomActs(runningTuning()));
}

struct WheelCase {
    const char* what;
    RoutingState state;
    bool towardUser;
    bool shiftOrCtrl;
    WheelAction expected;
};

class WheelRouting : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelRouting, TurnsIntoTheRightKey) {
    const WheelCase& c = GetParam();
    EXPECT_EQ(wheelAction(c.state, c.towardUser, c.shiftOrCtrl), c.expected) << c.what;
}

RoutingState cropTab(bool on, bool fullScreen = false) {
    RoutingState s = tuning(T::Crop);
    s.cropOn = on;
    s.fullScreenShown = fullScreen;
    return s;
}
RoutingState viewingFit() {
    RoutingState s = viewing();
    s.viewingAtFitWindow = true;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WheelRouting,
    ::testing::Values(WheelCase{"shift down", tuning(T::Crop), true, true, W::PageDown},
                      WheelCase{"shift up", viewing(), false, true, W::PageUp},
                      WheelCase{"crop on, down", cropTab(true), true, false, W::StraightenRight},
                      WheelCase{"crop on, up", cropTab(true), false, false, W::StraightenLeft},
                      WheelCase{"crop off", cropTab(false), true, false, W::None},
                      WheelCase{"crop off, up", cropTab(false), false, false, W::None},
                      WheelCase{"crop under full screen", cropTab(true, true), true, false,
                                W::None},
                      WheelCase{"region tab down", tuning(T::Noise), true, false, W::ZoomOut},
                      WheelCase{"region tab up", tuning(T::CA), false, false, W::ZoomIn},
                      WheelCase{"whole-image tab down", tuning(T::Colors), true, false, W::None},
                      WheelCase{"whole-image tab up", tuning(T::Text), false, false, W::None},
                      WheelCase{"viewing down", viewing(), true, false, W::ZoomOut},
                      WheelCase{"viewing at fit, down", viewingFit(), true, false, W::None},
                      WheelCase{"viewing at fit, up", viewingFit(), false, false, W::ZoomIn},
                      WheelCase{"busy", busyViewing(), false, true, W::None},
                      WheelCase{"running", runningTuning(), true, false, W::None}));

}  // namespace
}  // namespace core
