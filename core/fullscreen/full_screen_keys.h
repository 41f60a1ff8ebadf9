// What a key does in the full-screen preview. The window takes every key first; a key that is not
// a command closes it, but a modifier key alone (or a modifier with a key that is no command)
// does nothing, so that reaching for Ctrl does not end the preview.
#pragma once

#include <Qt>

#include "core/fullscreen/full_screen_mode.h"

namespace core {

enum class FullScreenKey {
    None,
    Close,
    RotateCounterClockwise,  // Ctrl+L
    RotateClockwise,         // Ctrl+R
    NextImage,               // Space
    PreviousImage,           // Backspace
    SliderUp,                // Page Up
    SliderDown,              // Page Down
};

// buttonHeld: the left or the right mouse button is down (then no key acts).
FullScreenKey fullScreenKey(FullScreenMode mode, int key, Qt::KeyboardModifiers modifiers,
                            bool buttonHeld);

// Stepping through the folder while the result is shown (and the main window could step) asks
// first, since the result would be lost.
bool stepAsksFirst(FullScreenKey key, ShownKind shown, bool stepCommandEnabled);

// The kind Show is asked for after a command: the new picture's source after stepping, the kind
// on screen after turning and slider steps.
ShownKind shownAfter(FullScreenKey key, ShownKind shown);

// A slider step moves the slider only without Ctrl and Alt; with them it only reprocesses.
bool sliderStepMoves(Qt::KeyboardModifiers modifiers);

}  // namespace core
