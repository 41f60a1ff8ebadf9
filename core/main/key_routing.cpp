#include "core/main/key_routing.h"

namespace core {

namespace {

bool onCropTab(const RoutingState& s) {
    return s.tuningMode && !s.fullScreenShown && s.tab == PreviewTab::Crop;
}

bool onRegionTab(const RoutingState& s) {
    return s.tuningMode && s.tab && !isWholeImageTab(*s.tab);
}

}  // namespace

bool stepKeysGoToCommands(FocusKind focus) {
    return focus == FocusKind::Other;
}

EnterAction enterAction(const RoutingState& state, FocusKind focus, bool editChanged) {
    if (state.busy || state.running) return EnterAction::Ignore;
    if (focus == FocusKind::EditBox && editChanged) return EnterAction::CommitEditBox;
    if (focus != FocusKind::Other) return EnterAction::Ignore;
    const bool allowed = state.tuningMode ? state.tab && isWholeImageTab(*state.tab) &&
                                                *state.tab != PreviewTab::Text
                                          : state.sourceHasSize;
    return allowed ? EnterAction::FullScreen : EnterAction::Ignore;
}

bool keypadZoomActs(const RoutingState& state) {
    if (state.busy || state.running) return false;
    return !(state.tuningMode && state.tab && isWholeImageTab(*state.tab));
}

WheelAction wheelAction(const RoutingState& state, bool towardUser, bool shiftOrCtrl) {
    if (state.busy || state.running) return WheelAction::None;
    if (shiftOrCtrl) return towardUser ? WheelAction::PageDown : WheelAction::PageUp;
    if (onCropTab(state)) {
        if (!state.cropOn) return WheelAction::None;
        return towardUser ? WheelAction::StraightenRight : WheelAction::StraightenLeft;
    }
    if (towardUser) {
        const bool outsideWholeImageTab = !state.tuningMode || onRegionTab(state);
        if (outsideWholeImageTab && !(!state.tuningMode && state.viewingAtFitWindow))
            return WheelAction::ZoomOut;
        return WheelAction::None;
    }
    if (!state.tuningMode || onRegionTab(state)) return WheelAction::ZoomIn;
    return WheelAction::None;
}

}  // namespace core
