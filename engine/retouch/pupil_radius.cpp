#include <algorithm>
#include <cmath>

#include "red_eye.h"

namespace dnr {

int32_t redness(const View& view, int32_t x, int32_t y) {
    const int64_t r = view.sample(x, y, 2);
    const int64_t strongest = std::max<int64_t>({view.sample(x, y, 1), view.sample(x, y, 0), 5120});
    return static_cast<int32_t>(r * 80 / strongest);
}

int32_t findPupilRadius(const View& view, int32_t cx, int32_t cy, int32_t minRadius,
                        int32_t maxRadius) {
    // A ring needs at least one sample point; every ring stays inside the picture.
    minRadius = std::max(minRadius, 1);
    maxRadius = std::min({maxRadius, view.width - cx - 1, view.height - cy - 1, cy, cx});
    if (maxRadius < minRadius) return minRadius;
    int32_t reddest = 100;
    for (int32_t r = minRadius;; ++r) {
        if (r > maxRadius) return maxRadius + 1;
        const auto n = static_cast<int32_t>(r * 6.28 + 0.5);
        int64_t sum = 0;
        for (int32_t k = 0; k < n; ++k) {
            const double a = k * 6.28 / n;
            const auto x = static_cast<int32_t>(cx + r * std::sin(a) + 0.5);
            const auto y = static_cast<int32_t>(cy + r * std::cos(a) + 0.5);
            sum += redness(view, x, y);
        }
        const auto mean = static_cast<int32_t>(sum / n);
        reddest = std::max(reddest, mean);
        if (mean < reddest * 7 / 10) return std::min(r, maxRadius);
    }
}

}  // namespace dnr
