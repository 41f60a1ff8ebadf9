#include "exposure_merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "caller_picture.h"
#include "progress.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;

// Channel c (0 blue, 1 green, 2 red) in the 16-bit domain.
int32_t wide(Picture& p, int32_t x, int32_t y, int c) {
    return static_cast<int32_t>(p.view().sample(x, y, c));
}

// A smooth, textured scene of relative radiance 0.1..1.8 (1.0 = full scale at the bright
// exposure), y counted upward.
double scene(double x, double y) {
    return 0.95 + 0.45 * std::sin(x / 61.0) * std::cos(y / 53.0) +
           0.4 * std::sin((x + 2 * y) / 97.0);
}

// Deterministic noise in -amplitude..amplitude.
int32_t noise(uint32_t x, uint32_t y, uint32_t seed, int32_t amplitude) {
    uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return int32_t(h % uint32_t(2 * amplitude + 1)) - amplitude;
}

int32_t clampSample(double v) {
    return int32_t(std::fmin(65535.0, std::fmax(0.0, v)));
}

// Channel tints so that the pair is not grey.
constexpr double kTint[3] = {0.7, 0.85, 1.0};  // blue, green, red

void paintTexture(Picture& p) {
    for (int32_t y = 0; y < p.height(); ++y)
        for (int32_t x = 0; x < p.width(); ++x) {
            const double v = scene(x, y) * 30000.0;
            p.set16(
                x, y,
                {clampSample(v * kTint[2]), clampSample(v * kTint[1]), clampSample(v * kTint[0])});
        }
}

TEST(ExposureMerge, IdenticalShotsGiveRatioOneNoShiftAndTheInputBack) {
    for (const int bytes : {1, 2}) {
        Picture first(64, 48, bytes), second(64, 48, bytes), output(64, 48, bytes);
        paintTexture(first);
        paintTexture(second);
        clearAbort();
        PixelView a = first.pixelView(), b = second.pixelView(), o = output.pixelView();
        ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 1);
        EXPECT_TRUE(output.samePixels(first)) << bytes << " bytes a sample";

        Plane l1, l2;
        ASSERT_TRUE(lumaPlane(*makeView(&a), l1));
        ASSERT_TRUE(lumaPlane(*makeView(&b), l2));
        EXPECT_EQ(brightnessRatio(l1, l2), 1.0);
        const MergeAlignment found = searchAlignment(l1, l2);
        EXPECT_EQ(found.ShiftX, 0);
        EXPECT_EQ(found.ShiftY, 0);
        EXPECT_EQ(found.Angle, 0.0);
        EXPECT_EQ(found.Ratio, 1.0);
    }
}

TEST(ExposureMerge, SecondShotTwiceAsBrightIsHalvedBeforeBlending) {
    // Grey levels: the luma of grey v is exactly v, so the measured ratio is exactly 2.
    Picture first(40, 30, 2), second(40, 30, 2), output(40, 30, 2);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x) {
            const int32_t v = 2000 + 700 * x + 80 * y;  // up to 31620, so 2v does not clip
            first.set(x, y, {v, v, v});
            second.set(x, y, {2 * v, 2 * v, 2 * v});
        }
    PixelView a = first.pixelView(), b = second.pixelView(), o = output.pixelView();
    Plane l1, l2;
    ASSERT_TRUE(lumaPlane(*makeView(&a), l1));
    ASSERT_TRUE(lumaPlane(*makeView(&b), l2));
    const double ratio = brightnessRatio(l1, l2);
    EXPECT_EQ(ratio, 2.0);
    EXPECT_EQ(static_cast<int32_t>(1024.0 / ratio), 512);

    clearAbort();
    ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 1);
    // Halved, the second equals the first, so every weighted mean is the first's value.
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(output.get(x, y), first.get(x, y)) << x << "," << y;
}

TEST(ExposureMerge, RejectsDifferentSizesAndMissingPixels) {
    Picture first(20, 10, 1), second(21, 10, 1), output(20, 10, 1);
    PixelView a = first.pixelView(), b = second.pixelView(), o = output.pixelView();
    EXPECT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 0);
    PixelView none{nullptr, 20, -1, 10};
    EXPECT_EQ(IncreaseDynamicRange_TEST(&a, &none, &o), 0);
    EXPECT_EQ(IncreaseDynamicRange_TEST(&a, &a, nullptr), 0);
}

TEST(ExposureMerge, ShiftedPairIsAlignedAndMergedCloserToTheSceneThanEitherShot) {
    // The search only spans shifts of 33 pixels or more (3% of the side), so the picture is
    // at least 1100 pixels wide and high.
    constexpr int32_t kSide = 1120;
    constexpr int32_t kDx = 3, kDy = -2;  // the second shot is the scene moved by (dx, dy)
    constexpr int32_t kNoise = 600;
    Picture dark(kSide, kSide, 2), bright(kSide, kSide, 2), output(kSide, kSide, 2);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            int32_t d[3], l[3];
            for (int c = 0; c < 3; ++c) {
                d[c] = clampSample(scene(x, y) * 32768.0 * kTint[c] + noise(x, y, c, kNoise));
                l[c] = clampSample(scene(x - kDx, y - kDy) * 65536.0 * kTint[c] +
                                   noise(x, y, c + 3, kNoise));
            }
            dark.set(x, y, {d[2], d[1], d[0]});
            bright.set(x, y, {l[2], l[1], l[0]});
        }
    PixelView a = dark.pixelView(), b = bright.pixelView(), o = output.pixelView();

    Plane l1, l2;
    ASSERT_TRUE(lumaPlane(*makeView(&a), l1));
    ASSERT_TRUE(lumaPlane(*makeView(&b), l2));
    clearAbort();
    const MergeAlignment found = searchAlignment(l1, l2);
    EXPECT_EQ(found.ShiftX, kDx);
    EXPECT_EQ(found.ShiftY, kDy);
    EXPECT_EQ(found.Angle, 0.0);
    EXPECT_NEAR(found.Ratio, 2.0, 0.05);

    ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 1);
    // Mean error against the true scene at the dark exposure, away from the border where the
    // second shot has no pixels.
    double errorMerged = 0, errorDark = 0, errorBright = 0;
    int64_t n = 0;
    for (int32_t y = 8; y < kSide - 8; ++y)
        for (int32_t x = 8; x < kSide - 8; ++x)
            for (int c = 0; c < 3; ++c) {
                const double truth = scene(x, y) * 32768.0 * kTint[c];
                errorMerged += std::fabs(wide(output, x, y, c) - truth);
                errorDark += std::fabs(wide(dark, x, y, c) - truth);
                // The bright shot at its best: aligned and brought to the dark exposure.
                errorBright += std::fabs(wide(bright, x + kDx, y + kDy, c) / 2.0 - truth);
                ++n;
            }
    errorMerged /= n;
    errorDark /= n;
    errorBright /= n;
    EXPECT_LT(errorMerged, errorDark);
    EXPECT_LT(errorMerged, errorBright);
}

// The blend written out plainly for a picture too small for any search (every range rounds to
// 0, so the shots stay aligned and only the measured ratio counts): luma with 1225, 2404, 467
// over 4096, the ratio of the luma sums inside 2560..62720, and each channel the mean of the two
// shots at one exposure, weighted by how far each one's luma is from clipping or from black.
TEST(ExposureMerge, BlendWeightsFollowEachShotsExposure) {
    constexpr int32_t kW = 7, kH = 5;
    for (const bool secondBrighter : {true, false}) {
        Picture first(kW, kH, 2), second(kW, kH, 2), output(kW, kH, 2);
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                const int32_t v = 3000 + 4100 * x + 2300 * y;
                const Colour dark{v, (v * 3) / 4, 40000 - v / 2};
                const Colour bright{std::min(65535, 2 * v + 900 * (x % 3)), (v * 7) / 4,
                                    std::min(65535, 52000 - v + 300 * y)};
                first.set(x, y, secondBrighter ? dark : bright);
                second.set(x, y, secondBrighter ? bright : dark);
            }
        auto luma = [](Picture& p, int32_t x, int32_t y) {
            const int64_t l = (1225 * int64_t{wide(p, x, y, 2)} + 2404 * wide(p, x, y, 1) +
                               467 * wide(p, x, y, 0)) >>
                              12;
            return std::min<int64_t>(l, 65535);
        };
        int64_t sum1 = 0, sum2 = 0;
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                const int64_t l1 = luma(first, x, y), l2 = luma(second, x, y);
                if (l1 >= 2560 && l1 <= 62720 && l2 >= 2560 && l2 <= 62720) {
                    sum1 += l1;
                    sum2 += l2;
                }
            }
        const double ratio = double(sum2) / double(sum1);
        ASSERT_EQ(ratio > 1.0, secondBrighter);
        const int64_t ka = ratio > 1.0 ? 1024 : int64_t(ratio * 1024.0);
        const int64_t kb = ratio > 1.0 ? int64_t(1024.0 / ratio) : 1024;

        PixelView a = first.pixelView(), b = second.pixelView(), o = output.pixelView();
        clearAbort();
        ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 1);
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                const int64_t y1 = luma(first, x, y), y2 = luma(second, x, y);
                const int64_t wa = ratio > 1.0 ? y1 >> 8 : (65535 - y1) >> 8;
                const int64_t wb = ratio > 1.0 ? (65535 - y2) >> 8 : y2 >> 8;
                for (int c = 0; c < 3; ++c) {
                    const int64_t av = (int64_t{wide(first, x, y, c)} * ka) >> 10;
                    const int64_t bv = (int64_t{wide(second, x, y, c)} * kb) >> 10;
                    const int64_t want = ((wa + 1) * av + (wb + 1) * bv) / (wa + wb + 2);
                    ASSERT_EQ(wide(output, x, y, c), std::clamp<int64_t>(want, 0, 65535))
                        << secondBrighter << " at " << x << "," << y << " channel " << c;
                }
            }
        EXPECT_FALSE(output.samePixels(first));
    }
}

TEST(ExposureMerge, RaisedAbortFlagEndsTheSearchAtTheStartingPoint) {
    constexpr int32_t kSide = 1120;
    Picture first(kSide, 64, 2), second(kSide, 64, 2);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            first.set(x, y, {clampSample(scene(x, y) * 30000), 20000, 20000});
            second.set(x, y, {clampSample(scene(x - 20, y) * 30000), 20000, 20000});
        }
    PixelView a = first.pixelView(), b = second.pixelView();
    Plane l1, l2;
    ASSERT_TRUE(lumaPlane(*makeView(&a), l1));
    ASSERT_TRUE(lumaPlane(*makeView(&b), l2));
    // Unaligned, the measured ratio is not exactly 1, so the best shift may miss by a pixel.
    clearAbort();
    EXPECT_NEAR(searchAlignment(l1, l2).ShiftX, 20, 1);
    // Raised before the search: no candidate has been compared, so the start is kept.
    Abort();
    const MergeAlignment stopped = searchAlignment(l1, l2);
    EXPECT_EQ(stopped.ShiftX, 0);
    EXPECT_EQ(stopped.ShiftY, 0);
    EXPECT_EQ(stopped.Angle, 0.0);
    EXPECT_EQ(stopped.Scale, 1.0);
    EXPECT_EQ(stopped.Ratio, brightnessRatio(l1, l2));
    clearAbort();
}

TEST(ExposureMerge, AFlagLeftOverFromAnAbortedRunDoesNotStopTheMerge) {
    // The pair of the search test: the merge must still find the shift of 20.
    constexpr int32_t kSide = 1120;
    Picture first(kSide, 64, 2), second(kSide, 64, 2), output(kSide, 64, 2), clean(kSide, 64, 2);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            first.set(x, y, {clampSample(scene(x, y) * 30000), 20000, 20000});
            second.set(x, y, {clampSample(scene(x - 20, y) * 30000), 20000, 20000});
        }
    PixelView a = first.pixelView(), b = second.pixelView(), o = output.pixelView(),
              c = clean.pixelView();
    clearAbort();
    ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &c), 1);
    Abort();
    ASSERT_EQ(IncreaseDynamicRange_TEST(&a, &b, &o), 1);
    EXPECT_TRUE(abortRequested()) << "the flag is the next run's to clear";
    clearAbort();
    EXPECT_TRUE(output.samePixels(clean));

    // Two identical shots come back unchanged with the flag raised.
    for (const int bytes : {1, 2}) {
        Picture one(64, 48, bytes), two(64, 48, bytes), merged(64, 48, bytes);
        paintTexture(one);
        paintTexture(two);
        PixelView p1 = one.pixelView(), p2 = two.pixelView(), pm = merged.pixelView();
        Abort();
        ASSERT_EQ(IncreaseDynamicRange_TEST(&p1, &p2, &pm), 1);
        clearAbort();
        EXPECT_TRUE(merged.samePixels(one)) << bytes << " bytes";
    }
}

}  // namespace
}  // namespace dnr
