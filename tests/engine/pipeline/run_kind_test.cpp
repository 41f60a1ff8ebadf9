// FinalRun is read one way by every stage: 1 is a final run, any other value a preview, which may
// paint display maps and keeps its caches.
#include <gtest/gtest.h>

#include "caller_picture.h"
#include "dnr.h"
#include "engine_state.h"
#include "noise_fixtures.h"
#include "stage_caches.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::Picture;

TEST(FinalRun, EveryValueButOneIsAPreview) {
    const Picture source = Picture::random(14, 9, 1, 12);
    const auto run = [&](int32_t finalRun, int32_t mode) {
        engine_state::releaseCaches();
        Picture pic = source;
        ProcessingParams p = defaultParams(pic);
        p.NoiseMode = mode;
        p.ShowNoiseMap = 1;
        p.FinalRun = finalRun;
        EXPECT_EQ(Grainwash2(&p), 1);
        return pic;
    };
    for (int32_t mode : {DNR_NOISE_NORMAL, DNR_NOISE_HIGH}) {
        const Picture preview = run(0, mode);
        const Picture final = run(DNR_FINAL_RUN, mode);
        // The map replaces the result in a preview only.
        EXPECT_FALSE(final.samePixels(preview)) << mode;
        for (int32_t other : {2, -1, 100}) {
            EXPECT_TRUE(run(other, mode).samePixels(preview)) << mode << ", " << other;
            EXPECT_NE(stageCaches().result.key(), 0u) << mode << ", " << other;
        }
    }
}

}  // namespace
}  // namespace dnr
