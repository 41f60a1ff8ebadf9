// Large sample runs given back are kept for the next request of their size, at most two, and
// released by the engine state; a run's bytes do not depend on what a kept run held before, and
// a final run leaves nothing kept.
#include <gtest/gtest.h>

#include <algorithm>

#include "caller_picture.h"
#include "dnr.h"
#include "engine_state.h"
#include "noise_fixtures.h"
#include "sample_memory.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::Picture;

constexpr size_t kLarge = size_t{4} << 20;  // samples: 8 MiB, four huge pages
constexpr size_t kLargeBytes = kLarge * sizeof(uint16_t);

TEST(SampleMemory, ALargeRunGivenBackServesTheNextOfItsSize) {
    releasePooledSamples();
    const uint16_t* first = nullptr;
    {
        SampleMemory a = allocateSamples(kLarge);
        ASSERT_TRUE(a);
        first = a.get();
    }
    EXPECT_EQ(pooledSampleBytes(), kLargeBytes);

    SampleMemory other = allocateSamples(2 * kLarge);  // another size: a fresh run
    ASSERT_TRUE(other);
    EXPECT_NE(other.get(), first);
    EXPECT_EQ(pooledSampleBytes(), kLargeBytes);

    SampleMemory again = allocateSamples(kLarge);
    EXPECT_EQ(again.get(), first);
    EXPECT_EQ(pooledSampleBytes(), 0u);
}

TEST(SampleMemory, AtMostTwoRunsAreKeptAndSmallOnesNever) {
    releasePooledSamples();
    {
        SampleMemory small = allocateSamples(1000);
        SampleMemory a = allocateSamples(kLarge), b = allocateSamples(kLarge),
                     c = allocateSamples(kLarge);
        ASSERT_TRUE(small && a && b && c);
    }
    EXPECT_EQ(pooledSampleBytes(), 2 * kLargeBytes);
    releasePooledSamples();
    EXPECT_EQ(pooledSampleBytes(), 0u);

    { SampleMemory a = allocateSamples(kLarge); }
    engine_state::releaseCaches();
    EXPECT_EQ(pooledSampleBytes(), 0u);
}

TEST(SampleMemory, KeptRunsFullOfOldSamplesGiveTheSameBytesAndAFinalRunKeepsNone) {
    // Planes of 2048 x 2048 samples are large runs.
    const Picture source = Picture::random(2048, 2048, 2, 7);
    const auto run = [&](bool spoilKeptRuns, int32_t finalRun) {
        releasePooledSamples();
        engine_state::releaseCaches();
        if (spoilKeptRuns) {
            SampleMemory a = allocateSamples(size_t{2048} * 2048);
            SampleMemory b = allocateSamples(size_t{2048} * 2048);
            std::fill_n(a.get(), size_t{2048} * 2048, uint16_t{0xA5C3});
            std::fill_n(b.get(), size_t{2048} * 2048, uint16_t{0xFFFF});
        }
        Picture pic = source;
        ProcessingParams p = defaultParams(pic);
        p.SharpenAmount = 40;
        p.EdgeWidth = 2;
        p.SuppressHalos = 1;
        p.FinalRun = finalRun;
        EXPECT_EQ(Grainwash2(&p), 1);
        return pic;
    };
    for (const int32_t finalRun : {0, DNR_FINAL_RUN}) {
        SCOPED_TRACE(finalRun);
        const Picture fresh = run(false, finalRun);
        const Picture reused = run(true, finalRun);
        EXPECT_TRUE(fresh == reused);
        if (finalRun == DNR_FINAL_RUN) {
            EXPECT_EQ(pooledSampleBytes(), 0u);
        }
    }
    releasePooledSamples();
}

}  // namespace
}  // namespace dnr
