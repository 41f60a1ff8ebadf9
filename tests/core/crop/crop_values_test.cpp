#include "core/crop/crop_values.h"

#include <gtest/gtest.h>

namespace {

TEST(CropValues, StoredControlsComeBackAsTheyWere) {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropPaper;
    c.size.paperIndex = 2;
    c.angle = 0.5f;
    core::CropValues v;
    core::storeCropValues(c, 4000, 3000, v);
    EXPECT_EQ(v.CropOn, 1);
    EXPECT_EQ(v.CropImageWidth, 4000);
    EXPECT_EQ(v.CropImageHeight, 3000);
    EXPECT_EQ(v.CropRect, (std::array<int32_t, 4>{4000, 2666, 0, 167}));
    EXPECT_EQ(v.CropAngle, 500);
    EXPECT_EQ(v.CropTargetWidth, 1800);
    EXPECT_EQ(v.CropTargetHeight, 1200);

    const core::CropControls back = core::cropControlsOf(v);
    EXPECT_TRUE(back.cropOn);
    EXPECT_FALSE(back.portrait);
    EXPECT_EQ(back.size.paperIndex, 2);
    EXPECT_EQ(back.frame, (core::CropFrame{4000, 2666, 0, 167}));
    EXPECT_FLOAT_EQ(back.angle, 0.5f);
}

TEST(CropValues, TheBlocksGroupIsReadFieldForField) {
    core::SettingsBlock b;
    b.CropOn = 1;
    b.CropPortrait = 1;
    b.CropSizeKind = core::kCropUser;
    b.CropUserResizeOn = 1;
    b.CropUserWidth = 800;
    b.CropUserHeight = 0;
    b.CropAngle = -179500;
    b.CropRect = {10, 20, 30, 40};
    const core::CropValues v = core::cropValuesOf(b);
    EXPECT_EQ(v.CropPortrait, 1);
    EXPECT_EQ(v.CropSizeKind, core::kCropUser);
    EXPECT_EQ(v.CropUserWidth, 800);
    EXPECT_EQ(v.CropRect, (std::array<int32_t, 4>{10, 20, 30, 40}));
    EXPECT_FLOAT_EQ(core::cropControlsOf(v).angle, -179.5f);
}

}  // namespace
