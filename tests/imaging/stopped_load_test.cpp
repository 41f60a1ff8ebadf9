// A load the user stops gives up part-way with its own message, leaves the session empty and
// usable, and a load that is not stopped is unchanged.
#include <gtest/gtest.h>

#include <atomic>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;

struct StopCase {
    const char* name;
    int code;
    bool sixteen;
};

const StopCase kStopCases[] = {
    {"jpg", kCodeJpeg, false}, {"jpgp", kCodeJpegProgressive, false},
    {"png", kCodePng, true},   {"tif", kCodeTiff, true},
    {"psd", kCodePsd, true},   {"jp2", kCodeJp2, false},
    {"bmp", kCodeBmp, false},
};

class StoppedLoad : public ::testing::TestWithParam<StopCase> {
  protected:
    std::string writePicture(const test::ScratchDir& dir) {
        const StopCase& c = GetParam();
        SessionGuard s;
        EXPECT_TRUE(cSet16BitComponentOptions(s, true, true));
        // Tall enough for several bands of rows.
        EXPECT_TRUE(test::loadPattern(s, test::makePattern(96, 700, c.sixteen), c.sixteen));
        const std::string path = dir.file(std::string("picture.") + c.name);
        EXPECT_TRUE(cSave(s, path, c.code)) << cGetLastError(s);
        return path;
    }
};

TEST_P(StoppedLoad, GivesUpWithItsOwnMessageAndLeavesTheSessionUsable) {
    test::ScratchDir dir;
    const std::string path = writePicture(dir);
    SessionGuard s;
    ASSERT_TRUE(cSet16BitComponentOptions(s, true, true));
    std::atomic<bool> stop{false};
    ASSERT_TRUE(cSetStopFlag(s, &stop));

    // Stopped while the rows come in: the first progress report sets the flag.
    int reports = 0;
    const bool loaded = cLoadImage(s, path, [&](int) {
        ++reports;
        stop = true;
    });
    ImageInfo info;
    if (reports > 0) {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(cGetLastError(s), "Reading the picture was stopped.");
        EXPECT_FALSE(cGetImageInfo(s, info) && info.width > 0) << "a stopped load left a picture";
    } else {
        EXPECT_TRUE(loaded) << "a reader without progress reports has nothing to stop it";
    }

    // Stopped before it began.
    stop = true;
    EXPECT_FALSE(cLoadImage(s, path));
    EXPECT_EQ(cGetLastError(s), "Reading the picture was stopped.");
    EXPECT_FALSE(cGetImageInfo(s, info) && info.width > 0) << "a stopped load left a picture";

    // The same session loads the whole picture once the flag is down.
    stop = false;
    ASSERT_TRUE(cLoadImage(s, path)) << cGetLastError(s);
    ASSERT_TRUE(cGetImageInfo(s, info));
    EXPECT_EQ(info.width, 96);
    EXPECT_EQ(info.height, 700);
}

INSTANTIATE_TEST_SUITE_P(EachReader, StoppedLoad, ::testing::ValuesIn(kStopCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Readers that give up between bands stop long before the last row: the progress they report
// after the flag is set does not reach the end.
TEST(StoppedLoad, BandedReadersStopBeforeTheLastRow) {
    test::ScratchDir dir;
    for (const int code : {kCodeJpeg, kCodeTiff, kCodePsd}) {
        SessionGuard w;
        ASSERT_TRUE(cSet16BitComponentOptions(w, true, true));
        ASSERT_TRUE(test::loadPattern(w, test::makePattern(64, 2000, false), false));
        const std::string path = dir.file("tall" + std::to_string(code));
        ASSERT_TRUE(cSave(w, path, code)) << cGetLastError(w);

        SessionGuard s;
        std::atomic<bool> stop{false};
        ASSERT_TRUE(cSetStopFlag(s, &stop));
        int highest = 0;
        EXPECT_FALSE(cLoadImage(s, path, [&](int percent) {
            highest = std::max(highest, percent);
            if (percent >= 10) stop = true;
        }));
        EXPECT_LT(highest, 50) << "format " << code;
    }
}

}  // namespace
}  // namespace imaging
