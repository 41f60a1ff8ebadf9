// Sharpening, aberration and geometry inside Grainwash2: cache reuse across preview runs and the
// stages' place in the pipeline.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "dnr.h"
#include "envelope_cache.h"
#include "pixel_view.h"
#include "stage_caches.h"

namespace dnr {
namespace {

constexpr int32_t kW = 32;
constexpr int32_t kH = 24;

std::vector<uint8_t> picture8() {
    std::vector<uint8_t> bits(size_t(stride8(kW)) * kH, 0);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> noise(-20, 20);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            uint8_t* px = bits.data() + size_t(stride8(kW)) * y + 3 * x;
            const int base = (x / 6 + y / 5) % 2 ? 170 : 70;
            px[0] = uint8_t(std::clamp(base + noise(rng) - 20, 0, 255));
            px[1] = uint8_t(std::clamp(base + noise(rng), 0, 255));
            px[2] = uint8_t(std::clamp(base + noise(rng) + 25, 0, 255));
        }
    return bits;
}

std::vector<uint16_t> picture16() {
    std::vector<uint16_t> bits(size_t(kW) * kH * 3);
    std::mt19937 rng(43);
    for (uint16_t& s : bits)
        s = uint16_t(rng() % 30000 + 1000);
    return bits;
}

ProcessingParams runParams(void* bits, int32_t bytesPerSample) {
    ProcessingParams p{};
    p.Magic = 0x8BD1C15A;
    p.Bits = bits;
    p.Width = kW;
    p.Height = kH;
    p.BytesPerSample = bytesPerSample;
    p.NoiseReductionOn = 1;
    p.NoiseMode = 2;
    p.NoiseLevel = 40;
    p.NoiseRadius = 2;
    p.NoiseReductionAmount = 60;
    p.NoiseEqualizerCount = 40;
    p.SharpenAmount = 30;
    p.EdgeWidth = 2;
    p.EdgeContrast = 10;
    p.SuppressHalos = 1;
    p.WhiteHalo = 50;
    p.SharpnessEqualizerCount = 40;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.FullWidth = p.ScaledFullWidth = kW;
    p.FullHeight = p.ScaledFullHeight = kH;
    p.SelectedColorRange = -1;
    return p;
}

// Leaves no cache behind for the next test.
void finalRunToEmptyCaches() {
    std::vector<uint8_t> bits = picture8();
    ProcessingParams p = runParams(bits.data(), 1);
    p.FinalRun = 1;
    ASSERT_EQ(Grainwash2(&p), 1);
}

TEST(LensPipeline, PreviewAfterChangingOnlySharpenAmountReusesResultCacheAndEnvelope) {
    std::vector<uint8_t> first = picture8();
    ProcessingParams p = runParams(first.data(), 1);
    ASSERT_EQ(Grainwash2(&p), 1);
    const uint64_t resultKey = stageCaches().result.key();
    const uint64_t envelope = envelopeCache().key;
    const uint64_t fills = envelopeCache().fills;
    ASSERT_NE(resultKey, 0u);
    ASSERT_NE(envelope, 0u);

    std::vector<uint8_t> second = picture8();
    p = runParams(second.data(), 1);
    p.SharpenAmount = 60;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(stageCaches().result.key(), resultKey);
    EXPECT_EQ(envelopeCache().key, envelope);
    EXPECT_EQ(envelopeCache().fills, fills);
    EXPECT_NE(first, second);

    // The reused planes give what a run from scratch gives.
    std::vector<uint8_t> fresh = picture8();
    p = runParams(fresh.data(), 1);
    p.SharpenAmount = 60;
    p.FinalRun = 1;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(second, fresh);
    // The final run emptied the envelopes and the result cache.
    EXPECT_EQ(envelopeCache().key, 0u);
    EXPECT_TRUE(envelopeCache().high.empty());
    EXPECT_EQ(stageCaches().result.key(), 0u);
}

// A preview takes the envelopes from the cache: spoil the cached upper envelope and every
// sharpened luma is held to it.
TEST(LensPipeline, PreviewTakesTheEnvelopesFromTheCache) {
    std::vector<uint8_t> bits = picture8();
    ProcessingParams p = runParams(bits.data(), 1);
    ASSERT_EQ(Grainwash2(&p), 1);
    Plane& high = envelopeCache().high;
    ASSERT_FALSE(high.empty());
    std::fill_n(high.data(), high.size(), uint16_t{0});

    bits = picture8();
    p = runParams(bits.data(), 1);
    p.SharpenAmount = 90;
    ASSERT_EQ(Grainwash2(&p), 1);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < 3 * kW; ++x)
            ASSERT_EQ(bits[size_t(stride8(kW)) * y + x], 0) << x << "," << y;
    finalRunToEmptyCaches();
}

TEST(LensPipeline, NeutralGeometryAndVignettingInTheRun) {
    const std::vector<uint16_t> source = picture16();
    auto run = [&source](int32_t distortionsOn, int32_t vignetting) {
        std::vector<uint16_t> bits = source;
        ProcessingParams p = runParams(bits.data(), 2);
        p.NoiseReductionOn = 0;
        p.SharpenAmount = 0;
        p.FinalRun = 1;
        p.DistortionsOn = distortionsOn;
        p.Vignetting = vignetting;
        EXPECT_EQ(Grainwash2(&p), 1);
        return bits;
    };
    const std::vector<uint16_t> off = run(0, 0);
    EXPECT_EQ(run(1, 0), off);
    const std::vector<uint16_t> doubled = run(1, 100);
    for (size_t i = 0; i < off.size(); ++i)
        ASSERT_EQ(doubled[i], std::min<uint32_t>(65535, (2047u * off[i]) >> 10)) << i;
}

TEST(LensPipeline, AberrationWithAnUnreachableThresholdChangesNothing) {
    const std::vector<uint16_t> source = picture16();
    auto run = [&source](int32_t caOn) {
        std::vector<uint16_t> bits = source;
        ProcessingParams p = runParams(bits.data(), 2);
        p.FinalRun = 1;
        p.CAOn = caOn;
        p.CAThreshold = 256;
        p.CARadius = 20;
        p.CATolerance = 100;
        EXPECT_EQ(Grainwash2(&p), 1);
        return bits;
    };
    EXPECT_EQ(run(1), run(0));
}

}  // namespace
}  // namespace dnr
