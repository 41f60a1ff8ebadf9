#include "geometry_mapping.h"

#include <algorithm>
#include <cmath>

namespace dnr {

double barrelZoom(double k, double edgeRatio, bool autoCrop) {
    if (k == 0) return 1;
    if (!((autoCrop && k < 0) || (!autoCrop && k > 0))) return 1;
    const double r0 = (std::sqrt((1 - k) * (1 - k) + 4 * k * edgeRatio) - (1 - k)) / (2 * k);
    const double z0 = edgeRatio / r0;
    // Pictures only a few pixels across have no edge to keep (edge ratio 0 or below); no zoom.
    if (!std::isfinite(z0) || z0 <= 0) return 1;
    return z0;
}

GeometryMapping makeGeometryMapping(int32_t width, int32_t height, const ProcessingParams& p) {
    GeometryMapping m;
    m.cx = width / 2;
    m.cy = height / 2;
    const double cx = m.cx;
    const double cy = m.cy;
    m.radius = std::sqrt(cx * cx + cy * cy);
    const double edge = m.radius > 0 ? (std::min(m.cx, m.cy) - 1) / m.radius : 0;

    m.k = p.Barrel * 0.005;
    m.hp = p.HPerspective * 0.005;
    m.vp = p.VPerspective * 0.005;
    m.sq = p.Squeeze * 0.005;

    const bool autoCrop = p.AutoCrop == 1;
    const double z0 = barrelZoom(m.k, edge, autoCrop);

    m.hpA = m.hp > 0 ? 1 - m.hp : 1;
    m.vpA = m.vp > 0 ? 1 - m.vp : 1;
    m.hpW = m.hp / width;
    m.vpH = m.vp / height;

    double s = z0;
    if (autoCrop) {
        const double s1 = std::fabs(m.hp) * cy;
        const double z1 = (s1 + height) / (height - s1);
        const double s2 = std::fabs(m.vp) * cx;
        const double z2 = (s2 + width) / (width - s2);
        s = z0 * z1 * z2;
        m.scaleX = m.sq >= 0 ? s / (1 - m.sq) : s;
        m.scaleY = m.sq <= 0 ? s / (1 + m.sq) : s;
    } else {
        m.scaleX = m.sq <= 0 ? s * (1 + m.sq) : s;
        m.scaleY = m.sq >= 0 ? s * (1 - m.sq) : s;
    }
    return m;
}

MappedPoint mapBack(const GeometryMapping& m, int32_t i, int32_t j, bool withRadius) {
    const double x0 = (i - m.cx) / m.scaleX;
    const double y0 = (j - m.cy) / m.scaleY;
    double rn = 0;
    // A picture of one pixel has no half diagonal; its only pixel is the centre.
    if (withRadius && m.radius > 0) rn = std::sqrt(x0 * x0 + y0 * y0) / m.radius;
    double x = x0;
    double y = y0;
    if (m.k != 0) {
        const double f = rn * m.k + (1 - m.k);
        x = f * x0;
        y = f * y0;
    }
    if (m.vp != 0) x = x / ((m.cy + y0) * m.vpH + m.vpA);
    if (m.hp != 0) y = y / ((m.cx + x0) * m.hpW + m.hpA);
    return {m.cx + x, m.cy + y, rn};
}

int64_t toSubpixel(double v) {
    constexpr double kLimit = 1ll << 40;
    const double s = v * 256;
    if (std::isnan(s)) return 0;
    return static_cast<int64_t>(std::clamp(s, -kLimit, kLimit));
}

namespace {

int32_t mirrorInto(int64_t c, int32_t size) {
    if (c < 0) c = -c;
    if (c >= size) c = 2 * int64_t{size} - c - 1;
    return static_cast<int32_t>(std::clamp<int64_t>(c, 0, size - 1));
}

}  // namespace

BilinearTaps bilinearTaps(int64_t x256, int64_t y256, int32_t width, int32_t height) {
    BilinearTaps t;
    const int64_t x0 = x256 >> 8;
    const int64_t y0 = y256 >> 8;
    const uint32_t fx = static_cast<uint32_t>(x256 & 255);
    const uint32_t fy = static_cast<uint32_t>(y256 & 255);
    t.x[0] = mirrorInto(x0, width);
    t.x[1] = mirrorInto(x0 + 1, width);
    t.y[0] = mirrorInto(y0, height);
    t.y[1] = mirrorInto(y0 + 1, height);
    t.weight[0] = ((255 - fx) * (255 - fy)) >> 4;
    t.weight[1] = (fx * (255 - fy)) >> 4;
    t.weight[2] = ((255 - fx) * fy) >> 4;
    t.weight[3] = (fx * fy) >> 4;
    t.weightSum = std::max(t.weight[0] + t.weight[1] + t.weight[2] + t.weight[3], 1u);
    return t;
}

uint16_t sampleBilinear(const Plane& plane, const BilinearTaps& t) {
    const uint16_t* r0 = plane.row(t.y[0]);
    const uint16_t* r1 = plane.row(t.y[1]);
    const uint64_t sum = uint64_t{t.weight[0]} * r0[t.x[0]] + uint64_t{t.weight[1]} * r0[t.x[1]] +
                         uint64_t{t.weight[2]} * r1[t.x[0]] + uint64_t{t.weight[3]} * r1[t.x[1]];
    return static_cast<uint16_t>(sum / t.weightSum);
}

}  // namespace dnr
