#include "brush_coverage.h"

#include <algorithm>
#include <cmath>

#include "smooth_profile.h"

namespace dnr {
namespace {

// C = max(1, 65535 / radius^2): scales a squared distance so that the rim lands near entry 255.
int64_t distanceScale(int32_t radius) {
    const int64_t r2 = int64_t{radius} * radius;
    return std::max<int64_t>(1, 65535 / r2);
}

}  // namespace

int32_t brushFalloffEntry(int64_t q, int32_t i) {
    return static_cast<int32_t>(smoothProfile(1.0 - double(i) * 256.0 / double(q)) * 1024.0);
}

const std::array<int32_t, 257>& brushFalloff(int32_t firstRadius) {
    static const std::array<int32_t, 257> table = [firstRadius] {
        const int32_t r = std::max(firstRadius, 1);
        // q = radius^2 * C, about 65535. With C at least 1 a radius above 255 cannot make q 0.
        const int64_t q = int64_t{r} * r * distanceScale(r);
        std::array<int32_t, 257> t{};
        for (int32_t i = 0; i < 257; ++i)
            t[i] = brushFalloffEntry(q, i);
        return t;
    }();
    return table;
}

BrushCoverage::BrushCoverage(const BrushSegment& segment, const std::array<int32_t, 257>& falloff)
    : s_(segment),
      falloff_(falloff),
      scale_(distanceScale(segment.radius)),
      radiusSquared_(int64_t{segment.radius} * segment.radius) {}

int32_t BrushCoverage::falloffAt(int64_t d2) const {
    // Squared distances beyond the rim all read the last entry; the min also keeps the product
    // from wrapping.
    const int64_t index = std::min<int64_t>(255, (scale_ * std::min(d2, int64_t{1} << 40)) >> 8);
    return falloff_[size_t(index)];
}

int64_t BrushCoverage::distanceSquared(int64_t x, int64_t y) const {
    const int64_t ex = x - s_.endX, ey = y - s_.endY;
    if (!s_.stroke) return ex * ex + ey * ey;
    const int64_t vx = int64_t{s_.endX} - s_.startX, vy = int64_t{s_.endY} - s_.startY;
    const int64_t wx = x - s_.startX, wy = y - s_.startY;
    const int64_t length2 = vx * vx + vy * vy;
    const int64_t along = wx * vx + wy * vy;
    if (length2 == 0 || along <= 0) return wx * wx + wy * wy;  // before the start
    if (along >= length2) return ex * ex + ey * ey;            // beyond the end
    // Beside the segment: the perpendicular distance; the cross product can exceed 64 bits
    // squared, so it is taken in floating point.
    const double cross = double(wx) * double(vy) - double(wy) * double(vx);
    return static_cast<int64_t>(std::floor(cross * cross / double(length2)));
}

int32_t BrushCoverage::at(int32_t x, int32_t y) const {
    const int32_t strength = std::clamp(s_.strength, 0, 100);
    if (!s_.stroke) {
        return (falloffAt(distanceSquared(x, y)) * strength) >> 2;
    }
    const int64_t d2 = distanceSquared(x, y);
    if (d2 > radiusSquared_) return 0;
    const int32_t laid = (falloffAt(d2) * strength) >> 2;
    // What the previous segment's end dab already gave around the new end is taken out, so
    // that joints are not painted twice. It is rounded like the coverage itself: quartering
    // the falloff before the strength would leave a residue of up to 3 * strength, which the
    // division below magnifies into a blot of up to 75% right at the joint.
    const int64_t ex = int64_t{x} - s_.endX, ey = int64_t{y} - s_.endY;
    const int32_t given = (falloffAt(ex * ex + ey * ey) * strength) >> 2;
    if (laid <= given) return 0;
    return static_cast<int32_t>(int64_t{laid - given} * kFullCoverage / (kFullCoverage - given));
}

}  // namespace dnr
