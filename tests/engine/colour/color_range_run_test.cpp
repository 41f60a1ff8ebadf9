// The colour-range step inside a whole run.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "caller_picture.h"
#include "dnr.h"

namespace dnr {
namespace {

using testing::Colour;
using testing::Picture;

struct RunResult {
    Colour centre;
    int32_t ok;
};

RunResult runWithRange(int32_t colorAdjustOn, int32_t areasInclude, int32_t selected,
                       int32_t finalRun) {
    Picture pic(16, 12, 2);
    pic.fill({30000, 30000, 30000});
    ProcessingParams p = testing::neutralParams();
    pic.attach(p);
    p.ColorAdjustOn = colorAdjustOn;
    p.FinalRun = finalRun;
    p.SelectedColorRange = selected;
    p.ViewWidth = p.FullWidth = p.ScaledFullWidth = 16;
    p.ViewHeight = p.FullHeight = p.ScaledFullHeight = 12;
    Colors_ColorRangeParams range{};
    for (int c = 0; c < 3; ++c)
        range.Color1[c] = range.Color2[c] = 30000;
    range.TargetColor[0] = 60000;  // red
    range.TargetColor[1] = 20000;
    range.TargetColor[2] = 20000;
    range.Tolerance = 100;
    range.AreasInclude = areasInclude;
    p.ColorRangeCount = 1;
    p.ColorRanges = &range;
    const int32_t ok = Grainwash2(&p);
    return {pic.get(8, 6), ok};
}

TEST(ColorRangeRun, TheRangeMovesThePictureTowardItsTarget) {
    const RunResult moved = runWithRange(1, 0, -1, 1);
    ASSERT_EQ(moved.ok, 1);
    EXPECT_GT(moved.centre.r, 50000);
    EXPECT_LT(moved.centre.g, 25000);
    EXPECT_LT(moved.centre.b, 25000);
}

TEST(ColorRangeRun, NothingMovesWhenTheStageIsOffOrTheRangeHasNoIncludedArea) {
    for (const RunResult& r : {runWithRange(0, 0, -1, 1), runWithRange(1, 1, -1, 1)}) {
        ASSERT_EQ(r.ok, 1);
        // Grey 30000 through the luma/chroma round trip of the run stays grey within the
        // format's rounding.
        EXPECT_NEAR(r.centre.r, 30000, 100);
        EXPECT_NEAR(r.centre.g, 30000, 100);
        EXPECT_NEAR(r.centre.b, 30000, 100);
    }
}

TEST(ColorRangeRun, APreviewOfTheEditedRangeShowsItsSelection) {
    const RunResult shown = runWithRange(1, 0, 0, 0);
    ASSERT_EQ(shown.ok, 1);
    // Flat picture: grey relief at 32768 luma, selected everywhere with weight 1024, so red
    // glows (Cr = 32768 + 4096) while green and blue drop below the luma.
    EXPECT_GT(shown.centre.r, 32768 + 2000);
    EXPECT_LT(shown.centre.g, 32768);
}

}  // namespace
}  // namespace dnr
