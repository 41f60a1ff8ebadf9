#include <gtest/gtest.h>

#include "caller_picture.h"
#include "dnr.h"
#include "progress.h"

namespace dnr {
namespace {

using testing::Picture;

TEST(GetRGB, SinglePixelIn16BitDomain) {
    Picture pic(4, 3, 1);
    pic.set16(2, 1, {30 << 8, 20 << 8, 10 << 8});
    const ImageDesc d = pic.desc();
    uint16_t r = 0, g = 0, b = 0;
    EXPECT_EQ(GetRGB(&d, 2, 1, 1, &r, &g, &b), 0);
    EXPECT_EQ(r, 7680);
    EXPECT_EQ(g, 5120);
    EXPECT_EQ(b, 2560);
}

// Each pixel gets a distinct red value (x + 16*y); the block mean shows which block was read.
struct BlockCase {
    const char* what;
    int32_t x, y, size;
    int32_t x0, y0;  // expected lower-left corner of the block read
};

TEST(GetRGB, BlockOriginIsClampedInsideThePicture) {
    constexpr int32_t w = 16, h = 16;
    for (int32_t bps : {1, 2}) {
        Picture pic(w, h, bps);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                pic.set16(x, y, {uint16_t((x + 16 * y) << 8), 0, 0});
        const ImageDesc d = pic.desc();
        const BlockCase cases[] = {
            {"bottom-left corner", 0, 0, 15, 0, 0},
            {"right edge ends one column early", w - 1, 0, 3, w - 3 - 1, 0},
            {"top edge ends one row early", 0, h - 1, 3, 0, h - 3 - 1},
            {"centred", 8, 8, 3, 7, 7},
            {"size 0 counts as 1", 5, 6, 0, 5, 6},
            {"block larger than the picture is shrunk", 3, 3, 40, 0, 0},
        };
        for (const BlockCase& c : cases) {
            const int32_t size = std::clamp(c.size, 1, 16);
            int64_t sum = 0;
            for (int32_t j = c.y0; j < c.y0 + size; ++j)
                for (int32_t i = c.x0; i < c.x0 + size; ++i)
                    sum += int64_t(i + 16 * j) << 8;
            uint16_t r = 0, g = 1, b = 1;
            GetRGB(&d, c.x, c.y, c.size, &r, &g, &b);
            EXPECT_EQ(r, sum / (size * size)) << c.what << " depth " << bps;
            EXPECT_EQ(g, 0) << c.what;
        }
    }
}

TEST(GetYUV, BlackAndWhite) {
    Picture black(3, 3, 1);
    ImageDesc d = black.desc();
    uint16_t y = 1, cr = 0, cb = 0;
    EXPECT_EQ(GetYUV(&d, 1, 1, 3, &y, &cr, &cb), 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cr, 0x8000);
    EXPECT_EQ(cb, 0x8000);

    Picture white(3, 3, 2);
    std::fill(white.samples16().begin(), white.samples16().end(), uint16_t{65535});
    d = white.desc();
    EXPECT_EQ(GetYUV(&d, 1, 1, 3, &y, &cr, &cb), 65535);
    EXPECT_EQ(y, 65535);
    EXPECT_EQ(cr, 0x8000 - 16);
    EXPECT_EQ(cb, 0x8000 - 64);
}

TEST(PixelQueries, NoPixelsReadNothing) {
    uint16_t r = 7, g = 7, b = 7;
    uint8_t pixel[4] = {1, 2, 3, 0};
    const ImageDesc cases[] = {
        {DNR_IMAGE_MAGIC, nullptr, 1, 1, 1},  // no pointer
        {DNR_IMAGE_MAGIC, pixel, 1, -1, 1},   // no image
        {DNR_IMAGE_MAGIC, pixel, 1, 0, 1},    // a bitmap handle: not supported here
        {DNR_IMAGE_MAGIC, pixel, 0, 1, 1},    // no width
        {DNR_IMAGE_MAGIC, pixel, 1, 1, -4},   // negative height
    };
    for (const ImageDesc& d : cases) {
        EXPECT_EQ(GetRGB(&d, 0, 0, 1, &r, &g, &b), 0);
        EXPECT_EQ(GetYUV(&d, 0, 0, 1, &r, &g, &b), 0);
    }
    EXPECT_EQ(GetRGB(nullptr, 0, 0, 1, &r, &g, &b), 0);
    EXPECT_EQ(r, 7);
}

TEST(CopyPartOfSession, EightBitRowsAreCopiedInStoredOrder) {
    Picture src = Picture::random(7, 5, 1, 11);
    const int32_t w = 3, h = 2, left = 2, firstRow = 1;
    std::vector<uint8_t> target(size_t(stride8(w) * h), 0xEE);
    EXPECT_EQ(CopyPartOfSession(src.samples8().data(), nullptr, 7, 5, left, firstRow, target.data(),
                                nullptr, w, h),
              0);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w * 3; ++i)
            EXPECT_EQ(target[size_t(stride8(w) * j + i)],
                      src.samples8()[size_t(stride8(7) * (firstRow + j) + left * 3 + i)]);
    EXPECT_EQ(target[9], 0xEE) << "row padding untouched";
}

TEST(CopyPartOfSession, SixteenBitRowsArePacked) {
    Picture src = Picture::random(5, 4, 2, 12);
    const int32_t w = 2, h = 3, left = 3, firstRow = 1;
    std::vector<uint16_t> target(size_t(w) * h * 3, 0);
    CopyPartOfSession(nullptr, src.samples16().data(), 5, 4, left, firstRow, nullptr, target.data(),
                      w, h);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w * 3; ++i)
            EXPECT_EQ(target[size_t(j * w * 3 + i)],
                      src.samples16()[size_t((left + 5 * (firstRow + j)) * 3 + i)]);
}

TEST(CopyPartOfSession, RectangleOutsideTheSourceCopiesNothing) {
    Picture src = Picture::random(4, 4, 1, 13);
    std::vector<uint8_t> target(64, 0xEE);
    CopyPartOfSession(src.samples8().data(), nullptr, 4, 4, 2, 0, target.data(), nullptr, 3, 1);
    CopyPartOfSession(src.samples8().data(), nullptr, 4, 4, 0, 2, target.data(), nullptr, 1, 3);
    CopyPartOfSession(src.samples8().data(), nullptr, 4, 4, -1, 0, target.data(), nullptr, 1, 1);
    for (uint8_t b : target)
        EXPECT_EQ(b, 0xEE);
}

TEST(CoreExports, SmallOnes) {
    EXPECT_EQ(CalculateLostDetails(), 0);
    EXPECT_EQ(Abort(), 1);
    EXPECT_TRUE(abortRequested());
    clearAbort();
}

}  // namespace
}  // namespace dnr
