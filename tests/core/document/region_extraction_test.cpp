// The preview rectangle copied out of the source through the engine's copy.
#include <gtest/gtest.h>

#include "core/document/region_extraction.h"
#include "imaging/imaging.h"

namespace core {
namespace {

class RegionExtraction : public ::testing::TestWithParam<bool> {};

TEST_P(RegionExtraction, CopiesTheRectangleWithTheProfile) {
    const bool sixteen = GetParam();
    const imaging::Handle source = imaging::cNewSession();
    const imaging::Handle target = imaging::cNewSession();
    ASSERT_TRUE(sixteen ? imaging::cLoadImage16(source, nullptr, 0, 31, 17)
                        : imaging::cLoadImage8(source, nullptr, 0, 31, 17));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 31; ++x)
            imaging::cOpSetPixelColor(source, x, y, static_cast<uint16_t>(x << 11),
                                      static_cast<uint16_t>(y << 11),
                                      static_cast<uint16_t>((x + y) << 10));
    const std::vector<uint8_t> profile = imaging::srgbProfile();
    imaging::cLoadICCProfile(source, profile.data(), profile.size());
    ASSERT_TRUE(extractRegion(source, target, 5, 3, 14, 8));
    imaging::ImageInfo info;
    ASSERT_TRUE(imaging::cGetImageInfo(target, info));
    EXPECT_EQ(info.width, 10);
    EXPECT_EQ(info.height, 6);
    EXPECT_EQ(imaging::cGetBits16Ptr(target) != nullptr, sixteen);
    EXPECT_EQ(imaging::cGetImageICCProfile(target), profile);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            uint16_t a[3], b[3];
            imaging::cGetPixelColor(source, x + 5, y + 3, a[0], a[1], a[2]);
            imaging::cGetPixelColor(target, x, y, b[0], b[1], b[2]);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(a[c], b[c]) << x << "," << y;
        }
    // Rectangles reaching outside the source are refused, leaving the target empty.
    EXPECT_FALSE(extractRegion(source, target, 25, 3, 31, 8));
    EXPECT_FALSE(extractRegion(source, target, -1, 0, 3, 3));
    EXPECT_FALSE(extractRegion(source, target, 0, 10, 3, 17));
    EXPECT_FALSE(extractRegion(source, target, 5, 5, 4, 6));
    EXPECT_FALSE(imaging::cGetImageInfo(target, info));
    imaging::cDestroySession(source);
    imaging::cDestroySession(target);
}

INSTANTIATE_TEST_SUITE_P(Depths, RegionExtraction, ::testing::Bool());

}  // namespace
}  // namespace core
