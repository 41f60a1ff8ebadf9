#include "core/preview/area_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace core {

bool AreaDrawing::hasSize() const {
    if (kind == AreaKind::Rectangle) return dx != 0 && dy != 0;
    const EllipseSize e = ellipse();
    return e.width > 0 && e.height > 0;
}

PixelRect AreaDrawing::outline() const {
    if (kind == AreaKind::Rectangle)
        return {std::min(start.x, start.x + dx), std::min(start.y, start.y + dy), std::abs(dx),
                std::abs(dy)};
    const EllipseSize e = ellipse();
    return {start.x - e.width / 2, start.y - e.height / 2, e.width, e.height};
}

AreaDrawing areaFollowing(AreaDrawing drawing, PicturePoint pointer) {
    drawing.dx = pointer.x - drawing.start.x;
    drawing.dy = pointer.y - drawing.start.y;
    return drawing;
}

int32_t areaScreenMargin(int32_t paneWidth, int32_t pictureWidth) {
    if (pictureWidth <= 0) return 1;
    return std::max<int32_t>(1, int32_t(std::lround(2.0 * paneWidth / pictureWidth)));
}

namespace {

// The rectangle's centre along one axis.
int32_t rectangleCentre(int32_t start, int32_t d) {
    if (d >= 0) return start + d / 2 + 1;
    const int32_t a = -d;
    return start + 1 - (a + 1) / 2;
}

}  // namespace

std::optional<XcludedArea> finishedArea(const AreaDrawing& drawing) {
    if (!drawing.hasSize()) return std::nullopt;
    XcludedArea area{};
    area.Kind = static_cast<int32_t>(drawing.kind);
    if (drawing.kind == AreaKind::Ellipse) {
        const EllipseSize e = drawing.ellipse();
        area.CenterX = drawing.start.x;
        area.CenterY = drawing.start.y;
        area.AreaWidth = e.width + 4;
        area.AreaHeight = e.height + 4;
    } else {
        area.CenterX = rectangleCentre(drawing.start.x, drawing.dx);
        area.CenterY = rectangleCentre(drawing.start.y, drawing.dy);
        area.AreaWidth = std::abs(drawing.dx) + 4;
        area.AreaHeight = std::abs(drawing.dy) + 4;
    }
    return area;
}

}  // namespace core
