// Memory for runs of 16-bit samples. Large runs are placed on 2 MiB boundaries and offered to the
// kernel for huge pages: a 24-megapixel plane then costs a few dozen page faults instead of
// twelve thousand, which otherwise take a good part of a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace dnr {

struct FreeSamples {
    void operator()(uint16_t* p) const;
};

using SampleMemory = std::unique_ptr<uint16_t[], FreeSamples>;

// Uninitialised room for count samples; null when the memory cannot be had.
SampleMemory allocateSamples(size_t count);

// Asked by every allocation of samples and scratch arrays before it allocates: false when a test
// has used up the allocations it allows.
bool allocationAllowed();
// For tests: the next count allocations may succeed, those after fail; a negative count lifts the
// limit.
void limitAllocationsForTesting(int64_t count);

}  // namespace dnr
