// Memory for runs of 16-bit samples. Large runs are placed on 2 MiB boundaries and offered to the
// kernel for huge pages: a 24-megapixel plane then costs a few dozen page faults instead of
// twelve thousand, which otherwise take a good part of a run. A large run given back is kept
// for the next request of the same size (the stages of a run free and take planes of one size
// again and again, and the kernel clears every fresh page), until the engine state releases it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace dnr {

struct FreeSamples {
    size_t bytes = 0;  // of a large run that may be kept for reuse; 0: freed at once
    void operator()(uint16_t* p) const;
};

using SampleMemory = std::unique_ptr<uint16_t[], FreeSamples>;

// Uninitialised room for count samples; null when the memory cannot be had.
SampleMemory allocateSamples(size_t count);

// Frees the large runs kept for reuse.
void releasePooledSamples();
// Bytes of the large runs kept for reuse now.
size_t pooledSampleBytes();

// Asked by every allocation of samples and scratch arrays before it allocates: false when a test
// has used up the allocations it allows.
bool allocationAllowed();
// For tests: the next count allocations may succeed, those after fail; a negative count lifts the
// limit.
void limitAllocationsForTesting(int64_t count);

}  // namespace dnr
