#include "core/editors/memory_colour_apply.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cstdlib>

namespace {

using core::ChannelShifts;
using core::Rgb16;

TEST(MemoryColourShifts, CarryThePickedColourToTheMemoryColour) {
    struct Case {
        const char* what;
        bool bw;
        Rgb16 picked;
        Rgb16 memory;
        bool keep;
        ChannelShifts expected;
    };
    const Case cases[] = {
        // A neutral colour toward white, brightness kept: x = 2, no correction.
        {"grey to white", false, {32768, 32768, 32768}, {65535, 65535, 65535}, true, {0, 0, 0}},
        // x = 1: trunc(c2 * 100.5 / c1) - 100.
        {"warmer", false, {30000, 30000, 30000}, {40000, 30000, 20000}, false, {34, 0, -33}},
        {"clamped", false, {1000, 30000, 30000}, {60000, 30000, 100}, false, {100, 0, -100}},
        // In black and white the picked colour counts as grey and brightness is kept.
        {"black and white", true, {5000, 40000, 9000}, {65535, 65535, 65535}, false, {0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::memoryColourShifts(c.bw, c.picked, c.memory, c.keep), c.expected) << c.what;
}

// The list opened without a pick has no colour to correct, except in black and white, where
// grey is carried to the memory colour.
TEST(MemoryColourShifts, NothingWithoutAPickedColourUnlessBlackAndWhite) {
    EXPECT_FALSE(core::memoryColourShifts(false, std::nullopt, {65535, 0, 0}, true).has_value());
    // Grey (32768) toward (40000, 30000, 20000), brightness kept: L1 = 32768, L2 = 31849,
    // x = 31849 / 32769; shifts trunc(c2 * 100.5 / 32768 / x) - 100.
    EXPECT_EQ(core::memoryColourShifts(true, std::nullopt, {40000, 30000, 20000}, false),
              (ChannelShifts{26, -6, -37}));
}

std::vector<uint8_t> profileBytes(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// sRGB primaries with a straight (gamma 1) curve: a mid value there is brighter in sRGB.
std::vector<uint8_t> linearProfile() {
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {linear, linear, linear};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(linear);
    return profileBytes(profile);
}

class ColourConversionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = imaging::cNewSession();
        const std::vector<uint16_t> pixels(3 * 4 * 4, 65535);
        ASSERT_TRUE(imaging::cLoadImage16(session, pixels.data(), pixels.size() * 2, 4, 4));
    }
    void TearDown() override { imaging::cDestroySession(session); }
    imaging::Handle session = 0;
};

TEST_F(ColourConversionTest, ALinearColourBecomesBrighterInSrgbAndComesBack) {
    const auto linear = linearProfile();
    const auto srgb = imaging::srgbProfile();
    ASSERT_FALSE(srgb.empty());
    const Rgb16 grey{13000, 13000, 13000};  // about 0.2 linear, about 0.48 in sRGB
    const Rgb16 inSrgb = core::convertColour(session, linear, srgb, grey);
    for (uint16_t v : inSrgb) {
        EXPECT_GT(v, 29000);
        EXPECT_LT(v, 34000);
    }
    const Rgb16 back = core::convertColour(session, srgb, linear, inSrgb);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_LE(std::abs(int(back[i]) - int(grey[i])), 200) << i;
}

TEST_F(ColourConversionTest, WithoutASessionOrAProfileTheColourPassesUnchanged) {
    const Rgb16 colour{1234, 40000, 65535};
    const auto srgb = imaging::srgbProfile();
    EXPECT_EQ(core::convertColour(0, linearProfile(), srgb, colour), colour);
    EXPECT_EQ(core::convertColour(session, {}, srgb, colour), colour);
    EXPECT_EQ(core::convertColour(session, srgb, {}, colour), colour);
    // A picture without a profile of its own.
    const imaging::Handle plain = imaging::cNewSession();
    const std::vector<uint16_t> pixels(3, 100);
    ASSERT_TRUE(imaging::cLoadImage16(plain, pixels.data(), pixels.size() * 2, 1, 1));
    EXPECT_EQ(core::pictureColourToSrgb(session, plain, colour), colour);
    EXPECT_EQ(core::srgbColourToPicture(session, plain, colour), colour);
    EXPECT_EQ(core::pictureColourToSrgb(0, plain, colour), colour);
    imaging::cDestroySession(plain);
}

TEST_F(ColourConversionTest, APictureProfileIsUsedBothWays) {
    const imaging::Handle picture = imaging::cNewSession();
    const std::vector<uint16_t> pixels(3, 100);
    ASSERT_TRUE(imaging::cLoadImage16(picture, pixels.data(), pixels.size() * 2, 1, 1));
    const auto linear = linearProfile();
    ASSERT_TRUE(imaging::cLoadICCProfile(picture, linear.data(), linear.size()));
    const Rgb16 grey{13000, 13000, 13000};
    const Rgb16 inSrgb = core::pictureColourToSrgb(session, picture, grey);
    EXPECT_GT(inSrgb[1], 29000);
    const Rgb16 back = core::srgbColourToPicture(session, picture, inSrgb);
    EXPECT_LE(std::abs(int(back[1]) - int(grey[1])), 200);
    imaging::cDestroySession(picture);
}

}  // namespace
