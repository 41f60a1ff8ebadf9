// Whole-image tabs: the screen-sized copy of the source and its fit into the pane.
#include <gtest/gtest.h>

#include "core/preview/whole_image_view.h"

namespace core {
namespace {

struct ReducedCase {
    PictureSize source, workArea;
    PictureSize expected;
    bool reduced;
};

class ReducedCopy : public ::testing::TestWithParam<ReducedCase> {};

TEST_P(ReducedCopy, ScalesOnlyBelowFourFifths) {
    const ReducedCase& c = GetParam();
    const ReducedCopySize r = reducedCopySize(c.source, c.workArea);
    EXPECT_EQ(r.size, c.expected);
    EXPECT_EQ(r.reduced, c.reduced);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReducedCopy,
                         ::testing::Values(
                             // s = min(1000/3000, 1800/5000) = 1/3.
                             ReducedCase{{5000, 3000}, {1800, 1000}, {1666, 1000}, true},
                             // s = min(1040/1300, 1800/2000) = 0.8: not below, so unscaled.
                             ReducedCase{{2000, 1300}, {1800, 1040}, {2000, 1300}, false},
                             // s = min(1039/1300, ...) just below.
                             ReducedCase{{2000, 1300}, {1800, 1039}, {1598, 1039}, true},
                             // A picture smaller than the screen is copied as it is.
                             ReducedCase{{640, 480}, {1920, 1040}, {640, 480}, false}));

TEST(WholeImageFit, FitsWithTheAspectAndASmallerFitOnTextAndCrop) {
    const PictureSize picture{1600, 1000};
    const PictureSize pane{800, 600};
    EXPECT_EQ(fittedPlacement(picture, pane, PreviewTab::Colors), (PixelRect{0, 50, 800, 500}));
    EXPECT_EQ(fittedPlacement(picture, pane, PreviewTab::Brightness), (PixelRect{0, 50, 800, 500}));
    for (PreviewTab tab : {PreviewTab::Text, PreviewTab::Crop})
        EXPECT_EQ(fittedPlacement(picture, pane, tab), (PixelRect{8, 55, 784, 490}));
    // A small picture is enlarged to the pane.
    EXPECT_EQ(fittedPlacement({100, 100}, pane, PreviewTab::Distortions),
              (PixelRect{100, 0, 600, 600}));
    EXPECT_EQ(fittedPlacement({0, 0}, pane, PreviewTab::Colors), PixelRect{});
}

}  // namespace
}  // namespace core
