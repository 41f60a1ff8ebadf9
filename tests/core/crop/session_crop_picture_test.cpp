#include "core/crop/session_crop_picture.h"

#include <gtest/gtest.h>

#include "core/crop/crop_and_resize.h"
#include "core/crop/crop_controls.h"
#include "core/crop/resampling_method.h"

namespace {

// An 8-bit session of 40 x 40 whose row y (from the top) has green 5 y.
class SessionCropPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h = imaging::cNewSession();
        ASSERT_NE(h, 0u);
        ASSERT_TRUE(imaging::cLoadImage8(h, nullptr, 0, 40, 40));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_TRUE(imaging::cOpSetPixelColor(h, x, y, 0, uint16_t(5 * y * 256), 0));
    }
    void TearDown() override { imaging::cDestroySession(h); }
    int green(int x, int y) const {
        uint16_t r = 0, g = 0, b = 0;
        EXPECT_TRUE(imaging::cGetPixelColor(h, x, y, r, g, b));
        return g >> 8;
    }
    imaging::Handle h = 0;
};

TEST_F(SessionCropPictureTest, TheFinalPictureIsCroppedFromTheTop) {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropWeb;  // row 0: 4:3, no resize
    core::SettingsBlock g;
    core::storeCropControls(c, 40, 40, true, g);
    ASSERT_EQ(g.CropRect, (std::array<int32_t, 4>{40, 30, 0, 5}));
    core::SessionCropPicture picture(h);
    const core::Result<bool> done = core::applyCropAndResize(g, picture, core::CropMode::Final);
    ASSERT_TRUE(done) << qPrintable(done.failure().detail);
    EXPECT_TRUE(done.value());
    EXPECT_EQ(picture.width(), 40);
    EXPECT_EQ(picture.height(), 30);
    EXPECT_EQ(green(3, 0), 25);
    EXPECT_EQ(green(3, 29), 170);
}

TEST_F(SessionCropPictureTest, ResizingTakesEachMethodAndRefusesUnknownOnes) {
    core::SessionCropPicture picture(h);
    for (int32_t method :
         {core::kResampleNearest, core::kResampleBilinear, core::kResampleMitchell}) {
        ASSERT_TRUE(picture.resize(20, 20, method));
        EXPECT_EQ(picture.width(), 20);
        ASSERT_TRUE(picture.resize(40, 40, method));
    }
    const core::Status bad = picture.resize(20, 20, 4);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.failure().key, "ALS_DLL_EXCEPTION");
    EXPECT_EQ(picture.width(), 40);
}

}  // namespace
