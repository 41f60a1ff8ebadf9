// The fast path of the recursive smoothing filter. The horizontal pass takes rows four at a time
// so that four independent running states keep the multiplier busy, and combines the two sweeps
// in a separate loop the vector unit can run; the vertical pass works on strips of columns, each
// strip a vector loop across its columns. Rows (and strips) go to the threads of runInBands.
// Every sample goes through the same steps as in the plain loops of velmar_blur.cpp.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "bands.h"
#include "blur_steps.h"
#include "fast_paths.h"
#include "progress.h"
#include "sample_memory.h"
#include "scratch.h"

namespace dnr::blur {
namespace {

using Samples = SampleMemory;

Samples scratch(size_t count) {
    return allocateScratchSamples(count);
}

constexpr int32_t kRowsAtOnce = 4;

// Both sweeps of K rows side by side: backward states into b, forward states into f.
template <BlurVariant V, int K>
void sweepRows(const uint16_t* const* src, uint16_t* const* b, uint16_t* const* f, int32_t w,
               int32_t a) {
    int32_t s[K];
    for (int k = 0; k < K; ++k)
        s[k] = src[k][w - 1];
    for (int32_t i = w - 1; i >= 0; --i)
        for (int k = 0; k < K; ++k) {
            const int32_t x = src[k][i];
            s[k] = limited<V>(stepToward(a, s[k], x), x);
            b[k][i] = static_cast<uint16_t>(s[k]);
        }
    for (int k = 0; k < K; ++k)
        s[k] = src[k][0];
    for (int32_t i = 0; i < w; ++i)
        for (int k = 0; k < K; ++k) {
            const int32_t x = src[k][i];
            s[k] = limited<V>(stepToward(a, s[k], x), x);
            f[k][i] = static_cast<uint16_t>(s[k]);
        }
}

// The horizontal result of one row from its input x and its two sweeps. x may be dst itself.
template <BlurVariant V>
void combineRow(const uint16_t* x, const uint16_t* __restrict b, const uint16_t* __restrict f,
                uint16_t* dst, uint16_t* __restrict dis, int32_t w) {
    for (int32_t i = 0; i < w; ++i) {
        const int32_t fi = f[i];
        const int32_t bi = b[i];
        if constexpr (V == BlurVariant::Agreement)
            dis[i] = static_cast<uint16_t>(std::abs(bi - fi));
        dst[i] = static_cast<uint16_t>(combined<V, edgeWeightedByDouble>(x[i], bi, fi));
    }
}

// Horizontal pass over the row groups first..last-1 (kRowsAtOnce rows a group).
template <BlurVariant V>
bool horizontalGroups(Plane& target, const Plane& source, uint16_t* states, uint16_t* disagreement,
                      int32_t a, int64_t first, int64_t last) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    Samples forward = scratch(size_t(w) * kRowsAtOnce);
    if (!forward) return false;
    for (int64_t g = first; g < last; ++g) {
        const int32_t y0 = static_cast<int32_t>(g * kRowsAtOnce);
        const int32_t rows = std::min(kRowsAtOnce, h - y0);
        const uint16_t* src[kRowsAtOnce];
        uint16_t* b[kRowsAtOnce];
        uint16_t* f[kRowsAtOnce];
        for (int k = 0; k < rows; ++k) {
            src[k] = source.row(y0 + k);
            b[k] = states + size_t(w) * (y0 + k);
            f[k] = forward.get() + size_t(w) * k;
        }
        if (rows == kRowsAtOnce) {
            sweepRows<V, kRowsAtOnce>(src, b, f, w, a);
        } else {
            for (int k = 0; k < rows; ++k)
                sweepRows<V, 1>(src + k, b + k, f + k, w, a);
        }
        for (int k = 0; k < rows; ++k) {
            uint16_t* dis =
                V == BlurVariant::Agreement ? disagreement + size_t(w) * (y0 + k) : nullptr;
            combineRow<V>(src[k], b[k], f[k], target.row(y0 + k), dis, w);
        }
        if (abortRequested()) return false;
    }
    return true;
}

// Vertical pass over columns c0..c1-1: sweep A downwards from the top row's horizontal backward
// states, sweep B upwards from row 1, combined as in the plain loop. Row 0 keeps its horizontal
// result.
template <BlurVariant V>
bool verticalStrip(Plane& target, uint16_t* states, const uint16_t* disagreement, int32_t a,
                   int32_t c0, int32_t c1) {
    const int32_t w = target.width;
    const int32_t h = target.height;
    const int32_t n = c1 - c0;
    for (int32_t r = h - 2; r >= 0; --r) {
        const uint16_t* __restrict above = states + size_t(w) * (r + 1) + c0;
        uint16_t* __restrict t = states + size_t(w) * r + c0;
        const uint16_t* __restrict x = target.row(r) + c0;
        for (int32_t i = 0; i < n; ++i)
            t[i] = static_cast<uint16_t>(limited<V>(stepToward(a, above[i], x[i]), x[i]));
        if (abortRequested()) return false;
    }
    for (int32_t r = 1; r < h; ++r) {
        const uint16_t* __restrict below = states + size_t(w) * (r - 1) + c0;
        uint16_t* __restrict t = states + size_t(w) * r + c0;
        uint16_t* __restrict dst = target.row(r) + c0;
        const uint16_t* __restrict dis =
            V == BlurVariant::Agreement ? disagreement + size_t(w) * r + c0 : nullptr;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t x = dst[i];
            const int32_t sweepA = t[i];
            const int32_t sweepB = limited<V>(stepToward(a, below[i], x), x);
            t[i] = static_cast<uint16_t>(sweepB);
            int32_t out = combined<V, edgeWeightedByDouble>(x, sweepB, sweepA);
            if constexpr (V == BlurVariant::Agreement)
                if (std::abs(sweepB - sweepA) >= dis[i]) out = x;
            dst[i] = static_cast<uint16_t>(out);
        }
        if (abortRequested()) return false;
    }
    return true;
}

template <BlurVariant V>
bool blurFast(Plane& target, const Plane& source, int32_t radius) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const int32_t a = coefficientOf(radius);
    Samples states = scratch(source.size());
    Samples disagreement;
    if (!states) return false;
    if constexpr (V == BlurVariant::Agreement) {
        disagreement = scratch(source.size());
        if (!disagreement) return false;
    }

    // Units as in the plain loops: height for the horizontal pass (the last unit followed by an
    // abort test), height for the vertical pass (the last one not).
    BandJob rows;
    rows.items = (h + kRowsAtOnce - 1) / kRowsAtOnce;
    rows.samplesPerItem = int64_t{w} * kRowsAtOnce;
    rows.units = h;
    rows.lastStep = LastStep::ThenAbortTest;
    const bool horizontalDone = runInBands(rows, [&](int64_t first, int64_t last) {
        return horizontalGroups<V>(target, source, states.get(), disagreement.get(), a, first,
                                   last);
    });
    if (!horizontalDone) return false;

    const int32_t strip = std::max(fast::settings().stripColumns, 1);
    BandJob columns;
    columns.items = (w + strip - 1) / strip;
    columns.samplesPerItem = int64_t{strip} * h * 2;
    columns.units = h;
    columns.lastStep = LastStep::AfterAbortTest;
    return runInBands(columns, [&](int64_t first, int64_t last) {
        for (int64_t s = first; s < last; ++s) {
            const auto c0 = static_cast<int32_t>(s * strip);
            const int32_t c1 = std::min(w, c0 + strip);
            if (!verticalStrip<V>(target, states.get(), disagreement.get(), a, c0, c1))
                return false;
        }
        return true;
    });
}

}  // namespace

bool recursiveBlurFast(Plane& target, const Plane& source, int32_t radius, BlurVariant variant) {
    switch (variant) {
        case BlurVariant::Average:
            return blurFast<BlurVariant::Average>(target, source, radius);
        case BlurVariant::EdgeWeighted:
            return blurFast<BlurVariant::EdgeWeighted>(target, source, radius);
        case BlurVariant::Agreement:
            return blurFast<BlurVariant::Agreement>(target, source, radius);
        case BlurVariant::Minimum:
            return blurFast<BlurVariant::Minimum>(target, source, radius);
        case BlurVariant::Maximum:
            return blurFast<BlurVariant::Maximum>(target, source, radius);
        case BlurVariant::Box:
            break;
    }
    return false;
}

}  // namespace dnr::blur
