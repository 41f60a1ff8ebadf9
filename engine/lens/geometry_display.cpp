#include "geometry_display.h"

namespace dnr {

CompareLayout::CompareLayout(int32_t width, int32_t height, int32_t cx, int32_t cy)
    : width_(width),
      height_(height),
      cx_(cx),
      cy_(cy),
      a_(static_cast<int32_t>((int64_t{3} * cy * 256) >> 10)),
      d_(static_cast<int32_t>((int64_t{3} * cx * 256) >> 10)) {}

CompareLayout::Places CompareLayout::places(int32_t i, int32_t j) const {
    const auto u = static_cast<int32_t>((int64_t{i - cx_} * 768) >> 10);
    const auto v = static_cast<int32_t>((int64_t{j - cy_} * 768) >> 10);
    const int32_t x1 = cx_ + u;
    const int32_t y1 = cy_ + v;
    const int32_t x2 = u > 0 ? 2 * d_ - u + cx_ - 1 : cx_ - 2 * d_ - u;
    const int32_t y2 = v > 0 ? 2 * a_ - v + cy_ - 1 : cy_ - 2 * a_ - v;
    const bool x2Inside = x2 >= 0 && x2 < width_;
    const bool y2Inside = y2 >= 0 && y2 < height_;
    Places p;
    auto put = [&p](int32_t x, int32_t y) {
        p.x[p.count] = x;
        p.y[p.count] = y;
        ++p.count;
    };
    if (x2Inside) {
        put(x2, y1);
        // The corner mirror needs both coordinates inside: near the middle rows y2 falls
        // outside the picture even when x2 does not.
        if (y2Inside) put(x2, y2);
    }
    if (y2Inside) put(x1, y2);
    put(x1, y1);
    return p;
}

namespace {

void invertDot(PlaneSet& planes, int32_t x, int32_t y) {
    for (Plane& plane : planes.planes) {
        uint16_t& s = plane.row(y)[x];
        s = static_cast<uint16_t>(~s);
    }
}

}  // namespace

void drawDottedGrid(PlaneSet& planes) {
    const int32_t w = planes.width();
    const int32_t h = planes.height();
    for (int32_t k = 0; k <= 10; ++k) {
        const int32_t y = k * (h - 1) / 10;
        for (int32_t x = 1; x < w; x += 8)
            invertDot(planes, x, y);
    }
    for (int32_t k = 0; k <= 10; ++k) {
        const int32_t x = k * (w - 1) / 10;
        for (int32_t y = 1; y < h; y += 8)
            invertDot(planes, x, y);
    }
}

}  // namespace dnr
