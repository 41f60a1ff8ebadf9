#include "core/crop/crop_controls.h"

#include <gtest/gtest.h>

namespace {

core::CropControls paperControls() {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropPaper;
    c.size.paperIndex = 2;
    return c;
}

TEST(CropControls, StoringFitsAnEmptyFrameAndFillsTheGroup) {
    core::CropControls c = paperControls();
    c.angle = -1.5f;
    core::SettingsBlock b;
    b.CropFitEachImage = 1;
    core::storeCropControls(c, 4000, 3000, true, b);
    EXPECT_EQ(b.CropOn, 1);
    EXPECT_EQ(b.CropPortrait, 0);
    EXPECT_EQ(b.CropFitEachImage, 0);
    EXPECT_EQ(b.CropSizeKind, core::kCropPaper);
    EXPECT_EQ(b.CropPaperIndex, 2);
    EXPECT_EQ(b.CropImageWidth, 4000);
    EXPECT_EQ(b.CropImageHeight, 3000);
    EXPECT_EQ(b.CropRect, (std::array<int32_t, 4>{4000, 2666, 0, 167}));
    EXPECT_EQ(b.CropAngle, -1500);
    EXPECT_EQ(b.CropTargetWidth, 1800);
    EXPECT_EQ(b.CropTargetHeight, 1200);
}

TEST(CropControls, PortraitStoresTheShortSideFirst) {
    core::CropControls c = paperControls();
    c.portrait = true;
    c.frame = {800, 1200, 10, 20};  // a frame of its own is kept
    core::SettingsBlock b;
    core::storeCropControls(c, 3000, 4000, true, b);
    EXPECT_EQ(b.CropPortrait, 1);
    EXPECT_EQ(b.CropRect, (std::array<int32_t, 4>{800, 1200, 10, 20}));
    EXPECT_EQ(b.CropTargetWidth, 1200);
    EXPECT_EQ(b.CropTargetHeight, 1800);
}

TEST(CropControls, AHiddenCropTabStoresTheDefaults) {
    core::SettingsBlock b;
    b.CropOn = 1;
    b.CropRect = {1, 2, 3, 4};
    b.CropAngle = 7;
    core::storeCropControls(paperControls(), 4000, 3000, false, b);
    const core::SettingsBlock d = core::defaultSettingsBlock();
    EXPECT_EQ(b.CropOn, d.CropOn);
    EXPECT_EQ(b.CropRect, d.CropRect);
    EXPECT_EQ(b.CropAngle, d.CropAngle);
}

TEST(CropControls, UserSizesAreClampedWhenStored) {
    core::CropControls c;
    c.size.sizeKind = core::kCropUser;
    c.size.userResizeOn = true;
    c.size.userWidth = 123456;
    c.size.userHeight = -4;
    core::SettingsBlock b;
    core::storeCropControls(c, 100, 100, true, b);
    EXPECT_EQ(b.CropUserWidth, 99999);
    EXPECT_EQ(b.CropUserHeight, 0);
}

TEST(CropControls, LoadingKeepsTheFrameOnlyForThePictureItWasMadeOn) {
    core::CropControls c = paperControls();
    c.frame = {3000, 2000, 100, 200};
    c.angle = 2.5f;
    core::SettingsBlock b;
    core::storeCropControls(c, 4000, 3000, true, b);

    const core::CropControls same = core::loadCropGroup(b, 4000, 3000);
    EXPECT_TRUE(same.cropOn);
    EXPECT_EQ(same.size.paperIndex, 2);
    EXPECT_EQ(same.frame, c.frame);
    EXPECT_FLOAT_EQ(same.angle, 2.5f);

    const core::CropControls other = core::loadCropGroup(b, 2000, 1500);
    EXPECT_EQ(other.frame, (core::CropFrame{2000, 1333, 0, 84}));
}

TEST(CropControls, AQueueItemBeingEditedRefitsOnlyWhenItFitsEachPicture) {
    core::CropControls c = paperControls();
    c.frame = {3000, 2000, 100, 200};
    core::SettingsBlock b;
    core::storeCropControls(c, 4000, 3000, true, b);
    EXPECT_EQ(core::loadCropGroup(b, 2000, 1500, core::CropGroupUse::QueueItemEdit).frame, c.frame);
    b.CropFitEachImage = 1;
    EXPECT_EQ(core::loadCropGroup(b, 4000, 3000, core::CropGroupUse::QueueItemEdit).frame,
              (core::CropFrame{4000, 2666, 0, 167}));
}

TEST(CropControls, ANewPictureStartsWithoutFrameOrAngle) {
    core::CropControls c = paperControls();
    c.frame = {10, 10, 1, 1};
    c.angle = 3.0f;
    const core::CropControls tall = core::controlsForNewPicture(c, 300, 400);
    EXPECT_TRUE(tall.frame.empty());
    EXPECT_EQ(tall.angle, 0.0f);
    EXPECT_TRUE(tall.portrait);
    EXPECT_TRUE(tall.cropOn);
    EXPECT_FALSE(core::controlsForNewPicture(c, 400, 400).portrait);
}

}  // namespace
