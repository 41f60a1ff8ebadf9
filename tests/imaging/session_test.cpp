// Sessions, handles, error texts and the two pixel layouts the engine reads.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

TEST(ImagingSession, UnknownHandlesFailWithAText) {
    EXPECT_FALSE(cUnload(987654));
    EXPECT_FALSE(cGetLastError(0).empty());
    EXPECT_EQ(cDupSession(987654), 0u);
    EXPECT_EQ(cGetBitsPtr(987654), nullptr);
    EXPECT_FALSE(cDestroySession(987654));
}

TEST(ImagingSession, EmptySessionHasNoPixels) {
    SessionGuard s;
    ImageInfo info;
    EXPECT_FALSE(cGetImageInfo(s, info));
    EXPECT_FALSE(cGetLastError(s).empty());
    EXPECT_EQ(cGetBitsPtr(s), nullptr);
    EXPECT_EQ(cGetBits16Ptr(s), nullptr);
}

TEST(ImagingSession, EightBitRowsAreBottomUpPaddedBlueGreenRed) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage8(s, nullptr, 0, 5, 3));  // 5 pixels: 15 bytes padded to 16
    EXPECT_EQ(cGetBits16Ptr(s), nullptr);
    ASSERT_TRUE(cOpSetPixelColor(s, 1, 0, 0x1100, 0x2200, 0x3300));  // top row
    const std::uint8_t* bits = cGetBitsPtr(s);
    const std::size_t stride = 16;
    const std::uint8_t* topRow = bits + stride * 2;  // stored last
    EXPECT_EQ(topRow[3], 0x33);                      // blue first
    EXPECT_EQ(topRow[4], 0x22);
    EXPECT_EQ(topRow[5], 0x11);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.bitsPerPixel, 24);
}

TEST(ImagingSession, SixteenBitRowsAreTopDownPackedWithADisplayCopy) {
    SessionGuard s;
    std::vector<std::uint16_t> px(5 * 3 * 3, 0);
    // Top-left pixel: blue 0x0102, green 0x0304, red 0xA0B0.
    px[0] = 0x0102;
    px[1] = 0x0304;
    px[2] = 0xA0B0;
    ASSERT_TRUE(cLoadImage16(s, px.data(), px.size() * 2, 5, 3));
    const std::uint16_t* bits16 = cGetBits16Ptr(s);
    ASSERT_NE(bits16, nullptr);
    EXPECT_EQ(bits16[2], 0xA0B0);
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(s, 0, 0, r, g, b));
    EXPECT_EQ(r, 0xA0B0);
    EXPECT_EQ(b, 0x0102);
    // The display copy holds the high bytes, bottom-up and padded.
    const std::uint8_t* bits8 = cGetBitsPtr(s);
    EXPECT_EQ(bits8[16 * 2 + 2], 0xA0);
    // The engine writes 16-bit pixels; the display copy follows on request.
    cGetBits16Ptr(s)[2] = 0x7F00;
    EXPECT_EQ(bits8[16 * 2 + 2], 0xA0);
    ASSERT_TRUE(cRefreshDisplayData(s));
    EXPECT_EQ(cGetBitsPtr(s)[16 * 2 + 2], 0x7F);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.bitsPerPixel, 48);
}

TEST(ImagingSession, RawPixelLoadsRefuseShortBuffers) {
    SessionGuard s;
    std::vector<std::uint8_t> small(10);
    EXPECT_FALSE(cLoadImage8(s, small.data(), small.size(), 5, 3));
    EXPECT_FALSE(cGetLastError(s).empty());
    std::vector<std::uint16_t> small16(10);
    EXPECT_FALSE(cLoadImage16(s, small16.data(), small16.size() * 2, 5, 3));
}

TEST(ImagingSession, HugePicturesAreRefusedBeforeAllocating) {
    SessionGuard s;
    EXPECT_FALSE(cLoadImage16(s, nullptr, 0, 200000, 200000));
    EXPECT_NE(cGetLastError(s).find("too large"), std::string::npos);
}

TEST(ImagingSession, DuplicateHoldsAnIndependentCopy) {
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(7, 4, true), true));
    const Handle d = cDupSession(s);
    ASSERT_NE(d, 0u);
    ASSERT_TRUE(cOpSetPixelColor(s, 0, 0, 1, 2, 3));
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(d, 0, 0, r, g, b));
    EXPECT_NE(r, 1);
    EXPECT_TRUE(cUnload(d));
    ImageInfo info;
    EXPECT_FALSE(cGetImageInfo(d, info));
    EXPECT_TRUE(cSetJPEGParams(d, 90, 0.9, true, 0));  // the session itself lives on
    EXPECT_TRUE(cDestroySession(d));
}

TEST(ImagingSession, OptionSettersCheckTheirValues) {
    SessionGuard s;
    EXPECT_FALSE(cSetJPEGParams(s, 0, 1.0, true, 0));
    EXPECT_FALSE(cSetJPEGParams(s, 101, 1.0, true, 0));
    EXPECT_FALSE(cSetJPEGParams(s, 90, 0.0, true, 0));
    EXPECT_TRUE(cSetJPEGParams(s, 100, 1.0, true, 0));
    EXPECT_FALSE(cSetPSDParams(s, 2));
    EXPECT_TRUE(cSetPSDParams(s, 1));
}

TEST(ImagingSession, IncreaseBitsPerPixelTo48WidensTheSamples) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage8(s, nullptr, 0, 3, 2));
    ASSERT_TRUE(cOpSetPixelColor(s, 2, 1, 0x1200, 0x3400, 0x5600));
    EXPECT_TRUE(cOpIncreaseBitsPerPixel(s, 24));
    EXPECT_EQ(cGetBits16Ptr(s), nullptr);
    ASSERT_TRUE(cOpIncreaseBitsPerPixel(s, 48));
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(s, 2, 1, r, g, b));
    EXPECT_EQ(r, 0x1212);
    EXPECT_EQ(g, 0x3434);
    EXPECT_EQ(b, 0x5656);
    EXPECT_FALSE(cOpIncreaseBitsPerPixel(s, 32));
}

TEST(ImagingSession, FormatNamesOfTheNamedCodes) {
    const std::pair<int, const char*> cases[] = {{2, "BMP_Uncompressed"},
                                                 {4, "JPG"},
                                                 {5, "JPG_Progressive"},
                                                 {18, "TIFF_Uncompressed"},
                                                 {31, "PSD"},
                                                 {56, "JP2"},
                                                 {71, "RAF20"}};
    for (const auto& [code, name] : cases)
        EXPECT_EQ(cGetFormatName(code), name) << code;
    EXPECT_EQ(cGetFormatName(9999), "");
}

}  // namespace
}  // namespace imaging
