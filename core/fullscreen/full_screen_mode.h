// What the full-screen preview shows depends on where the user was when it opened: the viewing
// mode, or the tuning view on one of the tabs that show the whole picture.
#pragma once

#include <optional>

#include "core/preview/preview_tabs.h"

namespace core {

enum class FullScreenMode {
    Plain,       // the viewing mode: source or result, stepping and turning
    Adjust,      // the Colours or Brightness tab: a screen-sized copy processed again
    Distortion,  // the Distortions tab: the same
    Crop,        // the Crop tab: the straightened and cropped picture
};

// How the crop mode sizes its picture.
enum class CropDisplayKind { Fit = 0, RealSize = 1 };

// What the window shows; Automatic only as a request.
enum class ShownKind { Automatic = 0, Source = 1, Result = 2 };

// The mode for the main window's state; tab is the tuning view's active tab.
FullScreenMode fullScreenModeOf(bool tuningView, std::optional<PreviewTab> tab);

// The full-screen command may open: not while busy; in the viewing mode with a picture of at least
// 1 x 1; in the tuning view only on the Colours, Brightness, Distortions and Crop tabs.
bool fullScreenMayOpen(bool busy, bool tuningView, std::optional<PreviewTab> tab, int width,
                       int height);

// Adjust and distortion modes process the screen copy and offer the slider keys.
inline bool reprocesses(FullScreenMode mode) {
    return mode == FullScreenMode::Adjust || mode == FullScreenMode::Distortion;
}

// The kind Show draws: the requested one, or automatically the result when the result slot holds
// a picture (outside the crop mode) or the mode processes its own result; else the source.
ShownKind shownKindFor(ShownKind requested, FullScreenMode mode, bool resultPresent);

}  // namespace core
