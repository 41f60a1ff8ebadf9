#include "core/fullscreen/full_screen_geometry.h"

#include <gtest/gtest.h>

namespace core {
namespace {

struct FitCase {
    int width, height, panelWidth, panelHeight;
    ViewPlacement expected;
};

class FitIntoPanel : public testing::TestWithParam<FitCase> {};

TEST_P(FitIntoPanel, ScalesAndCentres) {
    const FitCase& c = GetParam();
    const std::optional<ViewPlacement> v =
        fitIntoPanel(c.width, c.height, c.panelWidth, c.panelHeight);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitIntoPanel,
                         testing::Values(
                             // 1500 x 1100 on a 1600 x 1200 screen: enlarged to the full width.
                             FitCase{1500, 1100, 1600, 1200, {0, 14, 1600, 1173}},
                             FitCase{4000, 3000, 1600, 1200, {0, 0, 1600, 1200}},
                             // Portrait on a landscape panel: full height, centred across.
                             FitCase{1000, 2000, 1600, 1200, {500, 0, 600, 1200}},
                             // Small pictures are enlarged too.
                             FitCase{100, 50, 1600, 1200, {0, 200, 1600, 800}}));

TEST(FitIntoPanel, NothingForEmptySizes) {
    EXPECT_FALSE(fitIntoPanel(0, 100, 800, 600));
    EXPECT_FALSE(fitIntoPanel(100, 0, 800, 600));
    EXPECT_FALSE(fitIntoPanel(100, 100, 0, 600));
    EXPECT_FALSE(fitIntoPanel(100, 100, 800, 0));
}

TEST(CentreInPanel, CentresOrStartsAtZeroWhenLarger) {
    EXPECT_EQ(centreInPanel(610, 407, 1600, 1200), (ViewPlacement{495, 396, 610, 407}));
    EXPECT_EQ(centreInPanel(611, 407, 1600, 1200), (ViewPlacement{494, 396, 611, 407}));
    EXPECT_EQ(centreInPanel(2000, 407, 1600, 1200), (ViewPlacement{0, 396, 2000, 407}));
    EXPECT_EQ(centreInPanel(500, 1300, 1600, 1200), (ViewPlacement{550, 0, 500, 1300}));
}

TEST(ScreenCopy, LargeSourceIsReducedToTheScreen) {
    // 4000 x 3000 on 1600 x 1200: f = 0.4, the engine works on 1600 x 1200.
    EXPECT_FLOAT_EQ(screenCopyFactor(4000, 3000, 1600, 1200), 0.4f);
    const std::optional<PixelSize> size = screenCopySizeForPanel(4000, 3000, 1600, 1200);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(*size, (PixelSize{1600, 1200}));
}

TEST(ScreenCopy, NearlyScreenSizedSourceKeepsItsSize) {
    // The view is 1600 x 1173; f = min(1173 / 1100, 1600 / 1500), about 1.066.
    EXPECT_NEAR(screenCopyFactor(1500, 1100, 1600, 1173), 1.066, 0.001);
    EXPECT_FALSE(screenCopySizeForPanel(1500, 1100, 1600, 1200).has_value());
}

struct FactorCase {
    float factor;
    bool resized;
};

class ScreenCopyBounds : public testing::TestWithParam<FactorCase> {};

TEST_P(ScreenCopyBounds, ResizedOnlyOutsideAFifth) {
    const FactorCase& c = GetParam();
    EXPECT_EQ(screenCopySize(1000, 500, c.factor).has_value(), c.resized);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenCopyBounds,
                         testing::Values(FactorCase{0.79f, true}, FactorCase{0.8f, false},
                                         FactorCase{1.0f, false}, FactorCase{1.2f, false},
                                         FactorCase{1.21f, true}, FactorCase{2.5f, true}));

TEST(ScreenCopy, EnlargesSmallPictures) {
    const std::optional<PixelSize> size = screenCopySizeForPanel(400, 300, 1600, 1200);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(*size, (PixelSize{1600, 1200}));
}

}  // namespace
}  // namespace core
