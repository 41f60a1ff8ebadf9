// Sessions as QImages: the window's 8-bit picture turned the right way up, the full-depth copy,
// and sessions made from QImages.
#include <gtest/gtest.h>

#include "core/document/picture_image.h"
#include "document_fixtures.h"

namespace core {
namespace {

class PictureImages : public ::testing::TestWithParam<bool> {};

TEST_P(PictureImages, DisplayImageIsUprightEightBitRgb) {
    const bool sixteen = GetParam();
    test::Session s;
    ASSERT_TRUE(test::makePattern(s, 13, 7, sixteen));
    const QImage shown = displayImage(s);
    ASSERT_EQ(shown.size(), QSize(13, 7));
    ASSERT_EQ(shown.format(), QImage::Format_RGB888);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            uint16_t r, g, b;
            test::patternColour(x, y, r, g, b);
            const QColor c = shown.pixelColor(x, y);
            ASSERT_EQ(c.red(), r >> 8) << x << "," << y;
            ASSERT_EQ(c.green(), g >> 8) << x << "," << y;
            ASSERT_EQ(c.blue(), b >> 8) << x << "," << y;
        }
}

TEST_P(PictureImages, PictureImageKeepsTheDepthAndLoadsBackUnchanged) {
    const bool sixteen = GetParam();
    test::Session s;
    ASSERT_TRUE(test::makePattern(s, 11, 9, sixteen));
    const QImage picture = pictureImage(s);
    EXPECT_EQ(picture.format(), sixteen ? QImage::Format_RGBX64 : QImage::Format_RGB888);
    test::Session back;
    ASSERT_TRUE(loadPictureImage(back, picture));
    EXPECT_EQ(imaging::cGetBits16Ptr(back) != nullptr, sixteen);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x) {
            uint16_t a[3], b[3];
            imaging::cGetPixelColor(s, x, y, a[0], a[1], a[2]);
            imaging::cGetPixelColor(back, x, y, b[0], b[1], b[2]);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(a[c], b[c]) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, PictureImages, ::testing::Values(false, true));

TEST(PictureImages, TransparencyIsCompositedOnWhite) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 0, 0));
    image.setPixelColor(1, 1, QColor(255, 0, 0, 255));
    test::Session s;
    ASSERT_TRUE(loadPictureImage(s, image));
    uint16_t r, g, b;
    imaging::cGetPixelColor(s, 0, 0, r, g, b);
    EXPECT_EQ((std::array{r >> 8, g >> 8, b >> 8}), (std::array{255, 255, 255}));
    imaging::cGetPixelColor(s, 1, 1, r, g, b);
    EXPECT_EQ((std::array{r >> 8, g >> 8, b >> 8}), (std::array{255, 0, 0}));
}

TEST(PictureImages, EmptySessionsAndNullImages) {
    test::Session s;
    EXPECT_TRUE(displayImage(s).isNull());
    EXPECT_TRUE(pictureImage(s).isNull());
    const Status loaded = loadPictureImage(s, QImage());
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.failure().key, QLatin1String("ER_SRC_LOADING_INVALID"));
}

}  // namespace
}  // namespace core
