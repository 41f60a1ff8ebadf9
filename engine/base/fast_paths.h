// Which way the engine runs its pixel loops. The plain path is the reference: one thread, the
// loops as the arithmetic reads. The fast path splits rows (or columns) among threads and uses
// kernels shaped for the vector unit; it gives the same bytes, and the tests compare the two.
// Internal to the engine: the switch and the tuning exist for those tests.
#pragma once

#include <cstdint>

namespace dnr::fast {

struct Settings {
    bool enabled = true;
    // Threads a job may use, the calling thread included; 0 = as many as the machine has
    // (at most kMaxThreads).
    int32_t threads = 0;
    // Jobs smaller than this many samples stay on the calling thread.
    int64_t minSamplesForThreads = 1 << 16;
    // Samples a thread takes at a time; a chunk holds at least one row (or column).
    int64_t chunkSamples = 1 << 15;
    // Columns a thread takes at a time in column sweeps; whole cache lines keep two threads off
    // each other's lines.
    int32_t stripColumns = 256;
};

inline constexpr int32_t kMaxThreads = 8;

const Settings& settings();
// For tests; returns the previous settings.
Settings setSettings(const Settings& s);

inline bool enabled() {
    return settings().enabled;
}

}  // namespace dnr::fast
