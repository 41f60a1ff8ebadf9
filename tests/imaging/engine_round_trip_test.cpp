// A real photograph through the engine straight from the session's pixel memory, then saved in
// every format with its profile and metadata, checked by ImageMagick and exiftool.
#include <gtest/gtest.h>

#include <cstring>

#include "dnr.h"
#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

ProcessingParams engineParams(Handle h, bool sixteen) {
    ProcessingParams p;
    std::memset(&p, 0, sizeof p);
    ImageInfo info;
    cGetImageInfo(h, info);
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = sixteen ? static_cast<void*>(cGetBits16Ptr(h)) : static_cast<void*>(cGetBitsPtr(h));
    p.Width = info.width;
    p.Height = info.height;
    p.BytesPerSample = sixteen ? 2 : 1;
    p.NoiseReductionOn = 1;
    p.NoiseLevel = 20;
    p.ShadowsNoiseLevel = 20;
    p.HighlightsNoiseLevel = 20;
    p.NoiseReductionAmount = 100;
    p.ChromaNoise = 50;
    p.SelectedColorRange = -1;
    p.FinalRun = 1;
    p.FullWidth = info.width;
    p.FullHeight = info.height;
    p.ScaledFullWidth = info.width;
    p.ScaledFullHeight = info.height;
    return p;
}

struct SaveCase {
    const char* ext;
    int code;
    int maxError;  // against the session's pixels, 16-bit units (JPEG 2000 at 98 % is lossy)
    bool metadata;
};

const SaveCase kSaves[] = {{"bmp", kCodeBmp, 0, false},
                           {"jpg", kCodeJpeg, 6 * 257, true},
                           {"jpg", kCodeJpegProgressive, 6 * 257, true},
                           {"jp2", kCodeJp2, 8 * 257, true},
                           {"psd", kCodePsd, 0, true},
                           {"tif", kCodeTiff, 0, true},
                           {"png", kCodePng, 0, true}};

void checkSaves(Handle s, bool sixteen, const test::ScratchDir& dir) {
    const RgbPicture processed = test::sessionPixels(s);
    for (const SaveCase& c : kSaves) {
        SCOPED_TRACE(std::string(c.ext) + " " + std::to_string(c.code));
        const std::string path =
            dir.file("out" + std::to_string(c.code) + (sixteen ? "_16." : "_8.") + c.ext);
        ASSERT_TRUE(cSave(s, path, c.code)) << cGetLastError(s);
        RgbPicture magick;
        ASSERT_TRUE(test::magickPixels(path, magick));
        RgbPicture expected = processed;
        const bool deep =
            sixteen && c.code != kCodeBmp && c.code != kCodeJpeg && c.code != kCodeJpegProgressive;
        if (!deep)
            for (auto& v : expected.rgb)
                v = static_cast<std::uint16_t>((v >> 8) * 257);
        const int diff = test::maxDifference(magick, expected);
        EXPECT_GE(diff, 0);
        EXPECT_LE(diff, c.maxError);
        auto tags = test::exiftoolTags(path, {"Make", "ProfileDescription"});
        if (c.metadata) {
            EXPECT_EQ(tags["Make"], "OLYMPUS IMAGING CORP.");
            EXPECT_EQ(tags["ProfileDescription"], "sRGB IEC61966-2.1");
        }
    }
}

TEST(EngineRoundTrip, EightBitPhotographThroughGrainwash2AndEveryFormat) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cLoadImage(s, test::dataPath("imaging/Kite.jpg")));
    ASSERT_TRUE(cSetOpRectangle(s, 900, 500, 1539, 899));  // 640 x 400 keeps the run short
    ASSERT_TRUE(cOpCrop(s));
    ASSERT_TRUE(cSetJPEGParams(s, 98, 0.98, true, 0));
    ProcessingParams p = engineParams(s, false);
    ASSERT_EQ(Grainwash2(&p), 1);
    checkSaves(s, false, dir);
}

TEST(EngineRoundTrip, SixteenBitPicturesRunOnTheirDeepPixels) {
    test::ScratchDir dir;
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    ASSERT_TRUE(cLoadImage(s, test::dataPath("imaging/Kite.jpg")));
    ASSERT_TRUE(cSetOpRectangle(s, 900, 500, 1539, 899));
    ASSERT_TRUE(cOpCrop(s));
    ASSERT_TRUE(cOpIncreaseBitsPerPixel(s, 48));
    ASSERT_TRUE(cSetJPEGParams(s, 98, 0.98, true, 0));
    ProcessingParams p = engineParams(s, true);
    ASSERT_NE(p.Bits, nullptr);
    ASSERT_EQ(Grainwash2(&p), 1);
    ASSERT_TRUE(cRefreshDisplayData(s));
    checkSaves(s, true, dir);
}

}  // namespace
}  // namespace imaging
