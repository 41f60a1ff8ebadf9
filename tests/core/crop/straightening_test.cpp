#include "core/crop/straightening.h"

#include <gtest/gtest.h>

#include "tests/core/crop/memory_crop_picture.h"

namespace {

TEST(Straightening, TurnsSnapToTheHalfDegreeStep) {
    struct Case {
        double turn, snapped;
    };
    const Case cases[] = {{0.5, 0.5},  {-0.5, -0.5},  {0.3, 0.5},  {0.2, 0.0},
                          {0.25, 0.5}, {-0.74, -0.5}, {1.26, 1.5}, {-3.1, -3.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(core::snapTurn(c.turn), c.snapped) << c.turn;
}

TEST(Straightening, TheAngleStaysWithinMinus180To180) {
    struct Case {
        float angle;
        double turn;
        float expected;
    };
    const Case cases[] = {
        {179.5f, 1.0, -179.5f}, {-179.5f, -0.5, 180.0f}, {-179.5f, -1.0, 179.5f},
        {180.0f, 0.5, -179.5f}, {0.0f, -0.5, -0.5f},     {12.5f, 0.5, 13.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(core::turnedAngle(c.angle, c.turn), c.expected) << c.angle << " " << c.turn;
}

TEST(Straightening, TheEngineTakesMillionthsOfARadian) {
    EXPECT_EQ(core::angleInMillionthsOfRadian(0.5), 8727);
    EXPECT_EQ(core::angleInMillionthsOfRadian(-90.0), -1570796);
}

// A 9 x 9 picture whose blue grows by 20 a column and green by 20 a row (rows from the top), turned
// a quarter turn clockwise: the top-left corner then shows what was bottom-left, so pixel (x, y)
// holds what was at (y, 8 - x), and the interpolation of a linear ramp gives the ramp's value.
void checkQuarterTurn(bool sixteen) {
    testing_crop::MemoryCropPicture picture(9, 9, sixteen);
    const int32_t scale = sixteen ? 256 : 1;
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 9; ++x) {
            picture.setSample(x, y, 0, (20 + 20 * x) * scale);
            picture.setSample(x, y, 1, (20 + 20 * y) * scale);
            picture.setSample(x, y, 2, 77 * scale);
        }
    ASSERT_TRUE(core::rotatePixels(picture.pixels(), 90.0));
    struct Pixel {
        int32_t x, y;
    };
    for (const Pixel p : {Pixel{4, 4}, Pixel{1, 2}, Pixel{6, 1}, Pixel{3, 7}, Pixel{7, 6}}) {
        const int32_t blue = (20 + 20 * p.y) * scale, green = (20 + 20 * (8 - p.x)) * scale;
        EXPECT_NEAR(picture.sample(p.x, p.y, 0), blue, scale) << p.x << "," << p.y;
        EXPECT_NEAR(picture.sample(p.x, p.y, 1), green, scale) << p.x << "," << p.y;
        EXPECT_NEAR(picture.sample(p.x, p.y, 2), 77 * scale, scale) << p.x << "," << p.y;
    }
}

TEST(Straightening, An8BitPictureTurnsClockwise) {
    checkQuarterTurn(false);
}

TEST(Straightening, A16BitPictureTurnsTheSameWayDespiteItsTopDownRows) {
    checkQuarterTurn(true);
}

TEST(Straightening, NoPixelsIsAFailure) {
    EXPECT_FALSE(core::rotatePixels(PixelView{nullptr, 5, 1, 5}, 1.0));
}

}  // namespace
