#include "sample_memory.h"

#if !defined(_WIN32)
#include <sys/mman.h>
#endif

#include <atomic>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace dnr {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// Allocations a test still allows; negative: no limit.
std::atomic<int64_t> gAllowedAllocations{-1};

// Large runs given back, kept for a request of the same rounded size. Two are enough for the
// stages' pattern (a plane freed, one of its size taken next) and bound what a run can hold
// beyond what it uses.
struct Pooled {
    void* p = nullptr;
    size_t bytes = 0;
};
constexpr int kPoolSlots = 2;
std::mutex gPoolLock;
Pooled gPool[kPoolSlots];

void* takePooled(size_t bytes) {
    std::lock_guard<std::mutex> lock(gPoolLock);
    for (Pooled& slot : gPool)
        if (slot.p && slot.bytes == bytes) {
            void* p = slot.p;
            slot = Pooled{};
            return p;
        }
    return nullptr;
}

// False when every slot is taken: the caller frees the run.
bool keepPooled(void* p, size_t bytes) {
    std::lock_guard<std::mutex> lock(gPoolLock);
    for (Pooled& slot : gPool)
        if (!slot.p) {
            slot = Pooled{p, bytes};
            return true;
        }
    return false;
}

}  // namespace

void releasePooledSamples() {
    Pooled taken[kPoolSlots];
    {
        std::lock_guard<std::mutex> lock(gPoolLock);
        for (int i = 0; i < kPoolSlots; ++i) {
            taken[i] = gPool[i];
            gPool[i] = Pooled{};
        }
    }
    for (const Pooled& slot : taken)
        std::free(slot.p);
}

size_t pooledSampleBytes() {
    std::lock_guard<std::mutex> lock(gPoolLock);
    size_t bytes = 0;
    for (const Pooled& slot : gPool)
        bytes += slot.p ? slot.bytes : 0;
    return bytes;
}

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
    if (p && bytes != 0 && keepPooled(p, bytes)) return;
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
    // The samples are uninitialised either way, so a kept run serves as well as a fresh one.
    if (void* kept = takePooled(rounded))
        return SampleMemory(static_cast<uint16_t*>(kept), FreeSamples{rounded});
    void* p = std::aligned_alloc(kHugePage, rounded);
    // Only a hint: without huge pages the memory works as any other.
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
    return SampleMemory(static_cast<uint16_t*>(p), FreeSamples{rounded});
#endif
}

}  // namespace dnr
