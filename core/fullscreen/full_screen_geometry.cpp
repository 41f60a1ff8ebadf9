#include "core/fullscreen/full_screen_geometry.h"

#include <algorithm>
#include <cmath>

namespace core {

std::optional<ViewPlacement> fitIntoPanel(int width, int height, int panelWidth, int panelHeight) {
    if (width < 1 || height < 1 || panelWidth < 1 || panelHeight < 1) return std::nullopt;
    const double s = std::min(double(panelWidth) / width, double(panelHeight) / height);
    ViewPlacement v;
    v.width = static_cast<int>(std::lround(width * s));
    v.height = static_cast<int>(std::lround(height * s));
    v.left = std::max(0, static_cast<int>(std::lround((panelWidth - v.width) / 2.0)));
    v.top = std::max(0, static_cast<int>(std::lround((panelHeight - v.height) / 2.0)));
    return v;
}

ViewPlacement centreInPanel(int width, int height, int panelWidth, int panelHeight) {
    ViewPlacement v{0, 0, width, height};
    if (width <= panelWidth) v.left = (panelWidth - width) / 2;
    if (height <= panelHeight) v.top = (panelHeight - height) / 2;
    return v;
}

float screenCopyFactor(int width, int height, int viewWidth, int viewHeight) {
    if (width < 1 || height < 1) return 1.0f;
    return std::min(float(viewHeight) / float(height), float(viewWidth) / float(width));
}

std::optional<PixelSize> screenCopySize(int width, int height, float factor) {
    if (factor >= 0.8f && factor <= 1.2f) return std::nullopt;
    return PixelSize{std::max(1, static_cast<int>(std::lround(width * factor))),
                     std::max(1, static_cast<int>(std::lround(height * factor)))};
}

std::optional<PixelSize> screenCopySizeForPanel(int width, int height, int panelWidth,
                                                int panelHeight) {
    const std::optional<ViewPlacement> view = fitIntoPanel(width, height, panelWidth, panelHeight);
    if (!view) return std::nullopt;
    return screenCopySize(width, height,
                          screenCopyFactor(width, height, view->width, view->height));
}

}  // namespace core
