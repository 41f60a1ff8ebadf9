// The box average with running sums: every output sample is the integer mean of the window
// around it, positions outside the plane taking the nearest border sample. Row sums of the last
// 2n+2 rows live in a ring and column sums slide down the rows. The plain path runs one strip as
// wide as the plane, which may then be its own source; the fast path cuts the plane into strips
// of columns that the threads of runInBands take in turn, each strip with its own ring (its
// columns only, each sum over the window that reaches into the neighbouring columns) and column
// sums, so every output sample is the same.
#include <algorithm>
#include <memory>

#include "bands.h"
#include "blur_steps.h"
#include "fast_paths.h"
#include "progress.h"
#include "scratch.h"

namespace dnr::blur {
namespace {

// Columns c0..c1-1 of the plane. A counted strip counts two progress units a row, as the plain
// loop always has.
template <typename ColumnSum>
bool boxStrip(Plane& target, const Plane& source, const BoxSize& box, int32_t c0, int32_t c1,
              uint32_t* ring, ColumnSum* columns, bool counted) {
    const int32_t nx = box.nx, ny = box.ny;
    const int32_t w = source.width;
    const int32_t h = source.height;
    const int32_t n = c1 - c0;
    const int32_t ringRows = box.ringRows;
    const uint64_t divisor = uint64_t(2 * nx + 1) * uint64_t(2 * ny + 1);

    auto rowSums = [&](int32_t y) -> uint32_t* { return ring + size_t(y % ringRows) * n; };
    auto fillRowSums = [&](int32_t y) {
        const uint16_t* src = source.row(y);
        uint32_t* out = rowSums(y);
        // The window around c0, positions outside the plane taking the border sample.
        uint32_t sum = 0;
        for (int32_t k = c0 - nx; k <= c0 + nx; ++k)
            sum += src[std::clamp(k, 0, w - 1)];
        for (int32_t i = 0; i < n; ++i) {
            const int32_t x = c0 + i;
            out[i] = sum;
            sum += src[std::min(x + nx + 1, w - 1)];
            sum -= src[std::max(x - nx, 0)];
        }
    };

    // Rows 0..ny enter first; row 0 stands in for the ny rows above the plane, and the bottom row
    // for those past it when the window is higher than the plane.
    const int32_t last = h - 1;
    for (int32_t y = 0; y <= std::min(ny, last); ++y)
        fillRowSums(y);
    for (int32_t i = 0; i < n; ++i) {
        ColumnSum sum = ColumnSum(rowSums(0)[i]) * ColumnSum(ny + 1);
        for (int32_t y = 1; y <= ny; ++y)
            sum += rowSums(std::min(y, last))[i];
        columns[i] = sum;
    }
    for (int32_t y = 0; y < h; ++y) {
        uint16_t* dst = target.row(y) + c0;
        for (int32_t i = 0; i < n; ++i)
            dst[i] = static_cast<uint16_t>(columns[i] / divisor);
        if (counted) progress::step();
        // Slide the window down: the row ny+1 below enters, the row ny above leaves. Rows past the
        // bottom stand for the bottom row, whose sums are still in the ring.
        const int32_t entering = y + ny + 1;
        const int32_t leaving = std::max(y - ny, 0);
        if (entering < h) fillRowSums(entering);
        const uint32_t* in = rowSums(std::min(entering, h - 1));
        const uint32_t* out = rowSums(leaving);
        for (int32_t i = 0; i < n; ++i)
            columns[i] = columns[i] + in[i] - out[i];
        if (counted) progress::step();
        if (abortRequested()) return false;
    }
    return true;
}

template <typename ColumnSum>
bool boxInStrips(Plane& target, const Plane& source, const BoxSize& box) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const int32_t strip = std::max(fast::settings().stripColumns, 1);
    // Units as in the plain loop: two a row, the last followed by the abort test.
    BandJob columns;
    columns.items = (w + strip - 1) / strip;
    columns.samplesPerItem = int64_t{strip} * h * 2;
    columns.units = 2 * int64_t{h};
    columns.lastStep = LastStep::ThenAbortTest;
    return runInBands(columns, [&](int64_t first, int64_t last) {
        const int32_t width = std::min(strip, w);
        const auto ring = allocateScratch<uint32_t>(size_t(box.ringRows) * size_t(width));
        const auto sums = ring ? allocateScratch<ColumnSum>(size_t(width)) : nullptr;
        if (!ring || !sums) return false;
        for (int64_t s = first; s < last; ++s) {
            const auto c0 = static_cast<int32_t>(s * strip);
            const int32_t c1 = std::min(w, c0 + strip);
            if (!boxStrip<ColumnSum>(target, source, box, c0, c1, ring.get(), sums.get(), false))
                return false;
        }
        return true;
    });
}

template <typename ColumnSum>
bool boxWhole(Plane& target, const Plane& source, const BoxSize& box) {
    const int32_t w = source.width;
    const auto ring = allocateScratch<uint32_t>(size_t(box.ringRows) * w);
    const auto columns = ring ? allocateScratch<ColumnSum>(w) : nullptr;
    if (!ring || !columns) return false;
    return boxStrip<ColumnSum>(target, source, box, 0, w, ring.get(), columns.get(), true);
}

}  // namespace

bool boxAverage(Plane& target, const Plane& source, int32_t radius) {
    const BoxSize box = boxSizeOf(radius, source.height);
    if (fast::enabled() && &target != &source) {
        if (box.wideSums) return boxInStrips<uint64_t>(target, source, box);
        return boxInStrips<uint32_t>(target, source, box);
    }
    if (box.wideSums) return boxWhole<uint64_t>(target, source, box);
    return boxWhole<uint32_t>(target, source, box);
}

}  // namespace dnr::blur
