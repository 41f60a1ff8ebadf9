// CPU time of the process split into the calling thread and all the others (including threads
// that have ended meanwhile), in nanoseconds.
#pragma once

#include <cstdint>

namespace bench {

struct ThreadCpu {
    int64_t thisThreadNs = 0;
    int64_t otherThreadsNs = 0;
};

ThreadCpu threadCpuNow();

}  // namespace bench
