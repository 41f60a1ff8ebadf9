// Our readers against files written by other programs, and against damaged files.
#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

// Every file of the PNG suite (all colour types and depths, palettes, transparency, interlace)
// decodes as ImageMagick decodes it with alpha on white.
TEST(ImagingDecoders, PngSuiteMatchesImageMagick) {
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(test::dataPath("imaging/pngsuite"))) {
        const std::string path = e.path().string();
        SessionGuard s;
        ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
        ASSERT_TRUE(cLoadImage(s, path)) << path << ": " << cGetLastError(s);
        RgbPicture magick;
        // The stored samples, not ImageMagick's gamma-corrected reading of the gAMA chunk.
        ASSERT_TRUE(test::magickPixels(path, magick, "-set colorspace sRGB")) << path;
        const RgbPicture ours = test::sessionPixels(s);
        // 16-bit files compare exactly; 8-bit ones within ImageMagick's own rounding of alpha.
        EXPECT_LE(test::maxDifference(ours, magick), 257) << path;
        EXPECT_GE(test::maxDifference(ours, magick), 0) << path;
        ++files;
    }
    EXPECT_GE(files, 30);
}

struct VariantCase {
    const char* file;
    int maxError;  // in 16-bit units
};

class Variants : public ::testing::TestWithParam<VariantCase> {};

TEST_P(Variants, DecodeLikeImageMagick) {
    const std::string path =
        test::dataPath(std::string("imaging/decoder-variants/") + GetParam().file);
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, path)) << cGetLastError(s);
    RgbPicture magick;
    ASSERT_TRUE(test::magickPixels(path, magick));
    EXPECT_LE(test::maxDifference(test::sessionPixels(s), magick), GetParam().maxError);
    EXPECT_GE(test::maxDifference(test::sessionPixels(s), magick), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Variants,
    ::testing::Values(VariantCase{"video-001.jpeg", 0},
                      VariantCase{"video-001.q50.420.progressive.jpeg", 0},
                      VariantCase{"video-005.gray.jpeg", 0}, VariantCase{"video-001.gif", 0},
                      VariantCase{"video-001.interlaced.gif", 0},
                      VariantCase{"video-001.5bpp.gif", 0},
                      // ImageMagick converts CMYK through its own formula; ours multiplies by K.
                      VariantCase{"video-001.cmyk.jpeg", 3 * 257}),
    [](const auto& info) {
        std::string n = info.param.file;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(ImagingDecoders, ProgressiveJpegIsDetectedAsSuch) {
    SessionGuard s;
    FileInfo info;
    ASSERT_TRUE(cGetImageFileInfoEx(
        s, test::dataPath("imaging/decoder-variants/video-001.q50.420.progressive.jpeg"), info));
    EXPECT_EQ(info.formatCode, kCodeJpegProgressive);
    EXPECT_EQ(cGetFormatName(info.formatCode), "JPG_Progressive");
}

// A progressive file that stops after a complete scan is valid: it decodes to what its early
// scans hold (the reference was made by another decoder).
TEST(ImagingDecoders, ProgressiveJpegEndingEarlyDecodesItsScans) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(
        s, test::dataPath("imaging/decoder-variants/video-001.progressive.truncated.jpeg")))
        << cGetLastError(s);
    SessionGuard reference;
    ASSERT_TRUE(cLoadImage(
        reference, test::dataPath("imaging/decoder-variants/video-001.progressive.truncated.png")));
    EXPECT_LE(test::meanDifference(test::sessionPixels(s), test::sessionPixels(reference)),
              2.0 * 257);
}

struct ForeignCase {
    const char* name;
    const char* magickOptions;  // how ImageMagick writes the file
    bool sixteen;
    int code;
};

class ForeignFiles : public ::testing::TestWithParam<ForeignCase> {};

// Files written by ImageMagick from a PNG of the pattern decode to the pattern.
TEST_P(ForeignFiles, WrittenByImageMagickReadByUs) {
    const ForeignCase& c = GetParam();
    test::ScratchDir dir;
    const RgbPicture pattern = test::makePattern(41, 27, c.sixteen);
    {
        SessionGuard s;
        ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
        ASSERT_TRUE(test::loadPattern(s, pattern, c.sixteen));
        ASSERT_TRUE(cSave(s, dir.file("source.png"), kCodePng));
    }
    const std::string target = dir.file(c.name);
    int status = 0;
    test::runCommand(
        "convert '" + dir.file("source.png") + "' " + c.magickOptions + " '" + target + "' 2>&1",
        &status);
    ASSERT_EQ(status, 0);
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    ASSERT_TRUE(cLoadImage(s, target)) << cGetLastError(s);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.formatCode, c.code);
    EXPECT_EQ(info.bitsPerPixel, c.sixteen ? 48 : 24);
    EXPECT_EQ(test::maxDifference(test::sessionPixels(s), pattern), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ForeignFiles,
    ::testing::Values(ForeignCase{"lzw8.tif", "-compress LZW", false, 19},
                      ForeignCase{"zip16.tif", "-compress Zip", true, 20},
                      ForeignCase{"tiled16.tif", "-compress None -define tiff:tile-geometry=16x16",
                                  true, 18},
                      ForeignCase{"planar8.tif", "-compress None -interlace Plane", false, 18},
                      ForeignCase{"packbits8.tif", "-compress RLE", false, 21},
                      ForeignCase{"rle8.psd", "", false, kCodePsd},
                      ForeignCase{"rle16.psd", "", true, kCodePsd},
                      ForeignCase{"v3.bmp", "-define bmp:format=bmp3", false, kCodeBmp},
                      ForeignCase{"v5.bmp", "", false, kCodeBmp},
                      ForeignCase{"lossless16.jp2", "-quality 0", true, kCodeJp2},
                      ForeignCase{"lossless8.j2k", "-quality 0", false, 57}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(ImagingDecoders, GreyAndPaletteBmpBecomeRgb) {
    test::ScratchDir dir;
    const std::string grey = dir.file("grey.bmp");
    const std::string pal = dir.file("pal.bmp");
    test::runCommand("convert -size 13x7 gradient:black-white -type Grayscale BMP3:'" + grey + "'");
    test::runCommand("convert -size 13x7 gradient:red-blue -colors 16 -type Palette BMP3:'" + pal +
                     "'");
    for (const std::string& path : {grey, pal}) {  // NOLINT
        SessionGuard s;
        ASSERT_TRUE(cLoadImage(s, path)) << path << ": " << cGetLastError(s);
        RgbPicture magick;
        ASSERT_TRUE(test::magickPixels(path, magick));
        EXPECT_EQ(test::maxDifference(test::sessionPixels(s), magick), 0) << path;
    }
}

// Damaged copies of valid files of every format: truncated at several points and with bytes
// overwritten. None may crash or read outside its buffer (the sanitizer build checks that);
// truncation in the middle of the pixels must fail with a text.
class Damaged : public ::testing::TestWithParam<int> {};

TEST_P(Damaged, FilesFailCleanly) {
    const int code = GetParam();
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(64, 40, true), true));
    const std::string good = dir.file("good");
    ASSERT_TRUE(cSave(s, good, code)) << cGetLastError(s);
    const std::vector<std::uint8_t> bytes = test::readBytes(good);
    ASSERT_GT(bytes.size(), 100u);
    const std::string bad = dir.file("bad");
    // Truncations
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{8}, std::size_t{30},
                            bytes.size() / 3, bytes.size() / 2, bytes.size() * 3 / 4}) {
        test::writeBytes(bad, std::vector<std::uint8_t>(
                                  bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        SessionGuard t;
        EXPECT_FALSE(cLoadImage(t, bad)) << "cut at " << cut;
        EXPECT_FALSE(cGetLastError(t).empty());
        FileInfo info;
        cGetImageFileInfoEx(t, bad, info);
        cLoadThumbnailEx(t, bad, 16, 16);
    }
    // Overwritten bytes, spread over the header and the data.
    std::uint32_t seed = 12345;
    for (int round = 0; round < 60; ++round) {
        std::vector<std::uint8_t> copy = bytes;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t at = round < 30
                                       ? (seed >> 8) % std::min<std::size_t>(copy.size(), 200)
                                       : (seed >> 8) % copy.size();
            seed = seed * 1103515245u + 12345u;
            copy[at] = static_cast<std::uint8_t>(seed >> 16);
        }
        test::writeBytes(bad, copy);
        SessionGuard t;
        ASSERT_TRUE(cSet16BitComponentOptions(t, true, true));
        if (!cLoadImage(t, bad)) {
            EXPECT_FALSE(cGetLastError(t).empty());
        }
        FileInfo info;
        cGetImageFileInfoEx(t, bad, info);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, Damaged,
                         ::testing::Values(kCodeBmp, kCodeJpeg, kCodeJpegProgressive, kCodePng,
                                           kCodeTiff, kCodePsd, kCodeJp2));

TEST(ImagingDecoders, DamagedGifFailsCleanly) {
    const std::vector<std::uint8_t> bytes =
        test::readBytes(test::dataPath("imaging/decoder-variants/video-001.gif"));
    test::ScratchDir dir;
    for (std::size_t cut : {std::size_t{6}, std::size_t{13}, std::size_t{40}, bytes.size() / 2}) {
        test::writeBytes(dir.file("bad.gif"),
                         std::vector<std::uint8_t>(
                             bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        SessionGuard s;
        EXPECT_FALSE(cLoadImage(s, dir.file("bad.gif"))) << cut;
        EXPECT_FALSE(cGetLastError(s).empty());
    }
}

TEST(ImagingDecoders, HugeDeclaredSizesAreRefusedBeforeAllocating) {
    test::ScratchDir dir;
    // A BMP header claiming 100000 x 100000 pixels of 24 bits with no pixel data.
    std::vector<std::uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54;
    bmp[14] = 40;
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = (v >> (8 * i)) & 0xFF;
    };
    put32(18, 100000);
    put32(22, 100000);
    bmp[26] = 1;
    bmp[28] = 24;
    bmp.push_back(0);
    test::writeBytes(dir.file("huge.bmp"), bmp);
    SessionGuard s;
    EXPECT_FALSE(cLoadImage(s, dir.file("huge.bmp")));
    EXPECT_NE(cGetLastError(s).find("too large"), std::string::npos) << cGetLastError(s);
    // A PSD header claiming 300000 x 300000.
    std::vector<std::uint8_t> psd = {'8', 'B', 'P',  'S',  0, 1, 0,    0,    0, 0, 0, 0, 0, 3,
                                     0,   4,   0x93, 0xE0, 0, 4, 0x93, 0xE0, 0, 8, 0, 3, 0, 0,
                                     0,   0,   0,    0,    0, 0, 0,    0,    0, 0, 0, 0};
    test::writeBytes(dir.file("huge.psd"), psd);
    EXPECT_FALSE(cLoadImage(s, dir.file("huge.psd")));
    EXPECT_NE(cGetLastError(s).find("too large"), std::string::npos) << cGetLastError(s);
}

TEST(ImagingDecoders, FormatIsFoundByContentNotByName) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(20, 10, false), false));
    ASSERT_TRUE(cSave(s, dir.file("really-a-png.jpg"), kCodePng));
    SessionGuard t;
    EXPECT_TRUE(cIsSupportedImageFile(t, dir.file("really-a-png.jpg")));
    ASSERT_TRUE(cLoadImage(t, dir.file("really-a-png.jpg")));
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(t, info));
    EXPECT_EQ(info.formatCode, kCodePng);
    // With detection off the name must match the content.
    ASSERT_TRUE(cSetAutodetectFormat(t, false));
    EXPECT_FALSE(cLoadImage(t, dir.file("really-a-png.jpg")));
    test::writeBytes(dir.file("text.png"), std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(cIsSupportedImageFile(t, dir.file("text.png")));
    EXPECT_FALSE(cIsSupportedImageFile(t, dir.file("missing.png")));
}

}  // namespace
}  // namespace imaging
