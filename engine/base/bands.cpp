#include "bands.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <optional>
#include <thread>

#include "fast_paths.h"
#include "message.h"
#include "progress.h"

namespace dnr::bands_detail {
namespace {

int32_t threadsFor(const BandJob& job, int64_t chunks) {
    const fast::Settings& s = fast::settings();
    if (!s.enabled || job.items * job.samplesPerItem < s.minSamplesForThreads) return 1;
    int64_t n = s.threads;
    if (n <= 0) n = std::max<int64_t>(std::thread::hardware_concurrency(), 1);
    return static_cast<int32_t>(std::clamp<int64_t>(std::min(n, chunks), 1, fast::kMaxThreads));
}

}  // namespace

bool run(const BandJob& job, ChunkFn fn, void* body) {
    if (job.items <= 0) return true;
    const int64_t chunk = std::clamp<int64_t>(
        fast::settings().chunkSamples / std::max<int64_t>(job.samplesPerItem, 1), 1, job.items);
    const int32_t threads = threadsFor(job, (job.items + chunk - 1) / chunk);

    std::atomic<int64_t> next{0};
    std::atomic<int64_t> done{0};
    std::atomic<bool> failed{false};
    std::atomic<bool> outOfMemory{false};
    auto work = [&] {
        const DeferredOutOfMemory deferred(outOfMemory);
        while (!failed.load(std::memory_order_relaxed)) {
            const int64_t first = next.fetch_add(chunk, std::memory_order_relaxed);
            if (first >= job.items) return;
            const int64_t last = std::min(first + chunk, job.items);
            if (!fn(body, first, last)) {
                failed.store(true, std::memory_order_relaxed);
                return;
            }
            done.fetch_add(last - first, std::memory_order_relaxed);
        }
    };

    std::array<std::thread, fast::kMaxThreads - 1> helpers;
    int32_t started = 0;
    for (; started < threads - 1; ++started) {
        try {
            helpers[started] = std::thread(work);
        } catch (const std::exception&) {
            break;  // no thread to be had: the threads that run take its share
        }
    }

    // The calling thread works and, after each chunk, counts the units of the items finished
    // by all threads so far.
    std::optional<DeferredOutOfMemory> deferred(std::in_place, outOfMemory);
    int64_t stepped = 0;
    auto catchUp = [&](int64_t target) {
        for (; stepped < target; ++stepped)
            progress::step();
    };
    while (!failed.load(std::memory_order_relaxed)) {
        const int64_t first = next.fetch_add(chunk, std::memory_order_relaxed);
        if (first >= job.items) break;
        const int64_t last = std::min(first + chunk, job.items);
        if (!fn(body, first, last)) {
            failed.store(true, std::memory_order_relaxed);
            break;
        }
        const int64_t finished =
            done.fetch_add(last - first, std::memory_order_relaxed) + last - first;
        catchUp(std::min(job.units * finished / job.items, job.units - 1));
    }
    for (int32_t i = 0; i < started; ++i)
        helpers[i].join();
    deferred.reset();
    if (outOfMemory.load()) showWarning(kNotEnoughMemory);
    if (failed.load(std::memory_order_relaxed)) return false;

    catchUp(job.units - 1);
    if (job.lastStep == LastStep::AfterAbortTest) {
        const bool aborted = abortRequested();
        catchUp(job.units);
        return !aborted;
    }
    catchUp(job.units);
    return !abortRequested();
}

}  // namespace dnr::bands_detail
