// The recursive two-way smoothing filter and the box average.
//
// The recursive variants run a first-order smoothing step forwards and backwards along every row
// and then along every column, and combine the two directions per variant. The cost per sample is
// the same for every radius.
#include "velmar_blur.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "blur_steps.h"
#include "fast_paths.h"
#include "progress.h"
#include "sample_memory.h"

namespace dnr {
namespace {

using blur::BoxSize;
using blur::coefficientOf;
using blur::combined;
using blur::limited;
using blur::stepToward;

using Samples = SampleMemory;

Samples scratch(size_t count) {
    return allocateSamples(count);
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

// Box average with running sums; positions outside the plane take the nearest border sample.
// The half-width is clamped per direction to what the plane holds, so that a window never
// reaches further than the plane is wide (or high). Row sums of the last 2n+2 rows live in a
// ring, so the target may be the source.
template <typename ColumnSum>
bool boxBlurWith(Plane& target, const Plane& source, int32_t nx, int32_t ny) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const int32_t ringRows = 2 * ny + 2;
    std::unique_ptr<uint32_t[]> ring(new (std::nothrow) uint32_t[size_t(ringRows) * w]);
    std::unique_ptr<ColumnSum[]> columns(new (std::nothrow) ColumnSum[w]);
    if (!ring || !columns) return false;
    const uint64_t divisor = uint64_t(2 * nx + 1) * uint64_t(2 * ny + 1);

    auto rowSums = [&](int32_t y) -> uint32_t* { return ring.get() + size_t(y % ringRows) * w; };
    auto fillRowSums = [&](int32_t y) {
        const uint16_t* src = source.row(y);
        uint32_t* out = rowSums(y);
        uint32_t sum = uint32_t(src[0]) * uint32_t(nx + 1);
        for (int32_t i = 1; i <= nx; ++i)
            sum += src[i];
        for (int32_t i = 0; i < w; ++i) {
            out[i] = sum;
            sum += src[std::min(i + nx + 1, w - 1)];
            sum -= src[std::max(i - nx, 0)];
        }
    };

    // Rows 0..ny enter first; row 0 stands in for the ny rows below the plane.
    for (int32_t y = 0; y <= ny; ++y)
        fillRowSums(y);
    for (int32_t i = 0; i < w; ++i) {
        ColumnSum sum = ColumnSum(rowSums(0)[i]) * ColumnSum(ny + 1);
        for (int32_t y = 1; y <= ny; ++y)
            sum += rowSums(y)[i];
        columns[i] = sum;
    }
    for (int32_t y = 0; y < h; ++y) {
        uint16_t* dst = target.row(y);
        for (int32_t i = 0; i < w; ++i)
            dst[i] = static_cast<uint16_t>(columns[i] / divisor);
        progress::step();
        // Slide the window up: the row ny+1 above enters, the row ny below leaves. Rows past the
        // top stand for the top row, whose sums are still in the ring.
        const int32_t entering = y + ny + 1;
        const int32_t leaving = std::max(y - ny, 0);
        if (entering < h) fillRowSums(entering);
        const uint32_t* in = rowSums(std::min(entering, h - 1));
        const uint32_t* out = rowSums(leaving);
        for (int32_t i = 0; i < w; ++i)
            columns[i] = columns[i] + in[i] - out[i];
        progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

bool boxBlur(Plane& target, const Plane& source, int32_t radius) {
    const BoxSize box = blur::boxSizeOf(radius, source.width, source.height);
    if (box.wideSums) return boxBlurWith<uint64_t>(target, source, box.nx, box.ny);
    return boxBlurWith<uint32_t>(target, source, box.nx, box.ny);
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
    if (fast::enabled() && &src != &target) return blur::boxBlurFast(target, src, radius);
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
            return boxBlur(target, src, radius);
    }
    return false;
}

}  // namespace dnr
