#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "caller_picture.h"
#include "dnr.h"
#include "pixel_view.h"
#include "red_eye.h"
#include "stages.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::grey;
using testing::Picture;

constexpr int32_t kSide = 100;

// A 16-bit grey picture (30000 in every channel) with a red pupil (red 60000, green and blue
// 10000) of radius 8.75 around (cx, cy), rows counted from the bottom.
Picture eyePicture(int32_t cx = 50, int32_t cy = 50, int32_t side = kSide) {
    Picture pic(side, side, 2);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) {
            const bool red = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= 76;  // 8.75^2
            pic.set(x, y, red ? Colour{60000, 10000, 10000} : grey(30000));
        }
    return pic;
}

TEST(RedEye, RednessComparesRedWithTheStrongerOtherChannel) {
    Picture pic = eyePicture();
    EXPECT_EQ(redness(pic.view(), 50, 50), 60000 * 80 / 10000);
    EXPECT_EQ(redness(pic.view(), 0, 0), 80);
    pic.set(1, 1, {1000, 0, 0});  // green and blue below 5120 count as 5120
    EXPECT_EQ(redness(pic.view(), 1, 1), 1000 * 80 / 5120);
}

struct RadiusCase {
    const char* what;
    bool redPupil;
    int32_t cx, cy;
    int32_t low, high;  // the radius found lies in low..high
};

// Rings up to radius 8 lie inside the pupil of radius 8.75 (rounding moves a point by at most
// 0.71) and rings from 10 on outside it; ring 9 is mixed, so the search ends at 9 or 10. Without a
// pupil no ring falls below 70% and the search runs to its end, 40 + 1; near an edge the largest
// radius shrinks to the distance from the edge.
TEST(RedEye, FindPupilRadius) {
    const RadiusCase cases[] = {
        {"red pupil", true, 50, 50, 9, 10},
        {"no pupil", false, 50, 50, 41, 41},
        {"no pupil, 3 from the left edge", false, 3, 50, 4, 4},
        {"no pupil, 6 from the top edge", false, 50, kSide - 7, 7, 7},
        {"1 from the left edge: the smallest radius", false, 1, 50, 2, 2},
    };
    for (const RadiusCase& c : cases) {
        Picture pic = eyePicture(c.redPupil ? c.cx : -100, c.redPupil ? c.cy : -100);
        const int32_t r = findPupilRadius(pic.view(), c.cx, c.cy);
        EXPECT_GE(r, c.low) << c.what;
        EXPECT_LE(r, c.high) << c.what;
    }
}

// The luminance of the pupil colour: (9617 * 10000 + 4899 * 60000 + 1868 * 10000) >> 14.
constexpr int32_t kPupilLuma = 24950;

// Near the middle of the feathered mask its value M is between 1000 and 1024, so a channel
// becomes (old * (1024 - M) + grey * M) >> 10 for such an M.
void expectMostlyGrey(int32_t value, int32_t old, int32_t grey) {
    const int32_t a = (old * 24 + grey * 1000) >> 10;
    EXPECT_GE(value, std::min(a, grey)) << "old " << old << ", grey " << grey;
    EXPECT_LE(value, std::max(a, grey)) << "old " << old << ", grey " << grey;
}

TEST(RedEye, DarkeningZeroRemovesTheColourAndKeepsTheLuminance) {
    Picture pic = eyePicture();
    EXPECT_EQ(removeRedEye(pic.view(), 50, 50, 19, 19, 0, 100), 9);
    // k = 1024: the grey is the pupil's own luminance.
    for (int32_t x : {49, 50, 51}) {
        expectMostlyGrey(pic.get(x, 50).r, 60000, kPupilLuma);
        expectMostlyGrey(pic.get(x, 50).g, 10000, kPupilLuma);
        expectMostlyGrey(pic.get(x, 50).b, 10000, kPupilLuma);
    }
    // Outside the box nothing changes.
    EXPECT_EQ(pic.get(50, 61).r, 30000);
    EXPECT_EQ(pic.get(39, 50).r, 30000);
}

TEST(RedEye, DarkeningHundredLeavesAboutTwoPercent) {
    Picture pic = eyePicture();
    removeRedEye(pic.view(), 50, 50, 19, 19, 100, 100);
    // k = 1024 - 1000 = 24: grey = 24 * 24950 >> 10 = 584, 2.3% of the luminance.
    expectMostlyGrey(pic.get(50, 50).r, 60000, 584);
    expectMostlyGrey(pic.get(50, 50).g, 10000, 584);
    expectMostlyGrey(pic.get(50, 50).b, 10000, 584);
}

TEST(RedEye, TheCatchLightKeepsItsBrightness) {
    Picture pic = eyePicture();
    pic.set(50, 50, {65535, 65535, 65535});  // L = 65535: k = 24 + 1000 * 14335 / 14335 = 1024
    pic.set(51, 50, {60000, 60000, 60000});  // L = 60000: k = 24 + 1000 * 8800 / 14335 = 637
    removeRedEye(pic.view(), 50, 50, 19, 19, 100, 100);
    EXPECT_EQ(pic.get(50, 50).r, 65535);
    EXPECT_EQ(pic.get(50, 50).g, 65535);
    EXPECT_EQ(pic.get(50, 50).b, 65535);
    // grey = 637 * 60000 >> 10 = 37324.
    expectMostlyGrey(pic.get(51, 50).g, 60000, 37324);
}

// With PupilSize 50, ring r shows what was at min(2r, R + 1) after darkening. Straight up from the
// centre the target (50, 50 + r) is written by the first sample angles of ring r, whose source
// lies at row 50 + s, at most one column beside the centre.
TEST(RedEye, PupilSizeFiftyHalvesThePupil) {
    Picture kept = eyePicture(), halved = eyePicture();
    removeRedEye(kept.view(), 50, 50, 19, 19, 50, 100);
    EXPECT_EQ(removeRedEye(halved.view(), 50, 50, 19, 19, 50, 50), 9);
    EXPECT_EQ(halved.get(50, 50).r, kept.get(50, 50).r);
    for (int32_t r = 1; r <= 9; ++r) {
        const int32_t s = std::min(2 * r, 10);
        bool found = false;
        for (int32_t x = 49; x <= 51; ++x)
            found = found || (halved.get(50, 50 + r).r == kept.get(x, 50 + s).r &&
                              halved.get(50, 50 + r).g == kept.get(x, 50 + s).g);
        EXPECT_TRUE(found) << r;
    }
    // From radius 5 on the dark pupil is replaced by the surrounding grey.
    EXPECT_EQ(halved.get(50, 56).r, 30000);
    EXPECT_LT(kept.get(50, 56).r, 20000);
}

TEST(RedEye, PupilSizeHundredOrMoreLeavesTheSize) {
    Picture atHundred = eyePicture(), above = eyePicture();
    removeRedEye(atHundred.view(), 50, 50, 19, 19, 50, 100);
    removeRedEye(above.view(), 50, 50, 19, 19, 50, 150);
    EXPECT_EQ(atHundred.samples16(), above.samples16());
}

struct EdgeCase {
    int32_t cx, cy, w, h;
    bool changes;
};

// The box (left = cx - w/2, bottom = cy - h/2) must end at least 2 pixels before the right and
// top edges and start right of column 0 and above row 0.
TEST(RedEye, AnEyeNearTheEdgeIsLeftAlone) {
    const EdgeCase cases[] = {
        {93, 50, 10, 10, true},   // left 88: 88 + 10 = 98 = width - 2
        {94, 50, 10, 10, false},  // 99 > 98
        {50, 93, 10, 10, true},  {50, 94, 10, 10, false}, {6, 50, 10, 10, true},  // left 1
        {5, 50, 10, 10, false},                                                   // left 0
        {50, 5, 10, 10, false},                                                   // bottom 0
        {98, 50, 0, 0, true},  // automatic: the box starts at the centre
        {99, 50, 0, 0, false},   {0, 50, 0, 0, false},
    };
    for (const EdgeCase& c : cases) {
        Picture pic = eyePicture(-100, -100);
        for (int32_t y = 0; y < kSide; ++y)
            for (int32_t x = 0; x < kSide; ++x)
                pic.set(x, y, {60000, 10000, 10000});
        const std::vector<uint16_t> before = pic.samples16();
        const int32_t r = removeRedEye(pic.view(), c.cx, c.cy, c.w, c.h, 50, 100);
        EXPECT_EQ(pic.samples16() != before, c.changes) << c.cx << "," << c.cy;
        if (!c.changes) {
            EXPECT_EQ(r, 1) << c.cx << "," << c.cy;
        }
    }
}

// A tall, narrow box near the left edge: R = (1 + 30) / 2 = 15 reaches 16 columns left of the
// centre at column 3, outside the picture; those positions are skipped.
TEST(RedEye, ShrinkingAPupilNearTheEdgeStaysInsideThePicture) {
    Picture pic = eyePicture(3, 50);
    EXPECT_EQ(removeRedEye(pic.view(), 3, 50, 3, 60, 50, 30), 15);
}

TEST(RedEye, EightBitPicturesKeepTheHighByte) {
    const int32_t side = 40;
    Picture pic(side, side, 1);
    pic.fill({230, 40, 40});
    const View v = pic.view();
    removeRedEye(v, 20, 20, 15, 15, 0, 100);
    // L = (9617 * 10240 + 4899 * 58880 + 1868 * 10240) >> 14 = 24784: grey 96 in 8 bits.
    const uint8_t* centre = v.row8(20) + 60;
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(centre[c], 24784 >> 8, 1);
}

TEST(RedEye, FixRedEyeOnlyExists) {
    EXPECT_EQ(FixRedEye(1, 2, 3, 4, 5, 6, 7, 8, 9, 10), 1);
}

ProcessingParams eyeRun(Picture& pic, RedEyeEntry* eyes, int32_t count) {
    ProcessingParams p;
    std::memset(&p, 0, sizeof p);
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = pic.bits();
    p.Width = p.Height = kSide;
    p.BytesPerSample = 2;
    p.FinalRun = 1;
    p.SelectedColorRange = -1;
    p.RedEyeOn = 1;
    p.RedEyeCount = count;
    p.RedEyes = eyes;
    return p;
}

struct ViewCase {
    int32_t viewWidth, viewHeight, viewLeft, viewTop;
    int32_t eyeX, eyeY;  // whole-picture pixels, y from the top
};

// The eye at (50, 50) of the held part, rows from the bottom, written in whole-picture
// coordinates: x = EyeX - ViewLeft, y = ViewHeight + ViewTop - EyeY - 1.
TEST(RedEye, TheRunSizesAutomaticEyesAndWritesTheSizeBack) {
    const ViewCase cases[] = {
        {kSide, kSide, 0, 0, 50, 49},
        {kSide, kSide, 10, 5, 60, 54},
        {0, kSide, 10, 5, 50, 49},  // ViewWidth 0: the offsets count as 0
        {0, 0, 0, 0, 50, 49},       // nothing filled: the held part is the picture
    };
    for (const ViewCase& c : cases) {
        Picture pic = eyePicture();
        const int32_t expected = findPupilRadius(pic.view(), 50, 50);
        RedEyeEntry eye{c.eyeX * 1000 + 400, c.eyeY * 1000 + 999, 0, 0, 80, 100};
        ProcessingParams p = eyeRun(pic, &eye, 1);
        p.ViewWidth = c.viewWidth;
        p.ViewHeight = c.viewHeight;
        p.ViewLeft = c.viewLeft;
        p.ViewTop = c.viewTop;
        ASSERT_EQ(Grainwash2(&p), 1);
        EXPECT_GE(expected, 2);
        EXPECT_LE(expected, 41);
        EXPECT_EQ(eye.EyeWidth, 2000 * expected) << c.viewLeft << "," << c.viewTop;
        EXPECT_EQ(eye.EyeHeight, 2000 * expected);
        // The pupil is dark grey now (the run's own rounding aside).
        EXPECT_LT(pic.get(50, 50).r, 8000);
        EXPECT_LT(pic.get(50, 55).r, 8000);
        EXPECT_EQ(eye.Darkening, 80);
        EXPECT_EQ(eye.PupilSize, 100);
    }
}

TEST(RedEye, ASizedEyeKeepsItsSizeAndTheStepCanBeOff) {
    Picture pic = eyePicture();
    RedEyeEntry eyes[2] = {{50000, 49000, 19000, 19000, 50, 100}, {0, 0, 0, 0, 50, 100}};
    ProcessingParams p = eyeRun(pic, eyes, 2);
    p.ViewWidth = p.ViewHeight = kSide;
    ASSERT_EQ(Grainwash2(&p), 1);
    EXPECT_EQ(eyes[0].EyeWidth, 19000);
    EXPECT_EQ(eyes[0].EyeHeight, 19000);
    // The second eye sits in the corner: it is skipped, and its automatic size is 2000 * 1.
    EXPECT_EQ(eyes[1].EyeWidth, 2000);

    Picture untouched = eyePicture();
    RedEyeEntry eye{50000, 49000, 0, 0, 50, 100};
    ProcessingParams off = eyeRun(untouched, &eye, 1);
    off.RedEyeOn = 0;
    ASSERT_EQ(Grainwash2(&off), 1);
    EXPECT_EQ(eye.EyeWidth, 0);
    EXPECT_GT(untouched.get(50, 50).r, 50000);
}

}  // namespace
}  // namespace dnr
