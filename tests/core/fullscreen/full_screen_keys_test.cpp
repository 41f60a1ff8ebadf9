#include "core/fullscreen/full_screen_keys.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using K = FullScreenKey;
using M = FullScreenMode;

struct KeyCase {
    M mode;
    int key;
    Qt::KeyboardModifiers modifiers;
    K expected;
};

class FullScreenKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(FullScreenKeys, Decides) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(fullScreenKey(c.mode, c.key, c.modifiers, false), c.expected);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

INSTANTIATE_TEST_SUITE_P(
    Cases, FullScreenKeys,
    testing::Values(
        // Viewing mode: turning, stepping, closing.
        KeyCase{M::Plain, Qt::Key_L, kCtrl, K::RotateCounterClockwise},
        KeyCase{M::Plain, Qt::Key_R, kCtrl, K::RotateClockwise},
        KeyCase{M::Plain, Qt::Key_Space, kNone, K::NextImage},
        KeyCase{M::Plain, Qt::Key_Backspace, kNone, K::PreviousImage},
        KeyCase{M::Plain, Qt::Key_Space, kShift, K::NextImage},
        KeyCase{M::Plain, Qt::Key_Backspace, kAlt, K::PreviousImage},
        KeyCase{M::Plain, Qt::Key_Space, kCtrl, K::None},
        KeyCase{M::Plain, Qt::Key_X, kCtrl, K::None}, KeyCase{M::Plain, Qt::Key_L, kNone, K::Close},
        KeyCase{M::Plain, Qt::Key_PageUp, kNone, K::Close},
        KeyCase{M::Plain, Qt::Key_Escape, kNone, K::Close},
        KeyCase{M::Plain, Qt::Key_Return, kNone, K::Close},
        // A modifier alone closes nothing, whether or not it reports itself as held.
        KeyCase{M::Plain, Qt::Key_Shift, kNone, K::None},
        KeyCase{M::Plain, Qt::Key_Shift, kShift, K::None},
        KeyCase{M::Adjust, Qt::Key_Control, kCtrl, K::None},
        KeyCase{M::Crop, Qt::Key_Alt, kNone, K::None},
        // Adjusting: the page keys with any modifier; turning and stepping close.
        KeyCase{M::Adjust, Qt::Key_PageUp, kNone, K::SliderUp},
        KeyCase{M::Adjust, Qt::Key_PageDown, kNone, K::SliderDown},
        KeyCase{M::Distortion, Qt::Key_PageUp, kCtrl, K::SliderUp},
        KeyCase{M::Distortion, Qt::Key_PageDown, kShift | kAlt, K::SliderDown},
        KeyCase{M::Adjust, Qt::Key_Space, kNone, K::Close},
        KeyCase{M::Adjust, Qt::Key_R, kCtrl, K::None},
        KeyCase{M::Adjust, Qt::Key_Escape, kNone, K::Close},
        // Crop: every plain key closes.
        KeyCase{M::Crop, Qt::Key_PageUp, kNone, K::Close},
        KeyCase{M::Crop, Qt::Key_Space, kNone, K::Close},
        KeyCase{M::Crop, Qt::Key_L, kCtrl, K::None},
        KeyCase{M::Crop, Qt::Key_Escape, kNone, K::Close}));

TEST(FullScreenKeys, NothingWhileAMouseButtonIsDown) {
    EXPECT_EQ(fullScreenKey(M::Plain, Qt::Key_Escape, kNone, true), K::None);
    EXPECT_EQ(fullScreenKey(M::Adjust, Qt::Key_PageUp, kNone, true), K::None);
    EXPECT_EQ(fullScreenKey(M::Plain, Qt::Key_Space, kNone, true), K::None);
}

TEST(FullScreenKeys, SteppingFromTheResultAsksFirst) {
    EXPECT_TRUE(stepAsksFirst(K::NextImage, ShownKind::Result, true));
    EXPECT_TRUE(stepAsksFirst(K::PreviousImage, ShownKind::Result, true));
    EXPECT_FALSE(stepAsksFirst(K::NextImage, ShownKind::Source, true));
    EXPECT_FALSE(stepAsksFirst(K::NextImage, ShownKind::Result, false));
    EXPECT_FALSE(stepAsksFirst(K::RotateClockwise, ShownKind::Result, true));
}

TEST(FullScreenKeys, ShownAfterACommand) {
    EXPECT_EQ(shownAfter(K::NextImage, ShownKind::Result), ShownKind::Source);
    EXPECT_EQ(shownAfter(K::PreviousImage, ShownKind::Result), ShownKind::Source);
    EXPECT_EQ(shownAfter(K::RotateClockwise, ShownKind::Result), ShownKind::Result);
    EXPECT_EQ(shownAfter(K::SliderUp, ShownKind::Result), ShownKind::Result);
    EXPECT_EQ(shownAfter(K::RotateCounterClockwise, ShownKind::Source), ShownKind::Source);
}

TEST(FullScreenKeys, SliderMovesOnlyWithoutCtrlAndAlt) {
    EXPECT_TRUE(sliderStepMoves(kNone));
    EXPECT_TRUE(sliderStepMoves(kShift));
    EXPECT_FALSE(sliderStepMoves(kCtrl));
    EXPECT_FALSE(sliderStepMoves(kAlt));
}

}  // namespace
}  // namespace core
