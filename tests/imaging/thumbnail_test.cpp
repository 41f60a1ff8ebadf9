// Thumbnails fitting a box: from the camera's embedded thumbnail, from a reduced JPEG decode, or
// from any other picture.
#include <gtest/gtest.h>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

struct ThumbCase {
    int boxWidth, boxHeight;
    int width, height;  // expected for the 2560 x 1600 photograph
};

class Thumbnails : public ::testing::TestWithParam<ThumbCase> {};

TEST_P(Thumbnails, PhotographFitsTheBoxKeepingItsShape) {
    const ThumbCase& c = GetParam();
    SessionGuard s;
    ASSERT_TRUE(cLoadThumbnailEx(s, test::dataPath("imaging/Kite.jpg"), c.boxWidth, c.boxHeight))
        << cGetLastError(s);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    // Close to the full picture reduced the slow way, by ImageMagick. A box larger than the
    // picture gives the picture itself, as ImageMagick decodes it, to a level.
    test::ScratchDir dir;
    test::runCommand("convert '" + test::dataPath("imaging/Kite.jpg") +
                     "' -filter Mitchell -resize " + std::to_string(c.width) + "x" +
                     std::to_string(c.height) + "! '" + dir.file("reduced.png") + "'");
    test::RgbPicture reduced;
    ASSERT_TRUE(test::magickPixels(dir.file("reduced.png"), reduced));
    const test::RgbPicture thumbnail = test::sessionPixels(s);
    if (c.width == 2560) {
        SessionGuard full;
        ASSERT_TRUE(cLoadImage(full, test::dataPath("imaging/Kite.jpg")));
        EXPECT_EQ(test::maxDifference(thumbnail, test::sessionPixels(full)), 0);
        // Two JPEG decoders round their colour conversion and upsampling a little apart.
        EXPECT_LE(test::meanDifference(thumbnail, reduced), 1.0 * 257);
    } else {
        EXPECT_LE(test::meanDifference(thumbnail, reduced), 12.0 * 257);
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, Thumbnails,
                         ::testing::Values(ThumbCase{160, 120, 160, 100},
                                           ThumbCase{128, 128, 128, 80},
                                           ThumbCase{400, 400, 400, 250},
                                           ThumbCase{5000, 5000, 2560, 1600}));

TEST(Thumbnails, OtherFormatsAndBadBoxes) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(300, 200, true), true));
    ASSERT_TRUE(cSave(s, dir.file("p.tif"), kCodeTiff));
    SessionGuard t;
    ASSERT_TRUE(cLoadThumbnailEx(t, dir.file("p.tif"), 60, 60));
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(t, info));
    EXPECT_EQ(info.width, 60);
    EXPECT_EQ(info.height, 40);
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_FALSE(cLoadThumbnailEx(t, dir.file("p.tif"), 0, 60));
    EXPECT_FALSE(cLoadThumbnailEx(t, dir.file("missing.tif"), 60, 60));
}

}  // namespace
}  // namespace imaging
