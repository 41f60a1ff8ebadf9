// Camera raw through LibRaw in the decoder program, on a small DNG the test writes itself.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/codecs.h"
#include "imaging/helper_process.h"
#include "imaging/imaging.h"
#include "imaging/raw_answer.h"
#include "imaging/raw_decoder/libraw_decoding.h"
#include "imaging_test_support.h"
#include "mosaic_dng.h"

namespace imaging {
namespace {

using test::SessionGuard;

TEST(ImagingRaw, DngDecodesTo16BitsWithItsColours) {
    test::ScratchDir dir;
    const std::string dng = dir.file("mosaic.dng");
    ASSERT_TRUE(test::writeMosaicDng(dng));
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    EXPECT_TRUE(cIsSupportedImageFile(s, dng));
    FileInfo file;
    ASSERT_TRUE(cGetImageFileInfoEx(s, dng, file)) << cGetLastError(s);
    EXPECT_EQ(file.formatCode, 64);
    EXPECT_EQ(cGetFormatName(64), "DNG");
    ASSERT_TRUE(cLoadImage(s, dng)) << cGetLastError(s);
    ASSERT_NE(cGetBits16Ptr(s), nullptr);
    ImageInfo info;
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.formatCode, 64);
    EXPECT_EQ(info.bitsPerPixel, 48);
    EXPECT_EQ(info.width, file.width);
    EXPECT_EQ(info.height, file.height);
    EXPECT_EQ(cEXIF_GetMake(s), "Velmar");
    std::uint16_t r, g, b;
    ASSERT_TRUE(cGetPixelColor(s, info.width / 4, info.height / 2, r, g, b));
    EXPECT_GT(r, 2 * b);
    ASSERT_TRUE(cGetPixelColor(s, info.width * 3 / 4, info.height / 2, r, g, b));
    EXPECT_GT(b, 2 * r);
    // It saves like any other picture, with its metadata.
    ASSERT_TRUE(cSave(s, dir.file("mosaic.tif"), kCodeTiff));
    EXPECT_EQ(test::exiftoolTag(dir.file("mosaic.tif"), "Make"), "Velmar");
    EXPECT_EQ(test::exiftoolTag(dir.file("mosaic.tif"), "BitsPerSample"), "16 16 16");
}

// The mosaic DNG with one value of its (little-endian, first) directory replaced.
std::vector<std::uint8_t> withTag(std::vector<std::uint8_t> b, std::uint16_t tag,
                                  std::uint32_t value) {
    std::uint32_t ifd = 0;
    std::uint16_t entries = 0;
    std::memcpy(&ifd, &b[4], 4);
    std::memcpy(&entries, &b[ifd], 2);
    for (int i = 0; i < entries; ++i) {
        std::uint8_t* entry = &b[ifd + 2 + 12 * static_cast<std::size_t>(i)];
        std::uint16_t t = 0, type = 0;
        std::memcpy(&t, entry, 2);
        std::memcpy(&type, entry + 2, 2);
        if (t != tag) continue;
        if (type == 3) {
            const auto shortValue = static_cast<std::uint16_t>(value);
            std::memcpy(entry + 8, &shortValue, 2);
        } else {
            std::memcpy(entry + 8, &value, 4);
        }
    }
    return b;
}

// Damaged files end in a message naming what is wrong, never in a crash of the decoder (which
// would say "stopped on this file"); a file that lost only tag values the decoder does without
// still opens whole.
TEST(ImagingRaw, DamagedDngFailsCleanly) {
    test::ScratchDir dir;
    const std::string dng = dir.file("mosaic.dng");
    ASSERT_TRUE(test::writeMosaicDng(dng));
    const std::vector<std::uint8_t> bytes = test::readBytes(dng);
    const auto cut = [&bytes](std::size_t size) {
        return std::vector<std::uint8_t>(bytes.begin(),
                                         bytes.begin() + static_cast<std::ptrdiff_t>(size));
    };
    const std::string notTiff = "Not a readable TIFF file.";
    const std::string undecodable = "The camera raw file cannot be decoded: Input/output error";
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::string error;  // empty: the picture opens at 64 x 48
    };
    const Case cases[] = {
        {"only the header", cut(16), notTiff},
        {"the directory cut off", cut(bytes.size() / 3), notTiff},
        {"the last tag values cut off", cut(bytes.size() - 100), ""},
        {"wider than its pixels", withTag(bytes, 256, 4096), undecodable},
        {"taller than its pixels", withTag(bytes, 257, 4096), undecodable},
        {"pixels past the end", withTag(bytes, 273, 100000), undecodable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeBytes(dir.file("damaged.dng"), c.file);
        SessionGuard s;
        const bool opened = cLoadImage(s, dir.file("damaged.dng"));
        EXPECT_EQ(opened, c.error.empty()) << cGetLastError(s);
        if (!opened) {
            EXPECT_EQ(cGetLastError(s).substr(0, c.error.size()), c.error) << cGetLastError(s);
            continue;
        }
        ImageInfo info{};
        ASSERT_TRUE(cGetImageInfo(s, info));
        EXPECT_EQ(info.width, 64);
        EXPECT_EQ(info.height, 48);
    }
}

// The decoder program changes nothing of what LibRaw makes: its pictures are LibRaw's own, as
// decoded in this process, for every combination of the raw options.
TEST(ImagingRaw, TheDecoderProgramGivesLibRawsOwnPixels) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::writeMosaicDng(dir.file("mosaic.dng")));
    const std::vector<std::uint8_t> bytes = test::readBytes(dir.file("mosaic.dng"));
    for (std::uint32_t flags = 0; flags < 8; ++flags) {
        raw_decoder::DecodedRaw own;
        std::string error;
        ASSERT_TRUE(
            raw_decoder::decode(bytes.data(), bytes.size(), flags, maxPixelCount(), own, error))
            << error;
        ASSERT_EQ(own.facts.colors, 3);
        DecodeOptions options;
        options.rawCameraWhiteBalance = (flags & raw_protocol::kCameraWhiteBalance) != 0;
        options.rawHalfSize = (flags & raw_protocol::kHalfSize) != 0;
        options.rawApplyOrientation = (flags & raw_protocol::kApplyOrientation) != 0;
        Image image;
        ASSERT_TRUE(decodeRaw(bytes.data(), bytes.size(), options, image, error)) << error;
        ASSERT_EQ(image.width, own.facts.width) << flags;
        ASSERT_EQ(image.height, own.facts.height) << flags;
        EXPECT_EQ(image.formatCode, own.facts.formatCode) << flags;
        const std::size_t samples = static_cast<std::size_t>(image.width) * 3;
        std::vector<std::uint16_t> got(samples), expected(samples);
        int differing = 0;
        for (int y = 0; y < image.height; ++y) {
            image.getRowRgb16(y, got.data());
            std::memcpy(expected.data(), own.samples + y * samples * 2, samples * 2);
            differing += got != expected;
        }
        EXPECT_EQ(differing, 0) << "rows differ with flags " << flags;
    }
}

// The decoder program answers nothing to input that is not a request of this program's; to a
// request it answers, even when the file is no raw file.
TEST(ImagingRaw, TheDecoderProgramRefusesWhatIsNotARequest) {
    const std::vector<std::uint8_t> file(10, 0xAB);
    const auto request = [&file](auto change) {
        raw_protocol::RawRequest r;
        r.operation = raw_protocol::kIdentify;
        r.maxPixels = 1000;
        r.fileSize = file.size();
        r.parentPid = ::getpid();
        change(r);
        return r;
    };
    struct Case {
        const char* name;
        raw_protocol::RawRequest request;
        std::size_t requestBytes;
        const char* message = "The camera raw decoder ended without a complete answer.";
    };
    const Case cases[] = {
        {"a request", request([](auto&) {}), sizeof(raw_protocol::RawRequest),
         "Not a readable camera raw file: Input/output error"},
        {"nothing", request([](auto&) {}), 0},
        {"half a request", request([](auto&) {}), sizeof(raw_protocol::RawRequest) / 2},
        {"another magic", request([](auto& r) { r.magic = 0x12345678; }),
         sizeof(raw_protocol::RawRequest)},
        {"another version", request([](auto& r) { r.version = 99; }),
         sizeof(raw_protocol::RawRequest)},
        {"an unknown operation", request([](auto& r) { r.operation = 7; }),
         sizeof(raw_protocol::RawRequest)},
        {"a longer file than sent", request([](auto& r) { r.fileSize = 11; }),
         sizeof(raw_protocol::RawRequest)},
        {"another parent", request([](auto& r) { r.parentPid = 1; }),
         sizeof(raw_protocol::RawRequest)},
    };
    for (const Case& c : cases) {
        HelperCall call;
        call.what = kRawDecoderName;
        call.program = rawDecoderProgram();
        call.input = {{reinterpret_cast<const std::uint8_t*>(&c.request), c.requestBytes}};
        if (c.requestBytes > 0) call.input.push_back(file);
        call.parent = [](ChildAnswer& answer, std::string& reason) {
            raw_protocol::RawFacts facts{};
            return RawAnswer(answer).facts(facts, false, reason);
        };
        std::string error;
        EXPECT_FALSE(runHelper(call, error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
    }
}

}  // namespace
}  // namespace imaging
