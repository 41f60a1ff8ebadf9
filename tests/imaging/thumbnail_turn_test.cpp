// A lossless turn of a JPEG file turns the camera's thumbnail inside it too: a thumbnail left as
// it was would show the picture unturned wherever the thumbnail is used.
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>
#include <fstream>
#include <iterator>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

// Left half red, right half blue.
RgbPicture halves(int width, int height) {
    RgbPicture p;
    p.width = width;
    p.height = height;
    p.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
            p.rgb[i] = x < width / 2 ? 65535 : 0;
            p.rgb[i + 2] = x < width / 2 ? 0 : 65535;
        }
    return p;
}

// The picture (64 x 32), tagged with an orientation. Saving a picture whose EXIF holds a
// thumbnail makes the thumbnail anew from the picture; a 1 x 1 one stands in until then.
bool writeTagged(const test::ScratchDir& dir, const std::string& path, int orientation) {
    const std::string small = dir.file("small.jpg");
    {
        SessionGuard s;
        if (!test::loadPattern(s, halves(8, 8), false) || !cSave(s, small, kCodeJpeg)) return false;
    }
    std::ifstream in(small, std::ios::binary);
    const std::vector<char> thumb{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    Exiv2::ExifData exif;
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(thumb.data()),
                                            static_cast<long>(thumb.size()));
    exif["Exif.Image.Make"] = "Velmar";
    exif["Exif.Image.Orientation"] = static_cast<std::uint16_t>(orientation);
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    SessionGuard s;
    return test::loadPattern(s, halves(64, 32), false) &&
           cPutImageEXIF_Info(s, std::vector<std::uint8_t>(blob.begin(), blob.end())) &&
           cSetJPEGParams(s, 95, 1.0, true, 0) && cSave(s, path, kCodeJpeg);
}

struct Thumbnail {
    int width = 0, height = 0, orientation = 0;
    RgbPicture pixels;
};

Thumbnail thumbnailOf(const test::ScratchDir& dir, const std::string& path) {
    Thumbnail t;
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    const auto o = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    t.orientation = o == exif.end() ? 0 : static_cast<int>(o->toLong());
    Exiv2::ExifThumbC thumb(exif);
    const Exiv2::DataBuf buf = thumb.copy();
    if (buf.size_ == 0) return t;
    const std::string out = dir.file("thumb.jpg");
    std::ofstream(out, std::ios::binary)
        .write(reinterpret_cast<const char*>(buf.pData_), buf.size_);
    SessionGuard s;
    if (!cLoadImage(s, out)) return t;
    t.pixels = test::sessionPixels(s);
    t.width = t.pixels.width;
    t.height = t.pixels.height;
    return t;
}

TEST(ThumbnailTurn, TheEmbeddedThumbnailTurnsWithThePicture) {
    struct Case {
        int orientation, quarterTurns;
        bool redOnTop;  // where the red half of the shown thumbnail ends up
    };
    // Upright (1): a right turn puts the left (red) half on top; a left turn puts it below.
    // Tagged 3 (upside down), a right turn of what viewers show puts red below.
    const Case cases[] = {{1, 1, true}, {1, 3, false}, {3, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation * 10 + c.quarterTurns);
        test::ScratchDir dir;
        const std::string path = dir.file("p.jpg");
        ASSERT_TRUE(writeTagged(dir, path, c.orientation));
        const Thumbnail before = thumbnailOf(dir, path);
        ASSERT_GT(before.width, before.height);
        SessionGuard s;
        ASSERT_TRUE(cRotateImageFile(s, path, path, c.quarterTurns)) << cGetLastError(s);
        const Thumbnail t = thumbnailOf(dir, path);
        EXPECT_EQ(t.orientation, 1);
        ASSERT_EQ(t.width, before.height);
        ASSERT_EQ(t.height, before.width);
        const int top = t.pixels.at(t.width / 2, t.height / 8, 0),
                  bottom = t.pixels.at(t.width / 2, t.height * 7 / 8, 0);
        EXPECT_EQ(top > 40000, c.redOnTop) << top;
        EXPECT_EQ(bottom > 40000, !c.redOnTop) << bottom;
    }
}

}  // namespace
}  // namespace imaging
