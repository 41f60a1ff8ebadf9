#include "sample_memory.h"

#if !defined(_WIN32)
#include <sys/mman.h>
#endif

#include <atomic>
#include <cstdlib>
#include <limits>

namespace dnr {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// Allocations a test still allows; negative: no limit.
std::atomic<int64_t> gAllowedAllocations{-1};

}  // namespace

bool allocationAllowed() {
    int64_t left = gAllowedAllocations.load(std::memory_order_relaxed);
    while (left > 0 && !gAllowedAllocations.compare_exchange_weak(left, left - 1)) {
    }
    return left != 0;
}

void limitAllocationsForTesting(int64_t count) {
    gAllowedAllocations.store(count < 0 ? -1 : count);
}

void FreeSamples::operator()(uint16_t* p) const {
    std::free(p);
}

SampleMemory allocateSamples(size_t count) {
    if (count > std::numeric_limits<size_t>::max() / sizeof(uint16_t) - kHugePage)
        return SampleMemory();
    if (!allocationAllowed()) return SampleMemory();
    const size_t bytes = count * sizeof(uint16_t);
#if defined(_WIN32)
    // No huge-page hint to give, and memory from the aligned allocation would need its own free.
    return SampleMemory(static_cast<uint16_t*>(std::malloc(bytes)));
#else
    if (bytes < 4 * kHugePage) return SampleMemory(static_cast<uint16_t*>(std::malloc(bytes)));
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    // Only a hint: without huge pages the memory works as any other.
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
    return SampleMemory(static_cast<uint16_t*>(p));
#endif
}

}  // namespace dnr
