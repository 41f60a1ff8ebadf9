#include "core/crop/crop_view_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core {

namespace {

constexpr int32_t kLeastSelectionMargin = 20;

bool near(double a, double b) {
    return std::fabs(a - b) <= kFrameHandleSize;
}

bool movesLeft(CropGrip g) {
    return g == CropGrip::Left || g == CropGrip::TopLeft || g == CropGrip::BottomLeft;
}
bool movesRight(CropGrip g) {
    return g == CropGrip::Right || g == CropGrip::TopRight || g == CropGrip::BottomRight;
}
bool movesTop(CropGrip g) {
    return g == CropGrip::Top || g == CropGrip::TopLeft || g == CropGrip::TopRight;
}
bool movesBottom(CropGrip g) {
    return g == CropGrip::Bottom || g == CropGrip::BottomLeft || g == CropGrip::BottomRight;
}

}  // namespace

QRect selectionArea(const CropFrame& f, int32_t imageWidth, int32_t imageHeight) {
    const int32_t margin = std::max(kLeastSelectionMargin, std::max(f.width, f.height) / 10);
    const QRect image(0, 0, imageWidth, imageHeight);
    if (f.empty()) return image;
    return QRect(f.left - margin, f.top - margin, f.width + 2 * margin, f.height + 2 * margin)
        .intersected(image);
}

QRectF CropViewMapping::toScreen(const CropFrame& f) const {
    const QPointF topLeft = toScreen(QPointF(f.left, f.top));
    return QRectF(topLeft, QSizeF(f.width * scale, f.height * scale));
}

CropViewMapping fitAreaIntoView(const QRectF& area, const QSizeF& view) {
    CropViewMapping m;
    m.areaOrigin = area.topLeft();
    if (area.width() <= 0 || area.height() <= 0 || view.width() <= 0 || view.height() <= 0)
        return m;
    m.scale = std::min(view.width() / area.width(), view.height() / area.height());
    m.offset = QPointF((view.width() - area.width() * m.scale) / 2.0,
                       (view.height() - area.height() * m.scale) / 2.0);
    return m;
}

CropGrip gripAt(const QRectF& r, QPointF p) {
    const QRectF reach =
        r.adjusted(-kFrameHandleSize, -kFrameHandleSize, kFrameHandleSize, kFrameHandleSize);
    if (!reach.contains(p)) return CropGrip::None;
    const bool left = near(p.x(), r.left()), right = near(p.x(), r.right());
    const bool top = near(p.y(), r.top()), bottom = near(p.y(), r.bottom());
    const bool midX = near(p.x(), r.center().x()), midY = near(p.y(), r.center().y());
    if (top && left) return CropGrip::TopLeft;
    if (top && right) return CropGrip::TopRight;
    if (bottom && left) return CropGrip::BottomLeft;
    if (bottom && right) return CropGrip::BottomRight;
    if (left && midY) return CropGrip::Left;
    if (right && midY) return CropGrip::Right;
    if (top && midX) return CropGrip::Top;
    if (bottom && midX) return CropGrip::Bottom;
    return r.contains(p) ? CropGrip::Move : CropGrip::None;
}

CropFrame draggedFrame(const CropFrame& s, CropGrip grip, double dx, double dy,
                       const CropProportion& proportion, PixelSize minimum, int32_t imageWidth,
                       int32_t imageHeight) {
    if (grip == CropGrip::None) return s;
    if (grip == CropGrip::Move) {
        CropFrame f = s;
        f.left = std::clamp(roundToInt(s.left + dx), 0, std::max(0, imageWidth - s.width));
        f.top = std::clamp(roundToInt(s.top + dy), 0, std::max(0, imageHeight - s.height));
        return f;
    }
    const int32_t right = s.left + s.width, bottom = s.top + s.height;
    const bool sideways = movesLeft(grip) || movesRight(grip);
    const bool upDown = movesTop(grip) || movesBottom(grip);
    // The room the frame may take: up to the picture's edge from the side that stays.
    const int32_t roomW = movesLeft(grip)    ? right
                          : movesRight(grip) ? imageWidth - s.left
                                             : imageWidth;
    const int32_t roomH = movesTop(grip)      ? bottom
                          : movesBottom(grip) ? imageHeight - s.top
                                              : imageHeight;
    double w = s.width, h = s.height;
    if (movesLeft(grip)) w -= dx;
    if (movesRight(grip)) w += dx;
    if (movesTop(grip)) h -= dy;
    if (movesBottom(grip)) h += dy;
    w = std::max(w, double(minimum.width));
    h = std::max(h, double(minimum.height));
    int32_t wi = roundToInt(w), hi = roundToInt(h);
    // An edge changes one side; the other follows the proportion.
    if (!proportion.free() && sideways && !upDown) hi = roundToInt(wi / proportion.ratio());
    if (!proportion.free() && upDown && !sideways) wi = roundToInt(hi * proportion.ratio());
    const PixelSize size = snapFrameSize(wi, hi, proportion, std::max(roomW, kMinimumFrameSide),
                                         std::max(roomH, kMinimumFrameSide));
    CropFrame f{size.width, size.height, s.left, s.top};
    if (movesLeft(grip)) f.left = right - f.width;
    if (movesTop(grip)) f.top = bottom - f.height;
    if (!sideways) f.left = roundToInt(s.left + (s.width - f.width) / 2.0);
    if (!upDown) f.top = roundToInt(s.top + (s.height - f.height) / 2.0);
    f.width = std::min(f.width, imageWidth);
    f.height = std::min(f.height, imageHeight);
    f.left = std::clamp(f.left, 0, std::max(0, imageWidth - f.width));
    f.top = std::clamp(f.top, 0, std::max(0, imageHeight - f.height));
    return f;
}

double pointerTurn(QPointF c, QPointF from, QPointF to) {
    // The screen's rows count downwards; angles are taken with the vertical axis turned up.
    const double a1 = std::atan2(-(from.y() - c.y()), from.x() - c.x());
    const double a2 = std::atan2(-(to.y() - c.y()), to.x() - c.x());
    double change = (a2 - a1) * 180.0 / std::numbers::pi;
    while (change > 180.0)
        change -= 360.0;
    while (change <= -180.0)
        change += 360.0;
    // Counter-clockwise is positive with the axis up; the picture's angle counts clockwise.
    if (change == 0.0) return 0.0;
    return change == 180.0 ? 180.0 : -change;
}

}  // namespace core
