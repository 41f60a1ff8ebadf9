#include "velmar_blur.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "falloff.h"
#include "progress.h"

namespace dnr {
namespace {

// Rows from the bottom: rows[0] is row 0.
Plane planeOf(const std::vector<std::vector<int>>& rows) {
    Plane p;
    const int h = int(rows.size());
    const int w = int(rows[0].size());
    EXPECT_TRUE(p.allocate(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.row(y)[x] = uint16_t(rows[y][x]);
    return p;
}

std::vector<std::vector<int>> rowsOf(const Plane& p) {
    std::vector<std::vector<int>> rows(p.height, std::vector<int>(p.width));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            rows[y][x] = p.row(y)[x];
    return rows;
}

Plane randomPlane(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(0, 65535);
    Plane p;
    EXPECT_TRUE(p.allocate(w, h));
    for (size_t i = 0; i < p.size(); ++i)
        p.data()[i] = uint16_t(value(rng));
    return p;
}

const char* nameOf(BlurVariant v) {
    switch (v) {
        case BlurVariant::Average:
            return "Average";
        case BlurVariant::EdgeWeighted:
            return "EdgeWeighted";
        case BlurVariant::Agreement:
            return "Agreement";
        case BlurVariant::Minimum:
            return "Minimum";
        case BlurVariant::Maximum:
            return "Maximum";
        case BlurVariant::Box:
            return "Box";
    }
    return "?";
}

constexpr BlurVariant kRecursive[] = {BlurVariant::Average, BlurVariant::EdgeWeighted,
                                      BlurVariant::Agreement, BlurVariant::Minimum,
                                      BlurVariant::Maximum};

TEST(VelmarBlur, RadiusZeroLeavesEveryRecursiveVariantUnchanged) {
    const Plane input = randomPlane(23, 17, 1);
    // Negative radii count as 0 (radius -4 would otherwise divide by zero).
    for (int radius : {0, -1, -4, -1000})
        for (BlurVariant v : kRecursive) {
            Plane out;
            ASSERT_TRUE(velmarBlur(out, &input, radius, v)) << nameOf(v);
            EXPECT_EQ(rowsOf(out), rowsOf(input)) << nameOf(v) << " " << radius;
        }
}

TEST(VelmarBlur, BoxRadiusZeroIsRadiusOne) {
    const Plane input = randomPlane(9, 8, 2);
    Plane zero, one;
    ASSERT_TRUE(velmarBlur(zero, &input, 0, BlurVariant::Box));
    ASSERT_TRUE(velmarBlur(one, &input, 1, BlurVariant::Box));
    EXPECT_EQ(rowsOf(zero), rowsOf(one));
    EXPECT_NE(rowsOf(zero), rowsOf(input));
}

struct BlurCase {
    const char* what;
    BlurVariant variant;
    int radius;
    std::vector<std::vector<int>> input;     // rows from the bottom
    std::vector<std::vector<int>> expected;  // worked through the sweeps by hand
};

// Radius 4 gives the coefficient 4*256/8 = 128, so one step is (s + x) >> 1.
const BlurCase kHandWorked[] = {
    // One row: only the horizontal pass. Backward states 128 256 512 0, forward 0 0 512 256.
    {"row", BlurVariant::Average, 4, {{0, 0, 1024, 0}}, {{64, 128, 512, 128}}},
    {"row", BlurVariant::EdgeWeighted, 4, {{0, 0, 1024, 0}}, {{0, 0, 512, 0}}},
    {"row", BlurVariant::Agreement, 4, {{0, 0, 1024, 0}}, {{64, 128, 512, 128}}},
    {"row", BlurVariant::Minimum, 4, {{0, 0, 1024, 0}}, {{0, 0, 512, 0}}},
    {"row", BlurVariant::Maximum, 4, {{0, 0, 1024, 0}}, {{256, 512, 1024, 512}}},
    // One column: the horizontal pass changes nothing; sweep A gives 128 256 512 and keeps the
    // top row's horizontal state 0, sweep B gives 64 544 272 for rows 1..3; row 0 is kept.
    {"column", BlurVariant::Average, 4, {{0}, {0}, {1024}, {0}}, {{0}, {160}, {528}, {136}}},
    {"column", BlurVariant::EdgeWeighted, 4, {{0}, {0}, {1024}, {0}}, {{0}, {102}, {528}, {0}}},
    // A single column has no horizontal disagreement, so the vertical pass never applies.
    {"column", BlurVariant::Agreement, 4, {{0}, {0}, {1024}, {0}}, {{0}, {0}, {1024}, {0}}},
    {"column", BlurVariant::Minimum, 4, {{0}, {0}, {1024}, {0}}, {{0}, {0}, {512}, {0}}},
    {"column", BlurVariant::Maximum, 4, {{0}, {0}, {1024}, {0}}, {{0}, {512}, {1024}, {512}}},
    // Agreement in two dimensions: row 1 of the first plane disagrees horizontally by 512 and
    // its vertical passes differ by 64 and 320, so both pixels take the vertical mean; the flat
    // row 1 of the second plane has no disagreement and keeps its values.
    {"square", BlurVariant::Agreement, 4, {{0, 1024}, {1024, 0}}, {{256, 768}, {544, 160}}},
    {"square", BlurVariant::Agreement, 4, {{0, 1024}, {512, 512}}, {{256, 768}, {512, 512}}},
    // Box: 3 by 3 means with the border samples repeated outside.
    {"box",
     BlurVariant::Box,
     1,
     {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
     {{2, 3, 3}, {4, 5, 5}, {6, 7, 7}}},
    // A window wider than the plane keeps its 11 by 11 samples, the border ones repeated: row 0
    // is counted 6, 5 and 4 times for output rows 0, 1 and 2, row 1 once, row 2 4, 5 and 6
    // times, and columns alike. Sample 3r + c + 1 then sums to 121 + 33 Ry + 11 Rx with Ry, Rx
    // 9, 11 or 13: 517 539 561 / 583 605 627 / 649 671 693, over 121.
    {"box",
     BlurVariant::Box,
     5,
     {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
     {{4, 4, 4}, {4, 5, 5}, {5, 5, 5}}},
    // One row: no vertical extent, so the window is 3 by 1.
    {"box row", BlurVariant::Box, 1, {{0, 0, 900, 0, 0}}, {{0, 300, 300, 300, 0}}},
};

TEST(VelmarBlur, TinyPlanesGiveTheHandWorkedValues) {
    for (const BlurCase& c : kHandWorked) {
        const Plane input = planeOf(c.input);
        Plane out;
        ASSERT_TRUE(velmarBlur(out, &input, c.radius, c.variant)) << c.what;
        EXPECT_EQ(rowsOf(out), c.expected) << c.what << " " << nameOf(c.variant);
    }
}

TEST(VelmarBlur, SmoothingInPlaceEqualsSmoothingIntoAnotherPlane) {
    for (BlurVariant v : {BlurVariant::Average, BlurVariant::EdgeWeighted, BlurVariant::Agreement,
                          BlurVariant::Minimum, BlurVariant::Maximum, BlurVariant::Box})
        for (int radius : {1, 3, 12, 10100}) {
            const Plane input = randomPlane(31, 19, 3);
            Plane separate;
            ASSERT_TRUE(velmarBlur(separate, &input, radius, v));
            Plane inPlace;
            ASSERT_TRUE(inPlace.copyFrom(input));
            ASSERT_TRUE(velmarBlur(inPlace, nullptr, radius, v));
            EXPECT_EQ(rowsOf(inPlace), rowsOf(separate)) << nameOf(v) << " " << radius;
        }
}

// The box mean with repeated borders, summed directly.
int directBoxMean(const Plane& p, int x, int y, int n) {
    int64_t sum = 0;
    for (int dy = -n; dy <= n; ++dy)
        for (int dx = -n; dx <= n; ++dx) {
            const int sx = std::clamp(x + dx, 0, p.width - 1);
            const int sy = std::clamp(y + dy, 0, p.height - 1);
            sum += p.row(sy)[sx];
        }
    return int(sum / ((2 * n + 1) * (2 * n + 1)));
}

TEST(VelmarBlur, BoxRunningSumsEqualDirectSums) {
    // Planes narrower or lower than the window included: the window is never cut down, the
    // border samples repeat as far as it reaches.
    struct Size {
        int w, h;
    };
    for (const Size size : {Size{40, 37}, Size{1, 1}, Size{3, 2}, Size{7, 7}, Size{5, 12}})
        for (int radius : {1, 2, 4, 5, 8}) {
            const Plane input = randomPlane(size.w, size.h, 4 + radius);
            Plane out;
            ASSERT_TRUE(velmarBlur(out, &input, radius, BlurVariant::Box));
            for (int y = 0; y < input.height; ++y)
                for (int x = 0; x < input.width; ++x)
                    ASSERT_EQ(out.row(y)[x], directBoxMean(input, x, y, radius))
                        << size.w << "x" << size.h << " radius " << radius << " at " << x << ","
                        << y;
        }
}

TEST(VelmarBlur, MinimumAndMaximumStayOnTheirSideOfTheInput) {
    const Plane input = randomPlane(25, 21, 5);
    Plane lo, hi;
    ASSERT_TRUE(velmarBlur(lo, &input, 6, BlurVariant::Minimum));
    ASSERT_TRUE(velmarBlur(hi, &input, 6, BlurVariant::Maximum));
    for (size_t i = 0; i < input.size(); ++i) {
        EXPECT_LE(lo.data()[i], input.data()[i]);
        EXPECT_GE(hi.data()[i], input.data()[i]);
    }
}

TEST(VelmarBlur, EdgeWeightedProductsDoNotWrap) {
    // Row [0, 65535], radius 4: at the bright sample b = 65535, f = 32767 and the weights are 32769
    // and 1, so the numerator is 65535*32769 + 32767 = 2147549182, past 2^31; /32770 = 65534.
    const Plane input = planeOf({{0, 65535}});
    Plane out;
    ASSERT_TRUE(velmarBlur(out, &input, 4, BlurVariant::EdgeWeighted));
    EXPECT_EQ(rowsOf(out), (std::vector<std::vector<int>>{{0, 65534}}));
}

TEST(VelmarBlur, WhiteStaysWhiteAtTheLargestRadius) {
    const Plane white = planeOf({{65535, 65535, 65535}, {65535, 65535, 65535}});
    for (BlurVariant v : kRecursive) {
        Plane out;
        ASSERT_TRUE(velmarBlur(out, &white, 10100, v));
        EXPECT_EQ(rowsOf(out), rowsOf(white)) << nameOf(v);
    }
}

uint32_t gFakeNow = 0;
uint32_t fakeClock() {
    return gFakeNow += 1000;
}
int gLastCallback = -1;
void recordCallback(int32_t v) {
    gLastCallback = v;
}

TEST(VelmarBlur, OwnProgressTotalEndsExactlyAtTheEndOfTheShare) {
    const progress::ClockScope clock(fakeClock);
    progress::setCallback(recordCallback);
    for (BlurVariant v : {BlurVariant::Average, BlurVariant::Agreement, BlurVariant::Box})
        for (int h : {8, 16, 32}) {
            progress::resetReportState();
            progress::setShare(0, 1000);
            gLastCallback = -1;
            const Plane input = randomPlane(5, h, 6);
            Plane out;
            ASSERT_TRUE(velmarBlur(out, &input, 3, v));
            // 2*h units, a multiple of 16: the last unit reports the share's end, never beyond.
            EXPECT_EQ(gLastCallback, 1000) << nameOf(v) << " h=" << h;
        }
    progress::setCallback(nullptr);
    progress::resetReportState();
}

TEST(VelmarBlur, AbortEndsTheFilterWithFailure) {
    const Plane input = randomPlane(8, 8, 7);
    for (BlurVariant v : {BlurVariant::Average, BlurVariant::EdgeWeighted, BlurVariant::Agreement,
                          BlurVariant::Minimum, BlurVariant::Maximum, BlurVariant::Box}) {
        Plane out;
        Abort();
        EXPECT_FALSE(velmarBlur(out, &input, 3, v)) << nameOf(v);
        clearAbort();
        EXPECT_TRUE(velmarBlur(out, &input, 3, v)) << nameOf(v);
    }
}

TEST(Falloff, TableValuesAndClampedIndices) {
    // 1.05*exp(-20*(i/1024)^12) is above 1 up to about i = 600; at 768 it is
    // 1.05*exp(-20*0.75^12) = 1.05*exp(-0.63353) = 0.55727, times 1024.9 = 571.1.
    const struct {
        int index;
        int value;
    } cases[] = {{-5, 1024}, {0, 1024}, {300, 1024}, {600, 1024},
                 {768, 571}, {1023, 0}, {1024, 0},   {5000, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(falloff(c.index), c.value) << c.index;
    for (int i = 1; i < 1024; ++i)
        EXPECT_LE(falloff(i), falloff(i - 1)) << i;
}

}  // namespace
}  // namespace dnr
