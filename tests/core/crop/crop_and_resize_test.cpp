#include "core/crop/crop_and_resize.h"

#include <gtest/gtest.h>

#include "core/crop/crop_controls.h"
#include "core/crop/resampling_method.h"
#include "tests/core/crop/memory_crop_picture.h"

namespace {

using testing_crop::MemoryCropPicture;

// The crop group a 4000 x 3000 picture stores with paper row 2, landscape.
core::SettingsBlock paperRowTwoOn4000x3000() {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropPaper;
    c.size.paperIndex = 2;
    core::SettingsBlock block;
    core::storeCropControls(c, 4000, 3000, true, block);
    return block;
}

TEST(CropAndResize, TheStoredFrameAndSizeOfThePictureTheyWereMadeOn) {
    const core::SettingsBlock g = paperRowTwoOn4000x3000();
    for (core::CropMode mode : {core::CropMode::Final, core::CropMode::QueueItem}) {
        const auto plan = core::planCropAndResize(g, 4000, 3000, mode);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->frame, (core::CropFrame{4000, 2666, 0, 167}));
        EXPECT_EQ(plan->resize, (core::PixelSize{1800, 1200}));
        EXPECT_EQ(plan->angle, 0.0);
    }
}

TEST(CropAndResize, FitEachImageOnTheTurnedPicture) {
    core::SettingsBlock g = paperRowTwoOn4000x3000();
    g.CropFitEachImage = 1;
    const auto portrait = core::planCropAndResize(g, 3000, 4000, core::CropMode::QueueItem);
    ASSERT_TRUE(portrait);
    EXPECT_EQ(portrait->frame, (core::CropFrame{2666, 4000, 167, 0}));
    EXPECT_EQ(portrait->resize, (core::PixelSize{1200, 1800}));
    const auto landscape = core::planCropAndResize(g, 4000, 3000, core::CropMode::QueueItem);
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->frame, (core::CropFrame{4000, 2666, 0, 167}));
    EXPECT_EQ(landscape->resize, (core::PixelSize{1800, 1200}));
}

TEST(CropAndResize, FitEachImageTakesTheRowsSizeEvenWhenNoneWasStored) {
    // As the command line's --set leaves it: only the switch and the row.
    core::SettingsBlock g;
    g.CropOn = 1;
    g.CropPaperIndex = 2;
    g.CropFitEachImage = 1;
    g.CropAngle = 5000;  // a queue image fitted afresh is not straightened
    const auto plan = core::planCropAndResize(g, 4000, 3000, core::CropMode::QueueItem);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->frame, (core::CropFrame{4000, 2666, 0, 167}));
    EXPECT_EQ(plan->resize, (core::PixelSize{1800, 1200}));
    EXPECT_EQ(plan->angle, 0.0);
}

TEST(CropAndResize, FitEachImageWithTheUsersSize) {
    core::SettingsBlock g;
    g.CropOn = 1;
    g.CropFitEachImage = 1;
    g.CropSizeKind = core::kCropUser;
    g.CropUserResizeOn = 1;
    g.CropUserWidth = 800;
    g.CropUserHeight = 600;
    // Both sides given: the larger one along the picture's longer side, and the frame to match.
    auto plan = core::planCropAndResize(g, 1200, 1600, core::CropMode::QueueItem);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->resize, (core::PixelSize{600, 800}));
    EXPECT_EQ(plan->frame, (core::CropFrame{1200, 1600, 0, 0}));
    // One side given, made on a landscape picture: swapped for a portrait one, the other derived.
    g.CropUserHeight = 0;
    g.CropImageWidth = 1600;
    g.CropImageHeight = 1200;
    plan = core::planCropAndResize(g, 1200, 1600, core::CropMode::QueueItem);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->resize, (core::PixelSize{600, 800}));
    plan = core::planCropAndResize(g, 1600, 1200, core::CropMode::QueueItem);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->resize, (core::PixelSize{800, 600}));
}

TEST(CropAndResize, UserWidthOnlyOn1600x1200) {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropUser;
    c.size.userResizeOn = true;
    c.size.userWidth = 800;
    core::SettingsBlock g;
    core::storeCropControls(c, 1600, 1200, true, g);
    EXPECT_EQ(g.CropTargetWidth, 800);
    EXPECT_EQ(g.CropTargetHeight, 600);
    MemoryCropPicture picture(1600, 1200, false);
    const core::Result<bool> done = core::applyCropAndResize(g, picture, core::CropMode::Final);
    ASSERT_TRUE(done);
    EXPECT_TRUE(done.value());
    EXPECT_TRUE(picture.crops.empty());  // the frame is the whole picture
    EXPECT_EQ(picture.width(), 800);
    EXPECT_EQ(picture.height(), 600);
}

TEST(CropAndResize, WebRowZeroCropsToFourToThreeWithoutResizing) {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropWeb;
    core::SettingsBlock g;
    core::storeCropControls(c, 3000, 3000, true, g);
    EXPECT_EQ(g.CropTargetWidth, 0);
    EXPECT_EQ(g.CropTargetHeight, 0);
    MemoryCropPicture picture(3000, 3000, false);
    ASSERT_TRUE(core::applyCropAndResize(g, picture, core::CropMode::Final));
    EXPECT_TRUE(picture.resizes.empty());
    EXPECT_EQ(picture.width(), 3000);
    EXPECT_EQ(picture.height(), 2250);
}

TEST(CropAndResize, CropThenResizeWithTheMethodOfTheMode) {
    const core::SettingsBlock g = paperRowTwoOn4000x3000();
    struct Case {
        core::CropMode mode;
        int32_t method;
    };
    for (const Case c : {Case{core::CropMode::Preview, core::kResampleBilinear},
                         Case{core::CropMode::Final, core::kResampleMitchell},
                         Case{core::CropMode::QueueItem, core::kResampleMitchell}}) {
        MemoryCropPicture picture(4000, 3000, true);
        const core::Result<bool> done = core::applyCropAndResize(g, picture, c.mode);
        ASSERT_TRUE(done);
        EXPECT_TRUE(done.value());
        ASSERT_EQ(picture.crops.size(), 1u);
        EXPECT_EQ(picture.crops[0], (std::array<int32_t, 4>{0, 167, 3999, 2832}));
        ASSERT_EQ(picture.resizes.size(), 1u);
        EXPECT_EQ(picture.resizes[0], (std::array<int32_t, 3>{1800, 1200, c.method}));
        EXPECT_EQ(picture.width(), 1800);
        EXPECT_EQ(picture.height(), 1200);
        EXPECT_GE(picture.refreshes, 1);
    }
}

TEST(CropAndResize, AFrameStoredForAnotherPictureSizeIsNotApplied) {
    const core::SettingsBlock g = paperRowTwoOn4000x3000();
    for (core::CropMode mode :
         {core::CropMode::Preview, core::CropMode::Final, core::CropMode::QueueItem}) {
        EXPECT_FALSE(core::planCropAndResize(g, 3000, 4000, mode));
        MemoryCropPicture picture(4000, 2999, false);
        const core::Result<bool> done = core::applyCropAndResize(g, picture, mode);
        ASSERT_TRUE(done);
        EXPECT_FALSE(done.value());
        EXPECT_EQ(picture.width(), 4000);
        EXPECT_EQ(picture.height(), 2999);
    }
}

TEST(CropAndResize, PicturesUnderTenPixelsAreUntouched) {
    core::SettingsBlock g;
    g.CropOn = 1;
    g.CropFitEachImage = 1;
    g.CropPaperIndex = 2;
    for (auto [w, h] : {std::pair{9, 200}, std::pair{200, 9}}) {
        g.CropImageWidth = w;
        g.CropImageHeight = h;
        g.CropRect = {w, h / 2, 0, 0};
        for (core::CropMode mode : {core::CropMode::Final, core::CropMode::QueueItem}) {
            MemoryCropPicture picture(w, h, false);
            const core::Result<bool> done = core::applyCropAndResize(g, picture, mode);
            ASSERT_TRUE(done);
            EXPECT_FALSE(done.value());
            EXPECT_TRUE(picture.crops.empty());
            EXPECT_TRUE(picture.resizes.empty());
        }
    }
}

TEST(CropAndResize, NothingToDoWhenTheCropIsOffOrChangesNothing) {
    core::SettingsBlock g = paperRowTwoOn4000x3000();
    g.CropOn = 0;
    EXPECT_FALSE(core::planCropAndResize(g, 4000, 3000, core::CropMode::Final));
    g.CropOn = 1;
    g.CropRect = {4000, 3000, 0, 0};
    g.CropTargetWidth = g.CropTargetHeight = 0;
    EXPECT_FALSE(core::planCropAndResize(g, 4000, 3000, core::CropMode::Final));
    g.CropAngle = 500;  // only straightened
    const auto plan = core::planCropAndResize(g, 4000, 3000, core::CropMode::Final);
    ASSERT_TRUE(plan);
    EXPECT_DOUBLE_EQ(plan->angle, 0.5);
}

TEST(CropAndResize, TheStoredAngleTurnsThePictureBeforeTheCrop) {
    core::SettingsBlock g;
    g.CropOn = 1;
    g.CropImageWidth = 11;
    g.CropImageHeight = 11;
    g.CropRect = {11, 11, 0, 0};
    g.CropAngle = 90000;
    for (bool sixteen : {false, true}) {
        MemoryCropPicture picture(11, 11, sixteen);
        const int32_t scale = sixteen ? 256 : 1;
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 11; ++x)
                picture.setSample(x, y, 1, (20 + 20 * y) * scale);
        const core::Result<bool> done = core::applyCropAndResize(g, picture, core::CropMode::Final);
        ASSERT_TRUE(done);
        EXPECT_TRUE(done.value());
        // A quarter turn clockwise: pixel (x, y) shows what was at (y, 10 - x), so the green ramp
        // of the rows now falls from left to right.
        EXPECT_NEAR(picture.sample(1, 4, 1), (20 + 20 * 9) * scale, scale);
        EXPECT_NEAR(picture.sample(7, 4, 1), (20 + 20 * 3) * scale, scale);
        EXPECT_NEAR(picture.sample(5, 5, 1), (20 + 20 * 5) * scale, scale);
        EXPECT_GE(picture.refreshes, 1);
    }
}

TEST(CropAndResize, TheDisplayCopyTakesTheFrameScaledToItsSize) {
    const core::SettingsBlock g = paperRowTwoOn4000x3000();
    MemoryCropPicture copy(400, 300, false);
    const core::Result<bool> done = core::applyCropGroupToDisplayCopy(g, 4000, 3000, copy);
    ASSERT_TRUE(done);
    EXPECT_TRUE(done.value());
    ASSERT_EQ(copy.crops.size(), 1u);
    EXPECT_EQ(copy.crops[0], (std::array<int32_t, 4>{0, 17, 399, 283}));
    EXPECT_TRUE(copy.resizes.empty());
}

TEST(CropAndResize, TheDisplayCopyFitsTheScreenOnlyWhenFarOff) {
    core::SettingsBlock g;  // crop off, no angle
    MemoryCropPicture near(1800, 1000, false);
    ASSERT_TRUE(
        core::applyCropGroupToDisplayCopy(g, 1800, 1000, near, core::PixelSize{1920, 1080}));
    EXPECT_TRUE(near.resizes.empty());  // s = 1.067
    MemoryCropPicture small(400, 267, false);
    ASSERT_TRUE(core::applyCropGroupToDisplayCopy(g, 400, 267, small, core::PixelSize{1920, 1080}));
    ASSERT_EQ(small.resizes.size(), 1u);
    EXPECT_EQ(small.resizes[0], (std::array<int32_t, 3>{1618, 1080, core::kResampleNearest}));
}

TEST(CropAndResize, ManyPicturesFitTheirOwnFrames) {
    core::SettingsBlock s;
    s.CropOn = 1;
    s.CropPaperIndex = 12;
    core::prepareForEachPicture(s);
    EXPECT_EQ(s.CropPaperIndex, 0);
    EXPECT_EQ(s.CropFitEachImage, 1);
    core::SettingsBlock user;
    user.CropOn = 1;
    user.CropSizeKind = core::kCropUser;
    user.CropUserResizeOn = 0;
    user.CropUserWidth = 800;
    core::prepareForEachPicture(user);
    EXPECT_EQ(user.CropOn, 0);  // no proportion to fit
    EXPECT_EQ(user.CropFitEachImage, 0);
}

TEST(ResamplingMethod, CodesMapToTheImagingFilters) {
    EXPECT_TRUE(core::imagingFilter(core::kResampleNearest));
    EXPECT_TRUE(core::imagingFilter(core::kResampleBilinear));
    EXPECT_TRUE(core::imagingFilter(core::kResampleMitchell));
    EXPECT_NE(*core::imagingFilter(core::kResampleNearest),
              *core::imagingFilter(core::kResampleMitchell));
    EXPECT_FALSE(core::imagingFilter(4));
    EXPECT_EQ(core::methodForFilterPreference(1), core::kResampleBilinear);
    EXPECT_EQ(core::methodForFilterPreference(2), core::kResampleMitchell);
    EXPECT_EQ(core::methodForFilterPreference(7), core::kResampleNearest);
}

}  // namespace
