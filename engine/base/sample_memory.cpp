#include "sample_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <limits>

namespace dnr {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

void FreeSamples::operator()(uint16_t* p) const {
    std::free(p);
}

SampleMemory allocateSamples(size_t count) {
    if (count > std::numeric_limits<size_t>::max() / sizeof(uint16_t) - kHugePage)
        return SampleMemory();
    const size_t bytes = count * sizeof(uint16_t);
    if (bytes < 4 * kHugePage) return SampleMemory(static_cast<uint16_t*>(std::malloc(bytes)));
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    // Only a hint: without huge pages the memory works as any other.
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
    return SampleMemory(static_cast<uint16_t*>(p));
}

}  // namespace dnr
