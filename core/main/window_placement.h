// Where the main window and the floating tool windows appear at the first activation, from the
// stored window state, kept on the screen; and the state stored again when the program closes.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "core/settings/program_options.h"

namespace core {

// The size of the main window's form design, kept when no usable size is stored.
inline constexpr QSize kMainWindowDesignSize{760, 624};

struct MainWindowPlacement {
    bool maximized = false;
    QSize size = kMainWindowDesignSize;
    std::optional<QPoint> topLeft;  // none: where the window system puts it
};

// Maximized when stored so; otherwise the stored left and top when >= -31999, the width when
// > 729 and the height when > 539, then made to fit the available screen area: no larger than
// it, and moved inside it (a screen that is gone must not hide the window).
MainWindowPlacement placeMainWindow(const ProgramOptions& options, const QRect& availableScreen);

// A floating tool window's stored place, or none when it was never placed (-1 coordinates) or
// is too small to show; kept on the screen like the main window.
std::optional<QRect> placeFloatingWindow(const FloatingWindowPlace& place,
                                         const QRect& availableScreen);

// The rectangle moved (and shrunk when it must be) to lie inside the area.
QRect keepOnScreen(const QRect& window, const QRect& availableScreen);

// What the close stores: the maximized flag always; the size and place (the normal, not
// maximized, geometry) only when the window is not minimized.
void storeMainWindowState(ProgramOptions& options, bool maximized, bool minimized,
                          const QRect& normalGeometry);

}  // namespace core
