// What the main window does with a key or a mouse-wheel turn before any control sees it: whether
// Space and Backspace go to the previous/next commands, what Enter does, whether the numeric-pad
// zoom keys act, and what a wheel turn turns into.
#pragma once

#include <optional>

#include "core/preview/preview_tabs.h"

namespace core {

// The kind of control that holds the keyboard focus.
enum class FocusKind { Other, EditBox, Memo };

// Space (next) and Backspace (previous) act as commands only when no edit box or memo has the
// focus; otherwise the control gets the key (a blank in the caption box).
bool stepKeysGoToCommands(FocusKind focus);

struct RoutingState {
    bool busy = false;
    bool running = false;
    bool tuningMode = false;
    std::optional<PreviewTab> tab;    // active tab sheet
    bool fullScreenShown = false;     // the full-screen preview window is open
    bool viewingAtFitWindow = false;  // cmbZoom is at item 0 in the viewing mode
    bool cropOn = false;              // the crop tab's crop is switched on
    bool sourceHasSize = false;       // a source of positive width and height
};

enum class EnterAction {
    Ignore,         // busy, running, or a memo / unchanged-edit situation that takes no action
    CommitEditBox,  // the focused edit box's text changed: the focus leaves it, nothing else
    FullScreen,     // open the full-screen preview
};

// focus: the focused control; editChanged: an edit box has the focus and its text differs from
// the text it had when it got the focus.
EnterAction enterAction(const RoutingState& state, FocusKind focus, bool editChanged);

// Numeric-pad + and −: ignored while busy or running and on whole-image tabs in the tuning mode.
bool keypadZoomActs(const RoutingState& state);

enum class WheelAction {
    None,      // leave the turn to the control under the pointer
    PageDown,  // key press for the focused control
    PageUp,
    StraightenRight,  // +0.5 degree, as sbRotateCropRight
    StraightenLeft,   // −0.5 degree, as sbRotateCropLeft
    ZoomOut,          // numeric-pad −
    ZoomIn,           // numeric-pad +
};

// towardUser: the wheel turned toward the user (scrolling down); shiftOrCtrl: either is held.
// Turns over the help panel and the navigator are the caller's before this is asked.
WheelAction wheelAction(const RoutingState& state, bool towardUser, bool shiftOrCtrl);

}  // namespace core
