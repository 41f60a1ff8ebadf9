#include "thread_cpu.h"

#include <ctime>

namespace bench {

namespace {

int64_t clockNs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

ThreadCpu threadCpuNow() {
    const int64_t thread = clockNs(CLOCK_THREAD_CPUTIME_ID);
    const int64_t process = clockNs(CLOCK_PROCESS_CPUTIME_ID);
    return {thread, process - thread};
}

}  // namespace bench
