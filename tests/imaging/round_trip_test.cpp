// Every writable format at both depths: saved by us, read back by us and by ImageMagick.
#include <gtest/gtest.h>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

struct RoundTripCase {
    const char* name;
    int code;
    bool sixteen;
    bool keeps16;    // the file holds 16 bits
    int maxError;    // largest sample error in 16-bit units (0: lossless)
    double maxMean;  // mean sample error
};

const RoundTripCase kCases[] = {
    {"bmp8", kCodeBmp, false, false, 0, 0},
    {"bmp16", kCodeBmp, true, false, 255, 255},
    {"png8", kCodePng, false, false, 0, 0},
    {"png16", kCodePng, true, true, 0, 0},
    {"tif8", kCodeTiff, false, false, 0, 0},
    {"tif16", kCodeTiff, true, true, 0, 0},
    {"psd8", kCodePsd, false, false, 0, 0},
    {"psd16", kCodePsd, true, true, 0, 0},
    {"jp2_8", kCodeJp2, false, false, 0, 0},
    {"jp2_16", kCodeJp2, true, true, 0, 0},
    // JPEG at quality 100 without chroma subsampling: within 3 levels of 255 per sample.
    {"jpg8", kCodeJpeg, false, false, 3 * 257, 1.0 * 257},
    {"jpg16", kCodeJpeg, true, false, 3 * 257 + 255, 1.0 * 257 + 255},
    {"jpgp8", kCodeJpegProgressive, false, false, 3 * 257, 1.0 * 257},
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// An 8-bit file written from 16-bit pixels holds their high bytes.
RgbPicture expectedInFile(const RgbPicture& p, bool keeps16) {
    if (keeps16) return p;
    RgbPicture q = p;
    for (auto& v : q.rgb)
        v = static_cast<std::uint16_t>((v >> 8) * 257);
    return q;
}

TEST_P(RoundTrip, SavedPixelsReadBackByUsAndByImageMagick) {
    const RoundTripCase& c = GetParam();
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    ASSERT_TRUE(cSetJPEGParams(s, 100, 1.0, true, 0));
    const RgbPicture pattern =
        test::makePattern(37, 23, c.sixteen);  // odd sizes: padding, partial blocks
    ASSERT_TRUE(test::loadPattern(s, pattern, c.sixteen));
    const std::string path = dir.file(std::string("out.") + c.name);
    ASSERT_TRUE(cSave(s, path, c.code)) << cGetLastError(s);
    const RgbPicture expected = expectedInFile(pattern, c.keeps16);

    SessionGuard back;
    ASSERT_TRUE(cSet16BitComponentOptions(back, true, true));
    ASSERT_TRUE(cLoadImage(back, path)) << cGetLastError(back);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(back, info));
    EXPECT_EQ(info.formatCode, c.code);
    EXPECT_EQ(info.bitsPerPixel, c.keeps16 ? 48 : 24);
    EXPECT_EQ(cGetBits16Ptr(back) != nullptr, c.keeps16);
    const RgbPicture ours = test::sessionPixels(back);
    EXPECT_LE(test::maxDifference(ours, expected), c.maxError);
    EXPECT_GE(test::maxDifference(ours, expected), 0);
    EXPECT_LE(test::meanDifference(ours, expected), c.maxMean);

    RgbPicture magick;
    ASSERT_TRUE(test::magickPixels(path, magick)) << "ImageMagick cannot read " << path;
    EXPECT_LE(test::maxDifference(magick, expected), c.maxError);
    EXPECT_GE(test::maxDifference(magick, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RoundTrip, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RoundTrip, LossyJpeg2000StaysCloseAndIsSmaller) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(64, 48, false), false));
    ASSERT_TRUE(cSave(s, dir.file("lossless.jp2"), kCodeJp2));
    ASSERT_TRUE(cSetJPEGParams(s, 90, 0.9, true, 0));
    ASSERT_TRUE(cSave(s, dir.file("lossy.jp2"), kCodeJp2));
    EXPECT_LT(test::readBytes(dir.file("lossy.jp2")).size(),
              test::readBytes(dir.file("lossless.jp2")).size());
    RgbPicture magick;
    ASSERT_TRUE(test::magickPixels(dir.file("lossy.jp2"), magick));
    EXPECT_LE(test::meanDifference(magick, test::makePattern(64, 48, false)), 4.0 * 257);
}

TEST(RoundTrip, SaveReplacesAnExistingFileWholeAndLeavesNoTemporaryFiles) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(20, 10, false), false));
    const std::string path = dir.file("pic.png");
    test::writeBytes(path, std::vector<std::uint8_t>(100000, 0x55));
    ASSERT_TRUE(cSave(s, path, kCodePng));
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    SessionGuard back;
    EXPECT_TRUE(cLoadImage(back, path));
}

TEST(RoundTrip, SaveIntoAMissingFolderFailsAndWritesNothing) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(20, 10, false), false));
    EXPECT_FALSE(cSave(s, dir.file("missing/pic.png"), kCodePng));
    EXPECT_FALSE(cGetLastError(s).empty());
    EXPECT_FALSE(cSave(s, dir.file("pic.xyz"), 9999));
    // Neither the folder, nor the picture, nor a temporary file was left behind.
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace imaging
