#include "core/fullscreen/full_screen_mode.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using T = PreviewTab;
using M = FullScreenMode;

TEST(FullScreenMode, FollowsTheTab) {
    EXPECT_EQ(fullScreenModeOf(false, T::Colors), M::Plain);
    EXPECT_EQ(fullScreenModeOf(true, T::Colors), M::Adjust);
    EXPECT_EQ(fullScreenModeOf(true, T::Brightness), M::Adjust);
    EXPECT_EQ(fullScreenModeOf(true, T::Distortions), M::Distortion);
    EXPECT_EQ(fullScreenModeOf(true, T::Crop), M::Crop);
    EXPECT_EQ(fullScreenModeOf(true, T::Noise), M::Plain);
    EXPECT_EQ(fullScreenModeOf(true, std::nullopt), M::Plain);
}

TEST(FullScreenMode, MayOpen) {
    EXPECT_TRUE(fullScreenMayOpen(false, false, std::nullopt, 1, 1));
    EXPECT_FALSE(fullScreenMayOpen(false, false, std::nullopt, 0, 1));
    EXPECT_FALSE(fullScreenMayOpen(true, false, std::nullopt, 100, 100));
    EXPECT_TRUE(fullScreenMayOpen(false, true, T::Colors, 100, 100));
    EXPECT_TRUE(fullScreenMayOpen(false, true, T::Brightness, 100, 100));
    EXPECT_TRUE(fullScreenMayOpen(false, true, T::Distortions, 100, 100));
    EXPECT_TRUE(fullScreenMayOpen(false, true, T::Crop, 100, 100));
    EXPECT_FALSE(fullScreenMayOpen(false, true, T::Text, 100, 100));
    EXPECT_FALSE(fullScreenMayOpen(false, true, T::Sharpening, 100, 100));
    EXPECT_FALSE(fullScreenMayOpen(true, true, T::Colors, 100, 100));
}

struct KindCase {
    ShownKind requested;
    M mode;
    bool result;
    ShownKind expected;
};

class ShownKindFor : public testing::TestWithParam<KindCase> {};

TEST_P(ShownKindFor, Decides) {
    const KindCase& c = GetParam();
    EXPECT_EQ(shownKindFor(c.requested, c.mode, c.result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShownKindFor,
    testing::Values(KindCase{ShownKind::Source, M::Adjust, true, ShownKind::Source},
                    KindCase{ShownKind::Result, M::Plain, false, ShownKind::Result},
                    KindCase{ShownKind::Automatic, M::Plain, true, ShownKind::Result},
                    KindCase{ShownKind::Automatic, M::Plain, false, ShownKind::Source},
                    KindCase{ShownKind::Automatic, M::Adjust, false, ShownKind::Result},
                    KindCase{ShownKind::Automatic, M::Distortion, false, ShownKind::Result},
                    KindCase{ShownKind::Automatic, M::Crop, true, ShownKind::Source},
                    KindCase{ShownKind::Automatic, M::Crop, false, ShownKind::Source}));

}  // namespace
}  // namespace core
