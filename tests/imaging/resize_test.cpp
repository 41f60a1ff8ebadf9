// Resampling: rows shared among threads and the row-wise column sums give the same bytes as one
// sum at a time on one thread, for both depths, all three filters, shrinking and enlarging;
// resizeInto leaves its source alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/imaging.h"
#include "imaging/transforms.h"

namespace {

using imaging::Image;

// The resampling written as the arithmetic reads: each output sample's sum on its own, the
// horizontal pass into floats, then the vertical pass.
struct Taps {
    int first = 0;
    std::vector<double> weights;
};

double kernel(int filter, double x) {
    x = std::fabs(x);
    if (filter == imaging::kFilterBilinear) return x < 1.0 ? 1.0 - x : 0.0;
    constexpr double B = 1.0 / 3.0, C = 1.0 / 3.0;
    if (x < 1.0)
        return ((12 - 9 * B - 6 * C) * x * x * x + (-18 + 12 * B + 6 * C) * x * x + (6 - 2 * B)) /
               6.0;
    if (x < 2.0)
        return ((-B - 6 * C) * x * x * x + (6 * B + 30 * C) * x * x + (-12 * B - 48 * C) * x +
                (8 * B + 24 * C)) /
               6.0;
    return 0.0;
}

std::vector<Taps> taps(int inSize, int outSize, int filter) {
    std::vector<Taps> result(static_cast<size_t>(outSize));
    const double scale = static_cast<double>(inSize) / outSize;
    for (int o = 0; o < outSize; ++o) {
        Taps& t = result[static_cast<size_t>(o)];
        const double centre = (o + 0.5) * scale - 0.5;
        if (filter == imaging::kFilterNearest) {
            t.first = std::clamp(static_cast<int>(std::floor((o + 0.5) * scale)), 0, inSize - 1);
            t.weights = {1.0};
            continue;
        }
        const double radius = filter == imaging::kFilterBilinear ? 1.0 : 2.0;
        const double stretch = std::max(1.0, scale);
        const int lo = static_cast<int>(std::floor(centre - radius * stretch));
        const int hi = static_cast<int>(std::ceil(centre + radius * stretch));
        const int first = std::max(lo, 0), last = std::min(hi, inSize - 1);
        double sum = 0;
        for (int i = first; i <= last; ++i) {
            t.weights.push_back(kernel(filter, (i - centre) / stretch));
            sum += t.weights.back();
        }
        if (t.weights.empty() || sum == 0.0) {
            t.first = std::clamp(static_cast<int>(std::lround(centre)), 0, inSize - 1);
            t.weights = {1.0};
            continue;
        }
        for (double& v : t.weights)
            v /= sum;
        t.first = first;
    }
    return result;
}

// Top-down RGB samples of the resampled picture, in the picture's depth.
std::vector<uint32_t> plainResize(const Image& in, int width, int height, int filter) {
    const auto tx = taps(in.width, width, filter), ty = taps(in.height, height, filter);
    std::vector<float> horiz(static_cast<size_t>(width) * 3 * in.height);
    std::vector<uint16_t> row16(static_cast<size_t>(in.width) * 3);
    std::vector<uint8_t> row8(static_cast<size_t>(in.width) * 3);
    for (int y = 0; y < in.height; ++y) {
        if (in.sixteen)
            in.getRowRgb16(y, row16.data());
        else
            in.getRowRgb8(y, row8.data());
        for (int x = 0; x < width; ++x) {
            const Taps& t = tx[static_cast<size_t>(x)];
            double acc[3] = {0, 0, 0};
            for (size_t i = 0; i < t.weights.size(); ++i)
                for (int ch = 0; ch < 3; ++ch) {
                    const size_t at = 3 * static_cast<size_t>(t.first + static_cast<int>(i)) + ch;
                    acc[ch] += t.weights[i] * (in.sixteen ? double(row16[at]) : double(row8[at]));
                }
            for (int ch = 0; ch < 3; ++ch)
                horiz[(static_cast<size_t>(y) * width + x) * 3 + ch] = static_cast<float>(acc[ch]);
        }
    }
    const double white = in.sixteen ? 65535.0 : 255.0;
    std::vector<uint32_t> out;
    for (int y = 0; y < height; ++y) {
        const Taps& t = ty[static_cast<size_t>(y)];
        for (int x = 0; x < width * 3; ++x) {
            double acc = 0;
            for (size_t i = 0; i < t.weights.size(); ++i)
                acc += t.weights[i] *
                       horiz[static_cast<size_t>(t.first + static_cast<int>(i)) * width * 3 + x];
            out.push_back(static_cast<uint32_t>(std::clamp(acc + 0.5, 0.0, white)));
        }
    }
    return out;
}

std::vector<uint32_t> samplesOf(const Image& image) {
    std::vector<uint32_t> out;
    std::vector<uint16_t> row16(static_cast<size_t>(image.width) * 3);
    std::vector<uint8_t> row8(static_cast<size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        if (image.sixteen) {
            image.getRowRgb16(y, row16.data());
            out.insert(out.end(), row16.begin(), row16.end());
        } else {
            image.getRowRgb8(y, row8.data());
            out.insert(out.end(), row8.begin(), row8.end());
        }
    }
    return out;
}

// A picture of noise over gradients, so that every weight matters.
Image picture(int width, int height, bool sixteen) {
    Image image;
    std::string error;
    EXPECT_TRUE(image.allocate(width, height, sixteen, error)) << error;
    uint32_t state = 12345;
    std::vector<uint16_t> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                state = state * 1664525u + 1013904223u;
                const uint32_t noise = state >> 22;  // 0..1023
                const uint32_t base = (x * 40000u / width + y * 20000u / height + ch * 5000u);
                row[3 * static_cast<size_t>(x) + ch] =
                    static_cast<uint16_t>(std::min<uint32_t>(65535, base + noise * 20));
            }
        image.putRow16(y, row.data(), 3);
    }
    return image;
}

struct ResizeCase {
    int inW, inH, outW, outH, filter;
};

class ResizeAgainstPlainSums
    : public ::testing::TestWithParam<std::tuple<ResizeCase, bool /*sixteen*/>> {};

TEST_P(ResizeAgainstPlainSums, SameSamples) {
    const auto [c, sixteen] = GetParam();
    const Image source = picture(c.inW, c.inH, sixteen);
    const std::vector<uint32_t> expected = plainResize(source, c.outW, c.outH, c.filter);

    Image resized = source;
    std::string error;
    ASSERT_TRUE(imaging::resize(resized, c.outW, c.outH, c.filter, error)) << error;
    ASSERT_EQ(resized.width, c.outW);
    ASSERT_EQ(resized.height, c.outH);
    EXPECT_EQ(samplesOf(resized), expected);

    Image into;
    ASSERT_TRUE(imaging::resizeInto(source, c.outW, c.outH, c.filter, into, error)) << error;
    EXPECT_EQ(samplesOf(into), expected);
    EXPECT_EQ(into.bits8, resized.bits8);  // the display copy of a 16-bit result too
    EXPECT_EQ(samplesOf(source), samplesOf(picture(c.inW, c.inH, sixteen)));
}

// Small and odd sizes; a thumbnail-like shrink by 37; one with enough work for the rows to be
// shared among threads.
INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeAgainstPlainSums,
    ::testing::Combine(::testing::Values(ResizeCase{600, 403, 16, 11, imaging::kFilterBilinear},
                                         ResizeCase{97, 61, 40, 25, imaging::kFilterMitchell},
                                         ResizeCase{33, 21, 70, 45, imaging::kFilterMitchell},
                                         ResizeCase{33, 22, 57, 9, imaging::kFilterBilinear},
                                         ResizeCase{50, 30, 17, 41, imaging::kFilterNearest},
                                         ResizeCase{1, 7, 5, 1, imaging::kFilterBilinear},
                                         ResizeCase{3000, 1501, 40, 20, imaging::kFilterBilinear}),
                       ::testing::Bool()));

TEST(ResizeInto, TheSameSizeCopiesThePixelsAndBadSizesFail) {
    const Image source = picture(20, 10, true);
    Image out;
    std::string error;
    ASSERT_TRUE(imaging::resizeInto(source, 20, 10, imaging::kFilterBilinear, out, error));
    EXPECT_EQ(out.bits16, source.bits16);
    EXPECT_EQ(out.bits8, source.bits8);
    EXPECT_TRUE(out.sixteen);
    EXPECT_FALSE(imaging::resizeInto(source, 0, 10, imaging::kFilterBilinear, out, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(imaging::resizeInto(source, 5, 5, 99, out, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
