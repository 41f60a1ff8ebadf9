// The engine's state owner: ReleaseCaches empties every cache and the next preview recomputes
// what it needs, with a cold run's bytes; a final run leaves no cache behind but a matching input.
#include <gtest/gtest.h>

#include <algorithm>

#include "caller_picture.h"
#include "dnr.h"
#include "engine_state.h"
#include "envelope_cache.h"
#include "high_noise_filter.h"
#include "noise_fixtures.h"
#include "progress.h"
#include "stage_caches.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::Picture;

// A preview that fills every cache of its noise filter and the envelope of halo suppression.
ProcessingParams cachingParams(Picture& pic, int32_t noiseMode) {
    ProcessingParams p = defaultParams(pic);
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 40;
    p.NoiseMode = noiseMode;
    p.SharpenAmount = 40;
    p.EdgeWidth = 2;
    p.SuppressHalos = 1;
    return p;
}

void spoil(PlaneSet& set) {
    for (Plane& plane : set.planes)
        std::fill_n(plane.data(), plane.size(), uint16_t{0});
}

bool everyCacheEmpty() {
    const StageCaches& c = stageCaches();
    bool empty = c.input.key() == 0 && c.blur.key() == 0 && c.result.key() == 0 &&
                 c.noiseMap.empty() && noiseScaleCacheKey() == 0 && envelopeCache().key == 0 &&
                 envelopeCache().low.empty() && envelopeCache().high.empty();
    for (const PlaneSet* set : {&c.input, &c.blur, &c.result})
        for (const Plane& plane : set->planes)
            empty = empty && plane.empty();
    for (int m = 0; m < 3; ++m)
        for (int s = 0; s < 4; ++s)
            empty = empty && cachedNoiseScale(m, s).empty();
    return empty;
}

TEST(ReleaseCaches, EmptiesEveryCacheAndThePreviewThenRecomputesColdBytes) {
    for (int32_t mode : {4, 6}) {
        for (int32_t bps : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << ", depth " << bps);
            const Picture source = Picture::random(17, 13, bps, 21);
            Picture cold = source;
            ProcessingParams p = cachingParams(cold, mode);
            engine_state::releaseCaches();
            ASSERT_EQ(Grainwash2(&p), 1);
            ASSERT_NE(stageCaches().result.key(), 0u);
            ASSERT_NE(envelopeCache().key, 0u);
            if (mode == 6) {
                ASSERT_NE(noiseScaleCacheKey(), 0u);
            }

            // A spoiled result cache shows in the next preview: it is served from the cache...
            spoil(stageCaches().result);
            Picture served = source;
            p = cachingParams(served, mode);
            ASSERT_EQ(Grainwash2(&p), 1);
            EXPECT_FALSE(served.samePixels(cold));

            // ...until ReleaseCaches, after which the preview recomputes everything.
            spoil(stageCaches().result);
            spoil(stageCaches().input);
            EXPECT_EQ(ReleaseCaches(), 1);
            EXPECT_TRUE(everyCacheEmpty());
            Picture again = source;
            p = cachingParams(again, mode);
            ASSERT_EQ(Grainwash2(&p), 1);
            EXPECT_TRUE(again.samePixels(cold));
        }
    }
}

TEST(ReleaseCaches, FinalRunKeepsOnlyAMatchingInput) {
    for (int32_t mode : {4, 6}) {
        SCOPED_TRACE(::testing::Message() << "mode " << mode);
        const Picture source = Picture::random(15, 11, 2, 5);
        Picture preview = source;
        ProcessingParams p = cachingParams(preview, mode);
        engine_state::releaseCaches();
        ASSERT_EQ(Grainwash2(&p), 1);
        const uint64_t inputKey = stageCaches().input.key();
        ASSERT_NE(inputKey, 0u);

        // The same part at full size: the input matches and stays for the next preview.
        Picture final = source;
        p = cachingParams(final, mode);
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);
        EXPECT_TRUE(final.samePixels(preview));
        EXPECT_EQ(stageCaches().input.key(), inputKey);
        EXPECT_FALSE(stageCaches().input.planes[0].empty());
        EXPECT_TRUE(stageCaches().noiseMap.empty());
        EXPECT_EQ(noiseScaleCacheKey(), 0u);
        EXPECT_EQ(envelopeCache().key, 0u);

        // Another picture: the final run misses the input, and its stale samples go too.
        Picture other = Picture::random(15, 11, 2, 6);
        p = cachingParams(other, mode);
        p.FinalRun = 1;
        ASSERT_EQ(Grainwash2(&p), 1);
        EXPECT_TRUE(everyCacheEmpty());
    }
}

uint32_t gFakeMilliseconds = 0;
bool gBlurFilledAtAbort = false;

// A final run that fails on the way still releases what it would have: here it aborts in the
// noise blend, after it smoothed a new picture into the blur cache and filled the noise map.
TEST(ReleaseCaches, AbortedFinalRunLeavesNoCacheBehind) {
    const progress::ClockScope clock([]() -> uint32_t { return gFakeMilliseconds += 1000; });
    Picture preview = Picture::random(80, 60, 1, 7);
    ProcessingParams p = cachingParams(preview, 4);
    engine_state::releaseCaches();
    ASSERT_EQ(Grainwash2(&p), 1);
    ASSERT_NE(stageCaches().blur.key(), 0u);

    Picture other = Picture::random(80, 60, 1, 8);
    const Picture before = other;
    p = cachingParams(other, 4);
    p.FinalRun = 1;
    gBlurFilledAtAbort = false;  // a repeated run must abort again
    p.ProgressCallback = [](int32_t v) {
        if (v >= 500 && !gBlurFilledAtAbort) {
            gBlurFilledAtAbort = stageCaches().blur.key() != 0;
            Abort();
        }
    };
    progress::resetReportState();
    ASSERT_EQ(Grainwash2(&p), 0);
    // The abort came while the run held its own smoothed planes.
    EXPECT_TRUE(gBlurFilledAtAbort);
    EXPECT_TRUE(other.samePixels(before));
    EXPECT_TRUE(everyCacheEmpty());
}

}  // namespace
}  // namespace dnr
