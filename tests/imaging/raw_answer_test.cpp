// The camera raw reader's side of the decoder's protocol, against a test program that answers
// as a decoder would, or nearly: every broken answer becomes a failure with a message, and
// nothing the answer claims is allocated before it is checked.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <cerrno>

#include "imaging/codecs.h"

namespace imaging {
namespace {

// Points the raw reader at the misbehaving test program, in the given mode, for one scope.
class MisbehavingDecoder {
  public:
    explicit MisbehavingDecoder(const char* mode) {
        setRawDecoderProgram(VF_TEST_HELPER);
        ::setenv("VF_MISBEHAVE", mode, 1);
        setMaxPixelCount(std::uint64_t{1} << 20);
    }
    ~MisbehavingDecoder() {
        setRawDecoderProgram("");
        ::unsetenv("VF_MISBEHAVE");
        setMaxPixelCount(limit_);
    }

  private:
    std::uint64_t limit_ = maxPixelCount();
};

const std::vector<std::uint8_t> kFile = {0x5A, 1, 2, 3, 4, 5, 6, 7, 8, 9};

class RawAnswer : public ::testing::Test {
  protected:
    void SetUp() override {
#ifdef VF_RAW_IN_PROCESS
        GTEST_SKIP() << "this build decodes camera raw files in-process, without the decoder "
                        "program";
#endif
    }
};

TEST_F(RawAnswer, AGoodAnswerCarriesTheRequestAndThePicture) {
    MisbehavingDecoder decoder("raw-good");
    DecodeOptions options;
    options.rawCameraWhiteBalance = false;
    options.rawHalfSize = true;
    options.rawApplyOrientation = true;
    Image image;
    std::string error;
    ASSERT_TRUE(decodeRaw(kFile.data(), kFile.size(), options, image, error)) << error;
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.formatCode, 64);
    std::vector<std::uint16_t> rgb(12);
    image.getRowRgb16(0, rgb.data());
    EXPECT_EQ(rgb[0], 2 | 4);  // half size, turned as recorded; not the camera's balance
    EXPECT_EQ(rgb[1], kFile.size());
    EXPECT_EQ(rgb[2], 0x5A);
    EXPECT_EQ(rgb[3], 3000);
    image.getRowRgb16(1, rgb.data());
    EXPECT_EQ(rgb[11], 23000);

    FileFacts facts;
    ASSERT_TRUE(probeRaw(kFile.data(), kFile.size(), facts, error)) << error;
    EXPECT_EQ(facts.width, 4);
    EXPECT_EQ(facts.height, 2);
    EXPECT_EQ(facts.formatCode, 64);
}

TEST_F(RawAnswer, BrokenAnswersBecomeMessages) {
    struct Case {
        const char* mode;
        const char* message;
    };
    const Case cases[] = {
        {"raw-failure", "Bad file "},
        {"raw-huge-failure-text", "The camera raw decoder sent an unreadable answer."},
        {"raw-unknown-frame", "The camera raw decoder sent an unreadable answer."},
        {"raw-facts-wrong-size", "The camera raw decoder sent an unreadable answer."},
        {"raw-shapeless", "The camera raw decoder made a picture of no usable shape."},
        {"raw-not-a-raw-format", "The camera raw decoder made a picture of no usable shape."},
        {"raw-too-many-pixels",
         "The picture is too large to load: 65535 x 65535 pixels would need 36863 MiB of "
         "memory."},
        {"raw-short-rows", "The camera raw decoder ended without a complete answer."},
        {"raw-oversized-row", "The camera raw decoder sent an unreadable answer."},
        {"raw-no-end", "The camera raw decoder ended without a complete answer."},
        {"raw-trailing", "The camera raw decoder sent an unreadable answer."},
        {"raw-crash-mid-rows",
         "The camera raw decoder stopped on this file (signal 11); it is probably damaged."},
        {"no-such-mode", "The camera raw decoder ended without a complete answer."},
    };
    for (const Case& c : cases) {
        MisbehavingDecoder decoder(c.mode);
        Image image;
        std::string error;
        EXPECT_FALSE(decodeRaw(kFile.data(), kFile.size(), DecodeOptions{}, image, error))
            << c.mode;
        EXPECT_EQ(error, c.message) << c.mode;
        EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) << c.mode;
    }
}

TEST_F(RawAnswer, AMissingDecoderIsReported) {
    setRawDecoderProgram("/nonexistent/library/velmarfilter-raw");
    FileFacts facts;
    std::string error;
    EXPECT_FALSE(probeRaw(kFile.data(), kFile.size(), facts, error));
    setRawDecoderProgram("");
    EXPECT_EQ(error, "The camera raw decoder cannot be started: No such file or directory");
}

}  // namespace
}  // namespace imaging
