// The recursive two-way smoothing filter, and the entry of the whole filter family (the box
// average lives in box_average.cpp).
//
// The recursive variants run a first-order smoothing step forwards and backwards along every row
// and then along every column, and combine the two directions per variant. The cost per sample is
// the same for every radius.
#include "velmar_blur.h"

#include <algorithm>
#include <cstdlib>

#include "blur_steps.h"
#include "fast_paths.h"
#include "progress.h"
#include "sample_memory.h"
#include "scratch.h"

namespace dnr {
namespace {

using blur::coefficientOf;
using blur::combined;
using blur::limited;
using blur::stepToward;

using Samples = SampleMemory;

Samples scratch(size_t count) {
    return allocateScratchSamples(count);
}

// Counts the vertical pass's two sweeps as height units in all, so that the filter's own total of
// 2*height holds: one unit for every second row swept, and one at the end.
class VerticalUnits {
  public:
    void row() {
        if (++rows_ % 2 == 0) progress::step();
    }
    void done() {
        if (rows_ % 2 != 0) progress::step();
        progress::step();
    }

  private:
    int64_t rows_ = 0;
};

template <BlurVariant V>
bool recursiveBlur(Plane& target, const Plane& source, int32_t radius) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const size_t count = source.size();
    const int32_t a = coefficientOf(radius);

    Samples states = scratch(count);
    Samples disagreement;
    if (!states) return false;
    if constexpr (V == BlurVariant::Agreement) {
        disagreement = scratch(count);
        if (!disagreement) return false;
    }

    // Horizontal pass: the backward sweep leaves its states in `states`, the forward sweep
    // combines them with its own and writes the target. Reading the source sample before writing
    // the target at the same position makes in-place smoothing safe.
    for (int32_t y = 0; y < h; ++y) {
        const uint16_t* src = source.row(y);
        uint16_t* t = states.get() + size_t(w) * y;
        uint16_t* dst = target.row(y);
        int32_t s = src[w - 1];
        for (int32_t i = w - 1; i >= 0; --i) {
            s = limited<V>(stepToward(a, s, src[i]), src[i]);
            t[i] = static_cast<uint16_t>(s);
        }
        s = src[0];
        for (int32_t i = 0; i < w; ++i) {
            const int32_t x = src[i];
            s = limited<V>(stepToward(a, s, x), x);
            const int32_t f = s;
            const int32_t b = t[i];
            if constexpr (V == BlurVariant::Agreement)
                disagreement[size_t(w) * y + i] = static_cast<uint16_t>(std::abs(b - f));
            dst[i] = static_cast<uint16_t>(combined<V>(x, b, f));
        }
        progress::step();
        if (abortRequested()) return false;
    }

    // Vertical pass on the horizontal result. Sweep A runs downwards from the top row, whose state
    // is the one the horizontal backward sweep left there; sweep B runs upwards from row 1 and
    // combines its state with sweep A's. Row 0 keeps its horizontal result.
    VerticalUnits units;
    for (int32_t r = h - 2; r >= 0; --r) {
        const uint16_t* above = states.get() + size_t(w) * (r + 1);
        uint16_t* t = states.get() + size_t(w) * r;
        const uint16_t* x = target.row(r);
        for (int32_t i = 0; i < w; ++i)
            t[i] = static_cast<uint16_t>(limited<V>(stepToward(a, above[i], x[i]), x[i]));
        units.row();
        if (abortRequested()) return false;
    }
    for (int32_t r = 1; r < h; ++r) {
        const uint16_t* below = states.get() + size_t(w) * (r - 1);
        uint16_t* t = states.get() + size_t(w) * r;
        uint16_t* dst = target.row(r);
        const uint16_t* dis =
            V == BlurVariant::Agreement ? disagreement.get() + size_t(w) * r : nullptr;
        for (int32_t i = 0; i < w; ++i) {
            const int32_t x = dst[i];
            const int32_t sweepA = t[i];
            const int32_t sweepB = limited<V>(stepToward(a, below[i], x), x);
            t[i] = static_cast<uint16_t>(sweepB);
            int32_t out = combined<V>(x, sweepB, sweepA);
            // Agreement keeps the input where the sweeps differ more than the horizontal ones.
            if constexpr (V == BlurVariant::Agreement)
                if (std::abs(sweepB - sweepA) >= dis[i]) out = x;
            dst[i] = static_cast<uint16_t>(out);
        }
        units.row();
        if (abortRequested()) return false;
    }
    units.done();
    return true;
}

}  // namespace

bool velmarBlur(Plane& target, const Plane* source, int32_t radius, BlurVariant variant,
                bool ownProgressTotal) {
    const Plane& src = source ? *source : target;
    if (&src != &target && !target.allocate(src.width, src.height)) return false;
    if (ownProgressTotal) progress::begin(2 * src.height);
    if (src.empty()) return true;
    if (fast::enabled() && variant != BlurVariant::Box)
        return blur::recursiveBlurFast(target, src, radius, variant);
    switch (variant) {
        case BlurVariant::Average:
            return recursiveBlur<BlurVariant::Average>(target, src, radius);
        case BlurVariant::EdgeWeighted:
            return recursiveBlur<BlurVariant::EdgeWeighted>(target, src, radius);
        case BlurVariant::Agreement:
            return recursiveBlur<BlurVariant::Agreement>(target, src, radius);
        case BlurVariant::Minimum:
            return recursiveBlur<BlurVariant::Minimum>(target, src, radius);
        case BlurVariant::Maximum:
            return recursiveBlur<BlurVariant::Maximum>(target, src, radius);
        case BlurVariant::Box:
            return blur::boxAverage(target, src, radius);
    }
    return false;
}

}  // namespace dnr
