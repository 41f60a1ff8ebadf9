// Runs a pixel loop over items (rows, or columns) in chunks that the calling thread and helper
// threads take in turn. Every item is written by exactly one thread, so the result does not
// depend on who took what. Only the calling thread counts progress, so the callback is called
// where it always was and the reported values follow the usual rules; every thread tests the
// abort flag once per row of its own, so an abort still ends the job within about a row's time.
#pragma once

#include <cstdint>
#include <type_traits>

#include "fast_paths.h"
#include "progress.h"

namespace dnr {

// Where the plain loop tests the abort flag against its last progress step: after it (the step
// that asks for an abort fails the job) or before it.
enum class LastStep { ThenAbortTest, AfterAbortTest };

struct BandJob {
    int64_t items = 0;           // rows or columns
    int64_t samplesPerItem = 1;  // for the chunk size and whether threads pay
    int64_t units = 0;           // progress units the job counts in all, spread over the items
    LastStep lastStep = LastStep::ThenAbortTest;
};

namespace bands_detail {
using ChunkFn = bool (*)(void* body, int64_t first, int64_t last);
bool run(const BandJob& job, ChunkFn fn, void* body);
}  // namespace bands_detail

// body(first, last) does items first..last-1 and returns false to stop the job (abort, memory
// it could not get). The job returns false when a chunk did, or on an abort asked for by a
// progress report.
template <typename Body>
bool runInBands(const BandJob& job, Body&& body) {
    using B = std::remove_reference_t<Body>;
    return bands_detail::run(
        job,
        [](void* b, int64_t first, int64_t last) -> bool {
            return (*static_cast<B*>(b))(first, last);
        },
        const_cast<void*>(static_cast<const void*>(&body)));
}

// A pixel loop whose rows are independent: perRow(y) for every row, the abort flag tested after
// each and, when counted, one progress unit a row, before or after the abort test as lastStep
// says. On the fast path the rows go to the threads of runInBands, with the same result.
template <typename PerRow>
bool forEachRow(int32_t rows, int32_t width, bool counted, LastStep lastStep, PerRow&& perRow) {
    if (fast::enabled()) {
        BandJob job;
        job.items = rows;
        job.samplesPerItem = width;
        job.units = counted ? rows : 0;
        job.lastStep = lastStep;
        return runInBands(job, [&](int64_t first, int64_t last) {
            for (auto y = static_cast<int32_t>(first); y < last; ++y) {
                perRow(y);
                if (abortRequested()) return false;
            }
            return true;
        });
    }
    const bool stepFirst = counted && lastStep == LastStep::ThenAbortTest;
    const bool stepLast = counted && lastStep == LastStep::AfterAbortTest;
    for (int32_t y = 0; y < rows; ++y) {
        perRow(y);
        if (stepFirst) progress::step();
        if (abortRequested()) return false;
        if (stepLast) progress::step();
    }
    return true;
}

}  // namespace dnr
