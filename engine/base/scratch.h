// Scratch arrays of the stages (ring buffers, column sums, per-row shares). They take the planes'
// path when memory is short: "Not enough memory!" is shown, the stage returns false, the run
// returns 0 and the caller's pixels stay as they were.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

#include "message.h"
#include "sample_memory.h"

namespace dnr {

// count default-initialised elements, or null after the warning.
template <typename T>
std::unique_ptr<T[]> allocateScratch(size_t count) {
    std::unique_ptr<T[]> scratch(allocationAllowed() ? new (std::nothrow) T[count] : nullptr);
    if (!scratch) reportOutOfMemory();
    return scratch;
}

// count samples on the planes' allocator (large runs on huge pages), or null after the warning.
inline SampleMemory allocateScratchSamples(size_t count) {
    SampleMemory samples = allocateSamples(count);
    if (!samples) reportOutOfMemory();
    return samples;
}

}  // namespace dnr
