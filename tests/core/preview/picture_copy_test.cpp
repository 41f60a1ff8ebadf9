// Session copies keep their handle; the display picture is the 8-bit data the right way up.
#include <gtest/gtest.h>

#include "core/preview/picture_copy.h"
#include "imaging/image.h"
#include "synthetic_pictures.h"

namespace core {
namespace {

TEST(DisplayImage, TurnsBottomUpRowsTheRightWayAndKeepsTheColours) {
    // 2 x 2, stride 8: stored row 0 is the bottom image row.
    const uint8_t bits[16] = {
        10, 20, 30, 40,  50,  60,  0, 0,  // bottom: (blue, green, red) per pixel
        70, 80, 90, 100, 110, 120, 0, 0,  // top
    };
    const QImage image = displayImage(bits, 2, 2);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(90, 80, 70));
    EXPECT_EQ(image.pixel(1, 0), qRgb(120, 110, 100));
    EXPECT_EQ(image.pixel(0, 1), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(1, 1), qRgb(60, 50, 40));
    EXPECT_TRUE(displayImage(nullptr, 2, 2).isNull());
    EXPECT_TRUE(displayImage(bits, 0, 2).isNull());
}

class PictureCopy : public ::testing::TestWithParam<bool> {};

TEST_P(PictureCopy, CopiesPixelsAndProfileIntoTheTargetsHandle) {
    const imaging::Handle source = patternSession(13, 7, GetParam());
    const imaging::Handle target = imaging::cNewSession();
    const std::vector<uint8_t> profile = imaging::srgbProfile();
    imaging::cLoadICCProfile(source, profile.data(), profile.size());
    ASSERT_TRUE(copyPicture(source, target));
    EXPECT_TRUE(holdsPicture(target));
    EXPECT_EQ(imaging::cGetBits16Ptr(target) != nullptr, GetParam());
    EXPECT_EQ(imaging::cGetImageICCProfile(target), profile);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            uint16_t a[3], b[3];
            imaging::cGetPixelColor(source, x, y, a[0], a[1], a[2]);
            imaging::cGetPixelColor(target, x, y, b[0], b[1], b[2]);
            ASSERT_EQ(a[0], b[0]);
            ASSERT_EQ(a[1], b[1]);
            ASSERT_EQ(a[2], b[2]);
        }
    const QImage shown = displayCopyImage(target);
    EXPECT_EQ(shown.size(), QSize(13, 7));
    // An empty source leaves the target empty.
    imaging::cUnload(source);
    EXPECT_FALSE(copyPicture(source, target));
    EXPECT_FALSE(holdsPicture(target));
    imaging::cDestroySession(source);
    imaging::cDestroySession(target);
}

INSTANTIATE_TEST_SUITE_P(Depths, PictureCopy, ::testing::Bool());

}  // namespace
}  // namespace core
