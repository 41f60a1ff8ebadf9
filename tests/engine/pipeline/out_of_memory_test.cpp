// Every allocation of a run that fails, planes and scratch arrays alike, ends the run the same way:
// one "Not enough memory!" through the message hook, Grainwash2 returns 0, the caller's pixels
// stay. The test lets the first n allocations of a run succeed and fails the rest, for every n
// until the run needs no more, on the plain path and with threads forced on.
#include <gtest/gtest.h>

#include "caller_picture.h"
#include "dnr.h"
#include "engine_state.h"
#include "fast_paths.h"
#include "noise_fixtures.h"
#include "sample_memory.h"
#include "warning_catcher.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::Picture;
using testing::WarningCatcher;

class AllocationLimit {
  public:
    explicit AllocationLimit(int64_t count) { limitAllocationsForTesting(count); }
    ~AllocationLimit() { limitAllocationsForTesting(-1); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

fast::Settings threaded() {
    fast::Settings s;
    s.threads = 3;
    s.minSamplesForThreads = 0;
    s.chunkSamples = 1;
    s.stripColumns = 4;
    return s;
}

fast::Settings plain() {
    fast::Settings s;
    s.enabled = false;
    return s;
}

struct Case {
    const char* what;
    void (*set)(ProcessingParams&);
};

const Case kCases[] = {
    {"normal noise filter, sharpening with halo suppression",
     [](ProcessingParams& p) {
         p.SharpenAmount = 40;
         p.EdgeWidth = 2;
         p.SuppressHalos = 1;
     }},
    {"high-noise filter", [](ProcessingParams& p) { p.NoiseMode = 6; }},
    {"aberration",
     [](ProcessingParams& p) {
         p.CAOn = 1;
         p.CARadius = 3;
         p.CAThreshold = 20;
     }},
};

TEST(OutOfMemory, EveryFailedAllocationEndsTheRunWithOneWarningAndThePixelsKept) {
    const Picture source = Picture::random(40, 24, 2, 31);
    for (const Case& c : kCases)
        for (bool threads : {false, true}) {
            SCOPED_TRACE(::testing::Message() << c.what << (threads ? ", threads" : ", plain"));
            const fast::Settings previous = fast::setSettings(threads ? threaded() : plain());
            int failures = 0;
            for (int64_t allowed = 0;; ++allowed) {
                ASSERT_LT(allowed, 1000) << "the run never got all it asked for";
                engine_state::releaseCaches();
                Picture pic = source;
                ProcessingParams p = defaultParams(pic);
                c.set(p);
                const WarningCatcher warnings;
                int32_t result;
                {
                    const AllocationLimit limit(allowed);
                    result = Grainwash2(&p);
                }
                if (result == 1) {
                    EXPECT_EQ(warnings.count(), 0);
                    break;
                }
                ++failures;
                EXPECT_EQ(warnings.count(), 1) << "after " << allowed << " allocations";
                EXPECT_EQ(warnings.last(), "Not enough memory!|Error");
                EXPECT_TRUE(pic.samePixels(source)) << "after " << allowed << " allocations";
            }
            EXPECT_GT(failures, 3);
            fast::setSettings(previous);
        }
}

}  // namespace
}  // namespace dnr
