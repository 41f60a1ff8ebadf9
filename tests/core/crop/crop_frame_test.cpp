#include "core/crop/crop_frame.h"

#include <gtest/gtest.h>

#include "core/crop/crop_tables.h"

namespace {

core::CropSizeChoice paper(int32_t row) {
    core::CropSizeChoice c;
    c.sizeKind = core::kCropPaper;
    c.paperIndex = row;
    return c;
}

core::CropSizeChoice web(int32_t row) {
    core::CropSizeChoice c;
    c.sizeKind = core::kCropWeb;
    c.webIndex = row;
    return c;
}

core::CropSizeChoice user(bool on, int32_t w, int32_t h) {
    core::CropSizeChoice c;
    c.sizeKind = core::kCropUser;
    c.userResizeOn = on;
    c.userWidth = w;
    c.userHeight = h;
    return c;
}

TEST(CropTables, RowsSizesAndProportions) {
    ASSERT_EQ(core::paperTable().size(), 11u);
    ASSERT_EQ(core::webTable().size(), 10u);
    EXPECT_STREQ(core::paperRow(2).text, "4x6\"  (10x15cm),  1200x1800 px");
    EXPECT_EQ(core::paperRow(7).proportionLong, 30);
    EXPECT_EQ(core::paperRow(7).proportionShort, 21);
    EXPECT_EQ(core::webRow(6).proportionLong, 5);
    EXPECT_EQ(core::webRow(6).proportionShort, 4);
    // Rows outside the tables count as row 0.
    EXPECT_EQ(&core::paperRow(11), &core::paperRow(0));
    EXPECT_EQ(&core::webRow(-1), &core::webRow(0));
}

TEST(CropFrame, PaperRowTwoOnALandscapePictureWithEitherOrientation) {
    const core::CropFrame f =
        core::fitFrame({}, 4000, 3000, paper(2), core::CropOrientation::Either);
    EXPECT_EQ(f, (core::CropFrame{4000, 2666, 0, 167}));
    EXPECT_EQ(core::resizeSize(paper(2), false, 4000, 3000), (core::PixelSize{1800, 1200}));
}

TEST(CropFrame, PaperRowTwoOnAPortraitPictureWithEitherOrientation) {
    const core::CropFrame f =
        core::fitFrame({}, 3000, 4000, paper(2), core::CropOrientation::Either);
    EXPECT_EQ(f, (core::CropFrame{2666, 4000, 167, 0}));
    EXPECT_EQ(core::resizeSize(paper(2), true, 3000, 4000), (core::PixelSize{1200, 1800}));
}

TEST(CropFrame, ADefiniteOrientationTriesOnlyItsPass) {
    // Landscape on a portrait picture: the 3:2 frame spans the width.
    EXPECT_EQ(core::fitFrame({}, 3000, 4000, paper(2), core::CropOrientation::Landscape),
              (core::CropFrame{3000, 2000, 0, 1000}));
    EXPECT_EQ(core::fitFrame({}, 4000, 3000, paper(2), core::CropOrientation::Portrait),
              (core::CropFrame{2000, 3000, 1000, 0}));
}

TEST(CropFrame, WebRowZeroKeepsFourToThreeAndDoesNotResize) {
    EXPECT_EQ(core::frameProportion(web(0), false, 3000, 3000), (core::CropProportion{4, 3}));
    EXPECT_EQ(core::fitFrame({}, 3000, 3000, web(0), core::CropOrientation::Landscape),
              (core::CropFrame{3000, 2250, 0, 375}));
    EXPECT_EQ(core::resizeSize(web(0), false, 3000, 3000), (core::PixelSize{0, 0}));
    EXPECT_EQ(core::resizeSize(paper(0), false, 3000, 3000), (core::PixelSize{0, 0}));
}

TEST(CropFrame, ProportionsByKindAndOrientation) {
    struct Case {
        core::CropSizeChoice choice;
        bool portrait;
        core::CropProportion expected;
    };
    const Case cases[] = {
        {paper(1), false, {10, 7}},
        {paper(1), true, {7, 10}},
        {web(6), false, {5, 4}},
        {web(6), true, {4, 5}},
        {paper(42), false, {3, 2}},
        {user(true, 800, 0), false, {800, 600}},
        {user(true, 0, 300), true, {400, 300}},  // the user's own size decides, not the button
        {user(false, 800, 600), false, {0, 0}},  // user resizing off: free
        {user(true, 0, 0), false, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::frameProportion(c.choice, c.portrait, 1600, 1200), c.expected)
            << c.choice.sizeKind << " " << c.choice.paperIndex << " " << c.choice.webIndex;
}

TEST(CropFrame, UserWidthOnlyDerivesTheHeightFromThePicture) {
    EXPECT_EQ(core::resizeSize(user(true, 800, 0), false, 1600, 1200), (core::PixelSize{800, 600}));
    EXPECT_EQ(core::resizeSize(user(true, 0, 600), false, 1600, 1200), (core::PixelSize{800, 600}));
    EXPECT_EQ(core::resizeSize(user(false, 800, 0), false, 1600, 1200), (core::PixelSize{0, 0}));
    // Without both sides the user kind's frame is the whole picture.
    EXPECT_EQ(core::fitFrame({5, 5, 5, 5}, 1600, 1200, user(true, 800, 0),
                             core::CropOrientation::Landscape),
              (core::CropFrame{1600, 1200, 0, 0}));
}

TEST(CropFrame, UserKindKeepsItsOwnOrientation) {
    // 600:800 on a landscape picture, even when "either" is asked: one pass, as given.
    EXPECT_EQ(core::fitFrame({}, 1600, 1200, user(true, 600, 800), core::CropOrientation::Either),
              (core::CropFrame{900, 1200, 350, 0}));
}

TEST(CropFrame, A4UsesItsFractionalPixelSize) {
    EXPECT_EQ(core::resizeSize(paper(7), false, 4000, 3000), (core::PixelSize{3484, 2480}));
    EXPECT_EQ(core::resizeSize(paper(7), true, 3000, 4000), (core::PixelSize{2480, 3484}));
}

TEST(CropFrame, SnappingADraggedSize) {
    const core::CropProportion threeTwo{3, 2};
    struct Case {
        int32_t w, h;
        core::CropProportion proportion;
        core::PixelSize expected;
    };
    const Case cases[] = {
        {301, 199, threeTwo, {301, 201}},  // changing the height is the smaller change
        {300, 100, threeTwo, {300, 200}},  // the height by 100 rather than the width by 150
        {100, 160, {2, 3}, {107, 160}},    // changing the width is the smaller change
        {5, 5, {0, 0}, {10, 10}},          // free: only clamped to the minimum
        {1200, 900, {0, 0}, {1000, 800}},  // and to the picture
        {990, 790, threeTwo, {990, 660}}, {1000, 700, {4, 5}, {560, 700}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::snapFrameSize(c.w, c.h, c.proportion, 1000, 800), c.expected)
            << c.w << "x" << c.h;
}

TEST(CropFrame, SnappingKeepsTheDragWhenNoSnappedSizeFits) {
    // 3:2 on a 100 x 12 picture: a height of 12 needs a width of 18 and a width of 90 a height
    // of 60; (18, 12) fits.
    EXPECT_EQ(core::snapFrameSize(90, 12, {3, 2}, 100, 12), (core::PixelSize{18, 12}));
    // 1:10 on a 20 x 20 picture: neither (20, 200) nor (10, 100) fits, so the drag stays.
    EXPECT_EQ(core::snapFrameSize(20, 20, {1, 10}, 20, 20), (core::PixelSize{20, 20}));
}

}  // namespace
