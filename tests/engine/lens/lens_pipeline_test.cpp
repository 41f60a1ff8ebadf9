// Sharpening, aberration and geometry inside Grainwash2: cache reuse across preview runs and the
// stages' place in the pipeline.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "caller_picture.h"
#include "dnr.h"
#include "envelope_cache.h"
#include "pixel_view.h"
#include "stage_caches.h"

namespace dnr {
namespace {

using testing::Picture;

constexpr int32_t kW = 32;
constexpr int32_t kH = 24;

// Two-tone blocks with noise, tinted (8-bit).
Picture picture8() {
    Picture pic(kW, kH, 1);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> noise(-20, 20);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            const int base = (x / 6 + y / 5) % 2 ? 170 : 70;
            const int b = std::clamp(base + noise(rng) - 20, 0, 255);
            const int g = std::clamp(base + noise(rng), 0, 255);
            const int r = std::clamp(base + noise(rng) + 25, 0, 255);
            pic.set(x, y, {r, g, b});
        }
    return pic;
}

// Random samples in 1000..30999 (16-bit).
Picture picture16() {
    Picture pic(kW, kH, 2);
    std::mt19937 rng(43);
    for (uint16_t& s : pic.samples16())
        s = uint16_t(rng() % 30000 + 1000);
    return pic;
}

// Noise reduction and sharpening with halo suppression on, a preview run.
ProcessingParams runParams(Picture& pic) {
    ProcessingParams p = testing::neutralParams(pic);
    p.NoiseReductionOn = 1;
    p.NoiseLevel = 40;
    p.NoiseRadius = 2;
    p.NoiseReductionAmount = 60;
    p.SharpenAmount = 30;
    p.EdgeWidth = 2;
    p.EdgeContrast = 10;
    p.SuppressHalos = 1;
    p.WhiteHalo = 50;
    return p;
}

// Leaves no cache behind for the next test.
void finalRunToEmptyCaches() {
    Picture pic = picture8();
    ProcessingParams p = runParams(pic);
    p.FinalRun = 1;
    ASSERT_EQ(Grainwash2(&p), 1);
}

TEST(LensPipeline, PreviewAfterChangingOnlySharpenAmountReusesResultCacheAndEnvelope) {
    Picture first = picture8();
    ProcessingParams p = runParams(first);
    ASSERT_EQ(Grainwash2(&p), 1);
    const uint64_t resultKey = stageCaches().result.key();
    const uint64_t envelope = envelopeCache().key;
    const uint64_t fills = envelopeCache().fills;
    ASSERT_NE(resultKey, 0u);
    ASSERT_NE(envelope, 0u);

    Picture second = picture8();
    p = runParams(second);
    p.SharpenAmount = 60;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(stageCaches().result.key(), resultKey);
    EXPECT_EQ(envelopeCache().key, envelope);
    EXPECT_EQ(envelopeCache().fills, fills);
    EXPECT_FALSE(first == second);

    // The reused planes give what a run from scratch gives.
    Picture fresh = picture8();
    p = runParams(fresh);
    p.SharpenAmount = 60;
    p.FinalRun = 1;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_TRUE(second == fresh);
    // The final run emptied the envelopes and the result cache.
    EXPECT_EQ(envelopeCache().key, 0u);
    EXPECT_TRUE(envelopeCache().high.empty());
    EXPECT_EQ(stageCaches().result.key(), 0u);
}

// A preview takes the envelopes from the cache: spoil the cached upper envelope and every
// sharpened luma is held to it.
TEST(LensPipeline, PreviewTakesTheEnvelopesFromTheCache) {
    Picture pic = picture8();
    ProcessingParams p = runParams(pic);
    ASSERT_EQ(Grainwash2(&p), 1);
    Plane& high = envelopeCache().high;
    ASSERT_FALSE(high.empty());
    std::fill_n(high.data(), high.size(), uint16_t{0});

    pic = picture8();
    p = runParams(pic);
    p.SharpenAmount = 90;
    ASSERT_EQ(Grainwash2(&p), 1);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < 3 * kW; ++x)
            ASSERT_EQ(pic.samples8()[size_t(stride8(kW)) * y + x], 0) << x << "," << y;
    finalRunToEmptyCaches();
}

TEST(LensPipeline, NeutralGeometryAndVignettingInTheRun) {
    const Picture source = picture16();
    auto run = [&source](int32_t distortionsOn, int32_t vignetting) {
        Picture pic = source;
        ProcessingParams p = runParams(pic);
        p.NoiseReductionOn = 0;
        p.SharpenAmount = 0;
        p.FinalRun = 1;
        p.DistortionsOn = distortionsOn;
        p.Vignetting = vignetting;
        EXPECT_EQ(Grainwash2(&p), 1);
        return pic.samples16();
    };
    const std::vector<uint16_t> off = run(0, 0);
    EXPECT_EQ(run(1, 0), off);
    const std::vector<uint16_t> doubled = run(1, 100);
    for (size_t i = 0; i < off.size(); ++i)
        ASSERT_EQ(doubled[i], std::min<uint32_t>(65535, (2047u * off[i]) >> 10)) << i;
}

TEST(LensPipeline, AberrationWithAnUnreachableThresholdChangesNothing) {
    const Picture source = picture16();
    auto run = [&source](int32_t caOn) {
        Picture pic = source;
        ProcessingParams p = runParams(pic);
        p.FinalRun = 1;
        p.CAOn = caOn;
        p.CAThreshold = 256;
        p.CARadius = 20;
        p.CATolerance = 100;
        EXPECT_EQ(Grainwash2(&p), 1);
        return pic.samples16();
    };
    EXPECT_EQ(run(1), run(0));
}

}  // namespace
}  // namespace dnr
