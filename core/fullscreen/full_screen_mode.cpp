#include "core/fullscreen/full_screen_mode.h"

namespace core {

FullScreenMode fullScreenModeOf(bool tuningView, std::optional<PreviewTab> tab) {
    if (!tuningView || !tab) return FullScreenMode::Plain;
    switch (*tab) {
        case PreviewTab::Colors:
        case PreviewTab::Brightness:
            return FullScreenMode::Adjust;
        case PreviewTab::Crop:
            return FullScreenMode::Crop;
        case PreviewTab::Distortions:
            return FullScreenMode::Distortion;
        default:
            return FullScreenMode::Plain;
    }
}

bool fullScreenMayOpen(bool busy, bool tuningView, std::optional<PreviewTab> tab, int width,
                       int height) {
    if (busy) return false;
    if (!tuningView) return width >= 1 && height >= 1;
    return fullScreenModeOf(true, tab) != FullScreenMode::Plain;
}

ShownKind shownKindFor(ShownKind requested, FullScreenMode mode, bool resultPresent) {
    if (requested != ShownKind::Automatic) return requested;
    if ((resultPresent && mode != FullScreenMode::Crop) || reprocesses(mode))
        return ShownKind::Result;
    return ShownKind::Source;
}

}  // namespace core
