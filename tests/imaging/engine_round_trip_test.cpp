// A real photograph through the engine straight from the session's pixel memory, then saved in
// every format with its profile and metadata, checked by ImageMagick and exiftool.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dnr.h"
#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::RgbPicture;
using test::SessionGuard;

// The noise levels measured on the picture itself, held to the program's range, as a run on an
// opened picture has them.
void detectNoise(ProcessingParams& p) {
    int32_t levels[3] = {0, 0, 0};
    DetectNoiseLevel(p.Bits, levels, p.Width, p.Height, p.BytesPerSample == 2 ? 1 : 0);
    p.ShadowsNoiseLevel = std::clamp(levels[0], 1, 200);
    p.NoiseLevel = std::clamp(levels[1], 1, 200);
    p.HighlightsNoiseLevel = std::clamp(levels[2], 1, 200);
}

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
    p.NoiseRadius = 6;  // the program's default; 0 would smooth nothing
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
    int maxError;  // against the session's pixels, 16-bit units (JPEG and JPEG 2000 at 98 %
                   // are lossy, more so on what grain the engine left)
    bool metadata;
};

const SaveCase kSaves[] = {{"bmp", kCodeBmp, 0, false},
                           {"jpg", kCodeJpeg, 8 * 257, true},
                           {"jpg", kCodeJpegProgressive, 8 * 257, true},
                           {"jp2", kCodeJp2, 8 * 257, true},
                           {"psd", kCodePsd, 0, true},
                           {"tif", kCodeTiff, 0, true},
                           {"png", kCodePng, 0, true}};

// Adds grain of up to 12 levels (from a fixed seed) to every sample of the session's picture and
// returns the picture as it was before.
RgbPicture addGrain(Handle h) {
    const RgbPicture clean = test::sessionPixels(h);
    std::uint32_t state = 12345;
    auto grain = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % 25) - 12;
    };
    for (int y = 0; y < clean.height; ++y)
        for (int x = 0; x < clean.width; ++x) {
            std::uint16_t v[3];
            for (int c = 0; c < 3; ++c)
                v[c] = static_cast<std::uint16_t>(
                    std::clamp(clean.at(x, y, c) + 257 * grain(), 0, 65535));
            cOpSetPixelColor(h, x, y, v[0], v[1], v[2]);
        }
    return clean;
}

// The engine worked on the session's own pixels: the grain is mostly gone, the picture is not.
void checkCleaned(const RgbPicture& clean, const RgbPicture& grainy, const RgbPicture& result) {
    ASSERT_EQ(result.width, clean.width);
    ASSERT_EQ(result.height, clean.height);
    const double before = test::meanDifference(grainy, clean),
                 after = test::meanDifference(result, clean);
    EXPECT_GT(before, 5.0 * 257);
    EXPECT_LT(after, 0.6 * before) << before << " -> " << after;
}

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
    const RgbPicture clean = addGrain(s), grainy = test::sessionPixels(s);
    detectNoise(p);
    ASSERT_EQ(Grainwash2(&p), 1);
    checkCleaned(clean, grainy, test::sessionPixels(s));
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
    const RgbPicture clean = addGrain(s), grainy = test::sessionPixels(s);
    detectNoise(p);
    ASSERT_EQ(Grainwash2(&p), 1);
    ASSERT_TRUE(cRefreshDisplayData(s));
    checkCleaned(clean, grainy, test::sessionPixels(s));
    checkSaves(s, true, dir);
}

}  // namespace
}  // namespace imaging
