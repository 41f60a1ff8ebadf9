#include "exposure_merge.h"

#include <algorithm>
#include <cmath>

#include "colour_space.h"
#include "progress.h"

namespace dnr {
namespace {

constexpr double kRadiansPerDegree = 0.01745327777777778;

// Luma levels a ratio sample and a cost pair must lie in: away from clipping and deep shadow.
constexpr int32_t kRatioLow = 2560, kRatioHigh = 62720;
constexpr int32_t kCostLow = 1280, kCostHigh = 64000;

int32_t lumaOf(int32_t r, int32_t g, int32_t b) {
    return clamp16((1225 * r + 2404 * g + 467 * b) >> 12);
}

// A row step that still visits at least every row of a tiny picture.
int32_t rowStep(const Plane& p, int64_t areaDivisor) {
    const int64_t step =
        std::max<int64_t>(p.height / 10, int64_t{p.width} * p.height / areaDivisor);
    return static_cast<int32_t>(std::max<int64_t>(step, 1));
}

// The sampling geometry in 16.16 fixed point.
struct Geometry {
    int64_t cosine, sine;  // Scale * cos, Scale * sin, times 65536
    int64_t centreX, centreY;
    int64_t shiftX, shiftY;

    Geometry(const MergeAlignment& a, int32_t width, int32_t height)
        : cosine(static_cast<int64_t>(a.Scale * std::cos(a.Angle * kRadiansPerDegree) * 65536.0)),
          sine(static_cast<int64_t>(a.Scale * std::sin(a.Angle * kRadiansPerDegree) * 65536.0)),
          centreX(width / 2),
          centreY(height / 2),
          shiftX(a.ShiftX),
          shiftY(a.ShiftY) {}

    void sample(int32_t x, int32_t y, int64_t& sx, int64_t& sy) const {
        const int64_t dx = x + shiftX - centreX;
        const int64_t dy = y + shiftY - centreY;
        sx = centreX * 65536 + cosine * dx - sine * dy;
        sy = centreY * 65536 + sine * dx + cosine * dy;
    }
};

// A search range in units, rounded to the nearest multiple of 64.
int32_t roundedRange(int64_t units) {
    return static_cast<int32_t>(((units + 31) / 64) * 64);
}

}  // namespace

bool lumaPlane(const View& view, Plane& luma) {
    if (!luma.allocate(view.width, view.height)) return false;
    for (int32_t y = 0; y < view.height; ++y) {
        uint16_t* row = luma.row(y);
        for (int32_t x = 0; x < view.width; ++x)
            row[x] = static_cast<uint16_t>(
                lumaOf(view.sample(x, y, 2), view.sample(x, y, 1), view.sample(x, y, 0)));
    }
    return true;
}

double brightnessRatio(const Plane& first, const Plane& second) {
    const int32_t step = rowStep(first, 10000);
    uint64_t sumFirst = 0, sumSecond = 0;
    for (int32_t y = 0; y < first.height; y += step) {
        const uint16_t* a = first.row(y);
        const uint16_t* b = second.row(y);
        for (int32_t x = 0; x < first.width; ++x) {
            if (a[x] < kRatioLow || a[x] > kRatioHigh || b[x] < kRatioLow || b[x] > kRatioHigh)
                continue;
            sumFirst += a[x];
            sumSecond += b[x];
        }
    }
    if (sumFirst == 0) return 1.0;
    return double(sumSecond) / double(sumFirst);
}

int64_t alignmentCost(const Plane& first, const Plane& second, const MergeAlignment& a) {
    const Geometry g(a, first.width, first.height);
    const int64_t exposure = static_cast<int64_t>(1024.0 / a.Ratio);
    const int32_t step = rowStep(first, 100000);
    int64_t sum = 0, count = 0;
    for (int32_t y = 0; y < first.height; y += step) {
        const uint16_t* a1 = first.row(y);
        for (int32_t x = 0; x < first.width; ++x) {
            int64_t sx, sy;
            g.sample(x, y, sx, sy);
            sx >>= 16;
            sy >>= 16;
            if (sx < 0 || sy < 0 || sx >= second.width || sy >= second.height) continue;
            const int64_t v1 = a1[x];
            const int64_t v2 = (second.row(int32_t(sy))[sx] * exposure) >> 10;
            if (v1 < kCostLow || v1 > kCostHigh || v2 < kCostLow || v2 > kCostHigh) continue;
            sum += v1 > v2 ? v1 - v2 : v2 - v1;
            ++count;
        }
    }
    return count ? sum / count : kNoOverlapCost;
}

MergeAlignment searchAlignment(const Plane& first, const Plane& second) {
    const double measured = brightnessRatio(first, second);
    // Search units: pixels for the shifts, the turn and scale change that move the picture's
    // edge by about a pixel, hundredths for the ratio.
    const int32_t edge = std::max(first.width, first.height) / 2;
    const double angleUnit = edge > 0 ? 1.0 / (edge * kRadiansPerDegree) : 0.0;  // degrees
    const double scaleUnit = edge > 0 ? 1.0 / edge : 0.0;
    constexpr int kRatio = 0, kShiftX = 1, kShiftY = 2, kAngle = 3, kScale = 4;
    int32_t range[5] = {
        roundedRange(10),
        roundedRange(int64_t{first.width} * 3 / 100),
        roundedRange(int64_t{first.height} * 3 / 100),
        roundedRange(static_cast<int64_t>(edge * kRadiansPerDegree)),  // one degree
        roundedRange(0),
    };
    auto alignmentOf = [&](const int32_t(&u)[5]) {
        MergeAlignment a;
        a.Ratio = measured + u[kRatio] * 0.01;
        a.ShiftX = u[kShiftX];
        a.ShiftY = u[kShiftY];
        a.Angle = u[kAngle] * angleUnit;
        a.Scale = 1.0 + u[kScale] * scaleUnit;
        return a;
    };

    int32_t best[5] = {0, 0, 0, 0, 0};
    // A flag already raised when the search starts keeps the starting parameters, not the first
    // candidate, which has been compared with nothing.
    bool aborted = abortRequested();
    int32_t s = 64;
    while (!aborted && std::any_of(range, range + 5, [](int32_t r) { return r > 0; })) {
        int32_t around[5];
        std::copy(best, best + 5, around);
        int64_t bestCost = kNoOverlapCost;
        int32_t u[5];
        // Ratio outermost, then the shifts, the angle and the scale; the first of equal costs
        // is kept.
        for (int32_t d0 = -range[0]; d0 <= range[0] && !aborted; d0 += s)
            for (int32_t d1 = -range[1]; d1 <= range[1] && !aborted; d1 += s)
                for (int32_t d2 = -range[2]; d2 <= range[2] && !aborted; d2 += s)
                    for (int32_t d3 = -range[3]; d3 <= range[3] && !aborted; d3 += s)
                        for (int32_t d4 = -range[4]; d4 <= range[4] && !aborted; d4 += s) {
                            u[0] = around[0] + d0;
                            u[1] = around[1] + d1;
                            u[2] = around[2] + d2;
                            u[3] = around[3] + d3;
                            u[4] = around[4] + d4;
                            const int64_t cost = alignmentCost(first, second, alignmentOf(u));
                            if (cost < bestCost) {
                                bestCost = cost;
                                std::copy(u, u + 5, best);
                            }
                            aborted = abortRequested();
                        }
        s /= 2;
        for (int32_t& r : range)
            r = std::min(r, s);
    }
    return alignmentOf(best);
}

void blendExposures(const View& first, const PlaneSet& second, const Plane& firstLuma,
                    const MergeAlignment& a, const View& output) {
    const Geometry g(a, first.width, first.height);
    int64_t ka, kb;
    const bool secondBrighter = a.Ratio > 1.0;
    if (secondBrighter) {
        ka = 1024;
        kb = static_cast<int64_t>(1024.0 / a.Ratio);
    } else {
        ka = static_cast<int64_t>(a.Ratio * 1024.0);
        kb = 1024;
    }
    const int32_t w = second.width(), h = second.height();
    for (int32_t y = 0; y < first.height; ++y) {
        for (int32_t x = 0; x < first.width; ++x) {
            int64_t sx, sy;
            g.sample(x, y, sx, sy);
            const int64_t ix = sx >> 16, iy = sy >> 16;
            const int64_t fx = (sx >> 8) & 255, fy = (sy >> 8) & 255;
            // Bilinear with 8-bit fractions; neighbours outside the second shot are left out.
            int64_t sum[3] = {0, 0, 0};
            int64_t weights = 0;
            for (int n = 0; n < 4; ++n) {
                const int64_t nx = ix + (n & 1), ny = iy + (n >> 1);
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int64_t wgt = ((n & 1) ? fx : 256 - fx) * ((n >> 1) ? fy : 256 - fy);
                for (int c = 0; c < 3; ++c)
                    sum[c] += wgt * second.planes[c].row(int32_t(ny))[nx];
                weights += wgt;
            }
            int64_t out[3];
            if (weights == 0) {
                // The second shot has nothing here: the first alone, at the common exposure.
                for (int c = 0; c < 3; ++c)
                    out[c] = (int64_t{first.sample(x, y, c)} * ka) >> 10;
            } else {
                int64_t b[3];
                for (int c = 0; c < 3; ++c)
                    b[c] = sum[c] / weights;
                const int64_t y1 = firstLuma.row(y)[x];
                const int64_t y2 = lumaOf(int32_t(b[2]), int32_t(b[1]), int32_t(b[0]));
                const int64_t wa = secondBrighter ? y1 >> 8 : (65535 - y1) >> 8;
                const int64_t wb = secondBrighter ? (65535 - y2) >> 8 : y2 >> 8;
                for (int c = 0; c < 3; ++c) {
                    const int64_t av = (int64_t{first.sample(x, y, c)} * ka) >> 10;
                    const int64_t bv = (b[c] * kb) >> 10;
                    out[c] = ((wa + 1) * av + (wb + 1) * bv) / (wa + wb + 2);
                }
            }
            for (int c = 0; c < 3; ++c) {
                const int32_t v = clamp16(out[c]);
                if (output.is16())
                    output.row16(y)[x * 3 + c] = static_cast<uint16_t>(v);
                else
                    output.row8(y)[x * 3 + c] = static_cast<uint8_t>(v >> 8);
            }
        }
    }
}

}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL IncreaseDynamicRange_TEST(const PixelView* first,
                                                              const PixelView* second,
                                                              const PixelView* output) {
    using namespace dnr;
    // The merge reports no progress, so no caller can abort it while it runs: a raised flag is
    // left over from an earlier aborted run and must not cut the search short.
    const AbortIgnored mergeIsNotAborted;
    const auto a = makeView(first), b = makeView(second), out = makeView(output);
    if (!a || !b || !out) return 0;
    if (a->width != b->width || a->height != b->height || a->width != out->width ||
        a->height != out->height)
        return 0;
    Plane firstLuma, secondLuma;
    PlaneSet secondPlanes;
    if (!lumaPlane(*a, firstLuma) || !lumaPlane(*b, secondLuma) ||
        !secondPlanes.allocate(b->width, b->height))
        return 0;
    // The second shot is read from a copy so that the output may share its pixels.
    for (int32_t y = 0; y < b->height; ++y)
        for (int32_t x = 0; x < b->width; ++x)
            for (int c = 0; c < 3; ++c)
                secondPlanes.planes[c].row(y)[x] = static_cast<uint16_t>(b->sample(x, y, c));
    const MergeAlignment alignment = searchAlignment(firstLuma, secondLuma);
    blendExposures(*a, secondPlanes, firstLuma, alignment, *out);
    return 1;
}
