// Progress and abort, one state for the library.
//
// The driver gives each stage a share of 0..1000 (setShare); the stage announces how many units
// of work it will do (begin) and counts them (step). Every sixteenth unit asks for a report; a
// report reaches the callback at most once per 100 ms and only when the value moved.
#pragma once

#include <atomic>
#include <cstdint>

#include "dnr.h"

namespace dnr::progress {

using Clock = uint32_t (*)();  // milliseconds, wrapping

void setCallback(DnrProgressCallback callback);
void setShare(int32_t startPermille, int32_t endPermille);
void begin(int32_t totalUnits);
// Counts one unit and reports on every sixteenth.
void step();
// Asks for a report now (the rules above still apply).
void report();

// The red-eye stage runs other filters inside itself and hides their progress.
void setSuppressed(bool suppressed);

// For tests: a clock to replace the steady clock (null restores it), and the reported state.
void setClockForTesting(Clock clock);
int32_t lastReported();
void resetReportState();

// For tests: the given clock for the life of the scope, then the steady clock again.
class ClockScope {
  public:
    explicit ClockScope(Clock clock) { setClockForTesting(clock); }
    ~ClockScope() { setClockForTesting(nullptr); }
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;
};

}  // namespace dnr::progress

namespace dnr {

extern std::atomic<bool> gAbortFlag;
// Above 0 while an export that only draws or measures runs: those never stop for Abort.
extern std::atomic<int> gAbortIgnored;

inline bool abortRequested() {
    return gAbortFlag.load(std::memory_order_relaxed) &&
           gAbortIgnored.load(std::memory_order_relaxed) == 0;
}
inline void clearAbort() {
    gAbortFlag.store(false, std::memory_order_relaxed);
}

// Held by the drawing and measuring exports: a raised abort flag, left over from an aborted run
// until the next run clears it, must not stop the smoothing and conversions they share with the
// pipeline's stages.
class AbortIgnored {
  public:
    AbortIgnored() { gAbortIgnored.fetch_add(1, std::memory_order_relaxed); }
    ~AbortIgnored() { gAbortIgnored.fetch_sub(1, std::memory_order_relaxed); }
    AbortIgnored(const AbortIgnored&) = delete;
    AbortIgnored& operator=(const AbortIgnored&) = delete;
};

}  // namespace dnr
