// The arithmetic steps of the recursive smoothing filter, shared by its plain loops and its
// fast kernels so that both compute the same numbers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "velmar_blur.h"

namespace dnr::blur {

// The smoothing coefficient of a radius, in 1/256: 0 for radius 0 (no smoothing), close to 256
// for large radii.
inline int32_t coefficientOf(int32_t radius) {
    if (radius <= 0) return 0;
    return static_cast<int32_t>(int64_t{radius} * 256 / (int64_t{radius} + 4));
}

// One smoothing step: the running state s moves toward the next sample x. Both are 0..65535 and
// a is 0..255, so the products stay far inside 32 bits.
inline int32_t stepToward(int32_t a, int32_t s, int32_t x) {
    return (a * s + x * (256 - a)) >> 8;
}

// Minimum and maximum variants keep the state on the dark (light) side of the input.
template <BlurVariant V>
inline int32_t limited(int32_t s, int32_t x) {
    if constexpr (V == BlurVariant::Minimum) return std::min(s, x);
    if constexpr (V == BlurVariant::Maximum) return std::max(s, x);
    return s;
}

// Weighted mean of two passes p and q for input x: each pass is weighted by how far the other one
// strayed from x, so the pass that kept closer to the input wins. The products reach 2^33.
inline int32_t edgeWeighted(int32_t x, int32_t p, int32_t q) {
    const int64_t wp = std::abs(x - q) + 1;
    const int64_t wq = std::abs(x - p) + 1;
    return static_cast<int32_t>((p * wp + q * wq) / (wp + wq));
}

// The same mean through a double division, which the vector unit does and a 64-bit integer
// division it does not. Exact: the numerator (below 2^34) and the divisor (below 2^18) are exact
// in a double, and the correctly rounded quotient (below 2^16) is off by less than 2^-37, while a
// quotient that is not a whole number lies at least 2^-18 away from one; truncation therefore
// gives the integer quotient.
inline int32_t edgeWeightedByDouble(int32_t x, int32_t p, int32_t q) {
    const int32_t wp = std::abs(x - q) + 1;
    const int32_t wq = std::abs(x - p) + 1;
    return static_cast<int32_t>((double(p) * double(wp) + double(q) * double(wq)) /
                                double(wp + wq));
}

// One output from two sweeps p and q over the input x: their mean, their edge-weighted mean (by
// EdgeMean: the plain rule or its vector-friendly twin), or the darker or lighter of the two. The
// Agreement variant averages too; its callers decide where the sweeps agree.
template <BlurVariant V, int32_t (*EdgeMean)(int32_t, int32_t, int32_t) = edgeWeighted>
inline int32_t combined(int32_t x, int32_t p, int32_t q) {
    if constexpr (V == BlurVariant::EdgeWeighted) return EdgeMean(x, p, q);
    if constexpr (V == BlurVariant::Minimum) return std::min(p, q);
    if constexpr (V == BlurVariant::Maximum) return std::max(p, q);
    return (p + q) >> 1;
}

// The half-widths of the box average: the radius held to 1..32767 (a row sum of 2n+1 samples then
// fits 32 bits). The window is never cut down to the plane: on a plane narrower or lower than it
// the border samples repeat as far as it reaches. ringRows is how many row sums the running sums
// keep (2ny+2, or every row of a lower plane); wideSums when the column sums of (2nx+1)(2ny+1)
// samples need 64 bits.
struct BoxSize {
    int32_t nx, ny;
    int32_t ringRows;
    bool wideSums;
};
inline BoxSize boxSizeOf(int32_t radius, int32_t height) {
    const int32_t n = std::clamp(radius, 1, 32767);
    const int32_t ringRows = std::min(2 * n + 2, std::max(height, 1));
    return {n, n, ringRows, uint64_t(2 * n + 1) * uint64_t(2 * n + 1) * 65535u > 0xFFFFFFFFu};
}

// Runs a smoothing on the fast path (threads and vector kernels); same result as the plain one.
bool recursiveBlurFast(Plane& target, const Plane& source, int32_t radius, BlurVariant variant);
// The box average of box_average.cpp: on the fast path in strips of columns on several threads,
// unless the target is the source (a strip reads columns its neighbours write).
bool boxAverage(Plane& target, const Plane& source, int32_t radius);

}  // namespace dnr::blur
