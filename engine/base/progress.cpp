#include "progress.h"

#include <chrono>

namespace dnr {

std::atomic<bool> gAbortFlag{false};
std::atomic<int> gAbortIgnored{0};

namespace progress {
namespace {

uint32_t steadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct State {
    int32_t start = 0;
    int32_t end = 0;
    DnrProgressCallback callback = nullptr;
    int32_t count = 0;
    int32_t total = 0;
    int32_t lastValue = -1;
    uint32_t lastTime = 0;
    bool suppressed = false;
    Clock clock = steadyMilliseconds;
};

State gState;

}  // namespace

void setCallback(DnrProgressCallback callback) {
    gState.callback = callback;
}

void setShare(int32_t startPermille, int32_t endPermille) {
    gState.start = startPermille;
    gState.end = endPermille;
}

void begin(int32_t totalUnits) {
    gState.total = totalUnits;
    gState.count = 0;
}

void step() {
    ++gState.count;
    if (gState.count % 16 == 0 && !gState.suppressed) report();
}

void report() {
    State& s = gState;
    if (s.total == 0) return;
    // Widened so that a stage counting more than two million units cannot wrap.
    const auto v =
        static_cast<int32_t>((s.start + int64_t{s.end - s.start} * s.count / s.total) / 10);
    if (v == s.lastValue) return;
    const uint32_t now = s.clock();
    if (now - s.lastTime < 100u) return;
    s.lastTime = now;
    s.lastValue = v;
    if (s.callback) s.callback(v * 10);
}

void setSuppressed(bool suppressed) {
    gState.suppressed = suppressed;
}

void setClockForTesting(Clock clock) {
    gState.clock = clock ? clock : steadyMilliseconds;
}

int32_t lastReported() {
    return gState.lastValue;
}

void resetReportState() {
    gState.lastValue = -1;
    gState.lastTime = 0;
}

}  // namespace progress
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL Abort(void) {
    dnr::gAbortFlag.store(true, std::memory_order_relaxed);
    return 1;
}
