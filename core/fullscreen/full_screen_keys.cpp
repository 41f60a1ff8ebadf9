#include "core/fullscreen/full_screen_keys.h"

namespace core {

namespace {

constexpr Qt::KeyboardModifiers kHeld = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

}  // namespace

FullScreenKey fullScreenKey(FullScreenMode mode, int key, Qt::KeyboardModifiers modifiers,
                            bool buttonHeld) {
    if (buttonHeld) return FullScreenKey::None;
    const Qt::KeyboardModifiers held = modifiers & kHeld;
    const bool ctrl = held.testFlag(Qt::ControlModifier);
    if (mode == FullScreenMode::Plain) {
        if (ctrl) {
            if (key == Qt::Key_L) return FullScreenKey::RotateCounterClockwise;
            if (key == Qt::Key_R) return FullScreenKey::RotateClockwise;
            return FullScreenKey::None;
        }
        if (key == Qt::Key_Space) return FullScreenKey::NextImage;
        if (key == Qt::Key_Backspace) return FullScreenKey::PreviousImage;
    }
    if (reprocesses(mode)) {
        if (key == Qt::Key_PageUp) return FullScreenKey::SliderUp;
        if (key == Qt::Key_PageDown) return FullScreenKey::SliderDown;
    }
    // A modifier key pressed alone may not report itself as held yet.
    const bool modifierKey = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
                             key == Qt::Key_Meta || key == Qt::Key_AltGr;
    return held || modifierKey ? FullScreenKey::None : FullScreenKey::Close;
}

bool stepAsksFirst(FullScreenKey key, ShownKind shown, bool stepCommandEnabled) {
    return (key == FullScreenKey::NextImage || key == FullScreenKey::PreviousImage) &&
           shown == ShownKind::Result && stepCommandEnabled;
}

ShownKind shownAfter(FullScreenKey key, ShownKind shown) {
    if (key == FullScreenKey::NextImage || key == FullScreenKey::PreviousImage)
        return ShownKind::Source;
    return shown;
}

bool sliderStepMoves(Qt::KeyboardModifiers modifiers) {
    return !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace core
