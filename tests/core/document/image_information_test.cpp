// The information texts, with language keys standing for their texts.
#include <gtest/gtest.h>

#include "core/document/image_information.h"

namespace core {
namespace {

struct ExposureCase {
    double seconds;
    const char* text;
};

class Exposure : public ::testing::TestWithParam<ExposureCase> {};

TEST_P(Exposure, Text) {
    EXPECT_EQ(exposureText(GetParam().seconds).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, Exposure,
                         ::testing::Values(ExposureCase{0.004, "1/250.00ALS_SECONDS_SHORT_1"},
                                           ExposureCase{2.5, "2.50ALS_SECONDS_SHORT_1"},
                                           ExposureCase{1.0, "1.00ALS_SECONDS_SHORT_1"},
                                           ExposureCase{0.0000001, "~0ALS_SECONDS_SHORT_1"},
                                           ExposureCase{0.0, "~0ALS_SECONDS_SHORT_1"},
                                           ExposureCase{1.0 / 3, "1/3.00ALS_SECONDS_SHORT_1"}));

struct FlashCase {
    int flash;
    const char* text;
};

class Flash : public ::testing::TestWithParam<FlashCase> {};

TEST_P(Flash, TextFromTheBits) {
    EXPECT_EQ(flashText(GetParam().flash).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Flash,
    ::testing::Values(FlashCase{0x19, "als_on, als_flash_auto"}, FlashCase{0x00, "als_off"},
                      FlashCase{0x10, "als_off, als_flash_surpressed"},
                      FlashCase{0x0F, "als_on, als_flash_strobe, als_flash_forced"},
                      FlashCase{0x03, "als_on, als_unknown"},
                      FlashCase{0x05, "als_on, als_flash_nostrobe"},
                      FlashCase{0x20, "als_off, als_flash_no"},
                      FlashCase{0x59, "als_on, als_flash_auto, als_flash_redeye"}));

TEST(ImageInformation, DepthTexts) {
    EXPECT_EQ(depthText(24).toStdString(), "8 ALS_B_PER_CHANNEL");
    EXPECT_EQ(depthText(48).toStdString(), "16 ALS_B_PER_CHANNEL");
    EXPECT_EQ(depthText(16).toStdString(), "16 ALS_B_PER_PIXEL (5.33 ALS_B_PER_CHANNEL)");
    EXPECT_EQ(depthText(1).toStdString(), "1 ALS_B_PER_PIXEL (0.33 ALS_B_PER_CHANNEL)");
}

TEST(ImageInformation, Megapixels) {
    EXPECT_EQ(megapixelText(2560, 1600).toStdString(), "4.1");
    EXPECT_EQ(megapixelText(4000, 3000).toStdString(), "12.0");
    EXPECT_EQ(megapixelText(320, 200).toStdString(), "0.1");
}

TEST(ImageInformation, MetadataAndSizeLines) {
    imaging::ExifSummary exif;
    exif.make = "  Canon ";
    exif.model = "EOS 400D";
    exif.iso = 200;
    exif.flash = 0x10;
    exif.exposureTime = 0.004;
    exif.fNumber = 5.6;
    exif.dateTime = "2008:05:01 12:00:00";
    const ImageInformation info =
        describePicture(1920, 1280, 24, exif, 3 * 1024 * 1024 + 200000, 4);
    EXPECT_EQ(
        info.metadataLine.toStdString(),
        "ALS_CAMERA=Canon (EOS 400D);\r\nISO=200;\r\nALS_FLASH=als_off, als_flash_surpressed;\r\n"
        "ALS_SHUTTER_SPEED=1/250.00ALS_SECONDS_SHORT_1;\r\nALS_APERTURE=5.6;\r\n"
        "ALS_DATE=2008:05:01 12:00:00;\r\nALS_SIZE=1920x1280");
    EXPECT_EQ(info.statusLine.toStdString(),
              "ALS_CAMERA=Canon (EOS 400D); ISO=200; ALS_FLASH=als_off, als_flash_surpressed; "
              "ALS_SHUTTER_SPEED=1/250.00ALS_SECONDS_SHORT_1; ALS_APERTURE=5.6; "
              "ALS_DATE=2008:05:01 12:00:00; "
              "ALS_SIZE=1920x1280");
    EXPECT_EQ(info.sizeLine.toStdString(),
              "2.5ALS_MEGAPIXELS 1920x1280; 3.2M JPG; 8 ALS_B_PER_CHANNEL");
    EXPECT_FALSE(info.flashFired);
    EXPECT_EQ(info.make.toStdString(), "Canon");
}

TEST(ImageInformation, NoMetadataCountsAsFlashFiredAndUnknownFormatsAreNamed) {
    // 5000 pixels round to 0.0 megapixels.
    const ImageInformation info =
        describePicture(100, 50, 48, imaging::ExifSummary{}, 1024 * 1024, 999);
    EXPECT_EQ(info.metadataLine.toStdString(), "ALS_SIZE=100x50");
    EXPECT_TRUE(info.flashFired);
    EXPECT_EQ(info.sizeLine.toStdString(),
              "0.0ALS_MEGAPIXELS 100x50; 1.0M ALS_UNKNOWN ALS_FORMAT; 16 ALS_B_PER_CHANNEL");
    const ImageInformation open = describePicture(100, 50, 24, imaging::ExifSummary{}, -1, 0);
    EXPECT_EQ(open.sizeLine.toStdString(), "0.0ALS_MEGAPIXELS 100x50; 8 ALS_B_PER_CHANNEL");
}

TEST(ImageInformation, FileAndSessionFromARealPhotograph) {
    const QString kite = QStringLiteral(VF_TEST_DATA "/imaging/Kite.jpg");
    const imaging::Handle s = imaging::cNewSession();
    ImageInformation file;
    ASSERT_TRUE(describeFile(s, kite, false, file));
    EXPECT_TRUE(file.statusLine.startsWith(
        QStringLiteral("ALS_CAMERA=OLYMPUS IMAGING CORP. (E-M1); ISO=200;")))
        << file.statusLine.toStdString();
    EXPECT_TRUE(file.sizeLine.contains(QStringLiteral("M JPG; 8 ALS_B_PER_CHANNEL")));
    ImageInformation ignored;
    ASSERT_TRUE(describeFile(s, kite, true, ignored));
    EXPECT_EQ(ignored.metadataLine.toStdString(), "ALS_SIZE=2560x1600");
    ASSERT_TRUE(imaging::cLoadImage(s, kite.toStdString()));
    const ImageInformation open = describeSession(s, false);
    EXPECT_EQ(open.exposure.toStdString(), "1/160.00ALS_SECONDS_SHORT_1");
    EXPECT_EQ(open.aperture.toStdString(), "10.0");
    EXPECT_EQ(open.sizeLine.toStdString(), "4.1ALS_MEGAPIXELS 2560x1600; 8 ALS_B_PER_CHANNEL");
    imaging::cDestroySession(s);
}

}  // namespace
}  // namespace core
