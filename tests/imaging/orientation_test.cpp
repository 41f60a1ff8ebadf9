// Turning pictures upright by the eight EXIF orientations, compared with ImageMagick's
// -auto-orient; the stored orientation then reads 1 so that viewers do not turn twice.
#include <gtest/gtest.h>

#include <cmath>

#include <exiv2/exiv2.hpp>

#include "imaging/image.h"
#include "imaging/imaging.h"
#include "imaging/transforms.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

// Four flat quadrants of a 48 x 32 picture: JPEG keeps flat areas almost exactly.
RgbPicture quadrants() {
    RgbPicture p;
    p.width = 48;
    p.height = 32;
    p.rgb.resize(48 * 32 * 3);
    const std::uint16_t colours[4][3] = {
        {65535, 0, 0}, {0, 65535, 0}, {0, 0, 65535}, {65535, 65535, 0}};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            for (int c = 0; c < 3; ++c)
                p.rgb[(static_cast<std::size_t>(y) * 48 + x) * 3 + c] =
                    colours[(y >= 16) * 2 + (x >= 24)][c];
    return p;
}

std::vector<std::uint8_t> orientationExif(int orientation) {
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Velmar";
    exif["Exif.Image.Orientation"] = static_cast<std::uint16_t>(orientation);
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return std::vector<std::uint8_t>(blob.begin(), blob.end());
}

// Colours in the middle of each quadrant, which JPEG leaves within a few levels.
int worstQuadrantError(const RgbPicture& a, const RgbPicture& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int worst = 0;
    for (int qy = 0; qy < 2; ++qy)
        for (int qx = 0; qx < 2; ++qx) {
            const int x = a.width / 4 + qx * a.width / 2, y = a.height / 4 + qy * a.height / 2;
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(a.at(x, y, c) - b.at(x, y, c)));
        }
    return worst;
}

// The quadrants saved as a JPEG file at full quality, tagged with an orientation.
bool writeTagged(const std::string& path, int orientation) {
    SessionGuard s;
    return test::loadPattern(s, quadrants(), false) &&
           cPutImageEXIF_Info(s, orientationExif(orientation)) &&
           cSetJPEGParams(s, 100, 1.0, true, 0) && cSave(s, path, kCodeJpeg);
}

class Orientation : public ::testing::TestWithParam<int> {};

TEST_P(Orientation, LoadTurnsUprightLikeImageMagickAndResetsTheTag) {
    const int orientation = GetParam();
    test::ScratchDir dir;
    const std::string tagged = dir.file("tagged.jpg");
    ASSERT_TRUE(writeTagged(tagged, orientation));
    ASSERT_EQ(test::exiftoolTag(tagged, "Orientation#"), std::to_string(orientation));
    const std::string upright = dir.file("upright.png");
    test::runCommand("convert '" + tagged + "' -auto-orient '" + upright + "'");
    RgbPicture reference;
    ASSERT_TRUE(test::magickPixels(upright, reference));

    SessionGuard s;
    ASSERT_TRUE(cSetAutoRotate(s, true));
    FileInfo info;
    ASSERT_TRUE(cGetImageFileInfoEx(s, tagged, info));
    EXPECT_EQ(info.width, reference.width);
    EXPECT_EQ(info.height, reference.height);
    ASSERT_TRUE(cLoadImage(s, tagged));
    const RgbPicture ours = test::sessionPixels(s);
    EXPECT_LE(worstQuadrantError(ours, reference), 3 * 257);
    EXPECT_GE(worstQuadrantError(ours, reference), 0);

    // The tag the session carries is 1 now, and so is the one of a saved copy.
    const std::string saved = dir.file("saved.jpg");
    ASSERT_TRUE(cSave(s, saved, kCodeJpeg));
    EXPECT_EQ(test::exiftoolTag(saved, "Orientation#"), "1");
    EXPECT_EQ(test::exiftoolTag(saved, "Make"), "Velmar");

    // Without the option the stored pixels come as they are.
    SessionGuard plain;
    ASSERT_TRUE(cSetAutoRotate(plain, false));
    ASSERT_TRUE(cLoadImage(plain, tagged));
    EXPECT_LE(worstQuadrantError(test::sessionPixels(plain), quadrants()), 3 * 257);
    EXPECT_GE(worstQuadrantError(test::sessionPixels(plain), quadrants()), 0);
}

INSTANTIATE_TEST_SUITE_P(AllEight, Orientation, ::testing::Range(1, 9));

TEST(ImagingOperations, QuarterTurnsAreExact) {
    SessionGuard s;
    const RgbPicture p = test::makePattern(5, 3, true);
    ASSERT_TRUE(test::loadPattern(s, p, true));
    ASSERT_TRUE(cOpRotateFine(s, 90));
    RgbPicture r = test::sessionPixels(s);
    ASSERT_EQ(r.width, 3);
    ASSERT_EQ(r.height, 5);
    // Clockwise: the top-left pixel goes to the top-right corner, the bottom-left to the top-left.
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(r.at(2, 0, c), p.at(0, 0, c));
        EXPECT_EQ(r.at(0, 0, c), p.at(0, 2, c));
    }
    ASSERT_TRUE(cOpRotateFine(s, -90));
    EXPECT_EQ(test::maxDifference(test::sessionPixels(s), p), 0);
    ASSERT_TRUE(cOpRotateFine(s, 180));
    ASSERT_TRUE(cOpRotateFine(s, 540));
    EXPECT_EQ(test::maxDifference(test::sessionPixels(s), p), 0);
}

TEST(ImagingOperations, FineRotationEnlargesTheCanvasWithWhiteCorners) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage8(s, nullptr, 0, 40, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_TRUE(cOpSetPixelColor(s, x, y, 0, 0, 0));
    ASSERT_TRUE(cOpRotateFine(s, 30));
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    // 40 cos 30 + 20 sin 30 = 44.6; 40 sin 30 + 20 cos 30 = 37.3
    EXPECT_EQ(info.width, 45);
    EXPECT_EQ(info.height, 38);
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(s, 0, 0, r, g, b));
    EXPECT_EQ(r, 65535);
    ASSERT_TRUE(cGetPixelColor(s, 22, 19, r, g, b));
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(cOpRotateFine(s, std::nan("")));
}

struct ResizeCase {
    int filter;
    int maxError;  // on a smooth pattern, in 16-bit units
};

class Resize : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(Resize, SmoothPatternsStaySmoothAndFlatAreasStayFlat) {
    SessionGuard s;
    const RgbPicture big = test::makePattern(200, 100, true);
    ASSERT_TRUE(test::loadPattern(s, big, true));
    ASSERT_TRUE(cOpResizeEx(s, 50, 25, GetParam().filter));
    const RgbPicture small = test::sessionPixels(s);
    ASSERT_EQ(small.width, 50);
    ASSERT_EQ(small.height, 25);
    // Each output pixel stands for a 4 x 4 block; compare with the block's centre value.
    int worst = 0;
    for (int y = 1; y < 24; ++y)
        for (int x = 1; x < 49; ++x)
            for (int c = 0; c < 3; ++c) {
                const int centre =
                    (big.at(4 * x + 1, 4 * y + 1, c) + big.at(4 * x + 2, 4 * y + 2, c)) / 2;
                worst = std::max(worst, std::abs(small.at(x, y, c) - centre));
            }
    EXPECT_LE(worst, GetParam().maxError);
    SessionGuard flat;
    ASSERT_TRUE(cLoadImage8(flat, nullptr, 0, 33, 17));
    ASSERT_TRUE(cOpResizeEx(flat, 70, 9, GetParam().filter));
    const RgbPicture f = test::sessionPixels(flat);
    for (std::uint16_t v : f.rgb)
        ASSERT_EQ(v, 65535);
}

INSTANTIATE_TEST_SUITE_P(Filters, Resize,
                         ::testing::Values(ResizeCase{kFilterNearest, 2200},
                                           ResizeCase{kFilterBilinear, 1500},
                                           ResizeCase{kFilterMitchell, 1500}));

TEST(ImagingOperations, ResizeRejectsBadArguments) {
    SessionGuard s;
    ASSERT_TRUE(cLoadImage8(s, nullptr, 0, 4, 4));
    EXPECT_FALSE(cOpResizeEx(s, 0, 4));
    EXPECT_FALSE(cOpResizeEx(s, 4, 4, 17));
}

TEST(ImagingOperations, CropTakesTheInclusiveRectangleClippedToThePicture) {
    SessionGuard s;
    const RgbPicture p = test::makePattern(30, 20, false);
    ASSERT_TRUE(test::loadPattern(s, p, false));
    ASSERT_TRUE(cSetOpRectangle(s, 5, 3, 14, 7));
    ASSERT_TRUE(cOpCrop(s));
    RgbPicture c = test::sessionPixels(s);
    ASSERT_EQ(c.width, 10);
    ASSERT_EQ(c.height, 5);
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_EQ(c.at(0, 0, ch), p.at(5, 3, ch));
    ASSERT_TRUE(cSetOpRectangle(s, 8, 2, 100, 100));
    ASSERT_TRUE(cOpCrop(s));
    c = test::sessionPixels(s);
    EXPECT_EQ(c.width, 2);
    EXPECT_EQ(c.height, 3);
    EXPECT_FALSE(cSetOpRectangle(s, 5, 5, 4, 5));
    ASSERT_TRUE(cSetOpRectangle(s, 50, 50, 60, 60));
    EXPECT_FALSE(cOpCrop(s));
}

TEST(ImagingOperations, LosslessJpegTurnKeepsMetadata) {
    test::ScratchDir dir;
    const std::string kite = test::dataPath("imaging/Kite.jpg");
    const std::string turned = dir.file("turned.jpg");
    SessionGuard s;
    ASSERT_TRUE(cRotateImageFile(s, kite, turned, 1)) << cGetLastError(s);
    auto tags = test::exiftoolTags(
        turned, {"ImageWidth", "ImageHeight", "Make", "ProfileDescription", "ExifImageWidth"});
    EXPECT_EQ(tags["ImageWidth"], "1600");
    EXPECT_EQ(tags["ImageHeight"], "2560");
    EXPECT_EQ(tags["Make"], "OLYMPUS IMAGING CORP.");
    EXPECT_EQ(tags["ProfileDescription"], "sRGB IEC61966-2.1");
    EXPECT_EQ(tags["ExifImageWidth"], "1600");
    // Lossless: the same coefficients, so about the same size (a quality-100 encoding would be
    // far larger), and the decoded original turned up to the decoder's chroma upsampling.
    const double ratio =
        static_cast<double>(test::readBytes(turned).size()) / test::readBytes(kite).size();
    EXPECT_NEAR(ratio, 1.0, 0.15);
    SessionGuard original, back;
    ASSERT_TRUE(cLoadImage(original, kite));
    ASSERT_TRUE(cOpRotateFine(original, 90));
    ASSERT_TRUE(cLoadImage(back, turned));
    EXPECT_LE(test::maxDifference(test::sessionPixels(original), test::sessionPixels(back)),
              4 * 257);
    EXPECT_LE(test::meanDifference(test::sessionPixels(original), test::sessionPixels(back)),
              0.5 * 257);
}

// A 3 x 2 picture whose every sample differs, turned by one orientation after another.
std::vector<std::uint8_t> turnedPixels(std::initializer_list<int> orientations) {
    Image image;
    std::string error;
    EXPECT_TRUE(image.allocate(3, 2, false, error));
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 9; ++i)
            image.row8(y)[i] = static_cast<std::uint8_t>(y * 9 + i);
    for (int o : orientations)
        EXPECT_TRUE(applyOrientation(image, o, error));
    std::vector<std::uint8_t> samples{static_cast<std::uint8_t>(image.width)};
    for (int y = 0; y < image.height; ++y)
        samples.insert(samples.end(), image.row8(y), image.row8(y) + 3 * image.width);
    return samples;
}

TEST(ImagingOperations, OrientationsComposeAsTheirTurnsDo) {
    for (int first = 1; first <= 8; ++first)
        for (int then = 1; then <= 8; ++then)
            EXPECT_EQ(turnedPixels({composeOrientations(first, then)}), turnedPixels({first, then}))
                << first << " then " << then;
    EXPECT_EQ(composeOrientations(6, 6), 3);
    EXPECT_EQ(composeOrientations(6, 8), 1);
}

class TaggedTurn : public ::testing::TestWithParam<int> {};

// A file tagged with an orientation, turned losslessly, looks turned in any viewer and its tag
// reads 1, whatever the tag was.
TEST_P(TaggedTurn, TurnsThePictureAsViewersShowIt) {
    const int orientation = GetParam();
    test::ScratchDir dir;
    const std::string tagged = dir.file("tagged.jpg");
    ASSERT_TRUE(writeTagged(tagged, orientation));
    for (int quarterTurns : {1, 3}) {
        SCOPED_TRACE(quarterTurns);
        const std::string turned = dir.file("turned.jpg");
        SessionGuard s;
        ASSERT_TRUE(cRotateImageFile(s, tagged, turned, quarterTurns)) << cGetLastError(s);
        EXPECT_EQ(test::exiftoolTag(turned, "Orientation#"), "1");
        const std::string expectedPath = dir.file("expected.png"),
                          shownPath = dir.file("shown.png");
        test::runCommand("convert '" + tagged + "' -auto-orient -rotate " +
                         std::to_string(90 * quarterTurns) + " '" + expectedPath + "'");
        test::runCommand("convert '" + turned + "' -auto-orient '" + shownPath + "'");
        RgbPicture expected, shown;
        ASSERT_TRUE(test::magickPixels(expectedPath, expected));
        ASSERT_TRUE(test::magickPixels(shownPath, shown));
        EXPECT_LE(worstQuadrantError(shown, expected), 3 * 257);
        EXPECT_GE(worstQuadrantError(shown, expected), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllEight, TaggedTurn, ::testing::Range(1, 9));

TEST(ImagingOperations, JpegWithPartialBlocksIsTurnedByReencoding) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(37, 21, false), false));
    ASSERT_TRUE(cPutImageEXIF_Info(s, orientationExif(1)));
    ASSERT_TRUE(cSetJPEGParams(s, 100, 1.0, true, 0));
    ASSERT_TRUE(cSave(s, dir.file("odd.jpg"), kCodeJpeg));
    // ImageMagick's turns of the file as it was are the expectation and its opposite.
    for (const char* degrees : {"270", "90"})
        test::runCommand("convert '" + dir.file("odd.jpg") + "' -rotate " + degrees + " '" +
                         dir.file(std::string("turned") + degrees + ".png") + "'");
    ASSERT_TRUE(cRotateImageFile(s, dir.file("odd.jpg"), dir.file("odd.jpg"), 3))
        << cGetLastError(s);
    RgbPicture turned, expected, opposite;
    ASSERT_TRUE(test::magickPixels(dir.file("odd.jpg"), turned));
    ASSERT_TRUE(test::magickPixels(dir.file("turned270.png"), expected));
    ASSERT_TRUE(test::magickPixels(dir.file("turned90.png"), opposite));
    EXPECT_EQ(turned.width, 21);
    EXPECT_EQ(turned.height, 37);
    // Re-encoding at full quality moves a few levels; the wrong turn moves most of the range.
    const int error = test::maxDifference(turned, expected);
    EXPECT_GE(error, 0);
    EXPECT_LE(error, 6 * 257);
    EXPECT_GT(test::maxDifference(turned, opposite), 100 * 257);
    EXPECT_EQ(test::exiftoolTag(dir.file("odd.jpg"), "Make"), "Velmar");
    // Our own reader sees the same turned picture.
    SessionGuard loaded;
    ASSERT_TRUE(cLoadImage(loaded, dir.file("odd.jpg")));
    EXPECT_EQ(test::maxDifference(test::sessionPixels(loaded), turned), 0);
    EXPECT_FALSE(
        cRotateImageFile(s, test::dataPath("imaging/pngsuite/basn2c08.png"), dir.file("x.jpg"), 1));
}

}  // namespace
}  // namespace imaging
