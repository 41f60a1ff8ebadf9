// EXIF, IPTC, XMP and colour profiles: read from a real photograph, carried into every saved
// format and checked with exiftool and ImageMagick.
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

std::string kitePath() {
    return test::dataPath("imaging/Kite.jpg");
}

TEST(ImagingMetadata, ValuesOfARealPhotographAgreeWithExiftool) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, kitePath())) << cGetLastError(s);
    EXPECT_EQ(cEXIF_GetMake(s), test::exiftoolTag(kitePath(), "Make"));
    EXPECT_EQ(cEXIF_GetModel(s), test::exiftoolTag(kitePath(), "Model"));
    EXPECT_EQ(cEXIF_GetDateTime(s), test::exiftoolTag(kitePath(), "DateTimeOriginal"));
    EXPECT_NEAR(cEXIF_GetExposureTime(s), std::stod(test::exiftoolTag(kitePath(), "ExposureTime#")),
                1e-9);
    EXPECT_NEAR(cEXIF_GetFNumber(s), std::stod(test::exiftoolTag(kitePath(), "FNumber#")), 1e-9);
    EXPECT_EQ(cEXIF_GetISOSpeed(s), std::stoi(test::exiftoolTag(kitePath(), "ISO#")));
    EXPECT_EQ(cEXIF_GetFlash(s), std::stoi(test::exiftoolTag(kitePath(), "Flash#")));
    EXPECT_FALSE(cGetImageICCProfile(s).empty());
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.formatCode, kCodeJpeg);
}

TEST(ImagingMetadata, FileInfoReadsSizeAndMetadataWithoutLoading) {
    SessionGuard s;
    FileInfo info;
    ASSERT_TRUE(cGetImageFileInfoEx(s, kitePath(), info)) << cGetLastError(s);
    EXPECT_EQ(info.width, 2560);
    EXPECT_EQ(info.height, 1600);
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_EQ(info.formatCode, kCodeJpeg);
    EXPECT_EQ(summariseExif(info.exif).model, test::exiftoolTag(kitePath(), "Model"));
    EXPECT_FALSE(info.icc.empty());
    ImageInfo none;
    EXPECT_FALSE(cGetImageInfo(s, none));  // nothing was loaded
}

struct FormatCase {
    const char* ext;
    int code;
    bool carriesMetadata;
};
const FormatCase kFormats[] = {{"jpg", kCodeJpeg, true}, {"jpg", kCodeJpegProgressive, true},
                               {"png", kCodePng, true},  {"tif", kCodeTiff, true},
                               {"psd", kCodePsd, true},  {"jp2", kCodeJp2, true},
                               {"bmp", kCodeBmp, false}};

class CarriedMetadata : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CarriedMetadata, ExifIptcXmpAndProfileSurviveASave) {
    const FormatCase& c = GetParam();
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, kitePath()));
    ASSERT_TRUE(cOpResizeEx(s, 320, 200));  // keeps the test quick; the EXIF must follow
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.Headline"] = "Kite over the field";
    Exiv2::DataBuf iptcBlock = Exiv2::IptcParser::encode(iptc);
    ASSERT_TRUE(cPutImageIPTC_Info(
        s, std::vector<std::uint8_t>(iptcBlock.pData_, iptcBlock.pData_ + iptcBlock.size_)));
    Exiv2::XmpParser::initialize();
    Exiv2::XmpData xmp;
    xmp["Xmp.dc.creator"] = "Velmar test";
    std::string packet;
    ASSERT_EQ(Exiv2::XmpParser::encode(packet, xmp), 0);
    ASSERT_TRUE(cPutImageXMP(s, packet));
    const std::string path = dir.file(std::string("kite.") + c.ext);
    ASSERT_TRUE(cSave(s, path, c.code)) << cGetLastError(s);

    auto tags =
        test::exiftoolTags(path, {"Make", "ExposureTime", "ExifImageWidth", "ExifImageHeight",
                                  "Headline", "Creator", "ProfileDescription"});
    if (c.carriesMetadata) {
        EXPECT_EQ(tags["Make"], "OLYMPUS IMAGING CORP.");
        EXPECT_EQ(tags["ExposureTime"], "1/160");
        EXPECT_EQ(tags["ExifImageWidth"], "320");
        EXPECT_EQ(tags["ExifImageHeight"], "200");
        EXPECT_EQ(tags["Headline"], "Kite over the field");
        EXPECT_EQ(tags["Creator"], "Velmar test");
        EXPECT_EQ(tags["ProfileDescription"], "sRGB IEC61966-2.1");
    } else {
        EXPECT_TRUE(tags.empty());
    }
    test::RgbPicture magick;
    ASSERT_TRUE(test::magickPixels(path, magick));
    EXPECT_EQ(magick.width, 320);
    EXPECT_EQ(magick.height, 200);

    SessionGuard back;
    ASSERT_TRUE(cLoadImage(back, path)) << cGetLastError(back);
    if (c.carriesMetadata) {
        EXPECT_EQ(cEXIF_GetModel(back), "E-M1");
        EXPECT_EQ(cGetImageICCProfile(back), cGetImageICCProfile(s));
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, CarriedMetadata, ::testing::ValuesIn(kFormats),
                         [](const auto& info) {
                             return std::string(info.param.ext) + std::to_string(info.param.code);
                         });

TEST(ImagingMetadata, JpegThumbnailIsRebuiltFromTheSavedPixels) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, kitePath()));
    ASSERT_TRUE(cOpCrop(s) == false);  // no rectangle yet
    ASSERT_TRUE(cSetOpRectangle(s, 0, 0, 799, 399));
    ASSERT_TRUE(cOpCrop(s));
    const std::string path = dir.file("crop.jpg");
    ASSERT_TRUE(cSave(s, path, kCodeJpeg)) << cGetLastError(s);
    const std::string thumb = dir.file("thumb.jpg");
    test::runCommand("exiftool -b -ThumbnailImage '" + path + "' > '" + thumb + "'");
    test::RgbPicture t;
    ASSERT_TRUE(test::magickPixels(thumb, t));
    // The thumbnail has the crop's 2:1 shape, not the original's 16:10.
    EXPECT_EQ(t.width, 160);
    EXPECT_EQ(t.height, 80);
}

// A little-endian EXIF block of ASCII entries in the first directory, written by hand: exiv2's
// own encoder already trims blocks above 64 KiB.
std::vector<std::uint8_t> asciiExif(
    const std::vector<std::pair<std::uint16_t, std::string>>& entries) {
    std::vector<std::uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put16 = [&](std::uint32_t v) {
        b.push_back(v & 0xFF);
        b.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(static_cast<std::uint32_t>(entries.size()));
    std::uint32_t dataAt = 8 + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    for (const auto& [tag, text] : entries) {
        put16(tag);
        put16(2);
        put32(static_cast<std::uint32_t>(text.size() + 1));
        put32(dataAt);
        dataAt += static_cast<std::uint32_t>(text.size() + 1);
    }
    put32(0);
    for (const auto& e : entries) {
        b.insert(b.end(), e.second.begin(), e.second.end());
        b.push_back(0);
    }
    return b;
}

TEST(ImagingMetadata, ExifTooLargeForJpegIsTrimmedNotDropped) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(64, 48, false), false));
    // Each value fits an EXIF block, together they are too large for a JPEG segment.
    ASSERT_TRUE(cPutImageEXIF_Info(s, asciiExif({{0x010F, "Velmar"},
                                                 {0x0110, "Trim test"},
                                                 {0x010E, std::string(45000, 'x')},
                                                 {0x013B, std::string(25000, 'a')}})));
    const std::string path = dir.file("big.jpg");
    ASSERT_TRUE(cSave(s, path, kCodeJpeg)) << cGetLastError(s);
    EXPECT_EQ(test::exiftoolTag(path, "Make"), "Velmar");
    EXPECT_EQ(test::exiftoolTag(path, "Model"), "Trim test");
    EXPECT_EQ(test::exiftoolTag(path, "ImageDescription"), "");
    EXPECT_EQ(test::exiftoolTag(path, "Artist").size(), 25000u);
    test::RgbPicture magick;
    EXPECT_TRUE(test::magickPixels(path, magick));
    // A TIFF has room for all of it.
    const std::string tif = dir.file("big.tif");
    ASSERT_TRUE(cSave(s, tif, kCodeTiff)) << cGetLastError(s);
    EXPECT_EQ(test::exiftoolTag(tif, "ImageDescription").size(), 45000u);
    EXPECT_EQ(test::exiftoolTag(tif, "Artist").size(), 25000u);
}

TEST(ImagingMetadata, ProfileConversionMatchesImageMagick) {
    test::ScratchDir dir;
    SessionGuard s;
    const std::string rocket = test::dataPath("imaging/rocket.jpg");
    ASSERT_TRUE(cLoadImage(s, rocket));
    const std::vector<std::uint8_t> adobe = cGetImageICCProfile(s);
    ASSERT_FALSE(adobe.empty());
    const std::vector<std::uint8_t> srgb = srgbProfile();
    ASSERT_FALSE(srgb.empty());
    test::writeBytes(dir.file("srgb.icc"), srgb);
    const test::RgbPicture before = test::sessionPixels(s);
    int calls = 0, last = -1;
    ASSERT_TRUE(cApplyICCProfileEx(s, srgb.data(), srgb.size(), [&](int p) {
        ++calls;
        EXPECT_GE(p, last);
        last = p;
    })) << cGetLastError(s);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(last, 100);
    EXPECT_EQ(cGetImageICCProfile(s), srgb);
    const test::RgbPicture after = test::sessionPixels(s);
    EXPECT_GT(test::meanDifference(before, after), 257.0);  // Adobe RGB and sRGB differ visibly
    test::runCommand("convert '" + rocket + "' -intent Perceptual -profile '" +
                     dir.file("srgb.icc") + "' '" + dir.file("magick.png") + "'");
    test::RgbPicture magick;
    ASSERT_TRUE(test::magickPixels(dir.file("magick.png"), magick));
    EXPECT_LE(test::meanDifference(after, magick), 1.5 * 257);
}

TEST(ImagingMetadata, SixteenBitProfileConversionKeepsTheDisplayCopyInStep) {
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(16, 8, true), true));
    const std::vector<std::uint8_t> rocketProfile = [] {
        SessionGuard r;
        cLoadImage(r, test::dataPath("imaging/rocket.jpg"));
        return cGetImageICCProfile(r);
    }();
    ASSERT_FALSE(rocketProfile.empty());
    ASSERT_TRUE(cApplyICCProfileEx(s, rocketProfile.data(), rocketProfile.size()));
    const std::uint16_t* bits16 = cGetBits16Ptr(s);
    const std::uint8_t* bits8 = cGetBitsPtr(s);
    // Top-left pixel: first in the 16-bit memory, last row in the 8-bit one.
    const std::size_t stride = 48;
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(bits8[stride * 7 + c], bits16[c] >> 8);
    EXPECT_FALSE(cApplyICCProfileEx(s, nullptr, 0));
    const std::uint8_t junk[] = {1, 2, 3, 4};
    EXPECT_FALSE(cLoadICCProfile(s, junk, sizeof junk));
    EXPECT_FALSE(cGetLastError(s).empty());
}

TEST(ImagingMetadata, ProfileSavingCanBeSwitchedOff) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, test::dataPath("imaging/rocket.jpg")));
    ASSERT_TRUE(cSaveICCProfileEnabled(s, false));
    ASSERT_TRUE(cSave(s, dir.file("noprofile.png"), kCodePng));
    EXPECT_EQ(test::exiftoolTag(dir.file("noprofile.png"), "ProfileDescription"), "");
    ASSERT_TRUE(cSaveICCProfileEnabled(s, true));
    ASSERT_TRUE(cSave(s, dir.file("profile.png"), kCodePng));
    EXPECT_EQ(test::exiftoolTag(dir.file("profile.png"), "ProfileDescription"), "Adobe RGB (1998)");
}

}  // namespace
}  // namespace imaging
