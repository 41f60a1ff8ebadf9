// Dragging a curve: the control point nearest the pointer moves one step at a time until the
// curve passes through the pointer, and its neighbour on the pointer's side follows in
// proportion.
#include <algorithm>
#include <cstdlib>

#include "equalizer_curve.h"

namespace dnr {

void EqualizerCurve::update(int32_t x, int32_t y, int32_t width, int32_t height, bool commit,
                            ProcessingParams& p) {
    const int32_t n = pointCount(p);
    if (n < 2 || width <= 0) return;
    int32_t* v = points(p);
    auto at = [&](int32_t k) { return static_cast<int32_t>(int64_t{k} * width / (n - 1)); };

    int32_t i = 0;
    while (i < n - 1 && x >= (int64_t{2 * i + 1} * width / (n - 1)) / 2)
        ++i;
    const int32_t xi = at(i);
    const int32_t j = x <= xi ? std::max(i - 1, 0) : std::min(i + 1, n - 1);
    const int32_t di = std::abs(xi - x) + 1;
    const int32_t dj = std::abs(at(j) - x) + 1;

    const int32_t savedI = v[i], savedJ = v[j];
    const int32_t target = height / 2 - y;
    for (int32_t step = 0; step < maxValue() - minValue(); ++step) {
        rebuildTable(p);
        const int32_t r = curveOffset(x, width, height);
        if (r == target) break;
        if (r > target) {
            if (v[i] <= minValue()) break;
            --v[i];
        } else {
            if (v[i] >= maxValue()) break;
            ++v[i];
        }
        v[j] = static_cast<int32_t>(savedJ + int64_t{v[i] - savedI} * di / dj);
    }
    if (!commit) {
        v[j] = savedJ;
        v[i] = savedI;
    }
}

}  // namespace dnr
