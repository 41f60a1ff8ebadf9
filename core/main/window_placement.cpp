#include "core/main/window_placement.h"

#include <algorithm>

namespace core {

namespace {

constexpr int32_t kLowestStoredPlace = -31999;  // -32000 means "never stored"
constexpr int32_t kNarrowestStoredWidth = 729;  // stored widths up to this are ignored
constexpr int32_t kLowestStoredHeight = 539;

}  // namespace

QRect keepOnScreen(const QRect& window, const QRect& screen) {
    if (!screen.isValid()) return window;
    const int width = std::min(window.width(), screen.width());
    const int height = std::min(window.height(), screen.height());
    const int left =
        std::clamp(window.left(), screen.left(), screen.left() + screen.width() - width);
    const int top = std::clamp(window.top(), screen.top(), screen.top() + screen.height() - height);
    return QRect(left, top, width, height);
}

MainWindowPlacement placeMainWindow(const ProgramOptions& options, const QRect& screen) {
    MainWindowPlacement placement;
    if (options.mainMaximized != 0) {
        placement.maximized = true;
        return placement;
    }
    if (options.mainWidth > kNarrowestStoredWidth) placement.size.setWidth(options.mainWidth);
    if (options.mainHeight > kLowestStoredHeight) placement.size.setHeight(options.mainHeight);
    const bool leftStored = options.mainLeft >= kLowestStoredPlace;
    const bool topStored = options.mainTop >= kLowestStoredPlace;
    if (!screen.isValid()) {
        if (leftStored && topStored) placement.topLeft = QPoint(options.mainLeft, options.mainTop);
        return placement;
    }
    placement.size = placement.size.boundedTo(screen.size());
    if (leftStored || topStored) {
        // A place stored for one axis only keeps the other centred.
        const QPoint centred(screen.left() + (screen.width() - placement.size.width()) / 2,
                             screen.top() + (screen.height() - placement.size.height()) / 2);
        const QRect wanted(QPoint(leftStored ? options.mainLeft : centred.x(),
                                  topStored ? options.mainTop : centred.y()),
                           placement.size);
        placement.topLeft = keepOnScreen(wanted, screen).topLeft();
    }
    return placement;
}

std::optional<QRect> placeFloatingWindow(const FloatingWindowPlace& place, const QRect& screen) {
    if (place.left == -1 || place.top == -1 || place.width <= 0 || place.height <= 0)
        return std::nullopt;
    return keepOnScreen(QRect(place.left, place.top, place.width, place.height), screen);
}

void storeMainWindowState(ProgramOptions& options, bool maximized, bool minimized,
                          const QRect& normalGeometry) {
    options.mainMaximized = maximized ? 1 : 0;
    if (minimized) return;
    options.mainWidth = normalGeometry.width();
    options.mainHeight = normalGeometry.height();
    options.mainLeft = normalGeometry.left();
    options.mainTop = normalGeometry.top();
}

}  // namespace core
