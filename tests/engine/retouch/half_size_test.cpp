#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr {
namespace {

// Sample c of pixel (x, y) of the source grids below: distinct small values.
uint16_t sourceValue(int32_t x, int32_t y, int c) {
    return uint16_t(40 * y + 4 * x + c);
}

TEST(ResizeImageHalf, NearestKeepsEveryOtherPixelOfEveryOtherRow) {
    const int32_t sw = 5, sh = 4, tw = 2, th = 2;
    std::vector<uint16_t> source16(size_t(sw) * sh * 3);
    std::vector<uint8_t> source8(size_t(stride8(sw)) * sh, 0xEE);
    for (int32_t y = 0; y < sh; ++y)
        for (int32_t x = 0; x < sw; ++x)
            for (int c = 0; c < 3; ++c) {
                source16[(size_t(y) * sw + x) * 3 + c] = sourceValue(x, y, c);
                source8[size_t(stride8(sw)) * y + 3 * x + c] = uint8_t(sourceValue(x, y, c));
            }
    std::vector<uint16_t> target16(size_t(tw) * th * 3, 0);
    std::vector<uint8_t> target8(size_t(stride8(tw)) * th, 0xEE);
    ASSERT_EQ(ResizeImage_Half_WORD(source16.data(), sw, sh, target16.data(), tw, th, 0), 1);
    ASSERT_EQ(ResizeImage_Half_Byte(source8.data(), sw, sh, target8.data(), tw, th, 0), 1);
    for (int32_t i = 0; i < th; ++i)
        for (int32_t k = 0; k < tw; ++k)
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(target16[(size_t(i) * tw + k) * 3 + c], sourceValue(2 * k, 2 * i, c));
                EXPECT_EQ(target8[size_t(stride8(tw)) * i + 3 * k + c],
                          sourceValue(2 * k, 2 * i, c));
            }
    // The padding of the 8-bit target rows is not written.
    EXPECT_EQ(target8[6], 0xEE);
    EXPECT_EQ(target8[7], 0xEE);
}

struct MeanCase {
    uint16_t a, b, c, d;  // (0,0), (1,0), (0,1), (1,1)
    uint16_t mean;
};

TEST(ResizeImageHalf, SmoothTakesTheFlooredMeanOfFour) {
    const MeanCase cases[] = {
        {1, 2, 3, 5, 2},  // 11 >> 2
        {0, 0, 0, 3, 0},  // 3 >> 2
        {255, 255, 255, 255, 255},
        {65535, 65535, 65535, 65535, 65535},  // the sum needs more than 16 bits
        {65535, 0, 65535, 0, 32767},
    };
    for (const MeanCase& m : cases) {
        uint16_t source16[12];
        for (int c = 0; c < 3; ++c) {
            source16[0 + c] = m.a;
            source16[3 + c] = m.b;
            source16[6 + c] = m.c;
            source16[9 + c] = m.d;
        }
        uint16_t target16[3] = {};
        ASSERT_EQ(ResizeImage_Half_WORD(source16, 2, 2, target16, 1, 1, 1), 1);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(target16[c], m.mean);

        if (m.mean > 255 || m.a > 255 || m.b > 255 || m.c > 255 || m.d > 255) continue;
        uint8_t source8[16] = {};  // rows of 6 bytes padded to 8
        for (int c = 0; c < 3; ++c) {
            source8[0 + c] = uint8_t(m.a);
            source8[3 + c] = uint8_t(m.b);
            source8[8 + c] = uint8_t(m.c);
            source8[11 + c] = uint8_t(m.d);
        }
        uint8_t target8[4] = {};
        ASSERT_EQ(ResizeImage_Half_Byte(source8, 2, 2, target8, 1, 1, 1), 1);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(target8[c], m.mean);
    }
}

TEST(ResizeImageHalf, ATargetWiderThanHalfTheSourceReadsNoFurtherThanItsLastColumn) {
    // Source 3 pixels wide, target 2: target pixel 1 would need source column 3.
    const uint16_t source[18] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 5, 5, 5, 6, 6, 6, 7, 7, 7};
    uint16_t target[6] = {};
    ASSERT_EQ(ResizeImage_Half_WORD(source, 3, 2, target, 2, 1, 1), 1);
    EXPECT_EQ(target[0], (1 + 2 + 5 + 6) >> 2);
    EXPECT_EQ(target[3], (3 + 3 + 7 + 7) >> 2);
}

TEST(ResizeImageHalf, RejectsMissingPixels) {
    uint16_t px[6] = {};
    EXPECT_EQ(ResizeImage_Half_WORD(nullptr, 2, 2, px, 1, 1, 0), 0);
    EXPECT_EQ(ResizeImage_Half_Byte(nullptr, 2, 2, nullptr, 1, 1, 0), 0);
    EXPECT_EQ(ResizeImage_Half_WORD(px, 0, 2, px, 1, 1, 0), 0);
}

}  // namespace
}  // namespace dnr
