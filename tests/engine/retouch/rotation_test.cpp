#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr {
namespace {

// Angles in the export's unit that give about 0.1 and 0.25 radians.
constexpr int32_t kTenthRadian = 99949;
constexpr int32_t kQuarterRadian = 249873;

// A packed 16-bit grid whose pixel (x, y) in storage order holds blue x, green y, red 7.
std::vector<uint16_t> positionGrid16(int32_t w, int32_t h) {
    std::vector<uint16_t> px(size_t(w) * h * 3);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint16_t* p = &px[(size_t(y) * w + x) * 3];
            p[0] = uint16_t(x);
            p[1] = uint16_t(y);
            p[2] = 7;
        }
    return px;
}

// A padded 8-bit grid with the same content.
std::vector<uint8_t> positionGrid8(int32_t w, int32_t h) {
    const int64_t stride = stride8(w);
    std::vector<uint8_t> px(size_t(stride) * h, 0xEE);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = &px[size_t(stride) * y + 3 * x];
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = 7;
        }
    return px;
}

TEST(RotateImage, AngleZeroCopiesThePicture) {
    for (int32_t smooth : {0, 1}) {
        const auto source = positionGrid16(7, 5);
        std::vector<uint16_t> target(source.size(), 0);
        EXPECT_EQ(RotateImage(source.data(), target.data(), 7, 5, 0, 0, 0, smooth), 1);
        EXPECT_EQ(target, source) << "smooth " << smooth;

        const auto source8 = positionGrid8(7, 5);
        std::vector<uint8_t> target8(source8.size(), 0xEE);
        EXPECT_EQ(RotateImage_Byte(source8.data(), target8.data(), 7, 5, 0, 0, 0, smooth), 1);
        EXPECT_EQ(target8, source8) << "smooth " << smooth;
    }
}

struct MirrorCase {
    int32_t width, height, angle;
    int32_t x, y;              // target pixel
    int32_t sourceX, sourceY;  // where its content comes from
};

// Worked by hand: with 0.25 rad (sin 0.2474, cos 0.9689) on a 21 by 3 grid centred at (10, 1),
// target (20, 2) maps to (19.44, 4.44): row 4 is mirrored to 2*3-4-1 = 1. Target (0, 0) maps to
// (0.56, -2.44): row -3 becomes 3 and then 2. With 0.1 rad on a 9 by 9 grid centred at (4, 4),
// target (0, 0) maps to (0.42, -0.38) and target (0, 8) to (-0.38, 7.58).
TEST(RotateImage, NearestSampleMirrorsPositionsOutsideThePicture) {
    const MirrorCase cases[] = {
        {21, 3, kQuarterRadian, 20, 2, 19, 1}, {21, 3, kQuarterRadian, 0, 0, 0, 2},
        {21, 3, kQuarterRadian, 10, 1, 10, 1}, {9, 9, kTenthRadian, 0, 0, 0, 1},
        {9, 9, kTenthRadian, 0, 8, 1, 7},      {9, 9, kTenthRadian, 4, 4, 4, 4},
    };
    for (const MirrorCase& c : cases) {
        const auto source16 = positionGrid16(c.width, c.height);
        std::vector<uint16_t> target16(source16.size(), 0xFFFF);
        ASSERT_EQ(
            RotateImage(source16.data(), target16.data(), c.width, c.height, 0, 0, c.angle, 0), 1);
        const uint16_t* p = &target16[(size_t(c.y) * c.width + c.x) * 3];
        EXPECT_EQ(p[0], c.sourceX) << "16-bit target " << c.x << "," << c.y;
        EXPECT_EQ(p[1], c.sourceY) << "16-bit target " << c.x << "," << c.y;
        EXPECT_EQ(p[2], 7);

        const auto source8 = positionGrid8(c.width, c.height);
        std::vector<uint8_t> target8(source8.size(), 0xEE);
        ASSERT_EQ(
            RotateImage_Byte(source8.data(), target8.data(), c.width, c.height, 0, 0, c.angle, 0),
            1);
        const uint8_t* q = &target8[size_t(stride8(c.width)) * c.y + 3 * c.x];
        EXPECT_EQ(q[0], c.sourceX) << "8-bit target " << c.x << "," << c.y;
        EXPECT_EQ(q[1], c.sourceY) << "8-bit target " << c.x << "," << c.y;
        EXPECT_EQ(q[2], 7);
    }
}

TEST(RotateImage, SmoothRotationOfAFlatPictureKeepsItsColourUpToTheCorners) {
    const int32_t w = 12, h = 8;
    std::vector<uint16_t> source(size_t(w) * h * 3);
    for (size_t i = 0; i < source.size(); i += 3) {
        source[i] = 1000;
        source[i + 1] = 40000;
        source[i + 2] = 65535;
    }
    std::vector<uint16_t> target(source.size(), 0);
    ASSERT_EQ(RotateImage(source.data(), target.data(), w, h, 0, 0, kQuarterRadian, 1), 1);
    EXPECT_EQ(target, source);
}

// Bilinear weights on a ramp whose columns hold 1000 times their index.
TEST(RotateImage, SmoothRotationBlendsNeighbours) {
    const int32_t w = 9, h = 9;
    std::vector<uint16_t> source(size_t(w) * h * 3);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                source[(size_t(y) * w + x) * 3 + c] = uint16_t(x * 1000);
    std::vector<uint16_t> nearest(source.size()), smooth(source.size());
    ASSERT_EQ(RotateImage(source.data(), nearest.data(), w, h, 0, 0, kTenthRadian, 0), 1);
    ASSERT_EQ(RotateImage(source.data(), smooth.data(), w, h, 0, 0, kTenthRadian, 1), 1);
    // Target (5, 4) maps to 4 + 65208/65536 = 4.995 (sin and cos of 0.1 rad in 16.16 are 6542
    // and 65208): nearest takes column 4; the blend has fx = 65208 >> 8 = 254, so the value is
    // (1 * 4000 + 254 * 5000) / 255 = 4996 whatever the row weights.
    const size_t at = (size_t(4) * w + 5) * 3;
    EXPECT_EQ(nearest[at], 4000);
    EXPECT_EQ(smooth[at], 4996);
}

// A quarter turn of a wide, flat picture sends most positions more than a picture away; they are
// held at the edge after the mirror instead of being read outside the buffer.
TEST(RotateImage, LargeAnglesReadOnlyInsideThePicture) {
    const int32_t w = 40, h = 2;
    const auto source = positionGrid16(w, h);
    for (int32_t smooth : {0, 1}) {
        std::vector<uint16_t> target(source.size(), 0xFFFF);
        ASSERT_EQ(RotateImage(source.data(), target.data(), w, h, 0, 0, 1570000, smooth), 1);
        for (size_t i = 0; i < target.size(); i += 3) {
            EXPECT_LT(target[i], w);
            EXPECT_LT(target[i + 1], h);
            EXPECT_EQ(target[i + 2], 7);
        }
    }
}

TEST(RotateImage, RejectsMissingPixels) {
    uint16_t px[3] = {1, 2, 3};
    EXPECT_EQ(RotateImage(nullptr, px, 1, 1, 0, 0, 0, 0), 0);
    EXPECT_EQ(RotateImage(px, nullptr, 1, 1, 0, 0, 0, 0), 0);
    EXPECT_EQ(RotateImage_Byte(nullptr, nullptr, 1, 1, 0, 0, 0, 0), 0);
    EXPECT_EQ(RotateImage(px, px, 0, 1, 0, 0, 0, 0), 0);
}

}  // namespace
}  // namespace dnr
