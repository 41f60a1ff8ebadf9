// A colour profile lcms2 cannot open is left out of a saved file, with a warning; a sound one is
// embedded as always.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

// A JPEG carrying the sRGB profile, and a copy whose profile lost its signature ("acsp").
void writePictures(const std::string& sound, const std::string& damaged) {
    SessionGuard s;
    ASSERT_TRUE(test::loadPattern(s, test::makePattern(64, 40, false), false));
    const std::vector<std::uint8_t> srgb = srgbProfile();
    ASSERT_TRUE(cLoadICCProfile(s, srgb.data(), srgb.size())) << cGetLastError(s);
    ASSERT_TRUE(cSave(s, sound, kCodeJpeg)) << cGetLastError(s);
    std::vector<std::uint8_t> bytes = test::readBytes(sound);
    const std::string signature = "acsp";
    auto at = std::search(bytes.begin(), bytes.end(), signature.begin(), signature.end());
    ASSERT_NE(at, bytes.end());
    std::fill(at, at + 4, std::uint8_t('x'));
    test::writeBytes(damaged, bytes);
}

TEST(ImagingDamagedProfile, IsLeftOutOfEverySavedFormat) {
    test::ScratchDir dir;
    const std::string sound = dir.file("sound.jpg");
    const std::string damaged = dir.file("damaged.jpg");
    writePictures(sound, damaged);
    for (const int format : {kCodeJpeg, kCodePng, kCodeTiff}) {
        SCOPED_TRACE(cGetFormatName(format));
        for (const bool isDamaged : {false, true}) {
            SCOPED_TRACE(isDamaged ? "damaged" : "sound");
            SessionGuard s;
            ASSERT_TRUE(cLoadImage(s, isDamaged ? damaged : sound)) << cGetLastError(s);
            // The picture itself loads; only its profile is unusable.
            ASSERT_FALSE(cGetImageICCProfile(s).empty());
            const std::string out = dir.file(isDamaged ? "out-damaged" : "out-sound");
            ASSERT_TRUE(cSave(s, out, format)) << cGetLastError(s);
            const std::vector<std::string> warnings = cGetWarnings(s);
            FileInfo info;
            ASSERT_TRUE(cGetImageFileInfoEx(s, out, info)) << cGetLastError(s);
            const std::string description = test::exiftoolTag(out, "ProfileDescription");
            if (isDamaged) {
                EXPECT_TRUE(info.icc.empty());
                EXPECT_EQ(description, "");
                ASSERT_EQ(warnings.size(), 1u);
                EXPECT_EQ(warnings[0],
                          "The picture's colour profile is damaged; the file is saved without it.");
            } else {
                EXPECT_FALSE(info.icc.empty());
                EXPECT_NE(description, "");
                EXPECT_TRUE(warnings.empty());
            }
        }
    }
}

}  // namespace
}  // namespace imaging
