#include "core/preview/red_eye_box.h"

#include <cmath>
#include <cstdlib>

namespace core {

EllipseSize pulledEllipse(int32_t dx, int32_t dy) {
    if (dx == 0 || dy == 0) return {};
    const int32_t width = madeOdd(int32_t(std::lround(2.0 * std::sqrt(2.0) * std::abs(dx))));
    const int32_t height = madeOdd(int32_t(std::lround(width * std::abs(double(dy) / double(dx)))));
    return {width, height};
}

EyeBox eyeBoxAt(int32_t startX, int32_t startY, int32_t x, int32_t y) {
    return {startX, startY, pulledEllipse(x - startX, y - startY)};
}

bool eyeBoxVisible(const EyeBox& box, PictureSize pane, int32_t regionWidth) {
    if (pane.width <= 0) return false;
    return double(regionWidth) * box.size.width / pane.width >= 3.0;
}

bool eyeBoxOutsidePane(const EyeBox& box, PictureSize pane) {
    if (box.size.width <= 0) return false;
    const PixelRect r = box.rect();
    return r.left < 0 || r.top < 0 || r.left + r.width > pane.width ||
           r.top + r.height > pane.height;
}

std::optional<RedEyeEntry> redEyeEntryForBox(const EyeBox& box, PictureSize pane,
                                             const PixelRect& region, int32_t darkening,
                                             int32_t pupilSize) {
    if (pane.width <= 0 || pane.height <= 0 || eyeBoxOutsidePane(box, pane)) return std::nullopt;
    const double sx = double(region.width) / pane.width;
    const double sy = double(region.height) / pane.height;
    RedEyeEntry e{};
    e.EyeX = int32_t(std::lround((box.startX * sx + region.left) * 1000.0));
    e.EyeY = int32_t(std::lround((box.startY * sy + region.top) * 1000.0));
    e.EyeWidth = int32_t(std::lround(1000.0 * sx * box.size.width));
    e.EyeHeight = int32_t(std::lround(1000.0 * sy * box.size.height));
    e.Darkening = darkening;
    e.PupilSize = pupilSize;
    return e;
}

}  // namespace core
