// Camera raw through LibRaw, on a small DNG the test writes itself with libtiff.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

// A 64 x 48 RGGB mosaic: the left half lit red, the right half blue.
bool writeDng(const std::string& path) {
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return false;
    const int w = 64, h = 48;
    const std::uint8_t version[4] = {1, 4, 0, 0};
    const std::uint16_t repeat[2] = {2, 2};
    const std::uint8_t pattern[4] = {0, 1, 1, 2};
    const float matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const float neutral[3] = {1, 1, 1};
    TIFFSetField(t, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, 32803);  // colour filter array
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, h);
    TIFFSetField(t, TIFFTAG_MAKE, "Velmar");
    TIFFSetField(t, TIFFTAG_MODEL, "Mosaic");
    TIFFSetField(t, TIFFTAG_DNGVERSION, version);
    TIFFSetField(t, TIFFTAG_UNIQUECAMERAMODEL, "Velmar Mosaic");
    TIFFSetField(t, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(t, TIFFTAG_CFAPATTERN, 4, pattern);
    TIFFSetField(t, TIFFTAG_COLORMATRIX1, 9, matrix);
    TIFFSetField(t, TIFFTAG_ASSHOTNEUTRAL, 3, neutral);
    TIFFSetField(t, TIFFTAG_CALIBRATIONILLUMINANT1, 21);
    std::vector<std::uint16_t> row(w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int colour = pattern[(y & 1) * 2 + (x & 1)];  // 0 red, 1 green, 2 blue
            const bool left = x < w / 2;
            const int lit = left ? 0 : 2;
            row[x] = static_cast<std::uint16_t>(colour == lit ? 40000 : 4000);
        }
        if (TIFFWriteScanline(t, row.data(), y, 0) < 0) {
            TIFFClose(t);
            return false;
        }
    }
    TIFFClose(t);
    return true;
}

TEST(ImagingRaw, DngDecodesTo16BitsWithItsColours) {
    test::ScratchDir dir;
    const std::string dng = dir.file("mosaic.dng");
    ASSERT_TRUE(writeDng(dng));
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    EXPECT_TRUE(cIsSupportedImageFile(s, dng));
    FileInfo file;
    ASSERT_TRUE(cGetImageFileInfoEx(s, dng, file)) << cGetLastError(s);
    EXPECT_EQ(file.formatCode, 64);
    EXPECT_EQ(cGetFormatName(64), "DNG");
    ASSERT_TRUE(cLoadImage(s, dng)) << cGetLastError(s);
    ASSERT_NE(cGetBits16Ptr(s), nullptr);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.formatCode, 64);
    EXPECT_EQ(info.bitsPerPixel, 48);
    EXPECT_EQ(info.width, file.width);
    EXPECT_EQ(info.height, file.height);
    EXPECT_EQ(cEXIF_GetMake(s), "Velmar");
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(s, info.width / 4, info.height / 2, r, g, b));
    EXPECT_GT(r, 2 * b);
    ASSERT_TRUE(cGetPixelColor(s, info.width * 3 / 4, info.height / 2, r, g, b));
    EXPECT_GT(b, 2 * r);
    // It saves like any other picture, with its metadata.
    ASSERT_TRUE(cSave(s, dir.file("mosaic.tif"), kCodeTiff));
    EXPECT_EQ(test::exiftoolTag(dir.file("mosaic.tif"), "Make"), "Velmar");
    EXPECT_EQ(test::exiftoolTag(dir.file("mosaic.tif"), "BitsPerSample"), "16 16 16");
}

TEST(ImagingRaw, DamagedDngFailsCleanly) {
    test::ScratchDir dir;
    const std::string dng = dir.file("mosaic.dng");
    ASSERT_TRUE(writeDng(dng));
    const std::vector<std::uint8_t> bytes = test::readBytes(dng);
    for (std::size_t cut : {std::size_t{16}, bytes.size() / 3, bytes.size() - 100}) {
        test::writeBytes(dir.file("cut.dng"),
                         std::vector<std::uint8_t>(
                             bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        SessionGuard s;
        if (!cLoadImage(s, dir.file("cut.dng"))) {
            EXPECT_FALSE(cGetLastError(s).empty());
        }
    }
}

}  // namespace
}  // namespace imaging
