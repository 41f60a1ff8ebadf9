#include <gtest/gtest.h>

#include "caller_picture.h"
#include "colour_space.h"
#include "picture_planes.h"
#include "plane.h"

namespace dnr {
namespace {

using testing::Picture;

TEST(Plane, AllocateToTheSameSizeKeepsSamplesAndClearsTheKey) {
    Plane p;
    ASSERT_TRUE(p.allocate(3, 2, true));
    p.data()[4] = 1234;
    p.key = 99;
    const uint16_t* before = p.data();
    ASSERT_TRUE(p.allocate(3, 2));
    EXPECT_EQ(p.data(), before);
    EXPECT_EQ(p.data()[4], 1234);
    EXPECT_EQ(p.key, 0u);

    ASSERT_TRUE(p.allocate(2, 3, true));  // another shape: new, zeroed samples
    EXPECT_EQ(p.data()[4], 0);

    ASSERT_TRUE(p.allocate(0, 0));  // how caches are emptied
    EXPECT_TRUE(p.empty());
    EXPECT_EQ(p.width, 0);
}

TEST(Plane, ImpossibleSizeFailsWithTheMemoryWarning) {
    static int warnings;
    static std::string text;
    warnings = 0;  // the hook needs statics; a repeated run starts them afresh
    text.clear();
    SetMessageHook([](const char* t, const char* caption) {
        ++warnings;
        text = std::string(caption) + ": " + t;
    });
    Plane p;
    EXPECT_FALSE(p.allocate(1 << 30, 1 << 30));
    SetMessageHook(nullptr);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(text, "Error: Not enough memory!");
    EXPECT_TRUE(p.empty());
}

TEST(PicturePlanes, CopyInAndWriteBackRoundTripsOddWidths) {
    for (int32_t bps : {1, 2})
        for (int32_t w : {1, 3, 5, 7, 13}) {
            Picture pic = Picture::random(w, 4, bps, uint32_t(w * 10 + bps));
            Picture copy = pic;
            const View v = *makeView(pic.bits(), w, bps, 4);
            PlaneSet set;
            ASSERT_TRUE(copyPictureToPlanes(set, v));
            EXPECT_TRUE(set.rgb);
            std::fill(pic.samples8().begin(), pic.samples8().end(), 0);
            std::fill(pic.samples16().begin(), pic.samples16().end(), 0);
            writeBack(v, set);
            EXPECT_TRUE(pic.samePixels(copy)) << "width " << w << " depth " << bps;
        }
}

// Plane row 0 is the bottom of the picture for both depths, and 8-bit samples enter times 256.
TEST(PicturePlanes, RowOrderAndSampleDomain) {
    for (int32_t bps : {1, 2}) {
        Picture pic(2, 3, bps);
        pic.set16(1, 0, {0x1100, 0x2200, 0x3300});  // bottom row
        pic.set16(0, 2, {0x4400, 0x5500, 0x6600});  // top row
        PlaneSet set;
        ASSERT_TRUE(copyPictureToPlanes(set, *makeView(pic.bits(), 2, bps, 3)));
        EXPECT_EQ(set.planes[0].row(0)[1], 0x3300);  // blue
        EXPECT_EQ(set.planes[2].row(0)[1], 0x1100);  // red
        EXPECT_EQ(set.planes[1].row(2)[0], 0x5500);
    }
}

TEST(PicturePlanes, WriteBackKeepsTheHighByteForEightBit) {
    Picture pic(1, 1, 1);
    PlaneSet set;
    ASSERT_TRUE(set.allocate(1, 1));
    set.planes[0].data()[0] = 32711;
    set.planes[1].data()[0] = 32784;
    set.planes[2].data()[0] = 32756;
    writeBack(*makeView(pic.bits(), 1, 1, 1), set);
    EXPECT_EQ(pic.samples8()[0], 127);
    EXPECT_EQ(pic.samples8()[1], 128);
    EXPECT_EQ(pic.samples8()[2], 127);
}

}  // namespace
}  // namespace dnr
